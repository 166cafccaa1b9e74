#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace tc::win32 {

// The program keeps its texts in the system's ANSI code page, the one the
// profile functions, MessageBoxA and the other "A" calls read them in; the
// host and DirectShow speak UTF-16. These convert between the two.
std::wstring wide(const std::string& text);
std::string narrow(const wchar_t* text, int length);
inline std::string narrow(BSTR text) { return narrow(text, static_cast<int>(SysStringLen(text))); }

// An owned BSTR, freed with the object.
class Bstr {
public:
    explicit Bstr(const std::string& text);
    ~Bstr() { SysFreeString(b_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR get() const { return b_; }
    // Hands the string over (to a VARIANT that frees it).
    BSTR release() {
        BSTR b = b_;
        b_ = nullptr;
        return b;
    }

private:
    BSTR b_;
};

}  // namespace tc::win32
