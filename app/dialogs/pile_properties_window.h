// "Drilled-Shaft Properties" and "CFA Pile Properties": the diameter range, bell, exclusion zones
// and modulus of the foundation element, with a sketch of the drilled shaft drawn from the
// entered values. Opening or leaving either window sets the project's pile kind.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <vector>

#include "data_windows.h"
#include "option_rules.h"

namespace tolvane::app {

// The drilled shaft as entered: stem, bell and the two exclusion zones.
class TShaftSketchWidget : public QWidget {
 public:
  explicit TShaftSketchWidget(QWidget* parent = nullptr);
  void SetSketch(const TShaftSketch& sketch, int unit_system);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TShaftSketch Sketch_;
  int Units_ = 1;
};

class TPilePropertiesWindow : public TDataWindowBase {
  Q_OBJECT

 public:
  TPilePropertiesWindow(TWindowHost& host, bool cfa_pile, QWidget* parent = nullptr);

  void LoadValues() override;
  entry::TDataEdit* MinimumDiameter() const { return Fields_[kMin]; }
  entry::TDataEdit* MaximumDiameter() const { return Fields_[kMax]; }
  entry::TDataEdit* Ratio() const { return Fields_[kRatio]; }
  entry::TDataEdit* BellAngle() const { return Fields_[kAngle]; }
  entry::TDataEdit* UpperZone() const { return Fields_[kTop]; }
  entry::TDataEdit* LowerZone() const { return Fields_[kBottom]; }
  entry::TDataEdit* Modulus() const { return Fields_[kModulus]; }
  QLabel* MaximumNote() const { return MaxNote_; }
  QPlainTextEdit* Text() const { return Text_; }
  TShaftSketchWidget* Sketch() const { return Sketch_; }

 protected:
  void StoreValues() override;

 private:
  enum TField { kMin, kMax, kRatio, kAngle, kTop, kBottom, kModulus, kFieldCount };
  void UpdateSketch();
  int PileKind() const { return Cfa_ ? 1 : 0; }

  bool Cfa_;
  std::vector<entry::TDataEdit*> Fields_;
  QLabel* MaxNote_ = nullptr;
  QPlainTextEdit* Text_ = nullptr;
  TShaftSketchWidget* Sketch_ = nullptr;
  bool Loading_ = false;
};

}  // namespace tolvane::app
