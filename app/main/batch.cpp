#include "batch.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>
#include <iomanip>
#include <memory>
#include <sstream>

#include "batch_jobs.h"
#include "file_replace.h"
#include "word_reader.h"

namespace tolvane::app {
namespace {

constexpr const char* kEndOfLine = "\r\n";
constexpr const char* kMessageExtension = ".pym";

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string ReplaceIgnoringCase(const std::string& text, const std::string& from,
                                const std::string& to) {
  const std::string lower_text = Lower(text);
  const std::string lower_from = Lower(from);
  std::string result;
  size_t pos = 0;
  for (size_t found = lower_text.find(lower_from); found != std::string::npos;
       found = lower_text.find(lower_from, pos)) {
    result += text.substr(pos, found - pos) + to;
    pos = found + from.size();
  }
  return result + text.substr(pos);
}

}  // namespace

std::string BatchDateAndTime() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  std::ostringstream text;
  text << std::put_time(&local, "%Y-%m-%d, %H:%M:%S");
  return text.str();
}

bool TBatchList::Add(const std::string& file) {
  if (std::find(Files_.begin(), Files_.end(), file) != Files_.end()) return false;
  Files_.push_back(file);
  return true;
}

void TBatchList::Remove(const std::vector<int>& selected) {
  std::vector<std::string> kept;
  for (int i = 0; i < static_cast<int>(Files_.size()); ++i) {
    if (std::find(selected.begin(), selected.end(), i) == selected.end()) {
      kept.push_back(Files_[static_cast<size_t>(i)]);
    }
  }
  Files_ = std::move(kept);
}

void TBatchList::Replace(const std::string& from, const std::string& to) {
  if (from.empty()) return;
  for (std::string& file : Files_) {
    if (file.find(from) != std::string::npos) file = ReplaceIgnoringCase(file, from, to);
  }
}

bool TBatchList::SaveToFile(const std::filesystem::path& file, std::string* problem) const {
  std::string text;
  for (const std::string& entry : Files_) text += entry + kEndOfLine;
  text += kEndOfLine;
  try {
    ReplaceFileKeepingPermissions(file, text);
    return true;
  } catch (const EProjectFileError& failure) {
    if (problem != nullptr) *problem = failure.what();
    return false;
  }
}

bool TBatchList::LoadFromFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  std::vector<std::string> lines = SplitTextLines(content.str());
  // Only a line with more text after it is taken: the final line is not.
  if (!lines.empty()) lines.pop_back();
  Files_ = std::move(lines);
  return true;
}

TBatchRun::TBatchRun(MainFormRules& form, UserMessages& messages,
                     std::function<void(const std::string&)> show)
    : Form_(form), UserMessages_(messages), Show_(std::move(show)) {}

bool TBatchRun::OpenList(const std::filesystem::path& file) {
  if (!List.LoadFromFile(file)) return false;
  fname = file.string();
  return true;
}

bool TBatchRun::SaveList(const std::filesystem::path& file) {
  if (!List.SaveToFile(file)) return false;
  fname = file.string();
  return true;
}

void TBatchRun::ClearList() {
  List.Clear();
  fname.clear();
}

void TBatchRun::Add(const std::string& text) {
  // A carriage return inside a message starts a new line of the message area.
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\r', start);
    const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
    Messages.push_back(line);
    if (MessageFile_.is_open()) MessageFile_ << line << kEndOfLine << std::flush;
    if (Show_) Show_(line);
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

void TBatchRun::AddDateAndTime() {
  Add(BatchDateAndTime());
  Add("");
}

bool TBatchRun::StartMessageFile() {
  MessageFile_.close();
  if (fname.empty()) return true;
  std::filesystem::path file = fname;
  file.replace_extension(kMessageExtension);
  // Written as the batch goes, in place: its permission bits and group stay.
  const std::string problem = FileWriteProblem(file);
  if (!problem.empty()) {
    UserMessages_.error(problem + "\rThe batch does not run without its message file.");
    return false;
  }
  MessageFile_.open(file, std::ios::binary | std::ios::trunc);
  return true;
}

bool TBatchRun::RunAll() {
  if (!Form_.AskToSave()) return false;
  if (!StartMessageFile()) return false;
  Messages.clear();
  Progress = 0;
  Add("* Start Multi-File Analysis *");
  AddDateAndTime();
  const int n = static_cast<int>(List.Files().size());
  std::vector<std::string> paths;
  for (const std::string& file : List.Files()) {
    std::error_code ignored;
    paths.push_back(std::filesystem::absolute(file, ignored).string());
  }
  std::unique_ptr<TBatchJobs> jobs;
  if (Jobs > 1 && n > 1 && !Program.empty()) {
    jobs = std::make_unique<TBatchJobs>(Program, paths, Jobs);
  }
  for (int i = 1; i <= n; ++i) {
    const std::string& path = paths[static_cast<size_t>(i - 1)];
    Progress = i;
    Add("File " + std::to_string(i) + "/" + std::to_string(n) + " : " + path);
    Add("- Reading File");
    std::string message;
    int result = kBatchFileDone;
    if (jobs) {
      const TBatchItemOutcome outcome = jobs->Take(static_cast<size_t>(i - 1));
      if (outcome.Analyzed) Add("- Analyzing File");
      message = outcome.Message;
      result = outcome.Result;
    } else if (Form_.OpenFileBatch(path, message)) {
      Add("- Analyzing File");
      result = Form_.RunFileBatch(message);
    }
    Add(message);
    Add("");
    if (result > 1) {
      if (jobs) jobs->Stop();
      break;
    }
  }
  jobs.reset();
  Add("* Multi-File Analysis Completed *");
  AddDateAndTime();
  Progress = n;
  Form_.New();
  UserMessages_.information(
      "Computations Completed\rPlease check the output file and/or processor notes files");
  MessageFile_.close();
  return true;
}

void TBatchRun::CheckFiles() {
  Messages.clear();
  Add("* Start Multi-File Check *");
  AddDateAndTime();
  const int n = static_cast<int>(List.Files().size());
  for (int i = 1; i <= n; ++i) {
    const std::string& path = List.Files()[static_cast<size_t>(i - 1)];
    Add("File " + std::to_string(i) + "/" + std::to_string(n) + " : " + path);
    Add("- Checking File");
    std::error_code ignored;
    Add(std::filesystem::exists(path, ignored) ? "  Input file Exists "
                                               : "  * Input file does not exist. Please check");
    Add("");
  }
  Add("* Multi-File Check Completed *");
  AddDateAndTime();
}

}  // namespace tolvane::app
