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

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

TPixel PixelOf(const QPoint& p) {
  return {p.x(), p.y()};
}

}  // namespace

TLegendList::TLegendList(TPlotForm& form, QWidget* parent) : QListWidget(parent), Form_(form) {
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

void TLegendList::mousePressEvent(QMouseEvent* event) {
  DragLegend_ = event->button() == Qt::LeftButton;
  DragPoint_ = event->position().toPoint();
}

void TLegendList::mouseMoveEvent(QMouseEvent* event) {
  if (!DragLegend_) return;
  Form_.MoveLegend(pos() + event->position().toPoint() - DragPoint_);
}

void TLegendList::mouseReleaseEvent(QMouseEvent* /*event*/) {
  DragLegend_ = false;
}

void TLegendList::mouseDoubleClickEvent(QMouseEvent* event) {
  DragLegend_ = false;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid()) Form_.ToggleCurveRow(index.row());
}

TPlotCanvas::TPlotCanvas(TPlotForm& form, QWidget* parent)
    : QWidget(parent), Form_(form), Band_(new QRubberBand(QRubberBand::Rectangle, this)) {
  setMouseTracking(true);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
}

void TPlotCanvas::paintEvent(QPaintEvent* /*event*/) {
  if (Form_.State().Stale()) return;
  QPainter painter(this);
  DrawPlot(painter, Form_.Plot(), Form_.ScreenArea(), Form_.State().LogicBounds());
}

void TPlotCanvas::resizeEvent(QResizeEvent* /*event*/) {
  Form_.LayOut();
}

void TPlotCanvas::mousePressEvent(QMouseEvent* event) {
  if (Form_.State().Stale()) return;
  const QPoint at = event->position().toPoint();
  const TDrawArea area = Form_.ScreenArea();
  if (!TPlotFormState::InsideCurveArea(area, PixelOf(at))) return;
  if (event->button() == Qt::LeftButton) {
    Zooming_ = true;
    ZoomOrigin_ = at;
    Band_->setGeometry(QRect(at, QSize()));
    Band_->show();
  } else if (event->button() == Qt::RightButton) {
    Form_.State().ZoomOutAt(area, PixelOf(at));
    Form_.Repaint();
  }
}

void TPlotCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (Form_.State().Stale()) return;
  const QPoint at = event->position().toPoint();
  Form_.setWindowTitle(Q(Form_.State().ReadOutTitle(Form_.ScreenArea(), PixelOf(at))));
  if (Zooming_) Band_->setGeometry(QRect(ZoomOrigin_, at).normalized());
}

void TPlotCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (!Zooming_ || event->button() != Qt::LeftButton) return;
  Zooming_ = false;
  Band_->hide();
  if (Form_.State().Stale()) return;
  Form_.State().ZoomTo(Form_.ScreenArea(), PixelOf(ZoomOrigin_),
                       PixelOf(event->position().toPoint()));
  Form_.Repaint();
}

TPlotForm::TPlotForm(TGraphPlot& plot, QWidget* parent) : QWidget(parent), State_(plot) {
  setWindowTitle(kPlotFormTitle);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  MenuBar_ = new QMenuBar(this);
  layout->setMenuBar(MenuBar_);
  Canvas_ = new TPlotCanvas(*this, this);
  layout->addWidget(Canvas_);
  Legend_ = new TLegendList(*this, Canvas_);
  if (!State_.Opened()) return;
  plot.FormExists = true;
  plot.LegendFont = Legend_->font().pixelSize() * 72 / Canvas_->logicalDpiY();
  BuildMenu();
  BuildCurveItems();
  SizeLegend();
  Legend_->setVisible(plot.LineCount() > 0 && plot.ShowLegend);
}

TPlotForm::~TPlotForm() {
  State_.Plot().FormExists = false;
}

TDrawArea TPlotForm::ScreenArea() const {
  return LayoutTarget(State_.Plot(), TDrawTarget::kScreen,
                      {0, 0, Canvas_->width(), Canvas_->height()},
                      {Canvas_->logicalDpiX(), Canvas_->logicalDpiY()});
}

TLegendPlacement TPlotForm::LegendPlacement() const {
  return {Legend_->x(), Legend_->y(), std::max(Canvas_->width(), 1),
          std::max(Canvas_->height(), 1)};
}

