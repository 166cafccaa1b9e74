#pragma once
#include <string>

namespace tc {

// The settings file, key by key, with the semantics of the Windows profile
// functions: section and key matched without regard to case; a value is
// delivered up to 255 characters; the default comes back when the file,
// section or key is missing; writing creates what is missing and replaces
// a value in place.
//
// Writes are gathered until Flush, which puts them into the file: as one
// replacement of the whole file where the platform allows it, so that a
// crash leaves either the old settings or the new ones.
class Profile {
public:
    virtual ~Profile() = default;
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) = 0;
    // False when the value cannot be stored at all; the others still are.
    virtual bool WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
    // True when every write since the last Flush reached the file.
    virtual bool Flush() = 0;
    // Where the file is, for the operator.
    virtual std::string Location() const = 0;
};

}  // namespace tc
