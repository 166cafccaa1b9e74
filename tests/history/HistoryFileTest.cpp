// The history file: what it keeps, and kill -9 while it is being written
// (the file opens afterwards and holds every over but those of the last
// second).
#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>

#include "history/Tally.h"
#include "history/sqlite/Database.h"
#include "history/sqlite/HistoryFile.h"
#include "support/Child.h"
#include "support/ProgramRun.h"

using namespace tc::history;

TEST(HistoryFile, SurvivesAKillHoldingAllButTheLastSecond) {
    TempDir dir;
    // Short timings, so that every over of a second counts and earns its
    // CW courtesy, whose transcript line tells how far the station got.
    std::ostringstream script;
    script << "callsign W1AW-R\nat 100 type KerchunkWait 100\nat 100 type HangTime 100\n";
    for (int i = 0; i < 60; ++i)
        script << "at " << 1000 + i * 1000 << " carrier up\nat " << 1300 + i * 1000 << " carrier down\n";
    std::ofstream(dir.file("overs.tcs")) << script.str();

    Child program({TAILCHIME_TEST_BIN, "--headless", dir.file("overs.tcs"), "--config-dir", dir.path()});
    // Waits (with a guard against hangs only) for the eighth courtesy.
    auto courtesies = [&program] { return linesWith(program.out(), " cw \"K\""); };
    ASSERT_TRUE(eventually([&] { return courtesies().size() >= 8; })) << program.out();
    // The last courtesy's stamp: the station's time when it was last seen
    // alive. Every over that ended a second before it must be in the file.
    const std::int64_t alive = std::stoll(courtesies().back());
    program.signal(SIGKILL);
    program.wait();
    const int before = static_cast<int>((alive - 1000 - 1300) / 1000) + 1;

    Database db(dir.file("history.sqlite"));
    Statement check(db, "PRAGMA integrity_check");
    ASSERT_TRUE(check.step());
    EXPECT_EQ(check.text(0), "ok");

    HistoryFile file(dir.file("history.sqlite"));
    int overs = 0;
    for (const Record& r : file.between(0, std::numeric_limits<std::int64_t>::max()))
        if (auto* o = std::get_if<Over>(&r)) {
            EXPECT_TRUE(o->counted);
            ++overs;
        }
    EXPECT_GE(overs, before) << "station time " << alive;
}

TEST(HistoryFile, KeepsFourHundredDaysBeforeTheNewestRecord) {
    TempDir dir;
    const std::int64_t newest = 1000 * kDayMs;
    {
        HistoryFile file(dir.file("history.sqlite"));
        file.add(Keying{newest - 401 * kDayMs, newest - 401 * kDayMs + 1000});
        file.add(Keying{newest - 399 * kDayMs, newest - 399 * kDayMs + 1000});
        file.flush();
        file.add(Over{newest - 5000, newest, false, true});
    }
    HistoryFile file(dir.file("history.sqlite"));
    EXPECT_EQ(file.between(0, newest + 1).size(), 2u);  // all but the one from 401 days before
    EXPECT_EQ(file.between(newest - 5000, newest - 4999).size(), 1u);
}
