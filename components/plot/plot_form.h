// The plot window (an MDI child): the drawing of one plot, the "&Plot" menu, the movable legend
// list, zooming with the mouse, the read-out of the mouse position in the title, printing, page
// setup and saving the picture.
#pragma once

#include <QListWidget>
#include <QPrinter>
#include <QWidget>
#include <functional>
#include <memory>

#include "plot_dialogs.h"
#include "plot_form_state.h"
#include "plot_layout.h"

class QMenu;
class QMenuBar;
class QAction;
class QRubberBand;

namespace tolvane::plot {

class TPlotForm;

// The legend list: rows in palette colours with " *" for visible lines, moved by dragging,
// double-click toggling a curve.
class LegendList : public QListWidget {
  Q_OBJECT
 public:
  explicit LegendList(TPlotForm& form, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  TPlotForm& form_;
  bool dragLegend_ = false;
  QPoint dragPoint_;
};

// The drawing surface.
class PlotCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit PlotCanvas(TPlotForm& form, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TPlotForm& form_;
  bool zooming_ = false;
  QPoint zoomOrigin_;
  QRubberBand* band_ = nullptr;
};

class TPlotForm : public QWidget {
  Q_OBJECT
 public:
  // Opens on the plot; check Opened(): a plot whose bounds cannot be computed gives no window.
  explicit TPlotForm(TGraphPlot& plot, QWidget* parent = nullptr);
  ~TPlotForm() override;

  bool opened() const { return state_.opened(); }
  PlotFormState& formState() { return state_; }
  TGraphPlot& plot() { return state_.plot(); }
  QMenu* PlotMenu() { return plotMenu_; }
  QListWidget* Legend() { return legend_; }
  PlotCanvas* Canvas() { return canvas_; }
  // The window's drawing target.
  TDrawArea screenArea() const;
  // The on-screen legend's place, for pictures.
  LegendPlacement legendPlacement() const;

  // Margins of printing, thousandths of an inch.
  PageMargins margins;
  // Draws one page onto the printer with the printer layout.
  void printTo(QPrinter& printer);
  // Saves the picture with the attributes; false (with the message shown) when it fails.
  bool saveTo(const QString& file, const SaveAttributes& attributes);
  // Replaces the dialogs' warnings and messages (tests record them).
  void setWarningSink(WarningSink sink) { warn_ = std::move(sink); }

  // Commands of the menu (also used by the tests).
  void toggleCurveRow(int row);
  void applyFontSize(int value);
  void applyLineNames(const std::vector<std::string>& names);
  void applyActive(const std::vector<bool>& active);
  void applyGraphTitle(const std::string& title, bool onTop);
  void layOut();
  void repaintPlot();
  // The user drags the legend: it stays inside the canvas, no longer kept at the bottom right.
  void moveLegend(QPoint topLeft);

 private:
  void buildMenu();
  void buildCurveItems();
  void updateMenuState();
  void sizeLegend();
  void placeLegendAtBottomRight();
  void keepLegendInside(QPoint topLeft);
  void printPlot();
  void pageSetup();
  void saveToDisk();
  void editLegend();
  void activeCurves();
  void graphTitle();
  std::vector<std::string> allNames() const;

  PlotFormState state_;
  WarningSink warn_ = defaultWarningSink();
  QMenuBar* menuBar_ = nullptr;
  QMenu* plotMenu_ = nullptr;
  QMenu* markersMenu_ = nullptr;
  QAction* showLegend_ = nullptr;
  QAction* showLayers_ = nullptr;
  QAction* showWall_ = nullptr;
  QAction* fontSize_ = nullptr;
  QAction* lineWidth_ = nullptr;
  QAction* printItem_ = nullptr;
  QAction* pageSetupItem_ = nullptr;
  std::vector<QAction*> curveItems_;
  PlotCanvas* canvas_ = nullptr;
  LegendList* legend_ = nullptr;
  std::unique_ptr<QPrinter> printer_;
  bool legendMoved_ = false;
};

}  // namespace tolvane::plot
