// The message-log grid of the real setup window over a large log.
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "ProgramUnderTest.h"
#include "QtTestRegistry.h"
#include "platform/dao/Database.h"
#include "platform/qt/GridView.h"
#include "setup/DataControlRows.h"

namespace app_test {

namespace {
constexpr long kRecords = 20000;

void FillLog(ProgramUnderTest& p) {
  auto database = p.dbEngine.Workspaces(0).OpenDatabase(p.folder.PathOf("pager.mdb"));
  database->Execute(
      "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < " + std::to_string(kRecords) +
      ") INSERT INTO TranLog (Sender, \"Paging Unit\", Message) SELECT 'Intranet', 'U' || x, 'sent' FROM n");
  database->Close();
}

QString UnitAt(QTableView& table, int row) { return table.model()->index(row, 1).data().toString(); }
}  // namespace

class MessageLogGridTest : public QObject {
  Q_OBJECT

 private slots:
  // Opening the window reads the records the grid draws and no others: the first ones, and the
  // last ones once the grid is moved to its end.
  void aLargeLogIsReadOnlyAsFarAsTheGridShowsIt() {
    ProgramUnderTest p;
    FillLog(p);
    QVERIFY(p.ShowMainWindow());
    qtui::QtWindowView& setupView = p.windows->SetupWindow();
    int rows = 0;
    QString top;
    QString bottom;
    std::size_t recordsRead = 0;
    QTimer whenOpen;
    whenOpen.setInterval(10);
    QObject::connect(&whenOpen, &QTimer::timeout, [&] {
      if (!setupView.isVisible()) return;
      whenOpen.stop();
      if (!QTest::qWaitForWindowExposed(&setupView)) {
        p.setup->form.Unload();
        return;
      }
      QTableView& table = *static_cast<qtui::GridView*>(setupView.ViewOf(p.setup->form.DBGrid1))->Table();
      p.setup->form.SSTab1.Tab = pager::frmSetup::kAdministrationTab;
      setupView.repaint();
      rows = table.model()->rowCount();
      top = UnitAt(table, table.rowAt(0));
      table.scrollToBottom();
      table.viewport()->repaint();
      bottom = UnitAt(table, table.rowAt(table.viewport()->height() - 1));
      recordsRead = p.setup->form.DBGrid1.Data.get().rows->RowsRead();
      p.setup->form.Unload();
    });
    whenOpen.start();
    QTimer::singleShot(10000, [&] { p.setup->form.Unload(); });
    p.server->form1.Command3.Click();

    QCOMPARE(rows, static_cast<int>(kRecords));
    QCOMPARE(top, QStringLiteral("U1"));
    QCOMPARE(bottom, QStringLiteral("U%1").arg(kRecords));
    QVERIFY2(recordsRead <= 4 * pager::DataControlRows::kBlockRows, qPrintable(QString::number(recordsRead)));
  }
};

QTUI_TEST_CLASS(MessageLogGridTest)

}  // namespace app_test

#include "MessageLogGridTest.moc"
