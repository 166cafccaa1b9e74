// The Windows tests run on one single-threaded apartment, like the program.
#include <gtest/gtest.h>

#include "platform/win32/ComApartment.h"

int main(int argc, char** argv) {
    tc::win32::ComApartment com;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
