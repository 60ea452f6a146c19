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

class TestHost : public app::WindowHost {
 public:
  explicit TestHost(const std::string& dir) : core_(messages, project_, dir) {
    frame_.setCentralWidget(area_ = new QMdiArea);
    frame_.resize(1000, 720);
  }
  // The child windows reach the plots: they go before the core, as in the main window.
  ~TestHost() override { delete area_; }
  app::MainFormRules& core() override { return core_; }
  QMdiArea* mdiArea() override { return area_; }
  QWidget* frame() override { return &frame_; }
  void projectChanged() override { ++changes; }
  void updateEnabling() override {}
  QMainWindow& dataWindow() { return frame_; }

  app::testing::RecordedMessages messages;
  int changes = 0;

 private:
  app::HeadlessHost project_;
  QMainWindow frame_;
  QMdiArea* area_ = nullptr;
  app::MainFormRules core_;
};

void saveShot(QWidget& widget, const QString& name) {
  QDir().mkpath(TOLVANE_SCREENSHOT_DIR);
  QVERIFY(widget.grab().save(QString(TOLVANE_SCREENSHOT_DIR) + "/" + name));
}

TPlotForm* activeForm(TestHost& host) {
  QMdiSubWindow* sub = host.mdiArea()->activeSubWindow();
  return sub != nullptr ? qobject_cast<TPlotForm*>(sub->widget()) : nullptr;
}

QPoint canvasPoint(TPlotForm& form, double fx, double fy) {
  const plot::PixelRect g = form.screenArea().GraphArea;
  return {g.Left + static_cast<int>(fx * (g.Right - g.Left)),
          g.Top + static_cast<int>(fy * (g.Bottom - g.Top))};
}

// n lines of two points (0, 0) to (10 + n, 50).
void fillLines(plot::TGraphPlot& plot, int n) {
  plot.Caption = "Design Chart 1";
  plot.SetLineCount(n);
  plot.SetCount(2);
  for (int i = 0; i < n; ++i) plot.Data(i, 1) = {10.0L + i, 50};
}

}  // namespace

class PlotWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::unique_ptr<TestHost> host_;

 private slots:
  void initTestCase() {
    const QString example = QString(TOLVANE_EXAMPLES_DIR) + "/" + kExample;
    QVERIFY(QFile::copy(example, dir_.filePath(kExample)));
    QProcess run;
    run.setWorkingDirectory(dir_.path());
    run.start(TOLVANE_PROGRAM, {"--run", kExample});
    QVERIFY(run.waitForFinished(120000));
    QCOMPARE(run.exitCode(), 0);
    host_ = std::make_unique<TestHost>(dir_.path().toStdString());
    QVERIFY(host_->core().Open(dir_.filePath(kExample).toStdString(), 1).opened);
    QVERIFY(host_->core().flags.ShowOutput);
    host_->dataWindow().show();
  }

  void plotWindowOpensMaximisedWithItsMenu() {
    app::showPlotWindow(*host_, app::kPltCombine);
    TPlotForm* form = activeForm(*host_);
    QVERIFY(form != nullptr);
    QVERIFY(host_->mdiArea()->activeSubWindow()->isMaximized());
    QCOMPARE(form->windowTitle(), QString("PlotForm"));
    QVERIFY(form->plot().FormExists);
    const QList<QAction*> items = form->PlotMenu()->actions();
    const QStringList fixed = {"Show &Legend",        "Show &Soil Layer",
                               "Show &Wall Geometry", "Show &Markers",
                               "&Font Size",          "&Line Width",
                               "&Graph Title",        "&Edit Legend",
                               "&Active Curves",      "",
                               "&Print...",           "P&age Setup",
                               "&Save To Disk...",    ""};
    QCOMPARE(items.size(), 14 + form->plot().LineCount());
    for (int i = 0; i < fixed.size(); ++i) QCOMPARE(items[i]->text(), fixed[i]);
    QCOMPARE(items[14]->text(), QString::fromStdString(form->plot().line(0).LineName()));
    QVERIFY(form->Legend()->isVisible());
    QCOMPARE(form->Legend()->count(), 3);
    QVERIFY(form->Legend()->item(0)->text().endsWith(" *"));
    // The legend sits at the bottom right of the curve area.
    const plot::PixelRect g = form->screenArea().GraphArea;
    QCOMPARE(form->Legend()->geometry().right() + 1, g.Right);
    QCOMPARE(form->Legend()->geometry().bottom() + 1, g.Bottom);
    // A second command brings the same window to the front.
    app::showPlotWindow(*host_, app::kPltCombine);
    QCOMPARE(host_->mdiArea()->subWindowList().size(), 1);
    form->applyGraphTitle("Shaft A, sand over clay", true);
    form->formState().toggleLayers();
    form->layOut();
    QApplication::processEvents();
    saveShot(host_->dataWindow(), "plot-window.png");
  }

  void soilLayerItemOnlyForPlotsWithLayers() {
    TPlotForm* combined = activeForm(*host_);
    QVERIFY(combined != nullptr);
    emit combined->PlotMenu()->aboutToShow();
    QVERIFY(combined->PlotMenu()->actions()[1]->isVisible());
    QVERIFY(!combined->PlotMenu()->actions()[2]->isVisible());  // no wall geometry
    app::showPlotWindow(*host_, app::kPltAxial);
    TPlotForm* settlement = activeForm(*host_);
    QVERIFY(settlement != nullptr && settlement != combined);
    emit settlement->PlotMenu()->aboutToShow();
    QVERIFY(!settlement->PlotMenu()->actions()[1]->isVisible());
    host_->mdiArea()->activeSubWindow()->close();
    QApplication::processEvents();
  }

  void mouseReadOutAndZoom() {
    app::showPlotWindow(*host_, app::kPltCombine);
    TPlotForm* form = activeForm(*host_);
    QVERIFY(form != nullptr);
    QWidget* canvas = form->Canvas();
    const plot::TFloatRect full = form->formState().MaxLogicBounds();
    QTest::mouseMove(canvas, canvasPoint(*form, 0.5, 0.5));
    QVERIFY(form->windowTitle().startsWith("Combined Plots vs Depth (ultimate) X: "));
    QVERIFY(form->windowTitle().contains(" Y: "));
    // Pressing outside the curve area starts no zoom.
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, canvasPoint(*form, 0.5, 0.5));
    QCOMPARE(static_cast<double>(form->formState().LogicBounds().Right),
             static_cast<double>(full.Right));
    // A drag over the middle quarter zooms in.
    QTest::mousePress(canvas, Qt::LeftButton, {}, canvasPoint(*form, 0.25, 0.25));
    QTest::mouseMove(canvas, canvasPoint(*form, 0.5, 0.5));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, canvasPoint(*form, 0.5, 0.5));
    const plot::TFloatRect zoomed = form->formState().LogicBounds();
    const double width = static_cast<double>(full.Right - full.Left);
    QVERIFY(static_cast<double>(zoomed.Right - zoomed.Left) < 0.3 * width);
    QVERIFY(static_cast<double>(zoomed.Left) > static_cast<double>(full.Left) + 0.2 * width);
    // Right clicks zoom back out and never beyond the full range.
    for (int i = 0; i < 4; ++i) {
      QTest::mouseClick(canvas, Qt::RightButton, {}, canvasPoint(*form, 1.0, 1.0));
    }
    QCOMPARE(static_cast<double>(form->formState().LogicBounds().Left),
             static_cast<double>(full.Left));
    QCOMPARE(static_cast<double>(form->formState().LogicBounds().Right),
             static_cast<double>(full.Right));
  }

  void legendToggleAndDrag() {
    TPlotForm* form = activeForm(*host_);
    QVERIFY(form != nullptr);
    QListWidget* legend = form->Legend();
    const QRect row = legend->visualItemRect(legend->item(1));
    QTest::mouseDClick(legend->viewport(), Qt::LeftButton, {}, row.center());
    QVERIFY(!form->plot().line(1).Visible);
    QVERIFY(!legend->item(1)->text().endsWith(" *"));
    QVERIFY(!form->PlotMenu()->actions()[15]->isChecked());
    form->toggleCurveRow(1);
    QVERIFY(form->plot().line(1).Visible);
    // Dragged far up and left, the legend stops at the canvas's corner.
    form->moveLegend(QPoint(-500, -500));
    QCOMPARE(legend->pos(), QPoint(0, 0));
    form->moveLegend(QPoint(5000, 5000));
    QCOMPARE(legend->geometry().right(), form->Canvas()->width() - 1);
  }

  void savingAndPrinting() {
    TPlotForm* form = activeForm(*host_);
    QVERIFY(form != nullptr);
    const QString bmp = dir_.filePath("small.bmp");
    QVERIFY(form->saveTo(bmp, {2, 2, 10}));
    QCOMPARE(QImage(bmp).size(), QSize(20, 20));
    const QString png = dir_.filePath("default.png");
    QVERIFY(form->saveTo(png, {}));
    QCOMPARE(QImage(png).size(), QSize(432, 288));
    QStringList warnings;
    form->setWarningSink([&](QWidget*, const QString& text) { warnings << text; });
    QVERIFY(!form->saveTo(dir_.filePath("absent/folder/x.png"), {}));
    QCOMPARE(warnings.size(), 1);
    QVERIFY(!form->saveTo(dir_.filePath("huge.bmp"), {4, 400, 100}));
    QCOMPARE(warnings.last(), QString("There is not enough memory to complete this task."));
    QVERIFY(!QFile::exists(dir_.filePath("huge.bmp")));
    // Printing to a PDF printer: one page.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir_.filePath("printed.pdf"));
    form->printTo(printer);
    QFile pdf(dir_.filePath("printed.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF"));
    // The printed page at 300 pixels per inch, letter size, 1-inch margins; shown reduced.
    QImage page(2550, 3300, QImage::Format_RGB32);
    page.fill(Qt::lightGray);
    {
      QPainter painter(&page);
      plot::drawPrintedPage(painter, form->plot(), form->formState().LogicBounds(), {300, 300},
                            2550, 3300, form->margins, form->legendPlacement());
    }
    QCOMPARE(page.pixel(150, 150), QColor(Qt::lightGray).rgb());  // the margin is not drawn on
    QCOMPARE(page.pixel(310, 310), qRgb(255, 255, 255));          // the page inside is
    QDir().mkpath(TOLVANE_SCREENSHOT_DIR);
    QVERIFY(page.scaled(850, 1100, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                .save(QString(TOLVANE_SCREENSHOT_DIR) + "/plot-printed-page.png"));
  }

  void windowClosesWhenThePlotIsReadAgain() {
    QVERIFY(!host_->mdiArea()->subWindowList().isEmpty());
    plot::TGraphPlot& plot = host_->core().plots()[app::kPltCombine];
    QVERIFY(plot.FormExists);
    host_->core().plots().resetForReading();  // what a new reading does first
    activeForm(*host_)->layOut();
    QTRY_VERIFY(host_->mdiArea()->subWindowList().isEmpty());
    QVERIFY(!plot.FormExists);
    QVERIFY(host_->core().Open(dir_.filePath(kExample).toStdString(), 1).opened);
  }

  void twentyFiveLinesOpenWithTwentyRows() {
    plot::TGraphPlot plot;
    fillLines(plot, 25);
    TPlotForm form(plot);
    form.resize(800, 600);
    QCOMPARE(form.Legend()->count(), 20);
    QCOMPARE(form.PlotMenu()->actions().size(), 14 + 20);
    form.applyActive(std::vector<bool>(25, true));
    QCOMPARE(form.Legend()->count(), 25);
    QCOMPARE(form.PlotMenu()->actions().size(), 14 + 25);
    QCOMPARE(form.PlotMenu()->actions()[38]->text(), QString("Curve #25"));
    // Names edited while line 2 of 5 is inactive: legend row 2 is line 3.
    plot::TGraphPlot five;
    fillLines(five, 5);
    five.line(1).Active = false;
    TPlotForm small(five);
    small.applyLineNames({"a", "b", "c", "d", "e"});
    QCOMPARE(small.Legend()->item(1)->text(), QString("c *"));
    QCOMPARE(small.PlotMenu()->actions()[15]->text(), QString("c"));
  }

  void fontSizeGrowsTheLegend() {
    plot::TGraphPlot plot;
    fillLines(plot, 3);
    TPlotForm form(plot);
    form.resize(800, 600);
    form.show();
    const int width = form.Legend()->width();
    form.applyFontSize(20);
    QCOMPARE(plot.SizeFont, 20);
    QVERIFY(plot.AnyChange);
    QVERIFY(form.Legend()->width() > width);
  }

  void graphCaptionDialog() {
    plot::TfrmGraphCaption dialog("Shaft A", true);
    dialog.show();
    saveShot(dialog, "dialog-graph-caption.png");
    QCOMPARE(dialog.windowTitle(), QString("Graph Caption"));
    auto* edit = dialog.findChild<QLineEdit*>();
    edit->setText("Shaft B");
    dialog.reject();  // taken however it closes
    QCOMPARE(dialog.Title(), std::string("Shaft B"));
    QVERIFY(dialog.onTop());
  }

  void legendDialogRefusesAnEmptyName() {
    QStringList warnings;
    plot::TfrmLineNames dialog({"Skin Friction", "Tip Resistance", "Total Capacity"}, nullptr,
                               [&](QWidget*, const QString& text) { warnings << text; });
    dialog.show();
    saveShot(dialog, "dialog-legend.png");
    QCOMPARE(dialog.windowTitle(), QString("Legend"));
    QVERIFY(dialog.minimumSize() == QSize(195, 167));
    QCOMPARE(dialog.lineEdit()->text(), QString("Skin Friction"));
    dialog.list()->setCurrentRow(2);
    QCOMPARE(dialog.lineEdit()->text(), QString("Total Capacity"));
    dialog.lineEdit()->setText("Capacity");
    dialog.commitEdit();
    QCOMPARE(dialog.list()->item(2)->text(), QString("Capacity"));
    dialog.lineEdit()->setText("");
    dialog.commitEdit();
    QCOMPARE(warnings, QStringList({"The line must have a name!"}));
    QCOMPARE(dialog.lineEdit()->text(), QString("Capacity"));
    QCOMPARE(dialog.Names()[2], std::string("Capacity"));
  }

  void activeCurvesDialog() {
    plot::TfrmActiveLines dialog({"Dia=3 ft", "Dia=3.5 ft", "Dia=4 ft"}, {true, false, true});
    dialog.show();
    saveShot(dialog, "dialog-active-curves.png");
    QCOMPARE(dialog.windowTitle(), QString("Active Curves"));
    QCOMPARE(dialog.list()->item(1)->text(), QString(" no  :    Dia=3.5 ft"));
    dialog.list()->item(0)->setSelected(true);
    dialog.list()->item(1)->setSelected(true);
    dialog.toggleSelected();
    QCOMPARE(dialog.Active(), (std::vector<bool>{false, true, true}));
    dialog.toggleRow(2);
    QCOMPARE(dialog.list()->item(2)->text(), QString(" no  :    Dia=4 ft"));
    dialog.setAll(true);
    QCOMPARE(dialog.Active(), (std::vector<bool>{true, true, true}));
    dialog.setAll(false);
    QCOMPARE(dialog.Active(), (std::vector<bool>{false, false, false}));
  }

  void saveAttributesDialog() {
    QStringList warnings;
    plot::TdlgFormat dialog(nullptr, [&](QWidget*, const QString& text) { warnings << text; });
    dialog.show();
    saveShot(dialog, "dialog-save-attributes.png");
    QCOMPARE(dialog.windowTitle(), QString("Save Attributes"));
    const std::optional<plot::SaveAttributes> defaults = dialog.attributes();
    QVERIFY(defaults);
    QCOMPARE(defaults->heightInches, 4.0);
    QCOMPARE(defaults->widthInches, 6.0);
    QCOMPARE(defaults->PixelsPerInch, 72);
    dialog.setAttributes({1, 6, 72});
    dialog.accept();
    QCOMPARE(warnings.size(), 1);
    QVERIFY(dialog.isVisible());  // refused: stays open
    dialog.setAttributes({2, 2, 10});
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void exportWindowListsThePlotsWithResults() {
    app::showExportToExcel(*host_);
    auto* window = host_->dataWindow().findChild<plot::TDlgExport*>();
    QVERIFY(window != nullptr);
    window->openAfterExport = false;
    QCOMPARE(window->windowTitle(), QString("Export to Excel"));
    // The example fills plots 1 to 14 and 16.
    QCOMPARE(window->list()->count(), 15);
    QCOMPARE(window->list()->item(3)->text(), QString("ASD/LRFD Skin Friction vs Depth "));
    QCOMPARE(window->list()->item(6)->text(), QString("Combined Plots vs Depth (ultimate)"));
    // As the window opens, every caption fits its list row, and every listed plot is in view.
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QListWidget* list = window->list();
    QVERIFY(list->viewport()->width() >= list->sizeHintForColumn(0));
    QVERIFY(list->viewport()->height() >= list->count() * list->sizeHintForRow(0));
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    saveShot(*window, "window-export-to-excel.png");
    window->checkAll(false);
    QVERIFY(!window->generateButton()->isEnabled());
    window->list()->item(0)->setCheckState(Qt::Checked);
    QVERIFY(window->generateButton()->isEnabled());
    const QString file = dir_.filePath("export.xlsx");
    QStringList messages;
    window->setFileChooser([&](QWidget*) { return file; });
    window->setMessageSink([&](QWidget*, const QString& text, bool) { messages << text; });
    window->Markers()->setChecked(false);
    window->generate();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].startsWith("Export to Excel Completed\n"));
    const XlsxContents book(file);
    QCOMPARE(book.sheetNames(), QStringList({"Legend", "Page_1", "Plot_1"}));
    QCOMPARE(book.cell(1, "C3"), QString("Ultimate Skin Friction vs Depth"));
    QVERIFY(book.chart(1).contains("<c:symbol val=\"none\"/>"));
    // The same command brings the same window back.
    app::showExportToExcel(*host_);
    QCOMPARE(host_->dataWindow().findChildren<plot::TDlgExport*>().size(), 1);
  }

  void noResultsGiveAnEmptyList() {
    plot::TDlgExport window([] { return std::vector<plot::ExportPlot>{}; });
    QCOMPARE(window.list()->count(), 0);
    QVERIFY(!window.generateButton()->isEnabled());
  }
};

QTEST_MAIN(PlotWindowTest)
#include "plot_window_test.moc"
