// The small windows of the analysis options: project title, factors of safety, water table,
// shaft length or design load with the type of loading, multiple shaft lengths, design charts
// and the control options.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>
#include <array>
#include <vector>

#include "program_data.h"

#include "data_windows.h"

namespace tolvane::app {

// A wrapping text box in which Enter inserts no line break, at most 80 characters.
class TTitleEdit : public QPlainTextEdit {
 public:
  explicit TTitleEdit(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
};

class TTitleWindow : public TDataWindowBase {
  Q_OBJECT
 public:
  explicit TTitleWindow(TWindowHost& host, QWidget* parent = nullptr);
  void LoadValues() override;
  QPlainTextEdit* TitleText() const { return Text_; }

 protected:
  void StoreValues() override;

 private:
  TTitleEdit* Text_;
};

class TFactorOfSafetyWindow : public TDataWindowBase {
  Q_OBJECT
 public:
  explicit TFactorOfSafetyWindow(TWindowHost& host, QWidget* parent = nullptr);
  void LoadValues() override;
  gui::TDataEdit* SideFriction() const { return Side_; }
  gui::TDataEdit* BaseCapacity() const { return Base_; }

 protected:
  void StoreValues() override;

 private:
  gui::TDataEdit* Side_;
  gui::TDataEdit* Base_;
  bool Loading_ = false;
};

class TWaterTableWindow : public TDataWindowBase {
  Q_OBJECT
 public:
  explicit TWaterTableWindow(TWindowHost& host, QWidget* parent = nullptr);
  void LoadValues() override;
  gui::TDataEdit* Depth() const { return Depth_; }

 protected:
  void StoreValues() override;

 private:
  gui::TDataEdit* Depth_;
  bool Loading_ = false;
};

// "Drilled Shaft Length" and "Specification of Design Load".
class TLoadingWindow : public TDataWindowBase {
  Q_OBJECT
 public:
  TLoadingWindow(TWindowHost& host, bool design_load, QWidget* parent = nullptr);
  void LoadValues() override;
  gui::TDataEdit* Value() const { return Value_; }
  QRadioButton* Compression() const { return Compression_; }
  QRadioButton* Uplift() const { return Uplift_; }
  gui::TDataEdit* ReductionFactor() const { return Reduction_; }

 protected:
  void StoreValues() override;

 private:
  bool DesignLoad_;
  gui::TDataEdit* Value_;
  QRadioButton* Compression_;
  QRadioButton* Uplift_;
  gui::TDataEdit* Reduction_;
  bool Loading_ = false;
};

class TMultipleLengthsWindow : public TDataWindowBase {
  Q_OBJECT
 public:
  explicit TMultipleLengthsWindow(TWindowHost& host, QWidget* parent = nullptr);
  void LoadValues() override;
  QCheckBox* Evaluate() const { return Check_; }
  gui::TDataEdit* MaximumLength() const { return Max_; }
  gui::TDataEdit* MinimumLength() const { return Min_; }
  gui::TDataEdit* Increment() const { return Increment_; }

 protected:
  void StoreValues() override;

 private:
  void UpdateEnabling();
  QCheckBox* Check_;
  gui::TDataEdit* Max_;
  gui::TDataEdit* Min_;
  gui::TDataEdit* Increment_;
  std::vector<QWidget*> Dependent_;
};

class TDesignChartsWindow : public TDataWindowBase {
  Q_OBJECT
 public:
  explicit TDesignChartsWindow(TWindowHost& host, QWidget* parent = nullptr);
  void LoadValues() override;
  QCheckBox* Compute() const { return Check_; }
  gui::TDataEdit* MaximumLength() const { return Max_; }
  gui::TDataEdit* MinimumLength() const { return Min_; }
  gui::TDataEdit* LengthIncrement() const { return LengthIncrement_; }
  gui::TDataEdit* DiameterIncrement() const { return DiameterIncrement_; }
  gui::TDataEdit* NumberOfPoints() const { return Points_; }
  QToolButton* Up() const { return Up_; }
  QToolButton* Down() const { return Down_; }
  QTableWidget* Settlements() const { return Table_; }

 protected:
  void StoreValues() override;

 private:
  void UpdateEnabling();
  void ResizeTable(int points);
  QCheckBox* Check_;
  gui::TDataEdit* Max_;
  gui::TDataEdit* Min_;
  gui::TDataEdit* LengthIncrement_;
  gui::TDataEdit* DiameterIncrement_;
  gui::TDataEdit* Points_;
  QToolButton* Up_;
  QToolButton* Down_;
  QTableWidget* Table_;
  std::vector<QWidget*> Dependent_;
  std::array<QString, kMaxChartSettlements> Typed_;
};

class TControlOptionsWindow : public TDataWindowBase {
  Q_OBJECT
 public:
  explicit TControlOptionsWindow(TWindowHost& host, QWidget* parent = nullptr);
  void LoadValues() override;
  gui::TDataEdit* OutputIncrement() const { return Increment_; }
  QRadioButton* Interpolation() const { return Interpolation_; }
  QRadioButton* MaximumValues() const { return Maximum_; }
  QCheckBox* UseElevation() const { return UseElevation_; }
  gui::TDataEdit* Elevation() const { return Elevation_; }
  QLineEdit* TextEditor() const { return Editor_; }
  QPushButton* Browse() const { return Browse_; }
  QCheckBox* PrintTZCurves() const { return PrintTZ_; }
  QPushButton* EditDepths() const { return EditDepths_; }
  QPushButton* CloseButton() const { return Close_; }
  // Opens the depth table of the additional t-z curves (modal).
  void EditDepthsClick();

 protected:
  void StoreValues() override;

 private:
  gui::TDataEdit* Increment_;
  QRadioButton* Interpolation_;
  QRadioButton* Maximum_;
  QCheckBox* UseElevation_;
  gui::TDataEdit* Elevation_;
  QLineEdit* Editor_;
  QPushButton* Browse_;
  QCheckBox* PrintTZ_;
  QPushButton* EditDepths_;
  QPushButton* Close_;
};

}  // namespace tolvane::app
