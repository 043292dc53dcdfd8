// Draws every picture of the game's data folder.
//   kanacatch-pictures --source <data/pictures> --out <Deta> [--preview <file.png>]
// The preview is the playfield as the game composes it, for looking at.
#include <QCommandLineParser>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <cstdio>
#include <functional>

#include "Canvas.h"
#include "Compose.h"
#include "Critters.h"
#include "KanaTable.h"
#include "Keyboard.h"
#include "Playfield.h"
#include "Scenery.h"

using namespace pictures;

namespace {

QString critterName(const char *stem, int number) {
  return QStringLiteral("%1%2.jpg").arg(QLatin1String(stem)).arg(number, 2, 10, QLatin1Char('0'));
}

bool writeAll(const QDir &out, const std::vector<Lesson> &lessons) {
  std::vector<std::pair<QString, std::function<QImage()>>> pictures{
      {QStringLiteral("Back.jpg"), [] { return renderBackground(kDetail); }},
      {QStringLiteral("Title.jpg"), [] { return renderTitle(kDetail); }},
      {QStringLiteral("KeyBorad.jpg"), [] { return renderKeyboard(kDetail); }},
      {QStringLiteral("input.jpg"), [&] { return renderKanaTable(lessons); }},
      {QStringLiteral("input-katakana.jpg"),
       [&] { return renderKanaTable(lessons, KanaScript::Katakana); }},
  };
  bool ok = true;
  for (const auto &[name, make] : pictures) ok = saveJpeg(make(), out.filePath(name)) && ok;
  for (int number = 1; number <= 2 * kSpecies; ++number) {
    const int species = (number - 1) % kSpecies + 1;
    const CritterPicture critter = renderCritter(species, number > kSpecies, kDetail);
    ok = saveJpeg(critter.picture, out.filePath(critterName("Kob", number))) && ok;
    ok = saveJpeg(critter.mask, out.filePath(critterName("KobMask", number))) && ok;
  }
  return ok;
}

// The playfield with a critter up in every hole, composed from the written
// files as the game does, with sample labels in random dark-ish colours.
QImage preview(const QDir &data) {
  QImage field = QImage(data.filePath(QStringLiteral("Back.jpg")))
                     .scaled(kFieldSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_RGB32);
  const QString samples[] = {QStringLiteral("あ"), QStringLiteral("きゃ"), QStringLiteral("ゃ"),
                             QStringLiteral("ぬ"), QStringLiteral("しゅ"), QString()};
  QRandomGenerator random(5);
  for (std::size_t i = 0; i < kHoles.size(); ++i) {
    const Hole &hole = kHoles[i];
    const int number = hole.species + (samples[i].isEmpty() ? kSpecies : 0);
    const QImage critter = toFrame(QImage(data.filePath(critterName("Kob", number))));
    const QImage mask = toFrame(QImage(data.filePath(critterName("KobMask", number))));
    composeCritter(field, critter, mask, hole.left, hole.restY, hole.maxRise);
    if (samples[i].isEmpty()) continue;
    QPainter p(&field);
    p.setRenderHint(QPainter::TextAntialiasing);
    const Label label = labelFor(samples[i], hole.labelAnchor);
    p.setFont(label.font);
    p.setPen(QColor(random.bounded(1, 201), random.bounded(1, 201), random.bounded(1, 201)));
    const QPoint frameTop(hole.left, hole.restY - hole.maxRise);
    p.drawText(
        QPointF(frameTop + label.cellTopLeft) + QPointF(0, QFontMetricsF(label.font).ascent()),
        samples[i]);
  }
  QPainter p(&field);
  p.setFont(gothic(40, true));
  p.setPen(QColor(255, 0, 0));
  p.drawText(65, 23 + 40, QStringLiteral("ぴこり 3"));
  p.setPen(QColor(255, 100, 0));
  p.drawText(390, 23 + 40, QStringLiteral("つかまえた 12"));
  p.fillRect(QRect((640 - 125) / 2, 0, 125, 70), Qt::white);
  return field;
}

}  // namespace

int main(int argc, char **argv) {
  QGuiApplication app(argc, argv);
  QCommandLineParser parser;
  parser.addHelpOption();
  parser.addOption({QStringLiteral("source"), QStringLiteral("folder with input-table.txt"),
                    QStringLiteral("dir")});
  parser.addOption({QStringLiteral("out"), QStringLiteral("folder to write the pictures to"),
                    QStringLiteral("dir")});
  parser.addOption({QStringLiteral("preview"),
                    QStringLiteral("also write the composed playfield to this file"),
                    QStringLiteral("file")});
  parser.process(app);
  if (!parser.isSet(QStringLiteral("source")) || !parser.isSet(QStringLiteral("out")))
    parser.showHelp(2);

  // Every kana and the title are set in IPA Gothic; without it they would
  // silently fall back to whatever font the machine has.
  for (const char *family : {"IPAPGothic", "IPAGothic"}) {
    if (!QFontDatabase::hasFamily(QLatin1String(family))) {
      std::fprintf(stderr, "font %s is missing (Debian: fonts-ipafont-gothic)\n", family);
      return 1;
    }
  }

  QString error;
  const QDir source(parser.value(QStringLiteral("source")));
  const std::vector<Lesson> lessons =
      readInputTable(source.filePath(QStringLiteral("input-table.txt")), &error);
  if (lessons.empty()) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
  }
  const QDir out(parser.value(QStringLiteral("out")));
  if (!out.mkpath(QStringLiteral(".")) || !writeAll(out, lessons)) {
    std::fprintf(stderr, "could not write the pictures to %s\n", qPrintable(out.path()));
    return 1;
  }
  if (parser.isSet(QStringLiteral("preview")) &&
      !preview(out).save(parser.value(QStringLiteral("preview")))) {
    std::fprintf(stderr, "could not write the preview\n");
    return 1;
  }
  return 0;
}
