#include "plot_form.h"

#include <QActionGroup>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QRubberBand>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "plot_files.h"
#include "plot_painter.h"

namespace tolvane::plot {
namespace {

constexpr const char* kLegendFontFamily = "Times New Roman";
constexpr int kLegendFontPixels = 15;  // the legend list's font height
constexpr int kLegendStartWidth = 21;  // pixels, before growing to the widest row
constexpr int kLegendFrame = 3;        // pixels added to the rows' height
constexpr int kLegendTextIndent = 4;   // pixels
constexpr double kThousandths = 1000;
constexpr int kQuarter = 4;

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

Pixel pixelOf(const QPoint& p) {
  return {p.x(), p.y()};
}

}  // namespace

LegendList::LegendList(TPlotForm& form, QWidget* parent) : QListWidget(parent), form_(form) {
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::NoFocus);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setStyleSheet(QString("QListWidget { background: white; } QListWidget::item { padding-left: "
                        "%1px; }")
                    .arg(kLegendTextIndent));
  QFont font(kLegendFontFamily);
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(kLegendFontPixels);
  setFont(font);
}

void LegendList::mousePressEvent(QMouseEvent* event) {
  dragLegend_ = event->button() == Qt::LeftButton;
  dragPoint_ = event->position().toPoint();
}

void LegendList::mouseMoveEvent(QMouseEvent* event) {
  if (!dragLegend_) return;
  form_.moveLegend(pos() + event->position().toPoint() - dragPoint_);
}

void LegendList::mouseReleaseEvent(QMouseEvent* /*event*/) {
  dragLegend_ = false;
}

void LegendList::mouseDoubleClickEvent(QMouseEvent* event) {
  dragLegend_ = false;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid()) form_.toggleCurveRow(index.row());
}

PlotCanvas::PlotCanvas(TPlotForm& form, QWidget* parent)
    : QWidget(parent), form_(form), band_(new QRubberBand(QRubberBand::Rectangle, this)) {
  setMouseTracking(true);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
}

void PlotCanvas::paintEvent(QPaintEvent* /*event*/) {
  if (form_.formState().stale()) return;
  QPainter painter(this);
  drawPlot(painter, form_.plot(), form_.screenArea(), form_.formState().LogicBounds());
}

void PlotCanvas::resizeEvent(QResizeEvent* /*event*/) {
  form_.layOut();
}

void PlotCanvas::mousePressEvent(QMouseEvent* event) {
  if (form_.formState().stale()) return;
  const QPoint at = event->position().toPoint();
  const TDrawArea area = form_.screenArea();
  if (!PlotFormState::insideCurveArea(area, pixelOf(at))) return;
  if (event->button() == Qt::LeftButton) {
    zooming_ = true;
    zoomOrigin_ = at;
    band_->setGeometry(QRect(at, QSize()));
    band_->show();
  } else if (event->button() == Qt::RightButton) {
    form_.formState().zoomOutAt(area, pixelOf(at));
    form_.repaintPlot();
  }
}

void PlotCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (form_.formState().stale()) return;
  const QPoint at = event->position().toPoint();
  form_.setWindowTitle(q(form_.formState().readOutTitle(form_.screenArea(), pixelOf(at))));
  if (zooming_) band_->setGeometry(QRect(zoomOrigin_, at).normalized());
}

void PlotCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (!zooming_ || event->button() != Qt::LeftButton) return;
  zooming_ = false;
  band_->hide();
  if (form_.formState().stale()) return;
  form_.formState().zoomTo(form_.screenArea(), pixelOf(zoomOrigin_),
                           pixelOf(event->position().toPoint()));
  form_.repaintPlot();
}

TPlotForm::TPlotForm(TGraphPlot& plot, QWidget* parent) : QWidget(parent), state_(plot) {
  setWindowTitle(kPlotFormTitle);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  menuBar_ = new QMenuBar(this);
  layout->setMenuBar(menuBar_);
  canvas_ = new PlotCanvas(*this, this);
  layout->addWidget(canvas_);
  legend_ = new LegendList(*this, canvas_);
  if (!state_.opened()) return;
  plot.FormExists = true;
  plot.LegendFont = legend_->font().pixelSize() * 72 / canvas_->logicalDpiY();
  buildMenu();
  buildCurveItems();
  sizeLegend();
  legend_->setVisible(plot.LineCount() > 0 && plot.ShowLegend);
}

TPlotForm::~TPlotForm() {
  state_.plot().FormExists = false;
}

