#include "modem-sim/PagingTerminal.h"

#include <algorithm>

namespace modemsim {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

PagingTerminal::PagingTerminal(const TerminalConfig& config, LineOutput& out) : config_(config), out_(out) {}

void PagingTerminal::Start(std::string dialed, std::int64_t nowMs) {
  step_ = Step::Login;
  dialed_ = std::move(dialed);
  unit_.clear();
  idPromptsAnswered_ = 0;
  nextRepeatMs_ = nowMs + config_.idRepeatMs;
}

void PagingTerminal::SendLine(std::string_view text) const {
  out_.Send("\r\n");
  out_.Send(text);
}

void PagingTerminal::PromptId(std::int64_t nowMs) {
  SendLine(config_.idPrompt);
  out_.Note(EventKind::IdPrompted, nowMs);
}

bool PagingTerminal::IsKnown(std::string_view unit) const {
  if (unit.empty()) return false;
  if (config_.knownUnits.empty()) return true;
  return std::find(config_.knownUnits.begin(), config_.knownUnits.end(), unit) != config_.knownUnits.end();
}

void PagingTerminal::ReceiveLine(std::string_view line, std::int64_t nowMs) {
  if (step_ == Step::Off) return;
  if (config_.echo) {
    out_.Send(line);
    out_.Send("\r\n");
  }
  std::string_view trimmed = TrimBlanks(line);
  switch (step_) {
    case Step::Off:
      return;
    case Step::Login:
      if (trimmed == "M" || trimmed == "m") {
        step_ = Step::Unit;
        SendLine(config_.unitPrompt);
      } else if (config_.idPrompts == TerminalConfig::kEveryLine || idPromptsAnswered_ < config_.idPrompts) {
        ++idPromptsAnswered_;
        PromptId(nowMs);
      }
      return;
    case Step::Unit:
      if (trimmed.empty()) {
        SendLine(config_.unitPrompt);
      } else if (IsKnown(trimmed)) {
        unit_ = std::string(trimmed);
        step_ = Step::Message;
        SendLine(config_.messagePrompt);
      } else {
        out_.Note(EventKind::UnitRejected, nowMs, std::string(trimmed));
        SendLine(config_.rejectLine);
        SendLine(config_.unitPrompt);
      }
      return;
    case Step::Message:
      out_.Record({dialed_, unit_, std::string(line), nowMs});
      out_.Note(EventKind::PageAccepted, nowMs, unit_ + ": " + std::string(line));
      step_ = Step::Unit;
      SendLine(config_.acceptLine);
      SendLine(config_.unitPrompt);
      return;
  }
}

std::optional<std::int64_t> PagingTerminal::NextDueMs() const {
  if (step_ != Step::Login || config_.idRepeatMs <= 0) return std::nullopt;
  return nextRepeatMs_;
}

void PagingTerminal::Advance(std::int64_t nowMs) {
  std::optional<std::int64_t> due = NextDueMs();
  if (!due || *due > nowMs) return;
  PromptId(*due);
  // Prompts missed while the modem was not passing data are not made up for.
  while (nextRepeatMs_ <= nowMs) nextRepeatMs_ += config_.idRepeatMs;
}

}  // namespace modemsim
