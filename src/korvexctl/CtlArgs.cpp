#include "korvexctl/CtlArgs.h"

#include <cerrno>
#include <cstdlib>
#include <map>

namespace korvex {
namespace {

// How many operands each command (and each set target, after its name)
// takes: at least, at most. Values are checked by the command itself.
struct OperandCount {
  std::size_t min;
  std::size_t max;
};
const std::map<std::string, OperandCount> kCommands = {
    {"devices", {0, 0}}, {"show", {0, 0}}, {"profile", {1, 3}}, {"reset", {0, 1}}, {"help", {0, 0}}};
const std::map<std::string, OperandCount> kSetTargets = {
    {"dpi", {2, 2}},         {"dpi-count", {1, 1}}, {"dpi-index", {1, 1}},
    {"report-rate", {1, 1}}, {"liftoff", {1, 1}},   {"sleep", {1, 1}},
    {"lighting", {1, 32}}};

std::string CountText(const OperandCount& n, const char* one, const char* many) {
  std::string text = std::to_string(n.min);
  if (n.max != n.min) text += " to " + std::to_string(n.max);
  return text + (n.max == 1 ? one : many);
}

}  // namespace

const char* CtlUsage() {
  return "usage: korvexctl [--json] [--device TYPE] COMMAND\n"
         "commands:\n"
         "  devices                  the mice and receivers found: model, mode, online, battery, versions\n"
         "  show                     the active profile's settings (after reading the mouse)\n"
         "  set dpi STAGE VALUE      DPI of stage STAGE (1 to the stage count)\n"
         "  set dpi-count N          number of DPI stages, 1 to 6\n"
         "  set dpi-index N          active DPI stage, 1 to the stage count\n"
         "  set report-rate HZ       125, 250, 500, 1000 (2000, 4000, 8000 where the mouse offers them)\n"
         "  set liftoff 1|2          lift-off distance in millimetres\n"
         "  set sleep N              sleep after N minutes: 1, 2, 5, 10, 20 or 30\n"
         "  profile N                make profile N (1 to 4) active and write it to the mouse\n"
         "  reset                    restore the mouse and its settings to their defaults\n"
         "  profile export FILE [N]  profile N (default the active one) to the exchange file FILE\n"
         "  profile import FILE      FILE into the active profile, then written to the mouse\n"
         "  set lighting MODE [--brightness 0-4] [--speed 0-4] [--colour #RRGGBB ...]\n"
         "                           lighting mode off, flow, breathing, steady, neon or wave; colours\n"
         "                           (web order) only for modes with colour choice, slots 1, 2, ... in order\n"
         "  reset lighting           every profile's lighting back to its defaults, the mouse's lighting reset\n"
         "options:\n"
         "  --json                   machine-readable output on standard output\n"
         "  --device TYPE            use the model with this device type (as config.xml numbers it)\n"
         "exit codes: 0 done, 1 the mouse refused, 2 usage, 3 the window is running,\n"
         "            4 no mouse, 5 shipped files or data folder unusable\n";
}

bool ParseWholeNumber(const std::string& text, long long& value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || end == text.c_str() || *end != '\0' || text.front() == ' ') return false;
  value = v;
  return true;
}

bool ParseCtlArgs(const std::vector<std::string>& argv, CtlArgs& out, std::string& error) {
  out = CtlArgs{};
  std::size_t i = 0;
  for (; i < argv.size() && argv[i].rfind("--", 0) == 0; ++i) {
    if (argv[i] == "--json") {
      out.json = true;
    } else if (argv[i] == "--help") {
      out.command = "help";
      return true;
    } else if (argv[i] == "--device") {
      long long type = 0;
      if (i + 1 >= argv.size() || !ParseWholeNumber(argv[i + 1], type) || type <= 0 || type > 0x7FFFFFFF) {
        error = "--device needs a device type (a positive number)";
        return false;
      }
      out.deviceType = static_cast<int>(type);
      ++i;
    } else {
      error = "unknown option " + argv[i];
      return false;
    }
  }
  if (i >= argv.size()) {
    error = "no command given";
    return false;
  }
  out.command = argv[i++];
  out.operands.assign(argv.begin() + static_cast<long>(i), argv.end());

  if (out.command == "set") {
    if (out.operands.empty()) {
      error = "set needs a setting: dpi, dpi-count, dpi-index, report-rate, liftoff or sleep";
      return false;
    }
    auto target = kSetTargets.find(out.operands[0]);
    if (target == kSetTargets.end()) {
      error = "unknown setting " + out.operands[0];
      return false;
    }
    const std::size_t values = out.operands.size() - 1;
    if (values < target->second.min || values > target->second.max) {
      error = "set " + target->first + " takes " + CountText(target->second, " value", " values");
      return false;
    }
    return true;
  }
  auto command = kCommands.find(out.command);
  if (command == kCommands.end()) {
    error = "unknown command " + out.command;
    return false;
  }
  if (out.operands.size() < command->second.min || out.operands.size() > command->second.max) {
    error = out.command + " takes " + CountText(command->second, " operand", " operands");
    return false;
  }
  return true;
}

}  // namespace korvex
