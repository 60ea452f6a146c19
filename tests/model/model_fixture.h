// Helpers of the project model tests: a scratch folder, file text, and a host that records the
// questions it is asked.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "current_project.h"

namespace tolvane::testing {

inline std::string dataFile(const std::string& name) {
  return std::string(TOLVANE_TEST_DATA_DIR) + "/" + name;
}

inline std::string readFileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

inline void writeFileText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
}

// A fresh folder per test, removed afterwards.
class ScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              (std::string("tolvane_model_") + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string pathOf(const std::string& name) const { return (folder_ / name).string(); }

  std::filesystem::path folder_;
};

// Answers every confirmation with a fixed answer and counts the questions.
class RecordingHost : public app::ProjectHost {
 public:
  explicit RecordingHost(bool fixedAnswer = true) : answer(fixedAnswer) {}
  void hideChildWindows() override { ++hides; }
  bool confirm(const std::string& message) override {
    ++questions;
    lastQuestion = message;
    return answer;
  }
  void unitsChanged() override { ++unitChanges; }
  bool answer;
  int hides = 0;
  int questions = 0;
  int unitChanges = 0;
  std::string lastQuestion;
};

}  // namespace tolvane::testing