TDrawArea TPlotForm::screenArea() const {
  return layoutTarget(state_.plot(), DrawTarget::kScreen,
                      {0, 0, canvas_->width(), canvas_->height()},
                      {canvas_->logicalDpiX(), canvas_->logicalDpiY()});
}

LegendPlacement TPlotForm::legendPlacement() const {
  return {legend_->x(), legend_->y(), std::max(canvas_->width(), 1),
          std::max(canvas_->height(), 1)};
}

void TPlotForm::buildMenu() {
  plotMenu_ = menuBar_->addMenu("&Plot");
  // Only the plot window that has the focus answers, not every one of the main window.
  auto* popup =
      new QShortcut(QKeySequence("Ctrl+Z"), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
  connect(popup, &QShortcut::activated, this,
          [this] { plotMenu_->popup(menuBar_->mapToGlobal(menuBar_->rect().bottomLeft())); });
  showLegend_ = plotMenu_->addAction("Show &Legend");
  showLegend_->setCheckable(true);
  connect(showLegend_, &QAction::triggered, this, [this] {
    state_.toggleLegend();
    legend_->setVisible(plot().LineCount() > 0 && plot().ShowLegend);
  });
  showLayers_ = plotMenu_->addAction("Show &Soil Layer");
  showLayers_->setCheckable(true);
  connect(showLayers_, &QAction::triggered, this, [this] {
    state_.toggleLayers();
    layOut();
  });
  showWall_ = plotMenu_->addAction("Show &Wall Geometry");
  markersMenu_ = plotMenu_->addMenu("Show &Markers");
  auto* markers = new QActionGroup(markersMenu_);
  for (const MenuValue& item : kMarkerItems) {
    QAction* action = markersMenu_->addAction(item.Caption);
    action->setCheckable(true);
    action->setData(item.Value);
    markers->addAction(action);
    connect(action, &QAction::triggered, this, [this, v = item.Value] {
      state_.setMarkers(v);
      repaintPlot();
    });
    if (item.Value == 0) markersMenu_->addSeparator();
  }
  connect(markersMenu_, &QMenu::aboutToShow, this, [this] {
    for (QAction* action : markersMenu_->actions()) {
      if (action->isCheckable()) action->setChecked(action->data().toInt() == plot().Markers);
    }
  });
  QMenu* fonts = plotMenu_->addMenu("&Font Size");
  fontSize_ = fonts->menuAction();
  for (const MenuValue& item : kFontSizeItems) {
    connect(fonts->addAction(item.Caption), &QAction::triggered, this,
            [this, v = item.Value] { applyFontSize(v); });
    if (item.Value == kFontSizeItems[0].Value) fonts->addSeparator();
  }
  QMenu* widths = plotMenu_->addMenu("&Line Width");
  lineWidth_ = widths->menuAction();
  for (const MenuValue& item : kLineWidthItems) {
    connect(widths->addAction(item.Caption), &QAction::triggered, this, [this, v = item.Value] {
      state_.setLineWidth(v);
      repaintPlot();
    });
    if (item.Value == kLineWidthItems[0].Value) widths->addSeparator();
  }
  connect(plotMenu_->addAction("&Graph Title"), &QAction::triggered, this, &TPlotForm::graphTitle);
  connect(plotMenu_->addAction("&Edit Legend"), &QAction::triggered, this, &TPlotForm::editLegend);
  connect(plotMenu_->addAction("&Active Curves"), &QAction::triggered, this,
          &TPlotForm::activeCurves);
  plotMenu_->addSeparator();
  printItem_ = plotMenu_->addAction("&Print...");
  pageSetupItem_ = plotMenu_->addAction("P&age Setup");
  connect(printItem_, &QAction::triggered, this, &TPlotForm::printPlot);
  connect(pageSetupItem_, &QAction::triggered, this, &TPlotForm::pageSetup);
  connect(plotMenu_->addAction("&Save To Disk..."), &QAction::triggered, this,
          &TPlotForm::saveToDisk);
  plotMenu_->addSeparator();
  const bool printing =
      printingAvailable(static_cast<int>(QPrinterInfo::availablePrinters().size()), true);
  printItem_->setEnabled(printing);
  pageSetupItem_->setEnabled(printing);
  connect(plotMenu_, &QMenu::aboutToShow, this, &TPlotForm::updateMenuState);
  updateMenuState();
}

void TPlotForm::updateMenuState() {
  showLegend_->setChecked(plot().ShowLegend);
  showLayers_->setChecked(plot().ShowLayers);
  showLayers_->setVisible(state_.soilLayerItemVisible());
  showWall_->setVisible(state_.wallItemVisible());
  fontSize_->setVisible(state_.fontAndWidthVisible());
  lineWidth_->setVisible(state_.fontAndWidthVisible());
  for (size_t r = 0; r < curveItems_.size(); ++r) {
    curveItems_[r]->setChecked(plot().line(curveItems_[r]->data().toInt()).Visible);
  }
}

void TPlotForm::buildCurveItems() {
  for (QAction* action : curveItems_) {
    plotMenu_->removeAction(action);
    delete action;
  }
  curveItems_.clear();
  legend_->clear();
  const std::vector<int>& lines = state_.legendLines();
  for (size_t r = 0; r < lines.size(); ++r) {
    const TLine& line = plot().line(lines[r]);
    QAction* action = plotMenu_->addAction(q(line.LineName()));
    action->setCheckable(true);
    action->setChecked(line.Visible);
    action->setData(lines[r]);
    const int row = static_cast<int>(r);
    connect(action, &QAction::triggered, this, [this, row] { toggleCurveRow(row); });
    curveItems_.push_back(action);
    auto* item = new QListWidgetItem(q(state_.legendText(row)), legend_);
    item->setForeground(QColor::fromRgb(paletteColour(row)));
  }
}

void TPlotForm::sizeLegend() {
  const QFontMetrics metrics(legend_->font());
  const int rowHeight = std::max(legend_->font().pixelSize() * 3 / 2, metrics.height());
  int widest = 0;
  for (int r = 0; r < legend_->count(); ++r) {
    legend_->item(r)->setSizeHint(QSize(0, rowHeight));
    const std::string name = plot().line(state_.legendLines()[static_cast<size_t>(r)]).LineName();
    widest = std::max(widest, metrics.horizontalAdvance(q(name + " *")));
  }
  const int width =
      std::max(kLegendStartWidth, widest + canvas_->logicalDpiX() / kQuarter + kLegendTextIndent);
  const int height = legend_->count() * rowHeight + kLegendFrame;
  legend_->resize(width, std::min(height, std::max(canvas_->height(), rowHeight)));
}

void TPlotForm::placeLegendAtBottomRight() {
  const TDrawArea area = screenArea();
  keepLegendInside(
      QPoint(area.GraphArea.Right - legend_->width(), area.GraphArea.Bottom - legend_->height()));
}

void TPlotForm::moveLegend(QPoint topLeft) {
  legendMoved_ = true;
  keepLegendInside(topLeft);
}

void TPlotForm::keepLegendInside(QPoint topLeft) {
  const int x = std::clamp(topLeft.x(), 0, std::max(0, canvas_->width() - legend_->width()));
  const int y = std::clamp(topLeft.y(), 0, std::max(0, canvas_->height() - legend_->height()));
  legend_->move(x, y);
}

void TPlotForm::layOut() {
  if (!state_.opened()) return;
  if (state_.stale()) {
    QTimer::singleShot(0, this, [this] {
      if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
      } else {
        close();
      }
    });
    return;
  }
  sizeLegend();
  // Until the user drags it, the legend keeps to the bottom right of the curve area.
  if (legendMoved_) {
    keepLegendInside(legend_->pos());
  } else {
    placeLegendAtBottomRight();
  }
  repaintPlot();
}

