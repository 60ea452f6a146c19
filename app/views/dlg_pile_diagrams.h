// "Combined Plots" (TDlgPileDiagrams): the stay-on-top dialog of the 3D view that shows and
// chooses the capacity diagrams, their maximum labels and their size factor.
#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace tolvane::app {

class TDlgBlock;

class TDlgPileDiagrams : public QDialog {
 public:
  TDlgPileDiagrams(TDlgBlock& view, QWidget* frame);
  ~TDlgPileDiagrams() override;

  // Centred on the point at three quarters of the frame's width and half its height, then moved
  // up and left so that it stays inside the frame's bottom and right edges.
  void placeOver(QWidget* frame);
  // Loads every control from the view's flags.
  void FormActivate();
  // The up-down control: one significant digit up or down.
  void stepSizeFactor(bool up);

  QCheckBox* showPlots() const { return showPlots_; }
  QRadioButton* ultimateEffects() const { return ultimate_; }
  QRadioButton* designEffects() const { return design_; }
  QCheckBox* skinFriction() const { return skin_; }
  QCheckBox* tipResistance() const { return tip_; }
  QCheckBox* totalCapacity() const { return total_; }
  QCheckBox* showMaximumValues() const { return values_; }
  QLineEdit* sizeFactor() const { return factor_; }
  QToolButton* sizeUp() const { return up_; }
  QToolButton* sizeDown() const { return down_; }
  QLabel* factorError() const { return factorError_; }

  static constexpr const char* kTitle = "Combined Plots";

 protected:
  bool event(QEvent* event) override;

 private:
  void controlsChanged();
  void factorEdited();
  void showFactorError(const QString& text);
  void updateEnabling();

  TDlgBlock& view_;
  bool loading_ = false;
  QCheckBox* showPlots_ = nullptr;
  QGroupBox* selectPlots_ = nullptr;
  QRadioButton* ultimate_ = nullptr;
  QRadioButton* design_ = nullptr;
  QGroupBox* selectResults_ = nullptr;
  QCheckBox* skin_ = nullptr;
  QCheckBox* tip_ = nullptr;
  QCheckBox* total_ = nullptr;
  QGroupBox* options_ = nullptr;
  QCheckBox* values_ = nullptr;
  QLabel* factorCaption_ = nullptr;
  QLineEdit* factor_ = nullptr;
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
  QLabel* factorError_ = nullptr;
};

}  // namespace tolvane::app
