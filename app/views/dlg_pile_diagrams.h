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
  void PlaceOver(QWidget* frame);
  // Loads every control from the view's flags.
  void FormActivate();
  // The up-down control: one significant digit up or down.
  void StepSizeFactor(bool up);

  QCheckBox* ShowPlots() const { return ShowPlots_; }
  QRadioButton* UltimateEffects() const { return Ultimate_; }
  QRadioButton* DesignEffects() const { return Design_; }
  QCheckBox* SkinFriction() const { return Skin_; }
  QCheckBox* TipResistance() const { return Tip_; }
  QCheckBox* TotalCapacity() const { return Total_; }
  QCheckBox* ShowMaximumValues() const { return Values_; }
  QLineEdit* SizeFactor() const { return Factor_; }
  QToolButton* SizeUp() const { return Up_; }
  QToolButton* SizeDown() const { return Down_; }
  QLabel* FactorError() const { return FactorError_; }

  static constexpr const char* kTitle = "Combined Plots";

 protected:
  bool event(QEvent* event) override;

 private:
  void ControlsChanged();
  void FactorEdited();
  void ShowFactorError(const QString& text);
  void UpdateEnabling();

  TDlgBlock& View_;
  bool Loading_ = false;
  QCheckBox* ShowPlots_ = nullptr;
  QGroupBox* SelectPlots_ = nullptr;
  QRadioButton* Ultimate_ = nullptr;
  QRadioButton* Design_ = nullptr;
  QGroupBox* SelectResults_ = nullptr;
  QCheckBox* Skin_ = nullptr;
  QCheckBox* Tip_ = nullptr;
  QCheckBox* Total_ = nullptr;
  QGroupBox* Options_ = nullptr;
  QCheckBox* Values_ = nullptr;
  QLabel* FactorCaption_ = nullptr;
  QLineEdit* Factor_ = nullptr;
  QToolButton* Up_ = nullptr;
  QToolButton* Down_ = nullptr;
  QLabel* FactorError_ = nullptr;
};

}  // namespace tolvane::app
