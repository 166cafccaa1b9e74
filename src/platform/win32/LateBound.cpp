#include "platform/win32/LateBound.h"

#include "platform/win32/AnsiText.h"
#include "platform/win32/ComError.h"

namespace tc::win32 {

DISPID LateBound::idOf(const char* name) {
    auto known = ids_.find(name);
    if (known != ids_.end()) return known->second;
    std::wstring wname = wide(name);
    LPOLESTR names[] = {wname.data()};
    DISPID id = DISPID_UNKNOWN;
    check(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    ids_[name] = id;
    return id;
}

Variant LateBound::invoke(const char* name, WORD flags, std::vector<Variant>& args) {
    const DISPID id = idOf(name);
    // Invoke takes the arguments last to first.
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(**it);
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    Variant result;
    struct Exception : EXCEPINFO {
        Exception() : EXCEPINFO{} {}
        ~Exception() {
            SysFreeString(bstrSource);
            SysFreeString(bstrDescription);
            SysFreeString(bstrHelpFile);
        }
    } exception;
    UINT badArgument = 0;
    const HRESULT hr =
        object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.get(), &exception, &badArgument);
    if (FAILED(hr)) throw comError(hr, &exception);
    return result;
}

void LateBound::call(const char* name, std::vector<Variant> args) { invoke(name, DISPATCH_METHOD, args); }

Variant LateBound::get(const char* name) {
    std::vector<Variant> none;
    return invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, none);
}

}  // namespace tc::win32
