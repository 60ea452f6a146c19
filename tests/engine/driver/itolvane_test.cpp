// Checks the shared library as the program sees it: the handshake, the one exported symbol and
// a complete run through the entry point.
#include "tolvane/itolvane.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "support/test_support.h"

namespace tolvane::engine {
namespace {

using testing::TempDir;
using testing::writeFile;

class EngineLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    handle_ = dlopen(TOLVANE_ENGINE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
    entry_ = reinterpret_cast<ITOLVANE_PROC>(dlsym(handle_, "ITOLVANE"));
    ASSERT_NE(entry_, nullptr);
  }
  void TearDown() override {
    if (handle_ != nullptr) dlclose(handle_);
  }

  void* handle_ = nullptr;
  ITOLVANE_PROC entry_ = nullptr;
};

// Runs the entry point with `dir` as the current folder.
std::int32_t callIn(const std::filesystem::path& dir, ITOLVANE_PROC entry, int a, int b) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  const std::int32_t result = entry(a, b);
  std::filesystem::current_path(previous);
  return result;
}

std::size_t fileCount(const std::filesystem::path& dir) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++count;
  return count;
}

TEST_F(EngineLibrary, WrongHandshakeTouchesNoFile) {
  TempDir dir;
  writeFile(dir / "pier.tv9d", "Title\n");
  std::string list = "2023.9.02\n0\n" + (dir / "pier.tv9d").string() + "\n";
  for (const char* e : {".tv9o", ".tv9p", ".tv9r", ".tv9z", ".tv9w", ".tv9t", ".tv9q", ".tv9l",
                        ".tv9c", ".tv9k", ".tv9m", ".tv9n"}) {
    list += (dir / (std::string("pier") + e)).string() + "\n";
  }
  writeFile(dir / "names.dat", list);
  const struct { int a, b; } cases[] = {{9, 3}, {8, 2}, {2, 9}, {0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.a) + "," + std::to_string(c.b));
    EXPECT_EQ(callIn(dir.path(), entry_, c.a, c.b), 1);
    EXPECT_EQ(fileCount(dir.path()), 2U);
  }
}

TEST_F(EngineLibrary, RunsTheBundledExample) {
  TempDir dir;
  const std::filesystem::path project = dir / "sand-over-clay.tv9d";
  std::filesystem::copy_file(std::filesystem::path(TOLVANE_EXAMPLES_DIR) / "sand-over-clay.tv9d",
                             project);
  std::string list = "2023.9.02\r\n0\r\n" + project.string() + "\r\n";
  for (const char* e : {".tv9o", ".tv9p", ".tv9r", ".tv9z", ".tv9w", ".tv9t", ".tv9q", ".tv9l",
                        ".tv9c", ".tv9k", ".tv9m", ".tv9n"}) {
    list += std::filesystem::path(project).replace_extension(e).string() + "\r\n";
  }
  writeFile(dir / "names.dat", list);
  EXPECT_EQ(callIn(dir.path(), entry_, 9, 2), 0);
  const std::string report =
      testing::readFile(std::filesystem::path(project).replace_extension(".tv9o"));
  EXPECT_NE(report.find("     NUMBER OF LAYERS =    2\n"), std::string::npos);
}

TEST(EngineExports, OnlyTheEntryPointIsExported) {
  const std::string command = std::string("nm -D --defined-only ") + TOLVANE_ENGINE_LIBRARY;
  const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  ASSERT_NE(pipe, nullptr);
  std::array<char, 512> line{};
  std::vector<std::string> functions;
  while (std::fgets(line.data(), line.size(), pipe.get()) != nullptr) {
    char type = 0;
    std::array<char, 400> name{};
    if (std::sscanf(line.data(), "%*s %c %399s", &type, name.data()) == 2 &&
        (type == 'T' || type == 'W')) {
      functions.emplace_back(name.data());
    }
  }
  EXPECT_EQ(functions, std::vector<std::string>{"ITOLVANE"});
}

}  // namespace
}  // namespace tolvane::engine
