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

struct TExportPlot {
  const TGraphPlot* Plot = nullptr;  // listed with its Caption
};

class TDlgExport : public QWidget {
  Q_OBJECT
 public:
  // `plots` gives the plots with results in the order of the export table, each time the window
  // is activated.
  using TPlotSource = std::function<std::vector<TExportPlot>()>;
  // Asks for the workbook's file; empty: cancelled.
  using TFileChooser = std::function<QString(QWidget* parent)>;
  // Shows the result; the window tests record it.
  using TMessageSink = std::function<void(QWidget* parent, const QString& text, bool failed)>;

  explicit TDlgExport(TPlotSource plots, QWidget* parent = nullptr);

  void setFileChooser(TFileChooser chooser) { choose_ = std::move(chooser); }
  void setMessageSink(TMessageSink sink) { message_ = std::move(sink); }
  // Opens the written workbook with the desktop's program for it (off in the tests).
  bool OpenAfterExport = true;

  // Rebuilds the list: every plot with results, checked.
  void rebuild();
  void SelectAll(bool checked);
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

  TPlotSource plots_;
  std::vector<TExportPlot> listed_;
  TFileChooser choose_;
  TMessageSink message_;
  QListWidget* list_;
  QPushButton* generate_;
  QCheckBox* markers_;
};

}  // namespace tolvane::plot
