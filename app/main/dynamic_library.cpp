#include "dynamic_library.h"

#include <cerrno>
#include <filesystem>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace tolvane::app {

TDynamicLibrary::TDynamicLibrary(UserMessages& messages, std::string fileName, bool openNow)
    : messages_(messages), fileName_(std::move(fileName)) {
  if (openNow) Open();
}

void TDynamicLibrary::SetFileName(std::string fileName) {
  Close();
  fileName_ = std::move(fileName);
}

void TDynamicLibrary::OpenFile(std::string fileName) {
  SetFileName(std::move(fileName));
  Open();
}

#if defined(_WIN32)

void TDynamicLibrary::Open() {
  if (GetIsOpen()) return;
  handle_ = reinterpret_cast<void*>(LoadLibraryA(fileName_.c_str()));
  if (handle_ != nullptr) return;
  const DWORD code = GetLastError();
  if (code == ERROR_DLL_INIT_FAILED) throw EInitError();
  if (code == ERROR_FILE_NOT_FOUND) throw EFileNotFoundError();
  messages_.error("Error Loading Library, error code = " + std::to_string(code));
}

void TDynamicLibrary::Close() {
  if (handle_ != nullptr) FreeLibrary(reinterpret_cast<HMODULE>(handle_));
  handle_ = nullptr;
}

ResidentLibrary::ResidentLibrary(const std::string& fileName)
    : handle_(reinterpret_cast<void*>(LoadLibraryA(fileName.c_str()))) {}

ResidentLibrary::~ResidentLibrary() {
  if (handle_ != nullptr) FreeLibrary(reinterpret_cast<HMODULE>(handle_));
}

void* TDynamicLibrary::FindProcedure(const std::string& name) {
  if (!GetIsOpen()) throw EDLLNotOpenError();
  void* address =
      reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle_), name.c_str()));
  if (address == nullptr) {
    messages_.error("Error Getting Function, error code = " + std::to_string(GetLastError()));
  }
  return address;
}

#else

// The loader of this platform gives a text, not a number, for a failed load; the number shown
// is the system's error number for the file (ENOENT when it does not exist), and the loader's
// text follows on a line of its own.
void TDynamicLibrary::Open() {
  if (GetIsOpen()) return;
  dlerror();
  handle_ = dlopen(fileName_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ != nullptr) return;
  const char* reason = dlerror();
  std::error_code status;
  const int code = std::filesystem::exists(fileName_, status) ? ENOEXEC : ENOENT;
  messages_.error("Error Loading Library, error code = " + std::to_string(code) +
                  (reason != nullptr ? "\r" + std::string(reason) : std::string()));
}

void TDynamicLibrary::Close() {
  if (handle_ != nullptr) dlclose(handle_);
  handle_ = nullptr;
}

ResidentLibrary::ResidentLibrary(const std::string& fileName)
    : handle_(dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL)) {
  if (handle_ == nullptr) dlerror();  // the loads that follow report it
}

ResidentLibrary::~ResidentLibrary() {
  if (handle_ != nullptr) dlclose(handle_);
}

void* TDynamicLibrary::FindProcedure(const std::string& name) {
  if (!GetIsOpen()) throw EDLLNotOpenError();
  dlerror();
  void* address = dlsym(handle_, name.c_str());
  if (address == nullptr) {
    const char* reason = dlerror();
    messages_.error("Error Getting Function, error code = " + std::to_string(ENOENT) +
                    (reason != nullptr ? "\r" + std::string(reason) : std::string()));
  }
  return address;
}

#endif

std::string engineLibraryFileName() {
#if defined(_WIN32)
  return "Tolvane2023_DLL.dll";
#elif defined(__APPLE__)
  return "Tolvane2023_DLL.dylib";
#else
  return "Tolvane2023_DLL.so";
#endif
}

}  // namespace tolvane::app
