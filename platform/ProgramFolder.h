#pragma once
#include <QString>

namespace platform {

// The folder that holds the program's executable, links followed, without a
// closing separator unless it is the root "/".
QString ProgramFolder();

// Makes ProgramFolder answer `folder` (tests put a data folder into a
// temporary directory); an empty folder goes back to the executable's.
void UseProgramFolder(const QString& folder);

}  // namespace platform
