#include "app/posix/IniProfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class IniProfileTest : public ::testing::Test {
protected:
    ~IniProfileTest() override {  // a test may have left its folder read-only
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    }
    std::string ini() const { return dir.file("tailchime.ini"); }
    static void put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // Writes the keys and saves them, as one save of the settings does.
    static bool save(tc::IniProfile& profile, const std::vector<tc::IniWrite>& writes) {
        bool stored = true;
        for (const auto& w : writes) stored = profile.WriteString(w.section, w.key, w.value) && stored;
        return profile.Flush() && stored;
    }

    TempDir dir;
    fs::path dir_{dir.path()};
};

TEST_F(IniProfileTest, MissingFileSectionOrKeyGivesDefaultAndFirstWriteCreatesAll) {
    const std::string nested = (dir_ / "a" / "b" / "tailchime.ini").string();
    tc::IniProfile profile(nested);
    EXPECT_EQ(profile.GetString("SETTINGS", "COURTESYID", "K"), "K");
    EXPECT_FALSE(fs::exists(nested));  // reading never creates anything

    ASSERT_TRUE(profile.WriteString("SETTINGS", "COURTESYID", "Q"));
    ASSERT_TRUE(profile.WriteString("SETTINGS", "IPCOURTESY", "I"));
    EXPECT_FALSE(fs::exists(nested)) << "nothing reaches the file before the save";
    ASSERT_TRUE(profile.Flush());
    EXPECT_EQ(readFile(nested), "[SETTINGS]\nCOURTESYID=Q\nIPCOURTESY=I\n");
    EXPECT_EQ(profile.GetString("SETTINGS", "COURTESYID", "K"), "Q") << "what was read before the save is read afresh";
    EXPECT_EQ(profile.GetString("OTHER", "COURTESYID", "K"), "K");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "a" / "b"), fs::directory_iterator()), 1)
        << "no temporary file is left beside it";
}

TEST_F(IniProfileTest, NamesMatchWithoutRegardToCaseOrBlanks) {
    put(ini(), "[settings]\n  hangtime  =750\n");
    tc::IniProfile profile(ini());
    EXPECT_EQ(profile.GetString("SETTINGS", "HANGTIME", "500"), "750");
    EXPECT_EQ(profile.GetString("Settings", "HangTime", "500"), "750");
}

TEST_F(IniProfileTest, ValueIsTrimmedUnquotedAndCut) {
    const std::string longValue(300, 'x');
    const std::string accented = std::string(254, 'a') + "\xC3\xA9" "bcd";  // 'é' is character 255
    put(ini(),
        "[SETTINGS]\n"
        "EMPTY=\n"
        "BLANKS =   K  \n"
        "DOUBLE=\" spaced \"\n"
        "SINGLE='/tones/RF.wav'\n"
        "MIXED=\"abc'\n"
        "LONE=\"\n"
        "LONG=" + longValue + "\n"
        "UTF8=" + accented + "\n"
        "TWICE=first\n"
        "TWICE=second\n"
        "; HANGTIME=1\n"
        "# KERCHUNKWAIT=1\n"
        "NOEQUALS\n");
    tc::IniProfile profile(ini());
    for (const auto& [key, value] : std::vector<std::pair<const char*, std::string>>{
             {"EMPTY", ""}, {"BLANKS", "K"}, {"DOUBLE", " spaced "}, {"SINGLE", "/tones/RF.wav"}, {"MIXED", "\"abc'"},
             {"LONE", "\""}, {"LONG", longValue.substr(0, 255)}, {"UTF8", accented.substr(0, 256)}, {"TWICE", "first"},
             {"HANGTIME", "dflt"}, {"KERCHUNKWAIT", "dflt"}, {"NOEQUALS", "dflt"}})
        EXPECT_EQ(profile.GetString("SETTINGS", key, "dflt"), value) << key;
}

