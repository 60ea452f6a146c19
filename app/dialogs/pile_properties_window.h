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
class ShaftSketchWidget : public QWidget {
 public:
  explicit ShaftSketchWidget(QWidget* parent = nullptr);
  void setSketch(const ShaftSketch& sketch, int unitSystem);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ShaftSketch sketch_;
  int units_ = 1;
};

class PilePropertiesWindow : public DataWindowBase {
  Q_OBJECT

 public:
  PilePropertiesWindow(WindowHost& host, bool cfaPile, QWidget* parent = nullptr);

  void loadValues() override;
  entry::TDataEdit* minimumDiameter() const { return fields_[kMin]; }
  entry::TDataEdit* maximumDiameter() const { return fields_[kMax]; }
  entry::TDataEdit* ratio() const { return fields_[kRatio]; }
  entry::TDataEdit* bellAngle() const { return fields_[kAngle]; }
  entry::TDataEdit* upperZone() const { return fields_[kTop]; }
  entry::TDataEdit* lowerZone() const { return fields_[kBottom]; }
  entry::TDataEdit* modulus() const { return fields_[kModulus]; }
  QLabel* maximumNote() const { return maxNote_; }
  QPlainTextEdit* Text() const { return text_; }
  ShaftSketchWidget* sketch() const { return sketch_; }

 protected:
  void storeValues() override;

 private:
  enum Field { kMin, kMax, kRatio, kAngle, kTop, kBottom, kModulus, kFieldCount };
  void updateSketch();
  int pileKind() const { return cfa_ ? 1 : 0; }

  bool cfa_;
  std::vector<entry::TDataEdit*> fields_;
  QLabel* maxNote_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  ShaftSketchWidget* sketch_ = nullptr;
  bool loading_ = false;
};

}  // namespace tolvane::app
