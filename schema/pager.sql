-- The pager database (pager.mdb): four tables of text columns, every one nullable.
--
-- Each table has a hidden key, id. A row added gets a key above every key the table has handed
-- out (AUTOINCREMENT never hands out a number again, not even after the table was emptied): the
-- server walks rows in key order and tells the rows it knew from the ones added later by their
-- key. The server changes a key in one way only: a row it has dealt with (a page sent from
-- Queue, a message without a modem number in Temp once it is logged) gets 2^62 taken off its
-- key, which puts it below 0; such rows keep their order among themselves and come before every
-- other row. Programs that write rows leave id out, so their rows always get keys above 0, and
-- name the columns they fill.
--
-- Apply with: make-pager-db pager.mdb   (or: sqlite3 pager.mdb < pager.sql)

PRAGMA journal_mode = WAL;

-- The messages to deliver in the present cycle.
CREATE TABLE IF NOT EXISTS Queue (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  Unit TEXT,
  Message TEXT,
  Modem TEXT,
  Sender TEXT,
  Status TEXT,
  "Date Sent" TEXT,
  "Time Sent" TEXT,
  "IP Address" TEXT,
  User TEXT,
  Browser TEXT
);

-- A company's rows found without reading the whole queue (its call, and its failure when the
-- call fails).
CREATE INDEX IF NOT EXISTS QueueByModem ON Queue (Modem);

-- New messages on their way into Queue, and failed ones waiting for the next cycle.
CREATE TABLE IF NOT EXISTS Temp (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  Unit TEXT,
  Message TEXT,
  Modem TEXT,
  Sender TEXT,
  Status TEXT,
  "Date Sent" TEXT,
  "Time Sent" TEXT,
  "IP Address" TEXT,
  User TEXT,
  Browser TEXT
);

-- The message log, in the order the log grid shows it.
CREATE TABLE IF NOT EXISTS TranLog (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  Sender TEXT,
  "Paging Unit" TEXT,
  Message TEXT,
  "Paging Company" TEXT,
  "Date Sent" TEXT,
  "Time Sent" TEXT,
  "IP Address" TEXT,
  User TEXT,
  Browser TEXT
);

-- Messages that fall due at a date (DateTo) and time of day (TimeTo), written by operators
-- and outside programs.
CREATE TABLE IF NOT EXISTS Scheadule (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  DateTo TEXT,
  TimeTo TEXT,
  Unit TEXT,
  Message TEXT,
  Modem TEXT,
  Sender TEXT,
  Status TEXT
);
