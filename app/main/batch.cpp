#include "batch.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <iomanip>
#include <memory>
#include <sstream>

#include "batch_jobs.h"
#include "dynamic_library.h"
#include "file_replace.h"
#include "word_reader.h"

namespace tolvane::app {
namespace {

constexpr const char* kEndOfLine = "\r\n";
constexpr const char* kMessageExtension = ".pym";

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string replaceIgnoringCase(const std::string& text, const std::string& from,
                                const std::string& to) {
  const std::string lowerText = lower(text);
  const std::string lowerFrom = lower(from);
  std::string result;
  size_t pos = 0;
  for (size_t found = lowerText.find(lowerFrom); found != std::string::npos;
       found = lowerText.find(lowerFrom, pos)) {
    result += text.substr(pos, found - pos) + to;
    pos = found + from.size();
  }
  return result + text.substr(pos);
}

}  // namespace

std::string batchDateAndTime() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  std::ostringstream text;
  text << std::put_time(&local, "%Y-%m-%d, %H:%M:%S");
  return text.str();
}

bool BatchList::Add(const std::string& file) {
  if (std::find(files_.begin(), files_.end(), file) != files_.end()) return false;
  files_.push_back(file);
  return true;
}

void BatchList::remove(const std::vector<int>& selected) {
  std::vector<std::string> kept;
  for (int i = 0; i < static_cast<int>(files_.size()); ++i) {
    if (std::find(selected.begin(), selected.end(), i) == selected.end()) {
      kept.push_back(files_[static_cast<size_t>(i)]);
    }
  }
  files_ = std::move(kept);
}

void BatchList::replace(const std::string& from, const std::string& to) {
  if (from.empty()) return;
  for (std::string& file : files_) {
    if (file.find(from) != std::string::npos) file = replaceIgnoringCase(file, from, to);
  }
}

bool BatchList::saveToFile(const std::filesystem::path& file, std::string* problem) const {
  std::string text;
  for (const std::string& entry : files_) text += entry + kEndOfLine;
  text += kEndOfLine;
  try {
    replaceFileKeepingPermissions(file, text);
    return true;
  } catch (const ProjectFileError& failure) {
    if (problem != nullptr) *problem = failure.what();
    return false;
  }
}

bool BatchList::loadFromFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  std::vector<std::string> lines = splitTextLines(content.str());
  // Only a line with more text after it is taken: the final line is not.
  if (!lines.empty()) lines.pop_back();
  files_ = std::move(lines);
  return true;
}

BatchRun::BatchRun(MainFormRules& form, UserMessages& userMessages,
                   std::function<void(const std::string&)> show)
    : form_(form), userMessages_(userMessages), show_(std::move(show)) {}

bool BatchRun::openList(const std::filesystem::path& file) {
  if (!list.loadFromFile(file)) return false;
  fname = file.string();
  return true;
}

bool BatchRun::saveList(const std::filesystem::path& file) {
  if (!list.saveToFile(file)) return false;
  fname = file.string();
  return true;
}

void BatchRun::clearList() {
  list.clear();
  fname.clear();
}

void BatchRun::Add(const std::string& text) {
  // A carriage return inside a message starts a new line of the message area.
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\r', start);
    const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
    messages.push_back(line);
    if (messageFile_.is_open()) messageFile_ << line << kEndOfLine;
    if (show_) show_(line);
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

void BatchRun::addDateAndTime() {
  Add(batchDateAndTime());
  Add("");
}

bool BatchRun::startMessageFile() {
  messageFile_.close();
  if (fname.empty()) return true;
  std::filesystem::path file = fname;
  file.replace_extension(kMessageExtension);
  // Written as the batch goes, in place: its permission bits and group stay.
  const std::string problem = fileWriteProblem(file);
  if (!problem.empty()) {
    userMessages_.error(problem + "\rThe batch does not run without its message file.");
    return false;
  }
  // The file of an earlier batch is written over from its start and cut behind the first lines
  // (cutMessageFile), never emptied: emptying a file that holds data makes the file system flush
  // it to the disk when it is closed, a wait of a millisecond at the end of every batch.
  messageFile_.open(file, std::ios::binary | std::ios::in | std::ios::out);
  if (!messageFile_.is_open()) messageFile_.open(file, std::ios::binary | std::ios::trunc);
  messagePath_ = file;
  return true;
}

void BatchRun::cutMessageFile() {
  if (!messageFile_.is_open()) return;
  messageFile_.flush();  // the file holds what was written before it is cut behind it
  const std::streamoff end = messageFile_.tellp();
  std::error_code status;
  const std::uintmax_t size = std::filesystem::file_size(messagePath_, status);
  if (status || end < 0 || size <= static_cast<std::uintmax_t>(end)) return;
  std::filesystem::resize_file(messagePath_, static_cast<std::uintmax_t>(end), status);
}

bool BatchRun::runAll() {
  if (!form_.askToSave()) return false;
  if (!startMessageFile()) return false;
  messages.clear();
  progress = 0;
  Add("* Start Multi-File Analysis *");
  addDateAndTime();
  cutMessageFile();  // nothing of an earlier batch's messages is left behind these
  const int n = static_cast<int>(list.files().size());
  std::vector<std::string> paths;
  for (const std::string& file : list.files()) {
    std::error_code ignored;
    paths.push_back(std::filesystem::absolute(file, ignored).string());
  }
  const ResidentLibrary engine(form_.libraryPath().string());
  std::unique_ptr<BatchJobs> pool;
  if (jobs > 1 && n > 1 && !program.empty()) {
    pool = std::make_unique<BatchJobs>(program, paths, jobs, forkedWorker);
  }
  for (int i = 1; i <= n; ++i) {
    const std::string& path = paths[static_cast<size_t>(i - 1)];
    progress = i;
    Add("File " + std::to_string(i) + "/" + std::to_string(n) + " : " + path);
    Add("- Reading File");
    std::string message;
    int result = kBatchFileDone;
    if (pool) {
      const BatchItemOutcome outcome = pool->take(static_cast<size_t>(i - 1));
      if (outcome.analyzed) Add("- Analyzing File");
      message = outcome.message;
      result = outcome.result;
    } else if (form_.OpenFileBatch(path, message)) {
      Add("- Analyzing File");
      // Should the engine bring this process down, the file names the project it ran.
      messageFile_.flush();
      result = form_.RunFileBatch(message);
    }
    Add(message);
    Add("");
    messageFile_.flush();  // a project's lines reach the file together, once it is done
    if (result > 1) {
      if (pool) pool->stop();
      break;
    }
  }
  pool.reset();
  Add("* Multi-File Analysis Completed *");
  addDateAndTime();
  progress = n;
  form_.newProject();
  userMessages_.information(
      "Computations Completed\rPlease check the output file and/or processor notes files");
  messageFile_.close();
  return true;
}

void BatchRun::checkFiles() {
  messages.clear();
  Add("* Start Multi-File Check *");
  addDateAndTime();
  const int n = static_cast<int>(list.files().size());
  for (int i = 1; i <= n; ++i) {
    const std::string& path = list.files()[static_cast<size_t>(i - 1)];
    Add("File " + std::to_string(i) + "/" + std::to_string(n) + " : " + path);
    Add("- Checking File");
    std::error_code ignored;
    Add(std::filesystem::exists(path, ignored) ? "  Input file Exists "
                                               : "  * Input file does not exist. Please check");
    Add("");
  }
  Add("* Multi-File Check Completed *");
  addDateAndTime();
}

}  // namespace tolvane::app
