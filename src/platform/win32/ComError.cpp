#include "platform/win32/ComError.h"

#include "platform/win32/AnsiText.h"

namespace tc::win32 {

namespace {

std::string systemText(HRESULT hr) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out(text ? text : "", n);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
    return out;
}

}  // namespace

RuntimeError comError(HRESULT hr, const EXCEPINFO* exception) {
    if (hr == DISP_E_EXCEPTION && exception) {
        const std::string description = exception->bstrDescription ? narrow(exception->bstrDescription) : "";
        const int number = exception->wCode ? exception->wCode : static_cast<int>(exception->scode);
        return {number, description.empty() ? "Automation error" : description};
    }
    switch (hr) {
        case DISP_E_UNKNOWNNAME:
        case DISP_E_MEMBERNOTFOUND: return {438, "Object doesn't support this property or method"};
        case DISP_E_TYPEMISMATCH: return err::typeMismatch();
        case DISP_E_BADPARAMCOUNT:
        case DISP_E_PARAMNOTOPTIONAL: return {450, "Wrong number of arguments or invalid property assignment"};
        case DISP_E_OVERFLOW: return err::overflow();
        case E_NOINTERFACE: return {430, "Class does not support Automation or does not support expected interface"};
        default: break;
    }
    const std::string text = systemText(hr);
    return {static_cast<int>(hr), text.empty() ? "Automation error" : "Automation error: " + text};
}

}  // namespace tc::win32
