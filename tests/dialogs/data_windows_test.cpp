// Checks the data windows through their controls: the soil-layer window (columns, layer commands,
// type changes, typed values), the soil-parameter window (enabling, notes, close checks), the
// property windows, the loading windows and the design charts, each over a real project.
#include <QComboBox>
#include <QHeaderView>
#include <QtTest>

#include "option_windows.h"
#include "pile_properties_window.h"
#include "soil_layer_rules.h"
#include "soil_layers_window.h"
#include "soil_parameter_dialog.h"
#include "table_form.h"
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

double real(long double value) {
  return static_cast<double>(value);
}

}  // namespace

class DataWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void theLayerGridHasTheLrfdColumnsOnlyWithLrfd() {
    TestHost host;
    showDataWindow(host, DataWindow::kSoilLayers);
    auto* window = host.dataWindow<SoilLayersWindow>(DataWindow::kSoilLayers);
    QVERIFY(window != nullptr);
    QCOMPARE(window->Grid()->columnCount(), 5);
    QCOMPARE(window->Grid()->horizontalHeaderItem(2)->text(),
             QStringLiteral("Depth at Bottom * \n of each layer (ft) "));
    closeDataWindow(host, DataWindow::kSoilLayers);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(host.dataWindow<SoilLayersWindow>(DataWindow::kSoilLayers) == nullptr);

