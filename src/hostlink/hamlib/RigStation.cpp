#include "hostlink/hamlib/RigStation.h"

#include <pthread.h>
#include <sched.h>

#include <algorithm>

#include "app/EventLoop.h"
#include "app/StopSignals.h"
#include "hostlink/Morse.h"
#include "hostlink/hamlib/RigDevice.h"

namespace tc {

namespace {

std::string seconds(int ms) { return std::to_string((ms + 999) / 1000) + " s"; }

}  // namespace

RigStation::RigStation(EventLoop& loop, RigConfig config, CwVoice voice)
    : loop_(loop), config_(std::move(config)), voice_(std::move(voice)), device_(std::make_unique<RigDevice>(config_)) {
    delivery_ = loop_.newTimer(kDeliverMs, true);
    delivery_->onTick = [this] { deliver(); };
    thread_ = std::thread([this] { serve(); });
}

RigStation::~RigStation() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

std::shared_ptr<HostLink> RigStation::CreateObject() {
    // A handle that shares the station without owning it: one radio.
    return std::shared_ptr<HostLink>(std::shared_ptr<HostLink>{}, this);
}

// ---- the logic thread ----

void RigStation::SetPTT(bool keyed) {
    ptt_ = keyed;
    if (!keyed) timedOut_ = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!keyed) ++releases_;
        if (wantPtt_ == keyed) {
            updateKeying();
            return;
        }
        wantPtt_ = keyed;
    }
    wake_.notify_all();
    updateKeying();
}

void RigStation::SendCW(int /*mode*/, const std::string& text) {
    for (auto* l : listeners_) l->cwSent(text);
    if (morse::elements(text).empty()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        morse_.push_back(text);
    }
    wake_.notify_all();
}

void RigStation::SendChatText(const std::string& text) {
    for (auto* l : listeners_) l->radioNotice("a radio has no chat: \"" + text + "\" not posted");
}

void RigStation::updateKeying() {
    bool keyed = (ptt_ && !timedOut_) || cwKeyed_;
    if (keyed == keyed_) return;
    keyed_ = keyed;
    for (auto* l : listeners_) l->transmitterChanged(keyed_);
}

void RigStation::deliver() {
    std::vector<News> news;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        news.swap(news_);
    }
    for (News& n : news) {
        switch (n.kind) {
            case News::Kind::Carrier:
                carrier_ = n.on;
                for (auto* l : listeners_) l->carrierChanged(n.on);
                if (sink_) sink_->CarrierDetect(n.on);
                break;
            case News::Kind::CwKeyed:
                cwKeyed_ = n.on;
                updateKeying();
                break;
            case News::Kind::TimedOut:
                if (ptt_) timedOut_ = true;  // unless the logic has released meanwhile
                updateKeying();
                break;
            case News::Kind::Notice:
                for (auto* l : listeners_) l->radioNotice(n.text);
                break;
        }
    }
}

// ---- the radio's thread ----

void RigStation::tell(News news) {
    std::lock_guard<std::mutex> lock(mutex_);
    news_.push_back(std::move(news));
}

void RigStation::rest(int ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return quit_; });
}

void RigStation::serve() {
    // The station's thread may run on real-time scheduling; the radio's
    // waits on a line and needs none of it.
    sched_param normal{};
    pthread_setschedparam(pthread_self(), SCHED_OTHER, &normal);
    int pauseMs = kFirstPauseMs;
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (quit_) break;
        }
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
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait_until(lock, started + std::chrono::milliseconds(kPollMs),
                         [this] { return quit_ || wantPtt_ != toldWant_ || (!morse_.empty() && !cwActive_); });
    }
    releaseAndClose();
}

void RigStation::openRadio(int& pauseMs) {
    try {
        device_->open();
    } catch (const RigError& e) {
        dropMorse("no radio");
        tell({News::Kind::Notice, false, std::string(e.what()) + "; trying again in " + seconds(pauseMs)});
        rest(pauseMs);
        pauseMs = std::min(pauseMs * 2, kLongestPauseMs);
        return;
    }
    sentPtt_ = -1;  // a reopened radio is told first whether to be keyed
    carrierUnknown_ = false;
    device_->setKeySpeed(config_.cwWpm);
    tell({News::Kind::Notice, false, "radio open: " + device_->describe()});
}

