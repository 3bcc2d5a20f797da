// The message log at 10,000, 100,000 and 1,000,000 records, against a log of 100 records in the
// same run.
//
// For each size a pager.mdb is filled with that many TranLog records, and a fresh process (one
// fork per size, so that no size inherits another's memory) builds the program's windows as
// main() does, shows the main window and then, five times over, presses Setup and measures:
//   open    from the press until the setup window has drawn its grid (the Administration tab
//           brought to the front and painted);
//   scroll  moving the grid to its last record and drawing it;
// and once, at the first opening, the growth of resident memory from before the press until
// after the scroll. Times are the median of the five openings; the first record and the last
// record must show in the grid, or the run fails. After the last opening the log's Clear is
// pressed (answered Yes) and timed: the delete of every record and the emptied grid drawn.
// Every figure is also printed as a ratio to the same figure over a log of 100 records, which
// has a first and a last block to read like the larger ones.
//
// Aims: opening at 1,000,000 records within 2x of opening at 10,000; memory growth at
// 1,000,000 records under 30 MB.
//
// Usage: log_bench [record counts...]   (default: 10000 100000 1000000; the floor always runs)
// The platform is offscreen unless QT_QPA_PLATFORM says otherwise.
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTableView>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchFolder.h"
#include "BenchProgram.h"
#include "PlainSqlite.h"
#include "ProcessUsage.h"
#include "platform/qt/GridView.h"
#include "platform/qt/QtDialogs.h"

namespace {

constexpr int kOpenings = 5;
constexpr long kFloorRecords = 100;

struct Figures {
  double openMs = 0;
  double scrollMs = 0;
  double growthMiB = 0;
  double clearMs = 0;
  int ok = 0;  // 1 when the grid showed the first and the last record and was emptied by Clear
};

// Message boxes answer Yes at once (the Clear's question); everything else is the real dialogs.
class YesDialogs : public qtui::QtDialogs {
 public:
  int MsgBox(const std::string&, int, const std::string&) override { return forms::vbYes; }
};

double NowMs() { return window_bench::Now().wallMs; }

// The Paging Unit of record `n` (from 1), as Fill writes it.
std::string UnitOf(long n) { return "U" + std::to_string(n); }

void Fill(const std::string& path, long records) {
  bench::PlainSqlite db(path);
  db.Exec("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < " + std::to_string(records) +
          ") INSERT INTO TranLog (Sender, \"Paging Unit\", Message, \"Paging Company\", \"Date Sent\", \"Time Sent\", "
          "\"IP Address\", User, Browser) SELECT 'Intranet', 'U' || x, '12/07/26 - 14:00:05 : Message: Staff meeting "
          "moved to room ' || (x % 40) || ' for unit U' || x || ' was sent successfully.', '5550100', '12/07/26', "
          "'14:00', '10.0.0.' || (x % 250), NULL, 'Mozilla/4.0 (compatible; MSIE 4.01; Windows 98)' FROM n");
}

QString Cell(QTableView& table, int row, int column) {
  return table.model()->data(table.model()->index(row, column)).toString();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Runs in the child process: the program's windows over the filled folder.
Figures Measure(const std::string& folder, long records) {
  int argc = 1;
  char name[] = "log_bench";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  YesDialogs dialogs;
  bench::BenchProgram program(folder, dialogs);
  pager::SetupWindow& setup = program.setup;
  program.server.form1.Show();
  bench::RunEventLoopFor(300);

  Figures figures;
  bool shown = true;
  std::vector<double> opens;
  std::vector<double> scrolls;
  for (int opening = 0; opening < kOpenings; ++opening) {
    const double residentBefore = static_cast<double>(window_bench::ResidentKiB());
    const double pressed = NowMs();
    // Runs inside the modal window's own loop, again until the window is on screen.
    std::function<void()> onScreen = [&] {
      qtui::QtWindowView& view = program.windows.SetupWindow();
      if (view.windowHandle() == nullptr || !view.windowHandle()->isExposed()) {
        QTimer::singleShot(0, onScreen);
        return;
      }
      auto* grid = static_cast<qtui::GridView*>(view.ViewOf(setup.form.DBGrid1));
      QTableView& table = *grid->Table();
      setup.form.SSTab1.Tab = pager::frmSetup::kAdministrationTab;
      view.repaint();
      const double drawn = NowMs();
      table.scrollToBottom();
      table.viewport()->repaint();
      const double scrolled = NowMs();
      opens.push_back(drawn - pressed);
      scrolls.push_back(scrolled - drawn);
      if (opening == 0) {
        figures.growthMiB = (static_cast<double>(window_bench::ResidentKiB()) - residentBefore) / 1024.0;
      }
      const int rows = table.model()->rowCount();
      if (rows != records || Cell(table, 0, 1) != QString::fromStdString(UnitOf(1)) ||
          Cell(table, rows - 1, 1) != QString::fromStdString(UnitOf(records))) {
        shown = false;
      }
      if (opening == kOpenings - 1) {
        const double clearing = NowMs();
        setup.Command1_Click();
        table.viewport()->repaint();
        figures.clearMs = NowMs() - clearing;
        if (table.model()->rowCount() != 0) shown = false;
      }
      setup.form.Unload();
    };
    QTimer::singleShot(0, onScreen);
    program.server.form1.Command3.Click();
  }
  figures.openMs = Median(opens);
  figures.scrollMs = Median(scrolls);
  figures.ok = shown && static_cast<int>(opens.size()) == kOpenings ? 1 : 0;
  return figures;
}

// Lays out and fills a program folder, then measures it in a child process.
bool Run(long records, Figures& figures) {
  std::unique_ptr<bench::BenchFolder> folder;
  try {
    folder = std::make_unique<bench::BenchFolder>("log-bench");
    Fill(folder->PathOf("pager.mdb"), records);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "log_bench: cannot lay out %ld records: %s\n", records, e.what());
    return false;
  }
  int channel[2];
  if (pipe(channel) != 0) return false;
  std::fflush(stdout);
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    close(channel[0]);
    Figures measured;
    try {
      measured = Measure(folder->Path(), records);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "log_bench: %s\n", e.what());
    }
    const bool written = write(channel[1], &measured, sizeof measured) == static_cast<ssize_t>(sizeof measured);
    _exit(written ? 0 : 1);
  }
  close(channel[1]);
  const bool read = ::read(channel[0], &figures, sizeof figures) == static_cast<ssize_t>(sizeof figures);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return read && WIFEXITED(status) && WEXITSTATUS(status) == 0 && figures.ok == 1;
}