void TPlotForm::BuildMenu() {
  PlotMenu_ = MenuBar_->addMenu("&Plot");
  // Only the plot window that has the focus answers, not every one of the main window.
  auto* popup =
      new QShortcut(QKeySequence("Ctrl+Z"), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
  connect(popup, &QShortcut::activated, this,
          [this] { PlotMenu_->popup(MenuBar_->mapToGlobal(MenuBar_->rect().bottomLeft())); });
  ShowLegend_ = PlotMenu_->addAction("Show &Legend");
  ShowLegend_->setCheckable(true);
  connect(ShowLegend_, &QAction::triggered, this, [this] {
    State_.ToggleLegend();
    Legend_->setVisible(Plot().LineCount() > 0 && Plot().ShowLegend);
  });
  ShowLayers_ = PlotMenu_->addAction("Show &Soil Layer");
  ShowLayers_->setCheckable(true);
  connect(ShowLayers_, &QAction::triggered, this, [this] {
    State_.ToggleLayers();
    LayOut();
  });
  ShowWall_ = PlotMenu_->addAction("Show &Wall Geometry");
  MarkersMenu_ = PlotMenu_->addMenu("Show &Markers");
  auto* markers = new QActionGroup(MarkersMenu_);
  for (const TMenuValue& item : kMarkerItems) {
    QAction* action = MarkersMenu_->addAction(item.Caption);
    action->setCheckable(true);
    action->setData(item.Value);
    markers->addAction(action);
    connect(action, &QAction::triggered, this, [this, v = item.Value] {
      State_.SetMarkers(v);
      Repaint();
    });
    if (item.Value == 0) MarkersMenu_->addSeparator();
  }
  connect(MarkersMenu_, &QMenu::aboutToShow, this, [this] {
    for (QAction* action : MarkersMenu_->actions()) {
      if (action->isCheckable()) action->setChecked(action->data().toInt() == Plot().Markers);
    }
  });
  QMenu* fonts = PlotMenu_->addMenu("&Font Size");
  FontSize_ = fonts->menuAction();
  for (const TMenuValue& item : kFontSizeItems) {
    connect(fonts->addAction(item.Caption), &QAction::triggered, this,
            [this, v = item.Value] { ApplyFontSize(v); });
    if (item.Value == kFontSizeItems[0].Value) fonts->addSeparator();
  }
  QMenu* widths = PlotMenu_->addMenu("&Line Width");
  LineWidth_ = widths->menuAction();
  for (const TMenuValue& item : kLineWidthItems) {
    connect(widths->addAction(item.Caption), &QAction::triggered, this, [this, v = item.Value] {
      State_.SetLineWidth(v);
      Repaint();
    });
    if (item.Value == kLineWidthItems[0].Value) widths->addSeparator();
  }
  connect(PlotMenu_->addAction("&Graph Title"), &QAction::triggered, this, &TPlotForm::GraphTitle);
  connect(PlotMenu_->addAction("&Edit Legend"), &QAction::triggered, this, &TPlotForm::EditLegend);
  connect(PlotMenu_->addAction("&Active Curves"), &QAction::triggered, this,
          &TPlotForm::ActiveCurves);
  PlotMenu_->addSeparator();
  PrintItem_ = PlotMenu_->addAction("&Print...");
  PageSetupItem_ = PlotMenu_->addAction("P&age Setup");
  connect(PrintItem_, &QAction::triggered, this, &TPlotForm::Print);
  connect(PageSetupItem_, &QAction::triggered, this, &TPlotForm::PageSetup);
  connect(PlotMenu_->addAction("&Save To Disk..."), &QAction::triggered, this,
          &TPlotForm::SaveToDisk);
  PlotMenu_->addSeparator();
  const bool printing =
      PrintingAvailable(static_cast<int>(QPrinterInfo::availablePrinters().size()), true);
  PrintItem_->setEnabled(printing);
  PageSetupItem_->setEnabled(printing);
  connect(PlotMenu_, &QMenu::aboutToShow, this, &TPlotForm::UpdateMenuState);
  UpdateMenuState();
}

void TPlotForm::UpdateMenuState() {
  ShowLegend_->setChecked(Plot().ShowLegend);
  ShowLayers_->setChecked(Plot().ShowLayers);
  ShowLayers_->setVisible(State_.SoilLayerItemVisible());
  ShowWall_->setVisible(State_.WallItemVisible());
  FontSize_->setVisible(State_.FontAndWidthVisible());
  LineWidth_->setVisible(State_.FontAndWidthVisible());
  for (size_t r = 0; r < CurveItems_.size(); ++r) {
    CurveItems_[r]->setChecked(Plot().Line(CurveItems_[r]->data().toInt()).Visible);
  }
}

void TPlotForm::BuildCurveItems() {
  for (QAction* action : CurveItems_) {
    PlotMenu_->removeAction(action);
    delete action;
  }
  CurveItems_.clear();
  Legend_->clear();
  const std::vector<int>& lines = State_.LegendLines();
  for (size_t r = 0; r < lines.size(); ++r) {
    const TLine& line = Plot().Line(lines[r]);
    QAction* action = PlotMenu_->addAction(Q(line.LineName()));
    action->setCheckable(true);
    action->setChecked(line.Visible);
    action->setData(lines[r]);
    const int row = static_cast<int>(r);
    connect(action, &QAction::triggered, this, [this, row] { ToggleCurveRow(row); });
    CurveItems_.push_back(action);
    auto* item = new QListWidgetItem(Q(State_.LegendText(row)), Legend_);
    item->setForeground(QColor::fromRgb(PaletteColour(row)));
  }
}

void TPlotForm::SizeLegend() {
  const QFontMetrics metrics(Legend_->font());
  const int row_height = std::max(Legend_->font().pixelSize() * 3 / 2, metrics.height());
  int widest = 0;
  for (int r = 0; r < Legend_->count(); ++r) {
    Legend_->item(r)->setSizeHint(QSize(0, row_height));
    const std::string name = Plot().Line(State_.LegendLines()[static_cast<size_t>(r)]).LineName();
    widest = std::max(widest, metrics.horizontalAdvance(Q(name + " *")));
  }
  const int width =
      std::max(kLegendStartWidth, widest + Canvas_->logicalDpiX() / kQuarter + kLegendTextIndent);
  const int height = Legend_->count() * row_height + kLegendFrame;
  Legend_->resize(width, std::min(height, std::max(Canvas_->height(), row_height)));
}

void TPlotForm::PlaceLegendAtBottomRight() {
  const TDrawArea area = ScreenArea();
  KeepLegendInside(
      QPoint(area.GraphArea.Right - Legend_->width(), area.GraphArea.Bottom - Legend_->height()));
}

void TPlotForm::MoveLegend(QPoint top_left) {
  LegendMoved_ = true;
  KeepLegendInside(top_left);
}

void TPlotForm::KeepLegendInside(QPoint top_left) {
  const int x = std::clamp(top_left.x(), 0, std::max(0, Canvas_->width() - Legend_->width()));
  const int y = std::clamp(top_left.y(), 0, std::max(0, Canvas_->height() - Legend_->height()));
  Legend_->move(x, y);
}

void TPlotForm::LayOut() {
  if (!State_.Opened()) return;
  if (State_.Stale()) {
    QTimer::singleShot(0, this, [this] {
      if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
      } else {
        close();
      }
    });
    return;
  }
  SizeLegend();
  // Until the user drags it, the legend keeps to the bottom right of the curve area.
  if (LegendMoved_) {
    KeepLegendInside(Legend_->pos());
  } else {
    PlaceLegendAtBottomRight();
  }
  Repaint();
}

