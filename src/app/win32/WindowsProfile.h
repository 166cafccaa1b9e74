#pragma once
#include <string>

#include "core/Profile.h"

namespace tc::win32 {

// The settings file through the Windows profile functions themselves, given
// by its full path. Each key is written in place the moment it is written,
// as the profile functions do it; Flush only tells whether all of them
// reached the file. The folder is made when it is missing.
class WindowsProfile final : public Profile {
public:
    static constexpr const char* kBareName = "tailchime.ini";

    explicit WindowsProfile(std::string file = kBareName) : file_(std::move(file)) {}

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    bool Flush() override;
    std::string Location() const override { return file_; }

private:
    std::string file_;
    bool allWritten_ = true;
};

}  // namespace tc::win32