    host.Data().NLRFD = 1;
    showDataWindow(host, DataWindow::kSoilLayers);
    window = host.dataWindow<SoilLayersWindow>(DataWindow::kSoilLayers);
    QCOMPARE(window->Grid()->columnCount(), 7);
    QCOMPARE(window->Grid()->horizontalHeaderItem(6)->text(),
             QStringLiteral("LRFD Res. Factor\n (End Bearing) "));
    QCOMPARE(real(window->field(0, kColSideResistanceFactor)->Number()), 1.0);
  }

  void layerCommandsMoveWholeLayersAndAskBeforeDeleting() {
    TestHost host;
    showDataWindow(host, DataWindow::kSoilLayers);
    auto* window = host.dataWindow<SoilLayersWindow>(DataWindow::kSoilLayers);
    QTest::mouseClick(window->addButton(), Qt::LeftButton);
    QTest::mouseClick(window->addButton(), Qt::LeftButton);
    QCOMPARE(host.grids().D().RowCount(), 3);
    QCOMPARE(window->Grid()->rowCount(), 3);
    QCOMPARE(window->editButton(2)->text(), QStringLiteral("Edit Layer 3"));
    enter(window->field(2, kColBottomDepth), QStringLiteral("2*3+1"));
    QCOMPARE(real(host.grids().D().GetFloatValue(kColBottomDepth, 2)), 7.0);
    QCOMPARE(window->focusedRow(), 2);
    host.grids().layerTable(2)->SetFloatValue(0, kTopRow, 125);

    // Delete the middle layer: "No" keeps it, "Yes" moves layer 3 up.
    window->setFocusedRow(1);
    host.answer = false;
    QTest::mouseClick(window->deleteButton(), Qt::LeftButton);
    QCOMPARE(host.questions.back(), std::string("Do you want to delete soil layer in row 2"));
    QCOMPARE(host.grids().D().RowCount(), 3);
    host.answer = true;
    window->setFocusedRow(1);
    QTest::mouseClick(window->deleteButton(), Qt::LeftButton);
    QCOMPARE(host.grids().D().RowCount(), 2);
    QCOMPARE(real(host.grids().D().GetFloatValue(kColBottomDepth, 1)), 7.0);
    QCOMPARE(real(host.grids().layerTable(1)->GetFloatValue(0, kTopRow)), 125.0);
    QCOMPARE(real(window->field(1, kColBottomDepth)->Number()), 7.0);

    // Without "Confirm Deletion" nothing is asked.
    const size_t asked = host.questions.size();
    window->confirmDeletion()->setChecked(false);
    window->setFocusedRow(0);
    QTest::mouseClick(window->deleteButton(), Qt::LeftButton);
    QCOMPARE(host.questions.size(), asked);
    QCOMPARE(host.grids().D().RowCount(), 1);

    // Insert before the remaining layer: a fresh sand layer on top.
    QTest::mouseClick(window->insertButton(), Qt::LeftButton);
    QCOMPARE(host.grids().D().RowCount(), 2);
    QCOMPARE(real(host.grids().layerTable(0)->GetFloatValue(0, kTopRow)), 0.0);
    QCOMPARE(real(host.grids().layerTable(1)->GetFloatValue(0, kTopRow)), 125.0);
    QVERIFY(host.Changed());
  }

  void theTypeListCarriesValuesOverAndShowsTheListOfThePileKind() {
    TestHost host;
    grid::TGridTable& sand = *host.grids().layerTable(0);
    sand.SetFloatValue(0, kTopRow, 110);
    sand.SetFloatValue(0, kBottomRow, 115);
    showDataWindow(host, DataWindow::kSoilLayers);
    auto* window = host.dataWindow<SoilLayersWindow>(DataWindow::kSoilLayers);
    QComboBox* list = window->typeList(0);
    QCOMPARE(list->count(), 9);
    QCOMPARE(list->currentText(), QStringLiteral("sand (FHWA Spec.)"));
    list->setFocus();
    list->setCurrentIndex(1);
    emit list->activated(1);
    QCOMPARE(host.grids().SoilType(0), kClay);
    QCOMPARE(real(host.grids().layerTable(0)->GetFloatValue(0, kBottomRow)), 115.0);
    QCOMPARE(host.grids().layerTable(0)->GetIntValue(6, kTopRow), 1);
    closeDataWindow(host, DataWindow::kSoilLayers);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A CFA project lists the CFA types; a drilled-shaft type shows no selection.
    host.Data().CFAPile = 1;
    showDataWindow(host, DataWindow::kSoilLayers);
    window = host.dataWindow<SoilLayersWindow>(DataWindow::kSoilLayers);
    QCOMPARE(window->typeList(0)->count(), 2);
    QCOMPARE(window->typeList(0)->currentIndex(), -1);
  }

  void deactivationWritesTheTypedValueBack() {
    TestHost host;
    showDataWindow(host, DataWindow::kSoilLayers);
    auto* window = host.dataWindow<SoilLayersWindow>(DataWindow::kSoilLayers);
    entry::TDataEdit* depth = window->field(0, kColBottomDepth);
    depth->setFocus();
    depth->selectAll();
    QTest::keyClicks(depth, QStringLiteral("40"));  // no Enter, the field is not left
    host.clearChanged();
    window->commitValues();
    QCOMPARE(real(host.grids().D().GetFloatValue(kColBottomDepth, 0)), 40.0);
    QVERIFY(host.Changed());
    // Invalid text: nothing is written.
    depth->setFocus();
    depth->selectAll();
    QTest::keyClicks(depth, QStringLiteral("4+"));
    window->commitValues();
    QCOMPARE(host.shown.back(), std::string("Entry could not be evaluated:\rinvalid expression"));
    QCOMPARE(real(host.grids().D().GetFloatValue(kColBottomDepth, 0)), 40.0);
  }

  void theBetaMethodWithBlowCountsZeroRefusesToClose() {
    TestHost host;
    SoilParameterDialog dialog(host, 0);
    dialog.show();
    QCOMPARE(dialog.titleLabel()->text(), QStringLiteral("Sand"));
    QVERIFY(dialog.methodButton(1)->isChecked());
    QVERIFY(dialog.field(3, kTopRow)->isEnabled());   // Ko
    QVERIFY(!dialog.field(4, kTopRow)->isEnabled());  // Beta
    dialog.methodButton(2)->click();
    QVERIFY(!dialog.field(3, kTopRow)->isEnabled());
    QVERIFY(dialog.field(4, kBottomRow)->isEnabled());
    QCOMPARE(dialog.fieldLabel(2)->text(), QStringLiteral("5. Blow Counts from SPT (**)"));
    QVERIFY(dialog.shownNotes().size() == 3);
    QCOMPARE(dialog.shownNotes()[2],
             std::string("(**)  SPT value should not be left as zero for beta method"));

    dialog.closeButton()->click();
    QCOMPARE(host.shown.back(), std::string("Blow Counts from SPT,\rshould be greater than zero "
                                            "while using Beta Method\rPlease Check!"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), dialog.field(2, kTopRow));

    enter(dialog.field(2, kBottomRow), QStringLiteral("12"));
    dialog.closeButton()->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const grid::TGridTable& table = *host.grids().layerTable(0);
    QCOMPARE(table.GetIntValue(5, kTopRow), 2);
    QCOMPARE(table.GetIntValue(5, kBottomRow), 2);
    QCOMPARE(table.GetIntValue(2, kBottomRow), 12);
    QCOMPARE(real(table.GetFloatValue(8, kTopRow)), 0.0);  // OCR is not used by the Beta method
    QVERIFY(host.Changed());
  }

  void theCloseBoxSkipsTheChecksAndCopyFillsTheBottom() {
    TestHost host;
    changeSoilType(host.grids(), 0, kClay);
    SoilParameterDialog dialog(host, 0);
    dialog.show();
    QCOMPARE(dialog.titleLabel()->text(), QStringLiteral("Clay (FHWA Spec.)"));
    QCOMPARE(dialog.fieldLabel(0)->text(), QStringLiteral("1. Total Unit Weight (lbs/ft^3)"));
    QCOMPARE(dialog.methodButton(1)->text(), QStringLiteral("FHWA O'Neil && Reese (1999)"));
    QVERIFY(dialog.methodButton(1)->isChecked());  // the carried method 0 shows as the first
    enter(dialog.field(0, kTopRow), QStringLiteral("120"));
    enter(dialog.field(1, kTopRow), QStringLiteral("1000+500"));
    dialog.pickList(6, kTopRow)->setCurrentIndex(2);
    dialog.copyButton()->click();
    QCOMPARE(dialog.field(1, kBottomRow)->text(), QStringLiteral("1500"));
    QCOMPARE(dialog.pickList(6, kBottomRow)->currentIndex(), 2);
    dialog.reject();  // the close box
    const grid::TGridTable& table = *host.grids().layerTable(0);
    QCOMPARE(real(table.GetFloatValue(1, kBottomRow)), 1500.0);
    QCOMPARE(real(table.GetFloatValue(0, kBottomRow)), 120.0);
    QCOMPARE(table.GetIntValue(5, kTopRow), 1);  // the method shown is stored
    QCOMPARE(table.GetIntValue(6, kBottomRow), 3);
  }

  void theEditButtonOpensTheLayersPage() {
    TestHost host;
    changeSoilType(host.grids(), 0, kWeakRock);
    showDataWindow(host, DataWindow::kSoilLayers);
    auto* window = host.dataWindow<SoilLayersWindow>(DataWindow::kSoilLayers);
    QString title;
    whenModalOpens([&title](QWidget* modal) {
      auto* dialog = qobject_cast<SoilParameterDialog*>(modal);
      QVERIFY(dialog != nullptr);
      title = dialog->titleLabel()->text();
      QCOMPARE(dialog->pickList(1, kTopRow)->placeholderText(), QStringLiteral("Select Index"));
      dialog->closeButton()->click();
    });
    window->editButton(0)->click();
    QCOMPARE(title, QStringLiteral("Weak Rock"));
  }

  void aPositiveLengthClearsTheDesignLoadAndCompressionStoresOne() {
    TestHost host;
    host.Data().LPD = 300;
    host.Data().KCYCL = 2;
    host.Data().RCYCL = 0.5L;
    showDataWindow(host, DataWindow::kShaftLength);
    auto* length = host.dataWindow<LoadingWindow>(DataWindow::kShaftLength);
    QVERIFY(length->uplift()->isChecked());
    QVERIFY(length->reductionFactor()->isEnabled());
    QCOMPARE(length->reductionFactor()->text(), QStringLiteral("0.5"));
    enter(length->Value(), QStringLiteral("45"));
    length->compression()->click();
    QVERIFY(!length->reductionFactor()->isEnabled());
    length->commitValues();
    QCOMPARE(real(host.Data().PD), 45.0);
    QCOMPARE(real(host.Data().LPD), 0.0);
    QCOMPARE(host.Data().KCYCL, 1);
    QCOMPARE(real(host.Data().RCYCL), 1.0);

    // The design-load window closes the shaft-length window and clears the length.
    showDataWindow(host, DataWindow::kDesignLoad);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(host.dataWindow<LoadingWindow>(DataWindow::kShaftLength) == nullptr);
    auto* load = host.dataWindow<LoadingWindow>(DataWindow::kDesignLoad);
    QCOMPARE(load->windowTitle(), QStringLiteral("Specification of Design Load"));
    QCOMPARE(qobject_cast<QLabel*>(load->Value()->EditLabel())->text(),
             QStringLiteral("Enter the &design load (tons)"));
    enter(load->Value(), QStringLiteral("250"));
    load->uplift()->click();
    enter(load->reductionFactor(), QStringLiteral("0.7"));
    closeDataWindow(host, DataWindow::kDesignLoad);
    QCOMPARE(real(host.Data().LPD), 250.0);
    QCOMPARE(real(host.Data().PD), 0.0);
    QCOMPARE(host.Data().KCYCL, 2);
    QCOMPARE(real(host.Data().RCYCL), 0.7);
  }

  void numberOfPointsThreeKeepsThreeSettlementRows() {
    TestHost host;
    host.Data().IChart = 1;
    host.Data().PDSETT = {0.1L, 0.25L, 0.5L, 0.75L, 1, 1.5L, 1, 1, 1, 1};
    showDataWindow(host, DataWindow::kDesignCharts);
    auto* charts = host.dataWindow<DesignChartsWindow>(DataWindow::kDesignCharts);
    QVERIFY(charts != nullptr);
    QVERIFY(charts->isWindow());  // an ordinary window, not an MDI child
    QCOMPARE(charts->settlements()->rowCount(), 5);
    QCOMPARE(charts->settlements()->horizontalHeaderItem(1)->text(),
             QStringLiteral("Settlement (in)"));
    enter(charts->numberOfPoints(), QStringLiteral("3"));
    QCOMPARE(charts->settlements()->rowCount(), 3);
    charts->settlements()->item(2, 1)->setText(QStringLiteral("0.6"));
    charts->down()->click();
    charts->up()->click();
    QCOMPARE(charts->settlements()->rowCount(), 3);
    charts->commitValues();
    QCOMPARE(host.Data().NPOINTPD, 3);
    QCOMPARE(real(host.Data().PDSETT[2]), 0.6);
    QCOMPARE(real(host.Data().PDSETT[3]), 0.75);  // the others keep their values
    QCOMPARE(real(host.Data().PDSETT[5]), 1.5);
    // 11 is refused with the field's message and leaves the table as it is.
    enter(charts->numberOfPoints(), QStringLiteral("11"));
    QCOMPARE(host.shown.back(), std::string("Entry must be less than or equal to 10"));
    charts->compute()->setChecked(false);
    QVERIFY(!charts->settlements()->isEnabled());
    QVERIFY(!charts->numberOfPoints()->isEnabled());
  }

  // A project read from a file without design charts carries no settlement count (0): the
  // window shows the default count beside as many rows, and turning the charts on stores them.
  void designChartsWithoutACountShowAndStoreTheDefaultCount() {
    TestHost host;
    host.Data().NPOINTPD = 0;
    showDataWindow(host, DataWindow::kDesignCharts);
    auto* charts = host.dataWindow<DesignChartsWindow>(DataWindow::kDesignCharts);
    QVERIFY(charts != nullptr);
    QCOMPARE(real(charts->numberOfPoints()->Number()), 5.0);
    QCOMPARE(charts->settlements()->rowCount(), 5);
    charts->compute()->setChecked(true);
    charts->commitValues();
    QCOMPARE(host.Data().IChart, 1);
    QCOMPARE(host.Data().NPOINTPD, 5);
    QCOMPARE(real(host.Data().PDSETT[4]), 1.0);  // the fifth default settlement, 1 in
  }

  // An SI project's settlements (inches converted to metres) stand whole on one line each.
  void siSettlementsFitTheirColumn() {
    TestHost host(kSIUnits);
    host.Data().InitPDSET();  // 0.1 in = 0.002540000000508 m with the program's factor
    showDataWindow(host, DataWindow::kDesignCharts);
    auto* charts = host.dataWindow<DesignChartsWindow>(DataWindow::kDesignCharts);
    QVERIFY(charts != nullptr);
    const QTableWidget* table = charts->settlements();
    QVERIFY(!table->wordWrap());
    for (int row = 0; row < table->rowCount(); ++row) {
      const QString text = table->item(row, 1)->text();
      QVERIFY2(table->fontMetrics().horizontalAdvance(text) < table->columnWidth(1),
               qPrintable(text));
    }
    QVERIFY(table->columnViewportPosition(1) + table->columnWidth(1) <= table->viewport()->width());
  }

  void anSiProjectShowsMetresAndKilonewtons() {
    TestHost host(kSIUnits);
    showDataWindow(host, DataWindow::kDesignCharts);
    auto* charts = host.dataWindow<DesignChartsWindow>(DataWindow::kDesignCharts);
    QCOMPARE(charts->settlements()->horizontalHeaderItem(1)->text(),
             QStringLiteral("Settlement (m)"));
    showDataWindow(host, DataWindow::kDrilledShaftProperties);
    auto* shaft = host.dataWindow<PilePropertiesWindow>(DataWindow::kDrilledShaftProperties);
    QCOMPARE(shaft->minimumDiameter()->EditLabel()->text(),
             QStringLiteral("Minimum Shaft Diameter, B, to be Considered (m)"));
    QCOMPARE(shaft->modulus()->EditLabel()->text(),
             QStringLiteral("&Modulus of Elasticity of Drilled Shaft  (kN/m\u00b2)"));
  }

  void thePropertyWindowsSetThePileKindAndTheMaximumDiameterRule() {
    TestHost host;
    host.Data().METHOD = 2;
    host.Data().IPENT = 1;
    showDataWindow(host, DataWindow::kCfaPileProperties);
    QCOMPARE(host.Data().CFAPile, 1);
    auto* cfa = host.dataWindow<PilePropertiesWindow>(DataWindow::kCfaPileProperties);
    QVERIFY(cfa->ratio() == nullptr);
    QVERIFY(!cfa->maximumDiameter()->isEnabled());
    QVERIFY(!cfa->maximumNote()->isVisible());
    showDataWindow(host, DataWindow::kDrilledShaftProperties);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(host.Data().CFAPile, 0);
    QVERIFY(host.dataWindow<PilePropertiesWindow>(DataWindow::kCfaPileProperties) == nullptr);
    auto* shaft = host.dataWindow<PilePropertiesWindow>(DataWindow::kDrilledShaftProperties);
    QCOMPARE(shaft->minimumDiameter()->EditLabel()->text(),
             QStringLiteral("Minimum Shaft Diameter, B, to be Considered (ft)"));
    QCOMPARE(shaft->modulus()->EditLabel()->text(),
             QStringLiteral("&Modulus of Elasticity of Drilled Shaft  (lbs/in\u00b2)"));
    enter(shaft->minimumDiameter(), QStringLiteral("31"));
    QCOMPARE(host.shown.back(), std::string("Entry must be less than or equal to 30"));
    enter(shaft->minimumDiameter(), QStringLiteral("3"));
    enter(shaft->ratio(), QStringLiteral("3"));
    enter(shaft->bellAngle(), QStringLiteral("45"));
    QCOMPARE(shaft->minimumDiameter()->toolTip(),
             QStringLiteral("Practical minimum value is 2 ft or 0.6 m"));
    host.clearChanged();
    enter(shaft->modulus(), QStringLiteral("4e6"));
    QVERIFY(host.Changed());
    shaft->commitValues();
    QCOMPARE(real(host.Data().DSTART), 3.0);
    QCOMPARE(real(host.Data().RATIO), 3.0);
    QCOMPARE(real(host.Data().EPILE), 4e6);
    QCOMPARE(host.Data().CFAPile, 0);
  }

  void reopeningTheTitleWithTheSameTextChangesNothing() {
    TestHost host;
    showDataWindow(host, DataWindow::kTitle);
    auto* title = host.dataWindow<TitleWindow>(DataWindow::kTitle);
    QCOMPARE(title->titleText()->toPlainText(), QStringLiteral("New Pile"));
    host.clearChanged();
    title->commitValues();
    QVERIFY(!host.Changed());
    title->titleText()->setFocus();
    QTest::keyClick(title->titleText(), Qt::Key_Return);
    QTest::keyClicks(title->titleText(), QStringLiteral(" 2"));
    QCOMPARE(title->titleText()->toPlainText(), QStringLiteral("New Pile 2"));
    title->commitValues();
    QVERIFY(host.Changed());
    QCOMPARE(host.Data().Title, std::string("New Pile 2"));
  }

  // "Close" in a child window of the main window closes that child only: the main window (the
  // frame here) stays open, and the child writes its fields back first.
  void theCloseButtonOfAChildWindowClosesOnlyThatWindow() {
    TestHost host;
    showDataWindow(host, DataWindow::kSoilLayers);
    auto* layers = host.dataWindow<SoilLayersWindow>(DataWindow::kSoilLayers);
    enter(layers->field(0, kColBottomDepth), QStringLiteral("30"));
    QTest::mouseClick(layers->closeButton(), Qt::LeftButton);
    QVERIFY(host.frame()->isVisible());
    QTRY_VERIFY(findDataWindow(host, DataWindow::kSoilLayers) == nullptr);
    QCOMPARE(real(host.grids().D().GetFloatValue(kColBottomDepth, 0)), 30.0);

    showDataWindow(host, DataWindow::kControlOptions);
    auto* options = host.dataWindow<ControlOptionsWindow>(DataWindow::kControlOptions);
    options->maximumValues()->click();
    QTest::mouseClick(options->closeButton(), Qt::LeftButton);
    QVERIFY(host.frame()->isVisible());
    QTRY_VERIFY(findDataWindow(host, DataWindow::kControlOptions) == nullptr);
    QCOMPARE(host.Data().IMOD, 0);
  }

  // Each child window opens wholly inside the main window's area, however many were opened
  // before it (the area's own placement puts a wide one partly out of sight).
  void childWindowsOpenInsideTheArea() {
    // The area of the main window as it first opens on a 1400 x 900 screen.
    constexpr int kAreaWidthPx = 1078;
    constexpr int kAreaHeightPx = 650;
    TestHost host;
    host.Data().NLRFD = 1;  // LRFD: the widest soil-layer window
    host.mdiArea()->resize(kAreaWidthPx, kAreaHeightPx);
    for (const DataWindow kind :
         {DataWindow::kCfaPileProperties, DataWindow::kSoilLayers, DataWindow::kTitle,
          DataWindow::kFactorOfSafety, DataWindow::kWaterTable, DataWindow::kShaftLength,
          DataWindow::kControlOptions}) {
      showDataWindow(host, kind);
      auto* sub = qobject_cast<QMdiSubWindow*>(findDataWindow(host, kind)->parentWidget());
      QVERIFY(sub != nullptr);
      QVERIFY2(host.mdiArea()->viewport()->rect().contains(sub->geometry()),
               qPrintable(sub->windowTitle()));
    }
  }

  void controlOptionsOpenTheDepthTableModally() {
    TestHost host;
    showDataWindow(host, DataWindow::kControlOptions);
    auto* options = host.dataWindow<ControlOptionsWindow>(DataWindow::kControlOptions);
    QCOMPARE(options->textEditor()->text(), QStringLiteral("notepad.exe"));
    QVERIFY(!options->editDepths()->isEnabled());
    options->PrintTZCurves()->click();
    QVERIFY(options->editDepths()->isEnabled());
    QVERIFY(!options->elevation()->isEnabled());
    options->UseElevation()->click();
    QVERIFY(options->elevation()->isEnabled());
    bool modal = false;
    whenModalOpens([&modal](QWidget* window) {
      auto* form = qobject_cast<grid::TTableForm*>(window);
      QVERIFY(form != nullptr);
      modal = form->isModal();
      QCOMPARE(form->windowTitle(), QStringLiteral("Generated t-z curves "));
      form->Grid()->setCurrentCell(1, 1);
      form->Grid()->item(1, 1)->setText(QStringLiteral("12.5"));
      form->close();
    });
    options->editDepths()->click();
    QVERIFY(modal);
    QCOMPARE(real(host.grids().TblTZDepth().GetFloatValue(0, 0)), 12.5);
    QVERIFY(!host.grids().TblTZDepth().FormVisible());
    host.chosenProgram = "/usr/bin/editor";
    options->browse()->click();
    options->maximumValues()->click();
    options->closeButton()->click();
    QCOMPARE(host.Data().PrintTZCurves, 1);
    QCOMPARE(host.Data().UseElevation, 1);
    QCOMPARE(host.Data().IMOD, 0);
    QCOMPARE(host.wordProcessorSetting, std::string("/usr/bin/editor"));
  }
};

}  // namespace tolvane::app::testing

QTEST_MAIN(tolvane::app::testing::DataWindowsTest)
#include "data_windows_test.moc"