void TPlotForm::Repaint() {
  Canvas_->update();
  for (int r = 0; r < Legend_->count(); ++r) Legend_->item(r)->setText(Q(State_.LegendText(r)));
}

void TPlotForm::ToggleCurveRow(int row) {
  if (State_.Stale()) return;
  State_.ToggleCurve(row);
  if (row >= 0 && row < static_cast<int>(CurveItems_.size())) {
    CurveItems_[static_cast<size_t>(row)]->setChecked(
        Plot().Line(State_.LegendLines()[static_cast<size_t>(row)]).Visible);
  }
  Repaint();
}

void TPlotForm::ApplyFontSize(int value) {
  const int legend_size = State_.SetFontSize(value);
  QFont font = Legend_->font();
  font.setPixelSize(std::max(1, legend_size * Canvas_->logicalDpiY() / 72));
  Legend_->setFont(font);
  LayOut();
}

void TPlotForm::ApplyLineNames(const std::vector<std::string>& names) {
  State_.SetLineNames(names);
  for (size_t r = 0; r < CurveItems_.size(); ++r) {
    CurveItems_[r]->setText(Q(Plot().Line(State_.LegendLines()[r]).LineName()));
  }
  SizeLegend();
  KeepLegendInside(Legend_->pos());
  Repaint();
}

void TPlotForm::ApplyActive(const std::vector<bool>& active) {
  State_.SetActive(active);
  BuildCurveItems();
  SizeLegend();
  KeepLegendInside(Legend_->pos());
  Repaint();
}

