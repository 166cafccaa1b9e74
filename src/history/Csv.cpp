#include "history/Csv.h"

#include <algorithm>

#include "history/UtcTime.h"

namespace tc::history {

namespace {

std::string quoted(const std::string& text) {
    std::string q = "\"";
    for (char c : text) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + '"';
}

}  // namespace

void writeCsv(std::ostream& out, std::vector<Record> records) {
    std::stable_sort(records.begin(), records.end(),
                     [](const Record& a, const Record& b) { return startOf(a) < startOf(b); });
    out << "record,start,end,kind,outcome,purpose,text\n";
    for (const Record& r : records) {
        const std::string times = isoUtc(startOf(r)) + ',' + isoUtc(endOf(r));
        if (const auto* o = std::get_if<Over>(&r)) {
            out << "over," << times << ',' << (o->internet ? "internet" : "rf") << ','
                << (o->counted ? "counted" : "kerchunk") << ",,\n";
        } else if (const auto* i = std::get_if<Ident>(&r)) {
            out << "ident," << times << ',' << (i->audio ? "audio" : "cw") << ','
                << (i->rendered ? "rendered" : "failed") << ',' << (i->courtesy ? "courtesy" : "test") << ','
                << quoted(i->what) << '\n';
        } else {
            out << "keying," << times << ",,,,\n";
        }
    }
}

}  // namespace tc::history
