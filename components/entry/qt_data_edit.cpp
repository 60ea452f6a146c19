#include "qt_data_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>

#include "expression.h"

namespace tolvane::entry {
namespace {

class TMessageBoxSink : public TMessageSink {
 public:
  void Information(QWidget* parent, const std::string& text) override {
    QMessageBox::information(
        parent, parent != nullptr ? parent->window()->windowTitle() : QString(), MessageText(text));
  }
  bool Confirm(QWidget* parent, const std::string& text) override {
    return QMessageBox::question(parent, QStringLiteral("Confirm"), MessageText(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  }
};

}  // namespace

TMessageSink& MessageBoxSink() {
  static TMessageBoxSink sink;  // stateless
  return sink;
}

QString MessageText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

TDataEdit::TDataEdit(QWidget* parent) : QLineEdit(parent) {
  setText(QString::fromStdString(Rules_.Text()));
}

void TDataEdit::SyncRulesText() const {
  Rules_.SetText(text().toStdString());
}

long double TDataEdit::Number() const {
  SyncRulesText();
  return Rules_.GetNumber();
}

long double TDataEdit::NumberOr(long double fallback) const {
  try {
    return Number();
  } catch (const EAssignError&) {
    return fallback;
  }
}

void TDataEdit::SetNumber(long double value) {
  Rules_.SetNumber(value);
  setText(QString::fromStdString(Rules_.Text()));
}

void TDataEdit::SetMinVal(long double value) {
  SyncRulesText();
  Rules_.SetMinVal(value);
  setText(QString::fromStdString(Rules_.Text()));
}

void TDataEdit::SetMaxVal(long double value) {
  SyncRulesText();
  Rules_.SetMaxVal(value);
  setText(QString::fromStdString(Rules_.Text()));
}

void TDataEdit::SetIntegerOnly(bool value) {
  SyncRulesText();
  Rules_.SetIntegerOnly(value);
  setText(QString::fromStdString(Rules_.Text()));
}

void TDataEdit::SetCaption(const std::string& caption) {
  Rules_.SetCaption(caption);
  RefreshLabel();
}

void TDataEdit::SetUnitsString(const std::string& units) {
  Rules_.SetUnitsString(units);
  RefreshLabel();
}

void TDataEdit::SetUnits(int units) {
  Rules_.SetUnits(units);
  RefreshLabel();
}

void TDataEdit::SetEditLabel(QLabel* label) {
  Label_ = label;
  if (label != nullptr) label->setBuddy(this);
  RefreshLabel();
}

void TDataEdit::RefreshLabel() {
  if (Label_.isNull()) return;
  Label_->setText(QString::fromStdString(Rules_.LabelText()));
  Label_->setEnabled(isEnabled());
}

bool TDataEdit::Evaluate() {
  if (Validating_) return Rules_.OK();
  Validating_ = true;
  SyncRulesText();
  const TEntryCheck check = Rules_.Evaluate();
  setText(QString::fromStdString(Rules_.Text()));
  if (!check.OK) {
    (Sink_ != nullptr ? *Sink_ : MessageBoxSink()).Information(this, check.Message);
    if (isVisible()) setFocus(Qt::OtherFocusReason);
  }
  Validating_ = false;
  if (check.OK) emit Evaluated();
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
    if (OperatorExtendsValue(current, static_cast<size_t>(start), static_cast<size_t>(length),
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
  if (event->type() == QEvent::EnabledChange && !Label_.isNull()) Label_->setEnabled(isEnabled());
}

}  // namespace tolvane::entry
