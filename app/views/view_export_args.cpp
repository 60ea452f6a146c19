#include "view_export_args.h"

#include <charconv>

namespace tolvane::app {

namespace {

std::optional<int> parseSide(std::string_view text) {
  int value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < kMinExportPixels || value > kMaxExportPixels) return std::nullopt;
  return value;
}

bool parseSize(const std::string& text, ViewExportRequest& request) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  const std::optional<int> w = parseSide(std::string_view(text).substr(0, x));
  const std::optional<int> h = parseSide(std::string_view(text).substr(x + 1));
  if (!w || !h) return false;
  request.Width = *w;
  request.Height = *h;
  return true;
}

}  // namespace

std::optional<ViewExportRequest> parseViewExportArgs(const std::vector<std::string>& args,
                                                     std::string& error) {
  ViewExportRequest request;
  if (args.size() < 2 || args[0] != "--view") {
    error = "--view needs the view: elevation or 3d";
    return std::nullopt;
  }
  if (args[1] == "elevation") {
    request.kind = ViewKind::kElevation;
  } else if (args[1] == "3d" || args[1] == "3D") {
    request.kind = ViewKind::k3D;
  } else {
    error = "unknown view \"" + args[1] + "\": use elevation or 3d";
    return std::nullopt;
  }
  for (size_t i = 2; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--out" || arg == "--size") {
      if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return std::nullopt;
      }
      const std::string& value = args[++i];
      if (arg == "--out") {
        request.out = value;
      } else if (!parseSize(value, request)) {
        error = "--size takes WIDTHxHEIGHT in pixels, each from " +
                std::to_string(kMinExportPixels) + " to " + std::to_string(kMaxExportPixels) +
                ", not \"" + value + "\"";
        return std::nullopt;
      }
    } else if (request.project.empty() && !arg.starts_with("--")) {
      request.project = arg;
    } else {
      error = "unexpected argument \"" + arg + "\"";
      return std::nullopt;
    }
  }
  if (request.project.empty()) {
    error = "--view needs a project file";
    return std::nullopt;
  }
  if (request.out.empty()) {
    error = "--view needs --out FILE for the image";
    return std::nullopt;
  }
  return request;
}

}  // namespace tolvane::app
