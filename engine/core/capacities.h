// Fixed capacities of the engine's tables and widths of its fixed text fields.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tolvane::engine {

inline constexpr int kLayerCapacity = 50;        // rows of every per-layer table
inline constexpr int kMaxLayers = 49;            // layers one project may hold
inline constexpr int kMaxChartSettlements = 10;  // settlements of the design charts
inline constexpr int kMaxTzDepths = 50;          // depths of additional t-z curves
inline constexpr int kMaxDiameters = 20;         // diameters of one run
inline constexpr int kMaxLengths = 100;          // shaft lengths of one diameter
inline constexpr int kSolverLayerEntries = 30;   // per-layer entries handed to the solver

inline constexpr std::size_t kVersionWidth = 12;       // version text of the calling program
inline constexpr std::size_t kPathWidth = 255;         // every path of the run-file list
inline constexpr std::size_t kTitleWidth = 72;         // project title
inline constexpr std::size_t kAppendedLineWidth = 80;  // lines of appended scratch files

// Results of a run. 0 and the values of the analysis are the caller's contract; the others
// report problems that stop the run before or while the project is read.
enum RunResult : std::int32_t {
  kResultCompleted = 0,
  kResultHandshakeMismatch = 1,
  kResultTzDepthBeyondProfile = 2,  // set by the load-settlement computations
  kResultTipBelowProfile = 4,       // set by the load-settlement computations
  kResultDesignLoadNotReached = 7,  // "NEED ANOTHER SOIL LAYER"
  kResultBadRunFileList = 8,        // names.dat missing, incomplete or with a path too long
  kResultBadProjectFile = 9,        // project file malformed, cut short or beyond a capacity
  kResultCannotOpenFile = 10,       // a result file could not be created
  kResultInternalError = 11,        // an unexpected failure inside the engine
};

}  // namespace tolvane::engine
