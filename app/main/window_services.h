// What the desktop program's windows use of the desktop: message boxes and the save dialog for
// the core's messages, the settings store over QSettings, and opening text files.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "user_messages.h"
#include "user_settings.h"

class QSettings;
class QWidget;

namespace tolvane::app {

inline constexpr const char* kSettingsOrganization = "Kestrum";
inline constexpr const char* kSettingsApplication = "TOLVANE";
inline constexpr const char* kSettingsGroup = "2023.9.02";

inline QString toQString(const std::string& text) {
  return QString::fromStdString(text);
}

// Carriage returns of the core's texts become line breaks.
QString messageText(const std::string& text);

// The core's messages as modal message boxes over the main window. A message raised on a worker
// thread (the engine library's loader during a run) is shown on the window's thread, and the
// worker waits for it.
class WindowMessages : public UserMessages {
 public:
  explicit WindowMessages(QWidget* parent) : parent_(parent) {}
  void information(const std::string& text) override;
  void warning(const std::string& text) override;
  void error(const std::string& text) override;
  ConfirmAnswer confirm(const std::string& text) override;
  std::optional<std::string> chooseSaveFile(const std::string& title,
                                            const std::string& proposed) override;

 private:
  QWidget* parent_;
};

// A Yes/No question; true for Yes.
bool askYesNo(QWidget* parent, const std::string& text);

// The group "2023.9.02" of the organisation "Kestrum", application "TOLVANE".
class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore();
  ~QtSettingsStore() override;
  std::optional<std::string> Value(const std::string& name) const override;
  void SetValue(const std::string& name, const std::string& value) override;
  bool readFailed() const override;
  // Writes everything out now.
  void sync();

 private:
  std::unique_ptr<QSettings> settings_;
};

// Opens a text file with the word processor: the command, a blank and the file in double quotes;
// an empty word processor opens the file with the desktop's default handler. Shows "An error
// occurred in running the Word Processor" when nothing could be started.
void openWithWordProcessor(QWidget* parent, const std::string& wordProcessor, const QString& file);

}  // namespace tolvane::app
