#include <gtest/gtest.h>

#include "platform/win32/InstanceMutex.h"
#include "support/TempDir.h"

using tc::win32::InstanceMutex;

TEST(InstanceMutex, OneCopyPerSettingsFolderHoweverItIsSpelt) {
    TempDir a, b;
    InstanceMutex first;
    ASSERT_TRUE(first.acquire(a.path()));

    std::string other = a.path() + "\\";
    for (char& c : other) {
        if (c == '\\') c = '/';
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    InstanceMutex second;
    EXPECT_FALSE(second.acquire(a.path()));
    EXPECT_FALSE(second.acquire(other)) << other;
    EXPECT_TRUE(second.acquire(b.path())) << "another folder is another station";
}

TEST(InstanceMutex, TheClaimEndsWithItsHolder) {
    TempDir a;
    {
        InstanceMutex first;
        ASSERT_TRUE(first.acquire(a.path()));
        EXPECT_FALSE(InstanceMutex().acquire(a.path()));
    }
    EXPECT_TRUE(InstanceMutex().acquire(a.path()));
    EXPECT_EQ(InstanceMutex::nameFor(a.path()).rfind("Local\\Tailchime-", 0), 0u);
}
