// The whole server on the simulated loop with a scripted line, for the engine's tests: settings
// written, the main window loaded (port 1 open, init string sent), nothing started.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CallEngine.h"
#include "InProcessTerminal.h"
#include "engine/EngineTexts.h"
#include "harness/ServerHarness.h"
#include "platform/vb/Text.h"

namespace engine_test {

using testing_support::Row;

// One write to the line and the virtual moment it happened.
struct TimedWrite {
  std::int64_t atMs;
  std::string text;
};

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() {
    h.WriteDefaultSettings();
    h.form->Load();
    line().SetWriteHook([this](std::string_view bytes) {
      writes.push_back({h.loop.NowMs(), std::string(bytes)});
      const auto answer = replies.find(std::string(bytes));
      if (answer != replies.end()) line().PushInput(answer->second);
    });
    writes.clear();
  }

  comm::FakeSerialBackend& line() { return *h.fakeSerial; }
  pager::Form1& form() { return *h.form; }
  pager::CallEngine& engine() { return *h.engine; }

  // A waiting message of the company; the other fields as a submission leaves them.
  void Queue(const std::string& modem, const std::string& unit, const std::string& message,
             const std::optional<std::string>& status = std::string("N")) {
    h.Insert("Queue", Row{{"Modem", modem}, {"Unit", unit}, {"Message", message}, {"Status", status},
                          {"Sender", std::string("Intranet")}, {"Date Sent", std::string("12/07/26")},
                          {"Time Sent", std::string("2:00:00 PM")}, {"IP Address", std::string("10.0.0.7")},
                          {"User", std::string("ann")}, {"Browser", std::string("Lynx")}});
  }
  void QueueMany(const std::string& modem, int count) {
    for (int i = 1; i <= count; ++i) Queue(modem, "U" + std::to_string(i), "text " + std::to_string(i));
  }

  // Start as the operator's click runs it, at the present moment.
  void Start() { h.core->Command1_Click(); }
  void Seconds(double seconds) { h.loop.Advance(static_cast<std::int64_t>(seconds * 1000)); }
  // The terminal answers `reply` whenever exactly `written` is written.
  void ReplyTo(const std::string& written, const std::string& reply) { replies[written] = reply; }
  // A terminal that prompts for the id once after the opening returns.
  void LoginPrompts(int prompts) {
    std::string reply;
    for (int i = 0; i < prompts; ++i) reply += "\r\nID=";
    ReplyTo("\r\r", reply);
  }
  // Dials the first company and lets the modem connect at the first answer tick.
  void StartAndConnect() {
    line().PushInput("\r\nCONNECT 2400\r\n");
    Start();
    Seconds(1);
  }

  // Moments of the writes whose text is exactly `text`.
  std::vector<std::int64_t> WritesOf(const std::string& text) const {
    std::vector<std::int64_t> at;
    for (const auto& w : writes) {
      if (w.text == text) at.push_back(w.atMs);
    }
    return at;
  }
  std::vector<std::string> WrittenTexts() const {
    std::vector<std::string> texts;
    for (const auto& w : writes) texts.push_back(w.text);
    return texts;
  }
  // The TranLog Messages, with the head up to "Message: " cut off.
  std::vector<std::string> LogSentences() const {
    std::vector<std::string> sentences;
    for (const auto& row : h.TranLog()) {
      const std::string text = row.at("Message").value_or("");
      const auto at = text.find("Message: ");
      sentences.push_back(at == std::string::npos ? text : text.substr(at + 9));
    }
    return sentences;
  }
  std::vector<std::string> Column(const std::string& table, const std::string& column) const {
    std::vector<std::string> values;
    for (const auto& row : h.Rows(table)) values.push_back(row.at(column).value_or("<Null>"));
    return values;
  }
  bool EngineIdle() {
    return !form().tmrDialing.Enabled && !form().tmrSend.Enabled && !form().tmrCountdown.Enabled &&
           !form().tmrRestart.Enabled;
  }

  testing_support::ServerHarness h;
  std::vector<TimedWrite> writes;
  std::map<std::string, std::string> replies;
};

}  // namespace engine_test
