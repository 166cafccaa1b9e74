#pragma once
#include <chrono>
#include <cstddef>

namespace tc {

// How long and how much the usage report may cost the station.
struct CurlSettings {
    // The whole request, name look-up and connect included. A server that is
    // unreachable, refuses, stays silent or answers endlessly slowly holds up
    // start-up for no longer than this.
    std::chrono::milliseconds timeout{10000};
    // The most of an answer's content that is kept; the transfer is dropped
    // there and the answer ends. Nobody reads the answer, so a server that
    // sends megabytes costs at most this much memory.
    std::size_t answerLimit = 64 * 1024;
    // How long one wait on the network lasts before the station's pending
    // events get their turn.
    std::chrono::milliseconds eventInterval{10};
};

}  // namespace tc
