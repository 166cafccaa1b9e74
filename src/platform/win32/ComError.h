#pragma once
#include <windows.h>
#include <oaidl.h>

#include "core/RuntimeError.h"

namespace tc::win32 {

// The run-time error that a failed COM call raises in the calling handler,
// numbered as the automation runtime numbers it: the host's own error when
// it reported one (DISP_E_EXCEPTION with its exception information), the
// runtime's number for the late-binding failures it knows ("Object doesn't
// support this property or method" and the like), and otherwise the
// HRESULT itself as an "Automation error" with the system's text for it.
RuntimeError comError(HRESULT hr, const EXCEPINFO* exception = nullptr);

// Throws comError(hr) when hr is a failure.
inline void check(HRESULT hr) {
    if (FAILED(hr)) throw comError(hr);
}

}  // namespace tc::win32
