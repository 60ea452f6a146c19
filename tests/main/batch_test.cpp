// Checks batch runs: the messages word for word, missing files and older layouts skipped, a
// library failure ending the batch, the list file round trip, Replace, Check Files, the message
// file, and the headless program's --batch, sequential and in parallel processes.
#include "batch.h"
#include "batch_jobs.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <cstdlib>
#include <iostream>

#include <sched.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <regex>

#include "../line_ends.h"
#include "recorded_messages.h"
#include "test_support.h"

namespace tolvane::app {
namespace {

using engine::testing::lines;
using engine::testing::readFile;
using engine::testing::TempDir;
using engine::testing::writeFile;
using testing::RecordedMessages;

const std::filesystem::path kExample =
    std::filesystem::path(TOLVANE_EXAMPLES_DIR) / "sand-over-clay.tv9d";

class BatchTest : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::current_path(previous_); }
  std::filesystem::path copyExample(const std::string& name) {
    std::filesystem::path file = dir_ / name;
    std::filesystem::copy_file(kExample, file);
    return file;
  }
  // The messages without the date and time lines, which follow the start and end lines.
  std::vector<std::string> withoutDates(const std::vector<std::string>& shown) {
    std::vector<std::string> kept;
    for (size_t i = 0; i < shown.size(); ++i) {
      if (i > 0 && shown[i - 1].rfind("* ", 0) == 0) continue;
      kept.push_back(shown[i]);
    }
    return kept;
  }
  std::filesystem::path previous_ = std::filesystem::current_path();
  TempDir dir_;
  HeadlessHost host_;
  RecordedMessages messages_;
};

TEST_F(BatchTest, MissingSecondFileIsReportedAndTheBatchGoesOn) {
  const std::string first = copyExample("a.tv9d").string();
  const std::string missing = (dir_ / "b.tv9d").string();
  const std::string third = copyExample("c.tv9d").string();
  MainFormRules form(messages_, host_, TOLVANE_PROGRAM_DIR);
  BatchRun batch(form, messages_, nullptr);
  for (const std::string& file : {first, missing, third}) batch.list.Add(file);
  batch.runAll();
  const std::vector<std::string> expected = {"* Start Multi-File Analysis *",
                                             "",
                                             "File 1/3 : " + first,
                                             "- Reading File",
                                             "- Analyzing File",
                                             "  * Computation completed.",
                                             "    Please check your results",
                                             "",
                                             "File 2/3 : " + missing,
                                             "- Reading File",
                                             "  * Input file does not exist. Please check",
                                             "",
                                             "File 3/3 : " + third,
                                             "- Reading File",
                                             "- Analyzing File",
                                             "  * Computation completed.",
                                             "    Please check your results",
                                             "",
                                             "* Multi-File Analysis Completed *",
                                             ""};
  EXPECT_EQ(withoutDates(batch.messages), expected);
  EXPECT_EQ(batch.progress, 3);
  EXPECT_EQ(messages_.shown,
            std::vector<std::string>{"I:Computations Completed\rPlease check the output file "
                                     "and/or processor notes files"});
  EXPECT_TRUE(std::filesystem::exists(dir_ / "a.tv9o"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "c.tv9o"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "names.dat"));
  // The batch keeps the scratch files of its runs and ends with a new project.
  EXPECT_TRUE(std::filesystem::exists(dir_ / "c.tv9p"));
  EXPECT_EQ(form.Data().FileName, kNewProjectFileName);
}

TEST_F(BatchTest, OlderLayoutsAndOtherExtensionsAreSkipped) {
  const std::filesystem::path oldFile = dir_ / "old.tv8d";
  const std::filesystem::path other = dir_ / "notes.txt";
  writeFile(oldFile, readFile(kExample));
  writeFile(other, "text");
  MainFormRules form(messages_, host_, TOLVANE_PROGRAM_DIR);
  BatchRun batch(form, messages_, nullptr);
  batch.list.Add(oldFile.string());
  batch.list.Add(other.string());
  batch.runAll();
  const std::vector<std::string> kept = withoutDates(batch.messages);
  ASSERT_EQ(kept.size(), 12U);
  EXPECT_EQ(kept[4],
            "  * File of an earlier version is not run in a batch. Please open it and save "
            "it as .tv9d");
  EXPECT_EQ(kept[8],
            "  * File extension is not compatible with current version of the program. Please "
            "check");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "old.tv9o"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "old.tv9d"));
}

