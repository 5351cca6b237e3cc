#include "sim/VmouseControl.h"

#include <charconv>
#include <functional>
#include <map>

#include "sim/HexText.h"

namespace korvex::sim {
namespace {

bool ToInt(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  const auto r = std::from_chars(text.data(), end, value);
  return !text.empty() && r.ec == std::errc() && r.ptr == end;
}

using Words = std::vector<std::string>;
using Handler = std::function<bool(VirtualMouseHub&, const Words&, std::string&)>;

struct Command {
  std::size_t arguments;  // words after the command itself
  Handler run;
};

Handler ByName(bool (VirtualMouseHub::*control)(const std::string&)) {
  return [control](VirtualMouseHub& hub, const Words& w, std::string&) {
    return (hub.*control)(w[1]);
  };
}

Handler Counter(void (VirtualMouseHub::*set)(int)) {
  return [set](VirtualMouseHub& hub, const Words& w, std::string& out) {
    int n = 0;
    if (!ToInt(w[1], n) || n < 0) {
      out = "not a count: " + w[1];
      return false;
    }
    (hub.*set)(n);
    return true;
  };
}

bool Battery(VirtualMouseHub& hub, const Words& w, std::string& out) {
  int level = 0, state = 0;
  if (!ToInt(w[2], level) || !ToInt(w[3], state)) {
    out = "battery wants LEVEL (0-100) and STATE (0-255)";
    return false;
  }
  return hub.SetBattery(w[1], level, state);
}

bool Slot(VirtualMouseHub& hub, const Words& w, std::string& out) {
  int slot = 0;
  if (!ToInt(w[2], slot)) {
    out = "not a slot: " + w[2];
    return false;
  }
  return hub.SetActiveSlot(w[1], slot);
}

bool Inject(VirtualMouseHub& hub, const Words& w, std::string& out) {
  int iface = 0;
  std::vector<std::uint8_t> bytes;
  if (!ToInt(w[2], iface) || !FromHex(w[3], bytes)) {
    out = "inject wants NAME INTERFACE HEXBYTES";
    return false;
  }
  return hub.InjectReport(w[1], iface, bytes);
}

const std::map<std::string, Command>& Commands() {
  static const std::map<std::string, Command> commands = {
      {"plug", {1, ByName(&VirtualMouseHub::Plug)}},
      {"unplug", {1, ByName(&VirtualMouseHub::Unplug)}},
      {"mouse-off", {1, ByName(&VirtualMouseHub::MouseOff)}},
      {"mouse-on", {1, ByName(&VirtualMouseHub::MouseOn)}},
      {"dpi-button", {1, ByName(&VirtualMouseHub::PressDpiButton)}},
      {"battery", {3, Battery}},
      {"slot", {2, Slot}},
      {"inject", {3, Inject}},
      {"delay", {1, Counter(&VirtualMouseHub::SetReplyDelay)}},
      {"nak", {1, Counter(&VirtualMouseHub::Nak)}},
      {"drop", {1, Counter(&VirtualMouseHub::Drop)}},
  };
  return commands;
}

bool Status(VirtualMouseHub& hub, const Words& w, std::string& out) {
  if (w.size() == 1) {
    out = hub.Status();
    return true;
  }
  DeviceSnapshot s;
  if (w.size() != 2 || !hub.Snapshot(w[1], s)) {
    out = "status wants at most one known device";
    return false;
  }
  out = FormatDeviceStatus(s);
  return true;
}

}  // namespace

const char* ControlUsage() {
  return "  plug NAME | unplug NAME | mouse-off NAME | mouse-on NAME\n"
         "  battery NAME LEVEL STATE | dpi-button NAME | slot NAME N\n"
         "  delay MS | nak N | drop N | status [NAME] | inject NAME INTERFACE HEX\n"
         "  NAME: k1, k3, k3-receiver, k5, k5-receiver, classic, or vid:pid\n";
}

bool RunControlCommand(VirtualMouseHub& hub, const std::vector<std::string>& words,
                       std::string& output) {
  output.clear();
  if (words.empty()) {
    output = "no command";
    return false;
  }
  if (words[0] == "status") return Status(hub, words, output);
  const auto it = Commands().find(words[0]);
  if (it == Commands().end()) {
    output = "unknown command: " + words[0];
    return false;
  }
  if (words.size() != it->second.arguments + 1) {
    output = words[0] + ": wrong number of arguments";
    return false;
  }
  if (it->second.run(hub, words, output)) {
    if (output.empty()) output = "ok";
    return true;
  }
  if (output.empty()) output = words[0] + " " + words[1] + ": refused (unknown device or not possible)";
  return false;
}

}  // namespace korvex::sim