TEST_F(IniProfileTest, WriteTouchesOnlyItsOwnLine) {
    put(ini(),
        "\xEF\xBB\xBF; Tailchime settings\n"
        "COURTESYID=outside any section\n"
        "[OTHER]\n"
        "HANGTIME=1\n"
        "\n"
        "[Settings]\n"
        "  CourtesyID = K   \n"
        "# operator note\n"
        "HangTime=500\n"
        "\n"
        "\n"
        "[LAST]\n"
        "x=y");
    tc::IniProfile profile(ini());
    ASSERT_TRUE(save(profile, {{"SETTINGS", "HANGTIME", "750"},
                               {"SETTINGS", "TOP", "300"},
                               {"SETTINGS", "COURTESYID", "Q"},
                               {"NEW", "A", "1"}}));
    EXPECT_EQ(readFile(ini()),
              "\xEF\xBB\xBF; Tailchime settings\n"
              "COURTESYID=outside any section\n"
              "[OTHER]\n"
              "HANGTIME=1\n"
              "\n"
              "[Settings]\n"
              "COURTESYID=Q\n"
              "# operator note\n"
              "HANGTIME=750\n"
              "TOP=300\n"
              "\n"
              "\n"
              "[LAST]\n"
              "x=y\n"
              "[NEW]\n"
              "A=1\n");
    EXPECT_EQ(profile.GetString("OTHER", "HANGTIME", ""), "1");
    EXPECT_EQ(profile.GetString("SETTINGS", "COURTESYID", ""), "Q");
}

// Each save adds its keys where they belong, in the line endings the file has
// (a lone CR ends a line too, as it does for the Windows profile functions).
TEST_F(IniProfileTest, AddedKeysStandBelowTheirSectionInTheFilesLineEndings) {
    struct Case {
        std::string before;
        std::vector<tc::IniWrite> writes;
        std::string after;
    };
    const Case cases[] = {
        {"[SETTINGS]\r\nRFTONE=/tones/RF.wav\r\n\r\n[LAST]\r\nx=y\r\n",
         {{"SETTINGS", "RFTONE", "/tones/chirp.wav"}, {"SETTINGS", "VOLSET", "-1540"}, {"NEW", "A", "1"}},
         "[SETTINGS]\r\nRFTONE=/tones/chirp.wav\r\nVOLSET=-1540\r\n\r\n[LAST]\r\nx=y\r\n[NEW]\r\nA=1\r\n"},
        {"[SETTINGS]\rHANGTIME=750\rKERCHUNKWAIT=3000\r",
         {{"SETTINGS", "TOP", "300"}, {"SETTINGS", "HANGTIME", "800"}},
         "[SETTINGS]\rHANGTIME=800\rKERCHUNKWAIT=3000\rTOP=300\r"},
        {"[SETTINGS]\n\n[LAST]\n", {{"SETTINGS", "LEFT", "300"}}, "[SETTINGS]\nLEFT=300\n\n[LAST]\n"},
        {"[SETTINGS]", {{"SETTINGS", "LEFT", "300"}}, "[SETTINGS]\nLEFT=300\n"},
    };
    for (const Case& c : cases) {
        put(ini(), c.before);
        tc::IniProfile profile(ini());
        ASSERT_TRUE(save(profile, c.writes)) << c.before;
        EXPECT_EQ(readFile(ini()), c.after);
        tc::IniProfile again(ini());
        for (const auto& w : c.writes) EXPECT_EQ(again.GetString(w.section, w.key, ""), w.value) << c.after;
    }
}

