// Enters a whole two-layer project (sand over clay, drilled shaft, ASD, design load) through the
// data windows as a user would, saves it and compares the file with a hand-written one.
#include <QComboBox>
#include <QFile>
#include <QtTest>

#include "option_windows.h"
#include "pile_properties_window.h"
#include "soil_layers_window.h"
#include "soil_parameter_dialog.h"
#include "test_host.h"

namespace tolvane::app::testing {

namespace {

void enter(entry::TDataEdit* field, const QString& text) {
  QVERIFY(field != nullptr);
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, text);
  QTest::keyClick(field, Qt::Key_Return);
}

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// Fills the soil-parameter page the Edit button opens: per column the top and bottom entries.
struct PageEntry {
  int column;
  const char* Top;
  const char* Bottom;
};

// A pick list of the page and the entry chosen at the top; "Copy Values From Top To Bottom"
// gives the bottom the same.
struct PickEntry {
  int column;
  int index;
};

void fillPage(SoilLayersWindow* layers, int row, int method, std::vector<PageEntry> entries,
              std::vector<PickEntry> picks = {}) {
  bool closed = false;
  whenModalOpens([&closed, method, entries, picks](QWidget* modal) {
    auto* dialog = qobject_cast<SoilParameterDialog*>(modal);
    QVERIFY(dialog != nullptr);
    if (method > 0) dialog->methodButton(method)->click();
    for (const PickEntry& pick : picks) {
      dialog->pickList(pick.column, kTopRow)->setCurrentIndex(pick.index);
      dialog->copyButton()->click();
    }
    for (const PageEntry& entry : entries) {
      enter(dialog->field(entry.column, kTopRow), QString::fromUtf8(entry.Top));
      enter(dialog->field(entry.column, kBottomRow), QString::fromUtf8(entry.Bottom));
    }
    dialog->closeButton()->click();
    closed = !dialog->isVisible();
  });
  layers->editButton(row)->click();
  QVERIFY(closed);
}

}  // namespace

class TwoLayerProjectTest : public QObject {
  Q_OBJECT

 private slots:
  void aProjectEnteredThroughTheWindowsIsSavedAsWritten() {
    TestHost host;

    showDataWindow(host, DataWindow::kTitle);
    auto* title = host.dataWindow<TitleWindow>(DataWindow::kTitle);
    title->titleText()->setFocus();
    title->titleText()->selectAll();
    QTest::keyClicks(title->titleText(), QStringLiteral("Two-layer test shaft"));

    // Opening the next window deactivates the title window, which writes the title.
    showDataWindow(host, DataWindow::kDrilledShaftProperties);
    QCOMPARE(host.Data().Title, std::string("Two-layer test shaft"));
    auto* shaft = host.dataWindow<PilePropertiesWindow>(DataWindow::kDrilledShaftProperties);
    enter(shaft->minimumDiameter(), QStringLiteral("3"));
    enter(shaft->maximumDiameter(), QStringLiteral("0"));
    enter(shaft->ratio(), QStringLiteral("0"));
    enter(shaft->bellAngle(), QStringLiteral("0"));
    enter(shaft->upperZone(), QStringLiteral("5"));
    enter(shaft->lowerZone(), QStringLiteral("1+2"));
    enter(shaft->modulus(), QStringLiteral("4e6"));
    closeDataWindow(host, DataWindow::kDrilledShaftProperties);

    showDataWindow(host, DataWindow::kSoilLayers);
    auto* layers = host.dataWindow<SoilLayersWindow>(DataWindow::kSoilLayers);
    QTest::mouseClick(layers->addButton(), Qt::LeftButton);
    QComboBox* second = layers->typeList(1);
    second->setCurrentIndex(1);
    emit second->activated(1);  // clay
    enter(layers->field(0, kColBottomDepth), QStringLiteral("20"));
    enter(layers->field(1, kColBottomDepth), QStringLiteral("60"));
    enter(layers->field(1, kColMaxSideFriction), QStringLiteral("2000"));
    fillPage(layers, 0, 1,
             {{0, "115", "120"}, {3, "0.5", "0.45"}, {2, "15", "20"}, {1, "32", "34"}});
    fillPage(layers, 1, 1, {{0, "120", "125"}, {1, "1000", "1500"}, {2, "8", "10"}});
    closeDataWindow(host, DataWindow::kSoilLayers);

    showDataWindow(host, DataWindow::kFactorOfSafety);
    auto* safety = host.dataWindow<FactorOfSafetyWindow>(DataWindow::kFactorOfSafety);
    enter(safety->sideFriction(), QStringLiteral("2.5"));
    enter(safety->baseCapacity(), QStringLiteral("3"));
    closeDataWindow(host, DataWindow::kFactorOfSafety);

    showDataWindow(host, DataWindow::kWaterTable);
    enter(host.dataWindow<WaterTableWindow>(DataWindow::kWaterTable)->depthEdit(),
          QStringLiteral("10"));
    closeDataWindow(host, DataWindow::kWaterTable);

    host.Data().METHOD = 1;  // "Specify the design load"
    showDataWindow(host, DataWindow::kDesignLoad);
    auto* load = host.dataWindow<LoadingWindow>(DataWindow::kDesignLoad);
    enter(load->Value(), QStringLiteral("60"));
    load->compression()->click();
    closeDataWindow(host, DataWindow::kDesignLoad);
    QVERIFY(host.Changed());
    QVERIFY(host.shown.empty());

    const QString saved = QDir::temp().filePath(QStringLiteral("tolvane_two_layer.tv9d"));
    QFile::remove(saved);
    host.Data().FileName = saved.toStdString();
    host.core().Save();
    const QByteArray expected =
        fileBytes(QStringLiteral(TOLVANE_DIALOGS_DATA_DIR "/two_layer_sand_clay.tv9d"));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(fileBytes(saved), expected);
    QFile::remove(saved);
  }