void TPlotForm::repaintPlot() {
  canvas_->update();
  for (int r = 0; r < legend_->count(); ++r) legend_->item(r)->setText(q(state_.legendText(r)));
}

void TPlotForm::toggleCurveRow(int row) {
  if (state_.stale()) return;
  state_.toggleCurve(row);
  if (row >= 0 && row < static_cast<int>(curveItems_.size())) {
    curveItems_[static_cast<size_t>(row)]->setChecked(
        plot().line(state_.legendLines()[static_cast<size_t>(row)]).Visible);
  }
  repaintPlot();
}

void TPlotForm::applyFontSize(int value) {
  const int legendSize = state_.setFontSize(value);
  QFont font = legend_->font();
  font.setPixelSize(std::max(1, legendSize * canvas_->logicalDpiY() / 72));
  legend_->setFont(font);
  layOut();
}

void TPlotForm::applyLineNames(const std::vector<std::string>& names) {
  state_.setLineNames(names);
  for (size_t r = 0; r < curveItems_.size(); ++r) {
    curveItems_[r]->setText(q(plot().line(state_.legendLines()[r]).LineName()));
  }
  sizeLegend();
  keepLegendInside(legend_->pos());
  repaintPlot();
}

void TPlotForm::applyActive(const std::vector<bool>& active) {
  state_.setActive(active);
  buildCurveItems();
  sizeLegend();
  keepLegendInside(legend_->pos());
  repaintPlot();
}

