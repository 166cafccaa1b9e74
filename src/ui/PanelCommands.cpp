#include "ui/PanelCommands.h"

#include "app/Settings.h"
#include "core/Desktop.h"
#include "core/Dispatcher.h"
#include "core/HostRef.h"
#include "core/StationEvents.h"
#include "transmit/MediaPlayer.h"
#include "transmit/OnAir.h"
#include "ui/About.h"
#include "ui/FileDialog.h"
#include "ui/Panel.h"

namespace tc {

PanelCommands::PanelCommands(Parts parts) : p_(parts) {}

PanelCommands::~PanelCommands() = default;

void PanelCommands::Command14_Click() {
    const bool was = p_.panel.Check1.value == 1;
    p_.panel.Check1.setValue(1);
    if (!was) p_.events.raise(event::Switched{true});
    p_.settings.SaveData();
}

void PanelCommands::Command15_Click() {
    Panel& panel = p_.panel;
    const bool was = panel.Check1.value == 1;
    panel.Check1.setValue(0);
    if (was) p_.events.raise(event::Switched{false});
    panel.Ant0.visible = true;
    panel.Ant1.visible = false;
    panel.Ant2.visible = false;
    panel.Ant3.visible = false;
    p_.settings.SaveData();
}

void PanelCommands::Command18_Click() { p_.settings.SaveData(); }

void PanelCommands::Command17_Click() { p_.panel.Frame6.visible = true; }

void PanelCommands::Command16_Click() {
    p_.panel.Frame6.visible = false;
    p_.settings.SaveData();
}

void PanelCommands::chooseIdent(bool audio) {
    const bool was = !p_.panel.Options.Option1;  // audio while the CW page is not chosen
    if (audio)
        p_.panel.Options.setOption2(true);
    else
        p_.panel.Options.setOption1(true);
    if (was != audio) p_.events.raise(event::IdentMode{audio});
    p_.settings.SaveData();
}

void PanelCommands::Picture18_Click() { chooseIdent(false); }

void PanelCommands::Picture13_Click() { chooseIdent(true); }

void PanelCommands::chooseFile(TextField& field) {
    CommonDialog& dialog = p_.panel.CommonDialog1;
    dialog.FileName = field.text;
    dialog.Filter = MediaPlayer::kFilter;
    ShowOpen(dialog, p_.desktop);
    if (!dialog.FileName.empty())
        field.setText(dialog.FileName);
    else
        p_.desktop.MsgBox(" You must select an audio file", mb::Information, "Error No File selected");
}

void PanelCommands::Command1_Click() { chooseFile(p_.panel.RFTone); }

void PanelCommands::Command6_Click() { chooseFile(p_.panel.InetTone); }

void PanelCommands::sendCW(TextField& field) {
    if (p_.panel.Check1.value != 1) return;
    p_.onAir.sendCw(p_.echoLink, field.text, p_.events.asker());
}

void PanelCommands::Command10_Click() { sendCW(p_.panel.CourtesyID); }

void PanelCommands::Command11_Click() { sendCW(p_.panel.IPCourtesy); }

void PanelCommands::Command12_Click() {
    if (!about_) about_ = std::make_unique<Form14>(p_.hosts, p_.desktop);
    about_->Show();
}

void PanelCommands::Command9_Click() {
    p_.settings.SaveData();
    endAtOnce();
}

void PanelCommands::Command2_Click() {
    resumeNext([&] { p_.player.MediaControl().Stop(); });
}

void PanelCommands::Command5_Click() {
    resumeNext([&] { p_.player.MediaControl().Run(); });
}

}  // namespace tc
