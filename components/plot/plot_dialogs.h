// The dialogs of the plot window: "Graph Caption", "Legend", "Active Curves" and
// "Save Attributes".
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "plot_form_state.h"

class QLineEdit;
class QListWidget;
class QRadioButton;

namespace tolvane::plot {

// Shows a warning; the window tests record it instead.
using WarningSink = std::function<void(QWidget* parent, const QString& text)>;
WarningSink defaultWarningSink();

class TfrmGraphCaption : public QDialog {
  Q_OBJECT
 public:
  TfrmGraphCaption(const std::string& title, bool onTop, QWidget* parent = nullptr);
  // Taken when the dialog closes, however it is closed.
  std::string Title() const;
  bool onTop() const;

 private:
  QLineEdit* edit_;
  QRadioButton* top_;
};

class TfrmLineNames : public QDialog {
  Q_OBJECT
 public:
  TfrmLineNames(std::vector<std::string> names, QWidget* parent = nullptr,
                WarningSink warn = defaultWarningSink());
  std::vector<std::string> Names() const { return edit_.Names(); }
  QListWidget* list() { return list_; }
  QLineEdit* lineEdit() { return line_; }
  // Enter in the edit, or leaving it.
  void commitEdit();

 private:
  void selectLine(int row);

  LineNamesEdit edit_;
  WarningSink warn_;
  QListWidget* list_;
  QLineEdit* line_;
};

class TfrmActiveLines : public QDialog {
  Q_OBJECT
 public:
  TfrmActiveLines(const std::vector<std::string>& names, std::vector<bool> active,
                  QWidget* parent = nullptr);
  const std::vector<bool>& Active() const { return active_; }
  QListWidget* list() { return list_; }
  void toggleSelected();
  void setAll(bool active);
  void toggleRow(int row);

 private:
  void refresh();

  std::vector<std::string> names_;
  std::vector<bool> active_;
  QListWidget* list_;
};

class TdlgFormat : public QDialog {
  Q_OBJECT
 public:
  explicit TdlgFormat(QWidget* parent = nullptr, WarningSink warn = defaultWarningSink());
  // The attributes typed in; none when a field is not a number.
  std::optional<SaveAttributes> attributes() const;
  void setAttributes(const SaveAttributes& attributes);
  void accept() override;

 private:
  WarningSink warn_;
  QLineEdit* height_;
  QLineEdit* width_;
  QLineEdit* ppi_;
};

}  // namespace tolvane::plot
