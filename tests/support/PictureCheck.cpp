#include "support/PictureCheck.h"

#include <QDir>
#include <algorithm>
#include <cstdlib>

namespace {

// What sets two pictures apart, counted with a tolerance's level.
struct PictureDifference {
  int pixels = 0;   // pixels beyond the level
  int largest = 0;  // the largest channel difference of any pixel
  QRect box;        // bounds the pixels beyond the level
  QImage picture;   // the actual picture greyed, its differing pixels red
};

PictureDifference Compare(const QImage& actual, const QImage& reference, int level) {
  const QImage a = actual.convertToFormat(QImage::Format_RGB32);
  const QImage r = reference.convertToFormat(QImage::Format_RGB32);
  PictureDifference difference;
  difference.picture = QImage(a.size(), QImage::Format_RGB32);
  for (int y = 0; y < a.height(); ++y) {
    const QRgb* shown = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const QRgb* meant = reinterpret_cast<const QRgb*>(r.constScanLine(y));
    QRgb* out = reinterpret_cast<QRgb*>(difference.picture.scanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      const int d = std::max({std::abs(qRed(shown[x]) - qRed(meant[x])),
                              std::abs(qGreen(shown[x]) - qGreen(meant[x])),
                              std::abs(qBlue(shown[x]) - qBlue(meant[x]))});
      difference.largest = std::max(difference.largest, d);
      const int grey = 128 + qGray(shown[x]) / 2;
      if (d > level) {
        ++difference.pixels;
        difference.box |= QRect(x, y, 1, 1);
        out[x] = qRgb(255, 0, 0);
      } else {
        out[x] = d ? qRgb(grey, grey, std::min(255, grey + 64)) : qRgb(grey, grey, grey);
      }
    }
  }
  return difference;
}

}  // namespace

testing::AssertionResult MatchesReference(const QImage& actual, const QString& folder,
                                          const QString& name, Tolerance tolerance) {
  const QString referencePath = QDir(folder).filePath(name + ".png");
  const QImage reference(referencePath);
  const bool sameSize = !reference.isNull() && reference.size() == actual.size();
  const PictureDifference difference =
      Compare(actual, sameSize ? reference : actual, tolerance.level);
  if (sameSize && difference.pixels <= tolerance.pixels) return testing::AssertionSuccess();

  if (RenewingReferences()) {
    if (!actual.save(referencePath))
      return testing::AssertionFailure() << "cannot write " << referencePath.toStdString();
    std::cout << "renewed " << referencePath.toStdString() << '\n';
    return testing::AssertionSuccess();
  }
  const QDir failures(QStringLiteral(KANACATCH_PICTURE_FAILURES));
  failures.mkpath(".");
  const QString actualPath = failures.filePath(name + ".actual.png");
  const QString differencePath = failures.filePath(name + ".diff.png");
  actual.save(actualPath);
  testing::AssertionResult result = testing::AssertionFailure();
  if (!sameSize) {
    result << name.toStdString() << " is " << actual.width() << " x " << actual.height()
           << ", its reference " << referencePath.toStdString() << " " << reference.width() << " x "
           << reference.height() << " (0 x 0: none)";
  } else {
    difference.picture.save(differencePath);
    const QRect& box = difference.box;
    result << name.toStdString() << ": " << difference.pixels << " of "
           << actual.width() * actual.height() << " pixels differ by more than " << tolerance.level
           << " (at most " << tolerance.pixels << " may), the largest by " << difference.largest
           << ", within x " << box.left() << "-" << box.right() << ", y " << box.top() << "-"
           << box.bottom() << "; differences in " << differencePath.toStdString();
  }
  return result << "; actual picture in " << actualPath.toStdString()
                << " (KANACATCH_RENEW_REFERENCES=1 renews the reference)";
}

bool RenewingReferences() { return qEnvironmentVariable("KANACATCH_RENEW_REFERENCES") == "1"; }
