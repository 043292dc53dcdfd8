#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <list>
#include <map>
#include <stdexcept>

#include "platform/audio/MusicDevice.h"
#include "platform/audio/WaveFile.h"
#include "platform/audio/WaveSound.h"
#include "platform/system/Services.h"
#include "rules/media/MediaLoading.h"
#include "state/GameState.h"
#include "state/Pictures.h"
#include "support/GameFixture.h"
#include "support/MediaFiles.h"

// Damaged data folders and bare machines: every data file damaged every way
// and read in-process as start-up reads it; then the program itself, started
// once for each kind of damage and each thing a machine may lack, to see
// what the player sees. The program is the end-to-end tests' build of it,
// left to play by itself (tests/e2e/Probe.cpp): it prints its messages and
// its music and sound requests, so that a run ends by itself.

namespace {

const QString PictureError = QStringLiteral("画像データ読み込みエラー");
const QString WordsError = QStringLiteral("ことばデータ読み込みエラー");

enum Damage { Missing, Empty, CutShort, WrongKind, HugeHeader, Folder, None };
const char* const DamageNames[] = {"Missing",   "Empty",      "CutShort",
                                   "WrongKind", "HugeHeader", "Folder"};

// The data files: first the playfield's pictures in the order start-up
// reads them, then the rest.
const QStringList DataFiles = [] {
  QStringList names{"Back.jpg"};
  for (const char* stem : {"Kob", "KobMask"})
    for (int k = 1; k <= 8; ++k) names << QString("%1%2.jpg").arg(stem).arg(k, 2, 10, QChar('0'));
  return names + QStringList{"KeyBorad.jpg",       "Title.jpg",          "input.jpg",
                             "input-katakana.jpg", "Blugrass.mid",       "金属.wav",
                             "みゃ.wav",           "hiragana-words.txt", "katakana-words.txt"};
}();
constexpr int PlayfieldPictures = 18;

// Each picture in a colour of its own, so that a test can tell which file
// ended up where; the background red with a blue lower right quarter.
QColor ColourOf(int file) { return QColor(12 * file, 200 - 12 * file, 100); }

// The data file `name`, small but whole, or damaged as `damage` says. A
// whole picture begins with a comment holding an end marker, as a camera's
// thumbnail would, which must not make its first half look whole (the
// decoder alone would paint the missing part grey and succeed); the
// background is progressive. A word table of one word cut short ends in
// the middle of a line.
QByteArray Bytes(const QString& name, Damage damage) {
  const bool picture = name.endsWith(".jpg");
  const bool words = name.endsWith(".txt");
  const bool back = name == "Back.jpg";
  const int file = DataFiles.indexOf(name);
  QImage plain = PlainPicture(back ? 320 : 48, 200, back ? Qt::red : ColourOf(file));
  if (back) QPainter(&plain).fillRect(160, 100, 160, 100, Qt::blue);
  const QByteArray jpeg = JpegBytes(plain, back);
  const QByteArray whole =
      picture ? jpeg.left(2) + QByteArray("\xFF\xFE\x00\x06\xFF\xD9\xFF\xD9", 8) + jpeg.mid(2)
      : name.endsWith(".mid") ? TestTune()
      : words ? QByteArray(name.startsWith('k') ? "テレビ\tテレビ\tTV\n" : "いぬ\t犬\tdog\n")
              : ToneWave(60);
  switch (damage) {
    case CutShort:
      return whole.left(whole.size() / 2);
    case WrongKind:
      return picture ? ToneWave(60) : jpeg;
    case HugeHeader:  // a frame wider or taller than 8192, or a chunk of 2 GB
      if (picture) return JpegWithFrameSize(whole, file % 2 ? 60000 : 48, file % 2 ? 200 : 60000);
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

bool Near(QRgb pixel, QColor colour) {
  return std::max({std::abs(qRed(pixel) - colour.red()), std::abs(qGreen(pixel) - colour.green()),
                   std::abs(qBlue(pixel) - colour.blue())}) < 12;
}

// Whether critter picture `i` (1 to 8), or mask `i` - 8, was read into its
// place at the critters' size.
bool InPlace(int i) {
  const QImage& kept = i <= 8 ? Game.KobImage[i] : Game.KobMaskImage[i - 8];
  return kept.size() == QSize(KobWidth, KobHeight) && Near(kept.pixel(60, 70), ColourOf(i));
}

// How long a run may take before it counts as hung.
constexpr int RunTimeoutMs = 60000;

// One start of the program: the files damaged and the variables set (or
// unset, where the value is null), then what it must do: its exit status
// and lines it must print, those to the terminal beginning "kanacatch: ".
struct Start {
  const char* name;
  std::map<QString, Damage> damaged;
  std::map<QString, QString> variables;
  int exitCode;
  QStringList lines;
};

class BrokenInstall : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    platform::ChangeServices([this](platform::Services& s) {
      s.messages = &messages;
      s.music = nullptr;
      s.waves = nullptr;
    });
  }

  // A folder whose name holds blanks, Japanese, quotes, an apostrophe and
  // a backslash.
  QString FolderOf(const QString& name) const {
    return QDir(root.path()).canonicalPath() + "/" + name +
           " かな キャッチ \"it's\" a\" type x \"b\\";
  }

  // Installs the program into FolderOf(`start.name`) and starts it through
  // a link beside the folder.
  void Launch(const Start& start) {
    const QString folder = FolderOf(start.name);
    for (const QString& file : DataFiles)
      Write(folder, file, start.damaged.contains(file) ? start.damaged.at(file) : None);
    EXPECT_TRUE(QFile::copy(KANACATCH_PROBE, folder + "/kanacatch"));
    EXPECT_TRUE(QFile::link(folder + "/kanacatch", root.filePath(start.name)));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KANACATCH_PROBE_PLAYER", "1");
    for (const auto& [name, value] : start.variables)
      value.isNull() ? environment.remove(name) : environment.insert(name, value);
    QProcess& run = runs.emplace_back();
    run.setProcessEnvironment(environment);
    run.start(root.filePath(start.name), {});
  }

  // A fontconfig set-up with the system's rules that sees only the fonts in
  // `fontFolders`, the IPA faces among them renamed "Kana Test Gothic".
  QString Fonts(const QString& name, const QStringList& fontFolders) {
    const QString path = root.filePath(name + ".conf");
    WriteTestFile(path, QStringLiteral(R"(<?xml version="1.0"?><fontconfig>
<include ignore_missing="yes">/etc/fonts/conf.d</include><cachedir>%1</cachedir><dir>%2</dir>
<match target="scan"><test name="family" compare="contains"><string>IPA</string></test>
<edit name="family" mode="assign_replace"><string>Kana Test Gothic</string></edit></match>
</fontconfig>)")
                            .arg(root.filePath("font-cache"), fontFolders.join("</dir><dir>"))
                            .toUtf8());
    return path;
  }

  QTemporaryDir root;
  MessageRecorder messages;
  std::list<QProcess> runs;
};

}  // namespace

