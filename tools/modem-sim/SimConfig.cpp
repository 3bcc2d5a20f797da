#include "modem-sim/SimConfig.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace modemsim {

bool ParseOnOff(std::string_view text) {
  if (text == "on" || text == "1" || text == "yes") return true;
  if (text == "off" || text == "0" || text == "no") return false;
  throw std::invalid_argument("expected on or off, not \"" + std::string(text) + "\"");
}

std::int64_t ParseSeconds(std::string_view text) {
  std::string copy(text);
  char* end = nullptr;
  double seconds = copy.empty() ? -1 : std::strtod(copy.c_str(), &end);
  bool plain = !copy.empty() && copy.find_first_not_of("0123456789.") == std::string::npos;
  if (!plain || end != copy.c_str() + copy.size() || !(seconds >= 0) || seconds > 1e6) {
    throw std::invalid_argument("expected a number of seconds, not \"" + copy + "\"");
  }
  return static_cast<std::int64_t>(std::llround(seconds * 1000));
}

std::vector<std::string> ParseUnitList(std::string_view text) {
  std::vector<std::string> units;
  if (text == "all") return units;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    std::string_view item = text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    std::size_t first = item.find_first_not_of(' ');
    if (first != std::string_view::npos) {
      std::size_t last = item.find_last_not_of(' ');
      units.emplace_back(item.substr(first, last - first + 1));
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return units;
}

}  // namespace modemsim
