#include "hostlink/hamlib/RigDevice.h"

#include <hamlib/rig.h>

#include <cctype>
#include <cstdarg>
#include <mutex>
#include <sstream>

namespace tc {

namespace {

// Hamlib's chatter would fill the station's log; its failures reach us as
// result codes.
int quiet(enum rig_debug_level_e, rig_ptr_t, const char*, va_list) { return 0; }

void silenceHamlib() {
    static std::once_flag once;
    std::call_once(once, [] {
        rig_set_debug(RIG_DEBUG_NONE);
        rig_set_debug_callback(quiet, nullptr);
    });
}

std::string why(int code) {
    switch (-code) {
        case RIG_EIO:
            return "the line to the radio failed";
        case RIG_ETIMEOUT:
            return "the radio did not answer in time";
        case RIG_EPROTO:
            return "the radio's answer made no sense";
        case RIG_EINVAL:
            return "the radio refused a parameter";
        case RIG_ENIMPL:
        case RIG_ENAVAIL:
            return "the radio cannot do that";
        case RIG_ERJCTED:
            return "the radio rejected the command";
        case RIG_ECONF:
            return "the radio's configuration is wrong";
        default:
            return "Hamlib error " + std::to_string(code);
    }
}

bool cannot(int code) { return code == -RIG_ENIMPL || code == -RIG_ENAVAIL; }

bool sameLetters(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

// Hamlib spells its line types in its own mixed case; the operator need not.
std::string hamlibSpelling(const std::string& type, std::initializer_list<const char*> known) {
    for (const char* k : known)
        if (sameLetters(type, k)) return k;
    return type;
}

constexpr std::initializer_list<const char*> kPttTypes = {"RIG",   "DTR",  "RTS",   "Parallel",
                                                          "CM108", "GPIO", "GPION", "None"};
constexpr std::initializer_list<const char*> kDcdTypes = {"RIG",   "DSR",  "CTS",   "CD",  "Parallel",
                                                          "CM108", "GPIO", "GPION", "None"};

std::string joined(std::initializer_list<const char*> names) {
    std::string out;
    for (const char* n : names) out += (out.empty() ? "" : ", ") + std::string(n);
    return out;
}

}  // namespace

RigDevice::RigDevice(const RigConfig& config) {
    silenceHamlib();
    // Hamlib loads the model's own backend; all of them would cost the
    // station a megabyte and more of memory.
    rig_ = rig_init(static_cast<rig_model_t>(config.model));
    if (!rig_) throw RigError("Hamlib has no rig model " + std::to_string(config.model) + " (--list-rigs lists them)");
    morse_ = rig_->caps->send_morse != nullptr;
    if (!config.file.empty()) set("rig_pathname", config.file, "--rig-file");
    if (!config.pttType.empty())
        set("ptt_type", hamlibSpelling(config.pttType, kPttTypes),
            ("--ptt-type (one of " + joined(kPttTypes) + ")").c_str());
    if (!config.pttFile.empty()) set("ptt_pathname", config.pttFile, "--ptt-file");
    if (!config.dcdType.empty())
        set("dcd_type", hamlibSpelling(config.dcdType, kDcdTypes),
            ("--dcd-type (one of " + joined(kDcdTypes) + ")").c_str());
    if (!config.dcdFile.empty()) set("dcd_pathname", config.dcdFile, "--dcd-file");
    if (config.serialSpeed) set("serial_speed", std::to_string(config.serialSpeed), "--serial-speed");
    set("timeout", std::to_string(kAnswerMs), "timeout");
    set("retry", "0", "retry");
}

RigDevice::~RigDevice() {
    close();
    if (rig_) rig_cleanup(rig_);
}

void RigDevice::set(const char* name, const std::string& value, const char* choice) {
    token_t token = rig_token_lookup(rig_, name);
    int code = token == RIG_CONF_END ? -RIG_EINVAL : rig_set_conf(rig_, token, value.c_str());
    if (code != RIG_OK) {
        rig_cleanup(rig_);
        rig_ = nullptr;
        throw RigError(std::string(choice) + ": Hamlib does not take '" + value + "'");
    }
}

void RigDevice::open() {
    if (open_) return;
    int code = rig_open(rig_);
    if (code != RIG_OK) throw RigError("cannot open the radio, " + describe() + ": " + why(code));
    open_ = true;
    morse_ = rig_->caps->send_morse != nullptr;
}

void RigDevice::close() {
    if (!open_) return;
    open_ = false;
    rig_close(rig_);
}

void RigDevice::setPtt(bool keyed) {
    int code = rig_set_ptt(rig_, RIG_VFO_CURR, keyed ? RIG_PTT_ON : RIG_PTT_OFF);
    if (code != RIG_OK)
        throw RigError(std::string(keyed ? "keying" : "releasing") + " the transmitter failed: " + why(code));
}

std::optional<bool> RigDevice::carrier() {
    dcd_t dcd = RIG_DCD_OFF;
    int code = rig_get_dcd(rig_, RIG_VFO_CURR, &dcd);
    if (cannot(code)) return std::nullopt;
    if (code != RIG_OK) throw RigError("reading the carrier failed: " + why(code));
    return dcd == RIG_DCD_ON;
}

bool RigDevice::sendMorse(const std::string& text) {
    if (!morse_) return false;
    int code = rig_send_morse(rig_, RIG_VFO_CURR, text.c_str());
    if (cannot(code)) {
        morse_ = false;
        return false;
    }
    if (code != RIG_OK) throw RigError("sending Morse failed: " + why(code));
    return true;
}

void RigDevice::setKeySpeed(int wpm) {
    value_t speed;
    speed.i = wpm;
    if (rig_has_set_level(rig_, RIG_LEVEL_KEYSPD)) rig_set_level(rig_, RIG_VFO_CURR, RIG_LEVEL_KEYSPD, speed);
}

std::string RigDevice::describe() const {
    std::ostringstream d;
    d << "model " << rig_->caps->rig_model << " (" << rig_->caps->mfg_name << " " << rig_->caps->model_name << ")";
    if (rig_->state.rigport.pathname[0]) d << " on " << rig_->state.rigport.pathname;
    return d.str();
}

std::string listRigs() {
    silenceHamlib();
    rig_load_all_backends();
    std::ostringstream out;
    rig_list_foreach(
        [](const rig_caps* caps, rig_ptr_t data) {
            *static_cast<std::ostringstream*>(data) << caps->rig_model << "\t" << caps->mfg_name << "\t"
                                                    << caps->model_name << "\t" << rig_strstatus(caps->status) << "\n";
            return 1;
        },
        &out);
    return out.str();
}

}  // namespace tc
