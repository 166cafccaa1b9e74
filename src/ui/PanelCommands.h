#pragma once
#include <memory>

namespace tc {

class Desktop;
class Form14;
class HostLinkFactory;
class HostRef;
class MediaPlayer;
class OnAir;
class Panel;
class Settings;
class StationEvents;
struct TextField;

// What the operator's clicks on the main window do.
class PanelCommands {
public:
    struct Parts {
        Panel& panel;
        Settings& settings;
        MediaPlayer& player;
        HostRef& echoLink;
        OnAir& onAir;
        Desktop& desktop;
        HostLinkFactory& hosts;
        StationEvents& events;
    };
    explicit PanelCommands(Parts parts);
    ~PanelCommands();

    void Command14_Click();  // Use Tailchime
    void Command15_Click();  // Stop Tailchime
    void Command18_Click();  // Save
    void Command17_Click();  // Timing Tools
    void Command16_Click();  // Save and exit (the Timings page)
    void Picture18_Click();  // CW Ident
    void Picture13_Click();  // Audio Ident
    void Command1_Click();   // choose the RF tone
    void Command6_Click();   // choose the Internet tone
    void Command10_Click();  // send the RF CW ident now
    void Command11_Click();  // send the Internet CW ident now
    void Command12_Click();  // About
    [[noreturn]] void Command9_Click();  // save and quit
    void Command2_Click();   // stop the player
    void Command5_Click();   // resume the player

    // The about window, once it has been opened.
    Form14* about() const { return about_.get(); }

private:
    void chooseFile(TextField& field);
    void sendCW(TextField& field);
    void chooseIdent(bool audio);

    Parts p_;
    std::unique_ptr<Form14> about_;
};

}  // namespace tc
