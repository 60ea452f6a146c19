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
#include <QUrl>
#include <QVBoxLayout>

#include "plot_workbook.h"

namespace tolvane::plot {
namespace {

QString WithLineFeeds(const std::string& text) {
  return QString::fromStdString(text).replace('\r', '\n');
}

QString ChooseWorkbook(QWidget* parent) {
  QString file =
      QFileDialog::getSaveFileName(parent, "Export to Excel", QString(), "Excel Workbook (*.xlsx)");
  if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty()) file += ".xlsx";
  return file;
}

void ShowMessage(QWidget* parent, const QString& text, bool failed) {
  if (failed) {
    QMessageBox::critical(parent, "Export to Excel", text);
  } else {
    QMessageBox::information(parent, "Export to Excel", text);
  }
}

}  // namespace

TDlgExport::TDlgExport(TPlotSource plots, QWidget* parent)
    : QWidget(parent, Qt::Window),
      Plots_(std::move(plots)),
      Choose_(ChooseWorkbook),
      Message_(ShowMessage),
      List_(new QListWidget),
      Generate_(new QPushButton("Generate Excel File")),
      Markers_(new QCheckBox("Add markers in plots")) {
  setWindowTitle("Export to Excel");
  auto* layout = new QHBoxLayout(this);
  auto* group = new QGroupBox("Available Plots");
  auto* group_layout = new QVBoxLayout(group);
  group_layout->addWidget(List_);
  layout->addWidget(group, 1);
  auto* side = new QVBoxLayout;
  auto* select_all = new QPushButton("Select All");
  auto* unselect_all = new QPushButton("Unselect All");
  auto* close_window = new QPushButton("Close Window");
  side->addWidget(select_all);
  side->addWidget(unselect_all);
  side->addWidget(Generate_);
  side->addWidget(close_window);
  Markers_->setChecked(true);
  side->addWidget(Markers_);
  for (const char* note : {"An Excel instance (if available) will open. ",
                           "Please wait until all the data has been exported to Excel.",
                           "Please note that you need to save the excel file afterwards."}) {
    auto* label = new QLabel(note);
    label->setWordWrap(true);
    side->addWidget(label);
  }
  side->addStretch(1);
  layout->addLayout(side);
  connect(select_all, &QPushButton::clicked, this, [this] { SelectAll(true); });
  connect(unselect_all, &QPushButton::clicked, this, [this] { SelectAll(false); });
  connect(close_window, &QPushButton::clicked, this, &QWidget::close);
  connect(Generate_, &QPushButton::clicked, this, &TDlgExport::Generate);
  connect(List_, &QListWidget::itemChanged, this, &TDlgExport::UpdateGenerate);
  Rebuild();
}

void TDlgExport::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Rebuild();
  QWidget::changeEvent(event);
}

void TDlgExport::showEvent(QShowEvent* event) {
  Rebuild();
  QWidget::showEvent(event);
}

void TDlgExport::Rebuild() {
  const QSignalBlocker quiet(List_);
  List_->clear();
  Listed_ = Plots_();
  for (const TExportPlot& entry : Listed_) {
    auto* item = new QListWidgetItem(QString::fromStdString(entry.Plot->Caption), List_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
  }
  UpdateGenerate();
}

void TDlgExport::SelectAll(bool checked) {
  const QSignalBlocker quiet(List_);
  for (int r = 0; r < List_->count(); ++r) {
    List_->item(r)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }
  UpdateGenerate();
}

void TDlgExport::UpdateGenerate() {
  bool any = false;
  for (int r = 0; r < List_->count(); ++r) any = any || List_->item(r)->checkState() == Qt::Checked;
  Generate_->setEnabled(any);
}

void TDlgExport::Generate() {
  std::vector<const TGraphPlot*> plots;
  for (int r = 0; r < List_->count() && r < static_cast<int>(Listed_.size()); ++r) {
    if (List_->item(r)->checkState() == Qt::Checked) {
      plots.push_back(Listed_[static_cast<size_t>(r)].Plot);
    }
  }
  if (plots.empty()) return;
  const QString file = Choose_(this);
  if (file.isEmpty()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TWorkbookResult result =
      WritePlotWorkbook(plots, file.toStdString(), Markers_->isChecked());
  QApplication::restoreOverrideCursor();
  if (!result.Written) {
    Message_(this, QString::fromStdString(result.Error), true);
    return;
  }
  if (OpenAfterExport) QDesktopServices::openUrl(QUrl::fromLocalFile(file));
  Message_(this, WithLineFeeds(ExportCompletedMessage(result.More255)), false);
}

}  // namespace tolvane::plot
