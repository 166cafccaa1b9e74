#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ui/win32/Widgets.h"
#include "web/secure/WebPageChoice.h"

namespace tc {
class Profile;
}

namespace tc::win32 {

// "Web page...": where the station's web page is served and its password,
// for a sysop who rarely opens a console. It shows where the page is and
// opens it in the default browser; it sets the address, the port and the
// password (typed twice, hidden), stored in the settings file as the
// page's own settings are (the password as its hash only, made off the
// station's thread). The page moves there at the program's next start.
class WebPageDialog {
public:
    explicit WebPageDialog(Profile& settings);
    ~WebPageDialog();
    WebPageDialog(const WebPageDialog&) = delete;
    WebPageDialog& operator=(const WebPageDialog&) = delete;

    HWND handle() const { return window_; }
    // Shows it beside the owner, its fields as the settings file has them.
    void present(HWND owner);

    static constexpr const char* kClass = "TailchimeWebPage";
    static constexpr const char* kTitle = "Web page";
    enum Id { kWhere = 301, kAddress, kPort, kPassword, kAgain, kNote, kSave, kOpen };

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND add(const char* cls, const char* text, DWORD style, RECT twips, int id = 0);
    void load();
    void save();
    void saved(std::optional<std::string> hash);
    void tell(const std::string& note);
    std::string field(int id) const;

    Profile& settings_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    std::vector<Placed> placed_;
    WebPageChoice saving_;
    std::thread hashing_;  // the password's hash, while it is being made
};

}  // namespace tc::win32
