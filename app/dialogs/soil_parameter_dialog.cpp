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

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// A caption for a Qt button, where a single ampersand would mark a shortcut.
QString ButtonText(const std::string& caption) {
  return Q(ShownCaption(caption)).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

constexpr int kFieldWidthPx = 110;
constexpr int kColumnSpacingPx = 12;

}  // namespace

TSoilParameterDialog::TSoilParameterDialog(TWindowHost& host, int row, QWidget* parent)
    : QDialog(parent),
      Host_(&host),
      Messages_(&ServicesOf(host).Messages()),
      Row_(row),
      Type_(host.Core().Project().Grids().SoilType(row)),
      Title_(new QLabel(this)),
      Copy_(new QPushButton(QStringLiteral("Copy Values From Top To Bottom"), this)),
      Close_(new QPushButton(QStringLiteral("Close"), this)) {
  setWindowTitle(QStringLiteral("Layer"));
  setModal(true);
  const TSoilPage& page = SoilPageFor(Type_);
  QFont title_font = Title_->font();
  title_font.setBold(true);
  Title_->setFont(title_font);
  Title_->setText(Q(SoilPageTitle(Type_)));

  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(kColumnSpacingPx);
  fields->addWidget(new QLabel(QStringLiteral("Values at\nTop of Layer"), this), 0, 1,
                    Qt::AlignCenter);
  fields->addWidget(new QLabel(QStringLiteral("Values at\nBottom of Layer"), this), 0, 2,
                    Qt::AlignCenter);
  int grid_row = 1;
  for (const TSoilField& field : page.Fields) {
    TFieldWidgets widgets;
    widgets.Field = &field;
    widgets.Label = new QLabel(this);
    widgets.Top = NewCell(field, widgets.Label);
    widgets.Bottom = NewCell(field, nullptr);
    if (field.Kind == TSoilFieldKind::kPickList) widgets.Label->setText(Q(field.Caption));
    if (field.Hidden) {
      widgets.Label->hide();
      widgets.Top->hide();
      widgets.Bottom->hide();
    } else {
      fields->addWidget(widgets.Label, grid_row, 0);
      fields->addWidget(widgets.Top, grid_row, 1);
      fields->addWidget(widgets.Bottom, grid_row, 2);
      ++grid_row;
    }
    Fields_.push_back(widgets);
  }

  auto* body = new QHBoxLayout;
  body->addLayout(fields);
  if (!page.Methods.empty()) {
    auto* group = new QGroupBox(Q(page.MethodGroup), this);
    auto* methods = new QVBoxLayout(group);
    for (size_t m = 0; m < page.Methods.size(); ++m) {
      auto* button = new QRadioButton(ButtonText(page.Methods[m]), group);
      connect(button, &QRadioButton::toggled, this, [this](bool on) {
        if (on) UpdateEnabling();
      });
      Methods_.push_back(button);
      if (m == 2 && !page.MethodNote.empty()) {
        auto* line = new QHBoxLayout;
        line->addWidget(button);
        line->addWidget(new QLabel(Q(page.MethodNote), group));
        line->addStretch();
        methods->addLayout(line);
      } else {
        methods->addWidget(button);
      }
    }
    methods->addStretch();
    group->setEnabled(MethodGroupEnabled(Type_));
    body->addWidget(group, 0, Qt::AlignTop);
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Title_);
  layout->addLayout(body);
  Notes_ = new QVBoxLayout;
  Notes_->setSpacing(0);
  layout->addLayout(Notes_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Copy_);
  buttons->addStretch();
  buttons->addWidget(Close_);
  layout->addLayout(buttons);
  connect(Copy_, &QPushButton::clicked, this, &TSoilParameterDialog::CopyTopToBottom);
  connect(Close_, &QPushButton::clicked, this, &TSoilParameterDialog::CloseClick);
  Close_->setDefault(false);
  Close_->setAutoDefault(false);
  Copy_->setAutoDefault(false);
  Load();
}

QWidget* TSoilParameterDialog::NewCell(const TSoilField& field, QLabel* label) {
  if (field.Kind == TSoilFieldKind::kPickList) {
    auto* list = new QComboBox(this);
    for (const std::string& item : field.Items) list->addItem(Q(item));
    list->setPlaceholderText(Q(field.Prompt));
    list->setMinimumWidth(kFieldWidthPx);
    if (label != nullptr) label->setBuddy(list);
    return list;
  }
  auto* edit = new entry::TDataEdit(this);
  edit->SetMessageSink(Messages_);
  edit->setFixedWidth(kFieldWidthPx);
  if (label != nullptr) {
    edit->SetCaption(field.Caption);
    edit->SetUnitsString(field.Units);
    edit->SetUnits(Host_->Core().Data().fUnits);
    edit->SetEditLabel(label);
  }
  return edit;
}

const TSoilParameterDialog::TFieldWidgets* TSoilParameterDialog::WidgetsOf(int column) const {
  for (const TFieldWidgets& widgets : Fields_) {
    if (widgets.Field->Column == column) return &widgets;
  }
  return nullptr;
}

entry::TDataEdit* TSoilParameterDialog::Field(int column, int row) const {
  const TFieldWidgets* widgets = WidgetsOf(column);
  if (widgets == nullptr) return nullptr;
  return qobject_cast<entry::TDataEdit*>(row == kTopRow ? widgets->Top : widgets->Bottom);
}

