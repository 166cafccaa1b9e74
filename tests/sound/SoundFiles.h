#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Sound files made for the tests in a scratch folder of their own, removed
// when the test program ends: tones by sox, MPEG by lame and twolame.
namespace soundfiles {

using Bytes = std::vector<std::uint8_t>;

std::string path(const std::string& name);
// A 440 Hz sine at half scale as 16-bit WAV.
std::string tone(const std::string& name, double seconds, int rate = 8000, int channels = 1);
// The tone at 44.1 kHz encoded by twolame.
std::string mp2(const std::string& name, double seconds);
// A tone of the rate and channels given, encoded by lame with its options
// (its length tag unless "-t").
std::string lame(const std::string& name, double seconds, int rate, int channels, const std::string& options);
// The tone as Ogg Vorbis by sox: a sound file, but no ident.
std::string vorbis(const std::string& name, double seconds);
// The files one after the other in one file, as `cat` joins them.
std::string joined(const std::string& name, const std::vector<std::string>& parts);
std::string bytes(const std::string& name, const Bytes& content);
// The first `keep` bytes of a file, under a new name.
std::string truncated(const std::string& from, const std::string& name, std::uintmax_t keep);

// The largest magnitude of the samples from index `from` up to `to`.
float peak(const std::vector<float>& samples, std::size_t from = 0, std::size_t to = SIZE_MAX);

// A standard MIDI file of the given format, ticks a beat and tracks.
Bytes midi(int format, int division, const std::vector<Bytes>& tracks);
// A track holding one loud A4 from onTick to offTick (both below 16384), then its end.
Bytes note(std::uint32_t onTick, std::uint32_t offTick);

}  // namespace soundfiles
