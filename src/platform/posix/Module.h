#pragma once
#include <string>

namespace tc {

// Parts of the program that bring large libraries with them (the windows,
// the sound output, the HTTP client) live in modules of their own, loaded
// only by the modes that use them, so that a windowless station maps none of
// those libraries.

// Where the module named `fileName` is: beside the running program when it
// runs from its build folder, otherwise in the module folder of the
// program's installation.
std::string modulePath(const std::string& fileName);

// Loads the module; nullptr, with a one-line `problem`, when it is missing
// or does not load. closeModule() unloads it again, with the libraries only
// it brought.
void* openModule(const std::string& fileName, std::string& problem);
void closeModule(void* module);

// The module's entry point `entry`; nullptr, with a `problem`, where it has none.
void* moduleEntry(void* module, const std::string& fileName, const char* entry, std::string& problem);

// Loads the module for the life of the program and returns its entry point.
void* loadModuleEntry(const std::string& fileName, const char* entry, std::string& problem);

template <class F>
F* moduleFunction(const std::string& fileName, const char* entry, std::string& problem) {
    return reinterpret_cast<F*>(loadModuleEntry(fileName, entry, problem));
}

}  // namespace tc
