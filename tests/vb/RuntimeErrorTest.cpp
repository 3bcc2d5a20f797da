#include "platform/vb/RuntimeError.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vb {
namespace {

TEST(RuntimeError, RaiseCarriesTheNumberAndTheStandardDescription) {
  const std::pair<int, const char*> known[] = {
      {6, "Overflow"},
      {13, "Type mismatch"},
      {53, "File not found"},
      {61, "Disk full"},
      {62, "Input past end of file"},
      {75, "Path/File access error"},
      {76, "Path not found"},
      {91, "Object variable or With block variable not set"},
      {94, "Invalid use of Null"},
      {3021, "No current record."},
      {8005, "Port already open"},
      {8002, "Invalid port number"},
  };
  for (const auto& [number, description] : known) {
    try {
      Raise(number);
      FAIL() << "Raise returned";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), number);
      EXPECT_EQ(e.Description(), description);
      EXPECT_EQ(DescriptionOf(number), description);
    }
  }
  EXPECT_EQ(DescriptionOf(12345), "Application-defined or object-defined error");
}

TEST(RuntimeError, AnOwnDescriptionIsKeptAndTheErrorIsAStandardException) {
  try {
    Raise(3024, "Could not find file 'pager.mdb'.");
  } catch (const std::runtime_error& e) {
    const auto& error = dynamic_cast<const RuntimeError&>(e);
    EXPECT_EQ(error.Number(), 3024);
    EXPECT_EQ(error.Description(), "Could not find file 'pager.mdb'.");
    EXPECT_STREQ(e.what(), "3024 - Could not find file 'pager.mdb'.");
  }
}

TEST(RuntimeError, ResumeNextSkipsOnlyRunTimeErrors) {
  int reached = 0;
  ResumeNext([] { Raise(err::kFileNotFound); });
  ResumeNext([&] { ++reached; });
  EXPECT_EQ(reached, 1);
  EXPECT_THROW(ResumeNext([] { throw std::logic_error("not a run-time error"); }), std::logic_error);
}

}  // namespace
}  // namespace vb
