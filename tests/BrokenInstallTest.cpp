#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <vector>

#include "support/MediaFiles.h"

// The program started as the player starts it, from a copy of its folder,
// with one data file damaged or the folder oddly named. The copy is the
// start-up probe (tests/reliability): the real start-up, loop and media
// with the message boxes and music commands printed, so that a run ends by
// itself and the test can read what the player would have seen.

namespace {

const QString PictureError = QStringLiteral("画像データ読み込みエラー");

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

enum class Damage { Missing, Empty, CutShort, WrongKind, HugeHeader, Folder };
constexpr Damage AllDamages[] = {Damage::Missing,   Damage::Empty,      Damage::CutShort,
                                 Damage::WrongKind, Damage::HugeHeader, Damage::Folder};

const char* NameOf(Damage damage) {
  switch (damage) {
    case Damage::Missing:
      return "missing";
    case Damage::Empty:
      return "empty";
    case Damage::CutShort:
      return "cut short";
    case Damage::WrongKind:
      return "another kind of file";
    case Damage::HugeHeader:
      return "a header claiming a huge size";
    default:
      return "a folder";
  }
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

std::vector<DataFile> CompleteData() {
  std::vector<DataFile> files{{"Title.jpg", SmallJpeg(64, 48)}, {"Back.jpg", SmallJpeg(64, 48)}};
  for (const char* stem : {"Kob", "KobMask"}) {
    for (int k = 1; k <= 8; ++k) {
      files.push_back({QStringLiteral("%1%2.jpg").arg(stem).arg(k, 2, 10, QLatin1Char('0')),
                       SmallJpeg(25, 29)});
    }
  }
  files.push_back({"KeyBorad.jpg", SmallJpeg(64, 24)});
  files.push_back({"input.jpg", SmallJpeg(32, 300)});
  files.push_back({"Blugrass.mid", TestTune()});
  files.push_back({"金属.wav", ToneWave(60)});
  files.push_back({"みゃ.wav", ToneWave(60)});
  return files;
}

// The bytes of `file` damaged as `damage` says; none for a missing file or
// a folder.
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
        QByteArray tune = file.bytes.left(14) + "MTrk\x7F\xFF\xFF\xF0";
        return tune + QByteArray::fromHex("00903C6E00FF2F00");
      } else {
        // A data chunk that claims 2 GB of samples and holds 64 bytes.
        QByteArray wave = file.bytes.left(40);
        wave.resize(36);
        wave.append("data");
        AppendLittleEndian(wave, 0x7FFFFFF0u);
        return wave + QByteArray(64, '\x10');
      }
    default:
      return {};
  }
}

// What one run printed and how it ended.
struct ProbeRun {
  bool endedByItself = false;
  int exitCode = -1;
  QStringList lines;
  QString errors;

  QStringList Starting(const QString& head) const {
    return lines.filter(QRegularExpression("^" + QRegularExpression::escape(head)));
  }
  int PeakKb() const {
    const QStringList peak = Starting("peak-kb ");
    return peak.isEmpty() ? -1 : peak.first().mid(8).toInt();
  }
};

class InstalledProgram : public testing::Test {
 protected:
  // Puts a copy of the program and a complete data folder into
  // `folderName` under the temporary root; returns the program's path.
  QString Install(const QString& folderName) {
    const QString folder = root.filePath(folderName);
    EXPECT_TRUE(QDir().mkpath(folder + "/Deta"));
    const QString program = folder + "/kanacatch";
    EXPECT_TRUE(QFile::copy(KANACATCH_STARTUP_PROBE, program));
    for (const DataFile& file : CompleteData()) {
      WriteTestFile(folder + "/Deta/" + file.name, file.bytes);
    }
    return program;
  }

  void Break(const QString& program, const DataFile& file, Damage damage) {
    const QString path = QFileInfo(program).path() + "/Deta/" + file.name;
    ASSERT_TRUE(QFile::remove(path));
    if (damage == Damage::Folder) {
      ASSERT_TRUE(QDir().mkdir(path));
    } else if (damage != Damage::Missing) {
      WriteTestFile(path, Damaged(file, damage));
    }
  }

  static ProbeRun Start(const QString& program) {
    QProcess process;
    process.setProgram(program);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
#ifndef KANACATCH_SANITIZE
    // The sanitizers reserve terabytes of address space for themselves.
    process.setChildProcessModifier([] {
      const rlimit limit{AddressSpaceLimit, AddressSpaceLimit};
      setrlimit(RLIMIT_AS, &limit);
    });
#endif
    process.start();
    ProbeRun run;
    run.endedByItself = process.waitForFinished(RunTimeoutMs);
    if (!run.endedByItself) {
      process.kill();
      process.waitForFinished();
    }
    if (process.exitStatus() == QProcess::NormalExit) run.exitCode = process.exitCode();
    run.lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
  }

