#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <utility>

#include "media/DataFolder.h"
#include "platform/ProgramFolder.h"

TEST(DataFolder, IsTheDetaFolderInsideTheProgramFolderWithExactlyOneSeparator) {
  for (const auto& [folder, data] : {std::pair{"/opt/kana catch", "/opt/kana catch/Deta/"},
                                     {"/home/ユーザー/かな/", "/home/ユーザー/かな/Deta/"},
                                     {"/srv/\"kana\" it's", "/srv/\"kana\" it's/Deta/"},
                                     {"/", "/Deta/"}}) {
    EXPECT_EQ(DataFolderOf(QString::fromUtf8(folder)), QString::fromUtf8(data)) << folder;
  }
  platform::UseProgramFolder(QStringLiteral("/tmp/かな"));
  EXPECT_EQ(DataFolder(), QStringLiteral("/tmp/かな/Deta/"));
  platform::UseProgramFolder({});
}

// Links in the program's path are followed.
TEST(DataFolder, OfTheRunningProgramLiesBesideItsExecutable) {
  const QString folder = DataFolder();
  ASSERT_TRUE(folder.endsWith(QStringLiteral("/Deta/"))) << folder.toStdString();
  const QString programFolder = folder.chopped(QStringLiteral("Deta/").size());
  const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  EXPECT_TRUE(QFileInfo::exists(programFolder + executable)) << folder.toStdString();
  EXPECT_EQ(programFolder, QFileInfo(programFolder).canonicalFilePath() + QLatin1Char('/'));
}
