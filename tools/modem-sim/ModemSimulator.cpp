#include "modem-sim/ModemSimulator.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace modemsim {

namespace {

bool IsHangUpLine(std::string_view line) {
  std::string upper(line.substr(0, 3));
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper == "ATH" && line.find("+++") != std::string_view::npos;
}

std::string ConnectText(const std::string& speed) { return speed.empty() ? "CONNECT" : "CONNECT " + speed; }

constexpr std::size_t kMaxCommandLine = 255;
constexpr std::size_t kMaxOnlineLine = 4096;

}  // namespace

ModemSimulator::ModemSimulator(ModemConfig config)
    : config_(std::move(config)), terminal_(config_.terminal, out_) {
  ResetProfile();
}

void ModemSimulator::ResetProfile() {
  echo_ = config_.echo;
  verbose_ = true;
  quiet_ = false;
  std::fill(std::begin(registers_), std::end(registers_), 0);
  registers_[2] = '+';
  registers_[3] = '\r';
  registers_[4] = '\n';
  registers_[5] = 8;
  registers_[6] = 2;
  registers_[7] = 50;
  registers_[8] = 2;
  registers_[9] = 6;
  registers_[10] = 14;
  registers_[11] = 95;
  registers_[12] = 50;
}

void ModemSimulator::SendResult(Result result, std::string_view connectSpeed) {
  if (quiet_) return;
  static constexpr struct {
    const char* text;
    int code;
  } kResults[] = {{"OK", 0}, {"CONNECT", 1}, {"NO CARRIER", 3}, {"ERROR", 4}, {"NO DIALTONE", 6}, {"BUSY", 7}};
  const auto& entry = kResults[static_cast<int>(result)];
  if (!verbose_) {
    out_.Send(std::to_string(entry.code) + "\r");
    return;
  }
  std::string text = result == Result::Connect ? ConnectText(std::string(connectSpeed)) : entry.text;
  out_.Send("\r\n" + text + "\r\n");
}

void ModemSimulator::Receive(std::string_view bytes, std::int64_t nowMs) {
  Advance(nowMs);
  for (char raw : bytes) {
    char c = static_cast<char>(raw & 0x7f);
    switch (state_) {
      case State::Dialing:
        out_.Note(EventKind::DialAborted, nowMs_, dialed_);
        state_ = State::Command;
        ReceiveCommandByte(c, nowMs_);
        break;
      case State::Command:
      case State::OnlineCommand:
        ReceiveCommandByte(c, nowMs_);
        break;
      case State::Online:
        ReceiveOnlineByte(c, nowMs_);
        break;
    }
  }
}

void ModemSimulator::ReceiveCommandByte(char c, std::int64_t nowMs) {
  if (c == '\n') return;
  if (echo_) out_.Send(std::string_view(&c, 1));
  if (c == '\r') {
    std::string line = std::exchange(commandLine_, {});
    RunCommandLine(line, nowMs);
  } else if (c == 8 || c == 127) {
    if (!commandLine_.empty()) commandLine_.pop_back();
  } else if (commandLine_.size() < kMaxCommandLine) {
    commandLine_ += c;
  }
}

void ModemSimulator::RunCommandLine(const std::string& line, std::int64_t nowMs) {
  AtCommandLine parsed = ParseAtCommandLine(line);
  if (!parsed.isAt) return;
  out_.Note(EventKind::CommandLine, nowMs, line);
  if (parsed.malformed) {
    SendResult(Result::Error);
    return;
  }
  bool resultGiven = false;
  for (const AtCommand& command : parsed.commands) {
    if (!RunCommand(command, nowMs, resultGiven)) {
      SendResult(Result::Error);
      return;
    }
  }
  if (!resultGiven) SendResult(Result::Ok);
}

bool ModemSimulator::RunCommand(const AtCommand& command, std::int64_t nowMs, bool& resultGiven) {
  int value = command.value < 0 ? 0 : command.value;
  bool inCall = state_ == State::OnlineCommand;
  switch (command.kind) {
    case AtCommand::Kind::Dial:
      if (inCall || command.dial.empty()) return false;
      Dial(command.dial, nowMs);
      resultGiven = true;
      return true;
    case AtCommand::Kind::RegisterSet:
      registers_[command.reg] = command.value;
      return true;
    case AtCommand::Kind::RegisterQuery: {
      char text[8];
      std::snprintf(text, sizeof text, "%03d", registers_[command.reg]);
      if (!quiet_) out_.Send(std::string("\r\n") + text + "\r\n");
      return true;
    }
    case AtCommand::Kind::Ampersand:
      switch (command.name) {
        case 'F':
          if (value != 0) return false;
          if (inCall) DropCall(EventKind::HungUp, "AT&F", nowMs);
          ResetProfile();
          return true;
        case 'C': case 'D': case 'K': case 'W': case 'V':
          return true;
        default:
          return false;
      }
    case AtCommand::Kind::Basic:
      break;
  }
  switch (command.name) {
    case 'E':
      if (value > 1) return false;
      echo_ = value == 1;
      return true;
    case 'V':
      if (value > 1) return false;
      verbose_ = value == 1;
      return true;
    case 'Q':
      if (value > 1) return false;
      quiet_ = value == 1;
      return true;
    case 'H':
      if (value != 0) return false;
      if (inCall) DropCall(EventKind::HungUp, "ATH", nowMs);
      return true;
    case 'Z':
      if (value != 0) return false;
      if (inCall) DropCall(EventKind::HungUp, "ATZ", nowMs);
      ResetProfile();
      return true;
    case 'O':
      if (!inCall) return false;
      state_ = State::Online;
      lastOnlineByteMs_ = nowMs;
      plusCount_ = 0;
      out_.Note(EventKind::ResumedOnline, nowMs);
      SendResult(Result::Connect, call_.speed);
      resultGiven = true;
      return true;
    case 'I':
      if (!quiet_) out_.Send("\r\nPaging line simulator\r\n");
      return true;
    case 'L': case 'M': case 'X':
      return true;
    default:
      return false;
  }
}

