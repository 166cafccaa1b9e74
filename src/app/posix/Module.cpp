#include "app/posix/Module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

namespace tc {

std::string modulePath(const std::string& fileName) {
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) {
        self[n] = '\0';
        std::error_code ec;
        auto beside = std::filesystem::path(self).parent_path() / fileName;
        if (std::filesystem::exists(beside, ec)) return beside.string();
    }
    return std::string(TAILCHIME_MODULE_DIR) + "/" + fileName;
}

void* loadModuleEntry(const std::string& fileName, const char* entry, std::string& problem) {
    std::string path = modulePath(fileName);
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = dlerror();
        problem = "cannot load " + path + ": " + (why ? why : "unknown error");
        return nullptr;
    }
    void* found = dlsym(module, entry);
    if (!found) {
        problem = path + " has no " + entry;
        return nullptr;
    }
    return found;  // the module stays loaded for the life of the program
}

}  // namespace tc