  // CFA sand over CFA clay in SI units, LRFD, an uplift load on a given length.
  void aCfaProjectInSiUnitsIsSavedAsWritten() {
    TestHost host(kSIUnits);
    host.Data().NLRFD = 1;  // "LRFD (Load Resistance Factor Design)"

    showDataWindow(host, DataWindow::kTitle);
    auto* title = host.dataWindow<TitleWindow>(DataWindow::kTitle);
    title->titleText()->setFocus();
    title->titleText()->selectAll();
    QTest::keyClicks(title->titleText(), QStringLiteral("CFA test pile SI"));
    closeDataWindow(host, DataWindow::kTitle);

    showDataWindow(host, DataWindow::kCfaPileProperties);
    QCOMPARE(host.Data().CFAPile, 1);
    auto* pile = host.dataWindow<PilePropertiesWindow>(DataWindow::kCfaPileProperties);
    QCOMPARE(pile->modulus()->EditLabel()->text(),
             QStringLiteral("&Modulus of Elasticity of CFG Pile (kN/m\u00b2)"));
    enter(pile->minimumDiameter(), QStringLiteral("0.6"));
    enter(pile->maximumDiameter(), QStringLiteral("0.9"));
    enter(pile->upperZone(), QStringLiteral("1.5"));
    enter(pile->lowerZone(), QStringLiteral("0"));
    enter(pile->modulus(), QStringLiteral("25e6"));
    closeDataWindow(host, DataWindow::kCfaPileProperties);
    QCOMPARE(host.Data().CFAPile, 1);

    showDataWindow(host, DataWindow::kSoilLayers);
    auto* layers = host.dataWindow<SoilLayersWindow>(DataWindow::kSoilLayers);
    QCOMPARE(layers->Grid()->columnCount(), 7);
    QCOMPARE(layers->typeList(0)->currentIndex(), -1);  // type 1 is no CFA type
    QTest::mouseClick(layers->addButton(), Qt::LeftButton);
    for (const int row : {0, 1}) {
      layers->typeList(row)->setCurrentIndex(row);
      emit layers->typeList(row)->activated(row);
    }
    QCOMPARE(host.grids().SoilType(0), kCfaSand);
    QCOMPARE(host.grids().SoilType(1), kCfaClay);
    enter(layers->field(0, kColBottomDepth), QStringLiteral("6"));
    enter(layers->field(1, kColBottomDepth), QStringLiteral("20"));
    enter(layers->field(0, kColSideResistanceFactor), QStringLiteral("0.55"));
    enter(layers->field(0, kColEndResistanceFactor), QStringLiteral("0.5"));
    enter(layers->field(1, kColSideResistanceFactor), QStringLiteral("0.45"));
    enter(layers->field(1, kColEndResistanceFactor), QStringLiteral("0.4"));
    fillPage(layers, 0, 1, {{0, "18", "19"}, {2, "12", "18"}}, {{3, 0}});
    fillPage(layers, 1, 2, {{0, "18.5", "19"}, {4, "1500", "2000"}});
    closeDataWindow(host, DataWindow::kSoilLayers);

    showDataWindow(host, DataWindow::kWaterTable);
    enter(host.dataWindow<WaterTableWindow>(DataWindow::kWaterTable)->depthEdit(),
          QStringLiteral("2"));
    closeDataWindow(host, DataWindow::kWaterTable);

    host.Data().METHOD = 2;  // "Specify the shaft length"
    showDataWindow(host, DataWindow::kShaftLength);
    auto* length = host.dataWindow<LoadingWindow>(DataWindow::kShaftLength);
    QCOMPARE(length->Value()->EditLabel()->text(),
             QStringLiteral("Enter the proposed &length (m)"));
    enter(length->Value(), QStringLiteral("15"));
    length->uplift()->click();
    enter(length->reductionFactor(), QStringLiteral("3/4"));
    closeDataWindow(host, DataWindow::kShaftLength);
    QVERIFY(host.shown.empty());

    const QString saved = QDir::temp().filePath(QStringLiteral("tolvane_cfa_si.tv9d"));
    QFile::remove(saved);
    host.Data().FileName = saved.toStdString();
    host.core().Save();
    const QByteArray expected =
        fileBytes(QStringLiteral(TOLVANE_DIALOGS_DATA_DIR "/cfa_sand_clay_si.tv9d"));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(fileBytes(saved), expected);
    QFile::remove(saved);
  }
};

}  // namespace tolvane::app::testing

QTEST_MAIN(tolvane::app::testing::TwoLayerProjectTest)
#include "two_layer_project_test.moc"
