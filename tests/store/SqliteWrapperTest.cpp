#include <gtest/gtest.h>
#include <sqlite3.h>

#include "StoreTestSupport.h"
#include "store/SQLiteAutoTransaction.h"
#include "store/SQLiteDB.h"
#include "store/SQLiteStatement.h"

namespace korvex {
namespace {

constexpr int kMemoryFlags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

TEST(SqliteWrapper, CallsWithoutConnectionOrHandleAreMisuse) {
  SQLiteDB db;
  SQLiteStatement statement;
  EXPECT_EQ(db.Exec("SELECT 1"), 21);
  EXPECT_EQ(db.Prepare(statement, "SELECT 1"), 21);
  EXPECT_EQ(db.LastInsertRowId(), -1);
  EXPECT_TRUE(db.Close());
  EXPECT_EQ(statement.BindInt(1, 5), 21);
  EXPECT_EQ(statement.BindText(1, "x", 1), 21);
  EXPECT_EQ(statement.Step(), 21);
  EXPECT_EQ(statement.ColumnInt(0), 0);
  EXPECT_EQ(statement.ColumnText(0), nullptr);
  EXPECT_TRUE(statement.Done());

  ASSERT_TRUE(db.Open(":memory:", "", kMemoryFlags));
  EXPECT_EQ(db.Exec(nullptr), 21);
  EXPECT_EQ(db.Prepare(statement, nullptr), 21);
}

TEST(SqliteWrapper, OpenFailsForNullPathAndMissingFolder) {
  SQLiteDB db;
  EXPECT_FALSE(db.Open(nullptr, "", kMemoryFlags));
  test::TempDataFolder folder(false);
  const std::string path = folder.Path() + "/db/none.db";
  EXPECT_FALSE(db.Open(path.c_str(), "", kMemoryFlags));
  EXPECT_FALSE(db.HasConnection());
}

TEST(SqliteWrapper, OpenTurnsSynchronousOffAndReplacesConnection) {
  SQLiteDB db;
  ASSERT_TRUE(db.Open(":memory:", "", kMemoryFlags));
  ASSERT_EQ(db.Exec("CREATE TABLE t(a INTEGER)"), SQLITE_OK);
  SQLiteStatement statement;
  ASSERT_EQ(db.Prepare(statement, "PRAGMA synchronous"), SQLITE_OK);
  ASSERT_EQ(statement.Step(), SQLITE_ROW);
  EXPECT_EQ(statement.ColumnInt(0), 0);
  statement.Finalize();

  // A second open drops the first connection: its table is gone.
  ASSERT_TRUE(db.Open(":memory:", "", kMemoryFlags));
  EXPECT_NE(db.Exec("INSERT INTO t VALUES (1)"), SQLITE_OK);
}

TEST(SqliteWrapper, StatementTracksDoneAndRepreparingFinalises) {
  SQLiteDB db;
  ASSERT_TRUE(db.Open(":memory:", "", kMemoryFlags));
  SQLiteStatement statement;
  ASSERT_EQ(db.Prepare(statement, "SELECT 7, 'seven' UNION ALL SELECT 8, NULL"), SQLITE_OK);
  EXPECT_FALSE(statement.Done());
  ASSERT_EQ(statement.Step(), SQLITE_ROW);
  EXPECT_EQ(statement.ColumnInt(0), 7);
  EXPECT_STREQ(statement.ColumnText(1), "seven");
  ASSERT_EQ(statement.Step(), SQLITE_ROW);
  EXPECT_EQ(statement.ColumnText(1), nullptr);
  EXPECT_EQ(statement.ColumnString(1), "");
  EXPECT_FALSE(statement.Done());
  EXPECT_EQ(statement.Step(), SQLITE_DONE);
  EXPECT_TRUE(statement.Done());

  // A failed prepare leaves no handle behind, not the previous one.
  ASSERT_EQ(db.Prepare(statement, "SELECT 1"), SQLITE_OK);
  EXPECT_EQ(db.Prepare(statement, "SELEKT nonsense"), SQLITE_ERROR);
  EXPECT_FALSE(statement.HasHandle());
  EXPECT_EQ(statement.Step(), 21);
}

TEST(SqliteWrapper, BindsTextByLengthAndReportsInsertedRow) {
  SQLiteDB db;
  ASSERT_TRUE(db.Open(":memory:", "", kMemoryFlags));
  ASSERT_EQ(db.Exec("CREATE TABLE t(id INTEGER PRIMARY KEY AUTOINCREMENT, s TEXT, n INTEGER)"),
            SQLITE_OK);
  SQLiteStatement statement;
  const char bytes[] = "abcdef";
  ASSERT_EQ(db.Prepare(statement, "INSERT INTO t(s, n) VALUES (?, ?)", -1), SQLITE_OK);
  EXPECT_EQ(statement.BindText(1, bytes, 3), SQLITE_OK);
  EXPECT_EQ(statement.BindInt(2, -42), SQLITE_OK);
  EXPECT_EQ(statement.Step(), SQLITE_DONE);
  EXPECT_EQ(db.LastInsertRowId(), 1);
  ASSERT_EQ(db.Prepare(statement, "SELECT s, n FROM t"), SQLITE_OK);
  ASSERT_EQ(statement.Step(), SQLITE_ROW);
  EXPECT_EQ(statement.ColumnString(0), "abc");
  EXPECT_EQ(statement.ColumnInt(1), -42);
}

TEST(SqliteWrapper, TransactionEndsWithEndAndNeverRollsBack) {
  SQLiteDB db;
  ASSERT_TRUE(db.Open(":memory:", "", kMemoryFlags));
  ASSERT_EQ(db.Exec("CREATE TABLE t(a INTEGER UNIQUE)"), SQLITE_OK);
  {
    SQLiteAutoTransaction transaction(&db);
    EXPECT_TRUE(transaction.Active());
    EXPECT_EQ(sqlite3_get_autocommit(db.Handle()), 0);
    EXPECT_FALSE(transaction.Begin());  // already active
    EXPECT_EQ(db.Exec("INSERT INTO t VALUES (1)"), SQLITE_OK);
    EXPECT_NE(db.Exec("INSERT INTO t VALUES (1)"), SQLITE_OK);  // unique violation
    EXPECT_TRUE(transaction.Commit());
    EXPECT_FALSE(transaction.Active());
    EXPECT_EQ(sqlite3_get_autocommit(db.Handle()), 1);
    EXPECT_TRUE(transaction.Begin());
    EXPECT_EQ(db.Exec("INSERT INTO t VALUES (2)"), SQLITE_OK);
  }  // the destructor ends the second one
  EXPECT_EQ(sqlite3_get_autocommit(db.Handle()), 1);
  SQLiteStatement statement;
  db.Prepare(statement, "SELECT count(*) FROM t");
  ASSERT_EQ(statement.Step(), SQLITE_ROW);
  EXPECT_EQ(statement.ColumnInt(0), 2);
}

// A reader in another connection keeps "END" from getting its lock: the
// commit must say so and leave the connection out of the transaction, or
// every later write would silently stay uncommitted.
TEST(SqliteWrapper, FailedEndRollsBackAndReportsFailure) {
  test::TempDataFolder folder;
  const std::string path = folder.FileOf("busy");
  SQLiteDB writer, reader;
  ASSERT_TRUE(writer.Open(path.c_str(), "", kMemoryFlags));
  ASSERT_TRUE(reader.Open(path.c_str(), "", kMemoryFlags));
  ASSERT_EQ(writer.Exec("CREATE TABLE t(a INTEGER)"), SQLITE_OK);
  ASSERT_EQ(writer.Exec("INSERT INTO t VALUES (1)"), SQLITE_OK);

  SQLiteStatement reading;
  ASSERT_EQ(reader.Prepare(reading, "SELECT a FROM t"), SQLITE_OK);
  ASSERT_EQ(reading.Step(), SQLITE_ROW);  // holds a shared lock while open

  SQLiteAutoTransaction transaction(&writer);
  ASSERT_EQ(writer.Exec("INSERT INTO t VALUES (2)"), SQLITE_OK);
  EXPECT_FALSE(transaction.Commit());
  EXPECT_FALSE(transaction.Active());
  EXPECT_EQ(sqlite3_get_autocommit(writer.Handle()), 1);
  reading.Finalize();

  // Back in autocommit: the next write lands on its own, the undone one not.
  ASSERT_EQ(writer.Exec("INSERT INTO t VALUES (3)"), SQLITE_OK);
  SQLiteStatement count;
  reader.Prepare(count, "SELECT group_concat(a) FROM t");
  ASSERT_EQ(count.Step(), SQLITE_ROW);
  EXPECT_STREQ(count.ColumnText(0), "1,3");
}

TEST(SqliteWrapper, TransactionWithoutConnectionOrDatabase) {
  SQLiteDB closed;
  SQLiteAutoTransaction withoutConnection(&closed);
  EXPECT_TRUE(withoutConnection.Active());
  EXPECT_FALSE(withoutConnection.Commit());
  EXPECT_FALSE(withoutConnection.Active());
  EXPECT_FALSE(withoutConnection.Begin());  // sets active but reports failure
  EXPECT_TRUE(withoutConnection.Active());

  SQLiteAutoTransaction withoutDatabase(nullptr);
  EXPECT_FALSE(withoutDatabase.Commit());
  EXPECT_FALSE(withoutDatabase.Begin());
}

}  // namespace
}  // namespace korvex