void TPlotForm::applyGraphTitle(const std::string& title, bool onTop) {
  state_.setGraphTitle(title, onTop);
  layOut();
}

std::vector<std::string> TPlotForm::allNames() const {
  std::vector<std::string> names;
  for (int n = 0; n < state_.plot().LineCount(); ++n) {
    names.push_back(state_.plot().line(n).LineName());
  }
  return names;
}

void TPlotForm::graphTitle() {
  TfrmGraphCaption dialog(plot().UserCaption, plot().UserCaptionOnTop, this);
  dialog.exec();
  applyGraphTitle(dialog.Title(), dialog.onTop());
}

void TPlotForm::editLegend() {
  TfrmLineNames dialog(allNames(), this, warn_);
  if (dialog.exec() == QDialog::Accepted) applyLineNames(dialog.Names());
}

void TPlotForm::activeCurves() {
  std::vector<bool> active;
  for (int n = 0; n < plot().LineCount(); ++n) active.push_back(plot().line(n).Active);
  TfrmActiveLines dialog(allNames(), active, this);
  if (dialog.exec() == QDialog::Accepted) applyActive(dialog.Active());
}

void TPlotForm::printTo(QPrinter& printer) {
  printer.setFullPage(true);
  printer.setDocName(q(plot().Caption));
  QPainter painter;
  if (!painter.begin(&printer)) {
    warn_(this, "The printer cannot be started.");
    return;
  }
  const Pixel ppi{printer.logicalDpiX(), printer.logicalDpiY()};
  const QRect page = printer.pageLayout().fullRectPixels(printer.resolution());
  drawPrintedPage(painter, plot(), state_.LogicBounds(), ppi, page.width(), page.height(), margins,
                  legendPlacement());
  painter.end();
  repaintPlot();
}

void TPlotForm::printPlot() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(printer_.get(), this);
  if (dialog.exec() == QDialog::Accepted) printTo(*printer_);
}

void TPlotForm::pageSetup() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setPageMargins(QMarginsF(margins.Left / kThousandths, margins.Top / kThousandths,
                                     margins.Right / kThousandths, margins.Bottom / kThousandths),
                           QPageLayout::Inch);
  QPageSetupDialog dialog(printer_.get(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  const QMarginsF m = printer_->pageLayout().margins(QPageLayout::Inch);
  const auto thousandths = [](double inches) {
    return static_cast<int>(std::nearbyint(inches * kThousandths));
  };
  margins = {thousandths(m.left()), thousandths(m.top()), thousandths(m.right()),
             thousandths(m.bottom())};
}

bool TPlotForm::saveTo(const QString& file, const SaveAttributes& attributes) {
  const std::optional<PictureFormat> format =
      pictureFormatFromName(QFileInfo(file).suffix().toStdString());
  const std::optional<Pixel> size = savedImageSize(attributes);
  const PictureFormat chosen = format.value_or(PictureFormat::kBmp);
  const bool raster = chosen == PictureFormat::kBmp || chosen == PictureFormat::kPng;
  if (!size || (raster && QImage(size->x, size->y, QImage::Format_RGB32).isNull())) {
    warn_(this, kNotEnoughMemoryMessage);
    return false;
  }
  const PictureSize picture{size->x, size->y, canvas_->logicalDpiX()};
  if (!savePlotPicture(plot(), state_.LogicBounds(), file, chosen, picture, legendPlacement())) {
    warn_(this, "The file " + file + " cannot be written.");
    return false;
  }
  return true;
}

void TPlotForm::saveToDisk() {
  QString filter = "Bitmap (*.bmp)";
  QString file = QFileDialog::getSaveFileName(
      this, "Save To Disk", QString(),
      "Bitmap (*.bmp);;PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)", &filter);
  if (file.isEmpty()) return;
  if (QFileInfo(file).suffix().isEmpty()) {
    file += "." + filter.section("*.", 1).section(')', 0, 0);
  }
  TdlgFormat dialog(this, warn_);
  if (dialog.exec() != QDialog::Accepted) return;
  if (const std::optional<SaveAttributes> a = dialog.attributes()) saveTo(file, *a);
}

}  // namespace tolvane::plot
