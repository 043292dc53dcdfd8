#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

#include "platform/JpegFile.h"
#include "support/MediaFiles.h"

namespace {

class JpegFile : public testing::Test {
 protected:
  QImage Load(const QByteArray& bytes, const QString& name = QStringLiteral("picture.jpg")) {
    WriteTestFile(dir.filePath(name), bytes);
    return platform::LoadJpeg(dir.filePath(name));
  }

  QTemporaryDir dir;
};

// A picture with some detail, so that its compressed data is not trivial.
QImage Striped() {
  QImage picture = PlainPicture(64, 48, Qt::white);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); x += 4) picture.setPixel(x, y, qRgb(4 * x, 5 * y, 90));
  }
  return picture;
}

}  // namespace

TEST_F(JpegFile, AWholeJpegIsReadAtItsOwnSizeWhateverItsFileName) {
  const QImage picture = Load(JpegBytes(PlainPicture(37, 21, Qt::red)), "かな \"it's\".jpg");
  ASSERT_EQ(picture.size(), QSize(37, 21));
  EXPECT_GT(qRed(picture.pixel(10, 10)), 240);
  EXPECT_FALSE(Load(JpegBytes(Striped(), true)).isNull()) << "progressive, many scans";
  const QByteArray small = JpegBytes(PlainPicture(16, 16, Qt::green));
  EXPECT_FALSE(Load(JpegWithFrameSize(small, 16, 16)).isNull()) << "the patch keeps it good";
}

// The decoder alone would paint the missing part of a cut file grey and
// succeed; a huge picture is refused from its header, before decoding.
TEST_F(JpegFile, AMissingEmptyForeignCutOrHugePictureGivesNoPicture) {
  EXPECT_TRUE(platform::LoadJpeg(dir.filePath(QStringLiteral("none.jpg"))).isNull());
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(PlainPicture(8, 8, Qt::blue).save(&buffer, "PNG"));
  const QByteArray whole = JpegBytes(Striped());
  // An end marker inside an earlier segment, as in a camera's thumbnail,
  // does not make a cut file whole.
  const QByteArray withComment =
      whole.left(2) + QByteArray("\xFF\xFE\x00\x06\xFF\xD9\xFF\xD9", 8) + whole.mid(2);
  ASSERT_FALSE(Load(withComment).isNull());
  const QByteArray small = JpegBytes(PlainPicture(16, 16, Qt::green));
  for (const QByteArray& bytes :
       {QByteArray(), QByteArray("this is not a picture\n"), png, whole.left(2), whole.left(20),
        whole.left(whole.size() / 2), whole.chopped(2), withComment.chopped(40),
        JpegWithFrameSize(small, 65000, 65000),
        JpegWithFrameSize(small, platform::MaxPictureSide + 1, 16)}) {
    EXPECT_TRUE(Load(bytes).isNull())
        << bytes.size() << " bytes: " << bytes.left(24).toHex().data();
  }
}
