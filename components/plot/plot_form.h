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
class TLegendList : public QListWidget {
  Q_OBJECT
 public:
  explicit TLegendList(TPlotForm& form, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  TPlotForm& Form_;
  bool DragLegend_ = false;
  QPoint DragPoint_;
};

// The drawing surface.
class TPlotCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit TPlotCanvas(TPlotForm& form, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TPlotForm& Form_;
  bool Zooming_ = false;
  QPoint ZoomOrigin_;
  QRubberBand* Band_ = nullptr;
};

class TPlotForm : public QWidget {
  Q_OBJECT
 public:
  // Opens on the plot; check Opened(): a plot whose bounds cannot be computed gives no window.
  explicit TPlotForm(TGraphPlot& plot, QWidget* parent = nullptr);
  ~TPlotForm() override;

  bool Opened() const { return State_.Opened(); }
  TPlotFormState& State() { return State_; }
  TGraphPlot& Plot() { return State_.Plot(); }
  QMenu* PlotMenu() { return PlotMenu_; }
  QListWidget* Legend() { return Legend_; }
  TPlotCanvas* Canvas() { return Canvas_; }
  // The window's drawing target.
  TDrawArea ScreenArea() const;
  // The on-screen legend's place, for pictures.
  TLegendPlacement LegendPlacement() const;

  // Margins of printing, thousandths of an inch.
  TPageMargins Margins;
  // Draws one page onto the printer with the printer layout.
  void PrintTo(QPrinter& printer);
  // Saves the picture with the attributes; false (with the message shown) when it fails.
  bool SaveTo(const QString& file, const TSaveAttributes& attributes);
  // Replaces the dialogs' warnings and messages (tests record them).
  void SetWarningSink(TWarningSink sink) { Warn_ = std::move(sink); }

  // Commands of the menu (also used by the tests).
  void ToggleCurveRow(int row);
  void ApplyFontSize(int value);
  void ApplyLineNames(const std::vector<std::string>& names);
  void ApplyActive(const std::vector<bool>& active);
  void ApplyGraphTitle(const std::string& title, bool on_top);
  void LayOut();
  void Repaint();
  // The user drags the legend: it stays inside the canvas, no longer kept at the bottom right.
  void MoveLegend(QPoint top_left);

 private:
  void BuildMenu();
  void BuildCurveItems();
  void UpdateMenuState();
  void SizeLegend();
  void PlaceLegendAtBottomRight();
  void KeepLegendInside(QPoint top_left);
  void Print();
  void PageSetup();
  void SaveToDisk();
  void EditLegend();
  void ActiveCurves();
  void GraphTitle();
  std::vector<std::string> AllNames() const;

  TPlotFormState State_;
  TWarningSink Warn_ = DefaultWarningSink();
  QMenuBar* MenuBar_ = nullptr;
  QMenu* PlotMenu_ = nullptr;
  QMenu* MarkersMenu_ = nullptr;
  QAction* ShowLegend_ = nullptr;
  QAction* ShowLayers_ = nullptr;
  QAction* ShowWall_ = nullptr;
  QAction* FontSize_ = nullptr;
  QAction* LineWidth_ = nullptr;
  QAction* PrintItem_ = nullptr;
  QAction* PageSetupItem_ = nullptr;
  std::vector<QAction*> CurveItems_;
  TPlotCanvas* Canvas_ = nullptr;
  TLegendList* Legend_ = nullptr;
  std::unique_ptr<QPrinter> Printer_;
  bool LegendMoved_ = false;
};

}  // namespace tolvane::plot
