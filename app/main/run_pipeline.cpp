#include "run_pipeline.h"

#include <array>
#include <fstream>
#include <system_error>

#include "tolvane/itolvane.h"

namespace tolvane::app {
namespace {

constexpr std::int32_t kHandshakeA = 9;
constexpr std::int32_t kHandshakeB = 2;
constexpr std::int32_t kRunFileListCode = 0;  // line 2 of names.dat; the engine does not use it

constexpr std::array<const char*, 12> kResultExtensions = {".tv9o", ".tv9p", ".tv9r", ".tv9z",
                                                           ".tv9w", ".tv9t", ".tv9q", ".tv9l",
                                                           ".tv9c", ".tv9k", ".tv9m", ".tv9n"};
// Scratch files that the program deletes after a run; the others stay beside the project.
constexpr std::array<const char*, 4> kDeletedScratchFiles = {".tv9w", ".tv9t", ".tv9q", ".tv9l"};
constexpr const char* kTipDiameterScratchFile = "TZDIAM.DAT";
constexpr const char* kEntryPointName = "ITOLVANE";

}  // namespace

std::filesystem::path resultFile(const std::filesystem::path& project, const char* extension) {
  std::filesystem::path file = project;
  return file.replace_extension(extension);
}

std::string runFileListText(const std::filesystem::path& project) {
  std::string text = std::string(kProgramVersion) + "\r\n" + std::to_string(kRunFileListCode) +
                     "\r\n" + project.string() + "\r\n";
  for (const char* extension : kResultExtensions) {
    text += resultFile(project, extension).string() + "\r\n";
  }
  return text;
}

bool writeRunFileList(const std::filesystem::path& project) {
  const std::filesystem::path list = project.parent_path() / kRunFileListName;
  std::ofstream out(list, std::ios::binary | std::ios::trunc);
  out << runFileListText(project);
  out.close();
  return static_cast<bool>(out);
}

void removeIfPresent(const std::filesystem::path& file) {
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
}

void removeScratchFiles(const std::filesystem::path& project) {
  removeIfPresent(kTipDiameterScratchFile);
  for (const char* extension : kDeletedScratchFiles)
    removeIfPresent(resultFile(project, extension));
}

EngineCall callEngine(LoaderSlot& slot, const std::filesystem::path& library,
                      UserMessages& messages) {
  EngineCall call;
  if (slot != nullptr) {
    call.status = EngineCallStatus::kAlreadyLoaded;
    return call;
  }
  void* address = nullptr;
  try {
    slot = std::make_unique<TDynamicLibrary>(messages, library.string(), false);
    slot->Open();
    address = slot->FindProcedure(kEntryPointName);
  } catch (const EDLLError&) {
    slot.reset();
    call.status = EngineCallStatus::kInitFailed;
    return call;
  }
  if (address == nullptr) {
    slot.reset();
    call.status = EngineCallStatus::kNoEntryPoint;
    return call;
  }
  const auto entry = reinterpret_cast<ITOLVANE_PROC>(address);
  call.result = entry(kHandshakeA, kHandshakeB);
  call.status = EngineCallStatus::kCalled;
  return call;
}

}  // namespace tolvane::app
