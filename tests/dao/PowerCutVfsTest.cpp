// The test support's power cut for SQLite, proved once as the crash test uses it: in a forked
// child that cuts and ends, then a fresh connection in the parent.
#include "support/PowerCutVfs.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "PagerFile.h"

namespace dao_test {
namespace {

TEST(PowerCutVfs, ACutDropsTheCommitsNotYetSyncedAndKeepsTheSyncedOnes) {
  testing_support::TempFolder folder;
  const std::string path = folder.PathOf("cut.db");
  OutsideConnection(path).Exec("PRAGMA journal_mode=WAL; CREATE TABLE t (x)");

  const pid_t child = fork();
  if (child == 0) {
    testing_support::PowerCutVfs vfs;
    OutsideConnection db(path);  // opened without a VFS name, as the dao opens its files
    db.Exec("PRAGMA synchronous=FULL; INSERT INTO t VALUES ('synced')");
    const long syncs = vfs.Syncs();
    db.Exec("PRAGMA synchronous=NORMAL; INSERT INTO t VALUES ('in the cache only')");
    const bool counted = syncs > 0 && vfs.Syncs() == syncs;
    vfs.Cut();
    _exit(counted ? 0 : 1);
  }
  int status = -1;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "a commit under FULL syncs, one under NORMAL does not";
  OutsideConnection after(path);
  EXPECT_EQ(after.Text("SELECT group_concat(x) FROM t"), "synced");
  EXPECT_EQ(after.Text("PRAGMA integrity_check"), "ok");
}

}  // namespace
}  // namespace dao_test
