#pragma once
#include <string>

#include "app/Profile.h"

namespace tc::win32 {

// The settings file through the Windows profile functions themselves. With
// the bare name "tailchime.ini" they keep it in the Windows folder; a
// station started with a configuration folder passes the full path there.
class WindowsProfile final : public Profile {
public:
    static constexpr const char* kBareName = "tailchime.ini";

    explicit WindowsProfile(std::string file = kBareName) : file_(std::move(file)) {}

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override;

private:
    std::string file_;
};

}  // namespace tc::win32
