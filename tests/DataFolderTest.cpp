#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>

#include "media/DataFolder.h"
#include "platform/ProgramFolder.h"

TEST(DataFolder, IsTheDetaFolderInsideTheProgramFolderWithExactlyOneSeparator) {
  for (const char* folder : {"/opt/kana catch", "/home/ユーザー/かな", "/srv/\"kana\" it's"}) {
    EXPECT_EQ(DataFolderOf(QString::fromUtf8(folder)), QString::fromUtf8(folder) + "/Deta/");
  }
  EXPECT_EQ(DataFolderOf(QStringLiteral("/")), QStringLiteral("/Deta/")) << "the root";
}

TEST(DataFolder, FollowsTheInstalledProgramFolder) {
  platform::UseProgramFolder(QStringLiteral("/tmp/かな"));
  EXPECT_EQ(DataFolder(), QStringLiteral("/tmp/かな/Deta/"));
  platform::UseProgramFolder({});
}

TEST(DataFolder, OfTheRunningProgramLiesBesideItsExecutable) {
  const QString folder = DataFolder();
  ASSERT_TRUE(folder.endsWith(QStringLiteral("/Deta/"))) << folder.toStdString();
  const QString programFolder = folder.chopped(QStringLiteral("Deta/").size());
  const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  EXPECT_TRUE(QFileInfo::exists(programFolder + executable)) << folder.toStdString();
  EXPECT_EQ(programFolder, QFileInfo(programFolder).canonicalFilePath() + QLatin1Char('/'))
      << "links in the program's path are followed";
}
