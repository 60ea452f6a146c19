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
using TWarningSink = std::function<void(QWidget* parent, const QString& text)>;
TWarningSink DefaultWarningSink();

class TfrmGraphCaption : public QDialog {
  Q_OBJECT
 public:
  TfrmGraphCaption(const std::string& title, bool on_top, QWidget* parent = nullptr);
  // Taken when the dialog closes, however it is closed.
  std::string Title() const;
  bool OnTop() const;

 private:
  QLineEdit* Edit_;
  QRadioButton* Top_;
};

class TfrmLineNames : public QDialog {
  Q_OBJECT
 public:
  TfrmLineNames(std::vector<std::string> names, QWidget* parent = nullptr,
                TWarningSink warn = DefaultWarningSink());
  std::vector<std::string> Names() const { return Edit_.Names(); }
  QListWidget* List() { return List_; }
  QLineEdit* Edit() { return Line_; }
  // Enter in the edit, or leaving it.
  void CommitEdit();

 private:
  void SelectRow(int row);

  TLineNamesEdit Edit_;
  TWarningSink Warn_;
  QListWidget* List_;
  QLineEdit* Line_;
};

class TfrmActiveLines : public QDialog {
  Q_OBJECT
 public:
  TfrmActiveLines(const std::vector<std::string>& names, std::vector<bool> active,
                  QWidget* parent = nullptr);
  const std::vector<bool>& Active() const { return Active_; }
  QListWidget* List() { return List_; }
  void ToggleSelected();
  void SetAll(bool active);
  void ToggleRow(int row);

 private:
  void Refresh();

  std::vector<std::string> Names_;
  std::vector<bool> Active_;
  QListWidget* List_;
};

class TdlgFormat : public QDialog {
  Q_OBJECT
 public:
  explicit TdlgFormat(QWidget* parent = nullptr, TWarningSink warn = DefaultWarningSink());
  // The attributes typed in; none when a field is not a number.
  std::optional<TSaveAttributes> Attributes() const;
  void SetAttributes(const TSaveAttributes& attributes);
  void accept() override;

 private:
  TWarningSink Warn_;
  QLineEdit* Height_;
  QLineEdit* Width_;
  QLineEdit* Ppi_;
};

}  // namespace tolvane::plot
