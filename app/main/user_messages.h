// Messages and confirmations that the program shows to its user. The desktop program shows
// them as message boxes and dialogs; the headless program prints them and answers itself.
#pragma once

#include <optional>
#include <string>

namespace tolvane::app {

enum class ConfirmAnswer { kYes, kNo, kCancel };

class UserMessages {
 public:
  virtual ~UserMessages() = default;
  // Texts use a carriage return as line break.
  virtual void information(const std::string& text) = 0;
  virtual void warning(const std::string& text) = 0;
  virtual void error(const std::string& text) = 0;
  // A Yes/No/Cancel question. Without a user to ask: No.
  virtual ConfirmAnswer confirm(const std::string& text);
  // The save dialog of Save As, proposing a file; none when cancelled. Without a user to ask:
  // the proposed file.
  virtual std::optional<std::string> chooseSaveFile(const std::string& title,
                                                    const std::string& proposed);
};

// Prints messages on a console stream, carriage returns as line breaks: information on the
// standard output, warnings and errors on the error output.
class ConsoleMessages : public UserMessages {
 public:
  void information(const std::string& text) override;
  void warning(const std::string& text) override;
  void error(const std::string& text) override;
  ConfirmAnswer confirm(const std::string& text) override;
  std::optional<std::string> chooseSaveFile(const std::string& title,
                                            const std::string& proposed) override;
};

// The text with every carriage return turned into a line feed.
std::string withLineFeeds(std::string text);

}  // namespace tolvane::app
