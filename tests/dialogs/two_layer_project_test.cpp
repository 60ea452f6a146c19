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

void Enter(entry::TDataEdit* field, const QString& text) {
  QVERIFY(field != nullptr);
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, text);
  QTest::keyClick(field, Qt::Key_Return);
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// Fills the soil-parameter page the Edit button opens: per column the top and bottom entries.
struct TPageEntry {
  int Column;
  const char* Top;
  const char* Bottom;
};

// A pick list of the page and the entry chosen at the top; "Copy Values From Top To Bottom"
// gives the bottom the same.
struct TPickEntry {
  int Column;
  int Index;
};

void FillPage(TSoilLayersWindow* layers, int row, int method, std::vector<TPageEntry> entries,
              std::vector<TPickEntry> picks = {}) {
  bool closed = false;
  WhenModalOpens([&closed, method, entries, picks](QWidget* modal) {
    auto* dialog = qobject_cast<TSoilParameterDialog*>(modal);
    QVERIFY(dialog != nullptr);
    if (method > 0) dialog->MethodButton(method)->click();
    for (const TPickEntry& pick : picks) {
      dialog->PickList(pick.Column, kTopRow)->setCurrentIndex(pick.Index);
      dialog->CopyButton()->click();
    }
    for (const TPageEntry& entry : entries) {
      Enter(dialog->Field(entry.Column, kTopRow), QString::fromUtf8(entry.Top));
      Enter(dialog->Field(entry.Column, kBottomRow), QString::fromUtf8(entry.Bottom));
    }
    dialog->CloseButton()->click();
    closed = !dialog->isVisible();
  });
  layers->EditButton(row)->click();
  QVERIFY(closed);
}

}  // namespace

class TwoLayerProjectTest : public QObject {
  Q_OBJECT

 private slots:
  void aProjectEnteredThroughTheWindowsIsSavedAsWritten() {
    TTestHost host;

    ShowDataWindow(host, TDataWindow::kTitle);
    auto* title = host.Window<TTitleWindow>(TDataWindow::kTitle);
    title->TitleText()->setFocus();
    title->TitleText()->selectAll();
    QTest::keyClicks(title->TitleText(), QStringLiteral("Two-layer test shaft"));

    // Opening the next window deactivates the title window, which writes the title.
    ShowDataWindow(host, TDataWindow::kDrilledShaftProperties);
    QCOMPARE(host.Data().Title, std::string("Two-layer test shaft"));
    auto* shaft = host.Window<TPilePropertiesWindow>(TDataWindow::kDrilledShaftProperties);
    Enter(shaft->MinimumDiameter(), QStringLiteral("3"));
    Enter(shaft->MaximumDiameter(), QStringLiteral("0"));
    Enter(shaft->Ratio(), QStringLiteral("0"));
    Enter(shaft->BellAngle(), QStringLiteral("0"));
    Enter(shaft->UpperZone(), QStringLiteral("5"));
    Enter(shaft->LowerZone(), QStringLiteral("1+2"));
    Enter(shaft->Modulus(), QStringLiteral("4e6"));
    CloseDataWindow(host, TDataWindow::kDrilledShaftProperties);

    ShowDataWindow(host, TDataWindow::kSoilLayers);
    auto* layers = host.Window<TSoilLayersWindow>(TDataWindow::kSoilLayers);
    QTest::mouseClick(layers->AddButton(), Qt::LeftButton);
    QComboBox* second = layers->TypeList(1);
    second->setCurrentIndex(1);
    emit second->activated(1);  // clay
    Enter(layers->Field(0, kColBottomDepth), QStringLiteral("20"));
    Enter(layers->Field(1, kColBottomDepth), QStringLiteral("60"));
    Enter(layers->Field(1, kColMaxSideFriction), QStringLiteral("2000"));
    FillPage(layers, 0, 1,
             {{0, "115", "120"}, {3, "0.5", "0.45"}, {2, "15", "20"}, {1, "32", "34"}});
    FillPage(layers, 1, 1, {{0, "120", "125"}, {1, "1000", "1500"}, {2, "8", "10"}});
    CloseDataWindow(host, TDataWindow::kSoilLayers);

    ShowDataWindow(host, TDataWindow::kFactorOfSafety);
    auto* safety = host.Window<TFactorOfSafetyWindow>(TDataWindow::kFactorOfSafety);
    Enter(safety->SideFriction(), QStringLiteral("2.5"));
    Enter(safety->BaseCapacity(), QStringLiteral("3"));
    CloseDataWindow(host, TDataWindow::kFactorOfSafety);

    ShowDataWindow(host, TDataWindow::kWaterTable);
    Enter(host.Window<TWaterTableWindow>(TDataWindow::kWaterTable)->Depth(), QStringLiteral("10"));
    CloseDataWindow(host, TDataWindow::kWaterTable);

    host.Data().METHOD = 1;  // "Specify the design load"
    ShowDataWindow(host, TDataWindow::kDesignLoad);
    auto* load = host.Window<TLoadingWindow>(TDataWindow::kDesignLoad);
    Enter(load->Value(), QStringLiteral("60"));
    load->Compression()->click();
    CloseDataWindow(host, TDataWindow::kDesignLoad);
    QVERIFY(host.Changed());
    QVERIFY(host.Shown.empty());

    const QString saved = QDir::temp().filePath(QStringLiteral("tolvane_two_layer.tv9d"));
    QFile::remove(saved);
    host.Data().FileName = saved.toStdString();
    host.Core().Save();
    const QByteArray expected =
        FileBytes(QStringLiteral(TOLVANE_DIALOGS_DATA_DIR "/two_layer_sand_clay.tv9d"));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(FileBytes(saved), expected);
    QFile::remove(saved);
  }

