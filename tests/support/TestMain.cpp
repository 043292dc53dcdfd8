#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

// Every test runs inside one application object on the offscreen platform,
// so pictures, fonts and widgets work without a display. Settings and
// history, the tests' own and those of every program they start, go to
// folders of the run's own, never to the user's.
int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Days in the windows are the learner's own: the tests' are UTC's.
  qputenv("TZ", "UTC");
  const QTemporaryDir configFolder, dataFolder;
  qputenv("XDG_CONFIG_HOME", configFolder.path().toUtf8());
  qputenv("XDG_DATA_HOME", dataFolder.path().toUtf8());
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("kanacatch"));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
