#include "transmit/win32/DirectShowGraph.h"

#include "core/EventLoop.h"
#include "platform/win32/AnsiText.h"
#include "platform/win32/ComError.h"
#include "core/PlaybackListener.h"

namespace tc::win32 {

DirectShowGraph::DirectShowGraph(EventLoop* loop, PlaybackListener* listener) : listener_(listener) {
    check(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IMediaControl,
                           reinterpret_cast<void**>(control_.GetAddressOf())));
    check(control_->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(audio_.GetAddressOf())));
    check(control_->QueryInterface(IID_IMediaPosition, reinterpret_cast<void**>(position_.GetAddressOf())));
    check(control_->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(events_.GetAddressOf())));
    if (loop && listener_) {
        watch_ = loop->newTimer(kWatchMs, false);
        watch_->onTick = [this] { watch(); };
    }
}

DirectShowGraph::~DirectShowGraph() = default;

void DirectShowGraph::requireRendered() const {
    if (!rendered_) throw comError(VFW_E_NOT_CONNECTED);
}

void DirectShowGraph::RenderFile(const std::string& path) {
    if (rendered_) throw comError(VFW_E_ALREADY_CONNECTED);  // one file per graph
    Bstr file(path);
    check(control_->RenderFile(file.get()));
    check(position_->get_Duration(&duration_));
    path_ = path;
    rendered_ = true;
}

bool DirectShowGraph::reachedEnd() {
    long code = 0;
    LONG_PTR first = 0, second = 0;
    while (!ended_ && events_->GetEvent(&code, &first, &second, 0) == S_OK) {
        if (code == EC_COMPLETE) ended_ = true;
        events_->FreeEventParams(code, first, second);
    }
    return ended_;
}

void DirectShowGraph::watch() {
    if (reachedEnd()) tellEnd();
}

// Whoever sees the end first tells it: the watch, or a reading of the
// position (the supervisor's, which then releases the transmitter), so that
// the end is always told before what it causes.
void DirectShowGraph::tellEnd() {
    if (told_ || !watch_) return;
    told_ = true;
    watch_->setEnabled(false);
    listener_->played(path_);
}

void DirectShowGraph::Run() {
    requireRendered();
    check(control_->Run());
    if (watch_ && !told_) watch_->setEnabled(true);
}

void DirectShowGraph::Stop() {
    requireRendered();
    check(control_->Stop());
    if (watch_) watch_->setEnabled(false);
}

double DirectShowGraph::get_CurrentPosition() {
    requireRendered();
    double seconds = duration_;
    if (!reachedEnd()) check(position_->get_CurrentPosition(&seconds));
    if (seconds < duration_) return seconds;
    tellEnd();
    return duration_;
}

void DirectShowGraph::put_CurrentPosition(double seconds) {
    requireRendered();
    check(position_->put_CurrentPosition(seconds));
    reachedEnd();  // an end announced before the seek belongs to the old position
    ended_ = false;
    told_ = false;
    OAFilterState state = State_Stopped;
    if (watch_ && SUCCEEDED(control_->GetState(0, &state)) && state == State_Running) watch_->setEnabled(true);
}

double DirectShowGraph::get_Duration() {
    requireRendered();
    return duration_;
}

long DirectShowGraph::get_Volume() {
    requireRendered();
    long volume = 0;
    check(audio_->get_Volume(&volume));
    return volume;
}

void DirectShowGraph::put_Volume(long hundredthsDb) {
    requireRendered();
    check(audio_->put_Volume(hundredthsDb));
}

double DirectShowGraph::get_Rate() {
    requireRendered();
    double rate = 1.0;
    check(position_->get_Rate(&rate));
    return rate;
}

void DirectShowGraph::put_Rate(double factor) {
    requireRendered();
    check(position_->put_Rate(factor));
}

}  // namespace tc::win32
