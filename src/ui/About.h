#pragma once
#include <memory>
#include <string>

namespace tc {

class Desktop;
class HostLink;
class HostLinkFactory;

// The about window: product, version and the station's call sign, read
// through a host object of its own, and the maker's two links.
class Form14 {
public:
    Form14(HostLinkFactory& hosts, Desktop& desktop) : hosts_(hosts), desktop_(desktop) {}

    // Shows the window, loading it first when it is not loaded.
    void Show();
    // The window was closed: the next Show loads it again.
    void Unload() { loaded_ = false; }

    void Form_Load();
    void Command2_Click();  // the maker's web site
    void Command3_Click();  // an e-mail to the maker

    const std::string& Caption() const { return caption_; }
    const std::string& Label6() const { return label6_; }
    bool loaded() const { return loaded_; }

private:
    std::string titleText();

    HostLinkFactory& hosts_;
    Desktop& desktop_;
    std::shared_ptr<HostLink> echoLink_;
    std::string caption_ = "About";
    std::string label6_ = "Program Here";
    bool loaded_ = false;
};

}  // namespace tc