QComboBox* TSoilParameterDialog::PickList(int column, int row) const {
  const TFieldWidgets* widgets = WidgetsOf(column);
  if (widgets == nullptr) return nullptr;
  return qobject_cast<QComboBox*>(row == kTopRow ? widgets->Top : widgets->Bottom);
}

QLabel* TSoilParameterDialog::FieldLabel(int column) const {
  const TFieldWidgets* widgets = WidgetsOf(column);
  return widgets != nullptr ? widgets->Label : nullptr;
}

QRadioButton* TSoilParameterDialog::MethodButton(int method) const {
  if (method < 1 || method > static_cast<int>(Methods_.size())) return nullptr;
  return Methods_[static_cast<size_t>(method - 1)];
}

int TSoilParameterDialog::Method() const {
  for (size_t m = 0; m < Methods_.size(); ++m) {
    if (Methods_[m]->isChecked()) return static_cast<int>(m) + 1;
  }
  return 0;
}

std::vector<std::string> TSoilParameterDialog::ShownNotes() const {
  std::vector<std::string> notes;
  for (const QLabel* label : NoteLabels_) notes.push_back(label->text().toStdString());
  return notes;
}

void TSoilParameterDialog::Load() {
  const grid::TGridTable* table = Host_->Core().Project().Grids().LayerTable(Row_);
  if (table == nullptr) return;
  const TLayerValues values = ReadLayerValues(*table, Type_);
  for (const TFieldWidgets& widgets : Fields_) {
    for (int row = kTopRow; row <= kBottomRow; ++row) {
      QWidget* cell = row == kTopRow ? widgets.Top : widgets.Bottom;
      const long double value = values.At(row, widgets.Field->Column);
      if (auto* list = qobject_cast<QComboBox*>(cell)) {
        const int index = entry::RoundToInt32(value).value_or(0) - 1;
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
      } else if (auto* edit = qobject_cast<entry::TDataEdit*>(cell)) {
        edit->SetNumber(value);
      }
    }
  }
  if (QRadioButton* button = MethodButton(EffectiveMethod(Type_, values.Method))) {
    button->setChecked(true);
  }
  UpdateEnabling();
}

void TSoilParameterDialog::UpdateEnabling() {
  const int method = Method();
  for (const TFieldWidgets& widgets : Fields_) {
    const bool enabled = SoilFieldEnabled(Type_, widgets.Field->Column, method);
    widgets.Top->setEnabled(enabled);
    widgets.Bottom->setEnabled(enabled);
    widgets.Label->setEnabled(enabled);
    if (auto* top = qobject_cast<entry::TDataEdit*>(widgets.Top)) {
      top->SetCaption(SoilFieldCaption(Type_, *widgets.Field, method));
    }
  }
  for (QLabel* label : NoteLabels_) delete label;
  NoteLabels_.clear();
  for (const std::string& note : SoilPageNotes(Type_, method)) {
    auto* label = new QLabel(Q(note), this);
    Notes_->addWidget(label);
    NoteLabels_.push_back(label);
  }
}

TLayerValues TSoilParameterDialog::PageValues() const {
  const grid::TGridTable* table = Host_->Core().Project().Grids().LayerTable(Row_);
  TLayerValues values = table != nullptr ? ReadLayerValues(*table, Type_) : TLayerValues{};
  for (const TFieldWidgets& widgets : Fields_) {
    for (int row = kTopRow; row <= kBottomRow; ++row) {
      const QWidget* cell = row == kTopRow ? widgets.Top : widgets.Bottom;
      long double& value = values.At(row, widgets.Field->Column);
      if (const auto* list = qobject_cast<const QComboBox*>(cell)) {
        value = list->currentIndex() + 1;
      } else if (const auto* edit = qobject_cast<const entry::TDataEdit*>(cell)) {
        value = edit->NumberOr(value);
      }
    }
  }
  if (!Methods_.empty()) values.Method = Method();
  return values;
}

void TSoilParameterDialog::CopyTopToBottom() {
  for (const TFieldWidgets& widgets : Fields_) {
    if (auto* list = qobject_cast<QComboBox*>(widgets.Top)) {
      qobject_cast<QComboBox*>(widgets.Bottom)->setCurrentIndex(list->currentIndex());
    } else if (auto* edit = qobject_cast<entry::TDataEdit*>(widgets.Top)) {
      auto* bottom = qobject_cast<entry::TDataEdit*>(widgets.Bottom);
      bottom->SetNumber(edit->NumberOr(bottom->NumberOr(0)));
    }
  }
}

bool TSoilParameterDialog::ActiveFieldValid() {
  auto* field = qobject_cast<entry::TDataEdit*>(focusWidget());
  return field == nullptr || field->CloseQuery();
}

void TSoilParameterDialog::Store() {
  grid::TGridTable* table = Host_->Core().Project().Grids().LayerTable(Row_);
  if (table == nullptr) return;
  WriteLayerValues(*table, Type_, PageValues());
  Host_->ProjectChanged();
}

void TSoilParameterDialog::CloseClick() {
  if (!ActiveFieldValid()) return;
  if (const auto failure = CheckSoilPageClose(Type_, PageValues())) {
    Messages_->Information(this, failure->Message);
    if (entry::TDataEdit* top = Field(failure->Column, kTopRow)) top->setFocus();
    return;
  }
  Store();
  QDialog::accept();
}

void TSoilParameterDialog::reject() {
  if (!ActiveFieldValid()) return;
  Store();
  QDialog::reject();
}

}  // namespace tolvane::app
