// TMainForm is the desktop program's main window (Qt): the MDI frame with the menus, the tool
// bar and the settings kept between starts. It is thin: the project, the result plots and the
// commands Open, Save, New and Run live in MainFormRules, the toolkit-free core of the main window
// (main_form_rules.h), and the enabling, title and recent-file rules in window_rules.h and
// user_settings.h. The child windows reach it through WindowHost (window_host.h).
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

class Block3DControls;

class WindowMessages;

class TMainForm : public QMainWindow, public WindowHost, public ProjectHost, public DialogServices {
  Q_OBJECT

 public:
  explicit TMainForm(std::filesystem::path programDir, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Start-up once the window exists: read the settings, place the window, open the file given
  // on the command line (".tv9d" added to a name without an extension) or start a new project.
  void start(const QString& argument);

  // WindowHost
  MainFormRules& core() override { return *form_; }
  QMdiArea* mdiArea() override { return mdi_; }
  QWidget* frame() override { return this; }
  void projectChanged() override;
  void updateEnabling() override;
  // The title by the project's file name, and the project's line in the status bar.
  void updateTitle();

  // ProjectHost
  void hideChildWindows() override;
  bool confirm(const std::string& message) override;
  // The open data windows show the converted values and unit labels.
  void unitsChanged() override { refreshDataWindows(*this); }

  // DialogServices: the control options edit the word-processor setting.
  std::string WordProcessor() const override { return settings_.WordProcessor; }
  void setWordProcessor(const std::string& command) override { settings_.WordProcessor = command; }

  // The commands, also for the tests.
  void newProject();
  // Opens a project after asking to save; the file type from its extension.
  bool openRecentOrDropped(const QString& file);
  void OpenFile(const QString& file, int fileTypeIndex);
  // Files dropped on the window: the first one opens like a recent file.
  bool dropFiles(const QList<QUrl>& urls);
  void saveProject();
  void saveProjectAs();
  void runAnalysis();
  bool askToSave();
  // Opens a text file with the word processor, or the desktop's default handler.
  void viewTextFile(const QString& file);

  const UserSettings& settings() const { return settings_; }
  UserSettings& settings() { return settings_; }
  void readUserSettings();
  void writeUserSettings();
  bool runInProgress() const { return running_; }

  // The action of a menu item or tool button, by its object name (tests and child windows).
  QAction* action(const QString& name) const;
  QToolBar* toolBar() const { return tools_; }
  // The "Show 3D View" menu and the seven 3D tool buttons, visible while a 3D view exists.
  Block3DControls* block3DControls() const { return block3D_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void createActions();
  void createFileMenu();
  void createDataMenu();
  void createComputationMenu();
  void createGraphicsMenu();
  void createWindowMenu();
  void createHelpMenu();
  void createToolBar();
  void createStatusBar();
  QAction* newAction(const QString& name, const QString& caption);
  // A submenu of checkable items that exclude each other; each calls `choose` with its value.
  struct MenuChoice {
    const char* Name;
    const char* Caption;
    int Value;
  };
  QMenu* addChoiceMenu(QMenu* parent, const QString& caption,
                       std::initializer_list<MenuChoice> choices,
                       const std::function<void(int)>& choose);
  // An item that opens a data window.
  QAction* addDataWindowItem(QMenu* menu, const QString& name, const QString& caption,
                             DataWindow window);
  EngineCall runOnWorker(const std::function<EngineCall()>& call);
  void openWithDialog();

  // Before a menu opens or a tool command runs: the active child writes its fields.
  void commitActiveChild();
  void updateFileMenu();
  void updateDataMenu();
  void updateComputationMenu();
  void updateGraphicsMenu();
  void updateWindowMenu();
  void updateStatus();
  void afterProjectReplaced();
  void applyDesignMethodToGrid();
  void restorePlacement();
  // While the engine runs: the menus, tool bar and child windows take no input, the cursor is
  // the hourglass and the status bar shows that the program is busy.
  void setBusy(bool busy);
  // After Save As, chosen or cancelled: title, recent list and settings, no child windows.
  void afterSaveAs(bool chosen);

  void SetUnits(int units);
  void setDesignMethod(int32_t nlrfd);
  void showPileProperties(bool cfa);
  void setComputationMethod(int32_t method);
  void showPlot(int plotIndex);
  void showBatchWindow();
  void showAboutBox();
  void openManual(const QString& fileName);
  void arrangeIcons();
  void showChildFromWindowMenu(int index);
  std::filesystem::path projectFile() const;

  static constexpr int kPlotButtonCount = kPltChart1;  // the tool bar shows plots 0 to 15

  std::filesystem::path programDir_;
  std::unique_ptr<WindowMessages> messages_;
  std::unique_ptr<MainFormRules> form_;
  UserSettings settings_;
  bool running_ = false;

  QMdiArea* mdi_ = nullptr;
  QToolBar* tools_ = nullptr;
  Block3DControls* block3D_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QMenu* dataMenu_ = nullptr;
  QMenu* computationMenu_ = nullptr;
  QMenu* graphicsMenu_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QMenu* helpMenu_ = nullptr;
  std::array<QAction*, kRecentFileCount> recentActions_{};
  std::array<QAction*, kResultPlotCount> plotActions_{};  // Graphics menu items
  std::vector<QAction*> plotButtons_;                     // tool buttons of plots 0 to 15
  std::vector<QAction*> windowListActions_;
  std::vector<QAction*> disabledWhileBusy_;  // the actions a run disabled, enabled again after
  QLabel* statusProject_ = nullptr;
  QLabel* statusBusy_ = nullptr;
  QProgressBar* busyBar_ = nullptr;
};

}  // namespace tolvane::app
