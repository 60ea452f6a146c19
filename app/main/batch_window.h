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

class TBatchWindow : public QDialog {
  Q_OBJECT

 public:
  explicit TBatchWindow(TMainForm& window);
  ~TBatchWindow() override;

  TBatchRun& Batch() { return *Batch_; }
  // The commands of the buttons, also for the tests.
  void AddFiles(const QStringList& files);
  void ClearSelected();
  void ClearAll();
  bool OpenFileList(const QString& file);
  bool SaveFileList(const QString& file);
  bool SaveRunMessages(const QString& file);
  void ClearRunMessages();
  void Replace(const QString& from, const QString& to);
  void CheckFiles();
  void RunAll();

  QListWidget* FileList() const { return List_; }
  QPlainTextEdit* MessageArea() const { return MessageArea_; }
  QProgressBar* Progress() const { return Progress_; }
  QLabel* CountLabel() const { return Count_; }

 protected:
  // The window stays open while a run goes on.
  void reject() override;

 private:
  QPushButton* Button(const QString& caption, const QString& name);
  void ShowList();
  void ShowMessage(const std::string& line);
  void SetRunning(bool running);

  TMainForm& Window_;
  TWindowMessages Messages_;
  std::unique_ptr<TBatchRun> Batch_;
  QListWidget* List_ = nullptr;
  QLabel* Count_ = nullptr;
  QPlainTextEdit* MessageArea_ = nullptr;
  QProgressBar* Progress_ = nullptr;
  QLineEdit* From_ = nullptr;
  QLineEdit* To_ = nullptr;
  QList<QPushButton*> Buttons_;
  bool Running_ = false;
};

}  // namespace tolvane::app
