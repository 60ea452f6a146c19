#include "about_box.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include "run_pipeline.h"
#include "tool_icons.h"

namespace tolvane::app {
namespace {

constexpr int kReleaseYear = 2023;
constexpr int kReleaseMonth = 6;
constexpr int kReleaseDay = 15;
constexpr int kPictureSize = 96;  // pixels
constexpr int kTextWidth = 360;   // pixels of the description before it wraps

QLabel* Text(const QString& text, QWidget* parent, const QString& name = QString()) {
  auto* label = new QLabel(text, parent);
  if (!name.isEmpty()) label->setObjectName(name);
  return label;
}

}  // namespace

QString releaseDateText() {
  return QLocale().toString(QDate(kReleaseYear, kReleaseMonth, kReleaseDay), QLocale::ShortFormat);
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString("About ") + kProductName);
  auto* picture = new QLabel(this);
  picture->setPixmap(QPixmap::fromImage(programImage(kPictureSize)));
  picture->setAlignment(Qt::AlignTop);

  QLabel* const product = Text(kProductName, this, "aboutProduct");
  QFont large = product->font();
  large.setPointSizeF(large.pointSizeF() * 1.6);
  large.setBold(true);
  product->setFont(large);
  QLabel* const description = Text(kProgramDescription, this, "aboutDescription");
  description->setWordWrap(true);
  description->setMinimumWidth(kTextWidth);

  auto* dates = new QGridLayout;
  dates->addWidget(Text("Today:", this), 0, 0);
  dates->addWidget(
      Text(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat), this, "aboutToday"), 0,
      1);
  dates->addWidget(Text("Release date:", this), 1, 0);
  dates->addWidget(Text(releaseDateText(), this, "aboutReleaseDate"), 1, 1);
  dates->setColumnStretch(1, 1);

  auto* text = new QVBoxLayout;
  text->addWidget(product);
  text->addWidget(Text(QString("Version ") + kProgramVersion, this, "aboutVersion"));
  text->addSpacing(8);
  text->addWidget(description);
  text->addSpacing(8);
  text->addLayout(dates);

  auto* body = new QHBoxLayout;
  body->addWidget(picture);
  body->addSpacing(12);
  body->addLayout(text, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
}

}  // namespace tolvane::app
