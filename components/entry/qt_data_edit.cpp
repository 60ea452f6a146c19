#include "qt_data_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>

#include "expression.h"

namespace tolvane::entry {
namespace {

class MessageBoxSink : public MessageSink {
 public:
  void information(QWidget* parent, const std::string& text) override {
    QMessageBox::information(
        parent, parent != nullptr ? parent->window()->windowTitle() : QString(), messageText(text));
  }
  bool confirm(QWidget* parent, const std::string& text) override {
    return QMessageBox::question(parent, QStringLiteral("Confirm"), messageText(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  }
};

}  // namespace

MessageSink& messageBoxSink() {
  static MessageBoxSink sink;  // stateless
  return sink;
}

QString messageText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

TDataEdit::TDataEdit(QWidget* parent) : QLineEdit(parent) {
  setText(QString::fromStdString(rules_.Text()));
}

void TDataEdit::syncRulesText() const {
  rules_.setText(text().toStdString());
}

long double TDataEdit::Number() const {
  syncRulesText();
  return rules_.GetNumber();
}

long double TDataEdit::numberOr(long double fallback) const {
  try {
    return Number();
  } catch (const EAssignError&) {
    return fallback;
  }
}

void TDataEdit::SetNumber(long double value) {
  rules_.SetNumber(value);
  setText(QString::fromStdString(rules_.Text()));
}

void TDataEdit::SetMinVal(long double value) {
  syncRulesText();
  rules_.SetMinVal(value);
  setText(QString::fromStdString(rules_.Text()));
}

void TDataEdit::SetMaxVal(long double value) {
  syncRulesText();
  rules_.SetMaxVal(value);
  setText(QString::fromStdString(rules_.Text()));
}

void TDataEdit::SetIntegerOnly(bool value) {
  syncRulesText();
  rules_.SetIntegerOnly(value);
  setText(QString::fromStdString(rules_.Text()));
}

void TDataEdit::SetCaption(const std::string& caption) {
  rules_.SetCaption(caption);
  refreshLabel();
}

void TDataEdit::SetUnitsString(const std::string& units) {
  rules_.SetUnitsString(units);
  refreshLabel();
}

void TDataEdit::SetUnits(int units) {
  rules_.SetUnits(units);
  refreshLabel();
}

void TDataEdit::SetEditLabel(QLabel* label) {
  label_ = label;
  if (label != nullptr) label->setBuddy(this);
  refreshLabel();
}

void TDataEdit::refreshLabel() {
  if (label_.isNull()) return;
  label_->setText(QString::fromStdString(rules_.labelText()));
  label_->setEnabled(isEnabled());
}

bool TDataEdit::Evaluate() {
  if (validating_) return rules_.OK();
  validating_ = true;
  syncRulesText();
  const EntryCheck check = rules_.Evaluate();
  setText(QString::fromStdString(rules_.Text()));
  if (!check.OK) {
    (sink_ != nullptr ? *sink_ : messageBoxSink()).information(this, check.message);
    if (isVisible()) setFocus(Qt::OtherFocusReason);
  }
  validating_ = false;
  if (check.OK) emit evaluated();
  return check.OK;
}

void TDataEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Evaluate();
    selectAll();
    event->accept();
    return;
  }
  const QString typed = event->text();
  if (typed.size() == 1 && typed.at(0).unicode() < 0x80) {
    const std::string current = text().toStdString();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
    if (operatorExtendsValue(current, static_cast<size_t>(start), static_cast<size_t>(length),
                             typed.at(0).toLatin1())) {
      end(false);  // the operator extends the value instead of replacing it
    }
  }
  QLineEdit::keyPressEvent(event);
}

void TDataEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Leaving the field for another control validates it; a message box or another window taking
  // the focus does not.
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
    Evaluate();
  }
}

void TDataEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::EnabledChange && !label_.isNull()) label_->setEnabled(isEnabled());
}

}  // namespace tolvane::entry
