#include "web/win32/QuietConsole.h"

#include <windows.h>

#include <iostream>

namespace tc::win32 {

namespace {

// The console's input as a handle of its own, closed when done.
struct ConsoleInput {
    HANDLE handle = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ~ConsoleInput() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

}  // namespace

std::optional<std::string> askAtConsole(const char* prompt) {
    // Redirected input is read as it comes, by the caller.
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    if (in && in != INVALID_HANDLE_VALUE && GetFileType(in) != FILE_TYPE_CHAR) return std::nullopt;
    AttachConsole(ATTACH_PARENT_PROCESS);  // where the program has none yet
    ConsoleInput console;
    DWORD mode = 0;
    if (console.handle == INVALID_HANDLE_VALUE || !GetConsoleMode(console.handle, &mode)) return std::nullopt;
    std::cerr << prompt << std::flush;
    SetConsoleMode(console.handle, (mode | ENABLE_LINE_INPUT) & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
    std::wstring typed;
    wchar_t buffer[256];
    DWORD read = 0;
    while (ReadConsoleW(console.handle, buffer, 256, &read, nullptr) && read > 0) {
        typed.append(buffer, read);
        if (typed.back() == L'\n') break;
    }
    SetConsoleMode(console.handle, mode);
    std::cerr << "\n";
    while (!typed.empty() && (typed.back() == L'\n' || typed.back() == L'\r')) typed.pop_back();
    const int size = WideCharToMultiByte(CP_UTF8, 0, typed.data(), static_cast<int>(typed.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string line(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, typed.data(), static_cast<int>(typed.size()), line.data(), size, nullptr, nullptr);
    return line;
}

}  // namespace tc::win32
