// One whole call cycle in real time: the server with its real serial backend on a
// pseudo-terminal, the modem-sim program behind it as a child process. Two companies, one
// answering and one busy, three messages. About 45 seconds.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "RealTimeLoop.h"
#include "common/Form1.h"
#include "common/Module1.h"
#include "common/Platform.h"
#include "common/RecordWriter.h"
#include "core/ServerCore.h"
#include "engine/CallEngine.h"
#include "platform/comm/TermiosBackend.h"
#include "platform/dao/Database.h"
#include "platform/dao/DBEngine.h"
#include "platform/dao/Recordset.h"
#include "platform/forms/Clock.h"
#include "platform/forms/ScriptedDialogs.h"
#include "support/PagerDatabase.h"
#include "support/TempFolder.h"

extern char** environ;

namespace {

using testing_support::RealTimeLoop;
using testing_support::TempFolder;

// The modem-sim program, running until the test ends.
class ModemSimProcess {
 public:
  explicit ModemSimProcess(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    std::string program = PAGER_MODEM_SIM;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
  }
  ~ModemSimProcess() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  bool Started() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
};

struct Page {
  std::string dialed, unit, text;
};

std::vector<Page> ReadPages(const std::string& path) {
  std::vector<Page> pages;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::stringstream split(line);
    std::string field;
    while (std::getline(split, field, '\t')) fields.push_back(field);
    if (fields.size() == 4) pages.push_back({fields[1], fields[2], fields[3]});
  }
  return pages;
}

// Every row of a table, as "field=value" texts joined by "|", through a connection of its own.
std::vector<std::string> Rows(dao::DBEngine& engine, const std::string& path, const std::string& table,
                              const std::vector<std::string>& fields) {
  auto db = engine.Workspaces(0).OpenDatabase(path);
  auto rs = db->OpenRecordset(table);
  std::vector<std::string> rows;
  for (; !rs->Eof(); rs->MoveNext()) {
    std::string row;
    for (const std::string& name : fields) row += (row.empty() ? "" : "|") + rs->Field(name).value_or("<Null>");
    rows.push_back(row);
  }
  db->Close();
  return rows;
}

