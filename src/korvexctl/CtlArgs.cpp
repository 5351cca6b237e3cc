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
    {"devices", {0, 0}}, {"show", {0, 0}}, {"profile", {1, 3}}, {"reset", {0, 1}}, {"help", {0, 0}},
    {"update", {1, 2}}, {"macro", {1, 3}}};
const std::map<std::string, OperandCount> kSetTargets = {
    {"dpi", {2, 2}},         {"dpi-count", {1, 1}}, {"dpi-index", {1, 1}},
    {"report-rate", {1, 1}}, {"liftoff", {1, 1}},   {"sleep", {1, 1}},
    {"sensor", {2, 2}},      {"wake", {1, 1}},      {"lights-off-moving", {1, 1}},
    {"response-time", {1, 1}}, {"dpi-colour", {2, 2}}, {"button", {2, 2}},
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
         "  set sensor OPTION on|off sensor option angle, ripple or motion-sync (motion sync is not sent)\n"
         "  set wake on|off          wake the mouse when it is moved\n"
         "  set lights-off-moving on|off  lights off while the mouse moves\n"
         "  set response-time N      button response time, 0 to 20\n"
         "  set dpi-colour STAGE #RRGGBB  colour of a DPI stage (red, green, blue)\n"
         "  set button SLOT FUNCTION give button SLOT (1 to 9; 1, the left button, only 'default') a function:\n"
         "                           left right middle back forward wheel-up wheel-down fire-preset,\n"
         "                           key:[ctrl+][shift+][alt+][win+]KEY (a..z 0..9 f1..f24 enter esc backspace\n"
         "                           tab space minus equal home end pageup pagedown insert delete up down\n"
         "                           left right kp0..kp9 kp-enter kp-plus kp-minus kp-multiply kp-divide\n"
         "                           kp-decimal printscreen pause menu, or lctrl lshift lalt lwin rctrl rshift\n"
         "                           ralt rwin), media:volume-up|volume-down|mute|play-pause|stop|previous|\n"
         "                           next|player, dpi:up|down|cycle, special:1|2, fire:P1,P2 (5..255, 0..255),\n"
         "                           shortcut:brightness-up|brightness-down|calculator|computer|home|email|\n"
         "                           show-desktop|task-view|copy|paste|cut, macro:ID, disable, default\n"
         "  profile N                make profile N (1 to 4) active and write it to the mouse\n"
         "  reset                    restore the mouse and its settings to their defaults\n"
         "  reset dpi                the DPI stages back to the model's defaults\n"
         "  reset report-rate        the report rate back to the mouse's default\n"
         "  reset buttons            every button of the active profile back to its default function\n"
         "  update check             software and mouse firmware: current, latest, newer or not\n"
         "  update firmware [--yes]  download the newer mouse firmware and install it (asks unless --yes)\n"
         "  macro list               the stored macros: id, name, events, playback\n"
         "  macro show ID            one macro's events and whether the mouse plays them as shown\n"
         "  macro import FILE        add the macro of a single-macro file; prints its new id\n"
         "  macro import-all FILE    add every macro of an all-macros file; prints the new ids\n"
         "  macro export ID FILE     write macro ID to a single-macro file\n"
         "  macro export-all FILE    write every macro to an all-macros file\n"
         "  macro delete ID          delete macro ID (buttons bound to it get their defaults)\n"
         "  profile export FILE [N]  profile N (default the active one) to the exchange file FILE\n"
         "  profile import FILE      FILE into the active profile, then written to the mouse\n"
         "  set lighting MODE [--brightness 0-4] [--speed 0-4] [--colour #RRGGBB ...]\n"
         "                           lighting mode off, flow, breathing, steady, neon or wave; colours\n"
         "                           (web order) only for modes with colour choice, slots 1, 2, ... in order\n"
         "  reset lighting           every profile's lighting back to its defaults, the mouse's lighting reset\n"
         "options:\n"
         "  --json                   machine-readable output on standard output\n"
         "  --device TYPE            use the model with this device type (one config.xml lists;\n"
         "                           another number is a usage error, an absent model exit 4)\n"
         "Values are read from the mouse before every command; `show` prints what the mouse said.\n"
         "A second korvexctl waits up to 15 s for a running one to finish.\n"
         "exit codes:\n"
         "  0  done\n"
         "  1  the mouse refused a command or did not answer (also a plugged-in mouse that\n"
         "     does not say what it is); nothing further was changed\n"
         "  2  usage: unknown command or option, a value out of range, a device type config.xml\n"
         "     does not list; macro commands: an unknown id or a refused or unwritable file\n"
         "  3  the window is running and owns the mouse\n"
         "  4  no supported mouse or receiver, the model asked for is not plugged in, the mouse is\n"
         "     switched off or out of range, or it was unplugged or went away during the command\n"
         "  5  shipped files or the data folder unusable, or the settings database unusable or\n"
         "     busy (held by another program for more than 3 s); nothing was changed on the mouse\n"
         "  6  another korvexctl was still running after 15 s\n"
         "  7  the update server could not be reached or gave no usable answer\n"
         "environment: KORVEX_UPDATE_SERVER=http://HOST:PORT puts that server in place of the\n"
         "            configured update addresses' scheme and host\n";
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
      error = "set needs a setting: dpi, dpi-count, dpi-index, report-rate, liftoff, sleep or button";
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
