// The real backend over pseudo-terminals: the test plays the modem on the master side.
#include "platform/comm/TermiosBackend.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/comm/ExactRate.h"
#include "platform/comm/MSComm.h"
#include "platform/vb/RuntimeError.h"
#include "support/ErrorNumber.h"
#include "support/PseudoTerminal.h"
#include "support/TempFolder.h"

namespace comm {
namespace {

using testing_support::ErrorOf;
using testing_support::PseudoTerminal;
using testing_support::TempFolder;

// Waits until bytes the master sent have reached the slave's input.
void WaitReadable(int slaveFd) {
  pollfd watch{slaveFd, POLLIN, 0};
  ASSERT_EQ(poll(&watch, 1, 2000), 1);
}

class TermiosBackendTest : public ::testing::Test {
 protected:
  TermiosBackendTest() {
    backend->SetLockFolders({locks.Path()});
    pty.LinkInto(program.Path(), 1);
  }

  // A control on port 1 (the pseudo-terminal), open with the given settings.
  std::unique_ptr<MSComm> OpenControl(const std::string& settings = "9600,e,7,1",
                                      int handshaking = 0) {
    auto control = std::make_unique<MSComm>(backend);
    control->SetCommPort(1);
    control->SetSettings(settings);
    control->SetHandshaking(handshaking);
    control->SetPortOpen(true);
    return control;
  }

  std::string SlaveName() const { return std::filesystem::path(pty.SlavePath()).filename(); }

  TempFolder program;
  TempFolder locks;
  PseudoTerminal pty;
  std::shared_ptr<TermiosBackend> backend = std::make_shared<TermiosBackend>(program.Path());
};

TEST_F(TermiosBackendTest, PortNIsComNInTheFolderInAnyCaseElseTtyS) {
  pty.LinkInto(program.Path(), "COM2");
  EXPECT_EQ(backend->DevicePath(2), program.PathOf("COM2"));
  EXPECT_EQ(backend->DevicePath(3), "/dev/ttyS2");
  EXPECT_EQ(backend->DevicePath(0), "");
  backend->CheckPort(2);

  MSComm control(backend);
  control.SetCommPort(2);
  control.SetPortOpen(true);
  EXPECT_TRUE(control.PortOpen());

  EXPECT_EQ(ErrorOf([&] { backend->CheckPort(0); }), vb::err::kInvalidPortNumber);
  EXPECT_EQ(ErrorOf([&] { backend->CheckPort(-3); }), vb::err::kInvalidPortNumber);
  bool hasTtyS1 = std::filesystem::exists("/dev/ttyS1");
  EXPECT_EQ(ErrorOf([&] { backend->CheckPort(2000); }), vb::err::kInvalidPortNumber);
  program.Remove("COM2");
  EXPECT_EQ(ErrorOf([&] { backend->CheckPort(2); }), hasTtyS1 ? 0 : vb::err::kInvalidPortNumber);

  // A link to a device that is gone does not fall back to the machine's own port.
  std::filesystem::create_symlink(program.PathOf("nowhere"), program.PathOf("Com5"));
  EXPECT_EQ(ErrorOf([&] { backend->CheckPort(5); }), vb::err::kInvalidPortNumber);
  EXPECT_EQ(ErrorOf([&] { backend->Open(5, {}, 0); }), vb::err::kInvalidPortNumber);

  program.Write("com6", "not a terminal");
  EXPECT_EQ(ErrorOf([&] { backend->Open(6, {}, 0); }), vb::err::kHardwareNotAvailable);
}

TEST_F(TermiosBackendTest, TheLineIsRawSevenBitAndTakesEveryRate) {
  int slave = pty.HoldSlave();
  auto control = OpenControl("19200,e,7,1", 2);
  termios t{};
  ASSERT_EQ(tcgetattr(slave, &t), 0);
  EXPECT_EQ(cfgetospeed(&t), B19200);
  EXPECT_EQ(cfgetispeed(&t), B19200);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | IXON | IXOFF), 0u);
  EXPECT_NE(t.c_iflag & ISTRIP, 0u);
  EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD | HUPCL | CRTSCTS), CLOCAL | CREAD | HUPCL | CRTSCTS);
  EXPECT_EQ(t.c_cflag & CSTOPB, 0u);
  // Even parity: a pseudo-terminal drops PARENB but keeps PARODD, which must be clear.
  EXPECT_EQ(t.c_cflag & PARODD, 0u);
  EXPECT_EQ(t.c_cc[VMIN], 0);
  EXPECT_EQ(t.c_cc[VTIME], 0);

  for (int rate : {110, 14400, 28800, 56000, 128000, 256000, 115200, 9600}) {
    control->SetSettings(std::to_string(rate) + ",e,7,1");
    EXPECT_EQ(detail::ReadExactRate(slave), rate) << rate;
    EXPECT_EQ(detail::ReadExactRate(slave, true), rate) << rate;
  }
  control->SetSettings("9600,e,7,1");  // the same settings again are no error

  control->SetHandshaking(1);
  ASSERT_EQ(tcgetattr(slave, &t), 0);
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF), IXON | IXOFF);
  EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);

  control->SetSettings("9600,n,8,2");
  ASSERT_EQ(tcgetattr(slave, &t), 0);
  EXPECT_EQ(t.c_iflag & ISTRIP, 0u);
  EXPECT_NE(t.c_cflag & CSTOPB, 0u);
}

