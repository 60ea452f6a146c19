// The workbook of the spreadsheet export, opened as a zip: sheet names and order, the legend
// sheet with its links, the data sheet's cells, the chart series ranges, the reversed value axis,
// markers, and the 255-series limit.
#include <QTemporaryDir>
#include <QtTest>

#include "plot_workbook.h"
#include "xlsx_contents.h"

using namespace tolvane::plot;

namespace {

// Three curves of 40, 40 and 35 points; curve i (0-based) has x = j and y = 10 (i + 1) + j / 2.
void fillThreeCurves(TGraphPlot& plot) {
  plot.Caption = "Ultimate Skin Friction vs Depth";
  plot.XCaption = "Load";
  plot.XUnits = "F2";
  plot.YCaption = "Depth";
  plot.YUnits = "L2";
  plot.SetLineCount(3);
  plot.SetCount(40);
  plot.line(2).SetCount(35);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < plot.line(i).Count(); ++j) {
      plot.Data(i, j) = {static_cast<long double>(j), 10.0L * (i + 1) + j / 2.0L};
    }
  }
  plot.line(1).setLineName("Dia=3.5 ft");
}

}  // namespace

class PlotWorkbookTest : public QObject {
  Q_OBJECT

 private slots:
  void sheetsDataAndSeriesOfOnePlot() {
    QTemporaryDir dir;
    TGraphPlot plot;
    fillThreeCurves(plot);
    const QString file = dir.filePath("plots.xlsx");
    const WorkbookResult result = writePlotWorkbook({&plot}, file.toStdString(), true);
    QVERIFY2(result.written, result.error.c_str());
    QVERIFY(!result.more255);
    const XlsxContents book(file);
    QCOMPARE(book.sheetNames(), QStringList({"Legend", "Page_1", "Plot_1"}));

    // Legend sheet (worksheet 1).
    QCOMPARE(book.cell(1, "B2"), QString(kLegendHeadings[0]));
    QCOMPARE(book.cell(1, "F2"), QString("          Status          "));
    QCOMPARE(book.cell(1, "B3"), QString("1"));
    QCOMPARE(book.cell(1, "C3"), QString("Ultimate Skin Friction vs Depth"));
    QCOMPARE(book.cell(1, "D3"), QString("Page_1"));
    QCOMPARE(book.cell(1, "E3"), QString("Plot_1"));
    QCOMPARE(book.cell(1, "F3"), QString("Complete"));
    QCOMPARE(book.links(1).value("D3"), QString("Page_1!A1"));

    // Data sheet (worksheet 2): columns A to F, rows 6 to 45 (35 rows for the third curve).
    QCOMPARE(book.cell(2, "A1"), QString("Ultimate Skin Friction vs Depth"));
    QCOMPARE(book.cell(2, "A2"), QString("X"));
    QCOMPARE(book.cell(2, "B2"), QString("Load (tons)"));
    QCOMPARE(book.cell(2, "B3"), QString("Depth (ft)"));
    QCOMPARE(book.cell(2, "A4"), QString("Curve #1"));
    QCOMPARE(book.cell(2, "C4"), QString("Dia=3.5 ft"));
    QCOMPARE(book.cell(2, "E4"), QString("Curve #3"));
    QCOMPARE(book.cell(2, "E5"), QString("X"));
    QCOMPARE(book.cell(2, "F5"), QString("Y"));
    QCOMPARE(book.cell(2, "A6"), QString("0"));
    QCOMPARE(book.cell(2, "B45"), QString("29.5"));  // 10 + 39 / 2
    QCOMPARE(book.cell(2, "D45"), QString("39.5"));  // 20 + 39 / 2
    QCOMPARE(book.cell(2, "F40"), QString("47"));    // 30 + 34 / 2
    QCOMPARE(book.cell(2, "F41"), QString());
    QCOMPARE(book.cell(2, "G46"), QString());
    QCOMPARE(book.links(2).value("G1"), QString("Legend!A1"));

    // One chart, three series over rows 6 to 5 + 40, value axis reversed (depth downwards).
    QCOMPARE(book.seriesRanges(1),
             QStringList({"Page_1!$A$6:$A$45", "Page_1!$B$6:$B$45", "Page_1!$C$6:$C$45",
                          "Page_1!$D$6:$D$45", "Page_1!$E$6:$E$45", "Page_1!$F$6:$F$45"}));
    const QString chart = book.chart(1);
    QCOMPARE(chart.count("<c:ser>"), 3);
    QVERIFY(chart.contains("<c:scatterStyle val=\"lineMarker\"/>"));
    QVERIFY(chart.contains("maxMin"));
    QVERIFY(chart.contains("Dia=3.5 ft"));
    QVERIFY(chart.contains("Load (tons)"));
    QVERIFY(!chart.contains("<c:symbol val=\"none\"/>"));
    QVERIFY(!chart.contains("<c:autoTitleDeleted val=\"0\"/>"));
  }

