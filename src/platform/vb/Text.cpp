#include "platform/vb/Text.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace vb {

std::string Str(long long value) {
  return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

std::string LTrim(std::string_view text) {
  std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string RTrim(std::string_view text) {
  std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Trim(std::string_view text) { return LTrim(RTrim(text)); }

std::string UCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string Left(std::string_view text, std::size_t n) { return std::string(text.substr(0, n)); }

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Collects the characters of a leading decimal number (blanks inside are dropped) into a form
// strtod reads. Returns the number of input characters consumed.
std::size_t CollectDecimal(std::string_view text, std::size_t i, std::string& out) {
  auto skip_blanks = [&] {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
  };
  skip_blanks();
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
  bool digits = false;
  bool point = false;
  while (i < text.size()) {
    char c = text[i];
    if (IsDigit(c)) {
      out += c;
      digits = true;
    } else if (c == '.' && !point) {
      out += c;
      point = true;
    } else if (c != ' ' && c != '\t') {
      break;
    }
    ++i;
  }
  if (digits && i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    std::size_t start = j;
    while (j < text.size() && IsDigit(text[j])) exponent += text[j++];
    if (j > start) {
      out += exponent;
      i = j;
    }
  }
  if (!digits) out.clear();
  return i;
}

}  // namespace

double Val(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
  if (i + 1 < text.size() && text[i] == '&') {
    int base = 0;
    char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    if (kind == 'H') base = 16;
    if (kind == 'O') base = 8;
    if (base != 0) {
      long long value = 0;
      for (std::size_t j = i + 2; j < text.size(); ++j) {
        int digit = std::isxdigit(static_cast<unsigned char>(text[j]))
                        ? (IsDigit(text[j]) ? text[j] - '0' : std::toupper(static_cast<unsigned char>(text[j])) - 'A' + 10)
                        : 99;
        if (digit >= base) break;
        value = value * base + digit;
        if (value > 0xFFFFFFFFLL) break;
      }
      return static_cast<double>(value);
    }
  }
  std::string number;
  CollectDecimal(text, i, number);
  if (number.empty()) return 0.0;
  return std::strtod(number.c_str(), nullptr);
}

Int16 CInt(double value) {
  if (!std::isfinite(value)) Raise(err::kOverflow);
  double rounded = std::nearbyint(value);  // the default rounding mode rounds halves to even
  if (rounded < Int16::kMin || rounded > Int16::kMax) Raise(err::kOverflow);
  return Int16(static_cast<long long>(rounded));
}

Int16 LeadingInt16(std::string_view text) { return CInt(Val(text)); }

Int16 CIntText(std::string_view text) {
  std::string trimmed = Trim(text);
  std::size_t i = 0;
  if (i < trimmed.size() && (trimmed[i] == '+' || trimmed[i] == '-')) ++i;
  bool digits = false;
  bool point = false;
  for (; i < trimmed.size(); ++i) {
    char c = trimmed[i];
    if (IsDigit(c)) {
      digits = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits && i < trimmed.size() && (trimmed[i] == 'e' || trimmed[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < trimmed.size() && (trimmed[j] == '+' || trimmed[j] == '-')) ++j;
    std::size_t start = j;
    while (j < trimmed.size() && IsDigit(trimmed[j])) ++j;
    if (j > start) i = j;
  }
  if (!digits || i != trimmed.size()) Raise(err::kTypeMismatch);
  return CInt(std::strtod(trimmed.c_str(), nullptr));
}

}  // namespace vb