double Ratio(double value, double floor) { return floor > 0 ? value / floor : 0; }

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::vector<long> sizes;
  for (int i = 1; i < argc; ++i) {
    const long records = std::atol(argv[i]);
    if (records <= 0) {
      std::fprintf(stderr, "usage: log_bench [record counts...]\n");
      return 2;
    }
    sizes.push_back(records);
  }
  if (sizes.empty()) sizes = {10000, 100000, 1000000};

  std::printf("log_bench: median of %d openings, platform %s\n", kOpenings, qgetenv("QT_QPA_PLATFORM").constData());
  std::printf("%-10s %9s %9s %11s %9s   %s\n", "records", "open ms", "scroll ms", "RSS +MiB", "clear ms",
              "ratios to the floor (open, scroll, RSS, clear)");
  Figures floor;
  if (!Run(kFloorRecords, floor)) {
    std::fprintf(stderr, "log_bench: the floor could not be measured\n");
    return 1;
  }
  std::printf("%-10ld %9.1f %9.1f %11.1f %9.1f   (floor)\n", kFloorRecords, floor.openMs, floor.scrollMs,
              floor.growthMiB, floor.clearMs);
  int result = 0;
  std::vector<std::pair<long, Figures>> measured;
  for (const long records : sizes) {
    Figures figures;
    if (!Run(records, figures)) {
      std::fprintf(stderr, "log_bench: %ld records: the grid did not show the first and last record\n", records);
      result = 1;
      continue;
    }
    measured.emplace_back(records, figures);
    std::printf("%-10ld %9.1f %9.1f %11.1f %9.1f   %.2fx %.2fx %.2fx %.2fx\n", records, figures.openMs,
                figures.scrollMs, figures.growthMiB, figures.clearMs, Ratio(figures.openMs, floor.openMs),
                Ratio(figures.scrollMs, floor.scrollMs), Ratio(figures.growthMiB, floor.growthMiB),
                Ratio(figures.clearMs, floor.clearMs));
  }

  const auto find = [&](long records) -> const Figures* {
    for (const auto& [count, figures] : measured) {
      if (count == records) return &figures;
    }
    return nullptr;
  };
  const Figures* small = find(10000);
  const Figures* large = find(1000000);
  if (small != nullptr && large != nullptr) {
    const double flat = Ratio(large->openMs, small->openMs);
    std::printf("aim: opening at 1,000,000 within 2x of 10,000: %.2fx, %s\n", flat, flat <= 2.0 ? "met" : "NOT met");
    std::printf("aim: memory growth at 1,000,000 under 30 MB: %.1f MB, %s\n", large->growthMiB * 1.048576,
                large->growthMiB * 1.048576 < 30.0 ? "met" : "NOT met");
  }
  return result;
}
