#pragma once
#include <QString>

namespace platform {

// The folder that holds the program's executable, links followed, without a
// closing separator unless it is the root "/".
QString ProgramFolder();

}  // namespace platform
