#include "data_windows.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include "main_form_rules.h"

namespace tolvane::app {
namespace {

class TDefaultServices : public TDialogServices {};

}  // namespace

std::optional<std::string> TDialogServices::ChooseProgram(QWidget* parent,
                                                          const std::string& current) {
  const QString file =
      QFileDialog::getOpenFileName(parent, QString(), QString::fromStdString(current),
                                   QStringLiteral("Programs (*.exe *.com);;All Files (*.*)"));
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

TDialogServices& ServicesOf(TWindowHost& host) {
  if (auto* services = dynamic_cast<TDialogServices*>(&host)) return *services;
  static TDefaultServices defaults;  // stateless
  return defaults;
}

TDataWindowBase::TDataWindowBase(TWindowHost& host, TDataWindow kind, QWidget* parent)
    : QWidget(parent), Host_(&host), Kind_(kind) {}

int TDataWindowBase::Units() const {
  return Host_->Core().Data().fUnits;
}

entry::TDataEdit* TDataWindowBase::NewField(const std::string& caption, const std::string& units,
                                          QLabel** label_out) {
  auto* label = new QLabel(this);
  auto* field = new entry::TDataEdit(this);
  field->SetMessageSink(&Messages());
  field->SetCaption(caption);
  field->SetUnitsString(units);
  field->SetUnits(Units());
  field->SetEditLabel(label);
  if (label_out != nullptr) *label_out = label;
  return field;
}

bool TDataWindowBase::FieldsValid() {
  auto* field = qobject_cast<entry::TDataEdit*>(focusWidget());
  if (field == nullptr || !isAncestorOf(field)) return true;
  return field->CloseQuery();
}

void TDataWindowBase::CommitValues() {
  if (!FieldsValid()) return;
  StoreValues();
}

void TDataWindowBase::Activated() {
  if (KeepFieldsOnce_) {
    KeepFieldsOnce_ = false;
    return;
  }
  LoadValues();
}

bool TDataWindowBase::Deactivated() {
  if (Deactivating_) return true;
  Deactivating_ = true;
  const bool valid = FieldsValid();
  if (valid) {
    StoreValues();
  } else {
    KeepFieldsOnce_ = true;
  }
  Deactivating_ = false;
  return valid;
}

bool TDataWindowBase::event(QEvent* event) {
  if (isWindow() && !property("tolvaneClosing").toBool()) {
    if (event->type() == QEvent::WindowActivate && !Deactivating_) {
      Activated();
    } else if (event->type() == QEvent::WindowDeactivate && !Deactivating_ && isVisible()) {
      if (!Deactivated()) {
        QTimer::singleShot(0, this, [this] {
          raise();
          activateWindow();
        });
      }
    }
  }
  return QWidget::event(event);
}

void TDataWindowBase::CloseWindow() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    sub->close();
  } else {
    close();
  }
}

void TDataWindowBase::closeEvent(QCloseEvent* event) {
  if (!FieldsValid()) {
    event->ignore();
    return;
  }
  StoreValues();
  setProperty("tolvaneClosing", true);
  event->accept();
}

QWidget* FindDataWindow(TWindowHost& host, TDataWindow window) {
  for (QWidget* root : {static_cast<QWidget*>(host.MdiArea()), host.Frame()}) {
    if (root == nullptr) continue;
    for (TDataWindowBase* candidate : root->findChildren<TDataWindowBase*>()) {
      if (candidate->Kind() == window && !candidate->property("tolvaneClosing").toBool()) {
        return candidate;
      }
    }
  }
  return nullptr;
}

namespace {

QList<TDataWindowBase*> OpenWindows(TWindowHost& host) {
  QList<TDataWindowBase*> windows;
  for (QWidget* root : {static_cast<QWidget*>(host.MdiArea()), host.Frame()}) {
    if (root == nullptr) continue;
    for (TDataWindowBase* window : root->findChildren<TDataWindowBase*>()) {
      if (!windows.contains(window) && !window->property("tolvaneClosing").toBool()) {
        windows.append(window);
      }
    }
  }
  return windows;
}

}  // namespace

void CloseAllDataWindows(TWindowHost& host) {
  for (TDataWindowBase* window : OpenWindows(host)) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
      sub->close();
    } else {
      window->close();
    }
  }
}

void RefreshDataWindows(TWindowHost& host) {
  for (TDataWindowBase* window : OpenWindows(host)) window->LoadValues();
}

}  // namespace tolvane::app
