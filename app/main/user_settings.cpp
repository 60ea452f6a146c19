#include "user_settings.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "tolvane/project_codes.h"

namespace tolvane::app {
namespace {

// A stored integer; throws when the value is not one.
std::optional<int> integerValue(const SettingsStore& store, const char* name) {
  const std::optional<std::string> text = store.Value(name);
  if (!text) return std::nullopt;
  int value = 0;
  const char* const last = text->data() + text->size();
  const auto [end, status] = std::from_chars(text->data(), last, value);
  if (status != std::errc{} || end != last) {
    throw std::runtime_error(std::string("The setting ") + name + " is not an integer.");
  }
  return value;
}

void readPlacement(const SettingsStore& store, UserSettings& settings) {
  const std::optional<int> flagged = integerValue(store, kWindowsPosValue);
  const std::optional<int> state = integerValue(store, kWindowsStateValue);
  const std::optional<int> left = integerValue(store, kBoundLeftValue);
  const std::optional<int> top = integerValue(store, kBoundTopValue);
  const std::optional<int> width = integerValue(store, kBoundWidthValue);
  const std::optional<int> height = integerValue(store, kBoundHeightValue);
  if (!flagged || *flagged <= 0 || !state || !left || !top || !width || !height) {
    settings.DefWindowsPos = false;
    return;
  }
  settings.DefWindowsPos = true;
  settings.DefWindowsState = *state;
  settings.DefBoundLeft = *left;
  settings.DefBoundTop = *top;
  settings.DefBoundWidth = *width;
  settings.DefBoundHeight = *height;
}

void readAll(const SettingsStore& store, UserSettings& settings) {
  if (store.readFailed()) throw std::runtime_error("The settings cannot be read.");
  const std::optional<std::string> processor = store.Value(kWordProcessorValue);
  if (processor && !processor->empty()) settings.WordProcessor = *processor;
  const std::optional<std::string> directory = store.Value(kDirectoryValue);
  if (directory && !directory->empty()) settings.CurDir = *directory;
  const std::optional<int> units = integerValue(store, kSIUnitsValue);
  settings.DefSIUnits = units.value_or(kEnglishUnits);
  if (settings.DefSIUnits != kEnglishUnits && settings.DefSIUnits != kSIUnits) {
    throw std::runtime_error("The unit system of new projects is neither 1 nor 2.");
  }
  readPlacement(store, settings);
  // The entries close up over empty ones, so that the menu shows the first files.
  settings.recent.clear();
  int next = 0;
  for (int n = 1; n <= kRecentFileCount; ++n) {
    std::string file = store.Value(recentFileValue(n)).value_or("");
    if (!file.empty()) settings.recent.set(next++, std::move(file));
  }
}

}  // namespace

void RecentFiles::set(int index, std::string file) {
  if (index >= 0 && index < kRecentFileCount)
    prevFile_[static_cast<size_t>(index)] = std::move(file);
}

int RecentFiles::NumberPrevFile() const {
  return static_cast<int>(
      std::count_if(prevFile_.begin(), prevFile_.end(), [](const auto& f) { return !f.empty(); }));
}

void RecentFiles::putFirst(const std::string& file) {
  if (prevFile_[0] == file) return;
  const auto found = std::find(prevFile_.begin() + 1, prevFile_.end(), file);
  // Entries before the file move down one place onto it; a file not listed pushes the tenth out.
  const auto last = found == prevFile_.end() ? prevFile_.end() - 1 : found;
  std::move_backward(prevFile_.begin(), last, last + 1);
  prevFile_[0] = file;
}

std::string RecentFiles::Caption(int n, const std::string& currentDir) const {
  std::string path = prevFile_.at(static_cast<size_t>(n - 1));
  std::string prefix = currentDir;
  if (!prefix.empty() && prefix.back() != '/') prefix += '/';
  if (prefix.size() > 1 && path.size() > prefix.size() &&
      path.compare(0, prefix.size(), prefix) == 0) {
    path.erase(0, prefix.size());
  }
  return std::to_string(n) + " " + path;
}

void UserSettings::resetAfterFailedRead() {
  WordProcessor.clear();
  DefSIUnits = kEnglishUnits;
  DefWindowsPos = false;
  DefWindowsState = 0;
  DefBoundLeft = DefBoundTop = DefBoundWidth = DefBoundHeight = 0;
  recent.clear();
}

std::string recentFileValue(int n) {
  return "File" + std::to_string(n);
}

void readSettings(const SettingsStore& store, UserSettings& settings) {
  try {
    readAll(store, settings);
  } catch (const std::exception&) {
    settings.resetAfterFailedRead();
  }
}

void writeSettings(SettingsStore& store, const UserSettings& settings) {
  store.SetValue(kWordProcessorValue, settings.WordProcessor);
  store.SetValue(kDirectoryValue, settings.CurDir);
  store.SetValue(kSIUnitsValue, std::to_string(settings.DefSIUnits));
  store.SetValue(kWindowsPosValue, settings.DefWindowsPos ? "1" : "0");
  store.SetValue(kWindowsStateValue, std::to_string(settings.DefWindowsState));
  store.SetValue(kBoundLeftValue, std::to_string(settings.DefBoundLeft));
  store.SetValue(kBoundTopValue, std::to_string(settings.DefBoundTop));
  store.SetValue(kBoundWidthValue, std::to_string(settings.DefBoundWidth));
  store.SetValue(kBoundHeightValue, std::to_string(settings.DefBoundHeight));
  for (int n = 1; n <= kRecentFileCount; ++n) {
    store.SetValue(recentFileValue(n), settings.recent.PrevFile()[static_cast<size_t>(n - 1)]);
  }
}

}  // namespace tolvane::app
