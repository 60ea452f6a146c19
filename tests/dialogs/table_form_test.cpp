// Checks the table window: heading rows with units, typed entry with evaluation and its messages,
// the row buttons within the table's row limits, the rows shown and the snapping resize.
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "columns.h"
#include "project_grids.h"
#include "table_form.h"

namespace tolvane::grid {

class RecordingSink : public entry::MessageSink {
 public:
  void information(QWidget*, const std::string& text) override { shown.push_back(text); }
  bool confirm(QWidget*, const std::string&) override { return true; }
  std::vector<std::string> shown;
};

class TableFormTest : public QObject {
  Q_OBJECT

  // A depth list like the t-z depth table: one real column in feet.
  struct Depths {
    GridTableRegistry registry;
    TGridTable table{registry};
    RecordingSink sink;
    TableWindowFactory factory{nullptr, sink};
    Depths(int minRows, int maxRows) {
      table.Caption = "Generated t-z curves";
      table.SetMinRows(minRows);
      table.MaxRows = maxRows;
      TColumn& depth = table.AddColumn(ColumnType::kFloat);
      depth.Heading = {"Depth"};
      static_cast<TFloatColumn&>(depth).UnitsString = "L2";
      TColumn& count = table.AddColumn(ColumnType::kInt);
      count.Heading = {"Count"};
      static_cast<TIntColumn&>(count).Minimum = 0;
      static_cast<TIntColumn&>(count).Maximum = 100;
      registry.windowFactory = &factory;
    }
    TTableForm* form() {
      table.Show();
      const QWidgetList windows = QApplication::topLevelWidgets();
      for (QWidget* widget : windows) {
        if (auto* form = qobject_cast<TTableForm*>(widget);
            form != nullptr && form->isVisible() && &form->Data() == &table) {
          return form;
        }
      }
      return nullptr;
    }
  };

  static void typeText(TTableForm* form, int row, int column, const QString& text) {
    form->Grid()->setCurrentCell(row, column);
    form->Grid()->item(row, column)->setText(text);
  }

 private slots:
  void headingsCarryTheUnitsAndRowsAreNumbered() {
    Depths depths(1, 50);
    TTableForm* form = depths.form();
    QVERIFY(form != nullptr);
    QCOMPARE(form->HeadingRows(), 1);
    QCOMPARE(form->Grid()->item(0, 1)->text(), QStringLiteral("Depth (ft)  "));
    QCOMPARE(form->Grid()->item(0, 2)->text(), QStringLiteral("Count"));
    QCOMPARE(form->Grid()->item(1, 0)->text(), QStringLiteral("1"));
    QCOMPARE(depths.table.RowCount(), 1);  // opened with 0 rows, shows MinRows
    QVERIFY(form->BtnAdd()->isEnabled());
    QVERIFY(!form->BtnDel()->isEnabled());
    depths.table.SetUnits(2);
    QCOMPARE(form->Grid()->item(0, 1)->text(), QStringLiteral("Depth (m)  "));
  }

  void typedEntriesAreEvaluatedAndRefusedWithTheirMessage() {
    Depths depths(1, 50);
    TTableForm* form = depths.form();
    typeText(form, 1, 1, QStringLiteral("2*3"));
    form->Grid()->setCurrentCell(1, 2);  // leaving the cell commits it
    QCOMPARE(static_cast<double>(depths.table.GetFloatValue(0, 0)), 6.0);
    QCOMPARE(form->Grid()->item(1, 1)->text(), QStringLiteral("6"));
    QVERIFY(depths.table.GetChanged());

    typeText(form, 1, 1, QStringLiteral("abc"));
    form->Grid()->setCurrentCell(1, 2);
    QCOMPARE(depths.sink.shown.back(),
             std::string("Entry could not be evaluated:\rinvalid character(s) in expression"));
    QCOMPARE(form->Grid()->currentColumn(), 1);  // the selection stays on the cell
    QCOMPARE(static_cast<double>(depths.table.GetFloatValue(0, 0)), 6.0);
    QVERIFY(!form->commitCell());
    typeText(form, 1, 1, QStringLiteral("7"));

    typeText(form, 1, 2, QStringLiteral("2.5"));
    QVERIFY(!form->commitCell());
    QCOMPARE(depths.sink.shown.back(), std::string("Entry must be an integer."));
    typeText(form, 1, 2, QStringLiteral("150"));
    QVERIFY(!form->commitCell());
    QCOMPARE(depths.sink.shown.back(), std::string("Entry must be between 0 and 100."));
    typeText(form, 1, 2, QStringLiteral("40+2"));
    QVERIFY(form->commitCell());
    QCOMPARE(depths.table.GetIntValue(1, 0), 42);
  }

