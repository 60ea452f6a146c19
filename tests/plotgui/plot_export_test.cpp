// The headless exports of the program: `--plots` writes one picture per plot with results in
// each format and size, `--xlsx` the workbook of the chosen plots; both refuse wrong command
// lines and projects without plot data with their exit statuses.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include "main_form_rules.h"
#include "recorded_messages.h"
#include "result_plots.h"
#include "xlsx_contents.h"

namespace {

constexpr int kExitUsage = 64;
constexpr int kExitNoInput = 66;
const QString kExample = "sand-over-clay.tv9d";

struct Run {
  int status = -1;
  QString out;
  QString err;
};

Run program(const QStringList& args, const QString& dir) {
  QProcess program;
  program.setWorkingDirectory(dir);
  program.start(TOLVANE_PROGRAM, args);
  program.waitForFinished(120000);
  return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
          QString::fromUtf8(program.readAllStandardError())};
}

QString plotFile(const QString& dir, int number, const QString& format) {
  return QString("%1/plot-%2.%3").arg(dir).arg(number, 2, 10, QChar('0')).arg(format);
}

}  // namespace

class PlotExportTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QTemporaryDir unrun_;

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    const QString example = QString(TOLVANE_EXAMPLES_DIR) + "/" + kExample;
    QVERIFY(QFile::copy(example, dir_.filePath(kExample)));
    QVERIFY(QFile::copy(example, unrun_.filePath(kExample)));
    const Run run = program({"--run", kExample}, dir_.path());
    QVERIFY2(run.status == 0, qPrintable(run.err));
  }

  // The example analyses one diameter with settlement bounds and t-z curves, without design
  // charts: plots 1 to 14 and 16 have results, 15 and 17 to 26 none.
  void everyPlotWithResultsIsDrawnAsPng() {
    const QString out = dir_.filePath("png");
    const Run run = program({"--plots", kExample, "--out", out}, dir_.path());
    QVERIFY2(run.status == 0, qPrintable(run.err));
    for (int n = 1; n <= 26; ++n) {
      const bool expected = n <= 14 || n == 16;
      QVERIFY2(QFile::exists(plotFile(out, n, "png")) == expected, qPrintable(QString::number(n)));
    }
    const QImage image(plotFile(out, 1, "png"));
    QCOMPARE(image.size(), QSize(960, 640));
    QVERIFY(run.out.contains("Ultimate Skin Friction vs Depth"));
    // The frame of the curve area: left edge at 2h + 96/8 + h/8 = 35.
    QCOMPARE(image.pixel(35, 300), qRgb(0, 0, 0));
  }

  void everyFormatAndSize() {
    const struct {
      const char* format;
      QByteArray start;
    } formats[] = {{"svg", "<?xml"}, {"pdf", "%PDF"}, {"bmp", "BM"}, {"png", "\x89PNG"}};
    for (const auto& f : formats) {
      const QString out = dir_.filePath(QString("size-") + f.format);
      const Run run =
          program({"--plots", kExample, "--out", out, "--format", f.format, "--size", "600x400"},
                  dir_.path());
      QVERIFY2(run.status == 0, qPrintable(run.err));
      QFile file(plotFile(out, 4, f.format));
      QVERIFY2(file.open(QIODevice::ReadOnly), f.format);
      const QByteArray content = file.readAll();
      QVERIFY2(content.startsWith(f.start), f.format);
      if (QString(f.format) == "bmp" || QString(f.format) == "png") {
        QCOMPARE(QImage(plotFile(out, 4, f.format)).size(), QSize(600, 400));
      }
      if (QString(f.format) == "svg") {
        // Drawn back, the drawing shows the frame of the curve area where the picture has it.
        QSvgRenderer svg(content);
        QVERIFY(svg.isValid());
        QImage drawn(600, 400, QImage::Format_RGB32);
        drawn.fill(Qt::red);
        QPainter painter(&drawn);
        svg.render(&painter);
        painter.end();
        QDir().mkpath(TOLVANE_SCREENSHOT_DIR);
        drawn.save(QString(TOLVANE_SCREENSHOT_DIR) + "/export-plot-04-svg.png");
        // Smoothed, the one-pixel frame line at x = 35 covers half of the columns 34 and 35.
        const int frame =
            std::min(drawn.pixelColor(34, 200).lightness(), drawn.pixelColor(35, 200).lightness());
        QVERIFY2(frame < 160, qPrintable(QString::number(frame)));
        QCOMPARE(drawn.pixelColor(590, 200), QColor(Qt::white));
      }
    }
  }

  // With --layers yes the depth plots give up one inch on the right to the soil-layer column:
  // its left frame at 960 - 24 - 5 - 96 + 19 = 854.
  void soilLayersOnRequest() {
    const QString out = dir_.filePath("layers");
    QCOMPARE(program({"--plots", kExample, "--out", out, "--layers", "yes"}, dir_.path()).status,
             0);
    const QImage image(plotFile(out, 1, "png"));
    QCOMPARE(image.pixel(854, 300), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(845, 300), qRgb(255, 255, 255));
  }

  // A graph title on top saved in the project's .tv9g lowers the curve area of the picture by
  // h/8 + h = 12 pixels: the frame's top edge moves from row 35 to row 47.
  void savedFormattingIsApplied() {
    {
      tolvane::app::testing::RecordedMessages messages;
      tolvane::app::HeadlessHost host;
      tolvane::app::MainFormRules form(messages, host, dir_.path().toStdString());
      QVERIFY(form.Open(dir_.filePath(kExample).toStdString(), 1).opened);
      auto& skin = form.plots()[tolvane::app::kPltSkin];
      skin.UserCaption = "Pier 4, boring B-2";
      skin.UserCaptionOnTop = true;
      skin.AnyChange = true;
      form.savePlotFormatting();
    }
    QVERIFY(QFile::exists(dir_.filePath("sand-over-clay.tv9g")));
    const QString out = dir_.filePath("formatted");
    QCOMPARE(program({"--plots", kExample, "--out", out}, dir_.path()).status, 0);
    const QImage titled(plotFile(out, 1, "png"));
    const QImage plain(plotFile(out, 2, "png"));
    QCOMPARE(titled.pixel(500, 47), qRgb(0, 0, 0));
    QVERIFY(titled.pixel(500, 35) != qRgb(0, 0, 0));
    QCOMPARE(plain.pixel(500, 35), qRgb(0, 0, 0));
    QVERIFY(QFile::remove(dir_.filePath("sand-over-clay.tv9g")));
  }

  void wrongCommandLinesAndMissingData() {
    QCOMPARE(program({"--plots", kExample}, dir_.path()).status, kExitUsage);
    QCOMPARE(program({"--plots", kExample, "--out", "x", "--format", "gif"}, dir_.path()).status,
             kExitUsage);
    QCOMPARE(program({"--xlsx", kExample, "--out", "a.xlsx", "--select", "27"}, dir_.path()).status,
             kExitUsage);
    QCOMPARE(program({"--plots", "absent.tv9d", "--out", "x"}, dir_.path()).status, kExitNoInput);
    const Run unrun = program({"--plots", kExample, "--out", "pics"}, unrun_.path());
    QCOMPARE(unrun.status, kExitNoInput);
    QVERIFY(unrun.err.contains("has no plot data"));
    QVERIFY(!QDir(unrun_.filePath("pics")).exists() || QDir(unrun_.filePath("pics")).isEmpty());
    QCOMPARE(program({"--xlsx", kExample, "--out", "a.xlsx"}, unrun_.path()).status, kExitNoInput);
    QVERIFY(!QFile::exists(unrun_.filePath("a.xlsx")));
  }

  // Plots 1, 9 and 12 of the plot list become Page_1..3 and Plot_1..3; their cells hold the
  // values the program reads from the plot-data file.
  void workbookOfTheChosenPlots() {
    const Run run =
        program({"--xlsx", kExample, "--out", "chosen.xlsx", "--select", "12,1,9"}, dir_.path());
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY(run.out.contains("Export to Excel Completed"));
    const XlsxContents book(dir_.filePath("chosen.xlsx"));
    QCOMPARE(book.sheetNames(),
             QStringList({"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2", "Page_3", "Plot_3"}));
    QCOMPARE(book.cell(1, "C3"), QString("Ultimate Skin Friction vs Depth"));
    QCOMPARE(book.cell(1, "C4"), QString("Axial Load vs Settlement (averaged)"));
    QCOMPARE(book.cell(1, "C5"), QString("Combined Plots of Load vs Settlement"));
    QCOMPARE(book.cell(2, "B2"), QString("Ultimate Skin Friction  (tons)"));

    tolvane::app::testing::RecordedMessages messages;
    tolvane::app::HeadlessHost host;
    tolvane::app::MainFormRules form(messages, host, dir_.path().toStdString());
    QVERIFY(form.Open(dir_.filePath(kExample).toStdString(), 1).opened);
    const auto& skin = form.plots()[tolvane::app::kPltSkin];
    const int last = skin.Count() - 1;
    QCOMPARE(book.cell(2, "A4"), QString::fromStdString(skin.line(0).LineName()));
    QCOMPARE(book.cell(2, QString("B%1").arg(6 + last)).toDouble(),
             static_cast<double>(skin.Data(0, last).y));
    QCOMPARE(book.cell(2, QString("A%1").arg(6 + last)).toDouble(),
             static_cast<double>(skin.Data(0, last).x));
    const auto& combined = form.plots()[tolvane::app::kPltCombinedSettle];
    QCOMPARE(book.chart(3).count("<c:ser>"), combined.LineCount());
    QCOMPARE(book.seriesRanges(1).first(), QString("Page_1!$A$6:$A$%1").arg(5 + skin.Count()));
  }
};

QTEST_MAIN(PlotExportTest)
#include "plot_export_test.moc"
