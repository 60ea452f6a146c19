// The plot window and its dialogs on the offscreen platform, opened through the main window's
// commands on an analysed example: the menu, the legend, mouse read-out and zoom, saving,
// printing, the stale-window rule, the dialogs' rules and the export window. Each window leaves
// a screenshot under the build folder's screenshots/.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "export_window.h"
#include "main_form_rules.h"
#include "plot_dialogs.h"
#include "plot_form.h"
#include "plot_painter.h"
#include "recorded_messages.h"
#include "window_host.h"
#include "xlsx_contents.h"

using namespace tolvane;
using tolvane::plot::TPlotForm;

namespace {

const QString kExample = "sand-over-clay.tv9d";

class TTestHost : public app::TWindowHost {
 public:
  explicit TTestHost(const std::string& dir) : Core_(Messages, Project_, dir) {
    Frame_.setCentralWidget(Area_ = new QMdiArea);
    Frame_.resize(1000, 720);
  }
  // The child windows reach the plots: they go before the core, as in the main window.
  ~TTestHost() override { delete Area_; }
  app::MainFormRules& Core() override { return Core_; }
  QMdiArea* MdiArea() override { return Area_; }
  QWidget* Frame() override { return &Frame_; }
  void ProjectChanged() override { ++Changes; }
  void UpdateEnabling() override {}
  QMainWindow& Window() { return Frame_; }

  app::testing::RecordedMessages Messages;
  int Changes = 0;

 private:
  app::THeadlessHost Project_;
  QMainWindow Frame_;
  QMdiArea* Area_ = nullptr;
  app::MainFormRules Core_;
};

void SaveShot(QWidget& widget, const QString& name) {
  QDir().mkpath(TOLVANE_SCREENSHOT_DIR);
  QVERIFY(widget.grab().save(QString(TOLVANE_SCREENSHOT_DIR) + "/" + name));
}

TPlotForm* ActiveForm(TTestHost& host) {
  QMdiSubWindow* sub = host.MdiArea()->activeSubWindow();
  return sub != nullptr ? qobject_cast<TPlotForm*>(sub->widget()) : nullptr;
}

QPoint CanvasPoint(TPlotForm& form, double fx, double fy) {
  const plot::TPixelRect g = form.ScreenArea().GraphArea;
  return {g.Left + static_cast<int>(fx * (g.Right - g.Left)),
          g.Top + static_cast<int>(fy * (g.Bottom - g.Top))};
}

// n lines of two points (0, 0) to (10 + n, 50).
void FillLines(plot::TGraphPlot& plot, int n) {
  plot.Caption = "Design Chart 1";
  plot.SetLineCount(n);
  plot.SetCount(2);
  for (int i = 0; i < n; ++i) plot.Data(i, 1) = {10.0L + i, 50};
}

}  // namespace

class PlotWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir Dir_;
  std::unique_ptr<TTestHost> Host_;

 private slots:
  void initTestCase() {
    const QString example = QString(TOLVANE_EXAMPLES_DIR) + "/" + kExample;
    QVERIFY(QFile::copy(example, Dir_.filePath(kExample)));
    QProcess run;
    run.setWorkingDirectory(Dir_.path());
    run.start(TOLVANE_PROGRAM, {"--run", kExample});
    QVERIFY(run.waitForFinished(120000));
    QCOMPARE(run.exitCode(), 0);
    Host_ = std::make_unique<TTestHost>(Dir_.path().toStdString());
    QVERIFY(Host_->Core().Open(Dir_.filePath(kExample).toStdString(), 1).Opened);
    QVERIFY(Host_->Core().Flags.ShowOutput);
    Host_->Window().show();
  }

  void plotWindowOpensMaximisedWithItsMenu() {
    app::ShowPlotWindow(*Host_, app::kPltCombine);
    TPlotForm* form = ActiveForm(*Host_);
    QVERIFY(form != nullptr);
    QVERIFY(Host_->MdiArea()->activeSubWindow()->isMaximized());
    QCOMPARE(form->windowTitle(), QString("PlotForm"));
    QVERIFY(form->Plot().FormExists);
    const QList<QAction*> items = form->PlotMenu()->actions();
    const QStringList fixed = {"Show &Legend",        "Show &Soil Layer",
                               "Show &Wall Geometry", "Show &Markers",
                               "&Font Size",          "&Line Width",
                               "&Graph Title",        "&Edit Legend",
                               "&Active Curves",      "",
                               "&Print...",           "P&age Setup",
                               "&Save To Disk...",    ""};
    QCOMPARE(items.size(), 14 + form->Plot().LineCount());
    for (int i = 0; i < fixed.size(); ++i) QCOMPARE(items[i]->text(), fixed[i]);
    QCOMPARE(items[14]->text(), QString::fromStdString(form->Plot().Line(0).LineName()));
    QVERIFY(form->Legend()->isVisible());
    QCOMPARE(form->Legend()->count(), 3);
    QVERIFY(form->Legend()->item(0)->text().endsWith(" *"));
    // The legend sits at the bottom right of the curve area.
    const plot::TPixelRect g = form->ScreenArea().GraphArea;
    QCOMPARE(form->Legend()->geometry().right() + 1, g.Right);
    QCOMPARE(form->Legend()->geometry().bottom() + 1, g.Bottom);
    // A second command brings the same window to the front.
    app::ShowPlotWindow(*Host_, app::kPltCombine);
    QCOMPARE(Host_->MdiArea()->subWindowList().size(), 1);
    form->ApplyGraphTitle("Shaft A, sand over clay", true);
    form->State().ToggleLayers();
    form->LayOut();
    QApplication::processEvents();
    SaveShot(Host_->Window(), "plot-window.png");
  }

  void soilLayerItemOnlyForPlotsWithLayers() {
    TPlotForm* combined = ActiveForm(*Host_);
    QVERIFY(combined != nullptr);
    emit combined->PlotMenu()->aboutToShow();
    QVERIFY(combined->PlotMenu()->actions()[1]->isVisible());
    QVERIFY(!combined->PlotMenu()->actions()[2]->isVisible());  // no wall geometry
    app::ShowPlotWindow(*Host_, app::kPltAxial);
    TPlotForm* settlement = ActiveForm(*Host_);
    QVERIFY(settlement != nullptr && settlement != combined);
    emit settlement->PlotMenu()->aboutToShow();
    QVERIFY(!settlement->PlotMenu()->actions()[1]->isVisible());
    Host_->MdiArea()->activeSubWindow()->close();
    QApplication::processEvents();
  }

  void mouseReadOutAndZoom() {
    app::ShowPlotWindow(*Host_, app::kPltCombine);
    TPlotForm* form = ActiveForm(*Host_);
    QVERIFY(form != nullptr);
    QWidget* canvas = form->Canvas();
    const plot::TFloatRect full = form->State().MaxLogicBounds();
    QTest::mouseMove(canvas, CanvasPoint(*form, 0.5, 0.5));
    QVERIFY(form->windowTitle().startsWith("Combined Plots vs Depth (ultimate) X: "));
    QVERIFY(form->windowTitle().contains(" Y: "));
    // Pressing outside the curve area starts no zoom.
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, CanvasPoint(*form, 0.5, 0.5));
    QCOMPARE(static_cast<double>(form->State().LogicBounds().Right),
             static_cast<double>(full.Right));
    // A drag over the middle quarter zooms in.
    QTest::mousePress(canvas, Qt::LeftButton, {}, CanvasPoint(*form, 0.25, 0.25));
    QTest::mouseMove(canvas, CanvasPoint(*form, 0.5, 0.5));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, CanvasPoint(*form, 0.5, 0.5));
    const plot::TFloatRect zoomed = form->State().LogicBounds();
    const double width = static_cast<double>(full.Right - full.Left);
    QVERIFY(static_cast<double>(zoomed.Right - zoomed.Left) < 0.3 * width);
    QVERIFY(static_cast<double>(zoomed.Left) > static_cast<double>(full.Left) + 0.2 * width);
    // Right clicks zoom back out and never beyond the full range.
    for (int i = 0; i < 4; ++i) {
      QTest::mouseClick(canvas, Qt::RightButton, {}, CanvasPoint(*form, 1.0, 1.0));
    }
    QCOMPARE(static_cast<double>(form->State().LogicBounds().Left), static_cast<double>(full.Left));
    QCOMPARE(static_cast<double>(form->State().LogicBounds().Right),
             static_cast<double>(full.Right));
  }

  void legendToggleAndDrag() {
    TPlotForm* form = ActiveForm(*Host_);
    QVERIFY(form != nullptr);
    QListWidget* legend = form->Legend();
    const QRect row = legend->visualItemRect(legend->item(1));
    QTest::mouseDClick(legend->viewport(), Qt::LeftButton, {}, row.center());
    QVERIFY(!form->Plot().Line(1).Visible);
    QVERIFY(!legend->item(1)->text().endsWith(" *"));
    QVERIFY(!form->PlotMenu()->actions()[15]->isChecked());
    form->ToggleCurveRow(1);
    QVERIFY(form->Plot().Line(1).Visible);
    // Dragged far up and left, the legend stops at the canvas's corner.
    form->MoveLegend(QPoint(-500, -500));
    QCOMPARE(legend->pos(), QPoint(0, 0));
    form->MoveLegend(QPoint(5000, 5000));
    QCOMPARE(legend->geometry().right(), form->Canvas()->width() - 1);
  }

  void savingAndPrinting() {
    TPlotForm* form = ActiveForm(*Host_);
    QVERIFY(form != nullptr);
    const QString bmp = Dir_.filePath("small.bmp");
    QVERIFY(form->SaveTo(bmp, {2, 2, 10}));
    QCOMPARE(QImage(bmp).size(), QSize(20, 20));
    const QString png = Dir_.filePath("default.png");
    QVERIFY(form->SaveTo(png, {}));
    QCOMPARE(QImage(png).size(), QSize(432, 288));
    QStringList warnings;
    form->SetWarningSink([&](QWidget*, const QString& text) { warnings << text; });
    QVERIFY(!form->SaveTo(Dir_.filePath("absent/folder/x.png"), {}));
    QCOMPARE(warnings.size(), 1);
    QVERIFY(!form->SaveTo(Dir_.filePath("huge.bmp"), {4, 400, 100}));
    QCOMPARE(warnings.last(), QString("There is not enough memory to complete this task."));
    QVERIFY(!QFile::exists(Dir_.filePath("huge.bmp")));
    // Printing to a PDF printer: one page.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Dir_.filePath("printed.pdf"));
    form->PrintTo(printer);
    QFile pdf(Dir_.filePath("printed.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF"));
    // The printed page at 300 pixels per inch, letter size, 1-inch margins; shown reduced.
    QImage page(2550, 3300, QImage::Format_RGB32);
    page.fill(Qt::lightGray);
    {
      QPainter painter(&page);
      plot::DrawPrintedPage(painter, form->Plot(), form->State().LogicBounds(), {300, 300}, 2550,
                            3300, form->Margins, form->LegendPlacement());
    }
    QCOMPARE(page.pixel(150, 150), QColor(Qt::lightGray).rgb());  // the margin is not drawn on
    QCOMPARE(page.pixel(310, 310), qRgb(255, 255, 255));          // the page inside is
    QDir().mkpath(TOLVANE_SCREENSHOT_DIR);
    QVERIFY(page.scaled(850, 1100, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                .save(QString(TOLVANE_SCREENSHOT_DIR) + "/plot-printed-page.png"));
  }

  void windowClosesWhenThePlotIsReadAgain() {
    QVERIFY(!Host_->MdiArea()->subWindowList().isEmpty());
    plot::TGraphPlot& plot = Host_->Core().Plots()[app::kPltCombine];
    QVERIFY(plot.FormExists);
    Host_->Core().Plots().ResetForReading();  // what a new reading does first
    ActiveForm(*Host_)->LayOut();
    QTRY_VERIFY(Host_->MdiArea()->subWindowList().isEmpty());
    QVERIFY(!plot.FormExists);
    QVERIFY(Host_->Core().Open(Dir_.filePath(kExample).toStdString(), 1).Opened);
  }

  void twentyFiveLinesOpenWithTwentyRows() {
    plot::TGraphPlot plot;
    FillLines(plot, 25);
    TPlotForm form(plot);
    form.resize(800, 600);
    QCOMPARE(form.Legend()->count(), 20);
    QCOMPARE(form.PlotMenu()->actions().size(), 14 + 20);
    form.ApplyActive(std::vector<bool>(25, true));
    QCOMPARE(form.Legend()->count(), 25);
    QCOMPARE(form.PlotMenu()->actions().size(), 14 + 25);
    QCOMPARE(form.PlotMenu()->actions()[38]->text(), QString("Curve #25"));
    // Names edited while line 2 of 5 is inactive: legend row 2 is line 3.
    plot::TGraphPlot five;
    FillLines(five, 5);
    five.Line(1).Active = false;
    TPlotForm small(five);
    small.ApplyLineNames({"a", "b", "c", "d", "e"});
    QCOMPARE(small.Legend()->item(1)->text(), QString("c *"));
    QCOMPARE(small.PlotMenu()->actions()[15]->text(), QString("c"));
  }

  void fontSizeGrowsTheLegend() {
    plot::TGraphPlot plot;
    FillLines(plot, 3);
    TPlotForm form(plot);
    form.resize(800, 600);
    form.show();
    const int width = form.Legend()->width();
    form.ApplyFontSize(20);
    QCOMPARE(plot.SizeFont, 20);
    QVERIFY(plot.AnyChange);
    QVERIFY(form.Legend()->width() > width);
  }

  void graphCaptionDialog() {
    plot::TfrmGraphCaption dialog("Shaft A", true);
    dialog.show();
    SaveShot(dialog, "dialog-graph-caption.png");
    QCOMPARE(dialog.windowTitle(), QString("Graph Caption"));
    auto* edit = dialog.findChild<QLineEdit*>();
    edit->setText("Shaft B");
    dialog.reject();  // taken however it closes
    QCOMPARE(dialog.Title(), std::string("Shaft B"));
    QVERIFY(dialog.OnTop());
  }

  void legendDialogRefusesAnEmptyName() {
    QStringList warnings;
    plot::TfrmLineNames dialog({"Skin Friction", "Tip Resistance", "Total Capacity"}, nullptr,
                               [&](QWidget*, const QString& text) { warnings << text; });
    dialog.show();
    SaveShot(dialog, "dialog-legend.png");
    QCOMPARE(dialog.windowTitle(), QString("Legend"));
    QVERIFY(dialog.minimumSize() == QSize(195, 167));
    QCOMPARE(dialog.Edit()->text(), QString("Skin Friction"));
    dialog.List()->setCurrentRow(2);
    QCOMPARE(dialog.Edit()->text(), QString("Total Capacity"));
    dialog.Edit()->setText("Capacity");
    dialog.CommitEdit();
    QCOMPARE(dialog.List()->item(2)->text(), QString("Capacity"));
    dialog.Edit()->setText("");
    dialog.CommitEdit();
    QCOMPARE(warnings, QStringList({"The line must have a name!"}));
    QCOMPARE(dialog.Edit()->text(), QString("Capacity"));
    QCOMPARE(dialog.Names()[2], std::string("Capacity"));
  }

  void activeCurvesDialog() {
    plot::TfrmActiveLines dialog({"Dia=3 ft", "Dia=3.5 ft", "Dia=4 ft"}, {true, false, true});
    dialog.show();
    SaveShot(dialog, "dialog-active-curves.png");
    QCOMPARE(dialog.windowTitle(), QString("Active Curves"));
    QCOMPARE(dialog.List()->item(1)->text(), QString(" no  :    Dia=3.5 ft"));
    dialog.List()->item(0)->setSelected(true);
    dialog.List()->item(1)->setSelected(true);
    dialog.ToggleSelected();
    QCOMPARE(dialog.Active(), (std::vector<bool>{false, true, true}));
    dialog.ToggleRow(2);
    QCOMPARE(dialog.List()->item(2)->text(), QString(" no  :    Dia=4 ft"));
    dialog.SetAll(true);
    QCOMPARE(dialog.Active(), (std::vector<bool>{true, true, true}));
    dialog.SetAll(false);
    QCOMPARE(dialog.Active(), (std::vector<bool>{false, false, false}));
  }

  void saveAttributesDialog() {
    QStringList warnings;
    plot::TdlgFormat dialog(nullptr, [&](QWidget*, const QString& text) { warnings << text; });
    dialog.show();
    SaveShot(dialog, "dialog-save-attributes.png");
    QCOMPARE(dialog.windowTitle(), QString("Save Attributes"));
    const std::optional<plot::TSaveAttributes> defaults = dialog.Attributes();
    QVERIFY(defaults);
    QCOMPARE(defaults->HeightInches, 4.0);
    QCOMPARE(defaults->WidthInches, 6.0);
    QCOMPARE(defaults->PixelsPerInch, 72);
    dialog.SetAttributes({1, 6, 72});
    dialog.accept();
    QCOMPARE(warnings.size(), 1);
    QVERIFY(dialog.isVisible());  // refused: stays open
    dialog.SetAttributes({2, 2, 10});
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void exportWindowListsThePlotsWithResults() {
    app::ShowExportToExcel(*Host_);
    auto* window = Host_->Window().findChild<plot::TDlgExport*>();
    QVERIFY(window != nullptr);
    window->OpenAfterExport = false;
    QCOMPARE(window->windowTitle(), QString("Export to Excel"));
    // The example fills plots 1 to 14 and 16.
    QCOMPARE(window->List()->count(), 15);
    QCOMPARE(window->List()->item(3)->text(), QString("ASD/LRFD Skin Friction vs Depth "));
    QCOMPARE(window->List()->item(6)->text(), QString("Combined Plots vs Depth (ultimate)"));
    // As the window opens, every caption fits its list row, and every listed plot is in view.
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QListWidget* list = window->List();
    QVERIFY(list->viewport()->width() >= list->sizeHintForColumn(0));
    QVERIFY(list->viewport()->height() >= list->count() * list->sizeHintForRow(0));
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    SaveShot(*window, "window-export-to-excel.png");
    window->SelectAll(false);
    QVERIFY(!window->GenerateButton()->isEnabled());
    window->List()->item(0)->setCheckState(Qt::Checked);
    QVERIFY(window->GenerateButton()->isEnabled());
    const QString file = Dir_.filePath("export.xlsx");
    QStringList messages;
    window->SetFileChooser([&](QWidget*) { return file; });
    window->SetMessageSink([&](QWidget*, const QString& text, bool) { messages << text; });
    window->Markers()->setChecked(false);
    window->Generate();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].startsWith("Export to Excel Completed\n"));
    const TXlsxContents book(file);
    QCOMPARE(book.SheetNames(), QStringList({"Legend", "Page_1", "Plot_1"}));
    QCOMPARE(book.Cell(1, "C3"), QString("Ultimate Skin Friction vs Depth"));
    QVERIFY(book.Chart(1).contains("<c:symbol val=\"none\"/>"));
    // The same command brings the same window back.
    app::ShowExportToExcel(*Host_);
    QCOMPARE(Host_->Window().findChildren<plot::TDlgExport*>().size(), 1);
  }

  void noResultsGiveAnEmptyList() {
    plot::TDlgExport window([] { return std::vector<plot::TExportPlot>{}; });
    QCOMPARE(window.List()->count(), 0);
    QVERIFY(!window.GenerateButton()->isEnabled());
  }
};

QTEST_MAIN(PlotWindowTest)
#include "plot_window_test.moc"
