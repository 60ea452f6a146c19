// Batch analysis: a list of project files run one after another without plots, with a message
// per file shown to the user and written to the message file (.pym) of the list file (.pyb).
#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "main_form_rules.h"

namespace tolvane::app {

// The list of project files: full paths without duplicates.
class BatchList {
 public:
  const std::vector<std::string>& files() const { return files_; }
  // Appends a file not yet listed (exact text comparison); false when it was listed.
  bool Add(const std::string& file);
  void clear() { files_.clear(); }
  void remove(const std::vector<int>& selected);
  // In every entry that contains `from` (case-sensitive), replaces every occurrence of it,
  // ignoring case, by `to`.
  void replace(const std::string& from, const std::string& to);
  // One path per line and an empty line, CR LF, through a temporary file renamed over the old one
  // that keeps its permissions (file_replace.h); false when it cannot be written, also for a
  // read-only file, with the reason in `problem`.
  bool saveToFile(const std::filesystem::path& file, std::string* problem = nullptr) const;
  // Replaces the list by the lines of the file; a line counts only when more text follows it,
  // so the final line is not added. False when the file cannot be read.
  bool loadFromFile(const std::filesystem::path& file);

 private:
  std::vector<std::string> files_;
};

class BatchRun {
 public:
  // `show` receives every message line as it is added (the dialog's message area, or the
  // standard output of the headless program).
  BatchRun(MainFormRules& form, UserMessages& userMessages,
           std::function<void(const std::string&)> show);

  BatchList list;
  std::string fname;  // the list file opened or saved last; empty when none
  std::vector<std::string> messages;
  int progress = 0;
  // With more than one job and the program to start, runAll runs the projects in up to jobs
  // processes of program at once (batch_jobs.h); the messages are the same.
  int jobs = 1;
  std::filesystem::path program;
  // The worker's main routine, for workers forked from this process (the headless program).
  std::function<int()> forkedWorker;

  bool openList(const std::filesystem::path& file);
  bool saveList(const std::filesystem::path& file);
  void clearList();
  // Asks to save the current project first; nothing runs when the user cancels, nor when the
  // message file of the list exists and may not be written (an error says so). False when
  // nothing ran.
  bool runAll();
  void checkFiles();

 private:
  void Add(const std::string& text);
  void addDateAndTime();
  bool startMessageFile();
  void cutMessageFile();  // cuts the message file at what this batch has written so far

  MainFormRules& form_;
  UserMessages& userMessages_;
  std::function<void(const std::string&)> show_;
  std::ofstream messageFile_;
  std::filesystem::path messagePath_;
};

// The current local date and time as "YYYY-MM-DD, HH:MM:SS".
std::string batchDateAndTime();

}  // namespace tolvane::app
