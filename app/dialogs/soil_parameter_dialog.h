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

class TSoilParameterDialog : public QDialog {
  Q_OBJECT

 public:
  TSoilParameterDialog(TWindowHost& host, int row, QWidget* parent = nullptr);

  int32_t SoilType() const { return Type_; }
  QLabel* TitleLabel() const { return Title_; }
  QPushButton* CopyButton() const { return Copy_; }
  QPushButton* CloseButton() const { return Close_; }
  // The top or bottom widget of the field that edits a column: a numeric field or a pick list.
  entry::TDataEdit* Field(int column, int row) const;
  QComboBox* PickList(int column, int row) const;
  QLabel* FieldLabel(int column) const;
  QRadioButton* MethodButton(int method) const;  // 1-based; none without a method group
  std::vector<std::string> ShownNotes() const;
  int Method() const;

  // The values the page shows.
  TLayerValues PageValues() const;
  void CopyTopToBottom();
  // The "Close" button: checks the values, then writes them and closes.
  void CloseClick();

 public slots:
  void reject() override;  // the close box: writes without the checks

 private:
  struct TFieldWidgets {
    const TSoilField* Field = nullptr;
    QLabel* Label = nullptr;
    QWidget* Top = nullptr;
    QWidget* Bottom = nullptr;
  };
  void Load();
  void Store();
  void UpdateEnabling();
  bool ActiveFieldValid();
  QWidget* NewCell(const TSoilField& field, QLabel* label);
  const TFieldWidgets* WidgetsOf(int column) const;

  TWindowHost* Host_;
  entry::TMessageSink* Messages_;
  int Row_;
  int32_t Type_;
  QLabel* Title_;
  QPushButton* Copy_;
  QPushButton* Close_;
  std::vector<TFieldWidgets> Fields_;
  std::vector<QRadioButton*> Methods_;
  QVBoxLayout* Notes_ = nullptr;
  std::vector<QLabel*> NoteLabels_;
};

}  // namespace tolvane::app
