#include "window_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QThread>
#include <QUrl>

#include "window_rules.h"

namespace tolvane::app {
namespace {

constexpr const char* kWordProcessorError = "An error occurred in running the Word Processor";

// Runs a dialog on the application's thread; a worker thread waits for it.
template <typename Show>
void OnWindowThread(Show show) {
  if (QThread::currentThread() == qApp->thread()) {
    show();
  } else {
    QMetaObject::invokeMethod(qApp, show, Qt::BlockingQueuedConnection);
  }
}

}  // namespace

QString MessageText(const std::string& text) {
  return QString::fromStdString(withLineFeeds(text));
}

void TWindowMessages::information(const std::string& text) {
  OnWindowThread([&] { QMessageBox::information(Parent_, "Information", MessageText(text)); });
}

void TWindowMessages::warning(const std::string& text) {
  OnWindowThread([&] { QMessageBox::warning(Parent_, "Warning", MessageText(text)); });
}

void TWindowMessages::error(const std::string& text) {
  OnWindowThread([&] { QMessageBox::critical(Parent_, "Error", MessageText(text)); });
}

TAnswer TWindowMessages::confirm(const std::string& text) {
  TAnswer answer = TAnswer::kCancel;
  OnWindowThread([&] {
    const QMessageBox::StandardButton button = QMessageBox::question(
        Parent_, "Confirm", MessageText(text),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    answer = button == QMessageBox::Yes  ? TAnswer::kYes
             : button == QMessageBox::No ? TAnswer::kNo
                                         : TAnswer::kCancel;
  });
  return answer;
}

std::optional<std::string> TWindowMessages::chooseSaveFile(const std::string& title,
                                                           const std::string& proposed) {
  std::optional<std::string> chosen;
  OnWindowThread([&] {
    QFileDialog dialog(Parent_, QString::fromStdString(title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({"TOLVANE 2023(*.tv9d)", "All File(*.*)"});
    dialog.setDefaultSuffix("tv9d");
    dialog.selectFile(QString::fromStdString(proposed));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
      chosen = dialog.selectedFiles().constFirst().toStdString();
    }
  });
  return chosen;
}

bool AskYesNo(QWidget* parent, const std::string& text) {
  bool yes = false;
  OnWindowThread([&] {
    yes = QMessageBox::question(parent, "Confirm", MessageText(text),
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::Yes) == QMessageBox::Yes;
  });
  return yes;
}

TQtSettingsStore::TQtSettingsStore()
    : Settings_(std::make_unique<QSettings>(kSettingsOrganization, kSettingsApplication)) {
  Settings_->beginGroup(kSettingsGroup);
}

TQtSettingsStore::~TQtSettingsStore() {
  Settings_->endGroup();
}

std::optional<std::string> TQtSettingsStore::Value(const std::string& name) const {
  const QString key = QString::fromStdString(name);
  if (!Settings_->contains(key)) return std::nullopt;
  return Settings_->value(key).toString().toStdString();
}

void TQtSettingsStore::SetValue(const std::string& name, const std::string& value) {
  Settings_->setValue(QString::fromStdString(name), QString::fromStdString(value));
}

bool TQtSettingsStore::ReadFailed() const {
  return Settings_->status() != QSettings::NoError;
}

void TQtSettingsStore::Sync() {
  Settings_->sync();
}

void OpenWithWordProcessor(QWidget* parent, const std::string& word_processor,
                           const QString& file) {
  bool started = false;
  if (word_processor.empty()) {
    started = QDesktopServices::openUrl(QUrl::fromLocalFile(file));
  } else {
    QStringList words = QProcess::splitCommand(
        QString::fromStdString(WordProcessorCommand(word_processor, file.toStdString())));
    if (!words.isEmpty()) {
      const QString program = words.takeFirst();
      started = QProcess::startDetached(program, words);
    }
  }
  if (!started) QMessageBox::information(parent, "Information", kWordProcessorError);
}

}  // namespace tolvane::app
