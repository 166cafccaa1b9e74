#include "hostlink/hamlib/RigWorker.h"

#include <pthread.h>
#include <sched.h>

#include <algorithm>

#include "core/StopSignals.h"
#include "core/Morse.h"
#include "hostlink/hamlib/RigDevice.h"

namespace tc {

namespace {

std::string seconds(int ms) { return std::to_string((ms + 999) / 1000) + " s"; }

}  // namespace

RigWorker::RigWorker(const RigConfig& config, RigOrders& orders, CwVoice voice, Tell tell)
    : config_(config),
      orders_(orders),
      voice_(std::move(voice)),
      tell_(std::move(tell)),
      device_(std::make_unique<RigDevice>(config_)) {
    thread_ = std::thread([this] { serve(); });
}

RigWorker::~RigWorker() { thread_.join(); }

void RigWorker::serve() {
    // The station's thread may run on real-time scheduling; the radio's
    // waits on a line and needs none of it.
    sched_param normal{};
    pthread_setschedparam(pthread_self(), SCHED_OTHER, &normal);
    int pauseMs = kFirstPauseMs;
    while (!orders_.quitting()) {
        if (!device_->isOpen()) {
            openRadio(pauseMs);
            continue;
        }
        const auto started = Clock::now();
        try {
            cycle();
        } catch (const RigError& e) {
            lose(e.what(), pauseMs);
            continue;
        }
        pauseMs = kFirstPauseMs;  // the radio works: the next loss starts with a short pause
        // A change of keying or a new CW text wakes the thread before its poll is due.
        orders_.waitForOrders(started + std::chrono::milliseconds(kPollMs), cwActive_);
    }
    releaseAndClose();
}

void RigWorker::openRadio(int& pauseMs) {
    try {
        device_->open();
    } catch (const RigError& e) {
        dropMorse("no radio");
        notice(std::string(e.what()) + "; trying again in " + seconds(pauseMs), event::Radio::Lost);
        orders_.rest(pauseMs);
        pauseMs = std::min(pauseMs * 2, kLongestPauseMs);
        return;
    }
    sentPtt_ = -1;  // a reopened radio is told first whether to be keyed
    carrierUnknown_ = false;
    device_->setKeySpeed(config_.cwWpm);
    notice("radio open: " + device_->describe(), event::Radio::Opened);
}

void RigWorker::cycle() {
    RigOrders::Keying keying = orders_.takeKeying();
    keying.want = keying.want && !stopRequested();
    auto now = Clock::now();
    keyAsWanted(keying, now);
    sendQueuedMorse(now);
    readCarrier();
}

void RigWorker::keyAsWanted(RigOrders::Keying keying, Clock::time_point now) {
    const bool want = keying.want;
    const bool released = keying.released;
    // A release by the logic, however short, ends the transmission the time-out measures.
    if (want && (!wantSeen_ || released)) keyedSince_ = now;
    wantSeen_ = want;
    if (!want || released) timeoutLatched_ = false;
    if (want && config_.txTimeoutS > 0 && !timeoutLatched_ &&
        now - keyedSince_ >= std::chrono::seconds(config_.txTimeoutS)) {
        timeoutLatched_ = true;
        tell_({RigNews::Kind::TimedOut, true, {}});
        notice("transmitter time-out: released after " + std::to_string(config_.txTimeoutS) + " s keyed",
               event::Radio::TimedOut);
    }
    if (cwActive_ && now >= cwUntil_) {
        cwActive_ = false;
        tell_({RigNews::Kind::CwKeyed, false, {}});
    }
    bool key = (want && !timeoutLatched_) || cwActive_;
    if (sentPtt_ != static_cast<int>(key)) {
        device_->setPtt(key);
        sentPtt_ = key;
    }
}

void RigWorker::sendQueuedMorse(Clock::time_point now) {
    if (cwActive_) return;  // the station's own Morse is still on the air: the next text waits
    std::optional<std::string> next = orders_.nextMorse();
    if (!next) return;
    const std::string& text = *next;
    if (device_->sendMorse(text)) return;  // the radio's keyer keys and times it
    // No keyer: the station keys the transmitter and sounds the Morse itself.
    if (sentPtt_ != 1) {
        device_->setPtt(true);
        sentPtt_ = 1;
    }
    cwActive_ = true;
    tell_({RigNews::Kind::CwKeyed, true, {}});
    if (!voice_ || !voice_(text, config_.cwWpm))
        notice("no sound output: the CW \"" + text + "\" goes out as a keyed silence");
    cwUntil_ = now + std::chrono::milliseconds(morse::durationMs(text, config_.cwWpm) + kCwTailMs);
}

void RigWorker::readCarrier() {
    std::optional<bool> heard = device_->carrier();
    if (!heard) {
        if (!carrierUnknown_)
            notice("the radio cannot report a carrier: it counts as absent (choose a --dcd-type)");
        carrierUnknown_ = true;
        heard = false;
    }
    if (*heard == heard_) return;
    heard_ = *heard;
    tell_({RigNews::Kind::Carrier, heard_, {}});
}

void RigWorker::dropMorse(const std::string& why) {
    for (const auto& text : orders_.dropMorse()) notice("CW \"" + text + "\" not sent: " + why);
}

void RigWorker::lose(const std::string& why, int& pauseMs) {
    notice("radio lost: " + why + "; the carrier counts as absent; opening it again in " + seconds(pauseMs),
           event::Radio::Lost);
    if (heard_) {
        heard_ = false;
        tell_({RigNews::Kind::Carrier, false, {}});
    }
    if (cwActive_) {
        cwActive_ = false;
        tell_({RigNews::Kind::CwKeyed, false, {}});
    }
    device_->close();
    sentPtt_ = -1;
    dropMorse("the radio was lost");
    orders_.rest(pauseMs);
    pauseMs = std::min(pauseMs * 2, kLongestPauseMs);
}

void RigWorker::releaseAndClose() {
    if (!device_->isOpen()) return;
    try {
        device_->setPtt(false);
    } catch (const RigError&) {
        // the radio is gone: nothing more can reach it
    }
    device_->close();
}

}  // namespace tc
