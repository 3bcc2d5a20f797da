// The modem answer reader: the keywords and their effects, rejected units, the ID count, and
// the server's own lines echoed back by the terminal.
#include "EngineFixture.h"

namespace engine_test {
namespace {

class AnswerReaderTest : public EngineTest {
 protected:
  // Dialing the first of two companies, with `rows` waiting messages.
  void Dialing(int rows = 2) {
    QueueMany("5550100", rows);
    QueueMany("5550200", 1);
    Start();
    writes.clear();
  }
  void Read(const std::string& chunk) {
    line().PushInput(chunk);
    Seconds(1);
  }
};

TEST_F(AnswerReaderTest, ClosedPortChangesNothingAndAnEmptyReadBlanksTheTerminalLabel) {
  form().MSComm1.SetPortOpen(false);
  form().Label1.Caption = "kept";
  line().PushInput("CONNECT");
  engine().Timer1_Timer();
  EXPECT_EQ(form().Label1.Caption.get(), "kept");
  EXPECT_FALSE(form().tmrSend.Enabled);

  form().MSComm1.SetPortOpen(true);
  line().ClearInput();
  engine().Timer1_Timer();
  EXPECT_EQ(form().Label1.Caption.get(), "");
}

struct FailureAnswer {
  const char* chunk;
  const char* status;
  const char* reason;
};

class FailureAnswerTest : public AnswerReaderTest, public ::testing::WithParamInterface<FailureAnswer> {};

TEST_P(FailureAnswerTest, FailsTheCompanyHangsUpAndPauses) {
  Dialing();
  Seconds(2);
  Read(GetParam().chunk);
  EXPECT_EQ(form().Label1.Caption.get(), vb::Trim(GetParam().chunk));
  EXPECT_EQ(form().lblStatus.Caption.get(), GetParam().status);
  EXPECT_FALSE(form().tmrDialing.Enabled);
  EXPECT_TRUE(form().tmrCountdown.Enabled);
  EXPECT_FALSE(form().MSComm1.PortOpen());
  EXPECT_EQ(WrittenTexts(), std::vector<std::string>{"ATH+++\r"});
  EXPECT_EQ(h.m.intDialSecs.value(), 0);
  const std::string tail = std::string(" was not sent because paging company ") + GetParam().reason;
  EXPECT_EQ(LogSentences(), (std::vector<std::string>{"text 1 to unit U1" + tail, "text 2 to unit U2" + tail}));
  EXPECT_EQ(Column("Temp", "Unit"), (std::vector<std::string>{"U1", "U2"}));
}

INSTANTIATE_TEST_SUITE_P(Answers, FailureAnswerTest,
                         ::testing::Values(FailureAnswer{"BUSY", "Paging Company Is Busy", "was busy."},
                                           FailureAnswer{"\r\nNO CARRIER\r\n", "Carrier has been lost", "carrier was lost."},
                                           FailureAnswer{"NO DIALTONE", "There's no dialtone on the line",
                                                         "was not reached. No dialtone."}));

TEST_F(AnswerReaderTest, KeywordsMatchOnlyInTheirExactCase) {
  Dialing();
  Read("busy Busy connect Connect no carrier No Dialtone");
  EXPECT_TRUE(form().tmrDialing.Enabled);
  EXPECT_FALSE(form().tmrSend.Enabled);
  EXPECT_EQ(h.CountRows("TranLog"), 0);
  // Capital INVALID is no rejection but holds "ID".
  Read("INVALID");
  EXPECT_EQ(h.CountRows("TranLog"), 0);
  EXPECT_EQ(h.m.intIDCount.value(), 1);
}

TEST_F(AnswerReaderTest, ConnectAndIdInOneChunkStartTheDialogueWithOnePromptCounted) {
  Dialing();
  const int toCall = h.m.intToCall.value();
  Read("\r\nCONNECT 2400\r\nID= ID=");
  EXPECT_TRUE(form().tmrSend.Enabled);
  EXPECT_FALSE(form().tmrDialing.Enabled);
  EXPECT_EQ(h.m.intIDCount.value(), 1);
  EXPECT_EQ(h.m.intToCall.value(), toCall - 1);
  EXPECT_EQ(form().lblStatus.Caption.get(), "Connected to paging company");
}

TEST_F(AnswerReaderTest, CountersAtTheSixteenBitLimitStayThereInsteadOfStoppingTheReader) {
  Dialing();
  h.m.intIDCount = 32767;
  h.m.intToCall = -32768;
  Read("CONNECT");
  Read("ID=");
  h.m.intIDCount = 32767;
  h.m.intPending = -32768;
  Read("ID= invalid");
  EXPECT_EQ(h.m.intIDCount.value(), 32767);
  EXPECT_EQ(h.m.intToCall.value(), -32768);
  EXPECT_EQ(h.m.intPending.value(), -32768);
  EXPECT_EQ(h.CountRows("TranLog"), 1) << "the rejection was still handled";
}

TEST_F(AnswerReaderTest, BusyAndNoCarrierInOneChunkFailEachMessageOnce) {
  Dialing();
  Read("BUSY\r\nNO CARRIER");
  EXPECT_EQ(h.CountRows("Temp"), 2);
  EXPECT_EQ(h.CountRows("TranLog"), 2);
  EXPECT_EQ(LogSentences()[0], "text 1 to unit U1 was not sent because paging company was busy.");
  EXPECT_EQ(form().lblStatus.Caption.get(), "Carrier has been lost");
  EXPECT_EQ(WrittenTexts(), std::vector<std::string>{"ATH+++\r"});
}

TEST_F(AnswerReaderTest, TwoRejectionsInOneChunkSkipTwoRowsAndTheDialogueGoesOnWithTheThird) {
  LoginPrompts(1);
  // The second row came in scheduled with Status "Y": passed over unoffered, it still waits.
  Queue("5550100", "U1", "text 1");
  Queue("5550100", "U2", "text 2", std::string("Y"));
  Queue("5550100", "U3", "text 3");
  QueueMany("5550200", 1);
  Start();
  writes.clear();
  Read("CONNECT");
  const std::int64_t connect = h.loop.NowMs();
  Seconds(8.5);  // the unit of row 1 went out at tick 8
  const int pending = h.m.intPending.value();
  Read("Invalid pager, invalid unit");
  EXPECT_EQ(h.m.intPending.value(), pending - 2);
  EXPECT_EQ(form().lblStatus.Caption.get(), "Invalid paging unit detected");
  const std::string rejected = "text 1... was not sent because paging unit U1 is invalid.";
  EXPECT_EQ(LogSentences(), (std::vector<std::string>{rejected, rejected}));
  EXPECT_EQ(Column("TranLog", "Paging Unit"), (std::vector<std::string>{"U1", "U2"}));
  Seconds(5);
  EXPECT_EQ(WritesOf("U3\r"), std::vector<std::int64_t>{connect + 11000}) << "next step 3 ticks after the read";
  EXPECT_TRUE(WritesOf("text 1\r").empty());
  EXPECT_EQ(WritesOf("text 3\r"), std::vector<std::int64_t>{connect + 14000});
  // U1's own unit was refused: it leaves Queue at the end of the list. The second refusal came
  // for a row whose unit never went out: that row waits for the next cycle.
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return form().tmrRestart.Enabled.get(); }, 200000, 1000));
  EXPECT_EQ(Column("Queue", "Unit"), std::vector<std::string>{"U2"});
}

