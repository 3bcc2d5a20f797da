#include "platform/dao/LegacySql.h"

#include <gtest/gtest.h>

namespace {

using dao::detail::ParseDeleteAll;
using dao::detail::ParseRecordSource;
using Kind = dao::detail::RecordSource::Kind;

TEST(LegacySql, TableNamesAndSelectStar) {
  for (const char* text : {"Queue", " [Queue] ", "Select * From Queue", "select *from [Queue];"}) {
    auto source = ParseRecordSource(text);
    ASSERT_TRUE(source) << text;
    EXPECT_EQ(source->kind, Kind::kTable);
    EXPECT_EQ(source->table, "Queue");
    EXPECT_TRUE(source->where.empty());
  }
}

TEST(LegacySql, CompanyQueryUndoesDoubledQuotes) {
  auto source = ParseRecordSource("Select * From Queue where Queue.[Modem] = '1-800-O''Hara'");
  ASSERT_TRUE(source);
  ASSERT_EQ(source->where.size(), 1u);
  EXPECT_EQ(source->where[0].column, "Modem");
  EXPECT_EQ(source->where[0].text, "1-800-O'Hara");

  auto empty = ParseRecordSource("Select * From Queue where [Modem] = ''");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->where[0].text, "");
  auto two = ParseRecordSource("SELECT * FROM Queue WHERE Modem = 'a' AND Queue.Status = 'N'");
  ASSERT_TRUE(two);
  EXPECT_EQ(two->where.size(), 2u);
}

TEST(LegacySql, OtherFormsAreNotTakenForOnes) {
  // A quote the caller did not double ends the literal early: the rest is not understood,
  // never run as part of a statement.
  EXPECT_FALSE(ParseRecordSource("Select * From Queue where Queue.[Modem] = 'a' OR '1'='1'"));
  EXPECT_FALSE(ParseRecordSource("Select * From Queue where Queue.[Modem] = 'unterminated"));
  EXPECT_FALSE(ParseRecordSource("Select * From Queue where Temp.[Modem] = 'a'"));
  EXPECT_FALSE(ParseRecordSource("Select Unit From Queue"));
  EXPECT_FALSE(ParseRecordSource("Queue Temp"));
  EXPECT_FALSE(ParseRecordSource(""));
}

TEST(LegacySql, CompanyList) {
  auto source = ParseRecordSource("Select Distinct [Modem] from [Queue] Order by [Modem]");
  ASSERT_TRUE(source);
  EXPECT_EQ(source->kind, Kind::kDistinct);
  EXPECT_EQ(source->table, "Queue");
  EXPECT_EQ(source->column, "Modem");
  EXPECT_TRUE(source->ordered);
  EXPECT_FALSE(ParseRecordSource("Select Distinct [Modem] from [Queue] Order by [Unit]"));
}

TEST(LegacySql, DeleteAllForms) {
  EXPECT_EQ(ParseDeleteAll("Delete Temp.* From Temp"), "Temp");
  EXPECT_EQ(ParseDeleteAll("Delete Queue.* from Queue"), "Queue");
  EXPECT_EQ(ParseDeleteAll("Delete Tranlog.* From Tranlog"), "Tranlog");
  EXPECT_EQ(ParseDeleteAll("DELETE [Queue].* FROM [queue];"), "queue");
  EXPECT_EQ(ParseDeleteAll("Delete * From Temp"), "Temp");
  EXPECT_EQ(ParseDeleteAll("Delete From Temp"), "Temp");
  EXPECT_FALSE(ParseDeleteAll("Delete Temp.* From Queue"));
  EXPECT_FALSE(ParseDeleteAll("Delete From Temp Where Unit = '1'"));
  EXPECT_FALSE(ParseDeleteAll("Deleted From Temp"));
}

}  // namespace
