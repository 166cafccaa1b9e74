#pragma once
#include <string>

namespace standin {

// Registers the stand-in as the local server of the host's class, started
// by COM as `"EXE" ARGUMENTS -Embedding`, and its type library (from the
// .tlb beside the program), which also registers the events interface for
// marshalling across processes. Returns false, with the problem written to
// standard error, when something could not be registered.
bool registerServer(const std::string& arguments);

// Removes what registerServer made.
bool unregisterServer();

// The type library beside the program.
std::string typeLibraryPath();

}  // namespace standin
