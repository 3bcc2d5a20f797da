// The paging terminal behind the modem, in manual entry mode. It works line by line: the modem
// hands it each line the caller ended with a carriage return (line feeds dropped).
//
// The dialogue:
//   login:   each line before "M" is answered with the ID prompt, as many times as configured
//            (TerminalConfig::idPrompts); "M" (blanks and case aside) selects manual entry and
//            is answered with the pager-id prompt. With idRepeatMs set, the ID prompt also comes
//            by itself every idRepeatMs after the carrier came up, until "M".
//   unit:    a known unit (or any non-empty one when no list is set) is answered with the
//            message prompt; an unknown one with the rejection line and the pager-id prompt
//            again; an empty line with the pager-id prompt again.
//   message: the line, exactly as typed, is the page: it is recorded, and answered with the
//            acceptance line and the pager-id prompt.
// With echo on, every line comes back as typed, followed by CR LF, before the answer. Each
// prompt and answer line is sent as CR LF and its text, without a line end of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "modem-sim/SimConfig.h"
#include "modem-sim/SimEvents.h"

namespace modemsim {

class PagingTerminal {
 public:
  PagingTerminal(const TerminalConfig& config, LineOutput& out);

  enum class Step { Off, Login, Unit, Message };
  Step CurrentStep() const { return step_; }

  // The carrier came up on a call to the dial text; the terminal waits for the caller's login.
  void Start(std::string dialed, std::int64_t nowMs);
  // The carrier went down; the terminal forgets the call.
  void Stop() { step_ = Step::Off; }

  // One line from the caller (without its carriage return). Ignored while Off.
  void ReceiveLine(std::string_view line, std::int64_t nowMs);

  // Sends the ID prompts that fell due up to nowMs (one, however many were missed).
  void Advance(std::int64_t nowMs);
  // When Advance next has something to do; nullopt when nothing is scheduled.
  std::optional<std::int64_t> NextDueMs() const;

 private:
  void SendLine(std::string_view text) const;
  void PromptId(std::int64_t nowMs);
  bool IsKnown(std::string_view unit) const;

  TerminalConfig config_;
  LineOutput& out_;
  Step step_ = Step::Off;
  std::string dialed_;
  std::string unit_;
  int idPromptsAnswered_ = 0;
  std::int64_t nextRepeatMs_ = 0;
};

}  // namespace modemsim
