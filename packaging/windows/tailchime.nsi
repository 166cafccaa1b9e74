; The installer of Tailchime for Windows, made by the Windows build
; (packaging/windows/CMakeLists.txt), which defines VERSION, VERSION_TEXT,
; VERSION_QUAD, PROGRAM, TONES, DOCS, ICON, RUNNING_MUTEX and OUTFILE.
;
; One per-machine installation in Program Files: the program, the two
; courtesy tones, the licence and the read-me; a Start-menu folder with the
; program beside the node program and the station simulator; a desktop
; shortcut and a start with Windows for the installing user, both optional;
; and an entry in Programs and Features. Run over an installed copy it
; replaces it in place and keeps its choices. The uninstaller takes away
; what this made, and only that; the operator's settings in
; %APPDATA%\Tailchime are never touched. Silent (/S) both, for stations set
; up by script; the installer then takes /StartWithWindows and
; /NoDesktopShortcut for the two choices.
Unicode true
Target amd64-unicode
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tailchime"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define PUBLISHER "Tailchime Team"

Name "Tailchime"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tailchime"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tailchime ${VERSION}"

VIProductVersion ${VERSION_QUAD}
VIFileVersion ${VERSION_QUAD}
VIAddVersionKey /LANG=1033 "ProductName" "Tailchime"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION_TEXT}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION_TEXT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Tailchime ${VERSION} setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

Var settings  ; the operator's settings folder, named on the uninstaller's last page

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${DOCS}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Tailchime is installed. Start the node program in Sysop mode, then Tailchime from the Start menu: it attaches to the node program. $\"Tailchime station simulator$\" runs the simulated station for practice."
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Tailchime has been removed from this computer.$\r$\n$\r$\nYour settings and the station's history stay in $settings (tailchime.ini, history.sqlite), ready for when Tailchime is installed again. Delete that folder if you do not need them."
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

; Tailchime holds the mutex RUNNING_MUTEX while it runs: its files are not
; replaced or removed then. The operator is asked to close it; a silent run,
; or one the operator cancels, ends with exit status 3 and changes nothing.
!macro CloseTailchimeFirst
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p.r0 ?e'
        Pop $1
        ${If} $0 P<> 0
            System::Call 'kernel32::CloseHandle(p r0)'
        ${ElseIf} $1 <> 5  ; ERROR_ACCESS_DENIED: it runs for another user
            ${Break}
        ${EndIf}
        ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Tailchime is running. Close it first (its main window's close box), then press Retry." /SD IDCANCEL IDRETRY`
            SetErrorLevel 3
            Quit
        ${EndIf}
    ${Loop}
!macroend

; The start-up entry, when it is the one this installer writes.
!macro RemoveStartupEntry
    ReadRegStr $0 HKCU "${RUN_KEY}" "Tailchime"
    ${If} $0 == '"$INSTDIR\tailchime.exe"'
        DeleteRegValue HKCU "${RUN_KEY}" "Tailchime"
    ${EndIf}
!macroend

Section "Tailchime" SecProgram
    SectionIn RO
    !insertmacro CloseTailchimeFirst
    SetOutPath "$INSTDIR"
    File "${PROGRAM}"
    File "${TONES}\RF.wav"
    File "${TONES}\IP.wav"
    File "${DOCS}\LICENSE.txt"
    File "${DOCS}\README.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateDirectory "$SMPROGRAMS\Tailchime"
    CreateShortcut "$SMPROGRAMS\Tailchime\Tailchime.lnk" "$INSTDIR\tailchime.exe" "" \
        "$INSTDIR\tailchime.exe" 0 SW_SHOWNORMAL "" "Courtesy idents beside the node program"
    CreateShortcut "$SMPROGRAMS\Tailchime\Tailchime station simulator.lnk" "$INSTDIR\tailchime.exe" \
        "--host simulated" "$INSTDIR\tailchime.exe" 0 SW_SHOWNORMAL "" "Tailchime on its simulated station"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tailchime"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tailchime.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Desktop shortcut" SecDesktop
    CreateShortcut "$DESKTOP\Tailchime.lnk" "$INSTDIR\tailchime.exe"
SectionEnd

Section /o "Start with Windows" SecStartup
    WriteRegStr HKCU "${RUN_KEY}" "Tailchime" '"$INSTDIR\tailchime.exe"'
SectionEnd

; Over an installed copy, what was chosen away goes.
Section "-Choices"
    ${IfNot} ${SectionIsSelected} ${SecDesktop}
        Delete "$DESKTOP\Tailchime.lnk"
    ${EndIf}
    ${IfNot} ${SectionIsSelected} ${SecStartup}
        !insertmacro RemoveStartupEntry
    ${EndIf}
SectionEnd

Function .onInit
    SetShellVarContext all
    SetRegView 64
    !insertmacro CloseTailchimeFirst
    ; Over an installed copy the choices made then are offered again.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
        ${IfNot} ${FileExists} "$DESKTOP\Tailchime.lnk"
            !insertmacro UnselectSection ${SecDesktop}
        ${EndIf}
        ReadRegStr $1 HKCU "${RUN_KEY}" "Tailchime"
        ${If} $1 == '"$0\tailchime.exe"'
            !insertmacro SelectSection ${SecStartup}
        ${EndIf}
    ${EndIf}
    ; A station set up by script chooses on the command line.
    ${GetParameters} $2
    ClearErrors
    ${GetOptions} $2 "/StartWithWindows" $3
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecStartup}
    ${EndIf}
    ClearErrors
    ${GetOptions} $2 "/NoDesktopShortcut" $3
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${SecDesktop}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetShellVarContext current
    StrCpy $settings "$APPDATA\Tailchime"
    SetShellVarContext all
    SetRegView 64
    !insertmacro CloseTailchimeFirst
FunctionEnd

Section "Uninstall"
    !insertmacro CloseTailchimeFirst
    Delete "$INSTDIR\tailchime.exe"
    Delete "$INSTDIR\RF.wav"
    Delete "$INSTDIR\IP.wav"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"  ; only when nothing of the operator's own is left in it

    Delete "$SMPROGRAMS\Tailchime\Tailchime.lnk"
    Delete "$SMPROGRAMS\Tailchime\Tailchime station simulator.lnk"
    RMDir "$SMPROGRAMS\Tailchime"
    Delete "$DESKTOP\Tailchime.lnk"
    !insertmacro RemoveStartupEntry
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
