// The elevation view "Elevation View": a child window of the main window with the picture on the
// left and the buttons "Print", "Omit Hatches" and "Close" on the right. It is rebuilt from the
// project each time it is activated.
#pragma once

#include <QWidget>

#include "side_view_geometry.h"

class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;

namespace tolvane::app {

class WindowHost;

class TDlgSideView;

// The client area: picture, resize and the depth read-out.
class SideViewCanvas : public QWidget {
 public:
  explicit SideViewCanvas(TDlgSideView& owner);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  TDlgSideView& owner_;
};

class TDlgSideView : public QWidget {
 public:
  explicit TDlgSideView(app::WindowHost& host, QWidget* parent = nullptr);

  // Rebuild from the project: pieces, ground offset, bell height, the default shaft length.
  void FormActivate();
  // "Print": the print dialog, then one landscape page.
  void printButtonClick();
  // The page on a printer set up by the caller (the dialog's choice or a PDF file).
  bool printTo(QPrinter& printer);

  const SideViewGeometry& sideGeometry() const { return geometry_; }
  SideViewGeometry& sideGeometry() { return geometry_; }
  bool omitHatches() const;
  QCheckBox* omitHatchesBox() const { return omitHatches_; }
  QWidget* Canvas() const { return canvas_; }
  // The main window's project, as the window reads it.
  app::WindowHost& host() const { return host_; }

  static constexpr const char* kTitle = "Elevation View";

 protected:
  bool event(QEvent* event) override;

 private:
  app::WindowHost& host_;
  SideViewGeometry geometry_;
  SideViewCanvas* canvas_ = nullptr;
  QCheckBox* omitHatches_ = nullptr;
  QLabel* printFont_ = nullptr;  // hidden: the font of the printed labels
};

}  // namespace tolvane::app
