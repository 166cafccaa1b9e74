#pragma once
#include <string>

#include "program/Options.h"
#include "program/Platform.h"

// The windows live in a module of their own, tailchime-windows.so, loaded
// by the program only when it is to show them: a windowless station maps
// neither Qt nor the libraries Qt brings. This is the module's one entry
// point, found by name; it runs the windows as runWindowed does (Windowed.h)
// and returns the program's exit status. The core the module uses is the
// program's own: the module carries no copy of it.
extern "C" int tailchime_windows_run(const tc::Options& options, const std::string& configDir,
                                     const tc::Platform& platform, int argc, char** argv);

namespace tc {

using WindowsModuleRun = decltype(tailchime_windows_run);

inline constexpr const char* kWindowsModule = "tailchime-windows.so";
inline constexpr const char* kWindowsModuleEntry = "tailchime_windows_run";

}  // namespace tc