TEST_F(BatchTest, LibraryFailureEndsTheBatchWithItsMessage) {
  TempDir emptyProgramDir;
  MainFormRules form(messages_, host_, emptyProgramDir.path());
  BatchRun batch(form, messages_, nullptr);
  batch.list.Add(copyExample("a.tv9d").string());
  batch.list.Add(copyExample("b.tv9d").string());
  batch.runAll();
  const std::vector<std::string> kept = withoutDates(batch.messages);
  ASSERT_EQ(kept.size(), 9U);
  EXPECT_EQ(kept[5], "  * Attempt to initialize DLL failed. Please check.");
  EXPECT_EQ(kept[7], "* Multi-File Analysis Completed *");
  EXPECT_EQ(form.loader, nullptr);
}

TEST_F(BatchTest, OccupiedSlotEndsTheBatch) {
  MainFormRules form(messages_, host_, TOLVANE_PROGRAM_DIR);
  form.loader = std::make_unique<TDynamicLibrary>(messages_);
  BatchRun batch(form, messages_, nullptr);
  batch.list.Add(copyExample("a.tv9d").string());
  batch.list.Add(copyExample("b.tv9d").string());
  batch.runAll();
  const std::vector<std::string> kept = withoutDates(batch.messages);
  ASSERT_EQ(kept.size(), 9U);
  EXPECT_EQ(kept[5], "  * Attempt to reinitialize DLL. Please check.");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "b.tv9o"));
}

