#pragma once
#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <map>
#include <string>
#include <vector>

#include "platform/win32/Variant.h"

namespace tc::win32 {

using Microsoft::WRL::ComPtr;

// An automation object called by member name, as a late-bound client does:
// the names are looked up once through IDispatch and the calls go through
// Invoke, so neither the order of the interface's slots nor a member being
// a method rather than a property matters. A failed call raises the
// run-time error in the caller.
class LateBound {
public:
    explicit LateBound(ComPtr<IDispatch> object) : object_(std::move(object)) {}

    // A procedure with its arguments, first to last.
    void call(const char* name, std::vector<Variant> args = {});
    // A function or a property, whichever the object makes the member.
    Variant get(const char* name);

    IDispatch* object() const { return object_.Get(); }

private:
    DISPID idOf(const char* name);
    Variant invoke(const char* name, WORD flags, std::vector<Variant>& args);

    ComPtr<IDispatch> object_;
    std::map<std::string, DISPID> ids_;
};

}  // namespace tc::win32
