// The control's rules, over the fake backend (which these tests also pin down for the layers
// that use it).
#include "platform/comm/MSComm.h"

#include <gtest/gtest.h>

#include "platform/comm/FakeSerial.h"
#include "platform/vb/RuntimeError.h"
#include "support/ErrorNumber.h"

namespace comm {
namespace {

using testing_support::ErrorOf;

class MSCommTest : public ::testing::Test {
 protected:
  std::shared_ptr<FakeSerialBackend> backend = std::make_shared<FakeSerialBackend>();
  MSComm comm{backend};
};

TEST_F(MSCommTest, StartsClosedOnPortOneAt9600N81) {
  EXPECT_EQ(comm.CommPort(), 1);
  EXPECT_EQ(comm.Settings(), "9600,n,8,1");
  EXPECT_EQ(comm.Handshaking(), 0);
  EXPECT_FALSE(comm.PortOpen());
  EXPECT_EQ(comm.InputLen(), 0);
}

TEST_F(MSCommTest, RefusedSettersLeaveThePropertyAsItWas) {
  comm.SetCommPort(2);
  EXPECT_EQ(ErrorOf([&] { comm.SetCommPort(0); }), vb::err::kInvalidPortNumber);
  EXPECT_EQ(ErrorOf([&] { comm.SetCommPort(-1); }), vb::err::kInvalidPortNumber);
  EXPECT_EQ(ErrorOf([&] { comm.SetCommPort(3); }), vb::err::kInvalidPortNumber);
  EXPECT_EQ(comm.CommPort(), 2);

  comm.SetSettings("28800,e,7,1");
  EXPECT_EQ(ErrorOf([&] { comm.SetSettings("28000,e,7,1"); }), vb::err::kInvalidPropertyValue);
  EXPECT_EQ(comm.Settings(), "28800,e,7,1");

  comm.SetHandshaking(2);
  EXPECT_EQ(ErrorOf([&] { comm.SetHandshaking(4); }), vb::err::kInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([&] { comm.SetHandshaking(-1); }), vb::err::kInvalidPropertyValue);
  EXPECT_EQ(comm.Handshaking(), 2);

  EXPECT_EQ(ErrorOf([&] { comm.SetInputLen(-1); }), vb::err::kInvalidPropertyValue);
  EXPECT_EQ(comm.InputLen(), 0);
}

TEST_F(MSCommTest, OpensWithItsSettingsAndAppliesChangesAtOnceWhileOpen) {
  comm.SetCommPort(2);
  comm.SetSettings(" 2400 ,e,7,1");
  comm.SetHandshaking(3);
  comm.SetPortOpen(true);
  EXPECT_TRUE(comm.PortOpen());
  EXPECT_EQ(backend->OpenPort(), 2);
  EXPECT_EQ(backend->CurrentSettings(), (LineSettings{2400, 'e', 7, 1}));
  EXPECT_EQ(backend->CurrentHandshaking(), 3);
  EXPECT_EQ(comm.Settings(), " 2400 ,e,7,1");

  comm.SetSettings("56000,e,7,1");
  comm.SetHandshaking(1);
  EXPECT_EQ(backend->CurrentSettings().baud, 56000);
  EXPECT_EQ(backend->CurrentHandshaking(), 1);
  EXPECT_EQ(backend->ApplyCount(), 3);

  EXPECT_EQ(ErrorOf([&] { comm.SetCommPort(1); }), vb::err::kPortAlreadyOpen);
  EXPECT_EQ(comm.CommPort(), 2);
}

TEST_F(MSCommTest, OpenAndCloseFollowTheControlsRules) {
  comm.SetPortOpen(false);  // closing a closed port does nothing
  EXPECT_EQ(backend->CloseCount(), 0);

  comm.SetPortOpen(true);
  EXPECT_EQ(ErrorOf([&] { comm.SetPortOpen(true); }), vb::err::kPortAlreadyOpen);
  EXPECT_TRUE(comm.PortOpen());
  EXPECT_EQ(backend->OpenCount(), 1);

  comm.SetPortOpen(false);
  comm.SetPortOpen(false);
  EXPECT_FALSE(backend->IsOpen());
  EXPECT_EQ(backend->CloseCount(), 1);
  EXPECT_EQ(ErrorOf([&] { comm.Output("ATZ\r"); }), vb::err::kPortNotOpen);
  EXPECT_EQ(comm.Input(), "");

  comm.SetPortOpen(true);
  EXPECT_EQ(backend->OpenCount(), 2);
}

TEST_F(MSCommTest, FailedOpensLeaveThePortClosed) {
  backend->SetHeldByOther(1, true);
  EXPECT_EQ(ErrorOf([&] { comm.SetPortOpen(true); }), vb::err::kPortAlreadyOpen);
  EXPECT_FALSE(comm.PortOpen());
  backend->SetHeldByOther(1, false);

  backend->FailNextOpen();
  EXPECT_EQ(ErrorOf([&] { comm.SetPortOpen(true); }), vb::err::kHardwareNotAvailable);
  EXPECT_FALSE(comm.PortOpen());

  backend->SetPortExists(1, false);  // unplugged after CommPort was set
  EXPECT_EQ(ErrorOf([&] { comm.SetPortOpen(true); }), vb::err::kInvalidPortNumber);
  EXPECT_FALSE(comm.PortOpen());
  EXPECT_EQ(backend->OpenCount(), 0);

  MSComm other(backend);  // one line per backend, as with one real port
  backend->SetPortExists(1, true);
  other.SetPortOpen(true);
  EXPECT_EQ(ErrorOf([&] { comm.SetPortOpen(true); }), vb::err::kPortAlreadyOpen);
}

TEST_F(MSCommTest, OutputIsRecordedWriteByWrite) {
  comm.SetPortOpen(true);
  comm.Output("ATDT555\r");
  comm.Output("");
  comm.Output("ATH+++\r");
  EXPECT_EQ(backend->Written(), "ATDT555\rATH+++\r");
  EXPECT_EQ(backend->Writes(), (std::vector<std::string>{"ATDT555\r", "", "ATH+++\r"}));
  EXPECT_EQ(backend->TakeWritten(), "ATDT555\rATH+++\r");
  EXPECT_EQ(backend->Written(), "");
  EXPECT_TRUE(backend->Writes().empty());
}

TEST_F(MSCommTest, InputTakesAllThatArrivedOrAtMostInputLen) {
  backend->PushInput("waits while closed");
  comm.SetPortOpen(true);
  EXPECT_EQ(comm.Input(), "waits while closed");
  EXPECT_EQ(comm.Input(), "");

  backend->PushInput("CONNECT 2400\r\n");
  comm.SetInputLen(7);
  EXPECT_EQ(comm.Input(), "CONNECT");
  backend->PushInput("ID=");
  EXPECT_EQ(comm.Input(), " 2400\r\n");
  comm.SetInputLen(0);
  EXPECT_EQ(comm.Input(), "ID=");

  backend->PushInput("unread");
  comm.SetInputLen(2);
  EXPECT_EQ(comm.Input(), "un");
  comm.SetPortOpen(false);  // closing drops what was not taken
  comm.SetPortOpen(true);
  EXPECT_EQ(comm.Input(), "");
}

TEST_F(MSCommTest, AWriteHookCanAnswerLikeAModem) {
  backend->SetWriteHook([this](std::string_view written) {
    if (written == "AT\r") backend->PushInput("OK\r\n");
  });
  comm.SetPortOpen(true);
  comm.Output("AT\r");
  EXPECT_EQ(comm.Input(), "OK\r\n");
}

TEST_F(MSCommTest, SendTimeIsTheCharactersFramedBitsAtTheRateRoundedUp) {
  comm.SetSettings("2400,e,7,1");
  EXPECT_EQ(comm.SendTimeMs(240), 1000);  // ten bits a character
  EXPECT_EQ(comm.SendTimeMs(1), 5);
  EXPECT_EQ(comm.SendTimeMs(0), 0);
  comm.SetSettings("110,n,8,2");
  EXPECT_EQ(comm.SendTimeMs(1'000'000), 100'000'000);  // eleven bits
}

// A line that takes nothing (flow control held off, or far slower than the writer): what
// was written is counted as queued, the hook sees it only when it leaves, in order.
TEST_F(MSCommTest, HeldOutputIsQueuedUntilItLeavesOrIsDiscarded) {
  EXPECT_EQ(comm.OutBufferCount(), 0u);
  EXPECT_TRUE(comm.WaitOutputSent(100)) << "closed: nothing to send";
  std::vector<std::string> left;
  backend->SetWriteHook([&](std::string_view bytes) { left.emplace_back(bytes); });
  comm.SetPortOpen(true);
  comm.Output("ATDT1\r");
  backend->HoldOutput(true);
  comm.Output("page\r");
  comm.Output("ATH+++\r");
  EXPECT_EQ(comm.OutBufferCount(), 12u);
  EXPECT_FALSE(comm.WaitOutputSent(1000));
  EXPECT_EQ(backend->HeldOutput(), "page\rATH+++\r");
  EXPECT_EQ(left, std::vector<std::string>{"ATDT1\r"});
  backend->HoldOutput(false);
  EXPECT_EQ(left, (std::vector<std::string>{"ATDT1\r", "page\r", "ATH+++\r"}));
  EXPECT_EQ(comm.OutBufferCount(), 0u);
  EXPECT_TRUE(comm.WaitOutputSent(0));

  backend->HoldOutput(true);
  comm.Output("dropped\r");
  comm.DiscardOutput();
  EXPECT_EQ(comm.OutBufferCount(), 0u);
  // Closing lets what is queued leave, as a device drains before it lets go.
  comm.Output("drained at close\r");
  comm.SetPortOpen(false);
  backend->HoldOutput(false);
  EXPECT_EQ(backend->Written(), "ATDT1\rpage\rATH+++\rdrained at close\r");

  comm.SetPortOpen(true);
  backend->SetVanished(true);
  EXPECT_EQ(ErrorOf([&] { comm.OutBufferCount(); }), vb::err::kDeviceIOError);
}

TEST_F(MSCommTest, AVanishedDeviceRaisesButCanStillBeClosed) {
  comm.SetPortOpen(true);
  backend->FailNextWrite();
  EXPECT_EQ(ErrorOf([&] { comm.Output("lost\r"); }), vb::err::kDeviceIOError);
  EXPECT_EQ(backend->Written(), "");
  comm.Output("kept\r");  // one-shot
  EXPECT_EQ(backend->Written(), "kept\r");

  backend->FailNextRead();
  EXPECT_EQ(ErrorOf([&] { comm.Input(); }), vb::err::kErrorReadingCommDevice);

  backend->SetVanished(true);
  EXPECT_EQ(ErrorOf([&] { comm.Input(); }), vb::err::kErrorReadingCommDevice);
  EXPECT_EQ(ErrorOf([&] { comm.Output("x"); }), vb::err::kDeviceIOError);
  EXPECT_TRUE(comm.PortOpen());
  comm.SetPortOpen(false);
  EXPECT_FALSE(comm.PortOpen());
  EXPECT_EQ(backend->CloseCount(), 1);
}

TEST_F(MSCommTest, DestroyingTheControlReleasesThePort) {
  {
    MSComm scoped(backend);
    scoped.SetPortOpen(true);
  }
  EXPECT_FALSE(backend->IsOpen());
  EXPECT_EQ(backend->CloseCount(), 1);
}

}  // namespace
}  // namespace comm
