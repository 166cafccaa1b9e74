#include "platform/posix/Module.h"

#include <dlfcn.h>

#include <filesystem>

namespace tc {

// Installed, a module lies in the library folder of the program's own
// prefix, as the tones lie in its data folder.
std::string modulePath(const std::string& fileName) {
    std::error_code ec;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || program.empty()) return fileName;  // left to the loader's search
    auto beside = program.parent_path() / fileName;
    if (std::filesystem::exists(beside, ec)) return beside.string();
    return (program.parent_path().parent_path() / TAILCHIME_MODULE_DIR / fileName).lexically_normal().string();
}

void* loadModuleEntry(const std::string& fileName, const char* entry, std::string& problem) {
    std::string path = modulePath(fileName);
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = dlerror();  // names the module and what is wrong with it
        problem = why ? why : "cannot load " + path;
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
