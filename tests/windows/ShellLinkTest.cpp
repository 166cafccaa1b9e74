#include <gtest/gtest.h>

#include "ui/Maker.h"
#include "ui/win32/WindowsDesktop.h"

using tc::win32::WindowsDesktop;

TEST(ShellLink, TheShellGetsFullAddressesWithEveryBlankKept) {
    // The maker's site is stored as a bare host name: the shell is given a web address.
    EXPECT_EQ(WindowsDesktop::shellLink(tc::maker::kWebSite), "https://tailchime.example.org");
    EXPECT_EQ(WindowsDesktop::shellLink("tailchime.example.org:8080/x"), "https://tailchime.example.org:8080/x");
    EXPECT_EQ(WindowsDesktop::shellLink("http://example.org/a"), "http://example.org/a");
    // The mail link keeps the blank before and after the subject words.
    EXPECT_EQ(WindowsDesktop::shellLink(std::string("mailto:") + tc::maker::kEmail + tc::maker::kEmailSubject),
              "mailto:ident@tailchime.example.org?subject=%20Tailchime%20Program%20");
}
