#include "dynlib.h"

#include <QFileInfo>

namespace kestra {

void TDynamicLibrary::SetFileName(const QString& path) {
  Unload();
  path_ = path;
}

void TDynamicLibrary::Load() {
  if (IsLoaded()) return;
  if (!QFileInfo(path_).isFile()) throw EFileNotFoundError();
  library_.setFileName(path_);
  // Every symbol bound now: a broken library fails here, not inside a run.
  library_.setLoadHints(QLibrary::ResolveAllSymbolsHint);
  if (!library_.load()) throw EInitError();
}

QFunctionPointer TDynamicLibrary::EntryPoint(const char* name) {
  if (!IsLoaded()) throw EDLLNotOpenError();
  return library_.resolve(name);
}

void TDynamicLibrary::Unload() {
  if (library_.isLoaded()) library_.unload();
}

}  // namespace kestra
