#include "history/StationRecorder.h"

namespace tc::history {

void StationRecorder::carrier(bool present, bool countedAlready) {
    const std::int64_t now = clock_();
    if (present && !rf_) {
        rf_ = Over{now, now, false, countedAlready};
    } else if (!present && rf_) {
        rf_->end = now;
        store_.add(*rf_);
        rf_.reset();
    }
}

void StationRecorder::counted() {
    if (rf_) rf_->counted = true;
}

void StationRecorder::internetAudio(bool on) {
    const std::int64_t now = clock_();
    if (on && !internet_) {
        internet_ = Over{now, now, true, true};
    } else if (!on && internet_) {
        internet_->end = now;
        store_.add(*internet_);
        internet_.reset();
    }
}

void StationRecorder::transmitter(bool keyed) {
    if (keyed == keying_.has_value()) return;
    const std::int64_t now = clock_();
    if (keyed) {
        keying_ = Keying{now, now};
        return;
    }
    keying_->end = now;
    store_.add(*keying_);
    keying_.reset();
    for (Ident& i : airing_) {
        i.end = now;
        store_.add(std::move(i));
    }
    airing_.clear();
}

void StationRecorder::cwIdent(const std::string& text, bool sent) { ident(false, text, sent); }

void StationRecorder::audioIdent(const std::string& file, bool rendered) { ident(true, file, rendered); }

void StationRecorder::ident(bool audio, const std::string& what, bool rendered) {
    const std::int64_t now = clock_();
    Ident i{now, now, audio, what, rendered, courtesyDepth_ > 0};
    if (rendered)
        airing_.push_back(std::move(i));
    else
        store_.add(std::move(i));
}

void StationRecorder::finish() {
    if (rf_) carrier(false, false);
    if (internet_) internetAudio(false);
    const std::int64_t now = clock_();
    if (keying_) {
        transmitter(false);
    } else {
        for (Ident& i : airing_) {
            i.end = now;
            store_.add(std::move(i));
        }
        airing_.clear();
    }
}

}  // namespace tc::history
