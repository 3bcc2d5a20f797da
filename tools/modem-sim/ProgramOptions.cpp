#include "modem-sim/ProgramOptions.h"

#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace modemsim {

namespace {

const std::set<std::string> kFlags = {"verbose", "help"};

int ParseCount(const std::string& value, int low, int high, const std::string& name) {
  if (value.empty() || value.size() > 4 || value.find_first_not_of("0123456789") != std::string::npos ||
      std::stoi(value) < low || std::stoi(value) > high) {
    throw std::invalid_argument(name + " expects a number from " + std::to_string(low) + " to " +
                                std::to_string(high) + ", not \"" + value + "\"");
  }
  return std::stoi(value);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::invalid_argument("cannot read the configuration file " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

void ApplyOption(const std::string& name, const std::string& value, ProgramOptions& options) {
  TerminalConfig& terminal = options.modem.terminal;
  if (name == "folder") {
    if (value.empty()) throw std::invalid_argument("folder expects a folder");
    options.folder = value;
  } else if (name == "port") {
    options.port = ParseCount(value, 1, 99, name);
  } else if (name == "number") {
    std::size_t equals = value.find('=');
    if (equals == std::string::npos || equals == 0) {
      throw std::invalid_argument("number expects NUMBER=BEHAVIOUR, not \"" + value + "\"");
    }
    options.modem.dialPlan.Add(value.substr(0, equals), ParseBehaviour(value.substr(equals + 1)));
  } else if (name == "default") {
    options.modem.dialPlan.SetDefault(ParseBehaviour(value));
  } else if (name == "units") {
    terminal.knownUnits = ParseUnitList(value);
  } else if (name == "echo") {
    terminal.echo = ParseOnOff(value);
  } else if (name == "modem-echo") {
    options.modem.echo = ParseOnOff(value);
  } else if (name == "id-prompts") {
    terminal.idPrompts = value == "every" ? TerminalConfig::kEveryLine : ParseCount(value, 0, 9999, name);
  } else if (name == "id-repeat") {
    terminal.idRepeatMs = ParseSeconds(value);
  } else if (name == "id-prompt") {
    terminal.idPrompt = value;
  } else if (name == "unit-prompt") {
    terminal.unitPrompt = value;
  } else if (name == "message-prompt") {
    terminal.messagePrompt = value;
  } else if (name == "accept") {
    terminal.acceptLine = value;
  } else if (name == "reject") {
    terminal.rejectLine = value;
  } else if (name == "pages") {
    options.pagesFile = value;
  } else if (name == "config") {
    ApplyConfigText(ReadFile(value), options);
  } else if (name == "verbose") {
    options.verbose = true;
  } else if (name == "help") {
    options.help = true;
  } else {
    throw std::invalid_argument("unknown option " + name);
  }
}

void ApplyConfigText(const std::string& text, ProgramOptions& options) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::size_t gap = line.find_first_of(" \t", first);
    std::string name = line.substr(first, gap == std::string::npos ? std::string::npos : gap - first);
    std::string value;
    if (gap != std::string::npos) {
      std::size_t start = line.find_first_not_of(" \t", gap);
      if (start != std::string::npos) value = line.substr(start);
    }
    try {
      if (!kFlags.contains(name) && gap == std::string::npos) throw std::invalid_argument(name + " needs a value");
      ApplyOption(name, value, options);
    } catch (const std::invalid_argument& error) {
      throw std::invalid_argument("line " + std::to_string(number) + ": " + error.what());
    }
  }
}

ProgramOptions ParseProgramOptions(const std::vector<std::string>& args) {
  ProgramOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.starts_with("--")) throw std::invalid_argument("unexpected argument " + arg);
    std::string name = arg.substr(2);
    std::string value;
    if (std::size_t equals = name.find('='); equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    } else if (!kFlags.contains(name)) {
      if (i + 1 >= args.size()) throw std::invalid_argument(arg + " needs a value");
      value = args[++i];
    }
    ApplyOption(name, value, options);
  }
  return options;
}

std::string UsageText() {
  return "usage: modem-sim [--folder DIR] [--port N] [--number NUM=BEHAVIOUR]... [--default BEHAVIOUR]\n"
         "                 [--units LIST] [--echo on|off] [--modem-echo on|off] [--id-prompts N|every]\n"
         "                 [--id-repeat SECONDS] [--id-prompt TEXT] [--unit-prompt TEXT]\n"
         "                 [--message-prompt TEXT] [--accept TEXT] [--reject TEXT] [--pages FILE]\n"
         "                 [--config FILE] [--verbose]\n"
         "Links a pseudo-terminal as DIR/comN with a simulated modem and paging terminal behind it,\n"
         "and runs until interrupted.\n"
         "BEHAVIOUR: connect[:DELAY[:SPEED]] | drop:AFTER[:DELAY[:SPEED]] | busy[:DELAY]\n"
         "           | nocarrier[:DELAY] | nodialtone[:DELAY] | silent   (times in seconds)\n";
}

}  // namespace modemsim
