// The window "Export to Excel": the plots that have results, checked for export, and the
// workbook written for the checked ones.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "graph_plot.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace tolvane::plot {

struct ExportPlot {
  const TGraphPlot* plot = nullptr;  // listed with its Caption
};

class TDlgExport : public QWidget {
  Q_OBJECT
 public:
  // `plots` gives the plots with results in the order of the export table, each time the window
  // is activated.
  using PlotSource = std::function<std::vector<ExportPlot>()>;
  // Asks for the workbook's file; empty: cancelled.
  using FileChooser = std::function<QString(QWidget* parent)>;
  // Shows the result; the window tests record it.
  using MessageSink = std::function<void(QWidget* parent, const QString& text, bool failed)>;

  explicit TDlgExport(PlotSource plots, QWidget* parent = nullptr);

  void setFileChooser(FileChooser chooser) { choose_ = std::move(chooser); }
  void setMessageSink(MessageSink sink) { message_ = std::move(sink); }
  // Opens the written workbook with the desktop's program for it (off in the tests).
  bool openAfterExport = true;

  // Rebuilds the list: every plot with results, checked.
  void rebuild();
  void checkAll(bool checked);
  void generate();
  QListWidget* list() { return list_; }
  QPushButton* generateButton() { return generate_; }
  QCheckBox* Markers() { return markers_; }

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void updateGenerate();
  void fitList();

  PlotSource plots_;
  std::vector<ExportPlot> listed_;
  FileChooser choose_;
  MessageSink message_;
  QListWidget* list_;
  QPushButton* generate_;
  QCheckBox* markers_;
};

}  // namespace tolvane::plot
