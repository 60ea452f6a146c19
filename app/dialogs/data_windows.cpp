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

class DefaultServices : public DialogServices {};

}  // namespace

std::optional<std::string> DialogServices::chooseProgram(QWidget* parent,
                                                         const std::string& current) {
  const QString file =
      QFileDialog::getOpenFileName(parent, QString(), QString::fromStdString(current),
                                   QStringLiteral("Programs (*.exe *.com);;All Files (*.*)"));
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

DialogServices& servicesOf(WindowHost& host) {
  if (auto* services = dynamic_cast<DialogServices*>(&host)) return *services;
  static DefaultServices defaults;  // stateless
  return defaults;
}

DataWindowBase::DataWindowBase(WindowHost& host, DataWindow kind, QWidget* parent)
    : QWidget(parent), host_(&host), kind_(kind) {}

int DataWindowBase::Units() const {
  return host_->core().Data().fUnits;
}

entry::TDataEdit* DataWindowBase::newField(const std::string& caption, const std::string& units,
                                           QLabel** labelOut) {
  auto* label = new QLabel(this);
  auto* field = new entry::TDataEdit(this);
  field->setMessageSink(&messages());
  field->SetCaption(caption);
  field->SetUnitsString(units);
  field->SetUnits(Units());
  field->SetEditLabel(label);
  if (labelOut != nullptr) *labelOut = label;
  return field;
}

bool DataWindowBase::fieldsValid() {
  auto* field = qobject_cast<entry::TDataEdit*>(focusWidget());
  if (field == nullptr || !isAncestorOf(field)) return true;
  return field->CloseQuery();
}

void DataWindowBase::commitValues() {
  if (!fieldsValid()) return;
  storeValues();
}

void DataWindowBase::onActivated() {
  if (keepFieldsOnce_) {
    keepFieldsOnce_ = false;
    return;
  }
  loadValues();
}

bool DataWindowBase::deactivated() {
  if (deactivating_) return true;
  deactivating_ = true;
  const bool valid = fieldsValid();
  if (valid) {
    storeValues();
  } else {
    keepFieldsOnce_ = true;
  }
  deactivating_ = false;
  return valid;
}

bool DataWindowBase::event(QEvent* event) {
  if (isWindow() && !property("tolvaneClosing").toBool()) {
    if (event->type() == QEvent::WindowActivate && !deactivating_) {
      onActivated();
    } else if (event->type() == QEvent::WindowDeactivate && !deactivating_ && isVisible()) {
      if (!deactivated()) {
        QTimer::singleShot(0, this, [this] {
          raise();
          activateWindow();
        });
      }
    }
  }
  return QWidget::event(event);
}

void DataWindowBase::closeWindow() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    sub->close();
  } else {
    close();
  }
}

void DataWindowBase::closeEvent(QCloseEvent* event) {
  if (!fieldsValid()) {
    event->ignore();
    return;
  }
  storeValues();
  setProperty("tolvaneClosing", true);
  event->accept();
}

QWidget* findDataWindow(WindowHost& host, DataWindow window) {
  for (QWidget* root : {static_cast<QWidget*>(host.mdiArea()), host.frame()}) {
    if (root == nullptr) continue;
    for (DataWindowBase* candidate : root->findChildren<DataWindowBase*>()) {
      if (candidate->kind() == window && !candidate->property("tolvaneClosing").toBool()) {
        return candidate;
      }
    }
  }
  return nullptr;
}

namespace {

QList<DataWindowBase*> openWindows(WindowHost& host) {
  QList<DataWindowBase*> windows;
  for (QWidget* root : {static_cast<QWidget*>(host.mdiArea()), host.frame()}) {
    if (root == nullptr) continue;
    for (DataWindowBase* window : root->findChildren<DataWindowBase*>()) {
      if (!windows.contains(window) && !window->property("tolvaneClosing").toBool()) {
        windows.append(window);
      }
    }
  }
  return windows;
}

}  // namespace

void closeAllDataWindows(WindowHost& host) {
  for (DataWindowBase* window : openWindows(host)) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
      sub->close();
    } else {
      window->close();
    }
  }
}

void refreshDataWindows(WindowHost& host) {
  for (DataWindowBase* window : openWindows(host)) window->loadValues();
}

}  // namespace tolvane::app