  // CFA sand over CFA clay in SI units, LRFD, an uplift load on a given length.
  void aCfaProjectInSiUnitsIsSavedAsWritten() {
    TTestHost host(kSIUnits);
    host.Data().NLRFD = 1;  // "LRFD (Load Resistance Factor Design)"

    ShowDataWindow(host, TDataWindow::kTitle);
    auto* title = host.Window<TTitleWindow>(TDataWindow::kTitle);
    title->TitleText()->setFocus();
    title->TitleText()->selectAll();
    QTest::keyClicks(title->TitleText(), QStringLiteral("CFA test pile SI"));
    CloseDataWindow(host, TDataWindow::kTitle);

    ShowDataWindow(host, TDataWindow::kCfaPileProperties);
    QCOMPARE(host.Data().CFAPile, 1);
    auto* pile = host.Window<TPilePropertiesWindow>(TDataWindow::kCfaPileProperties);
    QCOMPARE(pile->Modulus()->EditLabel()->text(),
             QStringLiteral("&Modulus of Elasticity of CFG Pile (kN/m\u00b2)"));
    Enter(pile->MinimumDiameter(), QStringLiteral("0.6"));
    Enter(pile->MaximumDiameter(), QStringLiteral("0.9"));
    Enter(pile->UpperZone(), QStringLiteral("1.5"));
    Enter(pile->LowerZone(), QStringLiteral("0"));
    Enter(pile->Modulus(), QStringLiteral("25e6"));
    CloseDataWindow(host, TDataWindow::kCfaPileProperties);
    QCOMPARE(host.Data().CFAPile, 1);

    ShowDataWindow(host, TDataWindow::kSoilLayers);
    auto* layers = host.Window<TSoilLayersWindow>(TDataWindow::kSoilLayers);
    QCOMPARE(layers->Grid()->columnCount(), 7);
    QCOMPARE(layers->TypeList(0)->currentIndex(), -1);  // type 1 is no CFA type
    QTest::mouseClick(layers->AddButton(), Qt::LeftButton);
    for (const int row : {0, 1}) {
      layers->TypeList(row)->setCurrentIndex(row);
      emit layers->TypeList(row)->activated(row);
    }
    QCOMPARE(host.Grids().SoilType(0), kCfaSand);
    QCOMPARE(host.Grids().SoilType(1), kCfaClay);
    Enter(layers->Field(0, kColBottomDepth), QStringLiteral("6"));
    Enter(layers->Field(1, kColBottomDepth), QStringLiteral("20"));
    Enter(layers->Field(0, kColSideResistanceFactor), QStringLiteral("0.55"));
    Enter(layers->Field(0, kColEndResistanceFactor), QStringLiteral("0.5"));
    Enter(layers->Field(1, kColSideResistanceFactor), QStringLiteral("0.45"));
    Enter(layers->Field(1, kColEndResistanceFactor), QStringLiteral("0.4"));
    FillPage(layers, 0, 1, {{0, "18", "19"}, {2, "12", "18"}}, {{3, 0}});
    FillPage(layers, 1, 2, {{0, "18.5", "19"}, {4, "1500", "2000"}});
    CloseDataWindow(host, TDataWindow::kSoilLayers);

    ShowDataWindow(host, TDataWindow::kWaterTable);
    Enter(host.Window<TWaterTableWindow>(TDataWindow::kWaterTable)->Depth(), QStringLiteral("2"));
    CloseDataWindow(host, TDataWindow::kWaterTable);

    host.Data().METHOD = 2;  // "Specify the shaft length"
    ShowDataWindow(host, TDataWindow::kShaftLength);
    auto* length = host.Window<TLoadingWindow>(TDataWindow::kShaftLength);
    QCOMPARE(length->Value()->EditLabel()->text(),
             QStringLiteral("Enter the proposed &length (m)"));
    Enter(length->Value(), QStringLiteral("15"));
    length->Uplift()->click();
    Enter(length->ReductionFactor(), QStringLiteral("3/4"));
    CloseDataWindow(host, TDataWindow::kShaftLength);
    QVERIFY(host.Shown.empty());

    const QString saved = QDir::temp().filePath(QStringLiteral("tolvane_cfa_si.tv9d"));
    QFile::remove(saved);
    host.Data().FileName = saved.toStdString();
    host.Core().Save();
    const QByteArray expected =
        FileBytes(QStringLiteral(TOLVANE_DIALOGS_DATA_DIR "/cfa_sand_clay_si.tv9d"));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(FileBytes(saved), expected);
    QFile::remove(saved);
  }
};

}  // namespace tolvane::app::testing

QTEST_MAIN(tolvane::app::testing::TwoLayerProjectTest)
#include "two_layer_project_test.moc"
