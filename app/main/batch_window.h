// The batch window "Multi-File Analysis (Batch Run)": the list of project files, the list and
// message files, and the runs, over the batch core (batch.h).
#pragma once

#include <QDialog>
#include <memory>

#include "batch.h"
#include "window_services.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace tolvane::app {

class TMainForm;

class BatchWindow : public QDialog {
  Q_OBJECT

 public:
  explicit BatchWindow(TMainForm& window);
  ~BatchWindow() override;

  BatchRun& batch() { return *batch_; }
  // The commands of the buttons, also for the tests.
  void addFiles(const QStringList& files);
  void clearSelected();
  void clearAll();
  bool openFileList(const QString& file);
  bool saveFileList(const QString& file);
  bool saveRunMessages(const QString& file);
  void clearRunMessages();
  void replace(const QString& from, const QString& to);
  void checkFiles();
  void runAll();

  QListWidget* fileList() const { return list_; }
  QPlainTextEdit* messageArea() const { return messageArea_; }
  QProgressBar* progress() const { return progress_; }
  QLabel* countLabel() const { return count_; }

 protected:
  // The window stays open while a run goes on.
  void reject() override;

 private:
  QPushButton* button(const QString& caption, const QString& name);
  void showList();
  void showMessage(const std::string& line);
  void setRunning(bool running);

  TMainForm& window_;
  WindowMessages messages_;
  std::unique_ptr<BatchRun> batch_;
  QListWidget* list_ = nullptr;
  QLabel* count_ = nullptr;
  QPlainTextEdit* messageArea_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
  QList<QPushButton*> buttons_;
  bool running_ = false;
};

}  // namespace tolvane::app
