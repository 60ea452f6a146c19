#include "soil_parameter_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data_windows.h"
#include "main_form_rules.h"
#include "number_text.h"

namespace tolvane::app {
namespace {

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

// A caption for a Qt button, where a single ampersand would mark a shortcut.
QString buttonText(const std::string& caption) {
  return q(shownCaption(caption)).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

constexpr int kFieldWidthPx = 110;
constexpr int kColumnSpacingPx = 12;

}  // namespace

SoilParameterDialog::SoilParameterDialog(WindowHost& host, int row, QWidget* parent)
    : QDialog(parent),
      host_(&host),
      messages_(&servicesOf(host).messages()),
      row_(row),
      type_(host.core().project().grids().SoilType(row)),
      title_(new QLabel(this)),
      copy_(new QPushButton(QStringLiteral("Copy Values From Top To Bottom"), this)),
      close_(new QPushButton(QStringLiteral("Close"), this)) {
  setWindowTitle(QStringLiteral("Layer"));
  setModal(true);
  const SoilPage& page = soilPageFor(type_);
  QFont titleFont = title_->font();
  titleFont.setBold(true);
  title_->setFont(titleFont);
  title_->setText(q(soilPageTitle(type_)));

  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(kColumnSpacingPx);
  fields->addWidget(new QLabel(QStringLiteral("Values at\nTop of Layer"), this), 0, 1,
                    Qt::AlignCenter);
  fields->addWidget(new QLabel(QStringLiteral("Values at\nBottom of Layer"), this), 0, 2,
                    Qt::AlignCenter);
  int gridRow = 1;
  for (const SoilField& field : page.fields) {
    FieldWidgets widgets;
    widgets.field = &field;
    widgets.label = new QLabel(this);
    widgets.Top = newCell(field, widgets.label);
    widgets.Bottom = newCell(field, nullptr);
    if (field.kind == SoilFieldKind::kPickList) widgets.label->setText(q(field.Caption));
    if (field.hidden) {
      widgets.label->hide();
      widgets.Top->hide();
      widgets.Bottom->hide();
    } else {
      fields->addWidget(widgets.label, gridRow, 0);
      fields->addWidget(widgets.Top, gridRow, 1);
      fields->addWidget(widgets.Bottom, gridRow, 2);
      ++gridRow;
    }
    fields_.push_back(widgets);
  }

  auto* body = new QHBoxLayout;
  body->addLayout(fields);
  if (!page.methods.empty()) {
    auto* group = new QGroupBox(q(page.methodGroup), this);
    auto* methods = new QVBoxLayout(group);
    for (size_t m = 0; m < page.methods.size(); ++m) {
      auto* button = new QRadioButton(buttonText(page.methods[m]), group);
      connect(button, &QRadioButton::toggled, this, [this](bool on) {
        if (on) updateEnabling();
      });
      methods_.push_back(button);
      if (m == 2 && !page.methodNote.empty()) {
        auto* line = new QHBoxLayout;
        line->addWidget(button);
        line->addWidget(new QLabel(q(page.methodNote), group));
        line->addStretch();
        methods->addLayout(line);
      } else {
        methods->addWidget(button);
      }
    }
    methods->addStretch();
    group->setEnabled(methodGroupEnabled(type_));
    body->addWidget(group, 0, Qt::AlignTop);
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_);
  layout->addLayout(body);
  notes_ = new QVBoxLayout;
  notes_->setSpacing(0);
  layout->addLayout(notes_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(copy_);
  buttons->addStretch();
  buttons->addWidget(close_);
  layout->addLayout(buttons);
  connect(copy_, &QPushButton::clicked, this, &SoilParameterDialog::copyTopToBottom);
  connect(close_, &QPushButton::clicked, this, &SoilParameterDialog::closeClick);
  close_->setDefault(false);
  close_->setAutoDefault(false);
  copy_->setAutoDefault(false);
  load();
}

QWidget* SoilParameterDialog::newCell(const SoilField& field, QLabel* label) {
  if (field.kind == SoilFieldKind::kPickList) {
    auto* list = new QComboBox(this);
    for (const std::string& item : field.items) list->addItem(q(item));
    list->setPlaceholderText(q(field.prompt));
    list->setMinimumWidth(kFieldWidthPx);
    if (label != nullptr) label->setBuddy(list);
    return list;
  }
  auto* edit = new entry::TDataEdit(this);
  edit->setMessageSink(messages_);
  edit->setFixedWidth(kFieldWidthPx);
  if (label != nullptr) {
    edit->SetCaption(field.Caption);
    edit->SetUnitsString(field.Units);
    edit->SetUnits(host_->core().Data().fUnits);
    edit->SetEditLabel(label);
  }
  return edit;
}

const SoilParameterDialog::FieldWidgets* SoilParameterDialog::widgetsOf(int column) const {
  for (const FieldWidgets& widgets : fields_) {
    if (widgets.field->column == column) return &widgets;
  }
  return nullptr;
}

entry::TDataEdit* SoilParameterDialog::field(int column, int row) const {
  const FieldWidgets* widgets = widgetsOf(column);
  if (widgets == nullptr) return nullptr;
  return qobject_cast<entry::TDataEdit*>(row == kTopRow ? widgets->Top : widgets->Bottom);
}

QComboBox* SoilParameterDialog::pickList(int column, int row) const {
  const FieldWidgets* widgets = widgetsOf(column);
  if (widgets == nullptr) return nullptr;
  return qobject_cast<QComboBox*>(row == kTopRow ? widgets->Top : widgets->Bottom);
}

QLabel* SoilParameterDialog::fieldLabel(int column) const {
  const FieldWidgets* widgets = widgetsOf(column);
  return widgets != nullptr ? widgets->label : nullptr;
}

QRadioButton* SoilParameterDialog::methodButton(int method) const {
  if (method < 1 || method > static_cast<int>(methods_.size())) return nullptr;
  return methods_[static_cast<size_t>(method - 1)];
}

int SoilParameterDialog::method() const {
  for (size_t m = 0; m < methods_.size(); ++m) {
    if (methods_[m]->isChecked()) return static_cast<int>(m) + 1;
  }
  return 0;
}

std::vector<std::string> SoilParameterDialog::shownNotes() const {
  std::vector<std::string> notes;
  for (const QLabel* label : noteLabels_) notes.push_back(label->text().toStdString());
  return notes;
}

void SoilParameterDialog::load() {
  const grid::TGridTable* table = host_->core().project().grids().layerTable(row_);
  if (table == nullptr) return;
  const LayerValues values = readLayerValues(*table, type_);
  for (const FieldWidgets& widgets : fields_) {
    for (int row = kTopRow; row <= kBottomRow; ++row) {
      QWidget* cell = row == kTopRow ? widgets.Top : widgets.Bottom;
      const long double value = values.at(row, widgets.field->column);
      if (auto* list = qobject_cast<QComboBox*>(cell)) {
        const int index = entry::roundToInt32(value).value_or(0) - 1;
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
      } else if (auto* edit = qobject_cast<entry::TDataEdit*>(cell)) {
        edit->SetNumber(value);
      }
    }
  }
  if (QRadioButton* button = methodButton(effectiveMethod(type_, values.method))) {
    button->setChecked(true);
  }
  updateEnabling();
}

void SoilParameterDialog::updateEnabling() {
  const int chosen = method();
  for (const FieldWidgets& widgets : fields_) {
    const bool enabled = soilFieldEnabled(type_, widgets.field->column, chosen);
    widgets.Top->setEnabled(enabled);
    widgets.Bottom->setEnabled(enabled);
    widgets.label->setEnabled(enabled);
    if (auto* top = qobject_cast<entry::TDataEdit*>(widgets.Top)) {
      top->SetCaption(soilFieldCaption(type_, *widgets.field, chosen));
    }
  }
  for (QLabel* label : noteLabels_) delete label;
  noteLabels_.clear();
  for (const std::string& note : soilPageNotes(type_, chosen)) {
    auto* label = new QLabel(q(note), this);
    notes_->addWidget(label);
    noteLabels_.push_back(label);
  }
}

LayerValues SoilParameterDialog::pageValues() const {
  const grid::TGridTable* table = host_->core().project().grids().layerTable(row_);
  LayerValues values = table != nullptr ? readLayerValues(*table, type_) : LayerValues{};
  for (const FieldWidgets& widgets : fields_) {
    for (int row = kTopRow; row <= kBottomRow; ++row) {
      const QWidget* cell = row == kTopRow ? widgets.Top : widgets.Bottom;
      long double& value = values.at(row, widgets.field->column);
      if (const auto* list = qobject_cast<const QComboBox*>(cell)) {
        value = list->currentIndex() + 1;
      } else if (const auto* edit = qobject_cast<const entry::TDataEdit*>(cell)) {
        value = edit->numberOr(value);
      }
    }
  }
  if (!methods_.empty()) values.method = method();
  return values;
}

void SoilParameterDialog::copyTopToBottom() {
  for (const FieldWidgets& widgets : fields_) {
    if (auto* list = qobject_cast<QComboBox*>(widgets.Top)) {
      qobject_cast<QComboBox*>(widgets.Bottom)->setCurrentIndex(list->currentIndex());
    } else if (auto* edit = qobject_cast<entry::TDataEdit*>(widgets.Top)) {
      auto* bottom = qobject_cast<entry::TDataEdit*>(widgets.Bottom);
      bottom->SetNumber(edit->numberOr(bottom->numberOr(0)));
    }
  }
}

bool SoilParameterDialog::activeFieldValid() {
  auto* field = qobject_cast<entry::TDataEdit*>(focusWidget());
  return field == nullptr || field->CloseQuery();
}

void SoilParameterDialog::store() {
  grid::TGridTable* table = host_->core().project().grids().layerTable(row_);
  if (table == nullptr) return;
  writeLayerValues(*table, type_, pageValues());
  host_->projectChanged();
}

void SoilParameterDialog::closeClick() {
  if (!activeFieldValid()) return;
  if (const auto failure = checkSoilPageClose(type_, pageValues())) {
    messages_->information(this, failure->message);
    if (entry::TDataEdit* top = field(failure->column, kTopRow)) top->setFocus();
    return;
  }
  store();
  QDialog::accept();
}

void SoilParameterDialog::reject() {
  if (!activeFieldValid()) return;
  store();
  QDialog::reject();
}

}  // namespace tolvane::app
