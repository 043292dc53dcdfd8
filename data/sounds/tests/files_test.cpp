// The tune and the two sounds the build wrote to Deta, told as a listener hears them.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "tune.h"

using Notes = std::vector<std::pair<int, int>>;  // (eighths from the start, key)

// A MIDI variable-length quantity: seven bits a byte, the high bit set on all but the last.
static int quantity(const std::vector<unsigned char>& f, std::size_t& i, int v = 0) {
  const int b = f.at(i++);
  return b & 0x80 ? quantity(f, i, v << 7 | (b & 0x7F)) : v << 7 | b;
}

// Walks a standard MIDI file for its tempo, its length (to the end of the longest track), each
// track's General MIDI program as tune.txt numbers them (from 1) and the notes of the first part.
static std::string listen(const std::vector<unsigned char>& f, Notes& fiddle) {
  const int division = f.at(12) << 8 | f.at(13);  // ticks a quarter, ending the header
  int ticks = 0, micros = 0;
  std::string programs;
  for (std::size_t i = 14, track = 0; i + 8 <= f.size(); ++track) {
    const std::size_t end = i + 8 + (f[i + 4] << 24 | f[i + 5] << 16 | f[i + 6] << 8 | f[i + 7]);
    int tick = 0, status = 0;
    for (i += 8; i < end; ticks = std::max(ticks, tick)) {
      tick += quantity(f, i);
      if (f.at(i) & 0x80) status = f.at(i++);  // else the status of the event before runs on
      const int kind = status & 0xF0, type = status == 0xFF ? f.at(i++) : 0;
      const std::size_t size = kind == 0xF0 ? quantity(f, i) : kind == 0xC0 || kind == 0xD0 ? 1 : 2;
      if (type == 0x51) micros = f.at(i) << 16 | f.at(i + 1) << 8 | f.at(i + 2);  // a quarter's
      if (kind == 0xC0) programs += " " + std::to_string(f.at(i) + 1);
      if (kind == 0x90 && f.at(i + 1) > 0 && track == 1)  // after the tempo track
        fiddle.push_back({(tick + division / 4) / (division / 2), f.at(i)});
      i += size;
    }
  }
  char text[100];
  std::snprintf(text, sizeof text, "%.0f bpm, %.1f s, programs%s\n", 6e7 / micros,
                1e-6 * ticks * micros / division, programs.c_str());
  return text;
}

// The length, the peak and RMS level in percent of full scale, and whether the sound starts and
// ends in silence (its outer quarter millisecond below -60 dBFS): cut off any louder, it clicks.
static std::string listen(const std::string& name) {
  SF_INFO info{};
  SNDFILE* file = sf_open((KANACATCH_DATA_DIR "/" + name).c_str(), SFM_READ, &info);
  std::vector<double> v(info.frames * info.channels);
  v.resize(sf_read_double(file, v.data(), v.size()));
  sf_close(file);
  double peak = 0, energy = 0, ends = 0;
  for (double s : v) peak = std::max(peak, std::abs(s)), energy += s * s;
  for (std::size_t i = 0; i < v.size() && i < std::size_t(info.samplerate / 4000); ++i)
    ends = std::max({ends, std::abs(v[i]), std::abs(v[v.size() - 1 - i])});
  char text[100];
  std::snprintf(text, sizeof text, "%s: %.0f ms, peak %.0f %%%s, RMS %.0f %%, %s\n", name.c_str(),
                1000.0 * v.size() / info.samplerate, 100 * peak, peak > 0.97 ? " (clipping)" : "",
                100 * std::sqrt(energy / v.size()), ends < 0.001 ? "silent ends" : "clicks");
  return text;
}

// 35 bars at 128 beats a minute last 65.6 s, and the game starts the tune again every 67 s. The
// programs are GM fiddle, banjo, steel-string guitar and acoustic bass.
TEST(GeneratedSounds, TheTuneKeepsItsTempoPartsAndMelodyAndTheSoundsTheirLengthAndLevel) {
  std::ifstream midi(KANACATCH_DATA_DIR "/Blugrass.mid", std::ios::binary), text(KANASOUNDS_TUNE);
  Notes fiddle, melody;
  EXPECT_EQ(listen({std::istreambuf_iterator<char>(midi), {}}, fiddle) + listen("金属.wav") +
                listen("みゃ.wav"),
            R"(128 bpm, 65.6 s, programs 111 106 26 33
金属.wav: 75 ms, peak 32 %, RMS 6 %, silent ends
みゃ.wav: 330 ms, peak 63 %, RMS 13 %, silent ends
)");
  const kanasounds::Tune tune = kanasounds::parseTune(text);
  for (int bar = 0; bar < static_cast<int>(tune.bars.size()); ++bar)
    for (const kanasounds::MelodyNote& n : tune.bars[bar].melody)
      melody.push_back({bar * 8 + n.start / kanasounds::kTicksPerEighth, n.pitch});
  ASSERT_EQ(fiddle.size(), melody.size()) << "notes the fiddle plays, and notes tune.txt writes";
  for (std::size_t k = 0; k < fiddle.size(); ++k)
    ASSERT_EQ(fiddle[k], melody[k])
        << "the fiddle's note " << k + 1 << " as (eighth, key), and tune.txt's";
}
