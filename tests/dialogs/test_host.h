// A main window for the window tests: a frame with an MDI area over a real MainFormRules, recording
// the messages the windows show and answering their questions.
#pragma once

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>
#include <string>
#include <vector>

#include "data_windows.h"
#include "main_form_rules.h"
#include "recorded_messages.h"

namespace tolvane::app::testing {

class TTestHost : public TWindowHost, public TDialogServices, public entry::TMessageSink {
 public:
  explicit TTestHost(int default_units = kEnglishUnits)
      : Form_(Recorded, Project, QDir::tempPath().toStdString(), default_units) {
    Frame_.resize(kFrameWidthPx, kFrameHeightPx);
    Area_ = new QMdiArea(&Frame_);
    Area_->setGeometry(0, 0, kFrameWidthPx, kFrameHeightPx);
    Frame_.show();
  }

  MainFormRules& Core() override { return Form_; }
  QMdiArea* MdiArea() override { return Area_; }
  QWidget* Frame() override { return &Frame_; }
  void ProjectChanged() override {
    ++Changes;
    Form_.Project().Grids().ProjectChanged = true;
  }
  void UpdateEnabling() override { ++Enablings; }

  entry::TMessageSink& Messages() override { return *this; }
  std::string WordProcessor() const override { return WordProcessorSetting; }
  void SetWordProcessor(const std::string& command) override { WordProcessorSetting = command; }
  std::optional<std::string> ChooseProgram(QWidget*, const std::string&) override {
    return ChosenProgram;
  }

  void Information(QWidget*, const std::string& text) override { Shown.push_back(text); }
  bool Confirm(QWidget*, const std::string& text) override {
    Questions.push_back(text);
    return Answer;
  }

  TProgramData& Data() { return Form_.Data(); }
  TProjectGrids& Grids() { return Form_.Project().Grids(); }
  bool Changed() { return Form_.Project().Changed(); }
  void ClearChanged() {
    Form_.Project().Grids().ProjectChanged = false;
    Form_.Project().Grids().ResetAllChanged();
    Changes = 0;
  }
  template <typename T>
  T* Window(TDataWindow kind) {
    return qobject_cast<T*>(FindDataWindow(*this, kind));
  }
  // Makes another MDI child active, so the window under test is deactivated.
  void DeactivateAll() { Area_->setActiveSubWindow(nullptr); }

  std::vector<std::string> Shown;
  std::vector<std::string> Questions;
  bool Answer = true;
  int Changes = 0;
  int Enablings = 0;
  std::string WordProcessorSetting = "notepad.exe";
  std::optional<std::string> ChosenProgram;
  RecordedMessages Recorded;
  THeadlessHost Project;

 private:
  static constexpr int kFrameWidthPx = 1280;
  static constexpr int kFrameHeightPx = 900;
  MainFormRules Form_;  // outlives the windows, which are destroyed with the frame
  QWidget Frame_;
  QMdiArea* Area_;
};

// Runs `action` on the modal window that the next call opens.
template <typename Action>
void WhenModalOpens(Action action) {
  QTimer::singleShot(0, [action] {
    QWidget* modal = QApplication::activeModalWidget();
    action(modal);
  });
}

}  // namespace tolvane::app::testing
