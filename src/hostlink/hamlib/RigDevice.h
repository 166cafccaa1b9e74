#pragma once
#include <optional>
#include <stdexcept>
#include <string>

#include "hostlink/RigConfig.h"

struct s_rig;

namespace tc {

// A call to the radio that failed: the radio is gone, does not answer in
// time, or refused. The text says which, for the operator.
class RigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One radio through libhamlib. Every call blocks until the radio has
// answered (or the answer time has passed), so only the radio's own thread
// makes them.
class RigDevice {
public:
    // How long the radio may take to answer one command before it counts
    // as gone; no retries, so a dead line is found in this time.
    static constexpr int kAnswerMs = 800;

    // Checks the model and every choice with Hamlib; throws RigError naming
    // the choice Hamlib refuses. Does not touch the radio yet.
    explicit RigDevice(const RigConfig& config);
    ~RigDevice();
    RigDevice(const RigDevice&) = delete;
    RigDevice& operator=(const RigDevice&) = delete;

    void open();
    void close();
    bool isOpen() const { return open_; }

    void setPtt(bool keyed);
    // Whether the receiver hears a carrier; nullopt when the radio has no
    // way to tell (then the carrier counts as absent).
    std::optional<bool> carrier();
    // Sends a text in Morse with the radio's keyer; false when the radio has
    // no keyer Hamlib can reach.
    bool sendMorse(const std::string& text);
    // Whether the radio may have a keyer Hamlib can reach: its model has
    // one, and the radio has not refused Morse since it was opened.
    bool hasKeyer() const { return morse_; }
    // Sets the keyer's speed where the radio has that control.
    void setKeySpeed(int wpm);

    // "model 2 (NET rigctl) on 127.0.0.1:4532", for the log.
    std::string describe() const;

private:
    void set(const char* name, const std::string& value, const char* choice);

    s_rig* rig_ = nullptr;
    bool open_ = false;
    bool morse_ = false;  // the model has a keyer, until the radio says otherwise
};

// "  2  Hamlib  NET rigctl  Stable" lines for --list-rigs.
std::string listRigs();

}  // namespace tc
