#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "platform/TextFont.h"
#include "support/MediaFiles.h"

// The program started on a machine that lacks something a desktop usually
// has: a display, a font with kana, a sound card. Each start is a child
// process; the windows and the game are the start-up probe's (tests/
// reliability), run from a folder of its own beside the game's data.

namespace {

const QString NoAudioLine = QStringLiteral("kanacatch: no audio device; playing silently");

struct ChildRun {
  int exitCode = -1;
  QStringList lines;
  QStringList errors;
};

// Runs `program` with `changes` made to this environment: a name with a
// value sets it, a name with a null value unsets it.
ChildRun Start(const QString& program, const QList<std::pair<QString, QString>>& changes) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const auto& [name, value] : changes) {
    if (value.isNull()) {
      environment.remove(name);
    } else {
      environment.insert(name, value);
    }
  }
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, {});
  ChildRun run;
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    return run;
  }
  if (process.exitStatus() == QProcess::NormalExit) run.exitCode = process.exitCode();
  run.lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  run.errors = QString::fromUtf8(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
  return run;
}

class BareMachine : public testing::Test {
 protected:
  // A copy of the start-up probe beside a link to the game's data folder.
  QString InstalledProbe() {
    const QString program = folder.filePath("kanacatch");
    EXPECT_TRUE(QFile::copy(KANACATCH_STARTUP_PROBE, program));
    EXPECT_TRUE(QFile::link(KANACATCH_DATA_DIR, folder.filePath("Deta")));
    return program;
  }

  // A fontconfig set-up that sees only the fonts in `fontFolders`; a scan
  // rule can rename the faces whose name holds `renamedFrom` to `renamedTo`.
  QString FontSetUp(const QStringList& fontFolders, const QString& renamedFrom = {},
                    const QString& renamedTo = {}) {
    QString config = "<?xml version=\"1.0\"?>\n<fontconfig>\n<cachedir>" +
                     folder.filePath("font-cache") + "</cachedir>\n" +
                     "<include ignore_missing=\"yes\">/etc/fonts/conf.d</include>\n";
    for (const QString& fontFolder : fontFolders) config += "<dir>" + fontFolder + "</dir>\n";
    if (!renamedFrom.isEmpty()) {
      config += "<match target=\"scan\"><test name=\"family\" compare=\"contains\"><string>" +
                renamedFrom + "</string></test><edit name=\"family\" mode=\"assign_replace\">" +
                "<string>" + renamedTo + "</string></edit></match>\n";
    }
    const QString path = folder.filePath("fonts.conf");
    WriteTestFile(path, (config + "</fontconfig>\n").toUtf8());
    return path;
  }

  QTemporaryDir folder;
};

}  // namespace

// Without a display Qt would abort with its advice to reinstall; the player
// gets one line that says what is missing, and status 1.
TEST(BareMachineDisplay, WithoutADisplayTheProgramSaysSoInOneLineAndEndsWithStatusOne) {
  const QString unset;
  const struct {
    QString display;
    QString line;
  } cases[] = {{unset, "kanacatch: no display found (DISPLAY and WAYLAND_DISPLAY are unset)"},
               {":65533", "kanacatch: cannot open the display (DISPLAY=:65533)"}};
  for (const auto& c : cases) {
    const ChildRun run =
        Start(KANACATCH_PROGRAM,
              {{"DISPLAY", c.display}, {"WAYLAND_DISPLAY", unset}, {"QT_QPA_PLATFORM", unset}});
    EXPECT_EQ(run.exitCode, 1) << c.line.toStdString();
    EXPECT_EQ(run.errors.join('\n').toStdString(), c.line.toStdString());
  }
}

// The sound libraries' complaints about a machine without sound (eight
// lines of ALSA, PulseAudio's, Qt Multimedia's for each sound) come down to
// at most the program's own line.
TEST_F(BareMachine, AGameWithoutASoundCardSaysSoInOneLineAtMost) {
  const ChildRun run = Start(InstalledProbe(), {{"QT_QPA_PLATFORM", "offscreen"}});
  EXPECT_EQ(run.exitCode, 0);
  const QStringList aboutSound = run.errors.filter(QRegularExpression(
      "ALSA|Pulse|audio|FluidSynth|sound", QRegularExpression::CaseInsensitiveOption));
  EXPECT_LE(aboutSound.size(), 1) << aboutSound.join('\n').toStdString();
  EXPECT_EQ(aboutSound.value(0, NoAudioLine).toStdString(), NoAudioLine.toStdString());
}

// A machine without the IPA faces prints labels in any face that has kana;
// one with no such face at all gets a message it can read and ends.
TEST_F(BareMachine, LabelsUseAnyFaceWithKanaAndWithNoneTheProgramSaysWhatToInstall) {
  const QString ipaFolder = QStringLiteral("/usr/share/fonts/opentype/ipafont-gothic");
  if (!QDir(ipaFolder).exists()) GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
  const QString program = InstalledProbe();
  const ChildRun renamed =
      Start(program, {{"QT_QPA_PLATFORM", "offscreen"},
                      {"FONTCONFIG_FILE", FontSetUp({ipaFolder, "/usr/share/fonts/truetype/dejavu"},
                                                    "IPA", "Kana Test Gothic")}});
  EXPECT_TRUE(renamed.lines.contains("label-face Kana Test Gothic"))
      << renamed.lines.join('\n').toStdString();
  EXPECT_EQ(renamed.exitCode, 0);

  const ChildRun none =
      Start(program, {{"QT_QPA_PLATFORM", "offscreen"},
                      {"FONTCONFIG_FILE", FontSetUp({folder.filePath("no-fonts")})}});
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_TRUE(none.lines.value(0).startsWith("message No installed font has kana"))
      << none.lines.join('\n').toStdString();
  EXPECT_TRUE(none.lines.contains("ended"));
  EXPECT_TRUE(
      none.errors.contains("kanacatch: no installed font has kana; install fonts-ipafont-gothic"));
}

// The game's faces are sans-serif, so a Gothic or Sans face with kana
// stands in before a Mincho one.
TEST(BareMachineFonts, AGothicFaceWithKanaIsPreferredToAMinchoOne) {
  const struct {
    QStringList faces;
    QString picked;
  } cases[] = {{{"IPAMincho", "Noto Sans CJK JP"}, "Noto Sans CJK JP"},
               {{"IPAexMincho", "VL Gothic", "VL PGothic"}, "VL Gothic"},
               {{"IPAMincho"}, "IPAMincho"},
               {{}, ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(platform::PickKanaFace(c.faces).toStdString(), c.picked.toStdString());
  }
}
