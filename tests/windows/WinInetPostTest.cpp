#include <gtest/gtest.h>

#include "report/PostContract.h"
#include "report/win32/WinInetPost.h"
#include "ui/win32/WinEventLoop.h"

namespace {

struct WinInet {
    static constexpr bool kOnlyTheProgramsHeaders = false;  // the library adds its own
    tc::win32::WinEventLoop loop;
    tc::win32::WinInetPost client{loop};
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(WinInet, PostContract, WinInet);
