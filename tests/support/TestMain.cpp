#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

// Each layer's tests run in the least application object they need,
// KANACATCH_TEST_APPLICATION: the romaji's in a core application, those of
// pictures and the game's rules in a GUI application, those of widgets in a
// widget application. A layer that does not link a module has none of its
// headers.
#if __has_include(<QGuiApplication>)
#include <QGuiApplication>
#endif
#if __has_include(<QApplication>)
#include <QApplication>
#endif

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
  KANACATCH_TEST_APPLICATION app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("kanacatch"));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
