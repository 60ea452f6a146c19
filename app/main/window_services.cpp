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
void onWindowThread(Show show) {
  if (QThread::currentThread() == qApp->thread()) {
    show();
  } else {
    QMetaObject::invokeMethod(qApp, show, Qt::BlockingQueuedConnection);
  }
}

}  // namespace

QString messageText(const std::string& text) {
  return QString::fromStdString(withLineFeeds(text));
}

void WindowMessages::information(const std::string& text) {
  onWindowThread([&] { QMessageBox::information(parent_, "Information", messageText(text)); });
}

void WindowMessages::warning(const std::string& text) {
  onWindowThread([&] { QMessageBox::warning(parent_, "Warning", messageText(text)); });
}

void WindowMessages::error(const std::string& text) {
  onWindowThread([&] { QMessageBox::critical(parent_, "Error", messageText(text)); });
}

ConfirmAnswer WindowMessages::confirm(const std::string& text) {
  ConfirmAnswer answer = ConfirmAnswer::kCancel;
  onWindowThread([&] {
    const QMessageBox::StandardButton button = QMessageBox::question(
        parent_, "Confirm", messageText(text),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    answer = button == QMessageBox::Yes  ? ConfirmAnswer::kYes
             : button == QMessageBox::No ? ConfirmAnswer::kNo
                                         : ConfirmAnswer::kCancel;
  });
  return answer;
}

std::optional<std::string> WindowMessages::chooseSaveFile(const std::string& title,
                                                          const std::string& proposed) {
  std::optional<std::string> chosen;
  onWindowThread([&] {
    QFileDialog dialog(parent_, QString::fromStdString(title));
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

bool askYesNo(QWidget* parent, const std::string& text) {
  bool yes = false;
  onWindowThread([&] {
    yes = QMessageBox::question(parent, "Confirm", messageText(text),
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::Yes) == QMessageBox::Yes;
  });
  return yes;
}

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(kSettingsOrganization, kSettingsApplication)) {
  settings_->beginGroup(kSettingsGroup);
}

QtSettingsStore::~QtSettingsStore() {
  settings_->endGroup();
}

std::optional<std::string> QtSettingsStore::Value(const std::string& name) const {
  const QString key = QString::fromStdString(name);
  if (!settings_->contains(key)) return std::nullopt;
  return settings_->value(key).toString().toStdString();
}

void QtSettingsStore::SetValue(const std::string& name, const std::string& value) {
  settings_->setValue(QString::fromStdString(name), QString::fromStdString(value));
}

bool QtSettingsStore::readFailed() const {
  return settings_->status() != QSettings::NoError;
}

void QtSettingsStore::sync() {
  settings_->sync();
}

void openWithWordProcessor(QWidget* parent, const std::string& wordProcessor, const QString& file) {
  bool started = false;
  if (wordProcessor.empty()) {
    started = QDesktopServices::openUrl(QUrl::fromLocalFile(file));
  } else {
    QStringList words = QProcess::splitCommand(
        QString::fromStdString(wordProcessorCommand(wordProcessor, file.toStdString())));
    if (!words.isEmpty()) {
      const QString program = words.takeFirst();
      started = QProcess::startDetached(program, words);
    }
  }
  if (!started) QMessageBox::information(parent, "Information", kWordProcessorError);
}

}  // namespace tolvane::app
