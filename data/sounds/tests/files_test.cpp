// The tune and the sounds the build wrote to Deta.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>

namespace {

// Each file as written now: its size and the start of its MD5, so that any
// change to the tune's score or tempo or to a sound's level or fades fails
// here. When the change is meant, listen to the files and renew the list.
TEST(GeneratedSounds, TheTuneAndTheSoundsAreTheFilesWrittenForThem) {
  QStringList files;
  for (const QString name : {"Blugrass.mid", "金属.wav", "みゃ.wav"}) {
    QFile file(KANACATCH_DATA_DIR "/" + name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    const QByteArray bytes = file.readAll();
    files << QString("%1 %2 %3")
                 .arg(name)
                 .arg(bytes.size())
                 .arg(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().left(12));
  }
  EXPECT_EQ(files.join('\n').toStdString(), R"(Blugrass.mid 8324 6bb0afd8d755
金属.wav 6660 f9ea7ee3d389
みゃ.wav 29150 a1f95b89b486)");
}

}  // namespace
