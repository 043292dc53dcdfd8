#include <gtest/gtest.h>

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include "platform/SingleInstance.h"

TEST(SingleInstance, ASecondCopyIsRefusedWhileTheFirstRunsAndAdmittedAfterIt) {
  QTemporaryDir folder;
  auto first = std::make_unique<platform::SingleInstance>(folder.path());
  ASSERT_TRUE(first->Acquire());
  platform::SingleInstance second(folder.path());
  EXPECT_FALSE(second.Acquire());
  EXPECT_TRUE(first->Acquire()) << "the first copy keeps its lock";
  first.reset();
  EXPECT_TRUE(second.Acquire());
}

// A copy that crashed or was killed leaves its lock file behind.
TEST(SingleInstance, ALockLeftByACopyThatIsGoneDoesNotBlock) {
  QTemporaryDir folder;
  QFile lock(folder.filePath("kanacatch.lock"));
  ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
  lock.write("2147483000\nkanacatch\n" + QSysInfo::machineHostName().toUtf8() + "\n");
  lock.close();
  platform::SingleInstance next(folder.path());
  EXPECT_TRUE(next.Acquire());
}
