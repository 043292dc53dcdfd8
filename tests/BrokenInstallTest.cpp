#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <stdexcept>
#include <vector>

#include "media/MediaLoading.h"
#include "platform/MusicDevice.h"
#include "platform/ProgramFolder.h"
#include "platform/QtWaveOutput.h"
#include "platform/WaveSound.h"
#include "support/GameFixture.h"
#include "support/MediaFiles.h"

// A data folder with one file damaged: every file every way in-process, as
// start-up reads it, and then the program itself started once for each
// kind of damage from a copy of its folder, to see what the player sees.
// The copy is the start-up probe (tests/reliability): the real start-up,
// loop and media with the message boxes and music commands printed, so
// that a run ends by itself and the test can read what happened.

namespace {

const QString PictureError = QStringLiteral("画像データ読み込みエラー");

enum class Damage { Missing, Empty, CutShort, WrongKind, HugeHeader, Folder, None };
constexpr Damage AllDamages[] = {Damage::Missing,   Damage::Empty,      Damage::CutShort,
                                 Damage::WrongKind, Damage::HugeHeader, Damage::Folder};

std::string NameOf(Damage damage) {
  static const char* const names[] = {"Missing",    "Empty",  "CutShort", "WrongKind",
                                      "HugeHeader", "Folder", "None"};
  return names[static_cast<int>(damage)];
}

void AppendLittleEndian(QByteArray& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.append(static_cast<char>(value >> (8 * i) & 0xFF));
}

QByteArray SmallJpeg(int width, int height) {
  return JpegBytes(PlainPicture(width, height, QColor(200, 180, 90)));
}

// Every file of the data folder, as the test writes it: small, but whole.
struct DataFile {
  QString name;
  QByteArray bytes;
};

const std::vector<DataFile>& CompleteData() {
  static const std::vector<DataFile> files = [] {
    std::vector<DataFile> all{{"Title.jpg", SmallJpeg(64, 48)}, {"Back.jpg", SmallJpeg(64, 48)}};
    for (const char* stem : {"Kob", "KobMask"}) {
      for (int k = 1; k <= 8; ++k) {
        all.push_back({QStringLiteral("%1%2.jpg").arg(stem).arg(k, 2, 10, QLatin1Char('0')),
                       SmallJpeg(25, 29)});
      }
    }
    all.push_back({"KeyBorad.jpg", SmallJpeg(64, 24)});
    all.push_back({"input.jpg", SmallJpeg(32, 300)});
    all.push_back({"Blugrass.mid", TestTune()});
    all.push_back({"金属.wav", ToneWave(60)});
    all.push_back({"みゃ.wav", ToneWave(60)});
    return all;
  }();
  return files;
}

const DataFile& File(const QString& name) {
  for (const DataFile& file : CompleteData()) {
    if (file.name == name) return file;
  }
  throw std::invalid_argument(name.toStdString());
}

// The bytes of `file` damaged as `damage` says.
QByteArray Damaged(const DataFile& file, Damage damage) {
  const bool picture = file.name.endsWith(".jpg");
  switch (damage) {
    case Damage::CutShort:
      return file.bytes.left(file.bytes.size() / 2);
    case Damage::WrongKind:
      return picture ? ToneWave(60) : SmallJpeg(16, 16);
    case Damage::HugeHeader:
      if (picture) return JpegWithFrameSize(file.bytes, 60000, 60000);
      if (file.name.endsWith(".mid")) {
        // A track chunk that claims 2 GB and holds eight bytes.
        return file.bytes.left(14) + "MTrk\x7F\xFF\xFF\xF0" +
               QByteArray::fromHex("00903C6E00FF2F00");
      } else {
        // A data chunk that claims 2 GB of samples and holds 64 bytes.
        QByteArray wave = file.bytes.left(36) + "data";
        AppendLittleEndian(wave, 0x7FFFFFF0u);
        return wave + QByteArray(64, '\x10');
      }
    default:
      return {};
  }
}

// Puts a complete data folder into `folder`/Deta.
void WriteData(const QString& folder) {
  ASSERT_TRUE(QDir().mkpath(folder + "/Deta"));
  for (const DataFile& file : CompleteData())
    WriteTestFile(folder + "/Deta/" + file.name, file.bytes);
}

// Damages `file` in the data folder of `folder` (or puts it back whole).
void Break(const QString& folder, const DataFile& file, Damage damage) {
  const QString path = folder + "/Deta/" + file.name;
  QDir(path).removeRecursively();
  QFile::remove(path);
  if (damage == Damage::None) return WriteTestFile(path, file.bytes);
  if (damage == Damage::Folder) return void(QDir().mkdir(path));
  if (damage != Damage::Missing) WriteTestFile(path, Damaged(file, damage));
}

class DamagedData : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    platform::UseMessageSink(&messages);
    platform::UseMusicDevice(nullptr);
    platform::UseWavePlayer(nullptr);
  }
  void TearDown() override {
    platform::UseMessageSink(nullptr);
    platform::UseProgramFolder(QString());
    GameFixture::TearDown();
  }

  QTemporaryDir root;
  MessageRecorder messages;
};

}  // namespace

