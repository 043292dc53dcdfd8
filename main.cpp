#include <QApplication>

#include "core/GameState.h"
#include "core/MainLoop.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  InitSettings();
  MainLoop();
  return 0;
}
