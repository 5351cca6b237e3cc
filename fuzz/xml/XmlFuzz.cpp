// libFuzzer entry over the file read path: encoding choice, conversion,
// indexing, then a walk and a few edits on whatever was accepted.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "xml/XmlDocument.h"

namespace {

void Walk(korvex::XmlDocument& doc, std::string_view bytes) {
  // Names taken from the input so the search also hits real elements.
  const std::string name(bytes.substr(bytes.size() > 3 ? 1 : 0, bytes.size() > 3 ? 2 : 0));
  int steps = 0;
  while (steps++ < 64) {
    if (!doc.FindNext("a") && !doc.FindNext(name) && !doc.FindNext("config")) break;
    doc.GetAttribute("v");
    doc.GetAttribute(name);
    if (!doc.EnterElement()) break;
  }
  doc.AppendElement("n");
  doc.SetAttribute("v", "&<>\"'");
  doc.LeaveElement();
  doc.SetAttribute("w", std::string(bytes.substr(0, 16)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  korvex::XmlDocument doc;
  const bool ok = doc.LoadBytes(bytes);
  Walk(doc, bytes);
  // An accepted document stays well formed through the edits above.
  if (ok) {
    korvex::XmlDocument again;
    again.SetText(doc.Text());
    if (!again.IsWellFormed()) __builtin_trap();
  }
  return 0;
}
