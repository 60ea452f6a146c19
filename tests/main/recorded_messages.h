// Messages recorded instead of shown, with their kind: "I:", "W:" or "E:" before the text.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "user_messages.h"

namespace tolvane::app::testing {

class RecordedMessages : public UserMessages {
 public:
  void information(const std::string& text) override { shown.push_back("I:" + text); }
  void warning(const std::string& text) override { shown.push_back("W:" + text); }
  void error(const std::string& text) override { shown.push_back("E:" + text); }
  std::optional<std::string> chooseSaveFile(const std::string& title,
                                            const std::string& proposed) override {
    saveTitle = title;
    if (cancelSave) return std::nullopt;
    return proposed;
  }
  ConfirmAnswer confirm(const std::string& text) override {
    shown.push_back("Q:" + text);
    return answer;
  }
  std::vector<std::string> shown;
  std::string saveTitle;
  ConfirmAnswer answer = ConfirmAnswer::kNo;
  bool cancelSave = false;
};

}  // namespace tolvane::app::testing