TEST_F(AnswerReaderTest, RejectionOnTheLastRowEndsTheCall) {
  LoginPrompts(1);
  Dialing(1);
  Read("CONNECT");
  Seconds(8.5);
  Read("Unit not valid");
  EXPECT_EQ(form().lblStatus.Caption.get(), "Not Online");
  EXPECT_FALSE(form().tmrSend.Enabled);
  EXPECT_TRUE(form().tmrCountdown.Enabled);
  EXPECT_EQ(WritesOf("ATH+++\r").size(), 1u);
  EXPECT_EQ(Column("Queue", "Status")[0], "N");
}

TEST_F(AnswerReaderTest, RejectionWithNoCurrentRowLogsAndSkipsNothing) {
  LoginPrompts(1);
  Dialing(1);
  Read("CONNECT");
  Seconds(11.5);  // the text went out at tick 11; the rows are at their end
  Read("invalid");
  EXPECT_EQ(form().lblStatus.Caption.get(), "Invalid paging unit detected");
  EXPECT_EQ(LogSentences(), std::vector<std::string>{"text 1 for unit U1 was sent successfully."});
  Seconds(2);
  EXPECT_EQ(form().lblStatus.Caption.get(), "Not Online");
}

// Terminals in manual mode echo every line; a page whose text holds the keywords must neither
// fail the company nor skip a message.
TEST_F(AnswerReaderTest, EchoOfTheServersOwnLinesIsNotTakenForAnAnswer) {
  const std::string page = "BUSY? NO CARRIER, invalid ID, not valid, NO DIALTONE CONNECT";
  QueueMany("5550100", 0);
  Queue("5550100", "ID", page);
  Queue("5550100", "U2", "second");
  LoginPrompts(1);
  ReplyTo("ID\r", "ID\r\n\r\nEnter message:");
  ReplyTo(page + "\r", page + "\r\n\r\nPage accepted\r\nEnter pager number:");
  ReplyTo("U2\r", "U2\r\n\r\nInvalid pager ID\r\nEnter pager number:");
  StartAndConnect();
  Seconds(12);  // the page went out at tick 11, its echo is read at 12
  EXPECT_EQ(form().Label1.Caption.get(), page + "\r\n\r\nPage accepted\r\nEnter pager number:")
      << "the terminal window shows the chunk as it came";
  EXPECT_TRUE(form().tmrSend.Enabled);
  Seconds(3);
  EXPECT_EQ(h.CountRows("Temp"), 0);
  // The terminal's own rejection of U2 is still read.
  EXPECT_EQ(LogSentences(), (std::vector<std::string>{page + " for unit ID was sent successfully.",
                                                      "second... was not sent because paging unit U2 is invalid."}));
  EXPECT_FALSE(form().tmrSend.Enabled);
}