void TPlotForm::ApplyGraphTitle(const std::string& title, bool on_top) {
  State_.SetGraphTitle(title, on_top);
  LayOut();
}

std::vector<std::string> TPlotForm::AllNames() const {
  std::vector<std::string> names;
  for (int n = 0; n < State_.Plot().LineCount(); ++n) {
    names.push_back(State_.Plot().Line(n).LineName());
  }
  return names;
}

void TPlotForm::GraphTitle() {
  TfrmGraphCaption dialog(Plot().UserCaption, Plot().UserCaptionOnTop, this);
  dialog.exec();
  ApplyGraphTitle(dialog.Title(), dialog.OnTop());
}

void TPlotForm::EditLegend() {
  TfrmLineNames dialog(AllNames(), this, Warn_);
  if (dialog.exec() == QDialog::Accepted) ApplyLineNames(dialog.Names());
}

void TPlotForm::ActiveCurves() {
  std::vector<bool> active;
  for (int n = 0; n < Plot().LineCount(); ++n) active.push_back(Plot().Line(n).Active);
  TfrmActiveLines dialog(AllNames(), active, this);
  if (dialog.exec() == QDialog::Accepted) ApplyActive(dialog.Active());
}

void TPlotForm::PrintTo(QPrinter& printer) {
  printer.setFullPage(true);
  printer.setDocName(Q(Plot().Caption));
  QPainter painter;
  if (!painter.begin(&printer)) {
    Warn_(this, "The printer cannot be started.");
    return;
  }
  const TPixel ppi{printer.logicalDpiX(), printer.logicalDpiY()};
  const QRect page = printer.pageLayout().fullRectPixels(printer.resolution());
  DrawPrintedPage(painter, Plot(), State_.LogicBounds(), ppi, page.width(), page.height(), Margins,
                  LegendPlacement());
  painter.end();
  Repaint();
}

void TPlotForm::Print() {
  if (!Printer_) Printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(Printer_.get(), this);
  if (dialog.exec() == QDialog::Accepted) PrintTo(*Printer_);
}

void TPlotForm::PageSetup() {
  if (!Printer_) Printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  Printer_->setPageMargins(QMarginsF(Margins.Left / kThousandths, Margins.Top / kThousandths,
                                     Margins.Right / kThousandths, Margins.Bottom / kThousandths),
                           QPageLayout::Inch);
  QPageSetupDialog dialog(Printer_.get(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  const QMarginsF m = Printer_->pageLayout().margins(QPageLayout::Inch);
  const auto thousandths = [](double inches) {
    return static_cast<int>(std::nearbyint(inches * kThousandths));
  };
  Margins = {thousandths(m.left()), thousandths(m.top()), thousandths(m.right()),
             thousandths(m.bottom())};
}

bool TPlotForm::SaveTo(const QString& file, const TSaveAttributes& attributes) {
  const std::optional<TPictureFormat> format =
      PictureFormatFromName(QFileInfo(file).suffix().toStdString());
  const std::optional<TPixel> size = SavedImageSize(attributes);
  const TPictureFormat chosen = format.value_or(TPictureFormat::kBmp);
  const bool raster = chosen == TPictureFormat::kBmp || chosen == TPictureFormat::kPng;
  if (!size || (raster && QImage(size->x, size->y, QImage::Format_RGB32).isNull())) {
    Warn_(this, kNotEnoughMemoryMessage);
    return false;
  }
  const TPictureSize picture{size->x, size->y, Canvas_->logicalDpiX()};
  if (!SavePlotPicture(Plot(), State_.LogicBounds(), file, chosen, picture, LegendPlacement())) {
    Warn_(this, "The file " + file + " cannot be written.");
    return false;
  }
  return true;
}

void TPlotForm::SaveToDisk() {
  QString filter = "Bitmap (*.bmp)";
  QString file = QFileDialog::getSaveFileName(
      this, "Save To Disk", QString(),
      "Bitmap (*.bmp);;PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)", &filter);
  if (file.isEmpty()) return;
  if (QFileInfo(file).suffix().isEmpty()) {
    file += "." + filter.section("*.", 1).section(')', 0, 0);
  }
  TdlgFormat dialog(this, Warn_);
  if (dialog.exec() != QDialog::Accepted) return;
  if (const std::optional<TSaveAttributes> a = dialog.Attributes()) SaveTo(file, *a);
}

}  // namespace tolvane::plot
