#pragma once
#include <guiddef.h>

namespace tc::win32 {

// The host program's automation class and its events interface, as the
// host registers them. Only these two are asked for by id: the operations
// and the station information are reached by name, whatever their slots.
inline constexpr GUID kHostClass = {0xD1FB3C9A, 0xBB2D, 0x446A, {0xA7, 0x4A, 0xE7, 0x71, 0xF1, 0x34, 0xED, 0x56}};
inline constexpr GUID kHostEventsInterface = {0x6F55F7AF, 0x8DA6, 0x400F, {0x96, 0xEB, 0xC3, 0x71, 0xF0, 0x31, 0x16, 0x11}};

}  // namespace tc::win32