// The message file of an earlier, longer batch is written over in place: it keeps its inode and
// holds this batch's messages and nothing of the earlier ones.
TEST_F(BatchTest, MessagesGoToTheMessageFileOfTheList) {
  const std::filesystem::path list = dir_ / "jobs.pyb";
  const std::filesystem::path messageFile = dir_ / "jobs.pym";
  writeFile(messageFile, std::string(5000, 'x') + "\r\n* Multi-File Analysis Completed *\r\n");
  struct stat before {};
  ASSERT_EQ(::stat(messageFile.c_str(), &before), 0);
  MainFormRules form(messages_, host_, TOLVANE_PROGRAM_DIR);
  std::vector<std::string> shown;
  BatchRun batch(form, messages_, [&](const std::string& line) { shown.push_back(line); });
  batch.list.Add((dir_ / "none.tv9d").string());
  ASSERT_TRUE(batch.saveList(list));
  batch.runAll();
  EXPECT_EQ(shown, batch.messages);
  std::vector<std::string> expected;
  for (const std::string& line : batch.messages) expected.push_back(line + "\r");
  EXPECT_EQ(lines(readFile(messageFile)), expected);
  struct stat after {};
  ASSERT_EQ(::stat(messageFile.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
}

// A project's lines reach the message file before its analysis starts, so that the file names
// the project should the engine bring the batch down; a finished project's lines are all there.
TEST_F(BatchTest, TheMessageFileNamesTheProjectWhileItIsAnalysed) {
  const std::filesystem::path list = dir_ / "jobs.pyb";
  MainFormRules form(messages_, host_, TOLVANE_PROGRAM_DIR);
  std::vector<std::string> fileDuringRuns;
  form.engineRunner = [&](const std::function<EngineCall()>& call) {
    fileDuringRuns.push_back(readFile(dir_ / "jobs.pym"));
    return call();
  };
  BatchRun batch(form, messages_, nullptr);
  const std::string a = copyExample("a.tv9d").string();
  const std::string b = copyExample("b.tv9d").string();
  batch.list.Add(a);
  batch.list.Add(b);
  ASSERT_TRUE(batch.saveList(list));
  batch.runAll();
  ASSERT_EQ(fileDuringRuns.size(), 2U);
  const std::string analysing = "- Reading File\r\n- Analyzing File\r\n";
  const std::string firstRun = "File 1/2 : " + a + "\r\n" + analysing;
  const std::string secondRun = "File 2/2 : " + b + "\r\n" + analysing;
  const std::string firstDone =
      firstRun + "  * Computation completed.\r\n    Please check your results\r\n\r\n";
  for (const auto& [during, expectedEnd] : {std::pair{fileDuringRuns[0], firstRun},
                                            std::pair{fileDuringRuns[1], firstDone + secondRun}}) {
    ASSERT_GE(during.size(), expectedEnd.size());
    EXPECT_EQ(during.substr(during.size() - expectedEnd.size()), expectedEnd);
  }
}

TEST(BatchList, AddKeepsOneOfEachAndTheListFileRoundTrips) {
  TempDir dir;
  BatchList list;
  EXPECT_TRUE(list.Add("/jobs/a.tv9d"));
  EXPECT_TRUE(list.Add("/jobs/b.tv9d"));
  EXPECT_FALSE(list.Add("/jobs/a.tv9d"));
  EXPECT_TRUE(list.Add("/jobs/A.tv9d"));
  ASSERT_TRUE(list.saveToFile(dir / "list.pyb"));
  EXPECT_EQ(readFile(dir / "list.pyb"), "/jobs/a.tv9d\r\n/jobs/b.tv9d\r\n/jobs/A.tv9d\r\n\r\n");
  BatchList back;
  ASSERT_TRUE(back.loadFromFile(dir / "list.pyb"));
  EXPECT_EQ(back.files(), list.files());
  // A final line without a line after it is not taken.
  writeFile(dir / "hand.pyb", "/x/one.tv9d\n/x/two.tv9d");
  ASSERT_TRUE(back.loadFromFile(dir / "hand.pyb"));
  EXPECT_EQ(back.files(), std::vector<std::string>{"/x/one.tv9d"});

  // Lists edited by hand, with any line ends.
  const std::string hand = "/x/one.tv9d\n/x/two.tv9d\n/x/three.tv9d\n\n";
  const std::vector<std::string> expected = {"/x/one.tv9d", "/x/two.tv9d", "/x/three.tv9d"};
  for (const tolvane::testing::LineEnds& style : tolvane::testing::allLineEnds()) {
    SCOPED_TRACE(style.name);
    writeFile(dir / "ends.pyb", tolvane::testing::withLineEnds(hand, style));
    ASSERT_TRUE(back.loadFromFile(dir / "ends.pyb"));
    EXPECT_EQ(back.files(), expected);
  }
}

TEST(BatchList, ReplaceChangesEveryCaseOfEntriesThatHoldTheExactText) {
  BatchList list;
  list.Add("/old/jobs/a.tv9d");
  list.Add("/old/jobs/sub/OLD/b.tv9d");
  list.Add("/OLD/jobs/c.tv9d");
  list.Add("/other/d.tv9d");
  list.replace("/old", "/new");
  const std::vector<std::string> expected = {"/new/jobs/a.tv9d", "/new/jobs/sub/new/b.tv9d",
                                             "/OLD/jobs/c.tv9d", "/other/d.tv9d"};
  EXPECT_EQ(list.files(), expected);
}

TEST_F(BatchTest, CancelWhenAskedToSaveRunsNothing) {
  MainFormRules form(messages_, host_, TOLVANE_PROGRAM_DIR);
  form.project().grids().projectChanged = true;
  messages_.answer = ConfirmAnswer::kCancel;
  BatchRun batch(form, messages_, nullptr);
  batch.list.Add(copyExample("a.tv9d").string());
  batch.runAll();
  EXPECT_EQ(messages_.shown, std::vector<std::string>{"Q:Do you want to save any changes?"});
  EXPECT_TRUE(batch.messages.empty());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "a.tv9o"));
}

