// The command line of the headless view render:
// tolvane2023 --view elevation|3d PROJECT.tv9d --out FILE.png [--size WIDTHxHEIGHT]
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tolvane::app {

enum class ViewKind { kElevation, k3D };

struct ViewExportRequest {
  ViewKind kind = ViewKind::kElevation;
  std::string project;
  std::string out;
  int Width = 800;  // pixels
  int Height = 600;
};

inline constexpr int kMinExportPixels = 16;
inline constexpr int kMaxExportPixels = 8192;

// The request of the arguments after the program name (starting with "--view"); none with the
// reason in error when they are incomplete or wrong.
std::optional<ViewExportRequest> parseViewExportArgs(const std::vector<std::string>& args,
                                                     std::string& error);

inline constexpr const char* kViewExportUsage =
    "       tolvane2023 --view elevation|3d PROJECT.tv9d --out FILE.png [--size WIDTHxHEIGHT]\n"
    "                                    render the elevation or the 3D view to an image\n";

}  // namespace tolvane::app
