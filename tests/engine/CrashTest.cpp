// The server killed right after each database write of a cycle, in turn: a child process runs
// the cycle and ends itself at the chosen write (the file keeps exactly what was committed);
// then a fresh server on the same folder, with the same simulated modem, runs a cycle to its
// end. Whatever the crash point, every page reaches the terminal once, or waits, or is logged
// as not sent.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "EngineFixture.h"
#include "common/RecordWriter.h"
#include "platform/dao/CommitObserver.h"

namespace engine_test {
namespace {

constexpr int kCrashed = 40;
constexpr int kFinished = 41;

// Three companies, in the order they are called: one busy, one whose terminal refuses the
// unit, one that takes three pages.
modemsim::ModemConfig Terminal() {
  modemsim::ModemConfig config;
  config.terminal.knownUnits = {"101", "102", "103"};
  config.dialPlan.Add("5550001", modemsim::ParseBehaviour("busy:2"));
  config.dialPlan.Add("5550002", modemsim::ParseBehaviour("connect:2"));
  config.dialPlan.Add("5550003", modemsim::ParseBehaviour("connect:2"));
  return config;
}

void LayOutFolder(const std::string& folder) {
  std::filesystem::create_directories(folder);
  testing_support::ServerHarness::Options options;
  options.folder = folder;
  testing_support::ServerHarness h(options);  // lays out pager.mdb
  h.WriteDefaultSettings();
  pager::WriteRecord(h.folder.PathOf("Inter.dat"), {pager::RecordItem{std::string("ENABLED")}});
  pager::WriteRecord(h.folder.PathOf("internet.cfg"), {pager::RecordItem{h.folder.PathOf("FEEDBACK.TXT")}});
  std::string file = "\"Unit\",\"Message\",\"Modem\",\"Date\",\"Time\",\"Remote Address\",\"User\",\"Browser\"\r\n";
  for (const auto& [unit, modem] : std::vector<std::pair<std::string, std::string>>{
           {"1", "5550001"}, {"999", "5550002"}, {"101", "5550003"}, {"102", "5550003"}, {"103", "5550003"}}) {
    file += "\"" + unit + "\",\"page " + unit + "\",\"" + modem + "\",\"12/07/26\",\"14:00\",\"10.0.0.7\",\"Lynx\"\r\n";
  }
  h.folder.Write("FEEDBACK.TXT", file);
}

// One server on the folder, from its load to the end of one cycle (the re-cycle pause). The
// pages the terminal took are appended to pages.txt as "unit<TAB>text" lines.
class ServerRun {
 public:
  explicit ServerRun(const std::string& folder) : h(Options(folder)), terminal(h.loop, h.fakeSerial, Terminal()) {}
  static testing_support::ServerHarness::Options Options(const std::string& folder) {
    testing_support::ServerHarness::Options options;
    options.folder = folder;
    options.makeDatabase = false;
    return options;
  }
  bool RunCycle() {
    h.form->Load();
    h.core->Command1_Click();
    return h.loop.AdvanceUntil([&] { return h.form->tmrRestart.Enabled.get(); }, 3600000, 100);
  }
  void SavePages() {
    std::ofstream out(h.folder.PathOf("pages.txt"), std::ios::app);
    for (const auto& page : terminal.Pages()) out << page.unit << '\t' << page.text << '\n';
  }
  testing_support::ServerHarness h;
  testing_support::InProcessTerminal terminal;
};

// Runs the cycle in a child process that ends itself right after the `write`-th commit.
int RunUntilWrite(const std::string& folder, int write) {
  const pid_t child = fork();
  if (child == 0) {
    ServerRun* run = nullptr;
    int writes = 0;
    dao::detail::SetCommitObserver([&] {
      if (++writes < write) return;
      run->SavePages();
      _exit(kCrashed);
    });
    ServerRun server(folder);
    run = &server;
    const bool ended = server.RunCycle();
    server.SavePages();
    _exit(ended ? kFinished : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::map<std::string, int> AcceptedPages(const std::string& folder) {
  std::map<std::string, int> count;
  std::ifstream in(folder + "/pages.txt");
  std::string line;
  while (std::getline(in, line)) ++count[line.substr(0, line.find('\t'))];
  return count;
}

TEST(CrashTest, NoPageIsLostOrSentTwiceWhateverWriteTheServerDiesAfter) {
  testing_support::TempFolder root;
  int crashes = 0;
  for (int write = 1;; ++write) {
    SCOPED_TRACE("killed after write " + std::to_string(write));
    const std::string folder = root.PathOf("run" + std::to_string(write));
    LayOutFolder(folder);
    const int outcome = RunUntilWrite(folder, write);
    ASSERT_TRUE(outcome == kCrashed || outcome == kFinished) << "child ended with " << outcome;
    if (outcome == kFinished) break;
    ++crashes;

    ServerRun restarted(folder);
    ASSERT_TRUE(restarted.RunCycle());
    restarted.SavePages();

    const auto accepted = AcceptedPages(folder);
    for (const char* unit : {"101", "102", "103"}) EXPECT_EQ(accepted.count(unit) ? accepted.at(unit) : 0, 1) << unit;
    EXPECT_EQ(accepted.count("1") + accepted.count("999"), 0u);
    // The busy company's page waits in Temp with its failure record; the refused unit has its
    // record; nothing sent stays in Queue; the submissions file is gone, aside copies too.
    const auto& h = restarted.h;
    const auto temp = h.Rows("Temp");
    ASSERT_EQ(temp.size(), 1u);
    EXPECT_EQ(temp[0].at("Unit"), "1");
    int failed = 0, refused = 0, sent = 0;
    for (const auto& row : h.TranLog()) {
      const std::string text = row.at("Message").value_or("");
      failed += text.find("page 1 to unit 1 was not sent because paging company was busy.") != std::string::npos;
      refused += text.find(" was not sent because paging unit 999 is invalid.") != std::string::npos;
      sent += text.find(" was sent successfully.") != std::string::npos;
    }
    EXPECT_GE(failed, 1);
    EXPECT_GE(refused, 1);
    EXPECT_EQ(sent, 3);
    EXPECT_EQ(h.CountRows("Queue"), 0);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      EXPECT_EQ(entry.path().filename().string().rfind("FEEDBACK.TXT", 0), std::string::npos) << entry.path();
    }
  }
  EXPECT_GE(crashes, 7) << "every write of the cycle was a crash point";
}

}  // namespace
}  // namespace engine_test
