#include <gtest/gtest.h>

#include <fstream>

#include "platform/win32/Folders.h"
#include "app/win32/WindowsProfile.h"
#include "support/TempDir.h"

using tc::win32::WindowsProfile;

TEST(WindowsProfile, ReadsAsTheSettingsExpect) {
    TempDir dir;
    const std::string file = dir.file("tailchime.ini");
    std::ofstream(file) << "[settings]\r\nchecK1=0\r\nCOURTESYID=\r\nRFTONE=" << std::string(300, 'x') << "\r\n";
    WindowsProfile profile(file);
    EXPECT_EQ(profile.GetString("SETTINGS", "Check1", "1"), "0") << "names match whatever their case";
    EXPECT_EQ(profile.GetString("SETTINGS", "COURTESYID", "K"), "") << "an empty value is no missing one";
    EXPECT_EQ(profile.GetString("SETTINGS", "RFTONE", ""), std::string(255, 'x')) << "one 256-character buffer";
    EXPECT_EQ(profile.GetString("SETTINGS", "VOLSET", "-1540"), "-1540");
    EXPECT_EQ(profile.GetString("OTHER", "Check1", "1"), "1");
}

TEST(WindowsProfile, WritesReplaceInPlaceAndCreateWhatIsMissing) {
    TempDir dir;
    const std::string file = dir.file("tailchime.ini");
    WindowsProfile profile(file);
    ASSERT_TRUE(profile.WriteString("SETTINGS", "OPTION1", "True"));
    ASSERT_TRUE(profile.WriteString("SETTINGS", "CHECK1", "1"));
    ASSERT_TRUE(profile.WriteString("SETTINGS", "Check1", "0"));
    EXPECT_EQ(profile.GetString("SETTINGS", "CHECK1", ""), "0");
    const std::string text = readFile(file);
    EXPECT_EQ(text.find("[SETTINGS]"), 0u);
    EXPECT_EQ(text.find("1\r\n", text.find("heck1")), std::string::npos) << text;
    EXPECT_TRUE(profile.Flush());
    // A folder that is missing is made; one that cannot be is told by Flush.
    WindowsProfile fresh(dir.file("new-folder\\tailchime.ini"));
    EXPECT_TRUE(fresh.WriteString("SETTINGS", "A", "1"));
    EXPECT_TRUE(fresh.Flush());
    EXPECT_NE(readFile(dir.file("new-folder\\tailchime.ini")).find("A=1"), std::string::npos);
    std::ofstream(dir.file("a-file")) << "not a folder";
    WindowsProfile blocked(dir.file("a-file\\tailchime.ini"));
    EXPECT_FALSE(blocked.WriteString("SETTINGS", "A", "1"));
    EXPECT_FALSE(blocked.Flush());
}
