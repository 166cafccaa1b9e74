#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>

namespace standin {

// A client's argument as the record shows it: its type and value
// ("bool -1", "i2 0", "bstr \"K\""), so a wrong type is seen at once.
std::string describe(const VARIANT& argument);

}  // namespace standin
