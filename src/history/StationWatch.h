#pragma once
#include <functional>
#include <memory>

#include "history/StationRecorder.h"

namespace tc {
class Form21;
class HostLink;
}

namespace tc::history {

// Follows a running station for its history, without changing what it
// does: the station's host object is wrapped so that every carrier,
// Internet audio, CW ident and reading of the transmitter passes by the
// recorder on its way, and the anti-kerchunker's two timers are followed
// for its decisions (an over counted; a courtesy sent at the end of it).
// Installed once start-up has attached the host; taken out again, and the
// open records closed, when it goes (before the station).
class StationWatch {
public:
    StationWatch(Form21& form, StationRecorder& recorder);
    ~StationWatch();
    StationWatch(const StationWatch&) = delete;
    StationWatch& operator=(const StationWatch&) = delete;

    // Runs an operator's action so that the audio ident it may send is
    // recorded (the windows' own clicks pass by unseen).
    void clicked(const std::function<void()>& action);

    class Host;

private:
    void audioAfter(const std::function<void()>& handler);

    Form21& form_;
    StationRecorder& recorder_;
    std::shared_ptr<HostLink> inner_;
    std::shared_ptr<Host> host_;
    std::function<void()> kerchunkerTick_, kickBackTick_;
};

}  // namespace tc::history
