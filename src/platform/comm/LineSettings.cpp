#include <array>
#include <cctype>
#include <string>
#include <vector>

#include "platform/comm/SerialBackend.h"
#include "platform/vb/RuntimeError.h"

namespace comm {
namespace {

constexpr std::array kSupportedRates{110,   300,   600,   1200,   2400,   4800,   9600,
                                     14400, 19200, 28800, 38400,  56000,  57600,  115200,
                                     128000, 230400, 256000};

std::string Trimmed(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

std::vector<std::string> SplitAtCommas(const std::string& text) {
  std::vector<std::string> items;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = text.find(',', start);
    items.push_back(Trimmed(text.substr(start, comma - start)));
    if (comma == std::string::npos) return items;
    start = comma + 1;
  }
}

[[noreturn]] void Refuse() { vb::Raise(vb::err::kInvalidPropertyValue); }

// A whole number of plain digits, at most 9 of them so it cannot overflow.
int DigitsValue(const std::string& item) {
  if (item.empty() || item.size() > 9) Refuse();
  int value = 0;
  for (char c : item) {
    if (c < '0' || c > '9') Refuse();
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

bool IsSupportedRate(int baud) {
  for (int rate : kSupportedRates) {
    if (rate == baud) return true;
  }
  return false;
}

LineSettings ParseSettings(const std::string& text) {
  std::vector<std::string> items = SplitAtCommas(text);
  if (items.size() != 4) Refuse();

  LineSettings settings;
  settings.baud = DigitsValue(items[0]);
  if (!IsSupportedRate(settings.baud)) Refuse();

  if (items[1].size() != 1) Refuse();
  settings.parity = static_cast<char>(std::tolower(static_cast<unsigned char>(items[1][0])));
  if (std::string("neoms").find(settings.parity) == std::string::npos) Refuse();

  settings.dataBits = DigitsValue(items[2]);
  if (settings.dataBits < 5 || settings.dataBits > 8) Refuse();

  if (items[3] == "1") {
    settings.stopBits = 1;
  } else if (items[3] == "2") {
    settings.stopBits = 2;
  } else {
    Refuse();
  }
  return settings;
}

std::int64_t SendTimeMs(const LineSettings& settings, std::size_t characters) {
  const std::int64_t bitsPerCharacter =
      1 + settings.dataBits + (settings.parity == 'n' ? 0 : 1) + static_cast<int>(settings.stopBits);
  const std::int64_t baud = settings.baud > 0 ? settings.baud : 1;
  const std::int64_t bitMs = static_cast<std::int64_t>(characters) * bitsPerCharacter * 1000;
  return (bitMs + baud - 1) / baud;
}

}  // namespace comm
