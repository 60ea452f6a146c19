// The per-user settings of the desktop program and its list of recent files, without the store
// that keeps them: the window reads and writes them through a SettingsStore over QSettings.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace tolvane::app {

inline constexpr int kRecentFileCount = 10;

// The most-recently-used project files, newest first.
class RecentFiles {
 public:
  const std::array<std::string, kRecentFileCount>& PrevFile() const { return prevFile_; }
  void set(int index, std::string file);
  void clear() { prevFile_ = {}; }
  // The count of non-empty entries.
  int NumberPrevFile() const;
  // Puts the file first: an entry already listed moves up, the others move down one place and
  // the tenth is dropped.
  void putFirst(const std::string& file);
  // The caption of recent item n (1-based): n, a blank and the path, without the current
  // folder and its separator when the path starts with them.
  std::string Caption(int n, const std::string& currentDir) const;

 private:
  std::array<std::string, kRecentFileCount> prevFile_{};
};

// The settings kept from one start of the program to the next.
struct UserSettings {
  // Empty: text files are opened with the desktop's default handler.
  std::string WordProcessor;
  std::string CurDir;
  int DefSIUnits = 1;
  // Window placement: valid flag, state (0 normal, 1 minimized, 2 maximized), normal bounds.
  bool DefWindowsPos = false;
  int DefWindowsState = 0;
  int DefBoundLeft = 0;
  int DefBoundTop = 0;
  int DefBoundWidth = 0;
  int DefBoundHeight = 0;
  RecentFiles recent;

  // What a failed read leaves: the default word processor, English units for new projects, no
  // placement and no recent files. The folder stays.
  void resetAfterFailedRead();
};

inline constexpr int kWindowNormal = 0;
inline constexpr int kWindowMinimized = 1;
inline constexpr int kWindowMaximized = 2;

// A store of named text values: the settings group of the desktop program.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The value, none when absent.
  virtual std::optional<std::string> Value(const std::string& name) const = 0;
  virtual void SetValue(const std::string& name, const std::string& value) = 0;
  // The store itself could not be read (no access, a malformed file).
  virtual bool readFailed() const = 0;
};

// The value names of the store.
inline constexpr const char* kWordProcessorValue = "Word Processor";
inline constexpr const char* kDirectoryValue = "Directory";
inline constexpr const char* kSIUnitsValue = "SIUnits";
inline constexpr const char* kWindowsPosValue = "WindowsPos";
inline constexpr const char* kWindowsStateValue = "WindowsState";
inline constexpr const char* kBoundLeftValue = "BoundLeft";
inline constexpr const char* kBoundTopValue = "BoundTop";
inline constexpr const char* kBoundWidthValue = "BoundWidth";
inline constexpr const char* kBoundHeightValue = "BoundHeight";
std::string recentFileValue(int n);  // "File1" to "File10"

// Reads the settings over the current values. An empty word processor or folder keeps the
// current one; the placement counts only when it is flagged and complete. A store that cannot
// be read, or a value that is not what it should be, resets as resetAfterFailedRead does.
void readSettings(const SettingsStore& store, UserSettings& settings);
void writeSettings(SettingsStore& store, const UserSettings& settings);

}  // namespace tolvane::app
