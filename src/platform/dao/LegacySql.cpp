#include "platform/dao/LegacySql.h"

#include "platform/dao/Connection.h"

namespace dao::detail {

namespace {

// A cursor over the text, one token at a time.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\r' || text_[pos_] == '\n')) {
      ++pos_;
    }
  }

  // True (and consumed) when the next word is `keyword` in any letter case.
  bool Keyword(std::string_view keyword) {
    SkipBlanks();
    const std::size_t end = pos_ + keyword.size();
    if (end > text_.size() || !EqualsNoCase(text_.substr(pos_, keyword.size()), keyword)) {
      return false;
    }
    if (end < text_.size() && IsWordChar(text_[end])) return false;
    pos_ = end;
    return true;
  }

  bool Symbol(char symbol) {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == symbol) {
      ++pos_;
      return true;
    }
    return false;
  }

  // A name: [anything but a closing bracket] or a run of letters, digits and underscores.
  std::optional<std::string> Name() {
    SkipBlanks();
    if (pos_ >= text_.size()) return std::nullopt;
    if (text_[pos_] == '[') {
      const std::size_t close = text_.find(']', pos_ + 1);
      if (close == std::string_view::npos || close == pos_ + 1) return std::nullopt;
      std::string name(text_.substr(pos_ + 1, close - pos_ - 1));
      pos_ = close + 1;
      return name;
    }
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsWordChar(text_[pos_])) ++pos_;
    if (pos_ == start) return std::nullopt;
    return std::string(text_.substr(start, pos_ - start));
  }

  // A text literal in single quotes; '' inside stands for one quote.
  std::optional<std::string> Literal() {
    SkipBlanks();
    if (pos_ >= text_.size() || text_[pos_] != '\'') return std::nullopt;
    std::string value;
    for (std::size_t i = pos_ + 1; i < text_.size(); ++i) {
      if (text_[i] != '\'') {
        value += text_[i];
      } else if (i + 1 < text_.size() && text_[i + 1] == '\'') {
        value += '\'';
        ++i;
      } else {
        pos_ = i + 1;
        return value;
      }
    }
    return std::nullopt;  // unterminated
  }

  bool AtEnd() {
    Symbol(';');
    SkipBlanks();
    return pos_ == text_.size();
  }

 private:
  static bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '_';
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

// "[T.]C = 'text'": the qualifier, when given, must name the query's table.
std::optional<Condition> ParseCondition(Scanner& scan, const std::string& table) {
  auto first = scan.Name();
  if (!first) return std::nullopt;
  std::string column = *first;
  if (scan.Symbol('.')) {
    if (!EqualsNoCase(*first, table)) return std::nullopt;
    auto second = scan.Name();
    if (!second) return std::nullopt;
    column = *second;
  }
  if (!scan.Symbol('=')) return std::nullopt;
  auto text = scan.Literal();
  if (!text) return std::nullopt;
  return Condition{column, *text};
}

std::optional<RecordSource> ParseSelect(Scanner& scan) {
  RecordSource source;
  if (scan.Keyword("distinct")) {
    source.kind = RecordSource::Kind::kDistinct;
    auto column = scan.Name();
    if (!column || !scan.Keyword("from")) return std::nullopt;
    auto table = scan.Name();
    if (!table) return std::nullopt;
    source.column = *column;
    source.table = *table;
    if (scan.Keyword("order")) {
      auto orderColumn = scan.Keyword("by") ? scan.Name() : std::nullopt;
      if (!orderColumn || !EqualsNoCase(*orderColumn, *column)) return std::nullopt;
      scan.Keyword("asc");
      source.ordered = true;
    }
    if (!scan.AtEnd()) return std::nullopt;
    return source;
  }
  if (!scan.Symbol('*') || !scan.Keyword("from")) return std::nullopt;
  auto table = scan.Name();
  if (!table) return std::nullopt;
  source.table = *table;
  if (scan.Keyword("where")) {
    do {
      auto condition = ParseCondition(scan, source.table);
      if (!condition) return std::nullopt;
      source.where.push_back(*condition);
    } while (scan.Keyword("and"));
  }
  if (!scan.AtEnd()) return std::nullopt;
  return source;
}

}  // namespace

std::optional<RecordSource> ParseRecordSource(std::string_view text) {
  Scanner scan(text);
  if (scan.Keyword("select")) return ParseSelect(scan);
  Scanner bare(text);
  auto table = bare.Name();
  if (!table || !bare.AtEnd()) return std::nullopt;
  RecordSource source;
  source.table = *table;
  return source;
}

std::optional<std::string> ParseDeleteAll(std::string_view text) {
  Scanner scan(text);
  if (!scan.Keyword("delete")) return std::nullopt;
  std::optional<std::string> qualifier;
  if (scan.Symbol('*')) {
    if (!scan.Keyword("from")) return std::nullopt;
  } else if (!scan.Keyword("from")) {
    qualifier = scan.Name();
    if (!qualifier || !scan.Symbol('.') || !scan.Symbol('*') || !scan.Keyword("from")) {
      return std::nullopt;
    }
  }
  auto table = scan.Name();
  if (!table || !scan.AtEnd()) return std::nullopt;
  if (qualifier && !EqualsNoCase(*qualifier, *table)) return std::nullopt;
  return table;
}

}  // namespace dao::detail
