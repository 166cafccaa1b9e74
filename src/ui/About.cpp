#include "ui/About.h"

#include "core/Identity.h"
#include "core/HostLink.h"
#include "core/Desktop.h"
#include "ui/Maker.h"

namespace tc {

void Form14::Show() {
    if (!loaded_) Form_Load();
    desktop_.ShowAbout(*this);
}

std::string Form14::titleText() { return identity::title(echoLink_->GetStationInfo().StationCallsign); }

void Form14::Form_Load() {
    echoLink_ = hosts_.CreateObject();
    caption_ = titleText();
    label6_ = titleText();
    loaded_ = true;
}

void Form14::Command2_Click() { desktop_.OpenLink(maker::kWebSite); }

void Form14::Command3_Click() {
    desktop_.OpenLink(std::string("mailto:") + maker::kEmail + maker::kEmailSubject);
}

}  // namespace tc
