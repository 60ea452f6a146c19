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
  void information(QWidget*, const std::string& text) override { shown.push_back(text); }
  bool confirm(QWidget*, const std::string&) override { return true; }
  std::vector<std::string> shown;
};

class DataEditWidgetTest : public QObject {
  Q_OBJECT

 private:
  struct Form {
    QWidget window;
    TDataEdit* field;
    QLineEdit* other;
    QLabel* label;
  };
  static void build(Form& form, RecordingSink& sink) {
    form.field = new TDataEdit(&form.window);
    form.other = new QLineEdit(&form.window);
    form.other->move(0, 40);
    form.label = new QLabel(&form.window);
    form.label->move(0, 80);
    form.field->setMessageSink(&sink);
    form.field->SetEditLabel(form.label);
    form.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form.window));
    form.field->setFocus();
  }
  static void typeText(Form& form, const QString& text) {
    form.field->selectAll();
    QTest::keyClicks(form.field, text);
  }

 private slots:
  void anExpressionIsStoredAsItsValueWhenTheFieldIsLeft() {
    RecordingSink sink;
    Form form;
    build(form, sink);
    typeText(form, QStringLiteral("2*3+1"));
    form.other->setFocus();
    QCOMPARE(form.field->text(), QStringLiteral("7"));
    QCOMPARE(static_cast<double>(form.field->Number()), 7.0);
    QVERIFY(sink.shown.empty());
  }

  void enterEvaluatesAndSelectsTheWholeText() {
    RecordingSink sink;
    Form form;
    build(form, sink);
    typeText(form, QStringLiteral("10-(5-8)"));
    QTest::keyClick(form.field, Qt::Key_Return);
    QCOMPARE(form.field->text(), QStringLiteral("13"));
    QCOMPARE(form.field->selectedText(), QStringLiteral("13"));
    QVERIFY(form.field->hasFocus());
    // An operator typed over the selected value extends it.
    QTest::keyClicks(form.field, QStringLiteral("*2"));
    QCOMPARE(form.field->text(), QStringLiteral("13*2"));
    QTest::keyClick(form.field, Qt::Key_Enter);
    QCOMPARE(form.field->text(), QStringLiteral("26"));
    // A digit typed over the selection replaces it.
    QTest::keyClicks(form.field, QStringLiteral("4"));
    QCOMPARE(form.field->text(), QStringLiteral("4"));
  }

  void anIntegerFieldShowsItsMessagesAndKeepsTheFocus() {
    const struct {
      const char* typed;
      const char* message;
      const char* shown;  // the text afterwards
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
      form.field->SetIntegerOnly(true);
      form.field->SetMinVal(10);
      form.field->SetMaxVal(2147483647.0L);
      typeText(form, QString::fromUtf8(c.typed));
      form.other->setFocus();
      QCOMPARE(sink.shown.size(), size_t{1});
      QCOMPARE(QString::fromStdString(sink.shown[0]), QString::fromUtf8(c.message));
      QCOMPARE(form.field->text(), QString::fromUtf8(c.shown));
      QVERIFY2(form.field->hasFocus(), c.typed);
      QVERIFY(!form.field->OK());
    }
  }

  void aValueAboveTheMaximumTakesTheMaximum() {
    RecordingSink sink;
    Form form;
    build(form, sink);
    form.field->SetMaxVal(30);
    typeText(form, QStringLiteral("31"));
    QVERIFY(!form.field->CloseQuery());
    QCOMPARE(QString::fromStdString(sink.shown.at(0)),
             QStringLiteral("Entry must be less than or equal to 30"));
    QCOMPARE(form.field->text(), QStringLiteral("30"));
    QVERIFY(form.field->CloseQuery());
  }

  void theLabelShowsTheCaptionWithItsUnitsAndFollowsTheEnabling() {
    RecordingSink sink;
    Form form;
    build(form, sink);
    form.field->SetCaption("Enter the proposed &length");
    form.field->SetUnitsString("L2");
    QCOMPARE(form.label->text(), QStringLiteral("Enter the proposed &length (ft)"));
    form.field->SetUnits(2);
    QCOMPARE(form.label->text(), QStringLiteral("Enter the proposed &length (m)"));
    QCOMPARE(form.label->buddy(), form.field);
    form.field->setEnabled(false);
    QVERIFY(!form.label->isEnabled());
    form.field->setEnabled(true);
    QVERIFY(form.label->isEnabled());
  }
};

}  // namespace tolvane::entry

QTEST_MAIN(tolvane::entry::DataEditWidgetTest)
#include "data_edit_widget_test.moc"
