#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/time.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <list>

#include "media/MediaLoading.h"
#include "platform/MusicDevice.h"
#include "platform/ProgramFolder.h"
#include "platform/QtWaveOutput.h"
#include "platform/WaveSound.h"
#include "support/GameFixture.h"
#include "support/MediaFiles.h"

// Damaged data folders: every data file damaged every way and read
// in-process as start-up reads it; then the program itself, started from
// copies of its folder once for each kind of damage, to see what the player
// sees. The copies are of the end-to-end tests' build of the program, left
// to play by itself (tests/e2e/Probe.cpp): it prints its messages and music
// requests, so that a run ends by itself and the test can read what it did.

namespace {

const QString PictureError = QStringLiteral("画像データ読み込みエラー");

enum Damage { Missing, Empty, CutShort, WrongKind, HugeHeader, Folder, None };
const char* const DamageNames[] = {"Missing",    "Empty",  "CutShort", "WrongKind",
                                   "HugeHeader", "Folder", "None"};

// The files of the data folder, in the order start-up reads them.
const QStringList DataFiles = [] {
  QStringList names{"Title.jpg", "Back.jpg"};
  for (const char* stem : {"Kob", "KobMask"}) {
    for (int k = 1; k <= 8; ++k) names << QString("%1%2.jpg").arg(stem).arg(k, 2, 10, QChar('0'));
  }
  return names << "KeyBorad.jpg"
               << "input.jpg"
               << "Blugrass.mid"
               << "金属.wav"
               << "みゃ.wav";
}();

// The data file `name`, small but whole, or damaged as `damage` says.
QByteArray Bytes(const QString& name, Damage damage) {
  const bool picture = name.endsWith(".jpg");
  const QByteArray whole = picture                 ? JpegBytes(PlainPicture(32, 32, Qt::yellow))
                           : name.endsWith(".mid") ? TestTune()
                                                   : ToneWave(60);
  switch (damage) {
    case CutShort:
      return whole.left(whole.size() / 2);
    case WrongKind:
      return picture ? ToneWave(60) : JpegBytes(PlainPicture(16, 16, Qt::red));
    case HugeHeader:  // a frame, a track chunk or a data chunk that claims 2 GB
      if (picture) return JpegWithFrameSize(whole, 60000, 60000);
      if (!name.endsWith(".wav")) return whole.left(14) + QByteArray::fromHex("4D54726B7FFFFFF0");
      return whole.left(36) + QByteArray::fromHex("64617461F0FFFF7F") + QByteArray(64, '\x10');
    default:
      return damage == None ? whole : QByteArray();
  }
}

// Writes the data file `name` into `folder`/Deta, damaged as `damage` says.
void Write(const QString& folder, const QString& name, Damage damage = None) {
  const QString path = folder + "/Deta/" + name;
  QDir(path).removeRecursively();
  QFile::remove(path);
  QDir().mkpath(damage == Folder ? path : folder + "/Deta");
  if (damage != Missing && damage != Folder) WriteTestFile(path, Bytes(name, damage));
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
// title and the input table come back empty, for their windows to report;
// a damaged tune does not open and a damaged sound does not play, both
// without a word. Each damage has a folder of its own, as the wave player
// remembers a file it could not read.
TEST_F(DamagedData, EveryFileDamagedEveryWayIsReportedOrSilencedAsItsFileRequires) {
  for (int damage = Missing; damage < None; ++damage) {
    const QString folder = root.filePath(DamageNames[damage]);
    for (const QString& name : DataFiles) Write(folder, name);
    platform::UseProgramFolder(folder);
    if (damage == Missing) {
      LoadPictures();
      EXPECT_FALSE(ReadDataPicture("Title.jpg").isNull() || ReadDataPicture("input.jpg").isNull());
      EXPECT_TRUE(platform::WaveFileLength(folder + "/Deta/みゃ.wav")) << "whole data is read";
    }
    for (const QString& name : DataFiles) {
      SCOPED_TRACE(DamageNames[damage] + (" " + name).toStdString());
      const QString path = folder + "/Deta/" + name;
      Write(folder, name, Damage(damage));
      messages.messages.clear();
      const bool playfield = name.endsWith(".jpg") && name != "Title.jpg" && name != "input.jpg";
      if (playfield) {
        EXPECT_THROW(LoadPictures(), ProgramEnded);
      } else if (name.endsWith(".jpg")) {
        EXPECT_TRUE(ReadDataPicture(name).isNull());
      } else if (name.endsWith(".mid")) {
        platform::Music().Close();
        LoadSounds();
        EXPECT_EQ(platform::Music().PlayFromStart(), platform::MusicNotOpen);
      } else {
        EXPECT_FALSE(platform::WaveFileLength(path));
        platform::PlayWaveSound(path, platform::GameSoundFlags);
      }
      EXPECT_EQ(messages.messages, playfield ? std::vector{PictureError} : std::vector<QString>{});
      Write(folder, name);
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

class InstalledProgram : public testing::TestWithParam<int> {
 protected:
  // A folder whose name holds blanks, Japanese, quotes, an apostrophe and
  // a backslash.
  QString FolderOf(const QString& name) const {
    return QDir(root.path()).canonicalPath() + "/" + name +
           " かな キャッチ \"it's\" a\" type x \"b\\";
  }

  // Installs the program into FolderOf(`name`) with the `damaged` files
  // damaged as the test's parameter says, and starts it through a link
  // `name` beside the folder.
  QProcess& Start(const QString& name, const QStringList& damaged) {
    const QString folder = FolderOf(name);
    for (const QString& file : DataFiles) {
      Write(folder, file, damaged.contains(file) ? Damage(GetParam()) : None);
    }
    EXPECT_TRUE(QFile::copy(KANACATCH_PROBE, folder + "/kanacatch"));
    EXPECT_TRUE(QFile::link(folder + "/kanacatch", root.filePath(name)));
    QProcess& run = runs.emplace_back();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KANACATCH_PROBE_PLAYER", "1");
    run.setProcessEnvironment(environment);
#ifndef KANACATCH_SANITIZE
    run.setChildProcessModifier([] {
      const rlimit limit{AddressSpaceLimit, AddressSpaceLimit};
      setrlimit(RLIMIT_AS, &limit);
    });
#endif
    run.start(root.filePath(name), {});
    return run;
  }

  // Waits for `run` to end by itself, well within the memory it may take;
  // what it printed.
  static QStringList Finish(QProcess& run) {
    EXPECT_TRUE(run.waitForFinished(RunTimeoutMs)) << "hung";
    run.kill();
    run.waitForFinished();
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit) << run.readAllStandardError().toStdString();
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);  // the most any run ended so far held
    EXPECT_LT(usage.ru_maxrss, PeakLimitKb);
    return QString(run.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  }

  QTemporaryDir root;
  std::list<QProcess> runs;
};

}  // namespace

// Two runs side by side: one with a picture of the playfield or the title
// damaged, which shows the message and ends the program before its windows
// or its music come up; one with the tune, both sounds and the input table
// damaged, in which the music and the sounds fall silent without a word,
// the input table shows the message and the game goes on to a catch and
// Quit. Undamaged, the tune opens by its full path and plays.
TEST_P(InstalledProgram, EachDamageIsReportedOrSilencedAsItsFileRequires) {
  const bool whole = GetParam() == None;
  const char* const pictures[] = {"Title.jpg",    "Back.jpg",  "Kob03.jpg", "KobMask06.jpg",
                                  "KeyBorad.jpg", "Title.jpg", ""};
  QProcess* stopping = whole ? nullptr : &Start("stopping", {pictures[GetParam()]});
  QProcess& playing = Start("playing", {"Blugrass.mid", "金属.wav", "みゃ.wav", "input.jpg"});
  if (stopping) {
    EXPECT_EQ(Finish(*stopping).mid(0, 2), QStringList({"message " + PictureError, "ended"}));
    EXPECT_EQ(stopping->exitCode(), 1);
  }
  const QStringList lines = Finish(playing);
  EXPECT_EQ(playing.exitCode(), 0);
  EXPECT_EQ(lines.filter("caught "), QStringList{"caught 1"});
  EXPECT_EQ(lines.filter("message "),
            whole ? QStringList() : QStringList{"message " + PictureError});
  EXPECT_EQ(lines.filter("table "), QStringList{whole ? "table 10" : "table 0"});
  const QStringList opened =
      lines.filter("music open " + FolderOf("playing") + "/Deta/Blugrass.mid|");
  ASSERT_EQ(opened.size(), 1);
  EXPECT_EQ(opened[0].endsWith("|0"), whole);
  // Without a sound card an open tune answers that it has no output.
  const QString play = lines.filter("music play|").value(0);
  EXPECT_TRUE(whole ? play.endsWith("|0") || play.endsWith("|262") : play.endsWith("|263"))
      << play.toStdString();
}

INSTANTIATE_TEST_SUITE_P(EachDamage, InstalledProgram, testing::Range(0, None + 1),
                         [](const auto& info) { return DamageNames[info.param]; });
