#pragma once
#include <QString>

namespace platform {

// The function `function` of the module lib<module>.so in the program's
// folder, loaded on first use and kept loaded; nullptr when the module or the
// function is missing, with the reason in `error`. The program loads the
// libraries that only some of its windows need this way, once they are
// needed, instead of at start-up.
void* ProgramModuleFunction(const QString& module, const char* function, QString* error);

// The same from lib<module>.so in `folder`: for a thread of its own, which
// takes the program's folder from the program's thread, since the services
// are read and changed there only.
void* ModuleFunction(const QString& folder, const QString& module, const char* function,
                     QString* error);

}  // namespace platform
