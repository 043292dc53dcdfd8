// Runs the generator into a folder of its own and reads back what it wrote
// the way a player of MIDI files or of waves would.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

namespace {

namespace fs = std::filesystem;

// ---- A small standard MIDI file reader ---------------------------------

struct MidiEvent {
  long tick = 0;
  std::uint8_t status = 0;  // 0xFF for a meta event
  std::uint8_t type = 0;    // meta type
  std::vector<std::uint8_t> data;
};

struct Smf {
  int format = -1;
  int declaredTracks = 0;
  int division = 0;
  std::vector<std::vector<MidiEvent>> tracks;
};

class Reader {
public:
  explicit Reader(std::vector<std::uint8_t> bytes) : b_(std::move(bytes)) {}
  bool done() const { return at_ >= b_.size(); }
  std::uint8_t byte() {
    if (done()) throw std::runtime_error("MIDI file ends early");
    return b_[at_++];
  }
  std::uint8_t peek() const { return done() ? 0 : b_[at_]; }
  std::uint32_t big(int n) {
    std::uint32_t v = 0;
    while (n--) v = v << 8 | byte();
    return v;
  }
  std::uint32_t quantity() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint8_t c = byte();
      v = v << 7 | (c & 0x7F);
      if (!(c & 0x80)) return v;
    }
    throw std::runtime_error("variable-length quantity longer than four bytes");
  }
  std::string tag() { return {char(byte()), char(byte()), char(byte()), char(byte())}; }
  std::vector<std::uint8_t> take(std::size_t n) {
    if (at_ + n > b_.size()) throw std::runtime_error("chunk runs past the end of the file");
    std::vector<std::uint8_t> out(b_.begin() + at_, b_.begin() + at_ + n);
    at_ += n;
    return out;
  }

private:
  std::vector<std::uint8_t> b_;
  std::size_t at_ = 0;
};

std::vector<MidiEvent> readTrack(std::vector<std::uint8_t> chunk) {
  Reader r(std::move(chunk));
  std::vector<MidiEvent> events;
  long tick = 0;
  std::uint8_t running = 0;
  while (!r.done()) {
    tick += r.quantity();
    MidiEvent e;
    e.tick = tick;
    e.status = r.peek() & 0x80 ? r.byte() : running;
    if (e.status == 0xFF) {
      e.type = r.byte();
      e.data = r.take(r.quantity());
    } else if (e.status == 0xF0 || e.status == 0xF7) {
      e.data = r.take(r.quantity());
    } else if (e.status >= 0x80) {
      running = e.status;
      const int kind = e.status >> 4;
      e.data.push_back(r.byte());
      if (kind != 0xC && kind != 0xD) e.data.push_back(r.byte());
    } else {
      throw std::runtime_error("data byte with no running status");
    }
    events.push_back(e);
    if (e.status == 0xFF && e.type == 0x2F) {
      if (!r.done()) throw std::runtime_error("events after the end of a track");
      return events;
    }
  }
  throw std::runtime_error("track without an end-of-track event");
}

Smf readSmf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  Reader r({std::istreambuf_iterator<char>(in), {}});
  Smf smf;
  if (r.tag() != "MThd" || r.big(4) != 6) throw std::runtime_error("no MThd header");
  smf.format = static_cast<int>(r.big(2));
  smf.declaredTracks = static_cast<int>(r.big(2));
  smf.division = static_cast<int>(r.big(2));
  while (!r.done()) {
    const std::string tag = r.tag();
    std::vector<std::uint8_t> chunk = r.take(r.big(4));
    if (tag == "MTrk") smf.tracks.push_back(readTrack(std::move(chunk)));
  }
  return smf;
}

bool isNoteOn(const MidiEvent& e) { return (e.status & 0xF0) == 0x90 && e.data[1] > 0; }
bool isNoteOff(const MidiEvent& e) {
  return (e.status & 0xF0) == 0x80 || ((e.status & 0xF0) == 0x90 && e.data[1] == 0);
}

// Seconds from the start to the last event of any track, following the tempo map.
double lengthSeconds(const Smf& smf) {
  std::map<long, double> tempo = {{0, 0.5}};  // tick -> seconds a quarter; 120 a minute unless set
  long last = 0;
  for (const auto& track : smf.tracks)
    for (const MidiEvent& e : track) {
      last = std::max(last, e.tick);
      if (e.status == 0xFF && e.type == 0x51)
        tempo[e.tick] = (e.data[0] << 16 | e.data[1] << 8 | e.data[2]) / 1e6;
    }
  double seconds = 0;
  for (auto it = tempo.begin(); it != tempo.end() && it->first < last; ++it) {
    const long until = std::next(it) == tempo.end() ? last : std::min(last, std::next(it)->first);
    seconds += static_cast<double>(until - it->first) / smf.division * it->second;
  }
  return seconds;
}

// ---- The generated files -----------------------------------------------

