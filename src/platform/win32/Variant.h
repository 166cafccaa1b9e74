#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace tc::win32 {

// An owned VARIANT, cleared with the object.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    ~Variant() { VariantClear(&v_); }
    Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant& operator=(Variant&&) = delete;

    // The host's Booleans: 16 bits, True -1, False 0.
    static Variant boolean(bool value);
    static Variant integer(short value);
    static Variant text(const std::string& value);

    VARIANT* get() { return &v_; }
    const VARIANT& operator*() const { return v_; }

private:
    VARIANT v_;
};

// What a host hands back, read the way the automation runtime converts it
// (a Boolean may come as any number, a text as any scalar; references are
// followed). A value that does not convert raises the run-time error.
bool toBool(const VARIANT& value);
std::string toText(const VARIANT& value);

}  // namespace tc::win32
