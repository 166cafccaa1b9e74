#include "program/ToneFiles.h"

#include <filesystem>
#include <system_error>

namespace tc {

std::string defaultTone(const std::string& fileName, const std::string& installedFolder) {
    const std::string installed = installedFolder + "/" + fileName;
    const std::string built = std::string(TAILCHIME_BUILD_DATA_DIR) + "/" + fileName;
    std::error_code ec;
    if (std::filesystem::exists(installed, ec)) return installed;
    if (std::filesystem::exists(built, ec)) return built;
    return installed;
}

}  // namespace tc
