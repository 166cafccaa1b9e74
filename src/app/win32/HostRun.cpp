#include "app/win32/HostRun.h"

#include <windows.h>

#include <atomic>
#include <ostream>

#include "app/Form21.h"
#include "app/win32/Folders.h"
#include "app/win32/WinEventLoop.h"
#include "app/win32/WindowsProfile.h"
#include "headless/Transcript.h"
#include "headless/TranscriptWriter.h"
#include "hostlink/win32/AutomationHost.h"
#include "ui/win32/WindowsDesktop.h"

namespace tc::win32 {

namespace {

// The console's close button, Ctrl+C and Ctrl+Break ask the station to
// close. They arrive on a thread of their own, which only hands the request
// to the loop; the form is touched on the loop's thread alone.
std::atomic<WinEventLoop*> consoleLoop{nullptr};
Form21* consoleForm = nullptr;

BOOL WINAPI onConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
    if (WinEventLoop* loop = consoleLoop.load())
        loop->postFromAnyThread([] {
            if (consoleForm) consoleForm->closeRequest();
        });
    return TRUE;
}

}  // namespace

int runWithHost(const Options& options, const Platform& platform, std::ostream& out) {
    out << std::unitbuf;  // each line as it happens: the run may be ended from outside
    WinEventLoop loop;
    Transcript transcript(out, [&loop] { return loop.nowMs(); });
    TranscriptWriter writer(transcript, false);

    const std::string folder = options.configDir.value_or(settingsFolder());
    WindowsProfile profile(folder + "\\" + WindowsProfile::kBareName);
    WindowsDesktop desktop(
        folder, {[&](const std::string& text, int style, const std::string& title) {
                     transcript.line("message " + std::to_string(style) + " " + Transcript::quoted(title) + " " +
                                     Transcript::quoted(text));
                 },
                 [&](const std::string& filter, const std::string& answer) {
                     transcript.line("dialog " + Transcript::quoted(filter) + " " + Transcript::quoted(answer));
                 },
                 [&] {
                     transcript.line("exit");
                     loop.stop();
                 }});

    AutomationHosts hosts(loop);
    auto audio = platform.audio(loop, &writer, false);
    auto report = platform.report(loop, writer.reportLine());
    Form21 form({loop, hosts, *audio, desktop, profile, platform.rfToneDefault, platform.inetToneDefault,
                 std::move(report), {}});
    writer.attach(form);

    consoleForm = &form;
    consoleLoop = &loop;
    SetConsoleCtrlHandler(onConsoleControl, TRUE);

    form.load();
    if (!form.ended()) loop.run();

    SetConsoleCtrlHandler(onConsoleControl, FALSE);
    consoleLoop = nullptr;
    consoleForm = nullptr;
    return 0;
}

}  // namespace tc::win32