// A line whose echo had not come yet when the operator stopped is not awaited by the next
// Start's dial: the modem's prompt answer is read.
TEST_F(AnswerReaderTest, AfterAStopTheNextDialAwaitsNoLineOfTheStoppedCall) {
  Queue("5550100", "U1", "BUSY");
  LoginPrompts(1);
  StartAndConnect();
  Seconds(11);  // the page went out at tick 11, right after the reader's read
  ASSERT_EQ(WritesOf("BUSY\r").size(), 1u);
  h.core->Command2_Click();
  Queue("5550100", "U1", "second");
  line().PushInput("\r\nBUSY\r\n");
  Start();
  Seconds(1);
  EXPECT_EQ(form().lblStatus.Caption.get(), "Paging Company Is Busy");
  EXPECT_EQ(LogSentences().back(), "second to unit U1 was not sent because paging company was busy.");
}

// A keyword split between two reads is found at the second; one found at the first is not
// found again in the tail kept from it.
TEST_F(AnswerReaderTest, KeywordsSplitBetweenReadsAreFoundOnce) {
  LoginPrompts(1);
  Dialing(3);
  Read("\r\nCONN");
  EXPECT_FALSE(form().tmrSend.Enabled);
  Read("ECT 2400\r\n");
  EXPECT_TRUE(form().tmrSend.Enabled);
  EXPECT_EQ(h.m.intToCall.value(), 1);
  Read("\r\nI");
  Read("D=");
  Read("");
  EXPECT_EQ(h.m.intIDCount.value(), 1);
  Seconds(8);  // the first page went out at tick 11
  ASSERT_EQ(LogSentences().size(), 1u);
  Read("\r\nNO CAR");
  Read("RIER\r\n");
  EXPECT_EQ(form().lblStatus.Caption.get(), "Carrier has been lost");
  EXPECT_EQ(Column("Temp", "Unit"), (std::vector<std::string>{"U2", "U3"}));
  Seconds(10);
  EXPECT_EQ(WritesOf("text 2\r").size(), 0u);
}

// A refusal read while dialling ends the call: the dial time-out stops with it, and the next
// company gets its whole time-out.
TEST_F(AnswerReaderTest, ARefusalWhileDiallingStopsTheDialTimeOut) {
  Queue("5550100", "U1", "text 1");
  Queue("5550200", "U2", "text 2");
  Start();
  Seconds(10.5);
  Read("\r\nInvalid pager ID\r\n");
  EXPECT_FALSE(form().tmrDialing.Enabled);
  EXPECT_EQ(h.m.intDialSecs.value(), 0);
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return !WritesOf("ATDT5550200\r").empty(); }, 20000, 100));
  const std::int64_t dialled = WritesOf("ATDT5550200\r")[0];
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return form().lblStatus.Caption.get() == "Paging Company did not answer"; }, 60000, 100));
  EXPECT_GE(h.loop.NowMs() - dialled, 44000) << "the time-out is 45 s";
}

}  // namespace
}  // namespace engine_test
