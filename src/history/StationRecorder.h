#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "history/Record.h"

namespace tc::history {

// Turns what the station meets and does into the history's records, on the
// logic thread, as it happens. It only hands finished records to the store,
// which writes them elsewhere: no tick waits for a disk.
//
// An ident ends when the transmitter is next seen released after it (CW
// and audio alike keep it keyed while they go out); one that did not
// render ends where it started.
class StationRecorder {
public:
    using Clock = std::function<std::int64_t()>;  // ms since the epoch, UTC

    StationRecorder(Store& store, Clock clock) : store_(store), clock_(std::move(clock)) {}
    StationRecorder(const StationRecorder&) = delete;
    StationRecorder& operator=(const StationRecorder&) = delete;

    // The RF carrier; the anti-kerchunker's decision that the over under
    // way counts (flagged also when it came up with the decision standing).
    void carrier(bool present, bool countedAlready);
    void counted();
    // Internet audio.
    void internetAudio(bool on);
    // The transmitter as the station last read it.
    void transmitter(bool keyed);
    void cwIdent(const std::string& text, bool sent);
    void audioIdent(const std::string& file, bool rendered);

    // While it lives, the idents sent are courtesies (the handlers of the
    // end of traffic run inside one).
    class Courtesy {
    public:
        explicit Courtesy(StationRecorder& r) : r_(r) { ++r_.courtesyDepth_; }
        ~Courtesy() { --r_.courtesyDepth_; }
        Courtesy(const Courtesy&) = delete;
        Courtesy& operator=(const Courtesy&) = delete;

    private:
        StationRecorder& r_;
    };

    // Closes whatever is still open, at the present moment (the program ends).
    void finish();

private:
    void ident(bool audio, const std::string& what, bool rendered);

    Store& store_;
    Clock clock_;
    int courtesyDepth_ = 0;
    std::optional<Over> rf_, internet_;
    std::optional<Keying> keying_;
    std::vector<Ident> airing_;  // sent, waiting for the release that ends them
};

}  // namespace tc::history
