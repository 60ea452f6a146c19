// The pages of the soil-parameter window without the window: which fields each soil type shows,
// their captions, units, kinds and parameter columns, the method groups, the enabling of fields
// and notes by the chosen method, the checks made when a page is closed, and the moving of the
// values between a page and a layer's parameter table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "grid_table.h"
#include "project_grids.h"

namespace tolvane::app {

enum class SoilFieldKind { kReal, kInteger, kPickList };

struct SoilField {
  std::string Caption;
  int column = 0;     // column of the layer's parameter table
  std::string Units;  // units placeholder string, empty for none
  SoilFieldKind kind = SoilFieldKind::kReal;
  std::vector<std::string> items;  // pick lists: the entries, value 1 to n
  std::string prompt;              // pick lists: the text shown before a choice
  bool hidden = false;
};

struct SoilPage {
  std::string Name;  // "Sand", "Clay", ...
  std::vector<SoilField> fields;
  std::string methodGroup;           // caption of the method group, empty for none
  std::vector<std::string> methods;  // the method buttons, value 1 to n
  int methodColumn = -1;
  std::string methodNote;  // shown beside the third method
};

// The page of a soil type (clay and shale share one, so do the two strong rocks and the two
// gravels). Types outside 1 to 11 get the sand page.
const SoilPage& soilPageFor(int32_t type);
// The title label of the page for the type.
std::string soilPageTitle(int32_t type);
// A button caption as shown: a doubled ampersand shows as one.
std::string shownCaption(const std::string& caption);

// A stored method that matches none of the page's buttons counts as the first method.
int effectiveMethod(int32_t type, int method);
// Whether the page reads and writes its method group and the column (shale shows the clay
// page's method group and type of test but uses neither).
bool methodGroupUsed(int32_t type);
bool soilFieldUsed(int32_t type, int column);
bool soilFieldEnabled(int32_t type, int column, int method);
bool methodGroupEnabled(int32_t type);
std::string soilFieldCaption(int32_t type, const SoilField& field, int method);
std::vector<std::string> soilPageNotes(int32_t type, int method);

// The top and bottom values of a parameter table, by column, and its method.
inline constexpr int kMaxParameterColumns = 9;
struct LayerValues {
  std::array<std::array<long double, kMaxParameterColumns>, kLayerTableRows> Value{};
  int method = 0;
  long double& at(int row, int column) {
    return Value[static_cast<size_t>(row)][static_cast<size_t>(column)];
  }
  long double at(int row, int column) const {
    return Value[static_cast<size_t>(row)][static_cast<size_t>(column)];
  }
};

LayerValues readLayerValues(const grid::TGridTable& table, int32_t type);
// Writes the values the page uses; integers are rounded to the nearest integer (ties to even), the
// method goes to both rows. For sand the parameters the chosen method does not use become 0 first.
void writeLayerValues(grid::TGridTable& table, int32_t type, LayerValues values);
// The sand parameters the method does not use, set to 0.
void clearUnusedSandParameters(LayerValues& values);

// A check that fails when a page is closed with its Close button: the message, and the column of
// the quantity whose top field gets the focus.
struct SoilCloseFailure {
  std::string message;
  int column = 0;
};
std::optional<SoilCloseFailure> checkSoilPageClose(int32_t type, const LayerValues& values);

}  // namespace tolvane::app