TEST_F(IniProfileTest, WhatCannotBeOneLineIsRefused) {
    put(ini(), "[SETTINGS]\nA=1\n");
    tc::IniProfile profile(ini());
    for (const tc::IniWrite& w : std::vector<tc::IniWrite>{{"SETTINGS", "A", "two\nlines"},
                                                           {"SETTINGS", "A=B", "1"}, {"SETTINGS", ";A", "1"},
                                                           {"SETTINGS", "  ", "1"}, {"SET]TINGS", "A", "1"}})
        EXPECT_FALSE(profile.WriteString(w.section, w.key, w.value)) << w.section << " " << w.key;
    EXPECT_TRUE(profile.Flush()) << "nothing was to be written";
    EXPECT_EQ(readFile(ini()), "[SETTINGS]\nA=1\n");
}

TEST_F(IniProfileTest, SaveThatCannotFinishLeavesTheOldFile) {
    // Something that is no file stands where the settings file should be.
    fs::create_directories(ini());
    tc::IniProfile profile(ini());
    EXPECT_FALSE(save(profile, {{"SETTINGS", "HANGTIME", "750"}}));
    EXPECT_TRUE(fs::is_directory(ini()));

    // The folder cannot be made: a plain file stands where it should be.
    put((dir_ / "plain").string(), "");
    tc::IniProfile nowhere((dir_ / "plain" / "tailchime.ini").string());
    EXPECT_FALSE(save(nowhere, {{"SETTINGS", "HANGTIME", "750"}}));
    EXPECT_EQ(nowhere.GetString("SETTINGS", "HANGTIME", "500"), "500");
}

// Temporary files have names of their own; those a crash left behind are
// cleared away when the settings are read at the next start.
TEST_F(IniProfileTest, LeftoversOfACrashAreClearedAtTheFirstRead) {
    put(ini(), "[SETTINGS]\nHANGTIME=500\n");
    put((dir_ / ".tailchime.ini.a1B2c3").string(), "[SETTINGS]\nHANGTIME=7");
    put((dir_ / "tailchime.ini.tmp").string(), "not ours");
    tc::IniProfile profile(ini());
    EXPECT_EQ(profile.GetString("SETTINGS", "HANGTIME", ""), "500");
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(dir_)) left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"tailchime.ini", "tailchime.ini.tmp"}));
}

// A settings file shared through a symbolic link stays shared.
TEST_F(IniProfileTest, ALinkIsWrittenThroughToItsTarget) {
    fs::create_directories(dir_ / "shared");
    put((dir_ / "shared" / "station.ini").string(), "[SETTINGS]\nHANGTIME=500\n");
    fs::create_symlink("shared/station.ini", ini());
    tc::IniProfile profile(ini());
    EXPECT_EQ(profile.GetString("SETTINGS", "HANGTIME", ""), "500");
    ASSERT_TRUE(save(profile, {{"SETTINGS", "HANGTIME", "750"}}));
    EXPECT_TRUE(fs::is_symlink(ini()));
    EXPECT_EQ(readFile((dir_ / "shared" / "station.ini").string()), "[SETTINGS]\nHANGTIME=750\n");
}

TEST_F(IniProfileTest, ProtectedFileOrFolderIsNotWritten) {
    const std::string old = "[SETTINGS]\nHANGTIME=500\n";
    put(ini(), old);
    tc::IniProfile profile(ini());
    fs::permissions(ini(), fs::perms::owner_read);
    if (std::ofstream(ini(), std::ios::app))  // root ignores permission bits
        GTEST_SKIP() << "permission bits do not bind this user";
    EXPECT_FALSE(save(profile, {{"SETTINGS", "HANGTIME", "750"}}));
    // A file that cannot be read is not replaced by one made without it.
    fs::permissions(ini(), fs::perms::owner_write);
    EXPECT_EQ(tc::IniProfile(ini()).GetString("SETTINGS", "HANGTIME", "dflt"), "dflt");
    EXPECT_FALSE(save(profile, {{"SETTINGS", "HANGTIME", "750"}}));
    fs::permissions(ini(), fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(save(profile, {{"SETTINGS", "HANGTIME", "750"}}));
    EXPECT_EQ(readFile(ini()), old);
}

}  // namespace
