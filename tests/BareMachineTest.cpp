#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/MediaFiles.h"

// The program started on a machine that lacks something a desktop usually
// has: a display, a font with kana, a sound card. The windows and the game
// are the test build's (tests/e2e), playing by itself from a folder of its own
// beside the game's data.

namespace {

struct ChildRun {
  int exitCode = -1;
  QStringList lines, errors;
  std::string Errors() const { return errors.join('\n').toStdString(); }
};

class BareMachine : public testing::Test {
 protected:
  // Runs `program` with these variables set, or unset where the value is null.
  static ChildRun Start(const QString& program, const QList<std::pair<QString, QString>>& vars) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("KANACATCH_PROBE_PLAYER", "1");
    for (const auto& [name, value] : vars) {
      value.isNull() ? environment.remove(name) : environment.insert(name, value);
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, {});
    ChildRun run;
    if (!process.waitForFinished(60000)) process.kill();
    if (process.exitStatus() == QProcess::NormalExit) run.exitCode = process.exitCode();
    run.lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    run.errors = QString::fromUtf8(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    return run;
  }

  // A copy of the probe beside a data folder of small plain files.
  QString InstalledProbe() {
    const QString program = folder.filePath("kanacatch");
    EXPECT_TRUE(QFile::copy(KANACATCH_PROBE, program));
    EXPECT_TRUE(QDir(folder.path()).mkdir("Deta"));
    QStringList pictures{"Title", "Back", "KeyBorad", "input"};
    for (int k = 1; k <= 8; ++k)
      pictures << QString("Kob0%1").arg(k) << QString("KobMask0%1").arg(k);
    for (const QString& name : pictures) {
      WriteTestFile(folder.filePath("Deta/" + name + ".jpg"),
                    JpegBytes(PlainPicture(25, 29, Qt::gray)));
    }
    WriteTestFile(folder.filePath("Deta/Blugrass.mid"), TestTune());
    for (const char* sound : {"金属.wav", "みゃ.wav"}) {
      WriteTestFile(folder.filePath("Deta/") + QString::fromUtf8(sound), ToneWave(60));
    }
    return program;
  }

  // A fontconfig set-up with the system's rules that sees only the fonts in
  // `fontFolders`, the IPA faces among them renamed "Kana Test Gothic".
  QString FontSetUp(const QStringList& fontFolders) {
    const QString path = folder.filePath("fonts.conf");
    WriteTestFile(path, QStringLiteral(R"(<?xml version="1.0"?><fontconfig>
<include ignore_missing="yes">/etc/fonts/conf.d</include><cachedir>%1</cachedir><dir>%2</dir>
<match target="scan"><test name="family" compare="contains"><string>IPA</string></test>
<edit name="family" mode="assign_replace"><string>Kana Test Gothic</string></edit></match>
</fontconfig>)")
                            .arg(folder.filePath("font-cache"), fontFolders.join("</dir><dir>"))
                            .toUtf8());
    return path;
  }

  QTemporaryDir folder;
};

}  // namespace

// Without a display Qt would abort with its advice to reinstall; the player
// gets one line that says what is missing, and status 1.
TEST_F(BareMachine, WithoutADisplayTheProgramSaysSoInOneLineAndEndsWithStatusOne) {
  const QString unset;
  const struct {
    QString display, line;
  } cases[] = {{unset, "kanacatch: no display found (DISPLAY and WAYLAND_DISPLAY are unset)"},
               {":65533", "kanacatch: cannot open the display (DISPLAY=:65533)"}};
  for (const auto& c : cases) {
    const ChildRun run =
        Start(KANACATCH_PROGRAM,
              {{"DISPLAY", c.display}, {"WAYLAND_DISPLAY", unset}, {"QT_QPA_PLATFORM", unset}});
    EXPECT_EQ(run.exitCode, 1) << c.line.toStdString();
    EXPECT_EQ(run.Errors(), c.line.toStdString());
  }
}

// ALSA's eight lines, PulseAudio's and Qt Multimedia's complaints about a
// machine without sound come down to the program's own line at most.
TEST_F(BareMachine, AGameWithoutASoundCardSaysSoInOneLineAtMost) {
  const ChildRun run = Start(InstalledProbe(), {});
  EXPECT_EQ(run.exitCode, 0);
  const QStringList aboutSound = run.errors.filter(QRegularExpression(
      "ALSA|Pulse|audio|FluidSynth|sound", QRegularExpression::CaseInsensitiveOption));
  EXPECT_LE(aboutSound.size(), 1) << run.Errors();
  EXPECT_EQ(aboutSound.value(0, "kanacatch: no audio device; playing silently"),
            "kanacatch: no audio device; playing silently");
}

// Without the IPA faces labels are printed in a face that has kana, not in
// the Latin default; with no such face the player reads what to install.
TEST_F(BareMachine, LabelsUseAnyFaceWithKanaAndWithNoneTheProgramSaysWhatToInstall) {
  const QString ipaFolder = QStringLiteral("/usr/share/fonts/opentype/ipafont-gothic");
  if (!QDir(ipaFolder).exists()) GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
  const QString program = InstalledProbe();
  const ChildRun renamed = Start(
      program, {{"FONTCONFIG_FILE", FontSetUp({ipaFolder, "/usr/share/fonts/truetype/dejavu"})}});
  EXPECT_TRUE(renamed.lines.contains("label-face Kana Test Gothic")) << renamed.Errors();

  const ChildRun none = Start(program, {{"FONTCONFIG_FILE", FontSetUp({"/no-fonts"})}});
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_TRUE(none.lines.value(0).startsWith("message No installed font has kana"));
  EXPECT_TRUE(
      none.errors.contains("kanacatch: no installed font has kana; install fonts-ipafont-gothic"))
      << none.Errors();
}
