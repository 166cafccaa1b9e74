#include "platform/posix/ConfigFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

class ConfigFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_[0] = get("XDG_CONFIG_HOME");
        saved_[1] = get("HOME");
    }
    void TearDown() override {
        set("XDG_CONFIG_HOME", saved_[0]);
        set("HOME", saved_[1]);
    }

    static std::optional<std::string> get(const char* name) {
        const char* v = std::getenv(name);
        return v ? std::optional<std::string>(v) : std::nullopt;
    }
    static void set(const char* name, const std::optional<std::string>& value) {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }

    std::optional<std::string> saved_[2];
};

TEST_F(ConfigFolderTest, XdgFolderThenHomeThenWorkingDirectory) {
    set("HOME", "/home/op");
    set("XDG_CONFIG_HOME", "/etc/op-config");
    EXPECT_EQ(tc::defaultConfigFolder(), "/etc/op-config/tailchime");
    set("XDG_CONFIG_HOME", "relative/config");  // would move with the working directory
    EXPECT_EQ(tc::defaultConfigFolder(), "/home/op/.config/tailchime");
    set("XDG_CONFIG_HOME", "");
    EXPECT_EQ(tc::defaultConfigFolder(), "/home/op/.config/tailchime");
    set("XDG_CONFIG_HOME", std::nullopt);
    set("HOME", std::nullopt);
    EXPECT_EQ(tc::defaultConfigFolder(), ".");
}

}  // namespace
