// "Soil Layers": one row per layer with its soil type, bottom depth, side and end-bearing limits
// and, with LRFD, the resistance factors; Add, Insert and Delete; "Edit Layer n" opens the
// soil-parameter window of the layer.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <functional>

#include "data_windows.h"

namespace tolvane::app {

class SoilLayersWindow : public DataWindowBase {
  Q_OBJECT

 public:
  explicit SoilLayersWindow(WindowHost& host, QWidget* parent = nullptr);

  void loadValues() override;
  int focusedRow() const { return focusedRow_; }
  void setFocusedRow(int row) { focusedRow_ = row; }

  QTableWidget* Grid() const { return grid_; }
  QPushButton* addButton() const { return add_; }
  QPushButton* insertButton() const { return insert_; }
  QPushButton* deleteButton() const { return delete_; }
  QCheckBox* confirmDeletion() const { return confirm_; }
  QPushButton* closeButton() const { return close_; }
  // The widgets of a layer row.
  QPushButton* editButton(int row) const;
  QComboBox* typeList(int row) const;
  entry::TDataEdit* field(int row, int layerColumn) const;

  void addLayerClick();
  void insertLayerClick();
  void deleteLayerClick();
  // Opens the soil-parameter window of a layer (modal).
  void editLayer(int row);

 protected:
  void storeValues() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void rebuild();
  void refreshValues();
  void buildRow(int row);
  void updateButtons();
  int gridColumnOf(int layerColumn) const;
  void Changed();

  QTableWidget* grid_;
  QPushButton* add_;
  QPushButton* insert_;
  QPushButton* delete_;
  QCheckBox* confirm_;
  QPushButton* close_;
  int focusedRow_ = 0;
  bool lrfd_ = false;
  bool cfa_ = false;
  bool built_ = false;
  int builtUnits_ = 0;
};

}  // namespace tolvane::app