// A picture the playfield needs ends the program with the message; the
// title and the input table come back empty for their windows to report;
// a damaged tune does not open and a damaged sound does not play, both
// without a word. Each damage has a folder of its own, as the wave player
// remembers a file it could not read.
TEST_F(DamagedData, EveryFileDamagedEveryWayIsReportedOrSilencedAsItsFileRequires) {
  for (Damage damage : AllDamages) {
    const QString folder = root.filePath(QString::fromStdString(NameOf(damage)));
    ASSERT_NO_FATAL_FAILURE(WriteData(folder));
    platform::UseProgramFolder(folder);
    if (damage == Damage::Missing) {
      LoadPictures();
      for (const char* name : {"Title.jpg", "input.jpg"})
        EXPECT_FALSE(ReadDataPicture(name).isNull());
      EXPECT_TRUE(platform::WaveFileLength(folder + "/Deta/みゃ.wav")) << "whole data is read";
    }
    for (const DataFile& file : CompleteData()) {
      SCOPED_TRACE(NameOf(damage) + " " + file.name.toStdString());
      ASSERT_NO_FATAL_FAILURE(Break(folder, file, damage));
      messages.messages.clear();
      const bool playfield =
          file.name.endsWith(".jpg") && !file.name.contains(QRegularExpression("^(Title|input)"));
      if (playfield) {
        EXPECT_THROW(LoadPictures(), ProgramEnded);
      } else if (file.name.endsWith(".jpg")) {
        EXPECT_TRUE(ReadDataPicture(file.name).isNull());
      } else if (file.name.endsWith(".mid")) {
        platform::Music().Close();
        LoadSounds();
        EXPECT_EQ(platform::Music().PlayFromStart(), platform::MusicNotOpen);
      } else {
        EXPECT_FALSE(platform::WaveFileLength(folder + "/Deta/" + file.name));
        platform::PlayWaveSound(folder + "/Deta/" + file.name, platform::GameSoundFlags);
      }
      EXPECT_EQ(messages.messages, playfield ? std::vector{PictureError} : std::vector<QString>{});
      ASSERT_NO_FATAL_FAILURE(Break(folder, file, Damage::None));
    }
  }
}

namespace {

// How long a run may take before it counts as hung, and how much address
// space it may take before an allocation fails: a picture held whole at the
// largest size the loader accepts fits, one of 60000 x 60000 does not.
constexpr int RunTimeoutMs = 60000;
constexpr rlim_t AddressSpaceLimit = rlim_t{3} << 30;
// The most memory a run may ever hold: the program with its small test
// data needs a fifth of it (the sanitizers' shadow memory some more).
#ifdef KANACATCH_SANITIZE
constexpr int PeakLimitKb = 1200 * 1024;
#else
constexpr int PeakLimitKb = 400 * 1024;
#endif

// What one run printed and how it ended.
struct ProbeRun {
  QProcess process;
  QStringList lines;
  int exitCode = -1;

  QStringList Starting(const QString& head) const {
    return lines.filter(QRegularExpression("^" + QRegularExpression::escape(head)));
  }
};

// The program installed with a complete data folder in a folder whose name
// holds blanks, Japanese, a quote, an apostrophe and a backslash, and
// started through the link `name` beside it.
class InstalledProgram : public testing::TestWithParam<Damage> {
 protected:
  QString Install(const QString& name) {
    const QString folder = root.filePath(name + " かな キャッチ \"it's\" a\" type alias x \"b\\");
    WriteData(folder);
    EXPECT_TRUE(QFile::copy(KANACATCH_STARTUP_PROBE, folder + "/kanacatch"));
    EXPECT_TRUE(QFile::link(folder + "/kanacatch", root.filePath(name)));
    return folder;
  }