void ModemSimulator::Dial(const std::string& dialText, std::int64_t nowMs) {
  dialed_ = dialText;
  call_ = config_.dialPlan.Lookup(dialText);
  dialDueMs_ = nowMs + call_.delayMs;
  state_ = State::Dialing;
  out_.Note(EventKind::Dialed, nowMs, dialText + " -> " + DescribeBehaviour(call_));
}

void ModemSimulator::FinishDial(std::int64_t nowMs) {
  switch (call_.outcome) {
    case DialOutcome::Connect:
    case DialOutcome::ConnectThenDrop:
      state_ = State::Online;
      lastOnlineByteMs_ = nowMs;
      plusCount_ = 0;
      onlineLine_.clear();
      if (call_.outcome == DialOutcome::ConnectThenDrop) dropDueMs_ = nowMs + call_.dropAfterMs;
      SendResult(Result::Connect, call_.speed);
      out_.Note(EventKind::Connected, nowMs, ConnectText(call_.speed));
      terminal_.Start(dialed_, nowMs);
      return;
    case DialOutcome::Busy:
      state_ = State::Command;
      SendResult(Result::Busy);
      out_.Note(EventKind::DialFailed, nowMs, "BUSY");
      return;
    case DialOutcome::NoCarrier:
      state_ = State::Command;
      SendResult(Result::NoCarrier);
      out_.Note(EventKind::DialFailed, nowMs, "NO CARRIER");
      return;
    case DialOutcome::NoDialtone:
      state_ = State::Command;
      SendResult(Result::NoDialtone);
      out_.Note(EventKind::DialFailed, nowMs, "NO DIALTONE");
      return;
    case DialOutcome::Silent:
      return;
  }
}

void ModemSimulator::DropCall(EventKind kind, std::string detail, std::int64_t nowMs) {
  terminal_.Stop();
  state_ = State::Command;
  dropDueMs_.reset();
  plusCount_ = 0;
  onlineLine_.clear();
  out_.Note(kind, nowMs, std::move(detail));
}

void ModemSimulator::ReceiveOnlineByte(char c, std::int64_t nowMs) {
  std::int64_t guard = GuardTimeMs();
  if (c == registers_[2]) {
    bool opens = plusCount_ == 0 && nowMs - lastOnlineByteMs_ >= guard;
    bool continues = plusCount_ > 0 && plusCount_ < 3 && nowMs - lastPlusMs_ <= guard;
    plusCount_ = opens || continues ? plusCount_ + 1 : 0;
    lastPlusMs_ = nowMs;
  } else {
    plusCount_ = 0;
  }
  lastOnlineByteMs_ = nowMs;

  if (c == '\n') return;
  if (c == '\r') {
    std::string line = std::exchange(onlineLine_, {});
    if (IsHangUpLine(line)) {
      DropCall(EventKind::HungUp, line, nowMs);
      SendResult(Result::Ok);
    } else {
      terminal_.ReceiveLine(line, nowMs);
    }
  } else if (onlineLine_.size() < kMaxOnlineLine) {
    onlineLine_ += c;
  }
}

std::optional<std::int64_t> ModemSimulator::EscapeDueMs() const {
  if (state_ != State::Online || plusCount_ != 3) return std::nullopt;
  return lastPlusMs_ + GuardTimeMs();
}

std::optional<std::int64_t> ModemSimulator::NextDueMs() const {
  std::optional<std::int64_t> due;
  auto consider = [&due](std::optional<std::int64_t> at) {
    if (at && (!due || *at < *due)) due = at;
  };
  if (state_ == State::Dialing && call_.outcome != DialOutcome::Silent) consider(dialDueMs_);
  if (state_ == State::Online || state_ == State::OnlineCommand) consider(dropDueMs_);
  consider(EscapeDueMs());
  if (state_ == State::Online) consider(terminal_.NextDueMs());
  return due;
}

void ModemSimulator::Advance(std::int64_t nowMs) {
  nowMs = std::max(nowMs, nowMs_);
  for (std::optional<std::int64_t> due = NextDueMs(); due && *due <= nowMs; due = NextDueMs()) {
    std::int64_t at = std::max(*due, nowMs_);
    nowMs_ = at;
    if (state_ == State::Dialing && *due == dialDueMs_) {
      FinishDial(at);
    } else if (dropDueMs_ && *due == *dropDueMs_ && state_ != State::Dialing && state_ != State::Command) {
      DropCall(EventKind::CarrierLost, {}, at);
      SendResult(Result::NoCarrier);
    } else if (EscapeDueMs() && *due == *EscapeDueMs()) {
      if (onlineLine_.ends_with("+++")) onlineLine_.resize(onlineLine_.size() - 3);
      plusCount_ = 0;
      state_ = State::OnlineCommand;
      out_.Note(EventKind::EscapedToCommand, at);
      SendResult(Result::Ok);
    } else {
      terminal_.Advance(at);
    }
  }
  nowMs_ = nowMs;
}

void ModemSimulator::LineClosed(std::int64_t nowMs) {
  Advance(nowMs);
  if (state_ != State::Command) DropCall(EventKind::HungUp, "line closed", nowMs_);
  commandLine_.clear();
  out_.DiscardBytes();
}

}  // namespace modemsim