TEST_F(BatchTest, CheckFilesReportsEachFile) {
  const std::string there = copyExample("a.tv9d").string();
  const std::string missing = (dir_ / "b.tv9d").string();
  MainFormRules form(messages_, host_, TOLVANE_PROGRAM_DIR);
  BatchRun batch(form, messages_, nullptr);
  batch.list.Add(there);
  batch.list.Add(missing);
  batch.checkFiles();
  const std::vector<std::string> expected = {"* Start Multi-File Check *",
                                             "",
                                             "File 1/2 : " + there,
                                             "- Checking File",
                                             "  Input file Exists ",
                                             "",
                                             "File 2/2 : " + missing,
                                             "- Checking File",
                                             "  * Input file does not exist. Please check",
                                             "",
                                             "* Multi-File Check Completed *",
                                             ""};
  EXPECT_EQ(withoutDates(batch.messages), expected);
}

TEST(HeadlessBatch, RunsTheListWithMessagesOnTheOutputAndInTheMessageFile) {
  TempDir dir;
  const std::filesystem::path project = dir / "pier.tv9d";
  std::filesystem::copy_file(kExample, project);
  writeFile(dir / "jobs.pyb",
            project.string() + "\r\n" + (dir / "gone.tv9d").string() + "\r\n\r\n");
  const std::string command =
      std::string(TOLVANE_PROGRAM) + " --batch '" + (dir / "jobs.pyb").string() + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  std::array<char, 256> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) output += buffer.data();
  EXPECT_EQ(WEXITSTATUS(pclose(pipe)), 0);
  EXPECT_NE(output.find("File 1/2 : " + project.string() +
                        "\n- Reading File\n- Analyzing File\n  * Computation completed.\n    "
                        "Please check your results\n"),
            std::string::npos);
  EXPECT_NE(output.find("  * Input file does not exist. Please check"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir / "pier.tv9o"));
  const std::string messages = readFile(dir / "jobs.pym");
  EXPECT_NE(messages.find("* Multi-File Analysis Completed *\r\n"), std::string::npos);
}

// Runs `tolvane2023 --batch LIST --jobs N` and returns its exit code.
int runHeadlessBatch(const std::filesystem::path& list, int jobs) {
  const std::string command = std::string(TOLVANE_PROGRAM) + " --batch '" + list.string() +
                              "' --jobs " + std::to_string(jobs) + " >/dev/null 2>&1";
  return WEXITSTATUS(std::system(command.c_str()));
}

// A text with its folder written as <folder> and the clock times as <time>.
std::string comparable(std::string text, const std::filesystem::path& folder) {
  const std::string from = folder.string();
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), "<folder>");
  }
  text = std::regex_replace(text, std::regex("Time:  [0-9]{2}:[0-9]{2}:[0-9]{2}"), "<time>");
  return std::regex_replace(text, std::regex("[0-9]{4}-[0-9]{2}-[0-9]{2}, [0-9:]{8}"), "<time>");
}

