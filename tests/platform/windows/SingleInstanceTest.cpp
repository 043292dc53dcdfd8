// The second-copy lock and the call that brings the first copy forward.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <QTest>

#include "platform/windows/SingleInstance.h"
#include "support/MediaFiles.h"

using namespace platform;

// A copy that crashed or was killed leaves its lock file and its socket
// file behind. The lock keeps no one from starting; the socket answers
// nobody: a call to it gives up at once, and the next first copy takes its
// name over. The copy that runs refuses a second, whose call brings the
// first forward, without waiting until it has.
TEST(SingleInstance, ALaterCopyIsRefusedAndBringsTheFirstForwardButACrashedCopyBlocksNothing) {
  QTemporaryDir folder;
  WriteTestFile(folder.filePath("kanacatch.lock"),
                "2147483000\nkanacatch\n" + QSysInfo::machineHostName().toUtf8() + "\n");
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, QFile::encodeName(folder.filePath("kanacatch.socket")),
               sizeof address.sun_path - 1);
  const int crashed = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(bind(crashed, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  close(crashed);
  SingleInstance first(folder.path()), later(folder.path());
  QElapsedTimer waited;
  waited.start();
  EXPECT_FALSE(later.CallRunningCopy()) << "nobody listens on the crashed copy's socket";
  ASSERT_TRUE(first.Acquire()) << "the crashed copy's lock kept the first out";
  int calls = 0;
  first.AnswerLaterCopies([&] { ++calls; });
  EXPECT_FALSE(later.Acquire());
  EXPECT_TRUE(later.CallRunningCopy()) << "the first copy's socket took the crashed one's place";
  EXPECT_LT(waited.elapsed(), 2000) << "the calls waited on the first copy";
  EXPECT_TRUE(QTest::qWaitFor([&] { return calls == 1; }, 5000)) << "the first never came forward";
}
