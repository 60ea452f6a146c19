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

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

QDialogButtonBox* okCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(dialog);
  buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
  buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

WarningSink defaultWarningSink() {
  return [](QWidget* parent, const QString& text) { QMessageBox::warning(parent, "", text); };
}

TfrmGraphCaption::TfrmGraphCaption(const std::string& title, bool onTop, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(q(title))), top_(new QRadioButton("Top")) {
  setWindowTitle("Graph Caption");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Enter Graph Caption"));
  layout->addWidget(edit_);
  auto* location = new QGroupBox("Caption Location");
  auto* locationLayout = new QHBoxLayout(location);
  auto* bottom = new QRadioButton("Bottom");
  locationLayout->addWidget(top_);
  locationLayout->addWidget(bottom);
  (onTop ? top_ : bottom)->setChecked(true);
  layout->addWidget(location);
  auto* ok = new QPushButton("&OK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignRight);
  edit_->setMinimumWidth(edit_->fontMetrics().horizontalAdvance(QString(40, 'x')));
}

std::string TfrmGraphCaption::Title() const {
  return edit_->text().toStdString();
}

bool TfrmGraphCaption::onTop() const {
  return top_->isChecked();
}

TfrmLineNames::TfrmLineNames(std::vector<std::string> names, QWidget* parent, WarningSink warn)
    : QDialog(parent),
      edit_(std::move(names)),
      warn_(std::move(warn)),
      list_(new QListWidget),
      line_(new QLineEdit) {
  setWindowTitle("Legend");
  setMinimumSize(kLineNamesMinWidth, kLineNamesMinHeight);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Select line to modify:"));
  layout->addWidget(list_, 1);
  layout->addWidget(new QLabel("Type new legend below:"));
  layout->addWidget(line_);
  layout->addWidget(okCancel(this));
  for (const std::string& name : edit_.Names()) list_->addItem(q(name));
  connect(list_, &QListWidget::currentRowChanged, this, &TfrmLineNames::selectLine);
  connect(line_, &QLineEdit::editingFinished, this, &TfrmLineNames::commitEdit);
  if (!edit_.Names().empty()) list_->setCurrentRow(0);
}

void TfrmLineNames::selectLine(int row) {
  if (row < 0) return;
  line_->setText(q(edit_.select(row)));
  QPalette palette = line_->palette();
  palette.setColor(QPalette::Text, QColor::fromRgb(paletteColour(row)));
  line_->setPalette(palette);
}

void TfrmLineNames::commitEdit() {
  std::string message;
  const std::optional<std::string> back = edit_.commit(line_->text().toStdString(), message);
  if (back) {
    line_->setText(q(*back));
    if (!message.empty()) warn_(this, q(message));
    return;
  }
  if (QListWidgetItem* item = list_->item(edit_.selected())) item->setText(line_->text());
}

TfrmActiveLines::TfrmActiveLines(const std::vector<std::string>& names, std::vector<bool> active,
                                 QWidget* parent)
    : QDialog(parent), names_(names), active_(std::move(active)), list_(new QListWidget) {
  setWindowTitle("Active Curves");
  setMinimumSize(kActiveLinesMinWidth, kActiveLinesMinHeight);
  active_.resize(names_.size(), true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Select Curve to Active/Desactive"));
  auto* captions = new QHBoxLayout;
  captions->addWidget(new QLabel("Active :"));
  captions->addWidget(new QLabel("Curve"), 1);
  layout->addLayout(captions);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  layout->addWidget(list_, 1);
  auto* toggle = new QPushButton("Activate/Deactivate Selected");
  auto* all = new QPushButton("Activate All");
  auto* none = new QPushButton("Deactivate All");
  layout->addWidget(toggle);
  auto* both = new QHBoxLayout;
  both->addWidget(all);
  both->addWidget(none);
  layout->addLayout(both);
  layout->addWidget(okCancel(this));
  connect(toggle, &QPushButton::clicked, this, &TfrmActiveLines::toggleSelected);
  connect(all, &QPushButton::clicked, this, [this] { setAll(true); });
  connect(none, &QPushButton::clicked, this, [this] { setAll(false); });
  connect(list_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { toggleRow(list_->row(item)); });
  for (size_t n = 0; n < names_.size(); ++n) list_->addItem(QString());
  refresh();
}

void TfrmActiveLines::refresh() {
  for (int n = 0; n < list_->count(); ++n) {
    const auto i = static_cast<size_t>(n);
    list_->item(n)->setText(q(activeCurveRow(active_[i], names_[i])));
  }
}

void TfrmActiveLines::toggleRow(int row) {
  if (row < 0 || row >= static_cast<int>(active_.size())) return;
  active_[static_cast<size_t>(row)] = !active_[static_cast<size_t>(row)];
  refresh();
}

void TfrmActiveLines::toggleSelected() {
  for (int n = 0; n < list_->count(); ++n) {
    if (list_->item(n)->isSelected()) {
      active_[static_cast<size_t>(n)] = !active_[static_cast<size_t>(n)];
    }
  }
  refresh();
}

void TfrmActiveLines::setAll(bool active) {
  std::fill(active_.begin(), active_.end(), active);
  refresh();
}

TdlgFormat::TdlgFormat(QWidget* parent, WarningSink warn)
    : QDialog(parent),
      warn_(std::move(warn)),
      height_(new QLineEdit),
      width_(new QLineEdit),
      ppi_(new QLineEdit) {
  setWindowTitle("Save Attributes");
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* form = new QFormLayout;
  const auto withUnit = [](QLineEdit* edit, const char* unit) {
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(new QLabel(unit));
    return row;
  };
  form->addRow("Height", withUnit(height_, "inches"));
  form->addRow("Width", withUnit(width_, "inches"));
  form->addRow("Pixels Per Inch", ppi_);
  left->addLayout(form);
  left->addWidget(okCancel(this));
  layout->addLayout(left);
  // The colour depth follows the screen; the group is shown as the user knows it.
  auto* colours = new QGroupBox("Colors");
  auto* colourLayout = new QVBoxLayout(colours);
  for (const char* text : {"Black and White", "16 Colors", "256 Colors", "High Color (16 bit)",
                           "True Color (24 bit)"}) {
    auto* button = new QRadioButton(text);
    button->setChecked(QString(text) == "16 Colors");
    colourLayout->addWidget(button);
  }
  layout->addWidget(colours);
  setAttributes({});
}

void TdlgFormat::setAttributes(const SaveAttributes& a) {
  height_->setText(QString::number(a.heightInches));
  width_->setText(QString::number(a.widthInches));
  ppi_->setText(QString::number(a.PixelsPerInch));
}

std::optional<SaveAttributes> TdlgFormat::attributes() const {
  bool heightOk = false;
  bool widthOk = false;
  bool ppiOk = false;
  SaveAttributes a;
  a.heightInches = height_->text().trimmed().toDouble(&heightOk);
  a.widthInches = width_->text().trimmed().toDouble(&widthOk);
  a.PixelsPerInch = ppi_->text().trimmed().toInt(&ppiOk);
  if (!heightOk || !widthOk || !ppiOk) return std::nullopt;
  return a;
}

void TdlgFormat::accept() {
  const std::optional<SaveAttributes> a = attributes();
  if (!a) {
    warn_(this, "Height and width must be numbers and pixels per inch a whole number.");
    return;
  }
  const std::string problem = checkSaveAttributes(*a);
  if (!problem.empty()) {
    warn_(this, q(problem));
    return;
  }
  QDialog::accept();
}

}  // namespace tolvane::plot