// Three good projects of one folder (run at once, each with its run-file list of its own), a
// missing file, a malformed project and a file of another kind: two jobs write the message
// file and every result file as one job does, and no failure stops the projects after it.
TEST(HeadlessBatch, TwoJobsWriteTheSameMessagesAndResultsAsOne) {
  const char* const kResults[] = {".tv9o", ".tv9p", ".tv9r", ".tv9z"};
  const std::vector<std::string> kGood = {"a.tv9d", "b.tv9d", "c.tv9d"};
  std::array<TempDir, 2> dirs;
  std::array<std::string, 2> messages;
  for (size_t run = 0; run < dirs.size(); ++run) {
    const std::filesystem::path dir = dirs[run].path();
    for (const std::string& name : kGood) std::filesystem::copy_file(kExample, dir / name);
    writeFile(dir / "bad.tv9d", "not a project\r\n1 2 3\r\n");
    writeFile(dir / "notes.txt", "notes\r\n");
    std::string list;
    for (const char* name : {"a.tv9d", "gone.tv9d", "b.tv9d", "bad.tv9d", "notes.txt", "c.tv9d"})
      list += (dir / name).string() + "\r\n";
    writeFile(dir / "jobs.pyb", list + "\r\n");
    EXPECT_EQ(runHeadlessBatch(dir / "jobs.pyb", run == 0 ? 1 : 2), 0);
    messages[run] = comparable(readFile(dir / "jobs.pym"), dir);
  }
  const std::string done =
      "- Analyzing File\r\n  * Computation completed.\r\n    Please check your results\r\n\r\n";
  const std::string expected =
      "* Start Multi-File Analysis *\r\n<time>\r\n\r\n"
      "File 1/6 : <folder>/a.tv9d\r\n- Reading File\r\n" +
      done +
      "File 2/6 : <folder>/gone.tv9d\r\n- Reading File\r\n"
      "  * Input file does not exist. Please check\r\n\r\n"
      "File 3/6 : <folder>/b.tv9d\r\n- Reading File\r\n" +
      done +
      "File 4/6 : <folder>/bad.tv9d\r\n- Reading File\r\n"
      "  * Input file is either invalid or incomplete. Please check\r\n\r\n"
      "File 5/6 : <folder>/notes.txt\r\n- Reading File\r\n"
      "  * File extension is not compatible with current version of the program. Please "
      "check\r\n\r\n"
      "File 6/6 : <folder>/c.tv9d\r\n- Reading File\r\n" +
      done + "* Multi-File Analysis Completed *\r\n<time>\r\n\r\n";
  EXPECT_EQ(messages[0], expected);
  EXPECT_EQ(messages[1], messages[0]);
  for (const std::string& name : kGood) {
    for (const char* extension : kResults) {
      SCOPED_TRACE(name + extension);
      const auto result = [&](size_t run) {
        std::filesystem::path file = dirs[run].path() / name;
        return comparable(readFile(file.replace_extension(extension)), dirs[run].path());
      };
      EXPECT_FALSE(result(0).empty());
      EXPECT_EQ(result(1), result(0));
    }
  }
  // The run-file lists went to folders of their own and were removed; the malformed project
  // was neither saved over nor run.
  EXPECT_FALSE(std::filesystem::exists(dirs[1].path() / "names.dat"));
  EXPECT_EQ(readFile(dirs[1].path() / "bad.tv9d"), "not a project\r\n1 2 3\r\n");
  EXPECT_FALSE(std::filesystem::exists(dirs[1].path() / "bad.tv9o"));
}

TEST(BatchItemReport, CompleteReportsAndProcessesThatEndedEarly) {
  const std::string abnormal = "  * The analysis ended abnormally. Please check";
  const struct {
    std::string report;
    bool normal;
    BatchItemOutcome expected;
  } kCases[] = {
      {batchItemStartText() + batchItemOutcomeText({true, 0, "  * Done.\r    See"}),
       true,
       {true, kBatchFileDone, "  * Done.\r    See"}},
      {batchItemOutcomeText({false, 0, "  * Input file does not exist. Please check"}),
       true,
       {false, kBatchFileDone, "  * Input file does not exist. Please check"}},
      {batchItemStartText() + batchItemOutcomeText({true, kBatchStop, "  * Stop"}),
       true,
       {true, kBatchStop, "  * Stop"}},
      // The process died while the engine ran: its report stops after the start line.
      {batchItemStartText(), false, {true, kBatchFileDone, abnormal}},
      // A complete report from a process that still failed is not trusted.
      {batchItemOutcomeText({false, 0, "  * Done"}), false, {false, kBatchFileDone, abnormal}},
      {"", true, {false, kBatchFileDone, abnormal}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.report);
    const BatchItemOutcome outcome = readBatchItemReport(c.report, c.normal);
    EXPECT_EQ(outcome.analyzed, c.expected.analyzed);
    EXPECT_EQ(outcome.result, c.expected.result);
    EXPECT_EQ(outcome.message, c.expected.message);
  }
}

