// The About box: product, version, what the program does, today's date and the release date.
#pragma once

#include <QDialog>
#include <QString>

namespace tolvane::app {

inline constexpr const char* kProductName = "TOLVANE 2023";
inline constexpr const char* kProgramDescription =
    "A program for analyzing the axial capacity and short-term settlement of drilled shafts "
    "under axial loading.";

// The release date 06/15/23 in the user's short date format.
QString releaseDateText();

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent);
};

}  // namespace tolvane::app