TEST_F(TermiosBackendTest, BytesPassBothWaysUntranslatedAndInputIsStrippedToSevenBits) {
  int slave = pty.HoldSlave();
  auto control = OpenControl();
  EXPECT_EQ(control->Input(), "");

  control->Output("ATDT555\r");
  control->Output("line\n");
  EXPECT_EQ(pty.ReadUntil("line\n"), "ATDT555\rline\n");

  ASSERT_TRUE(pty.Write("CONNECT 2400\r\n\xC1\xE2"));
  WaitReadable(slave);
  std::string received;
  for (int reads = 0; reads < 1000 && received.size() < 16; ++reads) {
    received += control->Input();
    if (received.size() < 16) WaitReadable(slave);
  }
  EXPECT_EQ(received, "CONNECT 2400\r\nAb");
  EXPECT_EQ(control->Input(), "");
}

TEST_F(TermiosBackendTest, LargeOutputReturnsAtOnceAndArrivesWholeAndInOrder) {
  std::string text(200 * 1024, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>(i % 251);
  auto control = OpenControl("256000,n,8,1");

  auto started = std::chrono::steady_clock::now();
  control->Output(text);  // nobody reads the master yet: far more than the line holds
  control->Output("end");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));

  std::string received;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (received.size() < text.size() + 3 && std::chrono::steady_clock::now() < deadline) {
    control->Input();  // each call moves on what is still pending
    received += pty.Read(100);
  }
  ASSERT_EQ(received.size(), text.size() + 3);
  EXPECT_TRUE(received == text + "end");
}

// A pseudo-terminal does not pace its output: left unread, it takes a few kilobytes and then
// refuses more, as a slow line would.
TEST_F(TermiosBackendTest, OutputTheLineHasNotTakenIsCountedUntilItLeavesOrIsDropped) {
  auto control = OpenControl("300,e,7,1");
  EXPECT_EQ(control->OutBufferCount(), 0u);
  const std::string page(64 * 1024, 'p');
  control->Output(page);
  const std::size_t queued = control->OutBufferCount();
  EXPECT_GT(queued, 0u);
  EXPECT_LT(queued, page.size());
  auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(control->WaitOutputSent(50));
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(50));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));

  std::string received;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (received.size() < page.size() && std::chrono::steady_clock::now() < deadline) {
    control->OutBufferCount();  // moves on what the control kept
    received += pty.Read(100);
  }
  EXPECT_EQ(received.size(), page.size());
  EXPECT_TRUE(control->WaitOutputSent(1000));

  // Dropped output: the next text follows at most what the terminal had already taken.
  control->Output(page);
  control->DiscardOutput();
  EXPECT_EQ(control->OutBufferCount(), 0u);
  control->Output("ATH+++\r");
  received = pty.ReadUntil("ATH+++\r");
  EXPECT_LT(received.size(), page.size());
  EXPECT_EQ(received.substr(received.size() - 7), "ATH+++\r");
}

