// Runs a project text through the engine's main routine in a scratch folder and reads back
// its result files.
#pragma once

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "driver/run_engine.h"
#include "support/test_support.h"

namespace tolvane::engine::testing {

inline std::tm fixedAnalysisTime() {
  std::tm time{};
  time.tm_year = 2026 - 1900;
  time.tm_mon = 2;
  time.tm_mday = 7;
  time.tm_hour = 9;
  time.tm_min = 5;
  time.tm_sec = 3;
  return time;
}

struct ProjectRun {
  TempDir dir;
  std::filesystem::path project = dir / "pier.tv9d";
  std::int32_t result = -1;

  explicit ProjectRun(const std::string& projectText) {
    writeFile(project, projectText);
    std::string list = "2023.9.02\r\n0\r\n" + project.string() + "\r\n";
    for (const char* e : {".tv9o", ".tv9p", ".tv9r", ".tv9z", ".tv9w", ".tv9t", ".tv9q", ".tv9l",
                          ".tv9c", ".tv9k", ".tv9m", ".tv9n"}) {
      list += std::filesystem::path(project).replace_extension(e).string() + "\r\n";
    }
    writeFile(dir / "names.dat", list);
    result = RunEngine({dir / "names.dat", fixedAnalysisTime()});
  }
  std::string file(const char* extension) const {
    return readFile(std::filesystem::path(project).replace_extension(extension));
  }
  std::string report() const { return file(".tv9o"); }

  // The numbers of the capacity-table rows of the report whose first column is `length`.
  std::vector<std::vector<float>> tableRows(float length) const {
    std::vector<std::vector<float>> rows;
    for (const std::string& line : lines(report())) {
      std::istringstream in(line);
      std::vector<float> numbers;
      std::string word;
      bool allNumbers = true;
      while (in >> word) {
        char* end = nullptr;
        const float value = std::strtof(word.c_str(), &end);
        if (end == word.c_str() || *end != '\0') {
          allNumbers = false;
          break;
        }
        numbers.push_back(value);
      }
      if (allNumbers && numbers.size() == 8 && numbers[0] == length) rows.push_back(numbers);
    }
    return rows;
  }
};

// The 15 rows (top load, top movement, tip load, tip movement) that follow the first line
// titled `title` in `text` ("RESULT FROM TREND (AVERAGED) LINE", ...).
inline std::vector<std::vector<float>> resultRows(const std::string& text,
                                                  const std::string& title) {
  std::vector<std::vector<float>> rows;
  const std::size_t at = text.find(title);
  if (at == std::string::npos) return rows;
  std::istringstream in(text.substr(at));
  std::string line;
  while (rows.size() < 15 && std::getline(in, line)) {
    std::istringstream numbers(line);
    std::vector<float> row;
    float value = 0.0F;
    while (numbers >> value) row.push_back(value);
    if (row.size() == 4 && numbers.eof()) rows.push_back(row);
  }
  return rows;
}

// Compares the capacity-table row of `length` with hand-computed values, each within its
// tolerance (about half a unit of its last printed decimal).
inline void expectRow(const ProjectRun& run, float length, const std::vector<float>& expected,
                      const std::vector<float>& tolerance) {
  const auto rows = run.tableRows(length);
  ASSERT_EQ(rows.size(), 1U) << "rows of length " << length;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(rows[0][i], expected[i], tolerance[i]);
  }
}

// Tolerances of the English and SI table rows.
inline const std::vector<float> kEnglishTolerance = {0.051F, 0.051F, 0.051F, 0.051F,
                                                     0.051F, 0.051F, 0.051F, 0.0051F};
inline const std::vector<float> kSITolerance = {0.051F,  0.0051F, 0.0051F, 0.0051F,
                                                0.0051F, 0.0051F, 0.0051F, 0.0051F};

}  // namespace tolvane::engine::testing