// A worker that ends without reporting, or a program that cannot be started, fails only the
// item it had: the next item goes to a new worker.
TEST(BatchItemReport, WorkersThatFailGiveTheirItemAMessage) {
  for (const char* program : {"/bin/false", "/nonexistent/tolvane2023"}) {
    SCOPED_TRACE(program);
    const std::vector<BatchItemOutcome> outcomes =
        runItemsInWorker(program, {"a.tv9d", "b.tv9d"}, {});
    ASSERT_EQ(outcomes.size(), 2U);
    for (const BatchItemOutcome& outcome : outcomes) {
      EXPECT_FALSE(outcome.analyzed);
      EXPECT_EQ(outcome.result, kBatchFileDone);
      EXPECT_EQ(outcome.message, "  * The analysis ended abnormally. Please check");
    }
  }
}

// Workers forked from the batch's own process answer each path on their standard input with a
// report on descriptor 3; each of the two jobs gets its own, every item its own answer in order,
// and the batch ends once the paths run out. A forked worker that dies fails only its item:
// the next goes to a new process of the program (here one that cannot start).
TEST(BatchJobs, ForkedWorkersAnswerInOrderAndOneThatDiesFailsOnlyItsItem) {
  const auto echo = [] {
    for (std::string path; std::getline(std::cin, path);) {
      const std::string report = batchItemOutcomeText({false, 0, "  * Seen " + path});
      if (::write(kBatchItemReportDescriptor, report.data(), report.size()) < 0) return 1;
    }
    return 0;
  };
  {
    BatchJobs jobs("/nonexistent/tolvane2023", {"a", "b", "c", "d", "e"}, 2, echo);
    for (const char* path : {"a", "b", "c", "d", "e"}) {
      const BatchItemOutcome outcome = jobs.take(static_cast<size_t>(*path - 'a'));
      EXPECT_EQ(outcome.message, std::string("  * Seen ") + path);
    }
  }
  const auto dies = [] {
    std::string path;
    std::getline(std::cin, path);
    std::_Exit(3);
    return 0;
  };
  BatchJobs jobs("/nonexistent/tolvane2023", {"a", "b", "c"}, 1, dies);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(jobs.take(i).message, "  * The analysis ended abnormally. Please check");
  }
}

// Each worker holds the path of its next item while it runs one. When a worker dies, the item
// waiting on its input is not lost: it goes, with the rest, to the new process of the program
// (here a script that answers as a worker does). The workers, forked or started, run with the
// normal scheduling policy, while the batch's own thread yields to them until the jobs end.
TEST(BatchJobs, TheItemWaitingForAWorkerThatDiesGoesToTheNextWorker) {
  TempDir dir;
  const std::filesystem::path script = dir.path() / "worker.sh";
  writeFile(script,
            "#!/bin/sh\n"
            "while IFS= read -r path; do\n"
            "  message=\"  * Again $path, $(chrt -p $$ | sed -n 's/.*policy: //p')\"\n"
            "  printf 'result 0\\nmessage %d\\n%s' \"${#message}\" \"$message\" >&3\n"
            "done\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  const auto answersThenDies = [] {
    for (std::string path; std::getline(std::cin, path);) {
      if (path == "b") std::_Exit(3);
      const char* policy = ::sched_getscheduler(0) == SCHED_OTHER ? "SCHED_OTHER" : "another";
      const std::string report =
          batchItemOutcomeText({false, 0, "  * Seen " + path + ", " + policy});
      if (::write(kBatchItemReportDescriptor, report.data(), report.size()) < 0) return 1;
    }
    return 0;
  };
  {
    BatchJobs jobs(script, {"a", "b", "c", "d"}, 1, answersThenDies);
    EXPECT_EQ(jobs.take(0).message, "  * Seen a, SCHED_OTHER");
    EXPECT_EQ(jobs.take(1).message, "  * The analysis ended abnormally. Please check");
    EXPECT_EQ(jobs.take(2).message, "  * Again c, SCHED_OTHER");
    EXPECT_EQ(jobs.take(3).message, "  * Again d, SCHED_OTHER");
    EXPECT_EQ(::sched_getscheduler(0), SCHED_BATCH);
  }
  EXPECT_EQ(::sched_getscheduler(0), SCHED_OTHER);
}

}  // namespace
}  // namespace tolvane::app
