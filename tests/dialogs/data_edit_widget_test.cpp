// Checks the numeric entry field as a widget: evaluation on leaving it and on Enter, the integer,
// minimum and maximum messages with the return of the focus, the operator key over a selected
// value, and the caption label with its units.
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "qt_data_edit.h"

namespace tolvane::entry {

class RecordingSink : public MessageSink {
 public:
  void information(QWidget*, const std::string& text) override { Shown.push_back(text); }
  bool confirm(QWidget*, const std::string&) override { return true; }
  std::vector<std::string> Shown;
};

class DataEditWidgetTest : public QObject {
  Q_OBJECT

 private:
  struct Form {
    QWidget Window;
    TDataEdit* Field;
    QLineEdit* Other;
    QLabel* Label;
  };
  static void build(Form& form, RecordingSink& sink) {
    form.Field = new TDataEdit(&form.Window);
    form.Other = new QLineEdit(&form.Window);
    form.Other->move(0, 40);
    form.Label = new QLabel(&form.Window);
    form.Label->move(0, 80);
    form.Field->setMessageSink(&sink);
    form.Field->SetEditLabel(form.Label);
    form.Window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form.Window));
    form.Field->setFocus();
  }
  static void typeText(Form& form, const QString& text) {
    form.Field->selectAll();
    QTest::keyClicks(form.Field, text);
  }

 private slots:
  void anExpressionIsStoredAsItsValueWhenTheFieldIsLeft() {
    RecordingSink sink;
    Form form;
    build(form, sink);
    typeText(form, QStringLiteral("2*3+1"));
    form.Other->setFocus();
    QCOMPARE(form.Field->text(), QStringLiteral("7"));
    QCOMPARE(static_cast<double>(form.Field->Number()), 7.0);
    QVERIFY(sink.Shown.empty());
  }

  void enterEvaluatesAndSelectsTheWholeText() {
    RecordingSink sink;
    Form form;
    build(form, sink);
    typeText(form, QStringLiteral("10-(5-8)"));
    QTest::keyClick(form.Field, Qt::Key_Return);
    QCOMPARE(form.Field->text(), QStringLiteral("13"));
    QCOMPARE(form.Field->selectedText(), QStringLiteral("13"));
    QVERIFY(form.Field->hasFocus());
    // An operator typed over the selected value extends it.
    QTest::keyClicks(form.Field, QStringLiteral("*2"));
    QCOMPARE(form.Field->text(), QStringLiteral("13*2"));
    QTest::keyClick(form.Field, Qt::Key_Enter);
    QCOMPARE(form.Field->text(), QStringLiteral("26"));
    // A digit typed over the selection replaces it.
    QTest::keyClicks(form.Field, QStringLiteral("4"));
    QCOMPARE(form.Field->text(), QStringLiteral("4"));
  }

  void anIntegerFieldShowsItsMessagesAndKeepsTheFocus() {
    const struct {
      const char* Typed;
      const char* Message;
      const char* Shown;  // the text afterwards
    } cases[] = {
        {"9", "Entry must be greater than or equal to 10", "10"},
        {"10.5", "Entry must be an integer.", "10.5"},
        {"x", "Entry must be a valid integer.", "x"},
        {"sqrt(-1)", "Entry must be an integer.", "sqrt(-1)"},
    };
    for (const auto& c : cases) {
      RecordingSink sink;
      Form form;
      build(form, sink);
      form.Field->SetIntegerOnly(true);
      form.Field->SetMinVal(10);
      form.Field->SetMaxVal(2147483647.0L);
      typeText(form, QString::fromUtf8(c.Typed));
      form.Other->setFocus();
      QCOMPARE(sink.Shown.size(), size_t{1});
      QCOMPARE(QString::fromStdString(sink.Shown[0]), QString::fromUtf8(c.Message));
      QCOMPARE(form.Field->text(), QString::fromUtf8(c.Shown));
      QVERIFY2(form.Field->hasFocus(), c.Typed);
      QVERIFY(!form.Field->OK());
    }
  }

  void aValueAboveTheMaximumTakesTheMaximum() {
    RecordingSink sink;
    Form form;
    build(form, sink);
    form.Field->SetMaxVal(30);
    typeText(form, QStringLiteral("31"));
    QVERIFY(!form.Field->CloseQuery());
    QCOMPARE(QString::fromStdString(sink.Shown.at(0)),
             QStringLiteral("Entry must be less than or equal to 30"));
    QCOMPARE(form.Field->text(), QStringLiteral("30"));
    QVERIFY(form.Field->CloseQuery());
  }

  void theLabelShowsTheCaptionWithItsUnitsAndFollowsTheEnabling() {
    RecordingSink sink;
    Form form;
    build(form, sink);
    form.Field->SetCaption("Enter the proposed &length");
    form.Field->SetUnitsString("L2");
    QCOMPARE(form.Label->text(), QStringLiteral("Enter the proposed &length (ft)"));
    form.Field->SetUnits(2);
    QCOMPARE(form.Label->text(), QStringLiteral("Enter the proposed &length (m)"));
    QCOMPARE(form.Label->buddy(), form.Field);
    form.Field->setEnabled(false);
    QVERIFY(!form.Label->isEnabled());
    form.Field->setEnabled(true);
    QVERIFY(form.Label->isEnabled());
  }
};

}  // namespace tolvane::entry

QTEST_MAIN(tolvane::entry::DataEditWidgetTest)
#include "data_edit_widget_test.moc"