  void rowButtonsStayWithinTheRowLimits() {
    Depths depths(1, 3);
    TTableForm* form = depths.form();
    form->BtnAdd()->click();
    form->BtnAdd()->click();
    QCOMPARE(depths.table.RowCount(), 3);
    QVERIFY(!form->BtnAdd()->isEnabled());
    QVERIFY(!form->BtnIns()->isEnabled());
    QVERIFY(form->BtnDel()->isEnabled());
    depths.table.SetFloatValue(0, 2, 30);
    form->Grid()->setCurrentCell(2, 1);  // data row 1
    form->BtnDel()->click();
    QCOMPARE(depths.table.RowCount(), 2);
    QCOMPARE(static_cast<double>(depths.table.GetFloatValue(0, 1)), 30.0);
    form->Grid()->setCurrentCell(2, 1);
    form->BtnIns()->click();
    QCOMPARE(depths.table.RowCount(), 3);
    QCOMPARE(static_cast<double>(depths.table.GetFloatValue(0, 2)), 30.0);
    // On a heading row the row commands refuse.
    form->Grid()->setCurrentCell(0, 1);
    form->BtnDel()->click();
    QCOMPARE(depths.sink.shown.back(), std::string("Grid.Row not in valid range"));
    QCOMPARE(depths.table.RowCount(), 3);
  }

  void aLayerTableWindowIsTitledWithItsLayerNumber() {
    app::ProjectGrids grids;
    TGridTable& layers = grids.D();
    layers.SetRowCount(3);
    layers.SetIntValue(app::kColSoilType, 2, kClay);
    RecordingSink sink;
    TableWindowFactory factory(nullptr, sink);
    grids.registry.windowFactory = &factory;
    TGridTable& clay = *grids.layerTable(2);
    clay.Show();
    TTableForm* form = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* candidate = qobject_cast<TTableForm*>(widget);
      if (candidate != nullptr && candidate->isVisible() && &candidate->Data() == &clay) {
        form = candidate;
      }
    }
    QVERIFY(form != nullptr);
    QCOMPARE(form->windowTitle(), QStringLiteral("Clay Layer Data  3"));
    // Two rows at least and at most: no row buttons.
    QVERIFY(form->BtnAdd()->isHidden());
    clay.Hide();
    grids.registry.windowFactory = nullptr;
  }

  void equalRowLimitsShowNoRowButtons() {
    Depths depths(2, 2);
    TTableForm* form = depths.form();
    QVERIFY(form->BtnAdd()->isHidden());
    QVERIFY(form->BtnDel()->isHidden());
  }

  void fifteenRowsShowTenWithAScrollBarAndTheSizeSnaps() {
    Depths depths(1, 50);
    depths.table.SetRowCount(15);
    TTableForm* form = depths.form();
    QCOMPARE(form->RowsVisible(), 10);
    QCOMPARE(form->ColumnsVisible(), 2);
    const int rowsHeight = form->Grid()->height();
    // A drag to a smaller height snaps to whole rows.
    const int rowHeight = form->Grid()->rowHeight(1);
    form->snapTo(form->width(), form->height() - 3 * rowHeight - 2);
    QVERIFY(form->RowsVisible() < 10);
    QCOMPARE(rowsHeight - form->Grid()->height(), (10 - form->RowsVisible()) * rowHeight);
    form->close();
    QCoreApplication::processEvents();
    QVERIFY(!depths.table.FormVisible());
  }
};

}  // namespace tolvane::grid

QTEST_MAIN(tolvane::grid::TableFormTest)
#include "table_form_test.moc"
