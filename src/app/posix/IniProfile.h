#pragma once
#include <string>

#include "app/Profile.h"

namespace tc {

// The settings file as a real INI file, read and written the way the
// Windows profile functions do it, so that a file made by hand or on a
// Windows station reads the same here.
//
// Reading: `[SECTION]` headers and `key=value` lines, names matched without
// regard to ASCII case and to blanks around them; lines starting with ';' or
// '#' are comments. The first matching section and, in it, the first matching
// key win. The value loses the blanks around it and one pair of enclosing
// matching quotes, and is cut to 255 characters (UTF-8 sequences are never
// split). A missing file, section or key gives the default; a key with
// nothing after '=' gives "".
//
// Writing: the file is re-read and only the one key's line changes: it is
// rewritten in place as `key=value` with the writer's spelling, or added after
// the last non-blank line of its section, or a new section is added at the
// end. Every other byte stays as it was, line endings included (new lines
// take the file's own style, "\n" for a new file). The new text goes to
// "<file>.tmp" in the same folder and is then renamed over the file, so a
// failed write leaves the old file whole.
class IniProfile : public Profile {
public:
    explicit IniProfile(std::string path);

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;

    // False when the file cannot be read or replaced (unwritable folder,
    // read-only file), or when the names or the value cannot be stored as
    // one line (a line break anywhere, '=' or a leading ';', '#' or '[' in
    // the key, ']' in the section, an empty name). Never throws.
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace tc
