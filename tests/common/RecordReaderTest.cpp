#include "common/RecordReader.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ErrorNumber.h"
#include "support/TempFolder.h"

namespace pager {
namespace {

using testing_support::ErrorOf;
using testing_support::TempFolder;

// Every item of the file as text, read until the end-of-file test reports the end.
std::vector<std::string> AllItems(const std::string& bytes) {
  TempFolder folder;
  folder.Write("f", bytes);
  RecordReader reader(folder.PathOf("f"));
  std::vector<std::string> items;
  while (!reader.AtEnd()) items.push_back(reader.ReadText());
  EXPECT_EQ(ErrorOf([&] { reader.ReadText(); }), 62);
  return items;
}

using Items = std::vector<std::string>;

const char kModemLine[] = "\"2\",\"28800\",\"ATZ\",\"TONE\",\"2\",\"True\",45,\"\",\"\",#FALSE#,#FALSE#\r\n";

TEST(RecordReader, ReadsTheModemSettingsRecordWithItsKinds) {
  TempFolder folder;
  folder.Write("modem.cfg", kModemLine);
  RecordReader reader(folder.PathOf("modem.cfg"));
  EXPECT_EQ(reader.ReadUntyped(), "2");
  EXPECT_EQ(reader.ReadUntyped(), "28800");
  EXPECT_EQ(reader.ReadUntyped(), "ATZ");
  EXPECT_EQ(reader.ReadUntyped(), "TONE");
  EXPECT_EQ(reader.ReadUntyped(), "2");
  EXPECT_EQ(reader.ReadUntyped(), "True");
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_EQ(reader.ReadInteger(), 45);
  EXPECT_EQ(reader.ReadUntyped(), "");
  EXPECT_EQ(reader.ReadText(), "");
  EXPECT_FALSE(reader.ReadBoolean());
  EXPECT_FALSE(reader.ReadBoolean());
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(ErrorOf([&] { reader.ReadText(); }), 62);
}

TEST(RecordReader, OnlyTheCountOfItemsMatchesNotTheLines) {
  const Items expected = {"2", "28800", "ATZ", "TONE", "2", "True", "45", "", "", "#FALSE#", "#FALSE#"};
  EXPECT_EQ(AllItems(kModemLine), expected);
  // One item per line, with each kind of line end.
  for (const char* end : {"\r\n", "\n", "\r"}) {
    std::string spread;
    for (const char* item : {"\"2\"", "\"28800\"", "\"ATZ\"", "\"TONE\"", "\"2\"", "\"True\"", "45", "\"\"", "\"\"",
                             "#FALSE#", "#FALSE#"}) {
      spread += std::string(item) + end;
    }
    EXPECT_EQ(AllItems(spread), expected) << "line end " << static_cast<int>(end[0]);
  }
  // Two records on one line, and a record broken after a comma-free item.
  EXPECT_EQ(AllItems("\"a\",\"b\",\"c\",\"d\"\r\n"), (Items{"a", "b", "c", "d"}));
  EXPECT_EQ(AllItems("\"a\",\"b\"\r\n\"c\",\"d\"\r\n"), (Items{"a", "b", "c", "d"}));
}

TEST(RecordReader, QuotedItemsKeepCommasLineEndsAndBytes) {
  EXPECT_EQ(AllItems("\"9,,\",\"x\"\r\n"), (Items{"9,,", "x"}));
  EXPECT_EQ(AllItems("\"two\r\nlines\",1"), (Items{"two\r\nlines", "1"}));
  std::string bytes = std::string("\"caf\xC3\xA9 \xFF") + '\0' + "z\"\r\n";
  EXPECT_EQ(AllItems(bytes), (Items{std::string("caf\xC3\xA9 \xFF") + '\0' + "z"}));
  // Blanks inside the quotes belong to the text.
  EXPECT_EQ(AllItems("\"  a  \"\r\n"), (Items{"  a  "}));
}

TEST(RecordReader, BlanksAroundItemsDoNoHarm) {
  const Items expected = {"unit", "message"};
  EXPECT_EQ(AllItems("\"unit\",\"message\"\r\n"), expected);
  EXPECT_EQ(AllItems("\"unit\", \"message\"\r\n"), expected);
  EXPECT_EQ(AllItems("  \"unit\"  ,\t \"message\"  \r\n"), expected);
  // An unquoted item keeps the blanks before its delimiter, so a hand-edited dial mode "TONE "
  // is not "TONE"; a number followed by blanks still reads as the number.
  EXPECT_EQ(AllItems("  TONE ,ENABLED  \r\n"), (Items{"TONE ", "ENABLED  "}));
  TempFolder folder;
  folder.Write("f", "45   ,  7 \r\n");
  RecordReader reader(folder.PathOf("f"));
  EXPECT_EQ(reader.ReadInteger(), 45);
  EXPECT_EQ(reader.ReadInteger(), 7);
}

TEST(RecordReader, WhatFollowsAClosingQuoteUpToTheDelimiterIsIgnored) {
  EXPECT_EQ(AllItems("\"ab\"cd,\"e\"\r\n"), (Items{"ab", "e"}));
  EXPECT_EQ(AllItems("\"ab\"c\"d,e\"\r\n"), (Items{"ab", "e\""}));
}

TEST(RecordReader, AQuoteThatNeverClosesTakesTheRestOfTheFile) {
  EXPECT_EQ(AllItems("\"a\",\"open, still\r\nopen"), (Items{"a", "open, still\r\nopen"}));
  EXPECT_EQ(AllItems("\""), (Items{""}));
}

TEST(RecordReader, EmptyItemsBetweenDelimiters) {
  EXPECT_EQ(AllItems(",\"28800\",,5\r\n"), (Items{"", "28800", "", "5"}));
  // A comma right before the line end announces one more, empty, item.
  EXPECT_EQ(AllItems("1,\r\n"), (Items{"1", ""}));
  EXPECT_EQ(AllItems("1,"), (Items{"1", ""}));
  EXPECT_EQ(AllItems("1,   \r\n\r\n"), (Items{"1", ""}));

  TempFolder folder;
  folder.Write("f", ",,,,\r\n");
  RecordReader reader(folder.PathOf("f"));
  EXPECT_EQ(reader.ReadText(), "");
  EXPECT_EQ(reader.ReadUntyped(), "");
  EXPECT_EQ(reader.ReadInteger(), 0);
  EXPECT_FALSE(reader.ReadBoolean());
  EXPECT_EQ(reader.ReadText(), "");
  EXPECT_TRUE(reader.AtEnd());
}

TEST(RecordReader, ABlankLineInsideIsAnEmptyItemButBlankLinesAtTheEndAreNot) {
  EXPECT_EQ(AllItems("\"a\"\r\n\r\n\"b\"\r\n"), (Items{"a", "", "b"}));
  EXPECT_EQ(AllItems("\"a\"\n\n\"b\""), (Items{"a", "", "b"}));
  EXPECT_EQ(AllItems("\"a\"\r\n\r\n\r\n  \r\n"), (Items{"a"}));
  EXPECT_EQ(AllItems("\"a\"\n \t\n"), (Items{"a"}));
}

TEST(RecordReader, EveryWayAFileCanEndAfterItsLastItem) {
  for (const char* bytes : {"\"ENABLED\"\r\n", "\"ENABLED\"\r", "\"ENABLED\"\n", "\"ENABLED\"", "ENABLED",
                            "\"ENABLED\"  \r\n"}) {
    EXPECT_EQ(AllItems(bytes), (Items{"ENABLED"})) << bytes;
  }
}

TEST(RecordReader, AnEmptyFileIsAtItsEndAndEveryReadRaises62) {
  for (const char* bytes : {"", "\r\n", "   ", "\n\n\r\n"}) {
    TempFolder folder;
    folder.Write("Inter.dat", bytes);
    RecordReader reader(folder.PathOf("Inter.dat"));
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(ErrorOf([&] { reader.ReadText(); }), 62);
    EXPECT_EQ(ErrorOf([&] { reader.ReadInteger(); }), 62);
    EXPECT_EQ(ErrorOf([&] { reader.ReadBoolean(); }), 62);
    EXPECT_EQ(ErrorOf([&] { reader.ReadUntyped(); }), 62);
    EXPECT_TRUE(reader.AtEnd());
  }
}

TEST(RecordReader, AShortFileGivesItsItemsThen62) {
  TempFolder folder;
  folder.Write("MyOwn.dat", "\"Acme Paging\",\"5551234\"\r\n");
  RecordReader reader(folder.PathOf("MyOwn.dat"));
  EXPECT_EQ(reader.ReadText(), "Acme Paging");
  EXPECT_EQ(reader.ReadText(), "5551234");
  EXPECT_EQ(ErrorOf([&] { reader.ReadInteger(); }), 62);
}

TEST(RecordReader, ItemsBeyondTheOnesAskedForAreLeftUnread) {
  TempFolder folder;
  folder.Write("f", "\"a\",\"b\",\"c\",\"d\"\r\n");
  RecordReader reader(folder.PathOf("f"));
  EXPECT_EQ(reader.ReadText(), "a");
  EXPECT_FALSE(reader.AtEnd());
  reader.Close();
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(ErrorOf([&] { reader.ReadText(); }), 62);
}

TEST(RecordReader, IntegerItems) {
  TempFolder folder;
  folder.Write("f", "45,-5,\"30\",+7, 3.6 ,2.5,-32768,32767,1e2\r\n");
  RecordReader reader(folder.PathOf("f"));
  for (int expected : {45, -5, 30, 7, 4, 2, -32768, 32767, 100}) EXPECT_EQ(reader.ReadInteger(), expected);
  EXPECT_TRUE(reader.AtEnd());
}

TEST(RecordReader, IntegerItemsThatDoNotFitRaiseAndReadingGoesOn) {
  TempFolder folder;
  folder.Write("f",
               "abc,32768,-32769,99999999999999999999999999,1e999,#TRUE#,\"1 2\",12abc,\"4;\",\"--5\",.,\"3\r\n\",8\r\n");
  RecordReader reader(folder.PathOf("f"));
  for (int expected : {13, 6, 6, 6, 6, 13, 13, 13, 13, 13, 13, 13}) {
    EXPECT_EQ(ErrorOf([&] { reader.ReadInteger(); }), expected);
  }
  EXPECT_EQ(reader.ReadInteger(), 8);
}

TEST(RecordReader, TruthValueItems) {
  TempFolder folder;
  folder.Write("f", "#TRUE#,#FALSE#,#true#, #FALSE# ,\"#TRUE#\",True,1,\"\",#TRUE\r\n");
  RecordReader reader(folder.PathOf("f"));
  EXPECT_TRUE(reader.ReadBoolean());
  EXPECT_FALSE(reader.ReadBoolean());
  EXPECT_TRUE(reader.ReadBoolean());
  EXPECT_FALSE(reader.ReadBoolean());
  EXPECT_TRUE(reader.ReadBoolean());
  EXPECT_EQ(ErrorOf([&] { reader.ReadBoolean(); }), 13);
  EXPECT_EQ(ErrorOf([&] { reader.ReadBoolean(); }), 13);
  EXPECT_FALSE(reader.ReadBoolean());
  EXPECT_EQ(ErrorOf([&] { reader.ReadBoolean(); }), 13);
  EXPECT_TRUE(reader.AtEnd());
}

TEST(RecordReader, OpeningWhatIsNotAFileRaises53) {
  TempFolder folder;
  EXPECT_EQ(ErrorOf([&] { RecordReader reader(folder.PathOf("missing.dat")); }), 53);
  EXPECT_EQ(ErrorOf([&] { RecordReader reader(folder.Path()); }), 53);
  EXPECT_EQ(ErrorOf([&] { RecordReader reader(""); }), 53);
  EXPECT_EQ(ErrorOf([&] { RecordReader reader(folder.PathOf("no-folder/f")); }), 53);
  // A device or a pipe (even one that nobody writes to) is no settings file.
  EXPECT_EQ(ErrorOf([&] { RecordReader reader("/dev/zero"); }), 53);
  ASSERT_EQ(::mkfifo(folder.PathOf("pipe").c_str(), 0600), 0);
  EXPECT_EQ(ErrorOf([&] { RecordReader reader(folder.PathOf("pipe")); }), 53);
}

// The intake frames submission records by counting items: a header of 8 items, then records of
// 7; reading until the end sees every item once, whatever the line layout.
TEST(RecordReader, SubmissionsFileFramedByCountingItems) {
  std::string file = "\"h1\",\"h2\",\"h3\",\"h4\"\r\n\"h5\",\"h6\",\"h7\",\"h8\"\r\n";
  for (int record = 0; record < 2; ++record) {
    file += "\"55" + std::to_string(record) + "\",\"Call me, now\",\"5551234\",\"12/07/26\"\r\n";
    file += "\"2:30:05 PM\",\"10.0.0.9\",\"Browser/1.0\"\r\n";
  }
  std::vector<std::string> items = AllItems(file);
  ASSERT_EQ(items.size(), 8u + 14u);
  EXPECT_EQ(items[8], "550");
  EXPECT_EQ(items[9], "Call me, now");
  EXPECT_EQ(items[15], "551");
  EXPECT_EQ(items[21], "Browser/1.0");
}

// A large file is read once into memory and parsed in one pass: many thousand records, and long
// runs of blank lines, take linear time.
TEST(RecordReader, LargeFilesReadInLinearTime) {
  std::string file;
  const int records = 20000;
  for (int i = 0; i < records; ++i) {
    file += "\"" + std::to_string(i) + "\",\"message " + std::to_string(i) + "\",\"5551234\",\"d\",\"t\",\"ip\",\"b\"\r\n";
  }
  file += std::string(400000, '\n');
  file += "\"last\"";
  std::vector<std::string> items = AllItems(file);
  ASSERT_EQ(items.size(), records * 7u + 400000u + 1u);
  EXPECT_EQ(items[7 * 1234 + 1], "message 1234");
  EXPECT_EQ(items.back(), "last");
}

}  // namespace
}  // namespace pager
