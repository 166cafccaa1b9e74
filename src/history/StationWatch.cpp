#include "history/StationWatch.h"

#include "app/Form21.h"

namespace tc::history {

// The host object as the station sees it while the history follows it.
class StationWatch::Host : public HostLink, public HostEvents {
public:
    Host(std::shared_ptr<HostLink> inner, Form21& form, StationRecorder& recorder, StationWatch& watch)
        : inner_(std::move(inner)), form_(form), recorder_(recorder), watch_(watch) {}

    void SetPTT(bool keyed) override {
        if (keyed) ++keyRequests;
        inner_->SetPTT(keyed);
    }
    bool GetPTT() override {
        bool keyed = inner_->GetPTT();
        recorder_.transmitter(keyed);
        return keyed;
    }
    bool GetCarrierDetect() override { return inner_->GetCarrierDetect(); }
    void SendCW(int mode, const std::string& text) override {
        try {
            inner_->SendCW(mode, text);
        } catch (...) {
            recorder_.cwIdent(text, false);
            throw;
        }
        recorder_.cwIdent(text, true);
    }
    StationInfo GetStationInfo() override { return inner_->GetStationInfo(); }
    void SendChatText(const std::string& text) override { inner_->SendChatText(text); }
    void Advise(HostEvents* sink) override { inner_->Advise(sink); }

    void RX(bool on) override {
        recorder_.internetAudio(on);
        if (on) {
            form_.RX(true);
            return;
        }
        StationRecorder::Courtesy courtesy(recorder_);
        watch_.audioAfter([this] { form_.RX(false); });
    }
    void CarrierDetect(bool present) override {
        recorder_.carrier(present, form_.panel.OK2Kerchunk.caption == "Yes");
        form_.CarrierDetect(present);
    }
    void Closing() override {
        recorder_.finish();
        form_.Closing();
    }
    void ChatTextReceived(const std::string& text) override { form_.ChatTextReceived(text); }

    int keyRequests = 0;  // calls of SetPTT(true) so far

private:
    std::shared_ptr<HostLink> inner_;
    Form21& form_;
    StationRecorder& recorder_;
    StationWatch& watch_;
};

StationWatch::StationWatch(Form21& form, StationRecorder& recorder)
    : form_(form), recorder_(recorder), inner_(form.EchoLink.get()) {
    if (!inner_) return;  // start-up ended before the host was attached
    host_ = std::make_shared<Host>(inner_, form_, recorder_, *this);
    form_.EchoLink.set(host_);
    inner_->Advise(host_.get());

    Panel& panel = form_.panel;
    kerchunkerTick_ = panel.Kerchunker->onTick;
    panel.Kerchunker->onTick = [this] {
        kerchunkerTick_();
        if (form_.panel.OK2Kerchunk.caption == "Yes") recorder_.counted();
    };
    kickBackTick_ = panel.KickBackCheck->onTick;
    panel.KickBackCheck->onTick = [this] {
        StationRecorder::Courtesy courtesy(recorder_);
        audioAfter(kickBackTick_);
    };
}

StationWatch::~StationWatch() {
    if (!host_) return;
    form_.panel.Kerchunker->onTick = kerchunkerTick_;
    form_.panel.KickBackCheck->onTick = kickBackTick_;
    form_.EchoLink.set(inner_);
    inner_->Advise(&form_);
    recorder_.finish();
}

void StationWatch::clicked(const std::function<void()>& action) {
    if (host_)
        audioAfter(action);
    else
        action();
}

// Runs a handler that may send an audio ident and records the one it sent.
// An audio ident, and only an audio ident, asks the host to key the
// transmitter (a CW ident is keyed by the host itself); it rendered when
// the player holds the file it was sent with.
void StationWatch::audioAfter(const std::function<void()>& handler) {
    const int before = host_->keyRequests;
    handler();
    if (host_->keyRequests == before) return;
    const MediaPlayer& player = form_.player;
    const bool rendered = player.loaded() && !player.CurrentFile.empty() && player.renderedFile() == player.CurrentFile;
    const std::string& file = player.ToneSource == 2 ? form_.panel.InetTone.text : form_.panel.RFTone.text;
    recorder_.audioIdent(rendered ? player.renderedFile() : file, rendered);
}

}  // namespace tc::history
