// Expansion of the units placeholders of plot axes for a unit system.
#include <array>

#include "graph_plot.h"

namespace tolvane::plot {
namespace {

struct PlaceholderWords {
  const char* english;
  const char* si;
};

// A placeholder family: its three tokens with their words, the numbered ones tried first.
struct PlaceholderFamily {
  std::array<const char*, 3> tokens;  // "X2", "X1", "X"
  std::array<PlaceholderWords, 3> words;
};

constexpr PlaceholderFamily kForce = {{"F2", "F1", "F"},
                                      {{{"tons", "kN"}, {"kips", "kN"}, {"lbs", "kN"}}}};
constexpr PlaceholderFamily kLength = {{"L2", "L1", "L"},
                                       {{{"ft", "m"}, {"in", "mm"}, {"in", "m"}}}};

std::string replaceAll(std::string text, const std::string& token, const std::string& word) {
  size_t pos = 0;
  while ((pos = text.find(token, pos)) != std::string::npos) {
    text.replace(pos, token.size(), word);
    pos += word.size();
  }
  return text;
}

std::string expandFamily(const std::string& text, const PlaceholderFamily& family, int unitSystem) {
  for (size_t i = 0; i < family.tokens.size(); ++i) {
    if (text.find(family.tokens[i]) == std::string::npos) continue;
    const PlaceholderWords& words = family.words[i];
    return replaceAll(text, family.tokens[i], unitSystem == kSIUnits ? words.si : words.english);
  }
  return text;
}

}  // namespace

std::string expandUnits(const std::string& units, int unitSystem) {
  if (unitSystem == kNoUnitExpansion) return units;
  return expandFamily(expandFamily(units, kForce, unitSystem), kLength, unitSystem);
}

std::string axisCaption(const std::string& caption, const std::string& units, int unitSystem) {
  if (units.empty()) return caption;
  return caption + " (" + expandUnits(units, unitSystem) + ")";
}

}  // namespace tolvane::plot
