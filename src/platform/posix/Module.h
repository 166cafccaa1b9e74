#pragma once
#include <string>

namespace tc {

// Parts of the program that bring large libraries with them (the windows,
// the sound output) live in modules of their own, loaded only by the modes
// that use them, so that a windowless station maps none of those libraries.

// Where the module named `fileName` is: beside the running program when it
// runs from its build folder, otherwise in the module folder of the
// program's installation.
std::string modulePath(const std::string& fileName);

// Loads the module and returns its entry point `entry`; nullptr, with a
// one-line `problem`, when the module is missing or does not load.
void* loadModuleEntry(const std::string& fileName, const char* entry, std::string& problem);

template <class F>
F* moduleFunction(const std::string& fileName, const char* entry, std::string& problem) {
    return reinterpret_cast<F*>(loadModuleEntry(fileName, entry, problem));
}

}  // namespace tc
