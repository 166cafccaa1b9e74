#include "platform/win32/Variant.h"

#include "platform/win32/AnsiText.h"
#include "platform/win32/ComError.h"

namespace tc::win32 {

Variant Variant::boolean(bool value) {
    Variant v;
    v.v_.vt = VT_BOOL;
    v.v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

Variant Variant::integer(short value) {
    Variant v;
    v.v_.vt = VT_I2;
    v.v_.iVal = value;
    return v;
}

Variant Variant::text(const std::string& value) {
    Variant v;
    v.v_.vt = VT_BSTR;
    v.v_.bstrVal = Bstr(value).release();
    return v;
}

bool toBool(const VARIANT& value) {
    Variant converted;
    check(VariantChangeType(converted.get(), const_cast<VARIANT*>(&value), 0, VT_BOOL));
    return (*converted).boolVal != VARIANT_FALSE;
}

std::string toText(const VARIANT& value) {
    Variant converted;
    check(VariantChangeType(converted.get(), const_cast<VARIANT*>(&value), 0, VT_BSTR));
    return narrow((*converted).bstrVal);
}

}  // namespace tc::win32
