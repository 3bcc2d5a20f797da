// Text boxes, combo boxes, check boxes, tabs and the grid: values both ways.
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "QtTestRegistry.h"
#include "platform/qt/CheckBoxView.h"
#include "platform/qt/ComboBoxView.h"
#include "platform/qt/GridView.h"
#include "platform/qt/TabView.h"
#include "platform/qt/TextBoxView.h"

namespace qtui {

class InputViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void textBoxTextGoesBothWays() {
    QWidget host;
    forms::TextBox box("txtInit", {0, 0, 1500, 300});
    box.Text = "ATZ";
    TextBoxView view(box, &host);
    QCOMPARE(view.text(), QStringLiteral("ATZ"));
    box.Text = "AT&F";
    QCOMPARE(view.text(), QStringLiteral("AT&F"));
    view.clear();
    QTest::keyClicks(&view, " 45 ");
    QCOMPARE(box.Text.get(), std::string(" 45 "));
  }

  void textBoxSetFocusMovesTheFocus() {
    QWidget host;
    forms::TextBox first("Text1", {0, 0, 1500, 300});
    forms::TextBox second("Text2", {0, 600, 1500, 300});
    TextBoxView firstView(first, &host);
    TextBoxView secondView(second, &host);
    host.show();
    QApplication::setActiveWindow(&host);
    QVERIFY(QTest::qWaitForWindowActive(&host));
    second.SetFocus();
    QVERIFY(secondView.hasFocus());
    first.SetFocus();
    QVERIFY(firstView.hasFocus());
  }

  void comboListComesFromTheModelAndLeavesTheText() {
    QWidget host;
    forms::ComboBox combo("Combo1", {0, 0, 1500, 300});
    combo.Text = "Com 2";
    ComboBoxView view(combo, &host);
    for (const char* port : {"Com 1", "Com 2", "Com 3", "Com 4"}) combo.AddItem(port);
    QCOMPARE(view.count(), 4);
    QCOMPARE(view.currentText(), QStringLiteral("Com 2"));
    QCOMPARE(combo.Text.get(), std::string("Com 2"));
    // Refilled at the next opening: each item once, the text as it was.
    combo.Clear();
    for (const char* port : {"Com 1", "Com 2", "Com 3", "Com 4"}) combo.AddItem(port);
    QCOMPARE(view.count(), 4);
    QCOMPARE(view.currentText(), QStringLiteral("Com 2"));
    combo.Text = "Com 9";
    QCOMPARE(view.currentText(), QStringLiteral("Com 9"));
    QCOMPARE(view.count(), 4);
  }

  void comboTakesWhatTheOperatorChoosesOrTypesExactly() {
    QWidget host;
    forms::ComboBox combo("Combo3", {0, 0, 1500, 300});
    combo.Text = "TONE";
    ComboBoxView view(combo, &host);
    combo.AddItem("TONE");
    combo.AddItem("PULSE");
    view.setCurrentIndex(1);
    QCOMPARE(combo.Text.get(), std::string("PULSE"));
    // A typed text differing in case from an item stays as typed, and joins no list.
    view.lineEdit()->clear();
    QTest::keyClicks(view.lineEdit(), "tone");
    QTest::keyClick(view.lineEdit(), Qt::Key_Return);
    QCOMPARE(combo.Text.get(), std::string("tone"));
    QCOMPARE(view.currentText(), QStringLiteral("tone"));
    QCOMPARE(view.count(), 2);
  }

  void checkBoxValueGoesBothWays() {
    QWidget host;
    forms::CheckBox check("Check1", {0, 0, 3000, 300});
    check.Caption = "ASP Web Server";
    CheckBoxView view(check, &host);
    QVERIFY(!view.isChecked());
    QCOMPARE(view.text(), QStringLiteral("ASP Web Server"));
    check.Value = 1;
    QVERIFY(view.isChecked());
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(5, view.height() / 2));
    QCOMPARE(check.Value.get(), 0);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(5, view.height() / 2));
    QCOMPARE(check.Value.get(), 1);

    // The third state shows partly checked; a click checks the box, the next one clears it.
    check.Value = 2;
    QCOMPARE(view.checkState(), Qt::PartiallyChecked);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(5, view.height() / 2));
    QCOMPARE(check.Value.get(), 1);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(5, view.height() / 2));
    QCOMPARE(check.Value.get(), 0);
    QCOMPARE(view.checkState(), Qt::Unchecked);
  }

  void tabInFrontGoesBothWays() {
    QWidget host;
    forms::TabControl tabs("SSTab1", {0, 0, 7000, 4000}, {"Corvello Modem", "Administration", "Own Paging System"});
    TabView view(tabs, &host);
    QCOMPARE(view.count(), 3);
    QCOMPARE(view.tabText(1), QStringLiteral("Administration"));
    QCOMPARE(view.currentIndex(), 0);
    tabs.Tab = 2;
    QCOMPARE(view.currentIndex(), 2);
    view.setCurrentIndex(1);
    QCOMPARE(tabs.Tab.get(), 1);
  }

  void gridShowsRowsWithNullsEmptyAndFollowsNewData() {
    QWidget host;
    forms::Grid grid("DBGrid1", {0, 0, 9000, 3000});
    grid.Data = forms::GridData{"CORVELLO SERVER MESSAGE LOG",
                                {"Sender", "Paging Unit", "Message"},
                                std::make_shared<forms::FixedGridRows>(std::vector<forms::GridRow>{
                                    {"Intranet", "123-4570", std::nullopt}, {"OWN", std::nullopt, "hello"}})};
    GridView view(grid, &host);
    host.show();
    QCOMPARE(view.CaptionBar()->text(), QStringLiteral("CORVELLO SERVER MESSAGE LOG"));
    QVERIFY(view.CaptionBar()->isVisible());
    const QAbstractItemModel* model = view.Table()->model();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Paging Unit"));
    QCOMPARE(model->data(model->index(0, 1)).toString(), QStringLiteral("123-4570"));
    QVERIFY(!model->data(model->index(0, 2)).isValid());
    QVERIFY(!(model->flags(model->index(1, 2)) & Qt::ItemIsEditable));
    QCOMPARE(view.Table()->editTriggers(), QAbstractItemView::NoEditTriggers);
    forms::GridData emptied = grid.Data;
    emptied.rows = std::make_shared<forms::FixedGridRows>();
    emptied.caption.clear();
    grid.Data = emptied;
    QCOMPARE(model->rowCount(), 0);
    QCOMPARE(model->columnCount(), 3);
    QVERIFY(!view.CaptionBar()->isVisible());
  }
};

QTUI_TEST_CLASS(InputViewsTest)

}  // namespace qtui

#include "InputViewsTest.moc"
