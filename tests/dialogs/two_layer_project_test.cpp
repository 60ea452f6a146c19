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

void Enter(gui::TDataEdit* field, const QString& text) {
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

void FillPage(TSoilLayersWindow* layers, int row, int method, std::vector<TPageEntry> entries) {
  bool closed = false;
  WhenModalOpens([&closed, method, entries](QWidget* modal) {
    auto* dialog = qobject_cast<TSoilParameterDialog*>(modal);
    QVERIFY(dialog != nullptr);
    if (method > 0) dialog->MethodButton(method)->click();
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
    Enter(load->Value(), QStringLiteral("200"));
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
};

}  // namespace tolvane::app::testing

QTEST_MAIN(tolvane::app::testing::TwoLayerProjectTest)
#include "two_layer_project_test.moc"
