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

class TSoilLayersWindow : public TDataWindowBase {
  Q_OBJECT

 public:
  explicit TSoilLayersWindow(TWindowHost& host, QWidget* parent = nullptr);

  void LoadValues() override;
  int FocusedRow() const { return FocusedRow_; }
  void SetFocusedRow(int row) { FocusedRow_ = row; }

  QTableWidget* Grid() const { return Grid_; }
  QPushButton* AddButton() const { return Add_; }
  QPushButton* InsertButton() const { return Insert_; }
  QPushButton* DeleteButton() const { return Delete_; }
  QCheckBox* ConfirmDeletion() const { return Confirm_; }
  QPushButton* CloseButton() const { return Close_; }
  // The widgets of a layer row.
  QPushButton* EditButton(int row) const;
  QComboBox* TypeList(int row) const;
  entry::TDataEdit* Field(int row, int layer_column) const;

  void AddLayerClick();
  void InsertLayerClick();
  void DeleteLayerClick();
  // Opens the soil-parameter window of a layer (modal).
  void EditLayer(int row);

 protected:
  void StoreValues() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Rebuild();
  void RefreshValues();
  void BuildRow(int row);
  void UpdateButtons();
  int GridColumnOf(int layer_column) const;
  void Changed();

  QTableWidget* Grid_;
  QPushButton* Add_;
  QPushButton* Insert_;
  QPushButton* Delete_;
  QCheckBox* Confirm_;
  QPushButton* Close_;
  int FocusedRow_ = 0;
  bool Lrfd_ = false;
  bool Cfa_ = false;
  bool Built_ = false;
  int BuiltUnits_ = 0;
};

}  // namespace tolvane::app