TEST_F(TermiosBackendTest, APortThatIsOpenAlreadyGives8005) {
  auto first = OpenControl();
  MSComm second(backend);
  second.SetCommPort(1);
  EXPECT_EQ(ErrorOf([&] { second.SetPortOpen(true); }), vb::err::kPortAlreadyOpen);
  EXPECT_FALSE(second.PortOpen());

  first->SetPortOpen(false);
  second.SetPortOpen(true);
  EXPECT_TRUE(second.PortOpen());
}

TEST_F(TermiosBackendTest, ALiveUucpLockGives8005AndAStaleOneIsIgnored) {
  MSComm control(backend);
  char ascii[16];
  std::snprintf(ascii, sizeof ascii, "%10d\n", static_cast<int>(getppid()));
  locks.Write("LCK.." + SlaveName(), ascii);
  EXPECT_EQ(ErrorOf([&] { control.SetPortOpen(true); }), vb::err::kPortAlreadyOpen);

  int self = getpid();
  locks.Write("LCK.." + SlaveName(), std::string(reinterpret_cast<char*>(&self), sizeof self));
  EXPECT_EQ(ErrorOf([&] { control.SetPortOpen(true); }), vb::err::kPortAlreadyOpen);
  EXPECT_FALSE(control.PortOpen());

  pid_t child = fork();
  if (child == 0) _exit(0);
  ASSERT_EQ(waitpid(child, nullptr, 0), child);
  std::snprintf(ascii, sizeof ascii, "%10d\n", static_cast<int>(child));
  locks.Write("LCK.." + SlaveName(), ascii);
  locks.Write("LCK..com1", ascii);  // the link's own name is not the device's
  control.SetPortOpen(true);
  EXPECT_TRUE(control.PortOpen());
}

// A lock whose owner runs under another user is live although this user may not signal it.
// scripts/test runs this as an ordinary user; the super-user may signal every process.
TEST_F(TermiosBackendTest, ALockOfAnotherUsersLiveProcessGives8005ForAnOrdinaryUser) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
  int owner = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const int pid = std::stoi(name);
    if (::kill(pid, 0) != 0 && errno == EPERM) {
      owner = pid;
      break;
    }
  }
  if (owner == 0) GTEST_SKIP() << "no process of another user to be seen";
  char ascii[16];
  std::snprintf(ascii, sizeof ascii, "%10d\n", owner);
  locks.Write("LCK.." + SlaveName(), ascii);
  MSComm control(backend);
  EXPECT_EQ(ErrorOf([&] { control.SetPortOpen(true); }), vb::err::kPortAlreadyOpen);
}

TEST_F(TermiosBackendTest, AVanishedDeviceRaisesOnUseAndClosesQuietly) {
  auto control = OpenControl();
  pty.CloseMaster();
  EXPECT_EQ(ErrorOf([&] { control->Input(); }), vb::err::kErrorReadingCommDevice);
  EXPECT_EQ(ErrorOf([&] { control->Output("ATH+++\r"); }), vb::err::kDeviceIOError);
  EXPECT_TRUE(control->PortOpen());
  control->SetPortOpen(false);
  EXPECT_FALSE(control->PortOpen());
  EXPECT_EQ(ErrorOf([&] { control->SetPortOpen(true); }), vb::err::kInvalidPortNumber);
}

}  // namespace
}  // namespace comm
