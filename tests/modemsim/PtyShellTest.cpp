// The simulator on a real pseudo-terminal, opened through its link as the server opens its
// port. Each exchange polls with short time-outs until the answer is there.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "modem-sim/ModemSimulator.h"
#include "modem-sim/PageLog.h"
#include "modem-sim/PtyLine.h"
#include "modem-sim/SimulatorShell.h"
#include "modemsim/LineHarness.h"
#include "support/TempFolder.h"

using modemsim::ModemSimulator;
using modemsim::PtyLine;
using modemsim::SimulatorShell;

namespace {

int OpenPort(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd >= 0) {
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd, TCSANOW, &settings);
  }
  return fd;
}

// Runs the shell and reads the port until the text read so far holds `expected` (or gives up
// after about four seconds); returns the text read.
std::string ReadUntil(SimulatorShell& shell, int port, const std::string& expected) {
  std::string got;
  for (int round = 0; round < 200 && got.find(expected) == std::string::npos; ++round) {
    shell.RunOnce(10);
    pollfd fd{port, POLLIN, 0};
    if (::poll(&fd, 1, 10) == 1 && (fd.revents & POLLIN)) {
      char buffer[512];
      ssize_t n = ::read(port, buffer, sizeof buffer);
      if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
    }
  }
  return got;
}

std::string LinkTarget(const std::string& path) {
  std::error_code error;
  return std::filesystem::read_symlink(path, error).string();
}

}  // namespace

TEST(PtyShell, ServesACallThroughTheLinkAndHangsUpWhenThePortCloses) {
  testing_support::TempFolder folder;
  modemsim::ModemConfig config = modemsim_test::QuietModem();
  config.dialPlan.SetDefault(modemsim_test::Behaviour("connect:0:2400"));
  ModemSimulator modem(config);
  modemsim::PageLog pages(folder.PathOf("pages.log"));
  {
    PtyLine line(folder.Path(), 2);
    EXPECT_EQ(LinkTarget(folder.PathOf("com2")), line.SlavePath());
    SimulatorShell shell(modem, line, &pages, nullptr);

    int port = OpenPort(folder.PathOf("com2"));
    ASSERT_GE(port, 0);
    ASSERT_EQ(::write(port, "\xC1\xD4\x8D", 3), 3) << "AT CR with the eighth bit set";
    EXPECT_NE(ReadUntil(shell, port, "OK").find("\r\nOK\r\n"), std::string::npos);

    ASSERT_EQ(::write(port, "ATDT5551234\r", 12), 12);
    EXPECT_NE(ReadUntil(shell, port, "CONNECT").find("CONNECT 2400"), std::string::npos);
    ASSERT_EQ(::write(port, "\r\rM\r1234\rHello\r", 16), 16);
    EXPECT_NE(ReadUntil(shell, port, "Page accepted").find("Page accepted"), std::string::npos);

    // The server takes the port for itself, as the serial layer does, then closes it.
    ASSERT_EQ(::ioctl(port, TIOCEXCL), 0);
    std::string firstSlave = line.SlavePath();
    ::close(port);
    for (int round = 0; round < 100 && modem.CurrentState() != ModemSimulator::State::Command; ++round) {
      shell.RunOnce(10);
    }
    EXPECT_EQ(modem.CurrentState(), ModemSimulator::State::Command);
    EXPECT_FALSE(line.PeerOpen());

    // The port opened again is a fresh one, free for anybody, and finds the modem waiting for
    // commands.
    EXPECT_NE(line.SlavePath(), firstSlave);
    EXPECT_EQ(LinkTarget(folder.PathOf("com2")), line.SlavePath());
    port = OpenPort(folder.PathOf("com2"));
    ASSERT_GE(port, 0);
    int exclusive = -1;
    ASSERT_EQ(::ioctl(port, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    ASSERT_EQ(::write(port, "AT\r", 3), 3);
    EXPECT_EQ(ReadUntil(shell, port, "OK"), "\r\nOK\r\n");
    ::close(port);
  }
  EXPECT_FALSE(folder.Exists("com2")) << "the link goes with the simulator";
  std::string log = folder.Read("pages.log");
  EXPECT_NE(log.find("\t5551234\t1234\tHello\n"), std::string::npos) << log;
}

// The server takes comN in any letter case, so the simulator does too.
TEST(PtyShell, ReplacesAStaleLinkInAnyLetterCaseButNoOtherFile) {
  testing_support::TempFolder folder;
  ASSERT_EQ(::symlink("/dev/pts/no-such-terminal", folder.PathOf("COM1").c_str()), 0);
  {
    PtyLine line(folder.Path(), 1);
    EXPECT_EQ(LinkTarget(folder.PathOf("COM1")), line.SlavePath());
    EXPECT_FALSE(folder.Exists("com1"));
  }
  EXPECT_FALSE(folder.Exists("COM1"));

  folder.Write("Com3", "operator's notes");
  EXPECT_THROW(PtyLine(folder.Path(), 3), std::runtime_error);
  EXPECT_EQ(folder.Read("Com3"), "operator's notes");
  EXPECT_FALSE(folder.Exists("com3"));
}
