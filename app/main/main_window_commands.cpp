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
const QStringList& OpenFilters() {
  static const QStringList filters = {"TOLVANE 2023(*.tv9d)", "TOLVANE 2017(*.tv8d)",
                                      "TOLVANE 2012(*.tvd)", "TOLVANE 6.0(*.tvd)",
                                      "All Files(*.*)"};
  return filters;
}
constexpr int kAllFilesFilter = 5;

}  // namespace

// ---- File commands ----

bool TMainForm::AskToSave() {
  const std::string before = Form_->Data().FileName;
  const bool go_on = Form_->AskToSave();
  if (Form_->Data().FileName != before) AfterSaveAs(true);
  return go_on;
}

void TMainForm::OpenWithDialog() {
  QFileDialog dialog(this, "Open", ToQString(Settings_.CurDir));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(OpenFilters());
  dialog.setDefaultSuffix("tv9d");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString file = dialog.selectedFiles().constFirst();
  int type = static_cast<int>(OpenFilters().indexOf(dialog.selectedNameFilter())) + 1;
  // With "All Files" the extension says which layout the file has.
  if (type == kAllFilesFilter || type == 0) {
    type = FileTypeIndexForPath(file.toStdString());
    if (type == 0) type = kOldestShortFile;
  }
  if (AskToSave()) OpenFile(file, type);
}

void TMainForm::NewProject() {
  if (AskToSave()) {
    Form_->New();
    UpdateTitle();
  }
  Form_->Flags.Clear();
  ApplyDesignMethodToGrid();
  Close3DView(*this);
  UpdateEnabling();
}

bool TMainForm::OpenRecentOrDropped(const QString& file) {
  const int type = FileTypeIndexForPath(file.toStdString());
  if (type == 0 || !AskToSave()) return false;
  OpenFile(file, type);
  return true;
}

void TMainForm::OpenFile(const QString& file, int file_type_index) {
  const TOpenResult opened = Form_->Open(file.toStdString(), file_type_index);
  Settings_.CurDir = Form_->CurDir;
  if (opened.Opened) {
    Settings_.Recent.PutFirst(ProjectFile().string());
    Settings_.DefSIUnits = Form_->Data().fUnits;
    Form_->SetDefaultUnits(Settings_.DefSIUnits);
    WriteUserSettings();
  }
  UpdateTitle();
  ApplyDesignMethodToGrid();
  Close3DView(*this);
  UpdateEnabling();
}

void TMainForm::SaveProject() {
  const std::string& name = Form_->Data().FileName;
  // Save goes through Save As for a new project and for a file of an older layout.
  const bool save_as =
      name == kNewProjectFileName ||
      QFileInfo(ToQString(name)).suffix().compare("tv9d", Qt::CaseInsensitive) != 0;
  if (save_as) {
    SaveProjectAs();
    return;
  }
  try {
    Form_->Save();
  } catch (const std::exception& failure) {
    Messages_->error(failure.what());
  }
  UpdateEnabling();
}

void TMainForm::SaveProjectAs() {
  Form_->filesaved = true;
  bool chosen = false;
  try {
    Form_->SaveAs();
    chosen = Form_->filesaved;
  } catch (const std::exception& failure) {
    Messages_->error(failure.what());
  }
  AfterSaveAs(chosen);
}

void TMainForm::AfterSaveAs(bool chosen) {
  // Save As ends with no results shown and every child window closed, chosen file or not.
  UpdateTitle();
  if (chosen) {
    Settings_.Recent.PutFirst(ProjectFile().string());
    WriteUserSettings();
  }
  HideChildWindows();
  UpdateEnabling();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (Running_) {
    event->ignore();
    return;
  }
  CommitActiveChild();
  if (!AskToSave()) {
    event->ignore();
    return;
  }
  WriteUserSettings();
  HideChildWindows();
  event->accept();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!Running_ && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  if (DropFiles(event->mimeData()->urls())) event->acceptProposedAction();
}

