#include "app/ToneFiles.h"

#include <filesystem>
#include <system_error>

namespace tc {

std::string defaultTone(const std::string& fileName) {
    const std::string installed = std::string(TAILCHIME_DATA_DIR) + "/" + fileName;
    const std::string built = std::string(TAILCHIME_BUILD_DATA_DIR) + "/" + fileName;
    std::error_code ec;
    if (std::filesystem::exists(installed, ec)) return installed;
    if (std::filesystem::exists(built, ec)) return built;
    return installed;
}

}  // namespace tc
