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

TBatchWindow::TBatchWindow(TMainForm& window)
    : QDialog(&window), Window_(window), Messages_(this) {
  setWindowTitle("Multi-File Analysis (Batch Run)");
  setObjectName("BatchWindow");
  setMinimumSize(kMinWidth, kMinHeight);
  Batch_ = std::make_unique<TBatchRun>(window.Core(), Messages_,
                                       [this](const std::string& line) { ShowMessage(line); });

  List_ = new QListWidget(this);
  List_->setObjectName("batchFileList");
  List_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  List_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Count_ = new QLabel(this);
  Count_->setObjectName("batchCount");
  MessageArea_ = new QPlainTextEdit(this);
  MessageArea_->setObjectName("batchMessages");
  MessageArea_->setReadOnly(true);
  MessageArea_->setLineWrapMode(QPlainTextEdit::NoWrap);
  Progress_ = new QProgressBar(this);
  Progress_->setObjectName("batchProgress");
  Progress_->setRange(0, 1);
  Progress_->setValue(0);
  From_ = new QLineEdit(this);
  From_->setObjectName("batchReplaceFrom");
  To_ = new QLineEdit(this);
  To_->setObjectName("batchReplaceTo");

  auto* list_buttons = new QVBoxLayout;
  const auto on_click = [this](QPushButton* button, auto command) {
    connect(button, &QPushButton::clicked, this, command);
  };
  on_click(Button("Add File(s) To List", "batchAdd"), [this] {
    AddFiles(QFileDialog::getOpenFileNames(this, "Add File(s) To List",
                                           QString::fromStdString(Window_.Core().CurDir),
                                           "TOLVANE 2022(*.tv9d)"));
  });
  on_click(Button("Clear Selected File(s)", "batchClearSelected"), [this] { ClearSelected(); });
  on_click(Button("Clear All File List", "batchClearAll"), [this] { ClearAll(); });
  on_click(Button("Open a File List", "batchOpenList"), [this] {
    const QString file = QFileDialog::getOpenFileName(
        this, "Open a File List", QString::fromStdString(Window_.Core().CurDir),
        "Run Batch File (*.gpb) (*.pyb);;All Files (*.*)");
    if (!file.isEmpty()) OpenFileList(file);
  });
  on_click(Button("Save File List", "batchSaveList"), [this] {
    QFileDialog dialog(this, "Save File List", QString::fromStdString(Window_.Core().CurDir),
                       "Run Batch File (*.pyb)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("pyb");
    if (dialog.exec() == QDialog::Accepted) SaveFileList(dialog.selectedFiles().constFirst());
  });
  for (int b = 0; b < Buttons_.size(); ++b) list_buttons->addWidget(Buttons_[b]);
  list_buttons->addStretch(1);

  auto* message_buttons = new QVBoxLayout;
  const qsizetype first_message_button = Buttons_.size();
  on_click(Button("Save Run Messages", "batchSaveMessages"), [this] {
    QFileDialog dialog(this, "Save Run Messages", QString::fromStdString(Window_.Core().CurDir),
                       "Message Batch File (*.pym)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("pym");
    if (dialog.exec() == QDialog::Accepted) SaveRunMessages(dialog.selectedFiles().constFirst());
  });
  on_click(Button("Open Run Messages", "batchOpenMessages"), [this] {
    const QString file = QFileDialog::getOpenFileName(
        this, "Open Run Messages", QString::fromStdString(Window_.Core().CurDir),
        "Message Batch File (*.pym);;All Files (*.*)");
    if (!file.isEmpty()) {
      OpenWithWordProcessor(this, Window_.Settings().WordProcessor, file);
    }
  });
  on_click(Button("Clear Run Messages", "batchClearMessages"), [this] { ClearRunMessages(); });
  for (qsizetype b = first_message_button; b < Buttons_.size(); ++b) {
    message_buttons->addWidget(Buttons_[b]);
  }
  message_buttons->addStretch(1);

  auto* replace = new QHBoxLayout;
  on_click(Button("Replace", "batchReplace"), [this] { Replace(From_->text(), To_->text()); });
  replace->addWidget(Buttons_.back());
  replace->addWidget(From_, 1);
  replace->addWidget(new QLabel("by", this));
  replace->addWidget(To_, 1);

  auto* run_buttons = new QHBoxLayout;
  on_click(Button("Check Files", "batchCheck"), [this] { CheckFiles(); });
  run_buttons->addWidget(Buttons_.back());
  on_click(Button("Run All Analyses", "batchRunAll"), [this] { RunAll(); });
  run_buttons->addWidget(Buttons_.back());
  run_buttons->addStretch(1);
  on_click(Button("Close", "batchClose"), [this] { reject(); });
  run_buttons->addWidget(Buttons_.back());

  auto* grid = new QGridLayout(this);
  grid->addWidget(Count_, 0, 0);
  grid->addWidget(List_, 1, 0);
  grid->addLayout(list_buttons, 1, 1);
  grid->addLayout(replace, 2, 0, 1, 2);
  grid->addWidget(new QLabel("Run messages:", this), 3, 0);
  grid->addWidget(MessageArea_, 4, 0);
  grid->addLayout(message_buttons, 4, 1);
  grid->addWidget(Progress_, 5, 0, 1, 2);
  grid->addLayout(run_buttons, 6, 0, 1, 2);
  // The file list and the messages share the height.
  grid->setRowStretch(1, 1);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(0, 1);
  ShowList();
}

TBatchWindow::~TBatchWindow() = default;

QPushButton* TBatchWindow::Button(const QString& caption, const QString& name) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setAutoDefault(false);
  Buttons_.push_back(button);
  return button;
}

void TBatchWindow::ShowList() {
  List_->clear();
  for (const std::string& file : Batch_->List.Files()) List_->addItem(QString::fromStdString(file));
  Count_->setText(QString("Number of Files: %1").arg(Batch_->List.Files().size()));
}

void TBatchWindow::ShowMessage(const std::string& line) {
  // The first line of a run or check starts the area afresh.
  if (Batch_->Messages.size() == 1) MessageArea_->clear();
  MessageArea_->appendPlainText(QString::fromStdString(line));
  const int files = static_cast<int>(Batch_->List.Files().size());
  Progress_->setRange(0, files > 0 ? files : 1);
  Progress_->setValue(Batch_->Progress);
  Window_.UpdateTitle();
}

void TBatchWindow::reject() {
  if (!Running_) QDialog::reject();
}

void TBatchWindow::SetRunning(bool running) {
  Running_ = running;
  // One run at a time: the buttons rest while the files are checked or analysed.
  for (QPushButton* button : Buttons_) button->setEnabled(!running);
  List_->setEnabled(!running);
}

void TBatchWindow::AddFiles(const QStringList& files) {
  for (const QString& file : files) Batch_->List.Add(file.toStdString());
  ShowList();
}

void TBatchWindow::ClearSelected() {
  std::vector<int> selected;
  for (int row = 0; row < List_->count(); ++row) {
    if (List_->item(row)->isSelected()) selected.push_back(row);
  }
  Batch_->List.Remove(selected);
  ShowList();
}

void TBatchWindow::ClearAll() {
  Batch_->ClearList();
  ShowList();
}

bool TBatchWindow::OpenFileList(const QString& file) {
  const bool opened = Batch_->OpenList(file.toStdString());
  if (!opened) Messages_.error("The list file " + file.toStdString() + " cannot be read.");
  ShowList();
  return opened;
}

bool TBatchWindow::SaveFileList(const QString& file) {
  const bool saved = Batch_->SaveList(file.toStdString());
  if (!saved) Messages_.error("The list file " + file.toStdString() + " cannot be written.");
  return saved;
}

bool TBatchWindow::SaveRunMessages(const QString& file) {
  std::ofstream out(file.toStdString(), std::ios::binary | std::ios::trunc);
  for (const std::string& line : Batch_->Messages) out << line << kEndOfLine;
  out << kEndOfLine;
  out.close();
  if (!out) Messages_.error("The message file " + file.toStdString() + " cannot be written.");
  return static_cast<bool>(out);
}

void TBatchWindow::ClearRunMessages() {
  Batch_->Messages.clear();
  MessageArea_->clear();
  Batch_->Progress = 0;
  Progress_->setValue(0);
}

void TBatchWindow::Replace(const QString& from, const QString& to) {
  Batch_->List.Replace(from.toStdString(), to.toStdString());
  ShowList();
}

void TBatchWindow::CheckFiles() {
  SetRunning(true);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Batch_->CheckFiles();
  QApplication::restoreOverrideCursor();
  SetRunning(false);
}

void TBatchWindow::RunAll() {
  // The engine calls show the hourglass while they run.
  SetRunning(true);
  Batch_->RunAll();
  SetRunning(false);
  Window_.UpdateTitle();
  Window_.UpdateEnabling();
}

}  // namespace tolvane::app
