// The commands of the main window's menus and tool buttons.
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include "about_box.h"
#include "batch_window.h"
#include "main_window.h"
#include "window_rules.h"
#include "window_services.h"

namespace tolvane::app {
namespace {

// The filters of the open dialog, in the order of the file-type index.
const QStringList& openFilters() {
  static const QStringList filters = {"TOLVANE 2023(*.tv9d)", "TOLVANE 2017(*.tv8d)",
                                      "TOLVANE 2012(*.tvd)", "TOLVANE 6.0(*.tvd)",
                                      "All Files(*.*)"};
  return filters;
}
constexpr int kAllFilesFilter = 5;

}  // namespace

// ---- File commands ----

bool TMainForm::askToSave() {
  const std::string before = form_->Data().FileName;
  const bool goOn = form_->askToSave();
  if (form_->Data().FileName != before) afterSaveAs(true);
  return goOn;
}

void TMainForm::openWithDialog() {
  QFileDialog dialog(this, "Open", toQString(settings_.CurDir));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(openFilters());
  dialog.setDefaultSuffix("tv9d");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString file = dialog.selectedFiles().constFirst();
  int type = static_cast<int>(openFilters().indexOf(dialog.selectedNameFilter())) + 1;
  // With "All Files" the extension says which layout the file has.
  if (type == kAllFilesFilter || type == 0) {
    type = fileTypeIndexForPath(file.toStdString());
    if (type == 0) type = kOldestShortFile;
  }
  if (askToSave()) OpenFile(file, type);
}

void TMainForm::newProject() {
  if (askToSave()) {
    form_->newProject();
    updateTitle();
  }
  form_->flags.clear();
  applyDesignMethodToGrid();
  Close3DView(*this);
  updateEnabling();
}

bool TMainForm::openRecentOrDropped(const QString& file) {
  const int type = fileTypeIndexForPath(file.toStdString());
  if (type == 0 || !askToSave()) return false;
  OpenFile(file, type);
  return true;
}

void TMainForm::OpenFile(const QString& file, int fileTypeIndex) {
  const OpenResult opened = form_->Open(file.toStdString(), fileTypeIndex);
  settings_.CurDir = form_->CurDir;
  if (opened.opened) {
    settings_.recent.putFirst(projectFile().string());
    settings_.DefSIUnits = form_->Data().fUnits;
    form_->setDefaultUnits(settings_.DefSIUnits);
    writeUserSettings();
  }
  updateTitle();
  applyDesignMethodToGrid();
  Close3DView(*this);
  updateEnabling();
}

void TMainForm::saveProject() {
  const std::string& name = form_->Data().FileName;
  // Save goes through Save As for a new project and for a file of an older layout.
  const bool saveAs = name == kNewProjectFileName ||
                      QFileInfo(toQString(name)).suffix().compare("tv9d", Qt::CaseInsensitive) != 0;
  if (saveAs) {
    saveProjectAs();
    return;
  }
  try {
    form_->Save();
  } catch (const std::exception& failure) {
    messages_->error(failure.what());
  }
  updateEnabling();
}

void TMainForm::saveProjectAs() {
  form_->filesaved = true;
  bool chosen = false;
  try {
    form_->saveAs();
    chosen = form_->filesaved;
  } catch (const std::exception& failure) {
    messages_->error(failure.what());
  }
  afterSaveAs(chosen);
}

void TMainForm::afterSaveAs(bool chosen) {
  // Save As ends with no results shown and every child window closed, chosen file or not.
  updateTitle();
  if (chosen) {
    settings_.recent.putFirst(projectFile().string());
    writeUserSettings();
  }
  hideChildWindows();
  updateEnabling();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (running_) {
    event->ignore();
    return;
  }
  commitActiveChild();
  if (!askToSave()) {
    event->ignore();
    return;
  }
  writeUserSettings();
  hideChildWindows();
  event->accept();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!running_ && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  if (dropFiles(event->mimeData()->urls())) event->acceptProposedAction();
}

bool TMainForm::dropFiles(const QList<QUrl>& urls) {
  // Only the first dropped file counts, and none while a run goes on.
  if (running_ || urls.isEmpty() || !urls.constFirst().isLocalFile()) return false;
  return openRecentOrDropped(urls.constFirst().toLocalFile());
}

// ---- Data commands ----

void TMainForm::SetUnits(int units) {
  TProgramData& project = form_->Data();
  if (project.fUnits != units) {
    project.SetUnits(units);
    form_->project().grids().projectChanged = true;
  }
  // The next new project starts in the same system.
  settings_.DefSIUnits = project.fUnits;
  form_->setDefaultUnits(project.fUnits);
  updateTitle();
  updateEnabling();
}

void TMainForm::setDesignMethod(int32_t nlrfd) {
  TProgramData& project = form_->Data();
  if (project.NLRFD != nlrfd) {
    project.NLRFD = nlrfd;
    form_->project().grids().projectChanged = true;
  }
  applyDesignMethodToGrid();
  refreshDataWindows(*this);  // the soil-layer window shows or hides its LRFD columns
  updateTitle();
  updateEnabling();
}

void TMainForm::showPileProperties(bool cfa) {
  commitActiveChild();
  TProgramData& project = form_->Data();
  if ((project.CFAPile != 0) != cfa) {
    if (!project.switchPileKind(cfa)) {
      updateEnabling();  // the pressed button and the check mark go back to the current kind
      return;
    }
    form_->project().grids().projectChanged = true;
    closeDataWindow(*this,
                    cfa ? DataWindow::kDrilledShaftProperties : DataWindow::kCfaPileProperties);
    updateEnabling();
  }
  showDataWindow(*this, cfa ? DataWindow::kCfaPileProperties : DataWindow::kDrilledShaftProperties);
}

void TMainForm::setComputationMethod(int32_t method) {
  TProgramData& project = form_->Data();
  if (project.METHOD != method) {
    project.METHOD = method;
    form_->project().grids().projectChanged = true;
  }
  updateEnabling();
  const bool length = method == kShaftLengthGiven;
  closeDataWindow(*this, length ? DataWindow::kDesignLoad : DataWindow::kShaftLength);
  showDataWindow(*this, length ? DataWindow::kShaftLength : DataWindow::kDesignLoad);
}

// ---- Computation and Graphics commands ----

void TMainForm::runAnalysis() {
  if (running_) return;
  commitActiveChild();
  const std::string before = form_->Data().FileName;
  const RunResult run = form_->CompRunClick();
  settings_.CurDir = form_->CurDir;
  if (form_->Data().FileName != before) {
    settings_.recent.putFirst(projectFile().string());
    writeUserSettings();
  }
  if (run.engineCalled) hideChildWindows();
  updateTitle();
  updateEnabling();
}

void TMainForm::viewTextFile(const QString& file) {
  openWithWordProcessor(this, settings_.WordProcessor, file);
}

void TMainForm::showPlot(int plotIndex) {
  commitActiveChild();
  showPlotWindow(*this, plotIndex);
}

void TMainForm::showBatchWindow() {
  BatchWindow batch(*this);
  batch.exec();
  updateTitle();
  updateEnabling();
}

void TMainForm::showAboutBox() {
  AboutBox about(this);
  about.exec();
}

void TMainForm::openManual(const QString& fileName) {
  const QString manual = toQString((programDir_ / fileName.toStdString()).string());
  if (!QFileInfo::exists(manual) || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual))) {
    QMessageBox::information(this, "Information", "The manual cannot be opened:\n" + manual);
  }
}

}  // namespace tolvane::app
