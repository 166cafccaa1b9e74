#include "program/qt/WindowsModule.h"

#include "program/qt/Windowed.h"

extern "C" __attribute__((visibility("default"))) int tailchime_windows_run(const tc::Options& options,
                                                                            const std::string& configDir,
                                                                            const tc::Platform& platform,
                                                                            int argc, char** argv) {
    return tc::runWindowed(options, configDir, platform, argc, argv);
}
