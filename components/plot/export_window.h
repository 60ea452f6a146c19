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

  void SetFileChooser(TFileChooser chooser) { Choose_ = std::move(chooser); }
  void SetMessageSink(TMessageSink sink) { Message_ = std::move(sink); }
  // Opens the written workbook with the desktop's program for it (off in the tests).
  bool OpenAfterExport = true;

  // Rebuilds the list: every plot with results, checked.
  void Rebuild();
  void SelectAll(bool checked);
  void Generate();
  QListWidget* List() { return List_; }
  QPushButton* GenerateButton() { return Generate_; }
  QCheckBox* Markers() { return Markers_; }

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void UpdateGenerate();

  TPlotSource Plots_;
  std::vector<TExportPlot> Listed_;
  TFileChooser Choose_;
  TMessageSink Message_;
  QListWidget* List_;
  QPushButton* Generate_;
  QCheckBox* Markers_;
};

}  // namespace tolvane::plot