void RigStation::cycle() {
    bool want;
    bool released;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        toldWant_ = wantPtt_;
        want = wantPtt_ && !stopRequested();
        released = releases_ != seenReleases_;
        seenReleases_ = releases_;
    }
    auto now = Clock::now();
    keyAsWanted(want, released, now);
    sendQueuedMorse(now);
    readCarrier();
}

void RigStation::keyAsWanted(bool want, bool released, Clock::time_point now) {
    // A release by the logic, however short, ends the transmission the time-out measures.
    if (want && (!wantSeen_ || released)) keyedSince_ = now;
    wantSeen_ = want;
    if (!want || released) timeoutLatched_ = false;
    if (want && config_.txTimeoutS > 0 && !timeoutLatched_ &&
        now - keyedSince_ >= std::chrono::seconds(config_.txTimeoutS)) {
        timeoutLatched_ = true;
        tell({News::Kind::TimedOut, true, {}});
        tell({News::Kind::Notice, false,
              "transmitter time-out: released after " + std::to_string(config_.txTimeoutS) + " s keyed"});
    }
    if (cwActive_ && now >= cwUntil_) {
        cwActive_ = false;
        tell({News::Kind::CwKeyed, false, {}});
    }
    bool key = (want && !timeoutLatched_) || cwActive_;
    if (sentPtt_ != static_cast<int>(key)) {
        device_->setPtt(key);
        sentPtt_ = key;
    }
}

void RigStation::sendQueuedMorse(Clock::time_point now) {
    if (cwActive_) return;  // the station's own Morse is still on the air: the next text waits
    std::string text;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (morse_.empty()) return;
        text = std::move(morse_.front());
        morse_.pop_front();
    }
    if (device_->sendMorse(text)) return;  // the radio's keyer keys and times it
    // No keyer: the station keys the transmitter and sounds the Morse itself.
    if (sentPtt_ != 1) {
        device_->setPtt(true);
        sentPtt_ = 1;
    }
    cwActive_ = true;
    tell({News::Kind::CwKeyed, true, {}});
    if (!voice_ || !voice_(text, config_.cwWpm))
        tell({News::Kind::Notice, false, "no sound output: the CW \"" + text + "\" goes out as a keyed silence"});
    cwUntil_ = now + std::chrono::milliseconds(morse::durationMs(text, config_.cwWpm) + kCwTailMs);
}

void RigStation::readCarrier() {
    std::optional<bool> heard = device_->carrier();
    if (!heard) {
        if (!carrierUnknown_)
            tell({News::Kind::Notice, false,
                  "the radio cannot report a carrier: it counts as absent (choose a --dcd-type)"});
        carrierUnknown_ = true;
        heard = false;
    }
    if (*heard == heard_) return;
    heard_ = *heard;
    tell({News::Kind::Carrier, heard_, {}});
}

void RigStation::dropMorse(const std::string& why) {
    std::deque<std::string> dropped;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        dropped.swap(morse_);
    }
    for (const auto& text : dropped) tell({News::Kind::Notice, false, "CW \"" + text + "\" not sent: " + why});
}

void RigStation::lose(const std::string& why, int& pauseMs) {
    tell({News::Kind::Notice, false,
          "radio lost: " + why + "; the carrier counts as absent; opening it again in " + seconds(pauseMs)});
    if (heard_) {
        heard_ = false;
        tell({News::Kind::Carrier, false, {}});
    }
    if (cwActive_) {
        cwActive_ = false;
        tell({News::Kind::CwKeyed, false, {}});
    }
    device_->close();
    sentPtt_ = -1;
    dropMorse("the radio was lost");
    rest(pauseMs);
    pauseMs = std::min(pauseMs * 2, kLongestPauseMs);
}

void RigStation::releaseAndClose() {
    if (!device_->isOpen()) return;
    try {
        device_->setPtt(false);
    } catch (const RigError&) {
        // the radio is gone: nothing more can reach it
    }
    device_->close();
}

}  // namespace tc
