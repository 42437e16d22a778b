#include "tools/vst3host/riff_synth.h"

#include <cmath>

namespace vst3host {

namespace {

// One plucked string: a delay line of one period, averaged and damped on every pass.
class PluckedString {
 public:
  PluckedString(double frequency, uint32_t sampleRate, uint32_t& seed, double brightness) {
    size_t length = static_cast<size_t>(sampleRate / frequency + 0.5);
    line_.resize(length < 2 ? 2 : length);
    double smooth = 0;
    for (double& v : line_) {
      seed = seed * 1664525u + 1013904223u;
      double noise = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
      smooth += brightness * (noise - smooth);  // a duller pick for a lower brightness
      v = smooth;
    }
  }

  double Next(double damping) {
    size_t next = (position_ + 1) % line_.size();
    double out = line_[position_];
    line_[position_] = damping * 0.5 * (line_[position_] + line_[next]);
    position_ = next;
    return out;
  }

 private:
  std::vector<double> line_;
  size_t position_ = 0;
};

struct Note {
  int startEighth;
  int lengthEighths;
  int rootMidi;
  bool muted;
};

// The riff: chugs on the low E between ringing power chords.
const Note kRiff[] = {
    {0, 1, 40, true},   {1, 1, 40, true},   {2, 2, 43, false},  {4, 1, 40, true},  {5, 1, 40, true},
    {6, 2, 45, false},  {8, 1, 40, true},   {9, 1, 40, true},   {10, 1, 46, false}, {11, 1, 45, false},
    {12, 4, 43, false}, {16, 1, 40, true},  {17, 1, 40, true},  {18, 2, 43, false}, {20, 1, 40, true},
    {21, 1, 40, true},  {22, 2, 45, false}, {24, 1, 40, true},  {25, 1, 40, true},  {26, 2, 50, false},
    {28, 4, 40, false},
};

double MidiToHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

void AddPluck(std::vector<float>& out, uint32_t rate, double frequency, size_t start, size_t ringFor, bool muted,
              uint32_t& seed, double gain) {
  PluckedString string(frequency, rate, seed, muted ? 0.35 : 0.8);
  const double ringing = muted ? 0.990 : 0.9985;
  size_t releaseFor = rate / 20;  // the fretting hand lets go over 50 ms
  for (size_t i = 0; i < ringFor + releaseFor && start + i < out.size(); ++i) {
    double damping = i < ringFor ? ringing : 0.90;
    out[start + i] += static_cast<float>(gain * string.Next(damping));
  }
}

}  // namespace

std::vector<float> SynthesiseRiff(uint32_t sampleRate) {
  const double eighth = 0.25;  // seconds, 120 beats per minute
  const size_t eighthSamples = static_cast<size_t>(eighth * sampleRate);
  std::vector<float> out(eighthSamples * 34, 0.0f);
  uint32_t seed = 0x4B56524Cu;
  for (const Note& note : kRiff) {
    size_t start = note.startEighth * eighthSamples;
    size_t ringFor = note.lengthEighths * eighthSamples - eighthSamples / 8;
    const int chord[3] = {0, 7, 12};  // root, fifth, octave
    for (int k = 0; k < 3; ++k) {
      size_t strum = k * (sampleRate / 400);  // 2.5 ms between strings
      AddPluck(out, sampleRate, MidiToHz(note.rootMidi + chord[k]), start + strum, ringFor, note.muted, seed, 0.3);
    }
  }
  float peak = 0;
  for (float v : out) peak = std::fmax(peak, std::fabs(v));
  if (peak > 0)
    for (float& v : out) v *= 0.5f / peak;
  return out;
}

}  // namespace vst3host
