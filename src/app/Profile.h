#pragma once
#include <string>

namespace tc {

// The settings file, key by key, with the semantics of the Windows profile
// functions: section and key matched without regard to case; a value is
// delivered up to 255 characters; the default comes back when the file,
// section or key is missing; writing creates what is missing and replaces
// a value in place.
class Profile {
public:
    virtual ~Profile() = default;
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) = 0;
    // Returns false when the write failed; callers may ignore it.
    virtual bool WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

}  // namespace tc
