#include "platform/posix/ConfigFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// An environment variable the test sets (nullptr: unsets), as it was again afterwards.
class Variable {
public:
    explicit Variable(const char* name) : name_(name) {
        if (const char* v = std::getenv(name)) was_ = v;
    }
    ~Variable() { *this = was_ ? was_->c_str() : nullptr; }
    void operator=(const char* value) { value ? setenv(name_, value, 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> was_;
};

TEST(ConfigFolder, XdgFolderThenHomeThenWorkingDirectory) {
    Variable xdg("XDG_CONFIG_HOME"), home("HOME");
    home = "/home/op";
    xdg = "/etc/op-config";
    EXPECT_EQ(tc::defaultConfigFolder(), "/etc/op-config/tailchime");
    xdg = "relative/config";  // would move with the working directory
    EXPECT_EQ(tc::defaultConfigFolder(), "/home/op/.config/tailchime");
    xdg = "";
    EXPECT_EQ(tc::defaultConfigFolder(), "/home/op/.config/tailchime");
    xdg = nullptr;
    home = nullptr;
    EXPECT_EQ(tc::defaultConfigFolder(), ".");
}

}  // namespace
