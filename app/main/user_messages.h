// Messages and confirmations that the program shows to its user. The desktop program shows
// them as message boxes; the headless program prints them.
#pragma once

#include <string>

namespace tolvane::app {

class UserMessages {
 public:
  virtual ~UserMessages() = default;
  // Texts use a carriage return as line break.
  virtual void information(const std::string& text) = 0;
  virtual void warning(const std::string& text) = 0;
  virtual void error(const std::string& text) = 0;
};

// Prints messages on a console stream, carriage returns as line breaks.
class ConsoleMessages : public UserMessages {
 public:
  void information(const std::string& text) override;
  void warning(const std::string& text) override;
  void error(const std::string& text) override;
};

// The text with every carriage return turned into a line feed.
std::string withLineFeeds(std::string text);

}  // namespace tolvane::app
