// Loads a shared library by its full path, looks up procedures and unloads it.
#pragma once

#include <stdexcept>
#include <string>

#include "user_messages.h"

namespace tolvane::app {

class EDLLError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
class EInitError : public EDLLError {
 public:
  EInitError() : EDLLError("Library failed to properly initialize") {}
};
class EFileNotFoundError : public EDLLError {
 public:
  EFileNotFoundError() : EDLLError("Library could not be located") {}
};
class EDLLNotOpenError : public EDLLError {
 public:
  EDLLNotOpenError() : EDLLError("Library is not open") {}
};

class TDynamicLibrary {
 public:
  explicit TDynamicLibrary(UserMessages& messages) : messages_(messages) {}
  TDynamicLibrary(UserMessages& messages, std::string fileName, bool openNow);
  ~TDynamicLibrary() { Close(); }
  TDynamicLibrary(const TDynamicLibrary&) = delete;
  TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

  void SetFileName(std::string fileName);
  const std::string& FileName() const { return fileName_; }
  // Loads the library. A library that cannot be found raises EFileNotFoundError when the
  // system says so; one whose loading fails otherwise shows "Error Loading Library, error
  // code = " with the system's number and stays closed.
  void Open();
  void OpenFile(std::string fileName);
  void Close();
  bool GetIsOpen() const { return handle_ != nullptr; }
  // The address of an exported procedure, or nullptr after showing "Error Getting Function,
  // error code = ". Raises EDLLNotOpenError when the library is not open.
  void* FindProcedure(const std::string& name);

 private:
  UserMessages& messages_;
  std::string fileName_;
  void* handle_ = nullptr;
};

// Keeps a library loaded, quietly, for the life of the object: a load of the same file in the
// meantime only counts a reference, so a batch maps and relocates the engine once, not once per
// project, and the workers forked from it find it loaded. A library that does not load is left
// to the loads that report it.
class ResidentLibrary {
 public:
  explicit ResidentLibrary(const std::string& fileName);
  ~ResidentLibrary();
  ResidentLibrary(const ResidentLibrary&) = delete;
  ResidentLibrary& operator=(const ResidentLibrary&) = delete;

 private:
  void* handle_ = nullptr;
};

// The file name of the engine library on this platform.
std::string engineLibraryFileName();

}  // namespace tolvane::app
