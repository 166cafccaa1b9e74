#include "program/win32/WindowOptions.h"

namespace tc::win32 {

bool windowOptionsFit(const Options& options, std::string& problem) {
    if (options.virtualTime || options.trace)
        problem = "--virtual-time and --trace belong to --headless runs";
    else if (options.screenshotDir)
        problem = "--screenshot is not offered by the Windows program; scripts/screenshots.sh takes its pictures";
    return problem.empty();
}

}  // namespace tc::win32
