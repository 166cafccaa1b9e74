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

void* openModule(const std::string& fileName, std::string& problem) {
    std::string path = modulePath(fileName);
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = dlerror();  // names the module and what is wrong with it
        problem = why ? why : "cannot load " + path;
    }
    return module;
}

void closeModule(void* module) {
    if (module) dlclose(module);
}

void* moduleEntry(void* module, const std::string& fileName, const char* entry, std::string& problem) {
    void* found = module ? dlsym(module, entry) : nullptr;
    if (module && !found) problem = modulePath(fileName) + " has no " + entry;
    return found;
}

void* loadModuleEntry(const std::string& fileName, const char* entry, std::string& problem) {
    return moduleEntry(openModule(fileName, problem), fileName, entry, problem);
}

}  // namespace tc
