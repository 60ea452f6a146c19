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
  entry::TDataEdit* SideFriction() const { return Side_; }
  entry::TDataEdit* BaseCapacity() const { return Base_; }

 protected:
  void StoreValues() override;

 private:
  entry::TDataEdit* Side_;
  entry::TDataEdit* Base_;
  bool Loading_ = false;
};

class TWaterTableWindow : public TDataWindowBase {
  Q_OBJECT
 public:
  explicit TWaterTableWindow(TWindowHost& host, QWidget* parent = nullptr);
  void LoadValues() override;
  entry::TDataEdit* Depth() const { return Depth_; }

 protected:
  void StoreValues() override;

 private:
  entry::TDataEdit* Depth_;
  bool Loading_ = false;
};

// "Drilled Shaft Length" and "Specification of Design Load".
class TLoadingWindow : public TDataWindowBase {
  Q_OBJECT
 public:
  TLoadingWindow(TWindowHost& host, bool design_load, QWidget* parent = nullptr);
  void LoadValues() override;
  entry::TDataEdit* Value() const { return Value_; }
  QRadioButton* Compression() const { return Compression_; }
  QRadioButton* Uplift() const { return Uplift_; }
  entry::TDataEdit* ReductionFactor() const { return Reduction_; }

 protected:
  void StoreValues() override;

 private:
  bool DesignLoad_;
  entry::TDataEdit* Value_;
  QRadioButton* Compression_;
  QRadioButton* Uplift_;
  entry::TDataEdit* Reduction_;
  bool Loading_ = false;
};

class TMultipleLengthsWindow : public TDataWindowBase {
  Q_OBJECT
 public:
  explicit TMultipleLengthsWindow(TWindowHost& host, QWidget* parent = nullptr);
  void LoadValues() override;
  QCheckBox* Evaluate() const { return Check_; }
  entry::TDataEdit* MaximumLength() const { return Max_; }
  entry::TDataEdit* MinimumLength() const { return Min_; }
  entry::TDataEdit* Increment() const { return Increment_; }

 protected:
  void StoreValues() override;

 private:
  void UpdateEnabling();
  QCheckBox* Check_;
  entry::TDataEdit* Max_;
  entry::TDataEdit* Min_;
  entry::TDataEdit* Increment_;
  std::vector<QWidget*> Dependent_;
};

class TDesignChartsWindow : public TDataWindowBase {
  Q_OBJECT
 public:
  explicit TDesignChartsWindow(TWindowHost& host, QWidget* parent = nullptr);
  void LoadValues() override;
  QCheckBox* Compute() const { return Check_; }
  entry::TDataEdit* MaximumLength() const { return Max_; }
  entry::TDataEdit* MinimumLength() const { return Min_; }
  entry::TDataEdit* LengthIncrement() const { return LengthIncrement_; }
  entry::TDataEdit* DiameterIncrement() const { return DiameterIncrement_; }
  entry::TDataEdit* NumberOfPoints() const { return Points_; }
  QToolButton* Up() const { return Up_; }
  QToolButton* Down() const { return Down_; }
  QTableWidget* Settlements() const { return Table_; }

 protected:
  void StoreValues() override;

 private:
  void UpdateEnabling();
  void ResizeTable(int points);
  QCheckBox* Check_;
  entry::TDataEdit* Max_;
  entry::TDataEdit* Min_;
  entry::TDataEdit* LengthIncrement_;
  entry::TDataEdit* DiameterIncrement_;
  entry::TDataEdit* Points_;
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
  entry::TDataEdit* OutputIncrement() const { return Increment_; }
  QRadioButton* Interpolation() const { return Interpolation_; }
  QRadioButton* MaximumValues() const { return Maximum_; }
  QCheckBox* UseElevation() const { return UseElevation_; }
  entry::TDataEdit* Elevation() const { return Elevation_; }
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
  entry::TDataEdit* Increment_;
  QRadioButton* Interpolation_;
  QRadioButton* Maximum_;
  QCheckBox* UseElevation_;
  entry::TDataEdit* Elevation_;
  QLineEdit* Editor_;
  QPushButton* Browse_;
  QCheckBox* PrintTZ_;
  QPushButton* EditDepths_;
  QPushButton* Close_;
};

}  // namespace tolvane::app
