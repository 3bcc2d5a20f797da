// The server killed, or its power cut, right after each database write of a cycle, in turn: a
// child process runs the cycle and ends itself at the chosen write. Killed, the files keep
// exactly what was written; cut, they keep only what was synced (the database's pages through
// a VFS that drops unsynced writes, the folders' names through a journal of the renames and
// deletes not synced). Then a fresh server on the same folder, with the same simulated modem,
// runs a cycle to its end. Whatever the crash point, every page reaches the terminal once, or
// waits, or is logged as not sent, and no input file is read twice.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "EngineFixture.h"
#include "common/RecordWriter.h"
#include "platform/dao/CommitObserver.h"
#include "support/FolderJournal.h"
#include "support/PowerCutVfs.h"

namespace engine_test {
namespace {

constexpr int kCrashed = 40;
constexpr int kFinished = 41;

enum class Death { kKill, kPowerCut };

// The pages that must reach the terminal once: three submissions, one line of the Other File,
// a scheduled row that comes in with Status "Y", and a second submissions file written during
// the first cycle (so that each input is claimed twice over the two cycles).
const char* const kPages[] = {"101", "102", "103", "104", "105", "106", "107"};

// Three companies, in the order they are called: one busy, one whose terminal refuses the
// unit, one (the own company) that takes every other page.
modemsim::ModemConfig Terminal() {
  modemsim::ModemConfig config;
  config.terminal.knownUnits = {"101", "102", "103", "104", "105", "106", "107"};
  config.dialPlan.Add("5550001", modemsim::ParseBehaviour("busy:2"));
  config.dialPlan.Add("5550002", modemsim::ParseBehaviour("connect:2"));
  config.dialPlan.Add("5550003", modemsim::ParseBehaviour("connect:2"));
  return config;
}

std::string Submissions(const std::vector<std::pair<std::string, std::string>>& pages) {
  std::string file = "\"Unit\",\"Message\",\"Modem\",\"Date\",\"Time\",\"Remote Address\",\"User\",\"Browser\"\r\n";
  for (const auto& [unit, modem] : pages) {
    file += "\"" + unit + "\",\"page " + unit + "\",\"" + modem + "\",\"12/07/26\",\"14:00\",\"10.0.0.7\",\"Lynx\"\r\n";
  }
  return file;
}

void LayOutFolder(const std::string& folder) {
  std::filesystem::create_directories(folder);
  testing_support::ServerHarness::Options options;
  options.folder = folder;
  testing_support::ServerHarness h(options);  // lays out pager.mdb
  h.WriteDefaultSettings();
  pager::WriteRecord(h.folder.PathOf("Inter.dat"), {pager::RecordItem{std::string("ENABLED")}});
  pager::WriteRecord(h.folder.PathOf("internet.cfg"), {pager::RecordItem{h.folder.PathOf("FEEDBACK.TXT")}});
  pager::WriteRecord(h.folder.PathOf("own.cfg"), {pager::RecordItem{h.folder.PathOf("pages.out")}});
  pager::WriteRecord(h.folder.PathOf("MyOwn.dat"), {pager::RecordItem{std::string("Own")},
                                                    pager::RecordItem{std::string("5550003")}, pager::RecordItem{1LL}});
  h.folder.Write("pages.out", "\"104\",\"page 104\"\r\n");
  h.InsertScheduled("2026-12-07", "09:00", "5550003", "105", "page 105", "Y");
  h.folder.Write("FEEDBACK.TXT", Submissions({{"1", "5550001"}, {"999", "5550002"}, {"101", "5550003"},
                                              {"102", "5550003"}, {"103", "5550003"}}));
}

// One server on the folder, from its load to the end of its second cycle. Right after its first
// Start, a second submissions file is written (once per folder: a marker says it was). The
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
  bool RunCycles() {
    h.form->Load();
    h.core->Command1_Click();
    if (!h.folder.Exists("second-batch")) {
      h.folder.Write("second-batch", "");
      h.folder.Write("FEEDBACK.TXT", Submissions({{"106", "5550003"}, {"107", "5550003"}}));
    }
    for (int cycle = 0; cycle < 2; ++cycle) {
      if (!h.loop.AdvanceUntil([&] { return h.form->tmrRestart.Enabled.get(); }, 3600000, 100)) return false;
      if (cycle == 0 && !h.loop.AdvanceUntil([&] { return !h.form->tmrRestart.Enabled.get(); }, 60000, 100)) {
        return false;
      }
    }
    return true;
  }
  void SavePages() {
    std::ofstream out(h.folder.PathOf("pages.txt"), std::ios::app);
    for (const auto& page : terminal.Pages()) out << page.unit << '\t' << page.text << '\n';
  }
  testing_support::ServerHarness h;
  testing_support::InProcessTerminal terminal;
};

// Runs the cycle in a child process that dies right after the `write`-th commit.
int RunUntilWrite(const std::string& folder, int write, Death death) {
  const pid_t child = fork();
  if (child == 0) {
    std::unique_ptr<testing_support::PowerCutVfs> disk;
    std::unique_ptr<testing_support::FolderJournal> folders;
    if (death == Death::kPowerCut) {
      disk = std::make_unique<testing_support::PowerCutVfs>();
      folders = std::make_unique<testing_support::FolderJournal>();
    }
    ServerRun* run = nullptr;
    int writes = 0;
    dao::detail::SetCommitObserver([&] {
      if (++writes < write) return;
      run->SavePages();  // what the terminal took is not the server's to lose
      if (folders) folders->Cut();
      if (disk) disk->Cut();
      _exit(kCrashed);
    });
    ServerRun server(folder);
    run = &server;
    const bool ended = server.RunCycles();
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

class CrashTest : public ::testing::TestWithParam<Death> {};

TEST_P(CrashTest, NoPageIsLostOrSentTwiceWhateverWriteTheServerDiesAfter) {
  testing_support::TempFolder root;
  int crashes = 0;
  for (int write = 1;; ++write) {
    SCOPED_TRACE("died after write " + std::to_string(write));
    const std::string folder = root.PathOf("run" + std::to_string(write));
    LayOutFolder(folder);
    const int outcome = RunUntilWrite(folder, write, GetParam());
    ASSERT_TRUE(outcome == kCrashed || outcome == kFinished) << "child ended with " << outcome;
    if (outcome == kFinished) break;
    ++crashes;

    ServerRun restarted(folder);
    ASSERT_TRUE(restarted.RunCycles());
    restarted.SavePages();

    const auto accepted = AcceptedPages(folder);
    for (const char* unit : kPages) EXPECT_EQ(accepted.count(unit) ? accepted.at(unit) : 0, 1) << unit;
    EXPECT_EQ(accepted.count("1") + accepted.count("999"), 0u);
    // The busy company's page waits in Temp with its failure record; the refused unit has its
    // record; nothing sent stays in Queue; the input files are gone, aside copies too.
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
    EXPECT_EQ(sent, 7);
    EXPECT_EQ(h.CountRows("Queue"), 0);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(name.rfind("FEEDBACK.TXT", 0) == std::string::npos && name.rfind("pages.out", 0) == std::string::npos)
          << name;
    }
  }
  EXPECT_GE(crashes, 17) << "every write of the two cycles was a crash point";
}

INSTANTIATE_TEST_SUITE_P(KilledOrCut, CrashTest, ::testing::Values(Death::kKill, Death::kPowerCut),
                         [](const auto& death) { return death.param == Death::kKill ? "Killed" : "PowerCut"; });

}  // namespace
}  // namespace engine_test
