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

  // A picture with some detail, so that its compressed data is not trivial.
  static QImage Striped() {
    QImage picture = PlainPicture(64, 48, Qt::white);
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); x += 4) picture.setPixel(x, y, qRgb(4 * x, 5 * y, 90));
    }
    return picture;
  }

  QTemporaryDir dir;
};

// Puts `width` x `height` into the frame header (SOF0) of a baseline JPEG.
QByteArray WithFrameSize(QByteArray jpeg, int width, int height) {
  const qsizetype frame = jpeg.indexOf("\xFF\xC0");
  jpeg[frame + 5] = static_cast<char>(height >> 8);
  jpeg[frame + 6] = static_cast<char>(height & 0xFF);
  jpeg[frame + 7] = static_cast<char>(width >> 8);
  jpeg[frame + 8] = static_cast<char>(width & 0xFF);
  return jpeg;
}

}  // namespace

TEST_F(JpegFile, AWholeJpegIsReadAtItsOwnSizeWhateverItsFileName) {
  const QImage picture = Load(JpegBytes(PlainPicture(37, 21, Qt::red)), "かな \"it's\".jpg");
  ASSERT_EQ(picture.size(), QSize(37, 21));
  EXPECT_GT(qRed(picture.pixel(10, 10)), 240);
  EXPECT_FALSE(Load(JpegBytes(Striped(), true)).isNull()) << "progressive, many scans";
}

TEST_F(JpegFile, WhatIsNoJpegGivesNoPicture) {
  EXPECT_TRUE(platform::LoadJpeg(dir.filePath(QStringLiteral("none.jpg"))).isNull());
  EXPECT_TRUE(Load({}).isNull());
  EXPECT_TRUE(Load("this is not a picture\n").isNull());
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(PlainPicture(8, 8, Qt::blue).save(&buffer, "PNG"));
  EXPECT_TRUE(Load(png).isNull());
}

TEST_F(JpegFile, AFileCutShortAnywhereGivesNoPicture) {
  // The decoder alone would paint the missing part grey and succeed.
  const QByteArray whole = JpegBytes(Striped());
  for (qsizetype length : {qsizetype{2}, qsizetype{20}, whole.size() / 2, whole.size() - 2}) {
    EXPECT_TRUE(Load(whole.left(length)).isNull()) << "cut at " << length;
  }
  // An end marker inside an earlier segment, as in a camera's thumbnail,
  // does not make a cut file whole.
  const QByteArray comment("\xFF\xFE\x00\x06\xFF\xD9\xFF\xD9", 8);
  const QByteArray withComment = whole.left(2) + comment + whole.mid(2);
  ASSERT_FALSE(Load(withComment).isNull());
  EXPECT_TRUE(Load(withComment.chopped(40)).isNull());
}

TEST_F(JpegFile, AHeaderClaimingAHugePictureIsRefusedBeforeDecoding) {
  const QByteArray small = JpegBytes(PlainPicture(16, 16, Qt::green));
  ASSERT_FALSE(Load(WithFrameSize(small, 16, 16)).isNull()) << "the patch keeps a good file good";
  EXPECT_TRUE(Load(WithFrameSize(small, 65000, 65000)).isNull());
  EXPECT_TRUE(Load(WithFrameSize(small, platform::MaxPictureSide + 1, 16)).isNull());
}
