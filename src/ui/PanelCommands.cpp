#include "ui/PanelCommands.h"

#include "app/Dispatcher.h"
#include "app/Settings.h"
#include "hostlink/HostRef.h"
#include "transmit/MediaPlayer.h"
#include "ui/About.h"
#include "ui/Desktop.h"
#include "ui/FileDialog.h"
#include "ui/Panel.h"

namespace tc {

PanelCommands::PanelCommands(Panel& panel, Settings& settings, MediaPlayer& player, HostRef& echoLink,
                             Desktop& desktop, HostLinkFactory& hosts)
    : panel_(panel), settings_(settings), player_(player), echoLink_(echoLink), desktop_(desktop), hosts_(hosts) {}

PanelCommands::~PanelCommands() = default;

void PanelCommands::Command14_Click() {
    panel_.Check1.setValue(1);
    settings_.SaveData();
}

void PanelCommands::Command15_Click() {
    panel_.Check1.setValue(0);
    panel_.Ant0.visible = true;
    panel_.Ant1.visible = false;
    panel_.Ant2.visible = false;
    panel_.Ant3.visible = false;
    settings_.SaveData();
}

void PanelCommands::Command18_Click() { settings_.SaveData(); }

void PanelCommands::Command17_Click() { panel_.Frame6.visible = true; }

void PanelCommands::Command16_Click() {
    panel_.Frame6.visible = false;
    settings_.SaveData();
}

void PanelCommands::Picture18_Click() {
    panel_.Options.setOption1(true);
    settings_.SaveData();
}

void PanelCommands::Picture13_Click() {
    panel_.Options.setOption2(true);
    settings_.SaveData();
}

void PanelCommands::chooseFile(TextField& field) {
    CommonDialog& dialog = panel_.CommonDialog1;
    dialog.FileName = field.text;
    dialog.Filter = MediaPlayer::kFilter;
    ShowOpen(dialog, desktop_);
    if (!dialog.FileName.empty())
        field.setText(dialog.FileName);
    else
        desktop_.MsgBox(" You must select an audio file", mb::Information, "Error No File selected");
}

void PanelCommands::Command1_Click() { chooseFile(panel_.RFTone); }

void PanelCommands::Command6_Click() { chooseFile(panel_.InetTone); }

void PanelCommands::sendCW(TextField& field) {
    if (panel_.Check1.value != 1) return;
    echoLink_->SendCW(0, field.text);
}

void PanelCommands::Command10_Click() { sendCW(panel_.CourtesyID); }

void PanelCommands::Command11_Click() { sendCW(panel_.IPCourtesy); }

void PanelCommands::Command12_Click() {
    if (!about_) about_ = std::make_unique<Form14>(hosts_, desktop_);
    about_->Show();
}

void PanelCommands::Command9_Click() {
    settings_.SaveData();
    endAtOnce();
}

void PanelCommands::Command2_Click() {
    resumeNext([&] { player_.MediaControl().Stop(); });
}

void PanelCommands::Command5_Click() {
    resumeNext([&] { player_.MediaControl().Run(); });
}

}  // namespace tc
