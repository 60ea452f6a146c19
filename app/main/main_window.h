// TMainForm is the desktop program's main window (Qt): the MDI frame with the menus, the tool
// bar and the settings kept between starts. It is thin: the project, the result plots and the
// commands Open, Save, New and Run live in MainFormRules, the toolkit-free core of the main window
// (main_form_rules.h), and the enabling, title and recent-file rules in window_rules.h and
// user_settings.h. The child windows reach it through TWindowHost (window_host.h).
#pragma once

#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <QUrl>
#include <array>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "data_windows.h"
#include "main_form_rules.h"
#include "program_data.h"
#include "user_settings.h"
#include "window_host.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QProgressBar;
class QSettings;
class QToolBar;

namespace tolvane::app {

class TBlock3DControls;

class TWindowMessages;

class TMainForm : public QMainWindow,
                    public TWindowHost,
                    public TProjectHost,
                    public TDialogServices {
  Q_OBJECT

 public:
  explicit TMainForm(std::filesystem::path program_dir, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Start-up once the window exists: read the settings, place the window, open the file given
  // on the command line (".tv9d" added to a name without an extension) or start a new project.
  void Start(const QString& argument);

  // TWindowHost
  MainFormRules& Core() override { return *Form_; }
  QMdiArea* MdiArea() override { return Mdi_; }
  QWidget* Frame() override { return this; }
  void ProjectChanged() override;
  void UpdateEnabling() override;
  // The title by the project's file name, and the project's line in the status bar.
  void UpdateTitle();

  // TProjectHost
  void HideChildWindows() override;
  bool Confirm(const std::string& message) override;
  // The open data windows show the converted values and unit labels.
  void UnitsChanged() override { RefreshDataWindows(*this); }

  // TDialogServices: the control options edit the word-processor setting.
  std::string WordProcessor() const override { return Settings_.WordProcessor; }
  void SetWordProcessor(const std::string& command) override { Settings_.WordProcessor = command; }

  // The commands, also for the tests.
  void NewProject();
  // Opens a project after asking to save; the file type from its extension.
  bool OpenRecentOrDropped(const QString& file);
  void OpenFile(const QString& file, int file_type_index);
  // Files dropped on the window: the first one opens like a recent file.
  bool DropFiles(const QList<QUrl>& urls);
  void SaveProject();
  void SaveProjectAs();
  void RunAnalysis();
  bool AskToSave();
  // Opens a text file with the word processor, or the desktop's default handler.
  void ViewTextFile(const QString& file);

  const TUserSettings& Settings() const { return Settings_; }
  TUserSettings& Settings() { return Settings_; }
  void ReadUserSettings();
  void WriteUserSettings();
  bool RunInProgress() const { return Running_; }

  // The action of a menu item or tool button, by its object name (tests and child windows).
  QAction* Action(const QString& name) const;
  QToolBar* ToolBar() const { return Tools_; }
  // The "Show 3D View" menu and the seven 3D tool buttons, visible while a 3D view exists.
  TBlock3DControls* Block3DControls() const { return Block3D_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateActions();
  void CreateFileMenu();
  void CreateDataMenu();
  void CreateComputationMenu();
  void CreateGraphicsMenu();
  void CreateWindowMenu();
  void CreateHelpMenu();
  void CreateToolBar();
  void CreateStatusBar();
  QAction* NewAction(const QString& name, const QString& caption);
  // A submenu of checkable items that exclude each other; each calls `choose` with its value.
  struct TMenuChoice {
    const char* Name;
    const char* Caption;
    int Value;
  };
  QMenu* AddChoiceMenu(QMenu* parent, const QString& caption,
                       std::initializer_list<TMenuChoice> choices,
                       const std::function<void(int)>& choose);
  // An item that opens a data window.
  QAction* AddDataWindowItem(QMenu* menu, const QString& name, const QString& caption,
                             TDataWindow window);
  TEngineCall RunOnWorker(const std::function<TEngineCall()>& call);
  void OpenWithDialog();

  // Before a menu opens or a tool command runs: the active child writes its fields.
  void CommitActiveChild();
  void UpdateFileMenu();
  void UpdateDataMenu();
  void UpdateComputationMenu();
  void UpdateGraphicsMenu();
  void UpdateWindowMenu();
  void UpdateStatus();
  void AfterProjectReplaced();
  void ApplyDesignMethodToGrid();
  void RestorePlacement();
  // While the engine runs: the menus, tool bar and child windows take no input, the cursor is
  // the hourglass and the status bar shows that the program is busy.
  void SetBusy(bool busy);
  // After Save As, chosen or cancelled: title, recent list and settings, no child windows.
  void AfterSaveAs(bool chosen);

  void SetUnits(int units);
  void SetDesignMethod(int32_t nlrfd);
  void ShowPileProperties(bool cfa);
  void SetComputationMethod(int32_t method);
  void ShowPlot(int plot_index);
  void ShowBatchWindow();
  void ShowAboutBox();
  void OpenManual(const QString& file_name);
  void ArrangeIcons();
  void ShowChildFromWindowMenu(int index);
  std::filesystem::path ProjectFile() const;

  static constexpr int kPlotButtonCount = kPltChart1;  // the tool bar shows plots 0 to 15

  std::filesystem::path ProgramDir_;
  std::unique_ptr<TWindowMessages> Messages_;
  std::unique_ptr<MainFormRules> Form_;
  TUserSettings Settings_;
  bool Running_ = false;

  QMdiArea* Mdi_ = nullptr;
  QToolBar* Tools_ = nullptr;
  TBlock3DControls* Block3D_ = nullptr;
  QMenu* FileMenu_ = nullptr;
  QMenu* DataMenu_ = nullptr;
  QMenu* ComputationMenu_ = nullptr;
  QMenu* GraphicsMenu_ = nullptr;
  QMenu* WindowMenu_ = nullptr;
  QMenu* HelpMenu_ = nullptr;
  std::array<QAction*, kRecentFileCount> RecentActions_{};
  std::array<QAction*, kResultPlotCount> PlotActions_{};  // Graphics menu items
  std::vector<QAction*> PlotButtons_;                     // tool buttons of plots 0 to 15
  std::vector<QAction*> WindowListActions_;
  std::vector<QAction*> DisabledWhileBusy_;  // the actions a run disabled, enabled again after
  QLabel* StatusProject_ = nullptr;
  QLabel* StatusBusy_ = nullptr;
  QProgressBar* BusyBar_ = nullptr;
};

}  // namespace tolvane::app