// A picture the playfield needs ends the program with the message, those
// after it unread; the title and the input table come back empty, for their
// windows to report; a damaged tune does not open and a damaged sound does
// not play, both without a word; a damaged word table is named in its
// message, and the other table is read. Each damage has a folder of its own, as
// the wave player remembers a file it could not read. Whole, the background
// is stretched over the whole buffer (every picture is in place once the
// last one, the keyboard, is damaged).
TEST_F(BrokenInstall, EveryFileDamagedEveryWayIsReportedOrSilencedAsItsFileRequires) {
  for (int damage = Missing; damage < None; ++damage) {
    const QString folder = root.filePath(DamageNames[damage]);
    for (const QString& name : DataFiles) Write(folder, name);
    platform::ChangeServices([&](platform::Services& s) { s.programFolder = folder; });
    if (damage == Missing) {
      LoadPictures();
      const QImage& back = BackPicture.Image();
      ASSERT_EQ(back.size(), QSize(640, 480));
      EXPECT_TRUE(Near(back.pixel(300, 220), Qt::red) && Near(back.pixel(340, 260), Qt::blue) &&
                  Near(back.pixel(635, 475), Qt::blue));
    }
    for (int file = 0; file < DataFiles.size(); ++file) {
      const QString& name = DataFiles[file];
      SCOPED_TRACE(DamageNames[damage] + (" " + name).toStdString());
      const QString path = folder + "/Deta/" + name;
      Write(folder, name, Damage(damage));
      messages.messages.clear();
      if (file < PlayfieldPictures) {
        ClearGameState();
        BackPicture.ImageToDrawIn().fill(Qt::white);
        EXPECT_THROW(LoadPictures(), ProgramEnded);
        for (int i = 1; i <= 16; ++i) EXPECT_EQ(InPlace(i), i < file) << i;
        EXPECT_EQ(Near(BackPicture.Image().pixel(5, 5), Qt::red), file > 0);
        EXPECT_TRUE(Game.KeyboardJpeg.isEmpty());
      } else if (name.endsWith(".jpg")) {
        EXPECT_TRUE(ReadDataPicture(name).isNull());
      } else if (name.endsWith(".txt")) {
        LoadWordTables();
        EXPECT_EQ((name.startsWith('k') ? Game.HiraganaWords : Game.KatakanaWords).words.size(),
                  1u);
      } else if (name.endsWith(".mid")) {
        platform::Music().Close();
        LoadSounds();
        EXPECT_EQ(platform::Music().PlayFromStart(), platform::MusicNotOpen);
      } else {
        EXPECT_FALSE(platform::WaveFileLength(path));
        platform::PlayWaveSound(path, platform::GameSoundFlags);
      }
      EXPECT_EQ(messages.messages, file < PlayfieldPictures ? std::vector{PictureError}
                                   : name.endsWith(".txt")  ? std::vector{WordsError + '\n' + name}
                                                            : std::vector<QString>{});
      Write(folder, name);
    }
  }
}

