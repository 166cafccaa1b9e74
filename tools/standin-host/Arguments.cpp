#include "Arguments.h"

#include "platform/win32/AnsiText.h"
#include "core/Transcript.h"

namespace standin {

std::string describe(const VARIANT& v) {
    if (v.vt & VT_BYREF) {
        VARIANT value;
        VariantInit(&value);
        if (FAILED(VariantCopyInd(&value, const_cast<VARIANT*>(&v)))) return "byref vt=" + std::to_string(v.vt);
        std::string shown = "byref " + describe(value);
        VariantClear(&value);
        return shown;
    }
    switch (v.vt) {
        case VT_BOOL: return "bool " + std::to_string(v.boolVal);
        case VT_I2: return "i2 " + std::to_string(v.iVal);
        case VT_I4: return "i4 " + std::to_string(v.lVal);
        case VT_UI1: return "ui1 " + std::to_string(v.bVal);
        case VT_R8: return "r8 " + std::to_string(v.dblVal);
        case VT_BSTR: return "bstr " + tc::Transcript::quoted(tc::win32::narrow(v.bstrVal));
        case VT_EMPTY: return "empty";
        default: return "vt=" + std::to_string(v.vt);
    }
}

}  // namespace standin