  void secondPlotWithoutMarkersAndUpwardsAxis() {
    QTemporaryDir dir;
    TGraphPlot first;
    fillThreeCurves(first);
    TGraphPlot second;
    fillThreeCurves(second);
    second.Caption = "Load Distribution";
    second.XOnTop = false;
    const QString file = dir.filePath("two.xlsx");
    QVERIFY(writePlotWorkbook({&first, &second}, file.toStdString(), false).written);
    const XlsxContents book(file);
    QCOMPARE(book.sheetNames(), QStringList({"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2"}));
    QCOMPARE(book.cell(1, "B4"), QString("2"));
    QCOMPARE(book.cell(1, "C4"), QString("Load Distribution"));
    QCOMPARE(book.links(1).value("D4"), QString("Page_2!A1"));
    QCOMPARE(book.seriesRanges(2).first(), QString("Page_2!$A$6:$A$45"));
    QCOMPARE(book.chart(2).count("<c:symbol val=\"none\"/>"), 3);
    QVERIFY(!book.chart(2).contains("maxMin"));
  }

  // 300 curves of one point: 600 data columns (curve 300 in 599 = 23 x 26 + 1, "WA"), 255
  // series, the last in column 2 x 255.
  void moreThan255CurvesGive255Series() {
    QTemporaryDir dir;
    TGraphPlot plot;
    plot.SetLineCount(300);
    plot.SetCount(1);
    for (int i = 0; i < 300; ++i) plot.Data(i, 0) = {static_cast<long double>(i), 1};
    const QString file = dir.filePath("many.xlsx");
    const WorkbookResult result = writePlotWorkbook({&plot}, file.toStdString(), true);
    QVERIFY(result.written);
    QVERIFY(result.more255);
    const XlsxContents book(file);
    QCOMPARE(book.chart(1).count("<c:ser>"), 255);
    QCOMPARE(book.seriesRanges(1).last(), QString("Page_1!$SP$6:$SP$6"));  // 510 = 19 x 26 + 16
    QCOMPARE(book.cell(2, "WA4"), QString("Curve #300"));
    QCOMPARE(book.cell(2, "WA6"), QString("299"));
    QCOMPARE(exportCompletedMessage(true),
             std::string("Export to Excel Completed\rPlease note that you need to save the excel "
                         "file\rSome plots show only 255 series because Excel limitation \rPlease "
                         "check \r"));
    QCOMPARE(exportCompletedMessage(false),
             std::string("Export to Excel Completed\rPlease note that you need to save the excel "
                         "file\r"));
  }

  void unwritableFileIsReportedAndLeavesNothing() {
    QTemporaryDir dir;
    TGraphPlot plot;
    fillThreeCurves(plot);
    const QString file = dir.filePath("missing/folder/plots.xlsx");
    const WorkbookResult result = writePlotWorkbook({&plot}, file.toStdString(), true);
    QVERIFY(!result.written);
    QVERIFY(!result.error.empty());
    QVERIFY(!QFile::exists(file));
  }
};

QTEST_GUILESS_MAIN(PlotWorkbookTest)
#include "plot_workbook_test.moc"