bool TMainForm::DropFiles(const QList<QUrl>& urls) {
  // Only the first dropped file counts, and none while a run goes on.
  if (Running_ || urls.isEmpty() || !urls.constFirst().isLocalFile()) return false;
  return OpenRecentOrDropped(urls.constFirst().toLocalFile());
}

// ---- Data commands ----

void TMainForm::SetUnits(int units) {
  TProgramData& project = Form_->Data();
  if (project.fUnits != units) {
    project.SetUnits(units);
    Form_->Project().Grids().ProjectChanged = true;
  }
  // The next new project starts in the same system.
  Settings_.DefSIUnits = project.fUnits;
  Form_->SetDefaultUnits(project.fUnits);
  UpdateTitle();
  UpdateEnabling();
}

void TMainForm::SetDesignMethod(int32_t nlrfd) {
  TProgramData& project = Form_->Data();
  if (project.NLRFD != nlrfd) {
    project.NLRFD = nlrfd;
    Form_->Project().Grids().ProjectChanged = true;
  }
  ApplyDesignMethodToGrid();
  RefreshDataWindows(*this);  // the soil-layer window shows or hides its LRFD columns
  UpdateTitle();
  UpdateEnabling();
}

void TMainForm::ShowPileProperties(bool cfa) {
  CommitActiveChild();
  TProgramData& project = Form_->Data();
  if ((project.CFAPile != 0) != cfa) {
    if (!project.SwitchPileKind(cfa)) {
      UpdateEnabling();  // the pressed button and the check mark go back to the current kind
      return;
    }
    Form_->Project().Grids().ProjectChanged = true;
    CloseDataWindow(*this,
                    cfa ? TDataWindow::kDrilledShaftProperties : TDataWindow::kCfaPileProperties);
    UpdateEnabling();
  }
  ShowDataWindow(*this,
                 cfa ? TDataWindow::kCfaPileProperties : TDataWindow::kDrilledShaftProperties);
}

void TMainForm::SetComputationMethod(int32_t method) {
  TProgramData& project = Form_->Data();
  if (project.METHOD != method) {
    project.METHOD = method;
    Form_->Project().Grids().ProjectChanged = true;
  }
  UpdateEnabling();
  const bool length = method == kShaftLengthGiven;
  CloseDataWindow(*this, length ? TDataWindow::kDesignLoad : TDataWindow::kShaftLength);
  ShowDataWindow(*this, length ? TDataWindow::kShaftLength : TDataWindow::kDesignLoad);
}

// ---- Computation and Graphics commands ----

void TMainForm::RunAnalysis() {
  if (Running_) return;
  CommitActiveChild();
  const std::string before = Form_->Data().FileName;
  const TRunResult run = Form_->CompRunClick();
  Settings_.CurDir = Form_->CurDir;
  if (Form_->Data().FileName != before) {
    Settings_.Recent.PutFirst(ProjectFile().string());
    WriteUserSettings();
  }
  if (run.EngineCalled) HideChildWindows();
  UpdateTitle();
  UpdateEnabling();
}

void TMainForm::ViewTextFile(const QString& file) {
  OpenWithWordProcessor(this, Settings_.WordProcessor, file);
}

void TMainForm::ShowPlot(int plot_index) {
  CommitActiveChild();
  ShowPlotWindow(*this, plot_index);
}

void TMainForm::ShowBatchWindow() {
  TBatchWindow batch(*this);
  batch.exec();
  UpdateTitle();
  UpdateEnabling();
}

void TMainForm::ShowAboutBox() {
  TAboutBox about(this);
  about.exec();
}

void TMainForm::OpenManual(const QString& file_name) {
  const QString manual = ToQString((ProgramDir_ / file_name.toStdString()).string());
  if (!QFileInfo::exists(manual) || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual))) {
    QMessageBox::information(this, "Information", "The manual cannot be opened:\n" + manual);
  }
}

}  // namespace tolvane::app
