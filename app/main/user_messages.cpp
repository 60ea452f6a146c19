#include "user_messages.h"

#include <algorithm>
#include <iostream>

namespace tolvane::app {

std::string withLineFeeds(std::string text) {
  std::replace(text.begin(), text.end(), '\r', '\n');
  return text;
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

}  // namespace tolvane::app
