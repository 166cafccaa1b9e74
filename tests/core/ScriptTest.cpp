// Reading station scripts: what each statement means, and a clear refusal
// of anything else.
#include <gtest/gtest.h>

#include "program/headless/Script.h"

namespace {

tc::ScriptVocabulary vocabulary() {
    auto any = [](std::string_view n) { return n == "Command14" || n == "HangTime" || n == "V1" || n == "PTT"; };
    return {any, any, any, any};
}

std::string problemOf(const std::string& text) {
    tc::ScriptError e;
    auto s = tc::parseScript(text, vocabulary(), e);
    return s ? "" : std::to_string(e.line) + ": " + e.problem;
}

TEST(Script, StatementsAndTheirArguments) {
    tc::ScriptError e;
    auto s = tc::parseScript(
        "# a station\ncallsign W1AW-R\n\nat 0 carrier up   # comment\nat 5 rx off\n"
        "at 5 chat  two blanks # and a hash\r\nat 6 type HangTime \nat 7 slide V1 -3000\n"
        "at 8 dialog cancel\nat 8 dialog /tmp/a b.wav\nat 9 show PTT\nat 9 closing\nat 9 end\n",
        vocabulary(), e);
    ASSERT_TRUE(s) << e.line << ": " << e.problem;
    EXPECT_EQ(s->callsign, "W1AW-R");
    const auto& st = s->statements;
    ASSERT_EQ(st.size(), 10u);
    EXPECT_TRUE(st[0].on);
    EXPECT_FALSE(st[1].on);
    EXPECT_EQ(st[2].text, " two blanks # and a hash") << "chat text runs to the end as written";
    EXPECT_EQ(st[3].name, "HangTime");
    EXPECT_EQ(st[3].text, "");
    EXPECT_EQ(st[4].value, -3000);
    EXPECT_EQ(st[5].text, "");
    EXPECT_EQ(st[6].text, "/tmp/a b.wav");
    EXPECT_EQ(st[7].line, 11);
}

TEST(Script, ProblemsNameTheLine) {
    EXPECT_EQ(problemOf("at 10 end\ncallsign X-Y\n"), "2: 'callsign' must come before the first 'at'");
    EXPECT_EQ(problemOf("at ten carrier up\n"), "1: 'ten' is not a time in whole milliseconds");
    EXPECT_EQ(problemOf("at -1 end\n"), "1: '-1' is not a time in whole milliseconds");
    EXPECT_EQ(problemOf("at 9223372036854775800 end\n"),
              "1: time 9223372036854775800 is later than the station's clock goes (1000000000000000000 ms)");
    EXPECT_EQ(problemOf("at 99999999999999999999 end\n"), "1: '99999999999999999999' is not a time in whole milliseconds");
    EXPECT_EQ(problemOf("at 5 end\nat 4 end\n"), "2: time 4 is earlier than the statement before it");
    EXPECT_EQ(problemOf("at 5 carrier sideways\n"), "1: 'carrier' takes 'up' or 'down'");
    EXPECT_EQ(problemOf("at 5 click Command99\n"), "1: 'Command99' is not a control that can be clicked");
    EXPECT_EQ(problemOf("at 5 slide V1 loud\n"), "1: 'slide' needs a whole-number value");
    EXPECT_EQ(problemOf("at 5 close now\n"), "1: 'close' takes nothing after it");
    EXPECT_EQ(problemOf("at 5 dance\n"), "1: unknown statement 'dance'");
    EXPECT_EQ(problemOf("at 5\n"), "1: nothing to do after the time");
    EXPECT_EQ(problemOf("hello\n"), "1: expected 'at TIME ...' or 'callsign CALL', found 'hello'");
    EXPECT_EQ(problemOf("at 5 dialog\n"), "1: 'dialog' needs a path or 'cancel'");
}

}  // namespace
