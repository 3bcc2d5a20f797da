#include "setup/ModemChoices.h"

namespace pager {

namespace {

// The index of `text` in `names`, or nullopt.
std::optional<int> IndexOf(const std::vector<std::string>& names, const std::string& text) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == text) return static_cast<int>(i);
  }
  return std::nullopt;
}

// The name at the index that a one-digit item gives, counted from `first`; nullopt otherwise.
std::optional<std::string> NameOfDigit(const std::vector<std::string>& names, const std::string& item, char first) {
  if (item.size() != 1 || item[0] < first) return std::nullopt;
  const auto index = static_cast<std::size_t>(item[0] - first);
  if (index >= names.size()) return std::nullopt;
  return names[index];
}

}  // namespace

const std::vector<std::string>& PortNames() {
  static const std::vector<std::string> names{"Com 1", "Com 2", "Com 3", "Com 4"};
  return names;
}

const std::vector<std::string>& BaudRates() {
  static const std::vector<std::string> rates{"110",   "300",   "600",   "1200",  "2400",   "9600",  "14400",
                                              "19200", "28800", "38400", "56000", "128000", "256000"};
  return rates;
}

const std::vector<std::string>& DialModes() {
  static const std::vector<std::string> modes{"TONE", "PULSE"};
  return modes;
}

const std::vector<std::string>& HandshakingNames() {
  static const std::vector<std::string> names{"No handshaking", "XOn/XOff", "RTS/CTS", "RTS/XOn/XOff"};
  return names;
}

std::optional<int> PortNumberOf(const std::string& name) {
  const auto index = IndexOf(PortNames(), name);
  if (!index) return std::nullopt;
  return *index + 1;
}

std::optional<int> HandshakingCodeOf(const std::string& name) { return IndexOf(HandshakingNames(), name); }

std::optional<std::string> PortNameOfItem(const std::string& item) { return NameOfDigit(PortNames(), item, '1'); }

std::optional<std::string> HandshakingNameOfItem(const std::string& item) {
  return NameOfDigit(HandshakingNames(), item, '0');
}

std::optional<std::string> DialCommandOf(const std::string& dialMode) {
  if (dialMode == "TONE") return std::string("ATDT");
  if (dialMode == "PULSE") return std::string("ATDP");
  return std::nullopt;
}

}  // namespace pager
