#pragma once
#include <QApplication>
#include <memory>

namespace platform {

// The application object, made only when there is a display to show the
// windows on. With no display named at all, or with one that cannot be
// opened, the program prints one line that says which on stderr and ends
// with status 1, instead of Qt's advice to reinstall and an abort.
std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv);

}  // namespace platform
