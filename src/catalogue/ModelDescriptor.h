#pragma once
// A model's descriptor file ("device/<device_attr>.xml" in the application
// folder): the mouse picture, the lighting flag, the firmware location, the
// buttons with their default functions and the lighting modes it offers.
// The file is read with forward search, so its element order is part of the
// format: an element standing before the one found last is not seen.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "store/StoreRecords.h"
#include "store/StoreSchema.h"

namespace korvex {

class XmlDocument;

// Which of light_1 .. light_6 a descriptor enables: lighting modes 1 to 5
// and the "off" mode 0.
using LightEnableFlags = std::array<bool, kLightModeCount>;

// Looks up interface text N of the current language.
using TextLookup = std::function<std::string(int)>;

// One `key` of `mouse_key`.
struct DescriptorButton {
  int nameId = 0;      // text id of the button's name
  int keyValue = 0;    // button number (key_code)
  int direction = 0;   // side of the label on the mouse picture
  int rectA = 0;       // the label line runs from (rectA, rectC) ...
  int rectB = 0;       // ... to (rectB, rectC)
  int rectC = 0;
  int funcDescId = 0;  // text id of the default function's name
  int funcType = 0;    // default function kind (macro_type)
  int funcValue = 0;   // default function parameter (macro_value)
};

struct ModelDescriptor {
  std::string mouseImage;  // "device/" + mouse_img, relative to the application folder
  bool hasLighting = false;
  std::string firmwareUrl;
  std::vector<DescriptorButton> buttons;
  // One per button: key_code = layout_value = key_value, layout_desc = name
  // text, macro_type/macro_value = the default function, macro_desc = its text.
  std::vector<KeyAssignmentRecord> defaultAssignments;
  LightEnableFlags lightEnable{};
};

// "<appFolder>/device/<deviceAttr>.xml".
std::string DescriptorPath(const std::string& appFolder, const std::string& deviceAttr);

// Reads the descriptor at path into `descriptor`. False, with `descriptor`
// untouched, when the file cannot be read, is not well formed or has no
// `mouse`. Otherwise each element that is found replaces its part and a
// missing one leaves its part as it was, except the firmware location: it
// belongs to exactly one model and is empty unless this file names one.
bool ReadModelDescriptor(const std::string& path, const TextLookup& text, ModelDescriptor& descriptor);

// The same on a document just loaded (at document level).
bool ReadModelDescriptor(XmlDocument& doc, const TextLookup& text, ModelDescriptor& descriptor);

// Decimal attribute text as the descriptor formats read it: optional spaces
// and sign, then digits; anything else ends the number, nothing gives 0.
int DescriptorDecimal(const std::string& text);

}  // namespace korvex
