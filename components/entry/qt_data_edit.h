// The numeric entry field of the data windows: a one-line edit that evaluates the typed
// expression when it is left or Enter is pressed, checks the integer, minimum and maximum rules,
// shows their message and returns the focus, and keeps its caption label in step with the units.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <string>

#include "data_edit.h"

#include <QLabel>

namespace tolvane::entry {

// Where the windows show their messages: message boxes in the program, a record in the tests.
// Texts use a carriage return as line break.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void information(QWidget* parent, const std::string& text) = 0;
  // A Yes/No question; true for Yes.
  virtual bool confirm(QWidget* parent, const std::string& text) = 0;
};

// The sink that shows Qt message boxes.
MessageSink& messageBoxSink();

// A carriage return as line break turned into the toolkit's line feed.
QString messageText(const std::string& text);

class TDataEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TDataEdit(QWidget* parent = nullptr);

  // The rules of the field: limits, integer rule, caption, units.
  const DataEditRules& rules() const { return rules_; }

  // The value of the present text; throws EAssignError when it does not evaluate.
  long double Number() const;
  void SetNumber(long double value);
  // The value when the text evaluates, else the fallback.
  long double numberOr(long double fallback) const;

  void SetMinVal(long double value);
  void SetMaxVal(long double value);
  void SetIntegerOnly(bool value);
  void SetCaption(const std::string& caption);
  void SetUnitsString(const std::string& units);
  void SetUnits(int units);
  // The label that names the field; its text is the caption with the units, and it is enabled
  // with the field.
  void SetEditLabel(QLabel* label);
  QLabel* EditLabel() const { return label_; }
  void setMessageSink(MessageSink* sink) { sink_ = sink; }

  // The exit validation: on failure the message is shown and the focus returns to the field.
  bool Evaluate();
  // Dialogs refuse to close or to give up the focus while it fails.
  bool CloseQuery() { return Evaluate(); }
  bool OK() const { return rules_.OK(); }

 signals:
  // The field was left or Enter was pressed and its value is valid.
  void evaluated();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void refreshLabel();
  void syncRulesText() const;

  mutable DataEditRules rules_;
  QPointer<QLabel> label_;
  MessageSink* sink_ = nullptr;
  bool validating_ = false;
};

}  // namespace tolvane::entry
