#include "export_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QUrl>
#include <QVBoxLayout>

#include "plot_workbook.h"

namespace tolvane::plot {
namespace {

constexpr int kVisibleRows = 16;  // the list shows the 16 plots other than the design charts

QString withLineFeeds(const std::string& text) {
  return QString::fromStdString(text).replace('\r', '\n');
}

QString chooseWorkbook(QWidget* parent) {
  QString file =
      QFileDialog::getSaveFileName(parent, "Export to Excel", QString(), "Excel Workbook (*.xlsx)");
  if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty()) file += ".xlsx";
  return file;
}

void showMessage(QWidget* parent, const QString& text, bool failed) {
  if (failed) {
    QMessageBox::critical(parent, "Export to Excel", text);
  } else {
    QMessageBox::information(parent, "Export to Excel", text);
  }
}

}  // namespace

TDlgExport::TDlgExport(PlotSource plots, QWidget* parent)
    : QWidget(parent, Qt::Window),
      plots_(std::move(plots)),
      choose_(chooseWorkbook),
      message_(showMessage),
      list_(new QListWidget),
      generate_(new QPushButton("Generate Excel File")),
      markers_(new QCheckBox("Add markers in plots")) {
  setWindowTitle("Export to Excel");
  auto* layout = new QHBoxLayout(this);
  auto* group = new QGroupBox("Available Plots");
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(list_);
  layout->addWidget(group, 1);
  auto* side = new QVBoxLayout;
  auto* selectAll = new QPushButton("Select All");
  auto* unselectAll = new QPushButton("Unselect All");
  auto* closeWindow = new QPushButton("Close Window");
  side->addWidget(selectAll);
  side->addWidget(unselectAll);
  side->addWidget(generate_);
  side->addWidget(closeWindow);
  markers_->setChecked(true);
  side->addWidget(markers_);
  for (const char* note : {"An Excel instance (if available) will open. ",
                           "Please wait until all the data has been exported to Excel.",
                           "Please note that you need to save the excel file afterwards."}) {
    auto* label = new QLabel(note);
    label->setWordWrap(true);
    side->addWidget(label);
  }
  side->addStretch(1);
  layout->addLayout(side);
  connect(selectAll, &QPushButton::clicked, this, [this] { checkAll(true); });
  connect(unselectAll, &QPushButton::clicked, this, [this] { checkAll(false); });
  connect(closeWindow, &QPushButton::clicked, this, &QWidget::close);
  connect(generate_, &QPushButton::clicked, this, &TDlgExport::generate);
  connect(list_, &QListWidget::itemChanged, this, &TDlgExport::updateGenerate);
  rebuild();
}

void TDlgExport::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) rebuild();
  QWidget::changeEvent(event);
}

void TDlgExport::showEvent(QShowEvent* event) {
  rebuild();
  QWidget::showEvent(event);
}

void TDlgExport::rebuild() {
  const QSignalBlocker quiet(list_);
  list_->clear();
  listed_ = plots_();
  for (const ExportPlot& entry : listed_) {
    auto* item = new QListWidgetItem(QString::fromStdString(entry.plot->Caption), list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
  }
  fitList();
  updateGenerate();
}

void TDlgExport::fitList() {
  // Wide enough for the longest caption beside a vertical scroll bar, and high enough for the
  // plots other than the design charts, so that no caption is cut.
  const int frame = 2 * list_->frameWidth();
  const int rowHeight = list_->count() > 0 ? list_->sizeHintForRow(0) : fontMetrics().height();
  list_->setMinimumWidth(list_->sizeHintForColumn(0) +
                         list_->verticalScrollBar()->sizeHint().width() + frame);
  list_->setMinimumHeight(kVisibleRows * rowHeight + frame);
}

void TDlgExport::checkAll(bool checked) {
  const QSignalBlocker quiet(list_);
  for (int r = 0; r < list_->count(); ++r) {
    list_->item(r)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }
  updateGenerate();
}

void TDlgExport::updateGenerate() {
  bool any = false;
  for (int r = 0; r < list_->count(); ++r) any = any || list_->item(r)->checkState() == Qt::Checked;
  generate_->setEnabled(any);
}

void TDlgExport::generate() {
  std::vector<const TGraphPlot*> plots;
  for (int r = 0; r < list_->count() && r < static_cast<int>(listed_.size()); ++r) {
    if (list_->item(r)->checkState() == Qt::Checked) {
      plots.push_back(listed_[static_cast<size_t>(r)].plot);
    }
  }
  if (plots.empty()) return;
  const QString file = choose_(this);
  if (file.isEmpty()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const WorkbookResult result = writePlotWorkbook(plots, file.toStdString(), markers_->isChecked());
  QApplication::restoreOverrideCursor();
  if (!result.written) {
    message_(this, QString::fromStdString(result.error), true);
    return;
  }
  if (openAfterExport) QDesktopServices::openUrl(QUrl::fromLocalFile(file));
  message_(this, withLineFeeds(exportCompletedMessage(result.more255)), false);
}

}  // namespace tolvane::plot
