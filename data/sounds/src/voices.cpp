#include "voices.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace kanasounds {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<float> silence(double seconds) {
  return std::vector<float>(static_cast<std::size_t>(std::lround(seconds * kSampleRate)), 0.0f);
}

// A two-pole resonator whose centre and width may change from sample to
// sample; scaled so that a sine at its centre passes at unit gain.
class Resonator {
 public:
  double operator()(double x, double centre, double width) {
    const double r = std::exp(-kPi * width / kSampleRate);
    const double theta = 2 * kPi * centre / kSampleRate;
    const double gain = (1 - r) * std::sqrt(1 - 2 * r * std::cos(2 * theta) + r * r);
    const double y = gain * x + 2 * r * std::cos(theta) * y1_ - r * r * y2_;
    y2_ = y1_;
    y1_ = y;
    return y;
  }

 private:
  double y1_ = 0, y2_ = 0;
};

// One moment of the "mya": voice pitch, loudness, and the three formants
// with their levels. Between moments every value glides smoothly.
struct VoiceShape {
  double time;  // seconds
  double pitch, level;
  std::array<double, 3> formant, formantLevel;
};

// "m" (lips closed: only a low murmur), "y" (a high second formant) and a
// long bright "a", as from a small creature: high pitch and formants set
// about a third above a grown-up's. The pitch leaps up into the "a" and
// falls away at the end.
constexpr VoiceShape kMya[] = {
    {0.000, 600, 0.00, {330, 1250, 2700}, {1, 0.08, 0.03}},
    {0.012, 620, 0.35, {330, 1250, 2700}, {1, 0.08, 0.03}},
    {0.050, 680, 0.40, {340, 1300, 2750}, {1, 0.10, 0.04}},
    {0.095, 900, 0.85, {420, 2900, 3800}, {1, 0.55, 0.30}},
    {0.150, 960, 1.00, {1050, 1750, 3300}, {1, 0.70, 0.30}},
    {0.250, 760, 0.70, {1000, 1650, 3200}, {1, 0.60, 0.25}},
    {0.330, 560, 0.00, {950, 1600, 3100}, {1, 0.50, 0.20}},
};

VoiceShape shapeAt(double t) {
  const auto* next = std::find_if(std::begin(kMya), std::end(kMya),
                                  [t](const VoiceShape& s) { return s.time > t; });
  if (next == std::begin(kMya)) return kMya[0];
  if (next == std::end(kMya)) return *(next - 1);
  const VoiceShape& a = *(next - 1);
  const VoiceShape& b = *next;
  const double x = (t - a.time) / (b.time - a.time);
  const double s = x * x * (3 - 2 * x);  // smoothstep: no corners in the glides
  auto mix = [s](double p, double q) { return p + (q - p) * s; };
  VoiceShape out{t, mix(a.pitch, b.pitch), mix(a.level, b.level), {}, {}};
  for (int i = 0; i < 3; ++i) {
    out.formant[i] = mix(a.formant[i], b.formant[i]);
    out.formantLevel[i] = mix(a.formantLevel[i], b.formantLevel[i]);
  }
  return out;
}

}  // namespace

std::vector<float> metalTick() {
  // A small struck metal plate: a few inharmonic partials, the higher ones
  // quieter and dying away sooner, so the tick is bright but never sharp.
  struct Partial {
    double frequency, level, decayMs;
  };
  constexpr Partial kPartials[] = {
      {880, 0.18, 12}, {1650, 1.0, 18}, {2830, 0.5, 12}, {4390, 0.22, 8}, {6070, 0.08, 5},
  };
  constexpr double kAttackMs = 2.0;
  std::vector<float> out = silence(0.075);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double v = 0;
    for (const Partial& p : kPartials)
      v += p.level * std::exp(-t * 1000 / p.decayMs) * std::sin(2 * kPi * p.frequency * t);
    const double attack = std::min(1.0, t * 1000 / kAttackMs);
    out[i] = static_cast<float>(v * (0.5 - 0.5 * std::cos(kPi * attack)));
  }
  finishSound(out, -10.0, 8.0);
  return out;
}

std::vector<float> myaChirp() {
  std::vector<float> out = silence(kMya[std::size(kMya) - 1].time);
  constexpr double kWidths[3] = {110, 150, 220};  // formant bandwidths, Hz
  Resonator formants[3];
  double phase = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const VoiceShape s = shapeAt(t);
    // A little vibrato once the vowel opens.
    const double vibrato = t > 0.1 ? 1 + 0.015 * std::sin(2 * kPi * 7 * (t - 0.1)) : 1;
    phase += 2 * kPi * s.pitch * vibrato / kSampleRate;
    // The voice: a buzz of harmonics falling off as 1/k, faded out below 9 kHz.
    double buzz = 0;
    for (int k = 1; k <= 14; ++k) {
      const double fade = std::clamp((9000 - k * s.pitch * vibrato) / 1500, 0.0, 1.0);
      buzz += fade * std::sin(k * phase) / k;
    }
    double v = 0.06 * buzz;  // a trace of the unfiltered voice keeps it round
    for (int f = 0; f < 3; ++f)
      v += s.formantLevel[f] * formants[f](buzz, s.formant[f], kWidths[f]);
    out[i] = static_cast<float>(v * s.level);
  }
  finishSound(out, -4.0, 4.0);
  return out;
}

void finishSound(std::vector<float>& samples, double peakDb, double fadeMs) {
  const std::size_t fade =
      std::min(samples.size() / 2, static_cast<std::size_t>(fadeMs * kSampleRate / 1000));
  for (std::size_t i = 0; i < fade; ++i) {
    const float w = static_cast<float>(0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / fade));
    samples[i] *= w;
    samples[samples.size() - 1 - i] *= w;
  }
  float peak = 0;
  for (float s : samples) peak = std::max(peak, std::abs(s));
  if (peak == 0) return;
  const float scale = static_cast<float>(std::pow(10.0, peakDb / 20) / peak);
  for (float& s : samples) s *= scale;
}

void writeWave(const std::filesystem::path& path, const std::vector<float>& samples) {
  SF_INFO info{};
  info.samplerate = kSampleRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file)
    throw std::runtime_error("cannot write " + path.string() + ": " + sf_strerror(nullptr));
  std::vector<short> pcm(samples.size());
  std::transform(samples.begin(), samples.end(), pcm.begin(), [](float s) {
    return static_cast<short>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767));
  });
  const sf_count_t written = sf_write_short(file, pcm.data(), static_cast<sf_count_t>(pcm.size()));
  sf_close(file);
  if (written != static_cast<sf_count_t>(pcm.size()))
    throw std::runtime_error("short write to " + path.string());
}

}  // namespace kanasounds
