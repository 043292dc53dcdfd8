#include "platform/system/ProgramModule.h"

#include <QLibrary>

#include "platform/system/ProgramFolder.h"

namespace platform {

void* ProgramModuleFunction(const QString& module, const char* function, QString* error) {
  return ModuleFunction(ProgramFolder(), module, function, error);
}

void* ModuleFunction(const QString& folder, const QString& module, const char* function,
                     QString* error) {
  QLibrary library(folder + QStringLiteral("/lib") + module + QStringLiteral(".so"));
  // A QLibrary leaves its library loaded when it goes away.
  auto* found = reinterpret_cast<void*>(library.resolve(function));
  if (!found && error) *error = library.errorString();
  return found;
}

}  // namespace platform
