// tolvane2023: the program. `--run FILE` analyses a project without a window.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "run_pipeline.h"
#include "user_messages.h"

namespace {

constexpr int kExitUsage = 64;

void printUsage(std::ostream& out) {
  out << "Usage: tolvane2023 --run FILE.tv9d    analyse a project and write its result files\n"
         "       tolvane2023 --version\n";
}

std::filesystem::path programDirectory(const char* argv0) {
  std::error_code status;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", status);
  if (!status) return self.parent_path();
  return std::filesystem::absolute(argv0, status).parent_path();
}

int runProject(const std::filesystem::path& project, const char* argv0) {
  tolvane::app::ConsoleMessages messages;
  const tolvane::app::RunOutcome outcome =
      tolvane::app::runAnalysis(project, programDirectory(argv0), messages);
  if (outcome.engineCalled) {
    const std::filesystem::path absolute = std::filesystem::absolute(project);
    std::cout << "Report:  " << tolvane::app::resultFile(absolute, ".tv9o").string() << '\n'
              << "Run log: " << tolvane::app::resultFile(absolute, ".tv9r").string() << '\n';
  }
  return outcome.exitStatus;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "--run" && argc == 3) return runProject(argv[2], argv[0]);
  if (command == "--version") {
    std::cout << "tolvane2023 " << tolvane::app::kProgramVersion << '\n';
    return 0;
  }
  if (command == "--help" || command == "-h") {
    printUsage(std::cout);
    return 0;
  }
  printUsage(std::cerr);
  return kExitUsage;
}
