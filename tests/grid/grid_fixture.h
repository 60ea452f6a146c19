// A small soil profile for the grid tests: two layer templates (identifiers 1 and 2) and a layer
// table whose pick-list column 0 chooses the nested table of each row.
#pragma once

#include <memory>
#include <string>

#include "columns.h"
#include "grid_table.h"

namespace tolvane::grid::testing {

// A table window that only remembers what it was told.
class FakeWindow : public GridTableWindow {
 public:
  explicit FakeWindow(std::string* title) : title_(title) {}
  void Show(bool modal) override { modal_ = modal; }
  bool IsModal() const override { return modal_; }
  int Width() const override { return 640; }
  int Height() const override { return 480; }
  void setTitle(const std::string& title) override { *title_ = title; }

 private:
  std::string* title_;
  bool modal_ = false;
};

class FakeWindowFactory : public GridTableWindowFactory {
 public:
  std::unique_ptr<GridTableWindow> createWindow(TGridTable& /*table*/) override {
    return std::make_unique<FakeWindow>(&lastTitle);
  }
  std::string lastTitle;
};

struct SoilGrid {
  GridTableRegistry registry;
  TGridTable sand{registry};
  TGridTable clay{registry};
  TGridTable layers{registry};

  SoilGrid() {
    sand.Caption = "Sand Layer Data";
    sand.SetMinRows(2);
    sand.SetIdentifier(1);
    auto& weight = static_cast<TFloatColumn&>(sand.AddColumn(ColumnType::kFloat));
    weight.Heading = {"Total Unit Weight"};
    weight.UnitsString = "F/L2^3";
    auto& blows = static_cast<TIntColumn&>(sand.AddColumn(ColumnType::kInt));
    blows.Heading = {"Blow Counts", "-Optional-"};
    blows.Minimum = 0;
    blows.Maximum = 100;

    clay.Caption = "Clay Layer Data";
    clay.SetMinRows(2);
    clay.SetIdentifier(2);
    auto& cohesion = static_cast<TFloatColumn&>(clay.AddColumn(ColumnType::kFloat));
    cohesion.Heading = {"Cohesion"};
    cohesion.UnitsString = "F/L2^2";

    layers.Caption = "Soil Layer Data";
    layers.SetIdentifier(50);
    auto& type = static_cast<TEnumColumn&>(layers.AddColumn(ColumnType::kEnum));
    type.setNames({"sand", "clay"});
    auto& depth = static_cast<TFloatColumn&>(layers.AddColumn(ColumnType::kFloat));
    depth.Heading = {"Depth at Bottom ", "of each Layer"};
    depth.UnitsString = "L2";
    auto& nested = static_cast<TTableColumn&>(layers.AddColumn(ColumnType::kTable));
    nested.Templates.resize(0);
    nested.Templates.AddByIdent(1);
    nested.Templates.AddByIdent(2);
    auto& side = static_cast<TFloatColumn&>(layers.AddColumn(ColumnType::kFloat));
    side.Heading = {"Max. Side ", "Friction"};
    side.UnitsString = "F/L2^2";
  }

  static constexpr int kType = 0;
  static constexpr int kDepth = 1;
  static constexpr int kNested = 2;
  static constexpr int kSide = 3;

  TGridTable& nested(int row) const { return *layers.GetDataValue(kNested, row); }
};

}  // namespace tolvane::grid::testing
