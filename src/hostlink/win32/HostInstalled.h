#pragma once
#include <guiddef.h>

#include "hostlink/win32/HostClasses.h"

namespace tc::win32 {

// Whether the node program is installed on this machine: its automation
// class is registered, in the 64-bit or the 32-bit view of the registry
// (the node program itself is a 32-bit program; COM starts a local server
// of either). Asks the registry only: no host program is started.
bool hostProgramInstalled(const GUID& hostClass = kHostClass);

}  // namespace tc::win32
