// Helpers of the window tests: answering the modal dialogs that a command opens, a scratch
// folder with a copy of an example project, and settings kept apart from the user's own.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

namespace tolvane::app::testing {

inline constexpr int kPollMilliseconds = 20;
inline constexpr int kPollLimit = 1500;  // 30 s before a test gives up waiting for a dialog

// Each test has its own generation of dialog answers: an answer still waiting when its test ends
// gives up rather than answer a dialog of the next test.
inline int& AnswerGeneration() {
  static int generation = 0;
  return generation;
}
inline void EndAnswers() {
  ++AnswerGeneration();
}

// Records the texts of the message boxes it answered.
struct TDialogAnswers {
  QStringList texts;
  QStringList titles;
};

// Answers the next `count` modal message boxes with the button, one after the other; `answers`
// records their texts. Waits for each on the event loop, since a box appears inside the command
// that the test triggers.
inline void AnswerMessageBoxesInto(QMessageBox::StandardButton button,
                                   std::shared_ptr<TDialogAnswers> answers, int count = 1,
                                   int tries = 0) {
  if (count <= 0) return;
  const int generation = AnswerGeneration();
  QTimer::singleShot(kPollMilliseconds, qApp, [button, answers, count, tries, generation] {
    if (generation != AnswerGeneration()) return;
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
      if (tries < kPollLimit) AnswerMessageBoxesInto(button, answers, count, tries + 1);
      return;
    }
    if (answers) {
      answers->texts << box->text();
      answers->titles << box->windowTitle();
    }
    QAbstractButton* const pressed = box->button(button);
    if (pressed != nullptr) {
      pressed->click();
    } else {
      box->reject();
    }
    AnswerMessageBoxesInto(button, answers, count - 1);
  });
}

inline std::shared_ptr<TDialogAnswers> AnswerMessageBoxes(QMessageBox::StandardButton button,
                                                          int count = 1) {
  auto answers = std::make_shared<TDialogAnswers>();
  AnswerMessageBoxesInto(button, answers, count);
  return answers;
}

// Accepts the next file dialog with the file name typed in; `inspect` sees the dialog first.
inline void AnswerFileDialog(const QString& file,
                             std::function<void(QFileDialog&)> inspect = nullptr, int tries = 0) {
  const int generation = AnswerGeneration();
  QTimer::singleShot(kPollMilliseconds, qApp, [file, inspect, tries, generation] {
    if (generation != AnswerGeneration()) return;
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) {
      if (tries < kPollLimit) AnswerFileDialog(file, inspect, tries + 1);
      return;
    }
    if (inspect) inspect(*dialog);
    dialog->selectFile(file);
    // Typed as a user would: the dialog's file model fills in on a thread of its own and may
    // put its proposed name back over a selection made before it is ready.
    if (auto* typed = dialog->findChild<QLineEdit*>("fileNameEdit")) typed->setText(file);
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept is protected
  });
}

// Cancels the next file dialog; `inspect` sees the dialog first.
inline void CancelFileDialog(std::function<void(QFileDialog&)> inspect = nullptr, int tries = 0) {
  const int generation = AnswerGeneration();
  QTimer::singleShot(kPollMilliseconds, qApp, [inspect, tries, generation] {
    if (generation != AnswerGeneration()) return;
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) {
      if (tries < kPollLimit) CancelFileDialog(inspect, tries + 1);
      return;
    }
    if (inspect) inspect(*dialog);
    dialog->reject();
  });
}

// A scratch folder holding copies of the bundled examples.
class TScratchProjects {
 public:
  TScratchProjects() { Valid_ = Folder_.isValid(); }
  // Opening or running a project makes its folder current; the next test must not start in a
  // folder that no longer exists.
  ~TScratchProjects() {
    if (QDir::currentPath().startsWith(Folder_.path())) QDir::setCurrent(QDir::tempPath());
  }
  TScratchProjects(const TScratchProjects&) = delete;
  TScratchProjects& operator=(const TScratchProjects&) = delete;
  QString Copy(const QString& example, const QString& as = QString()) const {
    const QString target = Folder_.filePath(as.isEmpty() ? example : as);
    QFile::remove(target);
    QFile::copy(QString(TOLVANE_EXAMPLES_DIR) + "/" + example, target);
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return target;
  }
  QString Path(const QString& name) const { return Folder_.filePath(name); }
  QString Folder() const { return Folder_.path(); }
  bool Valid() const { return Valid_; }

 private:
  QTemporaryDir Folder_;
  bool Valid_ = false;
};

// The settings group of the program, emptied: each test starts as a new user. A test that
// closes its shown main window must not end the application for the tests after it.
inline void ClearProgramSettings() {
  QApplication::setQuitOnLastWindowClosed(false);
  QSettings settings("Kestrum", "TOLVANE");
  settings.remove("2023.9.02");
  settings.sync();
}

}  // namespace tolvane::app::testing
