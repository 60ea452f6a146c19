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

class TestHost : public WindowHost, public DialogServices, public entry::MessageSink {
 public:
  explicit TestHost(int defaultUnits = kEnglishUnits)
      : form_(recorded, project, QDir::tempPath().toStdString(), defaultUnits) {
    frame_.resize(kFrameWidthPx, kFrameHeightPx);
    area_ = new QMdiArea(&frame_);
    area_->setGeometry(0, 0, kFrameWidthPx, kFrameHeightPx);
    frame_.show();
  }

  MainFormRules& core() override { return form_; }
  QMdiArea* mdiArea() override { return area_; }
  QWidget* frame() override { return &frame_; }
  void projectChanged() override {
    ++changes;
    form_.project().grids().projectChanged = true;
  }
  void updateEnabling() override { ++enablings; }

  entry::MessageSink& messages() override { return *this; }
  std::string WordProcessor() const override { return wordProcessorSetting; }
  void setWordProcessor(const std::string& command) override { wordProcessorSetting = command; }
  std::optional<std::string> chooseProgram(QWidget*, const std::string&) override {
    return chosenProgram;
  }

  void information(QWidget*, const std::string& text) override { shown.push_back(text); }
  bool confirm(QWidget*, const std::string& text) override {
    questions.push_back(text);
    return answer;
  }

  TProgramData& Data() { return form_.Data(); }
  ProjectGrids& grids() { return form_.project().grids(); }
  bool Changed() { return form_.project().Changed(); }
  void clearChanged() {
    form_.project().grids().projectChanged = false;
    form_.project().grids().resetAllChanged();
    changes = 0;
  }
  template <typename T>
  T* dataWindow(DataWindow kind) {
    return qobject_cast<T*>(findDataWindow(*this, kind));
  }
  // Makes another MDI child active, so the window under test is deactivated.
  void deactivateAll() { area_->setActiveSubWindow(nullptr); }

  std::vector<std::string> shown;
  std::vector<std::string> questions;
  bool answer = true;
  int changes = 0;
  int enablings = 0;
  std::string wordProcessorSetting = "notepad.exe";
  std::optional<std::string> chosenProgram;
  RecordedMessages recorded;
  HeadlessHost project;

 private:
  static constexpr int kFrameWidthPx = 1280;
  static constexpr int kFrameHeightPx = 900;
  MainFormRules form_;  // outlives the windows, which are destroyed with the frame
  QWidget frame_;
  QMdiArea* area_;
};

// Runs `action` on the modal window that the next call opens.
template <typename Action>
void whenModalOpens(Action action) {
  QTimer::singleShot(0, [action] {
    QWidget* modal = QApplication::activeModalWidget();
    action(modal);
  });
}

}  // namespace tolvane::app::testing
