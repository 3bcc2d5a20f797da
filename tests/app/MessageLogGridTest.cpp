// The message-log grid of the real setup window: what the operator reads of each record, and a
// large log. The Administration tab over a log of every kind of outcome is written to
// <build>/setup-log.png.
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cctype>
#include <string>

#include "ProgramUnderTest.h"
#include "QtTestRegistry.h"
#include "platform/dao/Database.h"
#include "platform/qt/GridView.h"
#include "platform/qt/Screenshot.h"
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

// What a record tells the operator: the message and, at the end of the text, its outcome.
struct Record {
  const char* message;
  const char* outcome;
};
constexpr Record kOutcomes[] = {
    {"Staff meeting moved to room 2 for unit 4711", "was sent successfully."},
    {"Call the front desk to unit 4712 was not sent because", "paging company was busy."},
    {"This is a test ... was not sent because", "paging unit 123-4570 is invalid."},
    {"Server room too warm to unit 4713 was not sent because paging company has",
     "no modem number. The message waits in Temp."},
};

// Records of each outcome, three times over: more than the grid shows at once.
void FillMixedLog(ProgramUnderTest& p) {
  auto database = p.dbEngine.Workspaces(0).OpenDatabase(p.folder.PathOf("pager.mdb"));
  for (int round = 0; round < 3; ++round) {
    for (const Record& record : kOutcomes) {
      database->Execute(
          "INSERT INTO TranLog (Sender, \"Paging Unit\", Message, \"Paging Company\", \"Date Sent\") "
          "VALUES ('Operator', '4711', '12/07/26 - 2:3" + std::to_string(round) + ":05 PM : Message: " +
          record.message + " " + record.outcome + "', '5550100', '12/07/26')");
    }
  }
  database->Close();
}

// Changes every record's Message with the statement and shows the log again.
void ChangeLog(ProgramUnderTest& p, const std::string& statement) {
  auto database = p.dbEngine.Workspaces(0).OpenDatabase(p.folder.PathOf("pager.mdb"));
  database->Execute(statement);
  database->Close();
  p.setup->form.Data1.Refresh();
}

// The rows whose Message cell the picture change leaves alone, among the rows wholly in sight.
QStringList UnchangedRows(QTableView& table, const QImage& before, const QImage& after, int& rowsInSight) {
  QStringList unchanged;
  rowsInSight = 0;
  for (int row = 0; row < table.model()->rowCount(); ++row) {
    const QRect cell = table.visualRect(table.model()->index(row, 2)).intersected(table.viewport()->rect());
    if (!table.viewport()->rect().contains(QRect(0, cell.top(), 1, table.rowHeight(row)))) continue;
    ++rowsInSight;
    if (before.copy(cell) == after.copy(cell)) unchanged << QString::number(row);
  }
  return unchanged;
}
}  // namespace

class MessageLogGridTest : public QObject {
  Q_OBJECT

 private slots:
  // In the window's own size, every record in sight shows its outcome whole, without
  // scrolling: a change to the outcome's first letter, and to the text's last, changes every
  // Message cell in sight. The whole text is the cell's tool tip.
  void eachRecordShowsItsOutcomeAtAGlance() {
    ProgramUnderTest p;
    FillMixedLog(p);
    QVERIFY(p.ShowMainWindow());
    pager::frmSetup& setup = p.setup->form;
    setup.Show();
    qtui::QtWindowView& setupView = p.windows->SetupWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&setupView));
    setup.SSTab1.Tab = pager::frmSetup::kAdministrationTab;
    QTableView& table = *static_cast<qtui::GridView*>(setupView.ViewOf(setup.DBGrid1))->Table();
    QVERIFY(qtui::SaveScreenshot(setupView, QStringLiteral(PAGER_BINARY_DIR "/setup-log.png")));
    // With the scroll bar that a longer log brings, the Message column still ends at the edge.
    QVERIFY(table.verticalScrollBar()->isVisible());
    QCOMPARE(table.columnViewportPosition(2) + table.columnWidth(2), table.viewport()->width());
    const QModelIndex first = table.model()->index(0, 2);
    QCOMPARE(first.data(Qt::ToolTipRole).toString(), first.data().toString());

    const QImage original = qtui::RenderWidget(*table.viewport());
    std::string firstLetters = "Message";
    for (const Record& record : kOutcomes) {
      const std::string outcome = record.outcome;
      firstLetters = "replace(" + firstLetters + ", '" + outcome + "', '" +
                     static_cast<char>(std::toupper(outcome[0])) + outcome.substr(1) + "')";
    }
    ChangeLog(p, "UPDATE TranLog SET Message = " + firstLetters);
    const QImage capitalised = qtui::RenderWidget(*table.viewport());
    ChangeLog(p, "UPDATE TranLog SET Message = substr(Message, 1, length(Message) - 1)");
    const QImage chopped = qtui::RenderWidget(*table.viewport());

    int rowsInSight = 0;
    QStringList unchanged = UnchangedRows(table, original, capitalised, rowsInSight);
    QVERIFY2(unchanged.isEmpty(), qPrintable("first letter hidden in rows " + unchanged.join(',')));
    unchanged = UnchangedRows(table, capitalised, chopped, rowsInSight);
    QVERIFY2(unchanged.isEmpty(), qPrintable("last letter hidden in rows " + unchanged.join(',')));
    QVERIFY2(rowsInSight >= 4, qPrintable(QString::number(rowsInSight)));
    setup.Unload();
  }

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
