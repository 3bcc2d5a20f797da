#include "modem-sim/PageLog.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

using modemsim::AcceptedPage;
using modemsim::FormatPageLine;
using modemsim::PageLog;

namespace {

std::string WithoutStamp(const std::string& line) { return line.substr(line.find('\t') + 1); }

}  // namespace

TEST(PageLog, OneTabSeparatedLinePerPageEvenForAwkwardText) {
  AcceptedPage page{"9,5551234", "1234", "a\tb\r\nc\\d", 0};
  std::string line = FormatPageLine(page, 0);
  EXPECT_EQ(line.find('\t'), 19u) << "local time first: " << line;
  EXPECT_EQ(WithoutStamp(line), "9,5551234\t1234\ta\\tb\\r\\nc\\\\d\n");
}

TEST(PageLog, AppendsAndKeepsWhatWasThere) {
  testing_support::TempFolder folder;
  folder.Write("pages.log", "earlier\n");
  PageLog log(folder.PathOf("pages.log"));
  ASSERT_TRUE(log.Append({"5551234", "1234", "first", 0}, 0));
  ASSERT_TRUE(log.Append({"5551234", "5678", "second", 0}, 0));
  std::string text = folder.Read("pages.log");
  EXPECT_TRUE(text.starts_with("earlier\n"));
  EXPECT_NE(text.find("\t5551234\t1234\tfirst\n"), std::string::npos);
  EXPECT_NE(text.find("\t5551234\t5678\tsecond\n"), std::string::npos);

  EXPECT_FALSE(PageLog(folder.PathOf("missing/pages.log")).Append({"1", "2", "3", 0}, 0));
}
