// Reads back the tune and the sounds the build wrote to Deta, the way a
// player of MIDI files or of waves would.
#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string Deta = KANACATCH_DATA_DIR "/";

// FluidSynth's player reads the tune and plays it on the clock of the
// samples rendered; without a soundfont nothing sounds, but the player still
// moves on, and the 10 ms blocks rendered until it reaches the tune's last
// tick are the tune's length. A file that is no standard MIDI file has none.
TEST(GeneratedTune, IsAStandardMidiFileOfSixtyToSixtySevenSeconds) {
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);  // the missing presets
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", 44100);
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_player_t* player = new_fluid_player(synth);
  fluid_player_add(player, (Deta + "Blugrass.mid").c_str());
  fluid_player_play(player);
  std::vector<float> stereo(2 * 441);
  int blocks = 0;
  do {
    fluid_synth_write_float(synth, 441, stereo.data(), 0, 2, stereo.data(), 1, 2);
  } while (++blocks < 10000 &&
           fluid_player_get_current_tick(player) < fluid_player_get_total_ticks(player));
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  EXPECT_TRUE(blocks >= 6000 && blocks <= 6700) << blocks / 100.0 << " s";
}

TEST(GeneratedSounds, AreShortSixteenBitMonoWavesWithHeadroomAndSilentEdges) {
  for (const auto& [name, longestSeconds] : {std::pair{"金属.wav", 0.120}, {"みゃ.wav", 0.400}}) {
    SCOPED_TRACE(name);
    SF_INFO info{};
    SNDFILE* file = sf_open((Deta + name).c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<double> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_read_double(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(info.channels, 1);
    ASSERT_GT(info.frames, info.samplerate / 50) << "under 20 ms";
    EXPECT_LE(static_cast<double>(info.frames) / info.samplerate, longestSeconds);
    double peak = 0;
    for (double s : samples) peak = std::max(peak, std::abs(s));
    const double peakDb = 20 * std::log10(peak);
    EXPECT_TRUE(peakDb >= -12 && peakDb <= -1) << peakDb << " dBFS";
    EXPECT_LT(std::max(std::abs(samples.front()), std::abs(samples.back())), 1e-3) << "a click";
  }
}

}  // namespace
