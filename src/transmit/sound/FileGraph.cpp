#include "transmit/sound/FileGraph.h"

#include <cmath>

#include "transmit/sound/PlayerErrors.h"

namespace tc::sound {

namespace {

constexpr long kSilent = -10000;
constexpr long kFull = 0;
constexpr double kSlowest = 0.1;
constexpr double kFastest = 2.0;

double gainOf(long hundredthsDb) {
    return hundredthsDb <= kSilent ? 0.0 : std::pow(10.0, static_cast<double>(hundredthsDb) / 2000.0);
}

}  // namespace

FileGraph::FileGraph(std::unique_ptr<Transport> transport) : transport_(std::move(transport)) {}

void FileGraph::RenderFile(const std::string& path) {
    if (rendered_) throw renderFailure("the graph already holds a file");
    length_ = transport_->render(path);
    rendered_ = true;
}

void FileGraph::Run() {
    requireRendered();
    transport_->run();
}

void FileGraph::Stop() {
    requireRendered();
    transport_->stop();
}

double FileGraph::get_CurrentPosition() {
    requireRendered();
    return seconds(transport_->position());
}

void FileGraph::put_CurrentPosition(double secs) {
    requireRendered();
    if (!(secs >= 0.0)) throw invalidArgument();  // also NaN
    double frames = std::round(secs * length_.sampleRate);
    transport_->seek(frames >= static_cast<double>(length_.frames) ? length_.frames
                                                                   : static_cast<std::int64_t>(frames));
}

double FileGraph::get_Duration() {
    requireRendered();
    return seconds(length_.frames);
}

long FileGraph::get_Volume() {
    requireRendered();
    return volume_;
}

void FileGraph::put_Volume(long hundredthsDb) {
    requireRendered();
    if (hundredthsDb < kSilent || hundredthsDb > kFull) throw invalidArgument();
    transport_->setGain(gainOf(hundredthsDb));
    volume_ = hundredthsDb;
}

double FileGraph::get_Rate() {
    requireRendered();
    return rate_;
}

void FileGraph::put_Rate(double factor) {
    requireRendered();
    if (!(factor >= kSlowest && factor <= kFastest)) throw invalidArgument();
    transport_->setRate(factor);
    rate_ = factor;
}

void FileGraph::requireRendered() const {
    if (!rendered_) throw notRendered();
}

double FileGraph::seconds(std::int64_t frames) const {
    return static_cast<double>(frames) / static_cast<double>(length_.sampleRate);
}

}  // namespace tc::sound
