#include "plot_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "number_text.h"

namespace tolvane::plot {
namespace {

constexpr int kLineNamesMinWidth = 195;
constexpr int kLineNamesMinHeight = 167;
constexpr int kActiveLinesMinWidth = 190;
constexpr int kActiveLinesMinHeight = 234;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(dialog);
  buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
  buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

TWarningSink DefaultWarningSink() {
  return [](QWidget* parent, const QString& text) { QMessageBox::warning(parent, "", text); };
}

TfrmGraphCaption::TfrmGraphCaption(const std::string& title, bool on_top, QWidget* parent)
    : QDialog(parent), Edit_(new QLineEdit(Q(title))), Top_(new QRadioButton("Top")) {
  setWindowTitle("Graph Caption");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Enter Graph Caption"));
  layout->addWidget(Edit_);
  auto* location = new QGroupBox("Caption Location");
  auto* location_layout = new QHBoxLayout(location);
  auto* bottom = new QRadioButton("Bottom");
  location_layout->addWidget(Top_);
  location_layout->addWidget(bottom);
  (on_top ? Top_ : bottom)->setChecked(true);
  layout->addWidget(location);
  auto* ok = new QPushButton("&OK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignRight);
  Edit_->setMinimumWidth(Edit_->fontMetrics().horizontalAdvance(QString(40, 'x')));
}

std::string TfrmGraphCaption::Title() const {
  return Edit_->text().toStdString();
}

bool TfrmGraphCaption::OnTop() const {
  return Top_->isChecked();
}

TfrmLineNames::TfrmLineNames(std::vector<std::string> names, QWidget* parent, TWarningSink warn)
    : QDialog(parent),
      Edit_(std::move(names)),
      Warn_(std::move(warn)),
      List_(new QListWidget),
      Line_(new QLineEdit) {
  setWindowTitle("Legend");
  setMinimumSize(kLineNamesMinWidth, kLineNamesMinHeight);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Select line to modify:"));
  layout->addWidget(List_, 1);
  layout->addWidget(new QLabel("Type new legend below:"));
  layout->addWidget(Line_);
  layout->addWidget(OkCancel(this));
  for (const std::string& name : Edit_.Names()) List_->addItem(Q(name));
  connect(List_, &QListWidget::currentRowChanged, this, &TfrmLineNames::SelectRow);
  connect(Line_, &QLineEdit::editingFinished, this, &TfrmLineNames::CommitEdit);
  if (!Edit_.Names().empty()) List_->setCurrentRow(0);
}

void TfrmLineNames::SelectRow(int row) {
  if (row < 0) return;
  Line_->setText(Q(Edit_.Select(row)));
  QPalette palette = Line_->palette();
  palette.setColor(QPalette::Text, QColor::fromRgb(PaletteColour(row)));
  Line_->setPalette(palette);
}

void TfrmLineNames::CommitEdit() {
  std::string message;
  const std::optional<std::string> back = Edit_.Commit(Line_->text().toStdString(), message);
  if (back) {
    Line_->setText(Q(*back));
    if (!message.empty()) Warn_(this, Q(message));
    return;
  }
  if (QListWidgetItem* item = List_->item(Edit_.Selected())) item->setText(Line_->text());
}

TfrmActiveLines::TfrmActiveLines(const std::vector<std::string>& names, std::vector<bool> active,
                                 QWidget* parent)
    : QDialog(parent), Names_(names), Active_(std::move(active)), List_(new QListWidget) {
  setWindowTitle("Active Curves");
  setMinimumSize(kActiveLinesMinWidth, kActiveLinesMinHeight);
  Active_.resize(Names_.size(), true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Select Curve to Active/Desactive"));
  auto* captions = new QHBoxLayout;
  captions->addWidget(new QLabel("Active :"));
  captions->addWidget(new QLabel("Curve"), 1);
  layout->addLayout(captions);
  List_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  layout->addWidget(List_, 1);
  auto* toggle = new QPushButton("Activate/Deactivate Selected");
  auto* all = new QPushButton("Activate All");
  auto* none = new QPushButton("Deactivate All");
  layout->addWidget(toggle);
  auto* both = new QHBoxLayout;
  both->addWidget(all);
  both->addWidget(none);
  layout->addLayout(both);
  layout->addWidget(OkCancel(this));
  connect(toggle, &QPushButton::clicked, this, &TfrmActiveLines::ToggleSelected);
  connect(all, &QPushButton::clicked, this, [this] { SetAll(true); });
  connect(none, &QPushButton::clicked, this, [this] { SetAll(false); });
  connect(List_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { ToggleRow(List_->row(item)); });
  for (size_t n = 0; n < Names_.size(); ++n) List_->addItem(QString());
  Refresh();
}

void TfrmActiveLines::Refresh() {
  for (int n = 0; n < List_->count(); ++n) {
    const auto i = static_cast<size_t>(n);
    List_->item(n)->setText(Q(ActiveCurveRow(Active_[i], Names_[i])));
  }
}

void TfrmActiveLines::ToggleRow(int row) {
  if (row < 0 || row >= static_cast<int>(Active_.size())) return;
  Active_[static_cast<size_t>(row)] = !Active_[static_cast<size_t>(row)];
  Refresh();
}

void TfrmActiveLines::ToggleSelected() {
  for (int n = 0; n < List_->count(); ++n) {
    if (List_->item(n)->isSelected()) {
      Active_[static_cast<size_t>(n)] = !Active_[static_cast<size_t>(n)];
    }
  }
  Refresh();
}

void TfrmActiveLines::SetAll(bool active) {
  std::fill(Active_.begin(), Active_.end(), active);
  Refresh();
}

TdlgFormat::TdlgFormat(QWidget* parent, TWarningSink warn)
    : QDialog(parent),
      Warn_(std::move(warn)),
      Height_(new QLineEdit),
      Width_(new QLineEdit),
      Ppi_(new QLineEdit) {
  setWindowTitle("Save Attributes");
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* form = new QFormLayout;
  const auto with_unit = [](QLineEdit* edit, const char* unit) {
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(new QLabel(unit));
    return row;
  };
  form->addRow("Height", with_unit(Height_, "inches"));
  form->addRow("Width", with_unit(Width_, "inches"));
  form->addRow("Pixels Per Inch", Ppi_);
  left->addLayout(form);
  left->addWidget(OkCancel(this));
  layout->addLayout(left);
  // The colour depth follows the screen; the group is shown as the user knows it.
  auto* colours = new QGroupBox("Colors");
  auto* colour_layout = new QVBoxLayout(colours);
  for (const char* text : {"Black and White", "16 Colors", "256 Colors", "High Color (16 bit)",
                           "True Color (24 bit)"}) {
    auto* button = new QRadioButton(text);
    button->setChecked(QString(text) == "16 Colors");
    colour_layout->addWidget(button);
  }
  layout->addWidget(colours);
  SetAttributes({});
}

void TdlgFormat::SetAttributes(const TSaveAttributes& a) {
  Height_->setText(QString::number(a.HeightInches));
  Width_->setText(QString::number(a.WidthInches));
  Ppi_->setText(QString::number(a.PixelsPerInch));
}

std::optional<TSaveAttributes> TdlgFormat::Attributes() const {
  bool height_ok = false;
  bool width_ok = false;
  bool ppi_ok = false;
  TSaveAttributes a;
  a.HeightInches = Height_->text().trimmed().toDouble(&height_ok);
  a.WidthInches = Width_->text().trimmed().toDouble(&width_ok);
  a.PixelsPerInch = Ppi_->text().trimmed().toInt(&ppi_ok);
  if (!height_ok || !width_ok || !ppi_ok) return std::nullopt;
  return a;
}

void TdlgFormat::accept() {
  const std::optional<TSaveAttributes> a = Attributes();
  if (!a) {
    Warn_(this, "Height and width must be numbers and pixels per inch a whole number.");
    return;
  }
  const std::string problem = CheckSaveAttributes(*a);
  if (!problem.empty()) {
    Warn_(this, Q(problem));
    return;
  }
  QDialog::accept();
}

}  // namespace tolvane::plot
