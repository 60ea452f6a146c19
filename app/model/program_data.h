// The project: TProgramData holds the title, unit system, shaft geometry, loading, design method,
// water table and computation options; the soil profile lives in the grid tables of
// ProjectGrids. Both halves are created, read, saved and converted together.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "project_grids.h"
#include "tolvane/project_codes.h"

namespace tolvane::app {

class TWordReader;

// What the project asks of the desktop program; a program without windows answers it itself.
class ProjectHost {
 public:
  virtual ~ProjectHost() = default;
  virtual void hideChildWindows() = 0;
  // A Yes/No confirmation; true for Yes.
  virtual bool confirm(const std::string& message) = 0;
  // The unit system changed: open data windows show the converted values.
  virtual void unitsChanged() = 0;
};

// The answers of a caller without windows: every confirmation gets the same answer.
class HeadlessHost : public ProjectHost {
 public:
  explicit HeadlessHost(bool answer = true) : answer_(answer) {}
  void hideChildWindows() override {}
  bool confirm(const std::string& message) override {
    lastQuestion = message;
    return answer_;
  }
  void unitsChanged() override {}
  std::string lastQuestion;

 private:
  bool answer_;
};

inline constexpr int kMaxChartSettlements = 10;
inline constexpr const char* kNewProjectFileName = "NewTolvane.tv9d";

// Which layout a project file has, from the open dialog's file type.
enum FileTypeIndex : int { kVersion9File = 1, kVersion8File = 2, kOldestShortFile = 3 };

// The file type index of a path by its extension (".tv9d" 1, ".tv8d" 2, ".tvd" 3, any case);
// 0 for files the program does not open.
int fileTypeIndexForPath(const std::string& path);

struct ProjectReadResult;

class TProgramData {
 public:
  // A new project with the defaults, in the user's default unit system.
  static std::unique_ptr<TProgramData> Create(ProjectGrids& grids, ProjectHost& host,
                                              int defaultUnits);
  // A project read from a file; a format error stops the reading and is returned with what was
  // read before it. Throws ProjectFileError when the file cannot be read at all.
  static ProjectReadResult CreateFromFile(ProjectGrids& grids, ProjectHost& host,
                                          const std::string& fileName, int fileTypeIndex);
  // The same from a file already loaded into a word reader.
  static ProjectReadResult readFrom(ProjectGrids& grids, ProjectHost& host, TWordReader& reader,
                                    const std::string& fileName, int fileTypeIndex);

  TProgramData(const TProgramData&) = delete;
  TProgramData& operator=(const TProgramData&) = delete;

  int32_t fUnits = kEnglishUnits;
  std::string FileName;
  std::string Title;
  long double PINC = 0;
  int32_t PrintTZCurves = 0;
  int32_t METHOD = 0;
  int32_t KCYCL = 0;
  long double RCYCL = 0;
  long double DSTART = 0;
  long double DIALIM = 0;
  long double RATIO = 0;
  long double BELANGL = 0;
  long double TOPLENG = 0;
  long double BS = 0;
  long double EPILE = 0;
  long double WTD = 0;
  long double PD = 0;
  long double PDMIN = 0;
  long double PDINCR = 0;
  long double DIAMINCR = 0;
  int32_t NPOINTPD = 0;
  std::array<long double, kMaxChartSettlements> PDSETT{};
  long double FST = 0;
  long double FSB = 0;
  long double LPD = 0;
  long double ValElevation = 0;
  int32_t UseElevation = 0;
  int32_t ID2 = 0;
  int32_t CFAPile = 0;
  int32_t IPENT = 0;
  int32_t IChart = 0;
  int32_t IMOD = 0;
  int32_t Yesnewversion = 0;
  int32_t NLRFD = 0;

  ProjectGrids& grids() const { return *grids_; }

  bool isSI() const { return fUnits == kSIUnits; }
  bool isLrfd() const { return NLRFD == kLrfd; }
  bool isUplift() const { return KCYCL == kUplift; }
  bool designLoadGiven() const { return METHOD == kDesignLoadGiven; }

  // Design-chart settlements 0.1, 0.25, 0.5, 0.75 and six times 1.0 inch (in metres when SI).
  void InitPDSET();
  // Converts the project to unit system 1 (English) or 2 (SI), grids included.
  void SetUnits(int target);
  // Applies the derived values and writes the version 9 layout to FileName through a temporary
  // file renamed over the old one, keeping its permissions (file_replace.h). Throws
  // ProjectFileError, also for a read-only file; the previous file then stays.
  void Save();
  // The version 9 layout of the project as it stands.
  std::string projectText() const;
  // The values that follow from the others, applied on saving.
  void applyDerivedValues();
  // Converts every layer between drilled-shaft and CFA soil types after asking when data could
  // be lost; false when the user declined.
  bool switchPileKind(bool toCfa);

  void ReadVersion9(TWordReader& reader);
  void ReadVersion8(TWordReader& reader);
  void ReadPrevVersions(TWordReader& reader, bool withImodAndNlrfd);

 private:
  TProgramData(ProjectGrids& grids, ProjectHost& host) : grids_(&grids), host_(&host) {}
  void startReading(const std::string& fileName);
  void setUnitsOnEmptyProject(int target);

  ProjectGrids* grids_;
  ProjectHost* host_;
  bool constructing_ = false;  // being created or read: SetUnits applies even when unchanged
};

struct ProjectReadResult {
  std::unique_ptr<TProgramData> Data;
  std::string formatError;  // empty when the whole file was read
};

}  // namespace tolvane::app
