#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/win32/Folders.h"
#include "app/win32/WindowsProfile.h"
#include "support/TempFolder.h"

using tc::win32::WindowsProfile;

namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(WindowsProfile, ABareNameLivesInTheWindowsFolder) {
    // Not tailchime.ini itself: the station sessions of this machine use it.
    const std::string bare = "tailchime-profile-test.ini";
    const std::string where = tc::win32::windowsFolder() + "\\" + bare;
    DeleteFileA(where.c_str());
    WindowsProfile profile(bare);
    EXPECT_EQ(profile.GetString("SETTINGS", "HANGTIME", "500"), "500");
    EXPECT_EQ(GetFileAttributesA(where.c_str()), INVALID_FILE_ATTRIBUTES) << "reading creates nothing";
    ASSERT_TRUE(profile.WriteString("SETTINGS", "HANGTIME", "750"));
    EXPECT_NE(contents(where).find("HANGTIME=750"), std::string::npos);
    EXPECT_EQ(WindowsProfile(bare).GetString("SETTINGS", "HANGTIME", "500"), "750");
    DeleteFileA(where.c_str());
}

TEST(WindowsProfile, ReadsAsTheSettingsExpect) {
    TempFolder dir;
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
    TempFolder dir;
    const std::string file = dir.file("tailchime.ini");
    WindowsProfile profile(file);
    ASSERT_TRUE(profile.WriteString("SETTINGS", "OPTION1", "True"));
    ASSERT_TRUE(profile.WriteString("SETTINGS", "CHECK1", "1"));
    ASSERT_TRUE(profile.WriteString("SETTINGS", "Check1", "0"));
    EXPECT_EQ(profile.GetString("SETTINGS", "CHECK1", ""), "0");
    const std::string text = contents(file);
    EXPECT_EQ(text.find("[SETTINGS]"), 0u);
    EXPECT_EQ(text.find("1\r\n", text.find("heck1")), std::string::npos) << text;
    EXPECT_FALSE(WindowsProfile(dir.file("no-such-folder\\tailchime.ini")).WriteString("SETTINGS", "A", "1"));
}
