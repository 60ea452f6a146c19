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
class TitleEdit : public QPlainTextEdit {
 public:
  explicit TitleEdit(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
};

class TitleWindow : public DataWindowBase {
  Q_OBJECT
 public:
  explicit TitleWindow(WindowHost& host, QWidget* parent = nullptr);
  void loadValues() override;
  QPlainTextEdit* titleText() const { return text_; }

 protected:
  void storeValues() override;

 private:
  TitleEdit* text_;
};

class FactorOfSafetyWindow : public DataWindowBase {
  Q_OBJECT
 public:
  explicit FactorOfSafetyWindow(WindowHost& host, QWidget* parent = nullptr);
  void loadValues() override;
  entry::TDataEdit* sideFriction() const { return side_; }
  entry::TDataEdit* baseCapacity() const { return base_; }

 protected:
  void storeValues() override;

 private:
  entry::TDataEdit* side_;
  entry::TDataEdit* base_;
  bool loading_ = false;
};

class WaterTableWindow : public DataWindowBase {
  Q_OBJECT
 public:
  explicit WaterTableWindow(WindowHost& host, QWidget* parent = nullptr);
  void loadValues() override;
  entry::TDataEdit* depthEdit() const { return depth_; }

 protected:
  void storeValues() override;

 private:
  entry::TDataEdit* depth_;
  bool loading_ = false;
};

// "Drilled Shaft Length" and "Specification of Design Load".
class LoadingWindow : public DataWindowBase {
  Q_OBJECT
 public:
  LoadingWindow(WindowHost& host, bool designLoad, QWidget* parent = nullptr);
  void loadValues() override;
  entry::TDataEdit* Value() const { return value_; }
  QRadioButton* compression() const { return compression_; }
  QRadioButton* uplift() const { return uplift_; }
  entry::TDataEdit* reductionFactor() const { return reduction_; }

 protected:
  void storeValues() override;

 private:
  bool designLoad_;
  entry::TDataEdit* value_;
  QRadioButton* compression_;
  QRadioButton* uplift_;
  entry::TDataEdit* reduction_;
  bool loading_ = false;
};

class MultipleLengthsWindow : public DataWindowBase {
  Q_OBJECT
 public:
  explicit MultipleLengthsWindow(WindowHost& host, QWidget* parent = nullptr);
  void loadValues() override;
  QCheckBox* Evaluate() const { return check_; }
  entry::TDataEdit* maximumLength() const { return max_; }
  entry::TDataEdit* minimumLength() const { return min_; }
  entry::TDataEdit* increment() const { return increment_; }

 protected:
  void storeValues() override;

 private:
  void updateEnabling();
  QCheckBox* check_;
  entry::TDataEdit* max_;
  entry::TDataEdit* min_;
  entry::TDataEdit* increment_;
  std::vector<QWidget*> dependent_;
};

class DesignChartsWindow : public DataWindowBase {
  Q_OBJECT
 public:
  explicit DesignChartsWindow(WindowHost& host, QWidget* parent = nullptr);
  void loadValues() override;
  QCheckBox* compute() const { return check_; }
  entry::TDataEdit* maximumLength() const { return max_; }
  entry::TDataEdit* minimumLength() const { return min_; }
  entry::TDataEdit* lengthIncrement() const { return lengthIncrement_; }
  entry::TDataEdit* diameterIncrement() const { return diameterIncrement_; }
  entry::TDataEdit* numberOfPoints() const { return points_; }
  QToolButton* up() const { return up_; }
  QToolButton* down() const { return down_; }
  QTableWidget* settlements() const { return table_; }

 protected:
  void storeValues() override;

 private:
  void updateEnabling();
  void resizeTable(int points);
  QCheckBox* check_;
  entry::TDataEdit* max_;
  entry::TDataEdit* min_;
  entry::TDataEdit* lengthIncrement_;
  entry::TDataEdit* diameterIncrement_;
  entry::TDataEdit* points_;
  QToolButton* up_;
  QToolButton* down_;
  QTableWidget* table_;
  std::vector<QWidget*> dependent_;
  std::array<QString, kMaxChartSettlements> typed_;
};

class ControlOptionsWindow : public DataWindowBase {
  Q_OBJECT
 public:
  explicit ControlOptionsWindow(WindowHost& host, QWidget* parent = nullptr);
  void loadValues() override;
  entry::TDataEdit* outputIncrement() const { return increment_; }
  QRadioButton* interpolation() const { return interpolation_; }
  QRadioButton* maximumValues() const { return maximum_; }
  QCheckBox* UseElevation() const { return useElevation_; }
  entry::TDataEdit* elevation() const { return elevation_; }
  QLineEdit* textEditor() const { return editor_; }
  QPushButton* browse() const { return browse_; }
  QCheckBox* PrintTZCurves() const { return printTz_; }
  QPushButton* editDepths() const { return editDepths_; }
  QPushButton* closeButton() const { return close_; }
  // Opens the depth table of the additional t-z curves (modal).
  void editDepthsClick();

 protected:
  void storeValues() override;

 private:
  entry::TDataEdit* increment_;
  QRadioButton* interpolation_;
  QRadioButton* maximum_;
  QCheckBox* useElevation_;
  entry::TDataEdit* elevation_;
  QLineEdit* editor_;
  QPushButton* browse_;
  QCheckBox* printTz_;
  QPushButton* editDepths_;
  QPushButton* close_;
};

}  // namespace tolvane::app
