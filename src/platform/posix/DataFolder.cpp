#include "platform/posix/DataFolder.h"

#include <filesystem>

namespace tc {

std::string installedDataFolder() {
    std::error_code ec;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || program.empty()) return TAILCHIME_DATA_DIR;
    return (program.parent_path().parent_path() / "share" / "tailchime").lexically_normal().string();
}

}  // namespace tc
