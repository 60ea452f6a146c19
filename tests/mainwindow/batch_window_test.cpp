// Checks the batch window: its list without duplicates, the selected and full clearing, Replace,
// the list file round trip, Check Files and Run All with their messages and progress, and a
// screenshot after a run.
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include "batch_window.h"
#include "main_window.h"
#include "window_test_support.h"

namespace tolvane::app {
namespace {

using testing::answerMessageBoxes;

QStringList entries(const BatchWindow& batch) {
  QStringList entries;
  for (int row = 0; row < batch.fileList()->count(); ++row) {
    entries << batch.fileList()->item(row)->text();
  }
  return entries;
}

}  // namespace

class BatchWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { testing::clearProgramSettings(); }
  void cleanup() { testing::endAnswers(); }

  void hasItsButtonsAndSize() {
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(QString());
    BatchWindow batch(window);
    QCOMPARE(batch.windowTitle(), QString("Multi-File Analysis (Batch Run)"));
    QVERIFY(batch.minimumWidth() >= 640 && batch.minimumHeight() >= 500);
    QStringList captions;
    for (const QPushButton* button : batch.findChildren<QPushButton*>()) {
      captions << button->text();
    }
    for (const char* caption :
         {"Add File(s) To List", "Clear Selected File(s)", "Clear All File List",
          "Open a File List", "Save File List", "Save Run Messages", "Open Run Messages",
          "Clear Run Messages", "Replace", "Check Files", "Run All Analyses", "Close"}) {
      QVERIFY2(captions.contains(caption), caption);
    }
    QCOMPARE(batch.countLabel()->text(), QString("Number of Files: 0"));
  }

  void listKeepsEachFileOnce() {
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(QString());
    BatchWindow batch(window);
    batch.addFiles({"/data/a.tv9d", "/data/b.tv9d"});
    batch.addFiles({"/data/b.tv9d", "/data/c.tv9d", "/data/a.tv9d"});
    QCOMPARE(entries(batch), QStringList({"/data/a.tv9d", "/data/b.tv9d", "/data/c.tv9d"}));
    QCOMPARE(batch.countLabel()->text(), QString("Number of Files: 3"));

    batch.fileList()->item(0)->setSelected(true);
    batch.fileList()->item(2)->setSelected(true);
    batch.clearSelected();
    QCOMPARE(entries(batch), QStringList({"/data/b.tv9d"}));
    QCOMPARE(batch.countLabel()->text(), QString("Number of Files: 1"));
    batch.clearAll();
    QCOMPARE(batch.fileList()->count(), 0);
    QCOMPARE(QString::fromStdString(batch.batch().fname), QString());
  }

  void replaceChangesTheEntriesThatHoldTheText() {
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(QString());
    BatchWindow batch(window);
    batch.addFiles({"/old/Site/site-1.tv9d", "/old/site/b.tv9d", "/elsewhere/c.tv9d"});
    // Found case-sensitively, replaced in any case.
    batch.replace("Site", "Pier");
    QCOMPARE(entries(batch),
             QStringList({"/old/Pier/Pier-1.tv9d", "/old/site/b.tv9d", "/elsewhere/c.tv9d"}));
  }

  void listFileReadsBackTheSameList() {
    testing::ScratchProjects scratch;
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(QString());
    const QStringList files = {"/data/one.tv9d", "/data/two words.tv9d", "/data/three.tv9d"};
    {
      BatchWindow batch(window);
      batch.addFiles(files);
      QVERIFY(batch.saveFileList(scratch.path("piles.pyb")));
    }
    QFile list(scratch.path("piles.pyb"));
    QVERIFY(list.open(QIODevice::ReadOnly));
    QCOMPARE(list.readAll(),
             QByteArray("/data/one.tv9d\r\n/data/two words.tv9d\r\n/data/three.tv9d\r\n\r\n"));
    BatchWindow batch(window);
    QVERIFY(batch.openFileList(scratch.path("piles.pyb")));
    QCOMPARE(entries(batch), files);
    QCOMPARE(QString::fromStdString(batch.batch().fname), scratch.path("piles.pyb"));
  }