  void Start(ProbeRun& run, const QString& name) {
    run.process.setProgram(root.filePath(name));
#ifndef KANACATCH_SANITIZE
    // The sanitizers reserve terabytes of address space for themselves.
    run.process.setChildProcessModifier([] {
      const rlimit limit{AddressSpaceLimit, AddressSpaceLimit};
      setrlimit(RLIMIT_AS, &limit);
    });
#endif
    run.process.start();
  }

  // Waits for the run to end by itself, well within the memory it may take.
  static void Finish(ProbeRun& run) {
    const bool ended = run.process.waitForFinished(RunTimeoutMs);
    if (!ended) run.process.kill();
    run.process.waitForFinished();
    ASSERT_TRUE(ended) << "hung";
    if (run.process.exitStatus() == QProcess::NormalExit) run.exitCode = run.process.exitCode();
    run.lines =
        QString::fromUtf8(run.process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    const int peakKb = run.Starting("peak-kb ").value(0).mid(8).toInt();
    EXPECT_GT(peakKb, 0) << "crashed: " << run.process.readAllStandardError().toStdString();
    EXPECT_LT(peakKb, PeakLimitKb);
  }

  QTemporaryDir root;
};

}  // namespace

// Two runs side by side: one with a picture of the playfield or the title
// damaged, which shows the message and ends the program before its windows
// or its music come up; one with the tune, both sounds and the input table
// damaged, in which the music and the sounds fall silent without a word,
// the input table shows the message and the game goes on to a catch and
// Quit. Undamaged, the tune is found by its full path and plays.
TEST_P(InstalledProgram, EachDamageIsReportedOrSilencedAsItsFileRequires) {
  const Damage damage = GetParam();
  static const char* const pictures[] = {"Title.jpg",     "Back.jpg",     "Kob03.jpg",
                                         "KobMask06.jpg", "KeyBorad.jpg", "Title.jpg"};
  ProbeRun stopped, played;
  const QString stopping = Install("stopping"), playing = Install("playing");
  if (damage != Damage::None) {
    Break(stopping, File(pictures[static_cast<int>(damage)]), damage);
    for (const char* name : {"Blugrass.mid", "金属.wav", "みゃ.wav", "input.jpg"}) {
      Break(playing, File(name), damage);
    }
    Start(stopped, "stopping");
  }
  Start(played, "playing");

  if (damage != Damage::None) {
    ASSERT_NO_FATAL_FAILURE(Finish(stopped));
    EXPECT_EQ(stopped.lines.mid(0, 2), QStringList({"message " + PictureError, "ended"}));
    EXPECT_EQ(stopped.exitCode, 1);
  }
  ASSERT_NO_FATAL_FAILURE(Finish(played));
  EXPECT_EQ(played.exitCode, 0) << played.process.readAllStandardError().toStdString();
  EXPECT_EQ(played.Starting("caught "), QStringList{"caught 1"});
  const QString tune = QFileInfo(playing).canonicalFilePath() + "/Deta/Blugrass.mid";
  const QStringList opened = played.Starting("music open " + tune + "|");
  ASSERT_EQ(opened.size(), 1);
  const QString play = played.Starting("music play|").value(0);
  if (damage == Damage::None) {
    EXPECT_TRUE(played.Starting("message ").isEmpty());
    EXPECT_EQ(played.Starting("table "), QStringList{"table 10"});
    EXPECT_TRUE(opened[0].endsWith("|0"));
    // Without a sound card the open tune answers that it has no output.
    EXPECT_TRUE(play.endsWith("|0") || play.endsWith("|262")) << play.toStdString();
  } else {
    EXPECT_EQ(played.Starting("message "), QStringList{"message " + PictureError});
    EXPECT_EQ(played.Starting("table "), QStringList{"table 0"});
    EXPECT_FALSE(opened[0].endsWith("|0"));
    EXPECT_TRUE(play.endsWith("|263")) << "no tune is open: " << play.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(EachDamage, InstalledProgram,
                         testing::Values(Damage::Missing, Damage::Empty, Damage::CutShort,
                                         Damage::WrongKind, Damage::HugeHeader, Damage::Folder,
                                         Damage::None),
                         [](const auto& info) { return NameOf(info.param); });
