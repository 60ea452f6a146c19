#include "user_messages.h"

#include <algorithm>
#include <iostream>

namespace tolvane::app {

std::string withLineFeeds(std::string text) {
  std::replace(text.begin(), text.end(), '\r', '\n');
  return text;
}

ConfirmAnswer UserMessages::confirm(const std::string& /*text*/) {
  return ConfirmAnswer::kNo;
}

std::optional<std::string> UserMessages::chooseSaveFile(const std::string& /*title*/,
                                                        const std::string& proposed) {
  return proposed;
}

void ConsoleMessages::information(const std::string& text) {
  std::cout << withLineFeeds(text) << '\n' << std::flush;
}

void ConsoleMessages::warning(const std::string& text) {
  std::cerr << "Warning: " << withLineFeeds(text) << '\n' << std::flush;
}

void ConsoleMessages::error(const std::string& text) {
  std::cerr << "Error: " << withLineFeeds(text) << '\n' << std::flush;
}

ConfirmAnswer ConsoleMessages::confirm(const std::string& text) {
  std::cerr << withLineFeeds(text) << " No\n" << std::flush;
  return ConfirmAnswer::kNo;
}

std::optional<std::string> ConsoleMessages::chooseSaveFile(const std::string& /*title*/,
                                                           const std::string& proposed) {
  std::cerr << "Saving the project as " << proposed << '\n' << std::flush;
  return proposed;
}

}  // namespace tolvane::app
