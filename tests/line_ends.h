// The line ends a text file may come with: an LF-only text rewritten with CR LF (Windows), LF
// (Unix), a lone CR (old Macintosh editors), or all three in turn within one file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolvane::testing {

struct LineEnds {
  const char* name;
  std::vector<const char*> ends;  // used in turn, one per line
};

// In the mixed style a lone CR is never followed by a lone LF, which would read as CR LF.

inline const std::vector<LineEnds>& allLineEnds() {
  static const std::vector<LineEnds> styles = {
      {"CR LF", {"\r\n"}}, {"LF", {"\n"}}, {"CR", {"\r"}}, {"mixed", {"\r", "\r\n", "\n"}}};
  return styles;
}

// `text` with every LF replaced by the line ends of `style`, in turn.
inline std::string withLineEnds(std::string_view text, const LineEnds& style) {
  std::string result;
  size_t line = 0;
  for (const char c : text) {
    if (c == '\n') {
      result += style.ends[line++ % style.ends.size()];
    } else {
      result += c;
    }
  }
  return result;
}

// `text` with its CR LF line ends turned into LF.
inline std::string withoutCarriageReturns(std::string_view text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result += text[i];
  }
  return result;
}

}  // namespace tolvane::testing
