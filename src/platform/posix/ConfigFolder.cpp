#include "platform/posix/ConfigFolder.h"

#include <cstdlib>

namespace tc {

std::string defaultConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/tailchime";
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0') return std::string(home) + "/.config/tailchime";
    return ".";
}

}  // namespace tc
