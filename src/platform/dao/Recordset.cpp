#include "platform/dao/Recordset.h"

#include "platform/dao/Database.h"
#include "platform/dao/Errors.h"
#include "platform/dao/RecordsetState.h"
#include "platform/vb/RuntimeError.h"

namespace dao {

namespace {

[[noreturn]] void RaiseRecordDeleted() { vb::Raise(err::kRecordDeleted, "Record is deleted."); }

[[noreturn]] void RaiseReadOnly() {
  vb::Raise(err::kReadOnly, "Cannot update. Database or object is read-only.");
}

[[noreturn]] void RaiseNoAddNewOrEdit() {
  vb::Raise(err::kCannotUpdateRecord, "Update or CancelUpdate without AddNew or Edit.");
}

int ColumnOf(const detail::TableInfo& table, const std::string& name) {
  const int column = table.FindColumn(name);
  if (column < 0) RaiseItemNotFound();
  return column;
}

}  // namespace

Recordset::Recordset(std::shared_ptr<Database> database, std::unique_ptr<State> state)
    : database_(std::move(database)), state_(std::move(state)) {}

Recordset::~Recordset() = default;

detail::Connection& Recordset::Live() const {
  if (!state_ || !database_) RaiseObjectInvalid();
  return database_->Connection();
}

std::int64_t Recordset::CurrentKey() const {
  State& s = *state_;
  if (!s.position || s.bof || s.eof || s.onDeleted) RaiseNoCurrentRecord();
  const std::int64_t key = s.keyset.KeyAt(*s.position);
  if (!s.keyset.Exists(key)) RaiseRecordDeleted();
  return key;
}

void Recordset::DropBuffer() {
  state_->mode = State::Mode::kNone;
  state_->buffer.clear();
  state_->isSet.clear();
}

long Recordset::RecordCount() {
  Live();
  return state_->keyset.Count();
}

bool Recordset::Eof() const {
  Live();
  return state_->eof;
}

bool Recordset::Bof() const {
  Live();
  return state_->bof;
}

void Recordset::MoveFirst() {
  Live();
  DropBuffer();
  const auto first = state_->keyset.First();
  if (!first) RaiseNoCurrentRecord();
  state_->position = first;
  state_->bof = state_->eof = state_->onDeleted = false;
}

void Recordset::MoveNext() {
  Live();
  State& s = *state_;
  if (s.eof) RaiseNoCurrentRecord();
  DropBuffer();
  const auto next = s.keyset.Next(s.position);
  s.onDeleted = false;
  s.bof = false;
  if (next) {
    s.position = next;
  } else {
    s.eof = true;
  }
}

void Recordset::MoveLast() {
  Live();
  DropBuffer();
  const auto last = state_->keyset.Last();
  if (!last) RaiseNoCurrentRecord();
  state_->position = last;
  state_->bof = state_->eof = state_->onDeleted = false;
}

void Recordset::AddNew() {
  Live();
  if (!state_->Updatable()) RaiseReadOnly();
  DropBuffer();
  state_->mode = State::Mode::kAddNew;
  state_->buffer.assign(state_->table->columns.size(), std::nullopt);
  state_->isSet.assign(state_->table->columns.size(), '0');
}

void Recordset::Edit() {
  Live();
  if (!state_->Updatable()) RaiseReadOnly();
  DropBuffer();
  CurrentKey();
  state_->mode = State::Mode::kEdit;
  state_->buffer.assign(state_->table->columns.size(), std::nullopt);
  state_->isSet.assign(state_->table->columns.size(), '0');
}

void Recordset::SetField(const std::string& name, const Value& v) {
  Live();
  const int column = ColumnOf(*state_->table, name);
  if (state_->mode == State::Mode::kNone) RaiseNoAddNewOrEdit();
  state_->buffer[column] = v;
  state_->isSet[column] = '1';
}

Value Recordset::Field(const std::string& name) const {
  detail::Connection& connection = Live();
  State& s = *state_;
  const int column = ColumnOf(*s.table, name);
  if (s.mode == State::Mode::kAddNew || (s.mode == State::Mode::kEdit && s.isSet[column] == '1')) {
    return s.buffer[column];
  }
  if (s.rows) {
    if (!s.position || s.bof || s.eof) RaiseNoCurrentRecord();
    return (*s.rows)[static_cast<std::size_t>(s.keyset.KeyAt(*s.position))][column];
  }
  const std::int64_t key = CurrentKey();
  sqlite3_stmt*& read = s.readColumn[column];
  if (read == nullptr) {
    read = connection.Prepare("SELECT " + detail::QuoteName(s.table->columns[column]) +
                              " FROM " + detail::QuoteName(s.table->name) + " WHERE rowid = ?1");
  }
  detail::StatementUse use(connection, read);
  use.Bind(1, key);
  if (!use.Step()) {
    s.keyset.MarkGone(key);
    RaiseRecordDeleted();
  }
  return use.Text(0);
}

std::vector<Value> Recordset::Fields(const std::vector<std::string>& names) const {
  detail::Connection& connection = Live();
  State& s = *state_;
  if (s.rows || s.mode != State::Mode::kNone) {
    std::vector<Value> values;
    for (const std::string& name : names) values.push_back(Field(name));
    return values;
  }
  std::string columns;
  for (const std::string& name : names) {
    columns += (columns.empty() ? "" : ", ") + detail::QuoteName(s.table->columns[ColumnOf(*s.table, name)]);
  }
  const std::int64_t key = CurrentKey();
  detail::StatementUse use(
      connection, connection.Prepare("SELECT " + columns + " FROM " + detail::QuoteName(s.table->name) + " WHERE rowid = ?1"));
  use.Bind(1, key);
  if (!use.Step()) {
    s.keyset.MarkGone(key);
    RaiseRecordDeleted();
  }
  std::vector<Value> values;
  for (std::size_t i = 0; i < names.size(); ++i) values.push_back(use.Text(static_cast<int>(i)));
  return values;
}

void Recordset::Update() {
  detail::Connection& connection = Live();
  State& s = *state_;
  if (s.mode == State::Mode::kNone) RaiseNoAddNewOrEdit();
  const bool adding = s.mode == State::Mode::kAddNew;
  const std::int64_t key = adding ? 0 : CurrentKey();
  if (!adding && s.isSet.find('1') == std::string::npos) {
    DropBuffer();  // an Edit that changed nothing
    return;
  }

  sqlite3_stmt*& statement = s.writeStatements[(adding ? "A" : "E") + s.isSet];
  if (statement == nullptr) {
    const std::string table = detail::QuoteName(s.table->name);
    std::string columns;
    std::string values;
    int parameter = 1;
    for (std::size_t i = 0; i < s.isSet.size(); ++i) {
      if (s.isSet[i] != '1') continue;
      const std::string name = detail::QuoteName(s.table->columns[i]);
      const std::string marker = "?" + std::to_string(parameter++);
      const char* separator = columns.empty() ? "" : ", ";
      columns += separator + (adding ? name : name + " = " + marker);
      values += separator + marker;
    }
    std::string sql;
    if (!adding) {
      sql = "UPDATE " + table + " SET " + columns + " WHERE rowid = ?" + std::to_string(parameter);
    } else if (columns.empty()) {
      sql = "INSERT INTO " + table + " DEFAULT VALUES";
    } else {
      sql = "INSERT INTO " + table + " (" + columns + ") VALUES (" + values + ")";
    }
    statement = connection.Prepare(sql);
  }

  {
    detail::StatementUse use(connection, statement);
    int parameter = 1;
    for (std::size_t i = 0; i < s.isSet.size(); ++i) {
      if (s.isSet[i] == '1') use.Bind(parameter++, s.buffer[i]);
    }
    if (!adding) use.Bind(parameter, key);
    use.Run();
  }
  if (adding) {
    s.keyset.Append(sqlite3_last_insert_rowid(connection.Handle()));
  } else if (sqlite3_changes(connection.Handle()) == 0) {
    s.keyset.MarkGone(key);
    DropBuffer();
    RaiseRecordDeleted();
  }
  DropBuffer();
}

void Recordset::CancelUpdate() {
  Live();
  DropBuffer();
}

void Recordset::Delete() {
  detail::Connection& connection = Live();
  State& s = *state_;
  if (!s.Updatable()) RaiseReadOnly();
  const std::int64_t key = CurrentKey();
  DropBuffer();
  sqlite3_stmt*& statement = s.writeStatements["D"];
  if (statement == nullptr) {
    statement =
        connection.Prepare("DELETE FROM " + detail::QuoteName(s.table->name) + " WHERE rowid = ?1");
  }
  {
    detail::StatementUse use(connection, statement);
    use.Bind(1, key);
    use.Run();
  }
  s.keyset.MarkGone(key);
  if (sqlite3_changes(connection.Handle()) == 0) RaiseRecordDeleted();
  s.onDeleted = true;
}

void Recordset::Close() {
  Live();
  state_.reset();
  database_.reset();
}

bool Recordset::IsOpen() const { return state_ && database_ && database_->IsOpen(); }

void Recordset::CloseFromDatabase() { state_.reset(); }

}  // namespace dao
