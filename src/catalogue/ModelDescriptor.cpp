#include "catalogue/ModelDescriptor.h"

#include <climits>

#include "xml/XmlDocument.h"

namespace korvex {
namespace {

std::string LookUp(const TextLookup& text, int id) { return text ? text(id) : std::string(); }

// "a#b#c": each part up to the next "#"; a missing "#" gives 0 for the parts after it.
void ReadRect(const std::string& rect, DescriptorButton& button) {
  size_t first = rect.find('#');
  button.rectA = DescriptorDecimal(rect.substr(0, first));
  button.rectB = 0;
  button.rectC = 0;
  if (first == std::string::npos) return;
  size_t second = rect.find('#', first + 1);
  button.rectB = DescriptorDecimal(rect.substr(first + 1, second - first - 1));
  if (second == std::string::npos) return;
  button.rectC = DescriptorDecimal(rect.substr(second + 1));
}

DescriptorButton ReadButton(const XmlDocument& doc) {
  DescriptorButton button;
  button.nameId = DescriptorDecimal(doc.GetAttribute("name"));
  button.keyValue = DescriptorDecimal(doc.GetAttribute("key_value"));
  button.direction = DescriptorDecimal(doc.GetAttribute("direction"));
  ReadRect(doc.GetAttribute("rect"), button);
  button.funcDescId = DescriptorDecimal(doc.GetAttribute("func_desc"));
  button.funcType = DescriptorDecimal(doc.GetAttribute("func_type"));
  button.funcValue = DescriptorDecimal(doc.GetAttribute("func_value"));
  return button;
}

KeyAssignmentRecord DefaultAssignment(const DescriptorButton& button, const TextLookup& text) {
  KeyAssignmentRecord record;
  record.key_code = button.keyValue;
  record.layout_value = button.keyValue;
  record.layout_desc = LookUp(text, button.nameId);
  record.macro_type = button.funcType;
  record.macro_value = button.funcValue;
  record.macro_desc = LookUp(text, button.funcDescId);
  return record;
}

// The list is rebuilt from scratch whenever `mouse_key` is present.
void ReadButtons(XmlDocument& doc, const TextLookup& text, ModelDescriptor& descriptor) {
  descriptor.buttons.clear();
  descriptor.defaultAssignments.clear();
  doc.EnterElement();
  while (doc.FindNext("key")) {
    DescriptorButton button = ReadButton(doc);
    descriptor.defaultAssignments.push_back(DefaultAssignment(button, text));
    descriptor.buttons.push_back(button);
  }
  doc.LeaveElement();
}

void ReadLightFlags(XmlDocument& doc, ModelDescriptor& descriptor) {
  if (!doc.FindNext("light_info")) return;
  doc.EnterElement();
  for (size_t i = 0; i < descriptor.lightEnable.size(); ++i) {
    if (doc.FindNext("light_" + std::to_string(i + 1)))
      descriptor.lightEnable[i] = DescriptorDecimal(doc.GetAttribute("enable")) == 1;
  }
  doc.LeaveElement();
}

}  // namespace

std::string DescriptorPath(const std::string& appFolder, const std::string& deviceAttr) {
  std::string path = appFolder;
  if (!path.empty() && path.back() != '/') path += '/';
  return path + "device/" + deviceAttr + ".xml";
}

int DescriptorDecimal(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;  // saturate below
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

bool ReadModelDescriptor(const std::string& path, const TextLookup& text, ModelDescriptor& descriptor) {
  XmlDocument doc;
  if (!doc.LoadFile(path)) return false;
  return ReadModelDescriptor(doc, text, descriptor);
}

bool ReadModelDescriptor(XmlDocument& d, const TextLookup& text, ModelDescriptor& descriptor) {
  if (!d.IsWellFormed() || !d.FindNext("mouse") || !d.EnterElement()) return false;

  descriptor.firmwareUrl.clear();
  if (d.FindNext("image_file")) descriptor.mouseImage = "device/" + d.GetAttribute("mouse_img");
  if (d.FindNext("menu")) descriptor.hasLighting = DescriptorDecimal(d.GetAttribute("light")) == 1;
  if (d.FindNext("firmware")) descriptor.firmwareUrl = d.GetAttribute("url");
  if (d.FindNext("mouse_key")) ReadButtons(d, text, descriptor);
  if (d.FindNext("mouse_info")) {
    d.EnterElement();
    ReadLightFlags(d, descriptor);
    d.LeaveElement();
  }
  return true;
}

}  // namespace korvex
