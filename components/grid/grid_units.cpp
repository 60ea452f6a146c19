#include "grid_units.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tolvane::grid {
namespace {

struct Placeholder {
  std::string_view Name;
  std::string_view english;
  std::string_view si;
  std::string_view dimension;
  long double factor;  // English units per SI unit
};

// English units per SI unit of each placeholder.
constexpr long double kPoundsPerKilonewton = 224.8089237L;
constexpr long double kKipsPerKilonewton = 0.2248089237L;
constexpr long double kTonsPerKilonewton = 0.1124044745L;
constexpr long double kInchesPerMetre = 39.37007874L;
constexpr long double kInchesPerMillimetre = 0.03937007874L;
constexpr long double kFeetPerMetre = 3.280839895L;
constexpr long double kMassPerMegagram = 5.7101483L;   // lb-sec2/in per Mg
constexpr long double kSlugsPerMegagram = 68.364249L;  // slug per Mg

// In the order of replacement for display.
constexpr std::array<Placeholder, 10> kPlaceholders{{
    {"F2", "tons", "kN", "F", kTonsPerKilonewton},
    {"F1", "kips", "kN", "F", kKipsPerKilonewton},
    {"F4", "lb-sec2/in", "Mg", "M", kMassPerMegagram},
    {"F5", "sec", "sec", "T", 1.0L},
    {"F6", "slug", "Mg", "F", kSlugsPerMegagram},
    {"F", "lbs", "kN", "F", kPoundsPerKilonewton},
    {"L3", "rad", "rad", "L", 1.0L},
    {"L2", "ft", "m", "L", kFeetPerMetre},
    {"L1", "in", "mm", "L", kInchesPerMillimetre},
    {"L", "in", "m", "L", kInchesPerMetre},
}};

long double placeholderFactor(std::string_view name) {
  for (const Placeholder& p : kPlaceholders) {
    if (p.Name == name) return p.factor;
  }
  return 1.0L;
}

std::string_view word(const Placeholder& p, int unitSystem) {
  switch (unitSystem) {
    case kGridEnglish:
      return p.english;
    case kGridSI:
      return p.si;
    default:
      return p.dimension;
  }
}

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
  for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos)) {
    text.replace(pos, from.size(), to);
    pos += to.size();
  }
  return text;
}

// The exponent digit of a term; anything else counts as 1.
int exponentDigit(char c) {
  return (c >= '0' && c <= '9') ? c - '0' : 1;
}

bool inRange(char c, char low, char high) {
  return c >= low && c <= high;
}

// The force part of a term: F, F1, F2, F4, F5 or F6, optionally with "^" and one digit, then a
// separator. Returns the factor; `term` keeps what follows.
long double forceFactor(std::string& term) {
  if (term.empty() || term.front() != 'F') return 1.0L;
  if (term.size() < 2 || !(inRange(term[1], '0', '2') || inRange(term[1], '4', '6'))) {
    term = "F0" + term.substr(1);
  }
  static constexpr std::array<std::string_view, 7> kNames{"F", "F1", "F2", "F2", "F4", "F5", "F6"};
  const long double base = placeholderFactor(kNames[static_cast<size_t>(term[1] - '0')]);
  int exponent = 1;
  size_t consumed = 3;  // the placeholder and the separator before a length term
  if (term.size() > 3 && term[2] == '^') {
    exponent = exponentDigit(term[3]);
    consumed = 5;
  }
  term.erase(0, std::min(consumed, term.size()));
  return std::pow(base, static_cast<long double>(exponent));
}

// The length part of a term: L, L1, L2 or L3, optionally with "^" and one digit.
long double lengthFactor(std::string_view term) {
  if (term.empty() || term.front() != 'L') return 1.0L;
  std::string t(term);
  if (t.size() < 2 || !inRange(t[1], '0', '3')) t = "L0" + t.substr(1);
  static constexpr std::array<std::string_view, 4> kNames{"L", "L1", "L2", "L3"};
  const long double base = placeholderFactor(kNames[static_cast<size_t>(t[1] - '0')]);
  const int exponent = t.size() > 3 ? exponentDigit(t[3]) : 1;
  return std::pow(base, static_cast<long double>(exponent));
}

long double termFactor(std::string_view text) {
  std::string term(text);
  const long double force = forceFactor(term);
  return force * lengthFactor(term);
}

}  // namespace

std::string gridUnitsText(std::string_view units, int unitSystem) {
  std::string text(units);
  for (const Placeholder& p : kPlaceholders)
    text = replaceAll(std::move(text), p.Name, word(p, unitSystem));
  return text;
}

long double unitsConversionFactor(std::string_view units, int from, int to) {
  const size_t slash = units.find('/');
  const std::string_view numerator = units.substr(0, slash);
  const std::string_view denominator =
      slash == std::string_view::npos ? std::string_view{} : units.substr(slash + 1);
  const long double ratio = termFactor(numerator) / termFactor(denominator);
  if (from == kGridEnglish && to == kGridSI) return 1.0L / ratio;
  if (from == kGridSI && to == kGridEnglish) return ratio;
  return 1.0L;
}

}  // namespace tolvane::grid
