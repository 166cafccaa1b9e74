// Any bytes as a settings file: reading never fails, and a save keeps what it
// does not own. What is read, written and read again is the same: every key
// of the section the program writes reads back as written, and every other
// key as it read before.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/IniText.h"

namespace {

const char* const kKeys[] = {"COURTESYID", "IPCOURTESY", "HANGTIME", "KERCHUNKWAIT", "RFTONE", "INETTONE", "VOLSET",
                             "SPEEDSET",   "OPTION1",    "OPTION2",  "CHECK1",       "LEFT",   "TOP"};
const char* const kOthers[] = {"OTHER", "RIG", ""};

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first bytes choose the values written, the rest is the file.
    std::size_t split = size > 0 ? data[0] % (size + 1) : 0;
    std::string values(reinterpret_cast<const char*>(data), split);
    std::string file(reinterpret_cast<const char*>(data) + split, size - split);

    tc::IniText before(file);
    std::vector<tc::IniWrite> writes;
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        std::string value = values.substr(std::min(values.size(), i * 3), 3);
        if (tc::IniText::storable("SETTINGS", kKeys[i], value)) writes.push_back({"SETTINGS", kKeys[i], value});
    }
    tc::IniText after(before.with(writes));
    for (const auto& w : writes) {
        std::string trimmed = w.value;
        while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t')) trimmed.erase(0, 1);
        while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t')) trimmed.pop_back();
        if (trimmed.size() >= 2 && (trimmed.front() == '"' || trimmed.front() == '\'') && trimmed.back() == trimmed.front())
            trimmed = trimmed.substr(1, trimmed.size() - 2);
        check(after.value("SETTINGS", w.key) == trimmed.substr(0, 255));
    }
    // Keys the save does not write, in every section, read as before.
    for (const char* section : kOthers)
        for (const char* key : {"A", "HANGTIME", "x"}) check(after.value(section, key) == before.value(section, key));
    for (const char* key : {"A", "x", "settings"}) check(after.value("settings ", key) == before.value("SETTINGS", key));
    // A second save of the same values changes nothing more.
    check(tc::IniText(after.with(writes)).with({}) == after.with(writes));
    return 0;
}
