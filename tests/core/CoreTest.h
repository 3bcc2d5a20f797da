// The fixture of the server core's tests: the whole server in a fresh temporary program folder,
// with the usual settings files, and helpers that write the input files.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/ServerHarness.h"

namespace core_test {

using testing_support::Row;

// The header the form handler writes before the first submission (8 items).
inline const std::string kHeader = "\"Unit\",\"Message\",\"Modem\",\"Date\",\"Time\",\"Remote Address\",\"User\",\"Browser\"\r\n";

class CoreTest : public ::testing::Test {
 protected:
  explicit CoreTest(testing_support::ServerHarness::Options options = {}) : h(options) {
    h.WriteDefaultSettings();
  }

  pager::Form1& form() { return *h.form; }
  pager::Module1& m() { return h.m; }
  void Start() { h.core->Command1_Click(); }
  void Stop() { h.core->Command2_Click(); }
  std::string Status() const { return h.folder.Read("status.dat"); }
  const std::string& LastBox() const { return h.dialogs.LastBox().prompt; }

  // Intranet mode on and internet.cfg naming `name` in the program folder.
  void UseSubmissions(const std::string& name = "FEEDBACK.TXT") {
    form().imgInternet.Visible = true;
    h.folder.Write("internet.cfg", "\"" + h.folder.PathOf(name) + "\"\r\n");
  }
  // own.cfg naming `name`, MyOwn.dat with the lookup flag.
  void UseOtherFile(const std::string& name, int lookup = 1, const std::string& modem = "5551234") {
    h.folder.Write("own.cfg", "\"" + h.folder.PathOf(name) + "\"\r\n");
    h.folder.Write("MyOwn.dat", "\"My Company\",\"" + modem + "\"," + std::to_string(lookup) + "\r\n");
  }

  // One column of every row of a table.
  std::vector<std::optional<std::string>> Column(const std::string& table, const std::string& column) const {
    std::vector<std::optional<std::string>> values;
    for (const Row& row : h.Rows(table)) values.push_back(row.at(column));
    return values;
  }

  testing_support::ServerHarness h;
};

// A submission record of 7 items (8 with a user).
inline std::string Submission(const std::string& unit, const std::string& modem, const std::string& user = "") {
  std::string record = "\"" + unit + "\",\"Hello " + unit + "\",\"" + modem + "\",\"12/07/26\",\"14:00\",\"10.0.0.9\",";
  if (!user.empty()) record += "\"" + user + "\",";
  return record + "\"Mozilla/4.0\"\r\n";
}

}  // namespace core_test
