#include "modem-sim/SimulatorShell.h"

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iostream>

namespace modemsim {

namespace {

std::int64_t MonotonicMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

std::string Visible(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 32 || c == 127) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned char>(c));
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

SimulatorShell::SimulatorShell(ModemSimulator& modem, PtyLine& line, const PageLog* pages, std::ostream* trace)
    : modem_(modem), line_(line), pages_(pages), trace_(trace), startMs_(MonotonicMs()) {}

std::int64_t SimulatorShell::NowMs() const { return MonotonicMs() - startMs_; }

void SimulatorShell::Trace(std::int64_t atMs, const char* direction, std::string_view text) const {
  if (trace_ == nullptr) return;
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "[%8.3f] ", static_cast<double>(atMs) / 1000.0);
  *trace_ << stamp << direction << ' ' << text << std::endl;
}

void SimulatorShell::RunOnce(int maxWaitMs, const sigset_t* waitMask) {
  std::int64_t wait = maxWaitMs;
  if (std::optional<std::int64_t> due = modem_.NextDueMs()) wait = std::clamp<std::int64_t>(*due - NowMs(), 0, wait);

  LineActivity activity = line_.Wait(static_cast<int>(wait), waitMask);
  std::int64_t now = NowMs();
  if (activity.opened) Trace(now, "--", "port opened");
  if (!activity.received.empty()) {
    Trace(now, "<<", Visible(activity.received));
    modem_.Receive(activity.received, now);
  }
  if (activity.closed) {
    Trace(now, "--", "port closed; the line is now " + line_.SlavePath());
    modem_.LineClosed(now);
  }
  modem_.Advance(now);
  Deliver(now);
}

void SimulatorShell::Deliver(std::int64_t nowMs) {
  for (const ModemEvent& event : modem_.TakeEvents()) {
    std::string text(EventName(event.kind));
    if (!event.detail.empty()) text += ": " + Visible(event.detail);
    Trace(event.atMs, "--", text);
  }
  std::string answer = modem_.TakeOutput();
  if (!answer.empty()) {
    if (line_.PeerOpen()) {
      Trace(nowMs, ">>", Visible(answer));
      line_.Write(answer);
    } else {
      Trace(nowMs, "xx", Visible(answer) + " (port closed, dropped)");
    }
  }
  const std::vector<AcceptedPage>& pages = modem_.Pages();
  for (; pagesLogged_ < pages.size(); ++pagesLogged_) {
    if (pages_ != nullptr && !pages_->Append(pages[pagesLogged_], std::time(nullptr))) {
      std::cerr << "modem-sim: cannot append to " << pages_->Path() << std::endl;
    }
  }
}

}  // namespace modemsim
