// TDynamicLibrary: one shared library loaded by path, for the duration of
// one engine call. Binding failures are one exception family (EDLLError)
// so that the run command can catch them together.
#pragma once

#include <QLibrary>
#include <QString>
#include <stdexcept>

namespace kestra {

class EDLLError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
class EDLLNotOpenError : public EDLLError {
 public:
  EDLLNotOpenError() : EDLLError("Library is not open") {}
};
class EInitError : public EDLLError {
 public:
  EInitError() : EDLLError("Library failed to properly initialize") {}
};
class EFileNotFoundError : public EDLLError {
 public:
  EFileNotFoundError() : EDLLError("Library could not be located") {}
};

class TDynamicLibrary {
 public:
  TDynamicLibrary() = default;
  ~TDynamicLibrary() { Unload(); }
  TDynamicLibrary(const TDynamicLibrary&) = delete;
  TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

  // Unloads first if loaded.
  void SetFileName(const QString& path);
  QString FileName() const { return path_; }
  // Nothing when loaded already. A missing file raises EFileNotFoundError;
  // a file that exists but does not load raises EInitError.
  void Load();
  // EDLLNotOpenError when not loaded; nullptr when `name` is not exported.
  QFunctionPointer EntryPoint(const char* name);
  bool IsLoaded() const { return library_.isLoaded(); }
  void Unload();
  // The loader's reason for the last failure.
  QString ErrorString() const { return library_.errorString(); }

 private:
  QString path_;
  QLibrary library_;
};

}  // namespace kestra
