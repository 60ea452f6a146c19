// "Layer": the soil parameters of one layer at its top and bottom, on the page of the layer's soil
// type, with the method group and notes of that type, "Copy Values From Top To Bottom" and
// "Close" (which checks the values the chosen method needs).
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "qt_data_edit.h"
#include "soil_pages.h"
#include "window_host.h"

class QVBoxLayout;

namespace tolvane::app {

class SoilParameterDialog : public QDialog {
  Q_OBJECT

 public:
  SoilParameterDialog(WindowHost& host, int row, QWidget* parent = nullptr);

  int32_t SoilType() const { return type_; }
  QLabel* titleLabel() const { return title_; }
  QPushButton* copyButton() const { return copy_; }
  QPushButton* closeButton() const { return close_; }
  // The top or bottom widget of the field that edits a column: a numeric field or a pick list.
  entry::TDataEdit* field(int column, int row) const;
  QComboBox* pickList(int column, int row) const;
  QLabel* fieldLabel(int column) const;
  QRadioButton* methodButton(int method) const;  // 1-based; none without a method group
  std::vector<std::string> shownNotes() const;
  int method() const;

  // The values the page shows.
  LayerValues pageValues() const;
  void copyTopToBottom();
  // The "Close" button: checks the values, then writes them and closes.
  void closeClick();

 public slots:
  void reject() override;  // the close box: writes without the checks

 private:
  struct FieldWidgets {
    const SoilField* field = nullptr;
    QLabel* label = nullptr;
    QWidget* Top = nullptr;
    QWidget* Bottom = nullptr;
  };
  void load();
  void store();
  void updateEnabling();
  bool activeFieldValid();
  QWidget* newCell(const SoilField& field, QLabel* label);
  const FieldWidgets* widgetsOf(int column) const;

  WindowHost* host_;
  entry::MessageSink* messages_;
  int row_;
  int32_t type_;
  QLabel* title_;
  QPushButton* copy_;
  QPushButton* close_;
  std::vector<FieldWidgets> fields_;
  std::vector<QRadioButton*> methods_;
  QVBoxLayout* notes_ = nullptr;
  std::vector<QLabel*> noteLabels_;
};

}  // namespace tolvane::app
