#include "Record.h"

#include <iostream>

#include "core/Transcript.h"

namespace standin {

Record::Record(const std::string& path, std::function<std::int64_t()> clock) : clock_(std::move(clock)) {
    if (!path.empty()) file_.open(path, std::ios::app);
}

void Record::line(const std::string& rest) {
    std::ostream& out = file_.is_open() ? static_cast<std::ostream&>(file_) : std::cerr;
    out << (clock_() - origin_) << ' ' << rest << std::endl;  // each line at once: the server may be ended from outside
}

void Record::cwSent(const std::string& text) { line("cw " + tc::Transcript::quoted(text)); }

void Record::chatSent(const std::string& text) { line("chat " + tc::Transcript::quoted(text)); }

}  // namespace standin
