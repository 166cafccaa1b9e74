// Makes the two courtesy tones a fresh installation plays: RF.wav after a
// local user lets go of the repeater, IP.wav after an Internet user does.
// They must be told apart by ear over an FM voice channel, so their notes
// stay inside 300-3000 Hz and differ in shape (two rising notes against a
// three-note arpeggio). Pure arithmetic, so every build makes the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "PcmWav.h"

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;
constexpr double kPeakDbfs = -3.0;
constexpr double kAttackSeconds = 0.005;
constexpr double kReleaseSeconds = 0.012;

struct Note {
    double hertz;    // 0 for a rest
    double seconds;
};

int frames(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

// Raised-cosine ramps at both ends so that no note starts or stops with a
// step (a click on air), and a gentle decay so the notes sound struck
// rather than droning.
double envelope(int i, int length) {
    const int attack = frames(kAttackSeconds);
    const int release = frames(kReleaseSeconds);
    double gain = std::exp(-1.5 * i / static_cast<double>(length));
    if (i < attack) gain *= 0.5 - 0.5 * std::cos(kPi * i / attack);
    const int fromEnd = length - 1 - i;
    if (fromEnd < release) gain *= 0.5 - 0.5 * std::cos(kPi * fromEnd / release);
    return gain;
}

std::vector<double> render(const std::vector<Note>& notes) {
    std::vector<double> out;
    for (const Note& note : notes) {
        const int length = frames(note.seconds);
        for (int i = 0; i < length; ++i) {
            double sample = 0.0;
            if (note.hertz > 0.0) {
                const double phase = 2.0 * kPi * note.hertz * i / kRate;
                // A little second harmonic takes the edge off a bare sine.
                sample = (std::sin(phase) + 0.18 * std::sin(2.0 * phase)) * envelope(i, length);
            }
            out.push_back(sample);
        }
    }
    return out;
}

std::vector<short> toPcm16(const std::vector<double>& samples) {
    double peak = 0.0;
    for (double s : samples) peak = std::max(peak, std::fabs(s));
    const double scale = peak > 0.0 ? std::pow(10.0, kPeakDbfs / 20.0) * 32767.0 / peak : 0.0;
    std::vector<short> pcm;
    pcm.reserve(samples.size());
    for (double s : samples) pcm.push_back(static_cast<short>(std::lround(s * scale)));
    return pcm;
}

bool writeWav(const std::string& path, const std::vector<Note>& notes) {
    const bool ok = writePcmWav(path, toPcm16(render(notes)), kRate);
    if (!ok) std::fprintf(stderr, "make_tones: cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_tones OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    // RF: A5 rising to D6, about half a second.
    const std::vector<Note> rf = {{880.0, 0.20}, {0.0, 0.03}, {1174.66, 0.27}};
    // Internet: C6-E6-G6 arpeggio, about six tenths of a second.
    const std::vector<Note> ip = {{1046.50, 0.15}, {0.0, 0.03}, {1318.51, 0.15},
                                  {0.0, 0.03},     {1567.98, 0.24}};
    const bool ok = writeWav(dir + "/RF.wav", rf) && writeWav(dir + "/IP.wav", ip);
    return ok ? 0 : 1;
}
