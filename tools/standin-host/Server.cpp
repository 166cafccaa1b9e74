#include "Server.h"

#include "HostObject.h"
#include "platform/win32/AnsiText.h"
#include "ui/win32/WinEventLoop.h"
#include "core/Transcript.h"
#include "standin-host.h"

namespace standin {

Server::Server(tc::win32::WinEventLoop& loop, Record& rec, std::optional<tc::Script> timeline, ITypeLib* library,
               bool ownTypeInfo)
    : station(loop, timeline && timeline->callsign ? *timeline->callsign : tc::SimulatedStation::kDefaultCallsign),
      record(rec),
      loop_(loop),
      timeline_(std::move(timeline)),
      library_(library),
      ownTypeInfo_(ownTypeInfo) {
    library_->GetTypeInfoOfGuid(DIID_StandInHostEvents, &events_);
    station.addListener(&record);
    station.Advise(this);
}

void Server::objectCreated(HostObject* host) {
    if (host) hosts_.insert(host);
    ++references_;
}

void Server::clientListening() {
    if (!started_) startTimeline();
}

void Server::objectReleased(HostObject* host) {
    if (host) hosts_.erase(host);
    if (--references_ == 0) loop_.stop();
}

void Server::lock() { ++references_; }

void Server::unlock() {
    if (--references_ == 0) loop_.stop();
}

void Server::startTimeline() {
    started_ = true;
    record.startClock();
    if (!timeline_) return;
    lastPlayedMs_ = loop_.nowMs();
    playFrom(0);
}

void Server::playFrom(size_t next) {
    const auto& statements = timeline_->statements;
    if (next == statements.size()) {
        loop_.post(lastPlayedMs_ + kRunOutMs, tc::Lane::Outside, [this] {
            record.line("end");
            loop_.stop();
        });
        return;
    }
    const std::int64_t due = lastPlayedMs_ + (statements[next].at - lastAt_);
    loop_.post(due, tc::Lane::Outside, [this, next] {
        const tc::Statement& s = timeline_->statements[next];
        lastAt_ = s.at;
        if (station.keyedByProgram()) {
            // The program is still answering what came before: a little later.
            lastPlayedMs_ = loop_.nowMs() + 10;
            playFrom(next);
            return;
        }
        lastPlayedMs_ = loop_.nowMs();
        perform(s);
        if (s.kind != tc::Statement::Kind::End) playFrom(next + 1);
    });
}

void Server::perform(const tc::Statement& s) {
    using K = tc::Statement::Kind;
    switch (s.kind) {
        case K::Carrier: station.raiseCarrier(s.on); break;
        case K::Rx: station.raiseRX(s.on); break;
        case K::Chat: station.raiseChat(s.text); break;
        case K::Closing: station.raiseClosing(); break;
        case K::End:
            record.line("end");
            loop_.stop();
            break;
        default: break;  // refused when the timeline was read
    }
}

void Server::raise(const wchar_t* name, const char* shown, VARIANT* argument) {
    std::wstring copy = name;
    LPOLESTR names[] = {copy.data()};
    MEMBERID id = DISPID_UNKNOWN;
    if (!events_ || FAILED(events_->GetIDsOfNames(names, 1, &id))) return;
    DISPPARAMS params{argument, nullptr, argument ? 1u : 0u, 0};
    // Copied first: a client may disconnect while it is being told.
    const std::set<HostObject*> hosts = hosts_;
    int told = 0;
    for (HostObject* host : hosts) told += host->fire(id, params);
    record.line(std::string("raise ") + shown + " sinks=" + std::to_string(told));
}

void Server::RX(bool bRX) {
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = bRX ? VARIANT_TRUE : VARIANT_FALSE;
    raise(L"RX", bRX ? "RX True" : "RX False", &v);
}

void Server::CarrierDetect(bool bCD) {
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = bCD ? VARIANT_TRUE : VARIANT_FALSE;
    raise(L"CarrierDetect", bCD ? "CarrierDetect True" : "CarrierDetect False", &v);
}

void Server::Closing() { raise(L"Closing", "Closing", nullptr); }

void Server::ChatTextReceived(const std::string& sText) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = tc::win32::Bstr(sText).release();
    raise(L"ChatTextReceived", ("ChatTextReceived " + tc::Transcript::quoted(sText)).c_str(), &v);
    VariantClear(&v);
}

}  // namespace standin
