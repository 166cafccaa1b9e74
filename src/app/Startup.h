#pragma once
#include <functional>

namespace tc {

class Desktop;
class HostEvents;
class HostLinkFactory;
class HostRef;
class MediaPlayer;
class Panel;
class Settings;

// Start-up (the main window's load) and the close request.
class Startup {
public:
    struct Parts {
        Panel& panel;
        Desktop& desktop;
        HostLinkFactory& hosts;
        HostRef& echoLink;
        HostEvents& sink;
        Settings& settings;
        MediaPlayer& player;
        std::function<void()> saveUserData;  // the usage report, last step of start-up
    };

    explicit Startup(Parts parts) : p_(std::move(parts)) {}

    void Form_Load();
    [[noreturn]] void Form_QueryUnload();

private:
    Parts p_;
};

}  // namespace tc
