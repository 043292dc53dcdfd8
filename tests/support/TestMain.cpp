#include <gtest/gtest.h>

#include <QApplication>

// Every test runs inside one application object on the offscreen platform,
// so pictures, fonts and widgets work without a display.
int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
