#pragma once
#include <objbase.h>

namespace tc::win32 {

// The logic thread as a single-threaded apartment: the host's events and
// DirectShow's calls reach it through its message pump, one at a time.
class ComApartment {
public:
    ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (ok_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool ok() const { return ok_; }

private:
    bool ok_;
};

}  // namespace tc::win32
