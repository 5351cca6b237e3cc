#include "sim/DeviceRoster.h"

#include <algorithm>
#include <cctype>

namespace korvex::sim {
namespace {

MouseIdentity K1Mouse() { return {"K1WD", 38, 0x00, 0x0001, 1, 0x30, false}; }
MouseIdentity K3Mouse() { return {"K3WL", 53, 0x10, 0x0002, 1, 0x30, true}; }
MouseIdentity K5Mouse() { return {"K5PR", 49, 0x40, 0x0004, 1, 0x30, true}; }
MouseIdentity ClassicMouse() { return {"CL01", 99, 0x00, 0x0005, 1, 0x05, false}; }

std::uint16_t ReleaseOf(const MouseIdentity& m) {
  return static_cast<std::uint16_t>((m.firmwareMajor << 8) | m.firmwareMinor);
}

DeviceSpec Wired(const char* name, std::uint16_t pid, const char* product, MouseIdentity m) {
  DeviceSpec d;
  d.name = name;
  d.productId = pid;
  d.release = ReleaseOf(m);
  d.product = product;
  d.mouse = std::move(m);
  return d;
}

DeviceSpec Receiver(const char* name, MouseIdentity m) {
  DeviceSpec d;
  d.name = name;
  d.productId = 0x0003;
  d.release = 0x0112;
  d.product = "Korvex 2.4G Receiver";
  d.receiver = true;
  d.mouse = std::move(m);
  return d;
}

bool Lookup(const std::string& name, DeviceSpec& out) {
  if (name == "k1") out = Wired("k1", 0x0001, "Korvex K1", K1Mouse());
  else if (name == "k3") out = Wired("k3", 0x0002, "Korvex K3 Wireless", K3Mouse());
  else if (name == "k3-receiver" || name == "receiver") out = Receiver("k3-receiver", K3Mouse());
  else if (name == "k5") out = Wired("k5", 0x0004, "Korvex K5 Pro", K5Mouse());
  else if (name == "k5-receiver") out = Receiver("k5-receiver", K5Mouse());
  else if (name == "classic") out = Wired("classic", 0x0005, "Korvex Classic", ClassicMouse());
  else return false;
  return true;
}

std::string Trim(const std::string& s) {
  auto b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  auto e = s.find_last_not_of(" \t");
  std::string t = s.substr(b, e - b + 1);
  std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return std::tolower(c); });
  return t;
}

}  // namespace

std::vector<std::string> KnownDeviceNames() {
  return {"k1", "k3", "k3-receiver", "k5", "k5-receiver", "classic"};
}

std::vector<DeviceSpec> DefaultRoster() {
  std::vector<DeviceSpec> out;
  std::string error;
  ParseDeviceSpec("k1,k3,k3-receiver,k5,classic", out, error);
  return out;
}

bool ParseDeviceSpec(const std::string& text, std::vector<DeviceSpec>& out, std::string& error) {
  out.clear();
  const std::string whole = Trim(text);
  if (whole.empty() || whole == "all" || whole == "default") {
    out = DefaultRoster();
    return true;
  }
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    const std::string name = Trim(text.substr(start, comma - start));
    DeviceSpec entry;
    if (!Lookup(name, entry)) {
      error = "unknown device '" + name + "'";
      out.clear();
      return false;
    }
    for (const auto& d : out) {
      if (d.name == entry.name) {
        error = "device '" + entry.name + "' named twice";
        out.clear();
        return false;
      }
    }
    out.push_back(std::move(entry));
    start = comma + 1;
  }
  return true;
}

}  // namespace korvex::sim
