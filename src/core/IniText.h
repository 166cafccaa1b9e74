#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tc {

// One key to be set in a section.
struct IniWrite {
    std::string section;
    std::string key;
    std::string value;
};

// The text of an INI file, read the way the Windows profile functions read
// it, and changed the way they change it.
//
// Reading: `[SECTION]` headers and `key=value` lines, names matched without
// regard to ASCII case and to blanks around them; lines starting with ';' or
// '#' are comments. A line ends at "\r\n", "\n" or a lone "\r". The first
// matching section and, in it, the first matching key win. The value loses
// the blanks around it and one pair of enclosing matching quotes, and is cut
// to 255 characters (UTF-8 sequences are never split).
//
// Changing: only the lines of the keys written change: a key's line is
// rewritten in place as `key=value` with the writer's spelling, or added
// after the last non-blank line of its section, or a new section is added at
// the end. Every other byte stays as it was, line endings included (new
// lines take the file's own style, "\n" for a new file).
//
// Each section is found with one pass over the text, whatever its size.
class IniText {
public:
    explicit IniText(std::string bytes);

    // nullopt when the section or key is missing; "" for nothing after '='.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // The text with all the writes made, in their order.
    std::string with(const std::vector<IniWrite>& writes) const;

    // Whether the names and value make exactly one header and one key line
    // that read back as the same names: no line break anywhere, no '=' or
    // leading ';', '#' or '[' in the key, no ']' in the section, no empty name.
    static bool storable(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Section;
    const Section& section(std::string_view name) const;

    std::string bytes_;
    mutable std::map<std::string, Section> sections_;  // by lower-case name, found on first use
};

struct IniText::Section {
    std::optional<std::size_t> header;               // where its header line ends (past the line break)
    std::size_t end = 0;                             // past the last non-blank line of the section
    bool endHasBreak = true;                         // that line ends in a line break
    std::map<std::string, std::pair<std::size_t, std::size_t>> keys;  // lower-case name: line text [begin, end)
};

}  // namespace tc
