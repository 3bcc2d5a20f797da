// The server killed, or its power cut, right after each database write of a cycle, in turn, and
// before and after each rename, delete and folder sync of its intake: a child process runs the
// cycle and ends itself at the chosen point. Killed, the files keep exactly what was written;
// cut, they keep only what was synced (the database's pages through a VFS that drops unsynced
// writes, the folders' names through a journal of the renames and deletes not synced). Then a
// fresh server on the same folder, with the same simulated modem, runs a cycle to its end.
// Whatever the crash point, no Start stops on what the crash left, every page reaches the
// terminal once, or waits, or is logged as not sent, and no input file is read twice. Among the
// inputs are an empty submissions file and one whose last record is cut short.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <functional>
#include <memory>
#include <optional>
#include <tuple>

#include "EngineFixture.h"
#include "common/RecordWriter.h"
#include "platform/dao/CommitObserver.h"
#include "support/DyingWatcher.h"
#include "support/FolderJournal.h"
#include "support/PowerCutVfs.h"

namespace engine_test {
namespace {

constexpr int kCrashed = 40;
constexpr int kFinished = 41;

enum class Death { kKill, kPowerCut };

// The pages that must reach the terminal once: three submissions, one line of the Other File,
// a scheduled row that comes in with Status "Y", and a second Other File written during the
// first cycle, with an empty submissions file (so that each input is claimed twice over the two
// cycles). The first submissions file ends in a record cut short (unit 108), which is kept.
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

const std::string kCutShort = "\"108\",\"page 108\",\"5550003\"";

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
                                              {"102", "5550003"}, {"103", "5550003"}}) +
                                     kCutShort);
}

// One server on the folder, from its load to the end of its second cycle. Right after its first
// Start, a second Other File and an empty submissions file are written (once per folder: a
// marker says they were). The pages the terminal took are appended to pages.txt as
// "unit<TAB>text" lines.
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
      h.folder.Write("FEEDBACK.TXT", "");
      h.folder.Write("pages.out", "\"106\",\"page 106\"\r\n\"107\",\"page 107\"\r\n");
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

// Where the child dies: right after its n-th commit, or at the n-th moment before or after a
// rename, a delete or a folder sync of the intake's files.
enum class At { kCommit, kFileOperation };

bool IsIntakeFile(const std::string& path) {
  return path.find("FEEDBACK.TXT") != std::string::npos || path.find("pages.out") != std::string::npos;
}

// Runs the cycle in a child process that dies at the `n`-th point of the kind `at`.
int RunUntil(const std::string& folder, At at, int n, Death death) {
  const pid_t child = fork();
  if (child == 0) {
    std::unique_ptr<testing_support::PowerCutVfs> disk;
    std::unique_ptr<testing_support::FolderJournal> folders;
    if (death == Death::kPowerCut) {
      disk = std::make_unique<testing_support::PowerCutVfs>();
      folders = std::make_unique<testing_support::FolderJournal>();
    }
    ServerRun* run = nullptr;
    const auto die = [&] {
      run->SavePages();  // what the terminal took is not the server's to lose
      if (folders) folders->Cut();
      if (disk) disk->Cut();
      _exit(kCrashed);
    };
    int writes = 0;
    dao::detail::SetCommitObserver([&] {
      if (at == At::kCommit && ++writes == n) die();
    });
    std::optional<testing_support::DyingWatcher> watcher;
    if (at == At::kFileOperation) watcher.emplace(n, folders.get(), IsIntakeFile, die);
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

class CrashTest : public ::testing::TestWithParam<std::tuple<Death, At>> {};

TEST_P(CrashTest, NoPageIsLostOrSentTwiceWhereverTheServerDies) {
  const auto [death, at] = GetParam();
  testing_support::TempFolder root;
  int crashes = 0;
  for (int point = 1;; ++point) {
    SCOPED_TRACE("died at point " + std::to_string(point));
    const std::string folder = root.PathOf("run" + std::to_string(point));
    LayOutFolder(folder);
    const int outcome = RunUntil(folder, at, point, death);
    ASSERT_TRUE(outcome == kCrashed || outcome == kFinished) << "child ended with " << outcome;
    if (outcome == kFinished) break;
    ++crashes;

    ServerRun restarted(folder);
    ASSERT_TRUE(restarted.RunCycles());
    restarted.SavePages();
    for (const auto& box : restarted.h.dialogs.Boxes()) {
      EXPECT_EQ(box.prompt.find("Error: "), std::string::npos) << box.prompt;
    }
    EXPECT_NE(restarted.h.m.strServerState, "STOP");

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
    // The record cut short is kept, once, under a name no intake reads.
    int kept = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("FEEDBACK.TXT.unread-", 0) == 0) {
        ++kept;
        EXPECT_NE(h.folder.Read(name).find(kCutShort), std::string::npos);
        continue;
      }
      EXPECT_TRUE(name.rfind("FEEDBACK.TXT", 0) == std::string::npos && name.rfind("pages.out", 0) == std::string::npos)
          << name;
    }
    EXPECT_EQ(kept, 1);
  }
  EXPECT_GE(crashes, at == At::kCommit ? 17 : 36) << "every point of the two cycles was a crash point";
}

std::string NameOf(const ::testing::TestParamInfo<std::tuple<Death, At>>& param) {
  return std::string(std::get<0>(param.param) == Death::kKill ? "Killed" : "PowerCut") +
         (std::get<1>(param.param) == At::kCommit ? "AfterEachCommit" : "AroundEachFileOperation");
}

INSTANTIATE_TEST_SUITE_P(KilledOrCut, CrashTest,
                         ::testing::Combine(::testing::Values(Death::kKill, Death::kPowerCut),
                                            ::testing::Values(At::kCommit, At::kFileOperation)),
                         NameOf);

}  // namespace
}  // namespace engine_test