  void checkFilesNamesTheMissingOne() {
    testing::ScratchProjects scratch;
    const QString present = scratch.copyExample("sand-over-clay.tv9d");
    const QString missing = scratch.path("missing.tv9d");
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(QString());
    BatchWindow batch(window);
    batch.addFiles({present, missing});
    batch.checkFiles();
    const QStringList lines = batch.messageArea()->toPlainText().split('\n');
    QCOMPARE(lines.value(0), QString("* Start Multi-File Check *"));
    QVERIFY(lines.contains("File 1/2 : " + present));
    QVERIFY(lines.contains("  Input file Exists "));
    QVERIFY(lines.contains("File 2/2 : " + missing));
    QVERIFY(lines.contains("  * Input file does not exist. Please check"));
    QVERIFY(lines.contains("* Multi-File Check Completed *"));
  }

  void runAllGoesOnAfterAMissingFile() {
    testing::ScratchProjects scratch;
    const QString first = scratch.copyExample("sand-over-clay.tv9d", "first.tv9d");
    const QString missing = scratch.path("second.tv9d");
    const QString third = scratch.copyExample("sand-over-clay.tv9d", "third.tv9d");
    TMainForm window(TOLVANE_PROGRAM_DIR);
    window.start(QString());
    BatchWindow batch(window);
    batch.resize(760, 620);
    batch.addFiles({first, missing, third});
    QVERIFY(batch.saveFileList(scratch.path("piles.pyb")));
    auto answers = answerMessageBoxes(QMessageBox::Ok);
    batch.runAll();
    QCOMPARE(answers->texts, QStringList({"Computations Completed\nPlease check the output file "
                                          "and/or processor notes files"}));
    const QStringList lines = batch.messageArea()->toPlainText().split('\n');
    QCOMPARE(lines.value(0), QString("* Start Multi-File Analysis *"));
    const qsizetype secondAt = lines.indexOf("File 2/3 : " + missing);
    QVERIFY(secondAt > 0);
    QCOMPARE(lines.value(secondAt + 1), QString("- Reading File"));
    QCOMPARE(lines.value(secondAt + 2), QString("  * Input file does not exist. Please check"));
    const qsizetype thirdAt = lines.indexOf("File 3/3 : " + third);
    QVERIFY(thirdAt > secondAt);
    QCOMPARE(lines.value(thirdAt + 2), QString("- Analyzing File"));
    QCOMPARE(lines.value(thirdAt + 3), QString("  * Computation completed."));
    QCOMPARE(lines.value(thirdAt + 4), QString("    Please check your results"));
    QVERIFY(lines.contains("* Multi-File Analysis Completed *"));
    QCOMPARE(batch.progress()->value(), 3);
    QCOMPARE(batch.progress()->maximum(), 3);
    QVERIFY(QFile::exists(scratch.path("first.tv9o")));
    QVERIFY(QFile::exists(scratch.path("third.tv9o")));
    // The messages went to the message file of the list too.
    QFile messages(scratch.path("piles.pym"));
    QVERIFY(messages.open(QIODevice::ReadOnly));
    QVERIFY(messages.readAll().contains("  * Input file does not exist. Please check\r\n"));
    // The batch ends with a new project, and every button works again.
    QCOMPARE(window.windowTitle(), QString("TOLVANE 2023.9.02 - NewTolvane"));
    for (const QPushButton* button : batch.findChildren<QPushButton*>()) {
      QVERIFY(button->isEnabled());
    }

    batch.show();
    QVERIFY(QTest::qWaitForWindowExposed(&batch));
    QVERIFY(batch.grab().save(QString(TOLVANE_SCREENSHOT_DIR) + "/batch-window.png"));

    QVERIFY(batch.saveRunMessages(scratch.path("saved.pym")));
    QFile saved(scratch.path("saved.pym"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().endsWith("\r\n\r\n"));
    batch.clearRunMessages();
    QVERIFY(batch.messageArea()->toPlainText().isEmpty());
    QCOMPARE(batch.progress()->value(), 0);
  }
};

}  // namespace tolvane::app

QTEST_MAIN(tolvane::app::BatchWindowTest)
#include "batch_window_test.moc"
