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
inline int& answerGeneration() {
  static int generation = 0;
  return generation;
}
inline void endAnswers() {
  ++answerGeneration();
}

// Records the texts of the message boxes it answered.
struct DialogAnswers {
  QStringList texts;
  QStringList titles;
};

// Answers the next `count` modal message boxes with the button, one after the other; `answers`
// records their texts. Waits for each on the event loop, since a box appears inside the command
// that the test triggers.
inline void answerMessageBoxesInto(QMessageBox::StandardButton button,
                                   std::shared_ptr<DialogAnswers> answers, int count = 1,
                                   int tries = 0) {
  if (count <= 0) return;
  const int generation = answerGeneration();
  QTimer::singleShot(kPollMilliseconds, qApp, [button, answers, count, tries, generation] {
    if (generation != answerGeneration()) return;
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
      if (tries < kPollLimit) answerMessageBoxesInto(button, answers, count, tries + 1);
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
    answerMessageBoxesInto(button, answers, count - 1);
  });
}

inline std::shared_ptr<DialogAnswers> answerMessageBoxes(QMessageBox::StandardButton button,
                                                         int count = 1) {
  auto answers = std::make_shared<DialogAnswers>();
  answerMessageBoxesInto(button, answers, count);
  return answers;
}

// Accepts the next file dialog with the file name typed in; `inspect` sees the dialog first.
inline void answerFileDialog(const QString& file,
                             std::function<void(QFileDialog&)> inspect = nullptr, int tries = 0) {
  const int generation = answerGeneration();
  QTimer::singleShot(kPollMilliseconds, qApp, [file, inspect, tries, generation] {
    if (generation != answerGeneration()) return;
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) {
      if (tries < kPollLimit) answerFileDialog(file, inspect, tries + 1);
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
inline void cancelFileDialog(std::function<void(QFileDialog&)> inspect = nullptr, int tries = 0) {
  const int generation = answerGeneration();
  QTimer::singleShot(kPollMilliseconds, qApp, [inspect, tries, generation] {
    if (generation != answerGeneration()) return;
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) {
      if (tries < kPollLimit) cancelFileDialog(inspect, tries + 1);
      return;
    }
    if (inspect) inspect(*dialog);
    dialog->reject();
  });
}

// A scratch folder holding copies of the bundled examples.
class ScratchProjects {
 public:
  ScratchProjects() { valid_ = folder_.isValid(); }
  // Opening or running a project makes its folder current; the next test must not start in a
  // folder that no longer exists.
  ~ScratchProjects() {
    if (QDir::currentPath().startsWith(folder_.path())) QDir::setCurrent(QDir::tempPath());
  }
  ScratchProjects(const ScratchProjects&) = delete;
  ScratchProjects& operator=(const ScratchProjects&) = delete;
  QString copyExample(const QString& example, const QString& as = QString()) const {
    const QString target = folder_.filePath(as.isEmpty() ? example : as);
    QFile::remove(target);
    QFile::copy(QString(TOLVANE_EXAMPLES_DIR) + "/" + example, target);
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return target;
  }
  QString path(const QString& name) const { return folder_.filePath(name); }
  QString folder() const { return folder_.path(); }
  bool valid() const { return valid_; }

 private:
  QTemporaryDir folder_;
  bool valid_ = false;
};

// The settings group of the program, emptied: each test starts as a new user. A test that
// closes its shown main window must not end the application for the tests after it.
inline void clearProgramSettings() {
  QApplication::setQuitOnLastWindowClosed(false);
  QSettings settings("Kestrum", "TOLVANE");
  settings.remove("2023.9.02");
  settings.sync();
}

}  // namespace tolvane::app::testing
