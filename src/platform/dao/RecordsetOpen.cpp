// Opening a recordset: from the source text to a keyset over a table, or rows read whole.
#include <cctype>

#include "platform/dao/Database.h"
#include "platform/dao/Errors.h"
#include "platform/dao/LegacySql.h"
#include "platform/dao/RecordsetState.h"
#include "platform/vb/RuntimeError.h"

namespace dao {

namespace {

struct FinalizeStatement {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

bool StartsWithSelect(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  return text.size() - i >= 6 &&
         detail::EqualsNoCase(std::string_view(text).substr(i, 6), "select");
}

// Runs a read-only query and keeps every row; its columns are named as the query names them.
std::unique_ptr<Recordset::State> ReadWhole(detail::Connection& connection,
                                            const std::string& sql) {
  sqlite3_stmt* raw = nullptr;
  const char* tail = nullptr;
  const int rc = sqlite3_prepare_v2(connection.Handle(), sql.c_str(), -1, &raw, &tail);
  std::unique_ptr<sqlite3_stmt, FinalizeStatement> statement(raw);
  if (rc != SQLITE_OK) RaiseSqlite(rc, connection.Handle(), connection.Path());
  if (raw == nullptr || !sqlite3_stmt_readonly(raw)) RaiseSyntaxError(sql);
  while (tail != nullptr && (std::isspace(static_cast<unsigned char>(*tail)) || *tail == ';')) {
    ++tail;
  }
  if (tail != nullptr && *tail != '\0') {
    vb::Raise(err::kGeneric, "Characters found after end of SQL statement.");
  }

  auto columns = std::make_shared<detail::TableInfo>();
  const int count = sqlite3_column_count(raw);
  for (int i = 0; i < count; ++i) columns->columns.emplace_back(sqlite3_column_name(raw, i));

  std::vector<std::vector<Value>> rows;
  {
    detail::StatementUse use(connection, raw);
    while (use.Step()) {
      std::vector<Value> row;
      row.reserve(static_cast<std::size_t>(count));
      for (int i = 0; i < count; ++i) row.push_back(use.Text(i));
      rows.push_back(std::move(row));
    }
  }
  auto state = std::make_unique<Recordset::State>(columns, detail::Keyset(rows.size()));
  state->rows = std::move(rows);
  return state;
}

std::unique_ptr<Recordset::State> OpenSource(detail::Connection& connection,
                                             const std::string& source) {
  const auto parsed = detail::ParseRecordSource(source);
  if (!parsed) {
    // Not one of the program's forms: a plain SQL query still reads (whole, read-only).
    if (StartsWithSelect(source)) return ReadWhole(connection, source);
    RaiseTableNotFound(source);
  }
  auto table = connection.Table(parsed->table);
  if (parsed->kind == detail::RecordSource::Kind::kDistinct) {
    const int column = table->FindColumn(parsed->column);
    if (column < 0) {
      vb::Raise(err::kTooFewParameters,
                "Too few parameters. Expected 1. (no such column: " + parsed->column + ")");
    }
    const std::string name = detail::QuoteName(table->columns[column]);
    return ReadWhole(connection, "SELECT DISTINCT " + name + " FROM " +
                                     detail::QuoteName(table->name) +
                                     (parsed->ordered ? " ORDER BY " + name : ""));
  }
  detail::Keyset keyset(connection, *table, parsed->where);
  return std::make_unique<Recordset::State>(std::move(table), std::move(keyset));
}

}  // namespace

std::shared_ptr<Recordset> Recordset::Open(std::shared_ptr<Database> database,
                                           const std::string& source) {
  auto state = OpenSource(database->Connection(), source);
  state->readColumn.assign(state->table->columns.size(), nullptr);
  state->position = state->keyset.First();
  state->bof = state->eof = !state->position.has_value();
  return std::shared_ptr<Recordset>(new Recordset(std::move(database), std::move(state)));
}

}  // namespace dao
