#include "batch_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <fstream>

#include "main_window.h"

namespace tolvane::app {
namespace {

constexpr int kMinWidth = 640;  // pixels
constexpr int kMinHeight = 500;
constexpr const char* kEndOfLine = "\r\n";

}  // namespace

BatchWindow::BatchWindow(TMainForm& window) : QDialog(&window), window_(window), messages_(this) {
  setWindowTitle("Multi-File Analysis (Batch Run)");
  setObjectName("BatchWindow");
  setMinimumSize(kMinWidth, kMinHeight);
  batch_ = std::make_unique<BatchRun>(window.core(), messages_,
                                      [this](const std::string& line) { showMessage(line); });

  list_ = new QListWidget(this);
  list_->setObjectName("batchFileList");
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  count_ = new QLabel(this);
  count_->setObjectName("batchCount");
  messageArea_ = new QPlainTextEdit(this);
  messageArea_->setObjectName("batchMessages");
  messageArea_->setReadOnly(true);
  messageArea_->setLineWrapMode(QPlainTextEdit::NoWrap);
  progress_ = new QProgressBar(this);
  progress_->setObjectName("batchProgress");
  progress_->setRange(0, 1);
  progress_->setValue(0);
  from_ = new QLineEdit(this);
  from_->setObjectName("batchReplaceFrom");
  to_ = new QLineEdit(this);
  to_->setObjectName("batchReplaceTo");

  auto* listButtons = new QVBoxLayout;
  const auto onClick = [this](QPushButton* button, auto command) {
    connect(button, &QPushButton::clicked, this, command);
  };
  onClick(button("Add File(s) To List", "batchAdd"), [this] {
    addFiles(QFileDialog::getOpenFileNames(this, "Add File(s) To List",
                                           QString::fromStdString(window_.core().CurDir),
                                           "TOLVANE 2022(*.tv9d)"));
  });
  onClick(button("Clear Selected File(s)", "batchClearSelected"), [this] { clearSelected(); });
  onClick(button("Clear All File List", "batchClearAll"), [this] { clearAll(); });
  onClick(button("Open a File List", "batchOpenList"), [this] {
    const QString file = QFileDialog::getOpenFileName(
        this, "Open a File List", QString::fromStdString(window_.core().CurDir),
        "Run Batch File (*.gpb) (*.pyb);;All Files (*.*)");
    if (!file.isEmpty()) openFileList(file);
  });
  onClick(button("Save File List", "batchSaveList"), [this] {
    QFileDialog dialog(this, "Save File List", QString::fromStdString(window_.core().CurDir),
                       "Run Batch File (*.pyb)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("pyb");
    if (dialog.exec() == QDialog::Accepted) saveFileList(dialog.selectedFiles().constFirst());
  });
  for (int b = 0; b < buttons_.size(); ++b) listButtons->addWidget(buttons_[b]);
  listButtons->addStretch(1);

  auto* messageButtons = new QVBoxLayout;
  const qsizetype firstMessageButton = buttons_.size();
  onClick(button("Save Run Messages", "batchSaveMessages"), [this] {
    QFileDialog dialog(this, "Save Run Messages", QString::fromStdString(window_.core().CurDir),
                       "Message Batch File (*.pym)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("pym");
    if (dialog.exec() == QDialog::Accepted) saveRunMessages(dialog.selectedFiles().constFirst());
  });
  onClick(button("Open Run Messages", "batchOpenMessages"), [this] {
    const QString file = QFileDialog::getOpenFileName(
        this, "Open Run Messages", QString::fromStdString(window_.core().CurDir),
        "Message Batch File (*.pym);;All Files (*.*)");
    if (!file.isEmpty()) {
      openWithWordProcessor(this, window_.settings().WordProcessor, file);
    }
  });
  onClick(button("Clear Run Messages", "batchClearMessages"), [this] { clearRunMessages(); });
  for (qsizetype b = firstMessageButton; b < buttons_.size(); ++b) {
    messageButtons->addWidget(buttons_[b]);
  }
  messageButtons->addStretch(1);

  auto* replace = new QHBoxLayout;
  onClick(button("Replace", "batchReplace"), [this] { this->replace(from_->text(), to_->text()); });
  replace->addWidget(buttons_.back());
  replace->addWidget(from_, 1);
  replace->addWidget(new QLabel("by", this));
  replace->addWidget(to_, 1);

  auto* runButtons = new QHBoxLayout;
  onClick(button("Check Files", "batchCheck"), [this] { checkFiles(); });
  runButtons->addWidget(buttons_.back());
  onClick(button("Run All Analyses", "batchRunAll"), [this] { runAll(); });
  runButtons->addWidget(buttons_.back());
  runButtons->addStretch(1);
  onClick(button("Close", "batchClose"), [this] { reject(); });
  runButtons->addWidget(buttons_.back());

  auto* grid = new QGridLayout(this);
  grid->addWidget(count_, 0, 0);
  grid->addWidget(list_, 1, 0);
  grid->addLayout(listButtons, 1, 1);
  grid->addLayout(replace, 2, 0, 1, 2);
  grid->addWidget(new QLabel("Run messages:", this), 3, 0);
  grid->addWidget(messageArea_, 4, 0);
  grid->addLayout(messageButtons, 4, 1);
  grid->addWidget(progress_, 5, 0, 1, 2);
  grid->addLayout(runButtons, 6, 0, 1, 2);
  // The file list and the messages share the height.
  grid->setRowStretch(1, 1);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(0, 1);
  showList();
}

BatchWindow::~BatchWindow() = default;

QPushButton* BatchWindow::button(const QString& caption, const QString& name) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setAutoDefault(false);
  buttons_.push_back(button);
  return button;
}

void BatchWindow::showList() {
  list_->clear();
  for (const std::string& file : batch_->list.files()) list_->addItem(QString::fromStdString(file));
  count_->setText(QString("Number of Files: %1").arg(batch_->list.files().size()));
}

void BatchWindow::showMessage(const std::string& line) {
  // The first line of a run or check starts the area afresh.
  if (batch_->messages.size() == 1) messageArea_->clear();
  messageArea_->appendPlainText(QString::fromStdString(line));
  const int files = static_cast<int>(batch_->list.files().size());
  progress_->setRange(0, files > 0 ? files : 1);
  progress_->setValue(batch_->progress);
  window_.updateTitle();
}

void BatchWindow::reject() {
  if (!running_) QDialog::reject();
}

void BatchWindow::setRunning(bool running) {
  running_ = running;
  // One run at a time: the buttons rest while the files are checked or analysed.
  for (QPushButton* button : buttons_) button->setEnabled(!running);
  list_->setEnabled(!running);
}

void BatchWindow::addFiles(const QStringList& files) {
  for (const QString& file : files) batch_->list.Add(file.toStdString());
  showList();
}

void BatchWindow::clearSelected() {
  std::vector<int> selected;
  for (int row = 0; row < list_->count(); ++row) {
    if (list_->item(row)->isSelected()) selected.push_back(row);
  }
  batch_->list.remove(selected);
  showList();
}

void BatchWindow::clearAll() {
  batch_->clearList();
  showList();
}

bool BatchWindow::openFileList(const QString& file) {
  const bool opened = batch_->openList(file.toStdString());
  if (!opened) messages_.error("The list file " + file.toStdString() + " cannot be read.");
  showList();
  return opened;
}

bool BatchWindow::saveFileList(const QString& file) {
  const bool saved = batch_->saveList(file.toStdString());
  if (!saved) messages_.error("The list file " + file.toStdString() + " cannot be written.");
  return saved;
}

bool BatchWindow::saveRunMessages(const QString& file) {
  std::ofstream out(file.toStdString(), std::ios::binary | std::ios::trunc);
  for (const std::string& line : batch_->messages) out << line << kEndOfLine;
  out << kEndOfLine;
  out.close();
  if (!out) messages_.error("The message file " + file.toStdString() + " cannot be written.");
  return static_cast<bool>(out);
}

void BatchWindow::clearRunMessages() {
  batch_->messages.clear();
  messageArea_->clear();
  batch_->progress = 0;
  progress_->setValue(0);
}

void BatchWindow::replace(const QString& from, const QString& to) {
  batch_->list.replace(from.toStdString(), to.toStdString());
  showList();
}

void BatchWindow::checkFiles() {
  setRunning(true);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  batch_->checkFiles();
  QApplication::restoreOverrideCursor();
  setRunning(false);
}

void BatchWindow::runAll() {
  // The engine calls show the hourglass while they run.
  setRunning(true);
  batch_->runAll();
  setRunning(false);
  window_.updateTitle();
  window_.updateEnabling();
}

}  // namespace tolvane::app