  // The run went through the whole game: a catch, the input table, Quit.
  static void ExpectPlayedThrough(const ProbeRun& run, bool tableRead = true) {
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.Starting("finished ").value(0).section(' ', 2), "caught=1");
    EXPECT_EQ(run.Starting("table "), QStringList{tableRead ? "table 10" : "table 0"});
    EXPECT_TRUE(run.Starting("ended").isEmpty());
    // Whatever the tune, every command was worded as the device knows it.
    EXPECT_TRUE(run.lines.filter(QRegularExpression("^music .*\\|261$")).isEmpty());
  }

  static void ExpectBounded(const ProbeRun& run) {
    ASSERT_TRUE(run.endedByItself) << "hung";
    EXPECT_GT(run.PeakKb(), 0) << "crashed: " << run.errors.toStdString();
    EXPECT_LT(run.PeakKb(), PeakLimitKb);
  }

  QTemporaryDir root;
};

class BrokenInstall : public InstalledProgram, public testing::WithParamInterface<int> {
 protected:
  DataFile File() const { return CompleteData()[GetParam()]; }
};

std::string FileNameOf(const testing::TestParamInfo<int>& info) {
  QString name = CompleteData()[info.param].name;
  if (name == "金属.wav") return "MissWave";
  if (name == "みゃ.wav") return "CatchWave";
  return name.replace('.', '_').toStdString();
}

}  // namespace

// Every file damaged every way, one run each: a picture read at start-up
// is reported and ends the program before its windows come up; the input
// table is reported and the game goes on; the music and the sounds fall
// silent without a word.
TEST_P(BrokenInstall, EachDamageIsReportedOrSilencedAsItsFileRequires) {
  const DataFile file = File();
  const bool startUpPicture = file.name.endsWith(".jpg") && file.name != "input.jpg";
  for (Damage damage : AllDamages) {
    SCOPED_TRACE(NameOf(damage));
    const QString program = Install(NameOf(damage));
    Break(program, file, damage);
    const ProbeRun run = Start(program);
    ExpectBounded(run);
    if (startUpPicture) {
      EXPECT_EQ(run.Starting("message "), QStringList{"message " + PictureError});
      EXPECT_EQ(run.exitCode, 1);
      EXPECT_EQ(run.lines.value(1), "ended") << "right after the message";
      EXPECT_TRUE(run.Starting("music ").isEmpty()) << "start-up stopped at the picture";
    } else if (file.name == "input.jpg") {
      EXPECT_EQ(run.Starting("message "), QStringList{"message " + PictureError});
      ExpectPlayedThrough(run, false);
    } else {
      EXPECT_TRUE(run.Starting("message ").isEmpty());
      ExpectPlayedThrough(run);
    }
    if (file.name == "Blugrass.mid") {
      EXPECT_EQ(run.Starting("music open ").size(), 1);
      EXPECT_FALSE(run.Starting("music open ").value(0).endsWith("|0")) << "no tune opened";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryDataFile, BrokenInstall,
                         testing::Range(0, static_cast<int>(CompleteData().size())), FileNameOf);

// A quote, an apostrophe or blanks in the folder's name must not lose the
// tune.
TEST_F(InstalledProgram, AFolderOfAnyNameFindsAndPlaysItsData) {
  for (const QString& name : {QStringLiteral("かな キャッチ \"it's\""),
                              QStringLiteral("a\" type sequencer alias x \"b\\")}) {
    SCOPED_TRACE(name.toStdString());
    const QString program = Install(name);
    const ProbeRun run = Start(program);
    ExpectBounded(run);
    EXPECT_TRUE(run.Starting("message ").isEmpty());
    ExpectPlayedThrough(run);
    const QString open =
        QStringLiteral("music open %1/Deta/Blugrass.mid|0").arg(QFileInfo(program).canonicalPath());
    EXPECT_EQ(run.Starting("music open "), QStringList{open});
    const QStringList plays = run.Starting("music play|");
    ASSERT_FALSE(plays.isEmpty());
    // Without a sound card the open tune answers that it has no output.
    EXPECT_TRUE(plays.first().endsWith("|0") || plays.first().endsWith("|262"))
        << plays.first().toStdString();
  }
}

// A program started through a link finds the data beside the real file.
TEST_F(InstalledProgram, AProgramStartedThroughALinkReadsTheDataBesideItself) {
  const QString program = Install("installed");
  ASSERT_TRUE(QDir().mkpath(root.filePath("bin")));
  const QString link = root.filePath("bin/kanacatch");
  ASSERT_TRUE(QFile::link(program, link));
  const ProbeRun run = Start(link);
  ExpectBounded(run);
  EXPECT_TRUE(run.Starting("message ").isEmpty());
  ExpectPlayedThrough(run);
}