TEST(CallCycleEndToEnd, DeliversToTheAnsweringCompanyAndQueuesTheBusyOnesMessageAgain) {
  TempFolder folder;
  testing_support::MakePagerDatabase(folder.PathOf("pager.mdb"));
  using pager::RecordItem;
  pager::WriteRecord(folder.PathOf("modem.cfg"),
                     {std::string("1"), std::string("9600"), std::string("ATZ"), std::string("TONE"),
                      std::string("0"), std::string("True"), 45LL, std::string(""), std::string(""), false, false});
  pager::WriteRecord(folder.PathOf("Inter.dat"), {std::string("DISABLED")});
  pager::WriteRecord(folder.PathOf("MyOwn.dat"), {std::string("My Company"), std::string("5551234"), 0LL});

  ModemSimProcess modem({"--folder", folder.Path(), "--port", "1", "--number", "5550100=connect:2",
                         "--number", "5550200=busy:2", "--units", "1001,1002", "--pages", folder.PathOf("pages.txt")});
  ASSERT_TRUE(modem.Started());

  RealTimeLoop loop;
  ASSERT_TRUE(loop.RunUntil([&] { return folder.Exists("com1"); }, 10000)) << "modem-sim made no com1";

  dao::DBEngine dbEngine;
  {
    // Three messages from the intranet form, waiting in Temp for the next Start.
    auto db = dbEngine.Workspaces(0).OpenDatabase(folder.PathOf("pager.mdb"));
    auto temp = db->OpenRecordset("Temp");
    for (const auto& [unit, text, modemNumber] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"1001", "Lunch is served in the hall", "5550100"},
             {"1002", "Meeting moved: BUSY until 3, NO CARRIER on line 2, your ID card is invalid", "5550100"},
             {"2001", "Please call the front desk", "5550200"}}) {
      temp->AddNew();
      temp->SetField("Unit", unit);
      temp->SetField("Message", text);
      temp->SetField("Modem", modemNumber);
      temp->SetField("Sender", std::string("Intranet"));
      temp->SetField("Status", std::string("N"));
      temp->SetField("Date Sent", std::string("12/07/26"));
      temp->Update();
    }
    db->Close();
  }

  forms::SystemClock clock;
  forms::ScriptedDialogs dialogs;
  auto serial = std::make_shared<comm::TermiosBackend>(folder.Path());
  serial->SetLockFolders({folder.Path()});
  pager::Module1 m;
  pager::Form1 form(loop, serial);
  pager::Platform platform{loop, clock, dialogs, dbEngine, forms::Screen{}, folder.Path()};
  pager::ServerCore core(form, m, platform);
  pager::CallEngine engine(form, m, platform);
  engine.runStart = [&] { core.StartFromRecycle(); };
  core.settleEngine = [&] { engine.SettlePending(); };

  core.Form_Load();
  ASSERT_TRUE(form.MSComm1.PortOpen());
  const std::int64_t start = loop.NowMs();
  core.Command1_Click();
  ASSERT_TRUE(form.Timer1.Enabled.get()) << form.lblStatus.Caption.get();
  // The cycle: dial (2 s), call of 2 messages (20 s), pause, busy dial (2 s), pause; then the
  // end of the list switches the re-cycle on.
  ASSERT_TRUE(loop.RunUntil([&] { return form.tmrRestart.Enabled.get(); }, 120000)) << form.lblStatus.Caption.get();
  const double seconds = static_cast<double>(loop.NowMs() - start) / 1000.0;
  EXPECT_GT(seconds, 38);
  EXPECT_LT(seconds, 60);
  EXPECT_TRUE(dialogs.Boxes().empty());

  const auto pages = ReadPages(folder.PathOf("pages.txt"));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].dialed, "5550100");
  EXPECT_EQ(pages[0].unit, "1001");
  EXPECT_EQ(pages[0].text, "Lunch is served in the hall");
  EXPECT_EQ(pages[1].unit, "1002");
  EXPECT_EQ(pages[1].text, "Meeting moved: BUSY until 3, NO CARRIER on line 2, your ID card is invalid");

  const std::string path = folder.PathOf("pager.mdb");
  const auto log = Rows(dbEngine, path, "TranLog", {"Paging Company", "Paging Unit", "Sender", "Message"});
  ASSERT_EQ(log.size(), 3u);
  const auto endsWith = [](const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
  };
  EXPECT_TRUE(endsWith(log[0], "Message: Lunch is served in the hall for unit 1001 was sent successfully.")) << log[0];
  EXPECT_EQ(log[0].rfind("5550100|1001|Intranet|", 0), 0u);
  EXPECT_TRUE(endsWith(log[1], " for unit 1002 was sent successfully.")) << log[1];
  EXPECT_TRUE(endsWith(log[2], "Message: Please call the front desk to unit 2001 was not sent because paging company was busy."))
      << log[2];
  // Over the whole transcript: every page logged as sent is one the terminal accepted, as often.
  std::multiset<std::string> accepted, loggedSent;
  for (const Page& page : pages) accepted.insert(page.unit + "|" + page.text);
  for (const std::string& row : Rows(dbEngine, path, "TranLog", {"Paging Unit", "Message"})) {
    const std::string unit = row.substr(0, row.find('|'));
    const std::string tail = " for unit " + unit + " was sent successfully.";
    if (!endsWith(row, tail)) continue;
    const std::size_t text = row.find("Message: ") + 9;
    loggedSent.insert(unit + "|" + row.substr(text, row.size() - tail.size() - text));
  }
  EXPECT_EQ(loggedSent, accepted);
  EXPECT_TRUE(Rows(dbEngine, path, "Queue", {"Unit"}).empty());
  EXPECT_EQ(Rows(dbEngine, path, "Temp", {"Unit", "Modem", "Status", "Date Sent"}),
            std::vector<std::string>{"2001|5550200|N|12/07/26"});

  core.Command2_Click();
  EXPECT_FALSE(form.MSComm1.PortOpen());
}

}  // namespace
