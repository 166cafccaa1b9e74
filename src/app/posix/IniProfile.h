#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/IniText.h"
#include "core/Profile.h"

namespace tc {

// The settings file as a real INI file, read and written the way the
// Windows profile functions do it (IniText), so that a file made by hand or
// on a Windows station reads the same here.
//
// The file is read once, at the first read; a save reads it afresh, so that
// lines the program does not own, edited meanwhile, are kept byte for byte.
// A save replaces the whole file in one step: the new text goes to a
// temporary file of a name of its own in the same folder, is flushed to the
// disk, renamed over the file, and the folder is flushed too. A crash at any
// moment leaves the old file or the new one, and temporary files that an
// earlier crash left are removed at the first read. A settings file that is
// a symbolic link is written through to the file it points at; one the
// operator made read-only stays as it is (the save fails). The folder is
// made when it is missing.
class IniProfile : public Profile {
public:
    explicit IniProfile(std::string path);

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    bool Flush() override;
    std::string Location() const override { return path_; }

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::optional<IniText> read_;  // the file as it was at the first read
    std::vector<IniWrite> pending_;
};

}  // namespace tc
