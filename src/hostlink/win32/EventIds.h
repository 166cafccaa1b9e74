#pragma once
#include <oaidl.h>

namespace tc::win32 {

// The dispatch ids under which the host raises its four events, found by
// name in its type library: first through the object's own type
// information, else through the type library registered for the events
// interface (which the host must register anyway, or its events could not
// cross into our process). An event the library does not name keeps
// DISPID_UNKNOWN and is never recognised.
struct EventIds {
    DISPID RX = DISPID_UNKNOWN;
    DISPID CarrierDetect = DISPID_UNKNOWN;
    DISPID Closing = DISPID_UNKNOWN;
    DISPID ChatTextReceived = DISPID_UNKNOWN;

    // Throws the run-time error when no type library describes the events.
    static EventIds of(IDispatch* host);
};

}  // namespace tc::win32
