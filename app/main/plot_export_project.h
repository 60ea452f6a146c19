// What both headless exports share: the arguments, opening the project with its plot data and
// formatting, and the offscreen platform for drawing without a display.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "main_form_rules.h"
#include "program_data.h"
#include "user_messages.h"

namespace tolvane::app {

// argv[1] onwards.
std::vector<std::string> argumentsAfterProgram(int argc, char** argv);
// Draws through Qt's offscreen platform, whatever display there is.
void startOffscreenGui(int argc, char** argv);

class ExportProject {
 public:
  explicit ExportProject(UserMessages& messages);
  // Opens the project and reads its plot data and formatting; 0, or the exit status with the
  // message shown: no project, a project the reader rejects, no plot data.
  int Open(const std::string& file);
  MainFormRules& form() { return form_; }

 private:
  UserMessages& messages_;
  HeadlessHost host_;
  MainFormRules form_;
};

}  // namespace tolvane::app
