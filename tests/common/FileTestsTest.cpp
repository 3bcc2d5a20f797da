#include "common/FileTests.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/vb/RuntimeError.h"
#include "support/ErrorNumber.h"
#include "support/TempFolder.h"

namespace pager {
namespace {

using testing_support::ErrorOf;
using testing_support::TempFolder;

TEST(NameTest, FindsTheFileWhateverTheCaseOfItsName) {
  for (const char* name : {"modem.cfg", "MODEM.CFG", "Modem.Cfg"}) {
    TempFolder folder;
    folder.Write(name, "x");
    EXPECT_EQ(FindByName(folder.Path(), "MODEM.CFG"), folder.PathOf(name));
  }
}

TEST(NameTest, FindsNothingButARegularFileOfThatName) {
  TempFolder folder;
  EXPECT_EQ(FindByName(folder.Path(), "MODEM.CFG"), std::nullopt);
  std::filesystem::create_directory(folder.PathOf("modem.cfg"));
  folder.Write("modem.cfg.bak", "x");
  folder.Write("xmodem.cfg", "x");
  EXPECT_EQ(FindByName(folder.Path(), "MODEM.CFG"), std::nullopt);
  EXPECT_EQ(FindByName(folder.PathOf("missing"), "MODEM.CFG"), std::nullopt);
  EXPECT_EQ(FindByName(folder.Path(), ""), std::nullopt);
  // A link to a file counts; a dangling link does not.
  folder.Write("real", "x");
  ::symlink(folder.PathOf("real").c_str(), folder.PathOf("OWN.CFG").c_str());
  ::symlink(folder.PathOf("gone").c_str(), folder.PathOf("internet.cfg").c_str());
  EXPECT_EQ(FindByName(folder.Path(), "OWN.CFG"), folder.PathOf("OWN.CFG"));
  EXPECT_EQ(FindByName(folder.Path(), "INTERNET.CFG"), std::nullopt);
}

TEST(NameTest, PrefersTheNameTheProgramWritesWhenSeveralMatch) {
  TempFolder folder;
  folder.Write("Modem.cfg", "a");
  folder.Write("MoDeM.CFG", "b");
  EXPECT_EQ(FindByName(folder.Path(), "MODEM.CFG"), folder.PathOf("MoDeM.CFG"));  // first in byte order
  folder.Write("MODEM.CFG", "c");
  EXPECT_EQ(FindByName(folder.Path(), "MODEM.CFG"), folder.PathOf("MODEM.CFG"));
  folder.Write("modem.cfg", "d");
  EXPECT_EQ(FindByName(folder.Path(), "MODEM.CFG"), folder.PathOf("modem.cfg"));
  EXPECT_EQ(FindByName(folder.Path(), "MODEM.CFG", "Modem.cfg"), folder.PathOf("Modem.cfg"));
}

TEST(NameTest, OnAFullPathTheBaseNameMustMatch) {
  TempFolder folder;
  folder.Write("feedback.txt", "x");
  EXPECT_EQ(FindPathByName(folder.PathOf("feedback.txt"), "FEEDBACK.TXT"), folder.PathOf("feedback.txt"));
  EXPECT_EQ(FindPathByName(folder.PathOf("FEEDBACK.TXT"), "FEEDBACK.TXT"), folder.PathOf("feedback.txt"));
  folder.Write("answers.txt", "x");
  EXPECT_EQ(FindPathByName(folder.PathOf("answers.txt"), "FEEDBACK.TXT"), std::nullopt);
  EXPECT_EQ(FindPathByName(folder.PathOf("missing/feedback.txt"), "FEEDBACK.TXT"), std::nullopt);
  EXPECT_EQ(FindPathByName("", "FEEDBACK.TXT"), std::nullopt);
  EXPECT_EQ(FindPathByName(folder.Path() + "/", "FEEDBACK.TXT"), std::nullopt);
  // The spelling given wins over another case of the same name.
  folder.Write("FEEDBACK.TXT", "y");
  EXPECT_EQ(FindPathByName(folder.PathOf("FEEDBACK.TXT"), "FEEDBACK.TXT"), folder.PathOf("FEEDBACK.TXT"));
  EXPECT_EQ(FindPathByName(folder.PathOf("feedback.txt"), "FEEDBACK.TXT"), folder.PathOf("feedback.txt"));
}

TEST(PresenceTest, OnlyFilesAndLinksToFilesArePresent) {
  TempFolder folder;
  folder.Write("MyOwn.dat", "");
  EXPECT_TRUE(FileExists(folder.PathOf("MyOwn.dat")));
  EXPECT_FALSE(FileExists(folder.PathOf("myown.dat")));  // the presence test is exact
  EXPECT_FALSE(FileExists(folder.Path()));
  EXPECT_FALSE(FileExists(""));
  ::symlink(folder.PathOf("MyOwn.dat").c_str(), folder.PathOf("link").c_str());
  ::symlink(folder.PathOf("gone").c_str(), folder.PathOf("dangling").c_str());
  EXPECT_TRUE(FileExists(folder.PathOf("link")));
  EXPECT_FALSE(FileExists(folder.PathOf("dangling")));
}

TEST(DeleteFile, DeletesOrRaises) {
  TempFolder folder;
  folder.Write("modem.cfg", "x");
  DeleteFile(folder.PathOf("modem.cfg"));  // that it survives a power cut: RecordWriterTest
  EXPECT_FALSE(folder.Exists("modem.cfg"));
  EXPECT_EQ(ErrorOf([&] { DeleteFile(folder.PathOf("modem.cfg")); }), 53);
  EXPECT_EQ(ErrorOf([&] { DeleteFile(folder.Path()); }), 53);
  EXPECT_EQ(ErrorOf([&] { DeleteFile(""); }), 53);
}

TEST(DeleteFile, AFileInAReadOnlyFolderRaises75ForAnOrdinaryUser) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
  TempFolder folder;
  folder.Write("feedback.txt", "x");
  ::chmod(folder.Path().c_str(), 0555);
  EXPECT_EQ(ErrorOf([&] { DeleteFile(folder.PathOf("feedback.txt")); }), 75);
  ::chmod(folder.Path().c_str(), 0755);
  EXPECT_TRUE(folder.Exists("feedback.txt"));
}

}  // namespace
}  // namespace pager