TEST_F(BrokenInstall, AMusicDeviceOutOfReachEndsTheProgramWithTheSoundMessage) {
  struct Unreachable : MusicRecorder {
    int Open(const QString&) override { throw std::runtime_error("no multimedia"); }
  } unreachable;
  platform::ChangeServices([&](platform::Services& s) { s.music = &unreachable; });
  EXPECT_THROW(LoadSounds(), ProgramEnded);
  EXPECT_EQ(messages.messages, std::vector<QString>{"サウンドデータ読み込みエラー"});
}

// Started side by side. Without a display Qt would abort with its advice to
// reinstall; without a font with kana nothing could be read: the player gets
// one line that says what is missing, and status 1. A missing title picture
// shows the message and ends the program before its windows or its music
// come up. A damaged tune, sounds and input table fall silent without a
// word, but for the table's message, a damaged word table has its own, and
// the game goes on to a catch and Quit. Whole, the tune opens by its full
// path and closes, the labels take any face with kana, and the complaints
// of ALSA, PulseAudio and Qt Multimedia about a machine without sound come
// down to the program's own line at most.
TEST_F(BrokenInstall, EachDamageOrLackIsReportedOrSilencedAsItRequires) {
  const QString ipa = "/usr/share/fonts/opentype/ipafont-gothic", unset, whole = FolderOf("whole");
  ASSERT_TRUE(QDir(ipa).exists()) << "fonts-ipafont-gothic is not installed";
  std::map<QString, QString> far{
      {"KANACATCH_PROBE_PLAYER", unset}, {"WAYLAND_DISPLAY", unset}, {"QT_QPA_PLATFORM", unset}};
  std::map<QString, QString> none = far;
  far["DISPLAY"] = ":65533";
  none["DISPLAY"] = unset;
  const Start starts[] = {
      {"lost",
       {},
       none,
       1,
       {"kanacatch: no display found (DISPLAY and WAYLAND_DISPLAY are unset)"}},
      {"far", {}, far, 1, {"kanacatch: cannot open the display (DISPLAY=:65533)"}},
      {"fontless",
       {},
       {{"FONTCONFIG_FILE", Fonts("none", {"/no-fonts"})}},
       1,
       {"message No installed font has kana,", "ended",
        "kanacatch: no installed font has kana; install fonts-ipafont-gothic"}},
      {"title", {{"Title.jpg", Missing}}, {}, 1, {"message " + PictureError, "ended"}},
      {"silent",
       {{"Blugrass.mid", CutShort},
        {"金属.wav", HugeHeader},
        {"みゃ.wav", WrongKind},
        {"input.jpg", Empty},
        {"katakana-words.txt", CutShort}},
       {},
       0,
       {"caught 1", "table 0", "message " + PictureError, "music play|263", "message " + WordsError,
        "katakana-words.txt"}},
      {"whole",
       {},
       {{"FONTCONFIG_FILE", Fonts("renamed", {ipa, "/usr/share/fonts/truetype/dejavu"})}},
       0,
       {"caught 1", "table 10", "music open " + whole + "/Deta/Blugrass.mid|0", "music close|0",
        "label-face Kana Test Gothic", "sound " + whole + "/Deta/みゃ.wav 19",
        "sound " + whole + "/Deta/金属.wav 19"}}};
  for (const Start& start : starts) Launch(start);
  auto next = runs.begin();
  for (const Start& start : starts) {
    QProcess& run = *next++;
    SCOPED_TRACE(start.name);
    EXPECT_TRUE(run.waitForFinished(RunTimeoutMs)) << "hung";
    const QStringList lines = QString(run.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    const QStringList errors = QString(run.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    const QString said = (lines + errors).join('\n');
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), start.exitCode) << said.toStdString();
    for (const QString& line : start.lines)
      EXPECT_TRUE((lines + errors).contains(line)) << line.toStdString();
    EXPECT_EQ(lines.filter("message ").size(), start.lines.filter("message ").size());
    // A program that ends at its start shows no window and plays nothing;
    // before the windows' messages its line is all it writes.
    EXPECT_TRUE(!start.exitCode ||
                lines.filter(QRegularExpression("^(music|sound|table)")).isEmpty());
    EXPECT_TRUE(!lines.isEmpty() || errors == start.lines) << said.toStdString();
    const QStringList aboutSound = errors.filter(QRegularExpression(
        "ALSA|Pulse|audio|FluidSynth|sound", QRegularExpression::CaseInsensitiveOption));
    EXPECT_LE(aboutSound.size(), 1) << said.toStdString();
    EXPECT_EQ(aboutSound.value(0, "kanacatch: no audio device; playing silently"),
              "kanacatch: no audio device; playing silently");
  }
}