class GeneratedFiles : public testing::Test {
protected:
  static void SetUpTestSuite() {
    dir_ = fs::temp_directory_path() / ("kanasounds-test-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    const std::string command =
        std::string("'") + SOUNDS_GENERATOR + "' '" + SOUNDS_TUNE + "' '" + dir_.string() + "'";
    status_ = std::system(command.c_str());
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }

  void SetUp() override {
    ASSERT_EQ(status_, 0) << "the generator failed";
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.insert(entry.path().filename().string());
    ASSERT_EQ(names, (std::set<std::string>{"Blugrass.mid", "金属.wav", "みゃ.wav"}));
  }

  static inline fs::path dir_;
  static inline int status_ = -1;
};

TEST_F(GeneratedFiles, TuneIsAFormatOneFileWithTheFourInstruments) {
  const Smf smf = readSmf(dir_ / "Blugrass.mid");
  EXPECT_EQ(smf.format, 1);
  EXPECT_EQ(smf.declaredTracks, 5);
  ASSERT_EQ(smf.tracks.size(), 5u);
  EXPECT_TRUE(std::any_of(smf.tracks[0].begin(), smf.tracks[0].end(),
                          [](const MidiEvent& e) { return e.status == 0xFF && e.type == 0x51; }))
      << "no tempo in the first track";

  // Each instrument track sets its own channel's program and plays notes on it.
  std::map<int, int> programOfChannel;
  std::map<int, int> notesOnChannel;
  for (std::size_t t = 1; t < smf.tracks.size(); ++t)
    for (const MidiEvent& e : smf.tracks[t]) {
      if ((e.status & 0xF0) == 0xC0) {
        EXPECT_FALSE(programOfChannel.count(e.status & 0x0F)) << "channel programmed twice";
        programOfChannel[e.status & 0x0F] = e.data[0];
      }
      if (isNoteOn(e)) {
        ASSERT_TRUE(programOfChannel.count(e.status & 0x0F)) << "note before its program change";
        ++notesOnChannel[e.status & 0x0F];
      }
    }
  std::multiset<int> programs;
  for (const auto& [channel, program] : programOfChannel) {
    EXPECT_NE(channel, 9) << "the drum channel";
    EXPECT_GT(notesOnChannel[channel], 50) << "channel " << channel;
    programs.insert(program);
  }
  // Banjo, fiddle, steel-string guitar and acoustic bass, zero-based.
  EXPECT_EQ(programs, (std::multiset<int>{25, 32, 105, 110}));
}

TEST_F(GeneratedFiles, EveryNoteIsReleasedAndNoKeyIsStruckWhileItSounds) {
  const Smf smf = readSmf(dir_ / "Blugrass.mid");
  for (const auto& track : smf.tracks) {
    std::set<std::pair<int, int>> sounding;  // channel, key
    for (const MidiEvent& e : track) {
      if (isNoteOn(e)) {
        EXPECT_TRUE(sounding.insert({e.status & 0x0F, e.data[0]}).second) << "key struck again at " << e.tick;
      } else if (isNoteOff(e)) {
        EXPECT_EQ(sounding.erase({e.status & 0x0F, e.data[0]}), 1u) << "stray note-off at " << e.tick;
      }
    }
    EXPECT_TRUE(sounding.empty()) << sounding.size() << " notes never released";
  }
}

TEST_F(GeneratedFiles, TuneEndsWithinTheGamesSixtySevenSecondLoop) {
  const double seconds = lengthSeconds(readSmf(dir_ / "Blugrass.mid"));
  EXPECT_GE(seconds, 60.0);
  EXPECT_LE(seconds, 67.0);
}

struct WaveRule {
  const char* name;
  double longestSeconds;
};

void PrintTo(const WaveRule& rule, std::ostream* out) { *out << rule.name; }

class GeneratedWaves : public GeneratedFiles, public testing::WithParamInterface<WaveRule> {};

TEST_P(GeneratedWaves, AreShortSixteenBitMonoWithHeadroomAndSilentEdges) {
  const WaveRule rule = GetParam();
  SF_INFO info{};
  SNDFILE* file = sf_open((dir_ / rule.name).c_str(), SFM_READ, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  std::vector<double> samples(static_cast<std::size_t>(info.frames * info.channels));
  sf_read_double(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(file);

  EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  EXPECT_EQ(info.channels, 1);
  EXPECT_TRUE(info.samplerate == 22050 || info.samplerate == 44100) << info.samplerate;
  ASSERT_GT(info.frames, info.samplerate / 50) << "under 20 ms";
  EXPECT_LE(static_cast<double>(info.frames) / info.samplerate, rule.longestSeconds);

  double peak = 0;
  for (double s : samples) peak = std::max(peak, std::abs(s));
  const double peakDb = 20 * std::log10(peak);
  EXPECT_GE(peakDb, -12.0);
  EXPECT_LE(peakDb, -1.0);

  // No click: the first and last millisecond stay far below the peak.
  const std::size_t ms = static_cast<std::size_t>(info.samplerate / 1000);
  for (std::size_t i = 0; i < ms; ++i) {
    EXPECT_LT(std::abs(samples[i]), 0.1 * peak) << "sample " << i;
    EXPECT_LT(std::abs(samples[samples.size() - 1 - i]), 0.1 * peak) << "sample -" << i + 1;
  }
  EXPECT_LT(std::abs(samples.front()), 1e-3);
  EXPECT_LT(std::abs(samples.back()), 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Sounds, GeneratedWaves,
                         testing::Values(WaveRule{"金属.wav", 0.120}, WaveRule{"みゃ.wav", 0.400}),
                         [](const auto& info) { return info.index == 0 ? "Metal" : "Mya"; });

}  // namespace
