#pragma once
// The element index behind XmlDocument: one flat record per element, built
// by a single forward pass without recursion, so nesting depth is limited
// only by memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvex::xml {

struct XmlNode {
  size_t tagStart = 0;    // the '<' of the start tag
  size_t tagEnd = 0;      // just past the start tag's '>'
  size_t contentEnd = 0;  // the '<' of the end tag; tagEnd for an empty element
  size_t closeEnd = 0;    // just past the end tag; tagEnd for an empty element
  uint32_t nameLen = 0;   // the name starts at tagStart + 1
  int32_t parent = -1;
  int32_t firstChild = -1;
  int32_t lastChild = -1;
  int32_t nextSibling = -1;
  bool selfClosing = false;
};

// Index 0 of a node list is the document itself; roots are its children.
constexpr int32_t kDocumentNode = 0;

struct AttributeSpan {
  size_t nameStart = 0;
  size_t nameEnd = 0;
  size_t valueStart = 0;  // first character inside the quotes
  size_t valueEnd = 0;    // the closing quote
};

enum class AttributeStep { Attribute, TagEnd, SelfClose, Error };

// Reads the next attribute of a start tag from `pos` (just after the element
// name or the previous attribute). On TagEnd/SelfClose `pos` is left just
// past the '>'.
AttributeStep NextAttribute(std::string_view text, size_t& pos, AttributeSpan& span);

bool IsNameStartChar(unsigned char c);
bool IsNameChar(unsigned char c);

// Indexes `text`. On failure `nodes` holds only the document node and
// `error` names the fault ("lone_end_tag", "no_root_element", ...).
bool ParseXml(std::string_view text, std::vector<XmlNode>& nodes, std::string& error);

}  // namespace korvex::xml
