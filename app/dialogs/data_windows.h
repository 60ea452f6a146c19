// The data windows of the desktop program and what they ask of the main window beyond
// WindowHost. showDataWindow and closeDataWindow (window_host.h) create, show and close them.
#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "qt_data_edit.h"
#include "window_host.h"

class QMdiSubWindow;

namespace tolvane::app {

// What a host may offer the data windows in addition to WindowHost: where messages go, the
// word-processor setting of the control options and the program chooser of its "&Browse...".
// A host that does not implement it gets message boxes, a file dialog and no stored setting.
class DialogServices {
 public:
  virtual ~DialogServices() = default;
  virtual entry::MessageSink& messages() { return entry::messageBoxSink(); }
  virtual std::string WordProcessor() const { return {}; }
  virtual void setWordProcessor(const std::string& /*command*/) {}
  // The open dialog on the present text; none when cancelled.
  virtual std::optional<std::string> chooseProgram(QWidget* parent, const std::string& current);
};

DialogServices& servicesOf(WindowHost& host);

// The unit system changed: every open data window shows the converted values and unit labels.
void refreshDataWindows(WindowHost& host);

// The open data window, none when it is not showing.
QWidget* findDataWindow(WindowHost& host, DataWindow window);
// Closes every open data window (each writes its fields back first).
void closeAllDataWindows(WindowHost& host);

// The common behaviour of the data windows: activation loads the fields from the project,
// deactivation and closing write them back; a window whose active numeric field holds invalid
// text stays open and active and writes nothing.
class DataWindowBase : public QWidget, public CommitValues {
  Q_OBJECT

 public:
  DataWindowBase(WindowHost& host, DataWindow kind, QWidget* parent = nullptr);

  DataWindow kind() const { return kind_; }
  WindowHost& host() const { return *host_; }
  entry::MessageSink& messages() const { return servicesOf(*host_).messages(); }

  // Reads the project into the fields.
  virtual void loadValues() = 0;
  // Writes the fields into the project (deactivation).
  void commitValues() override;
  // The check of the active numeric field; false (with its message shown) when it is invalid.
  bool fieldsValid();
  // The window became active: it reads the project, unless it was made active again because its
  // active field held invalid text (the text stays for the user to mend).
  void onActivated();
  // The window stopped being active: false, with nothing written, while its active field holds
  // invalid text.
  bool deactivated();
  // Closes this data window: its MDI frame when it is a child of the main window, else itself.
  // (The widget's window() is the main window for an MDI child, which must stay open.)
  void closeWindow();

 protected:
  virtual void storeValues() = 0;
  // The project's unit system for the fields' labels.
  int Units() const;
  // A numeric field with its label, in the project's units, reporting to this window's messages.
  entry::TDataEdit* newField(const std::string& caption, const std::string& units,
                             QLabel** labelOut = nullptr);
  void closeEvent(QCloseEvent* event) override;
  // A window of its own (not an MDI child) follows its activation itself.
  bool event(QEvent* event) override;

 private:
  WindowHost* host_;
  DataWindow kind_;
  bool keepFieldsOnce_ = false;
  bool deactivating_ = false;
};

}  // namespace tolvane::app
