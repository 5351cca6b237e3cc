#pragma once
// The XML reader and writer behind config.xml, the model descriptors and the
// profile and macro exchange files. The document is kept as UTF-8 text with
// an index of its elements and is navigated by position: a parent element, a
// current element among its children, forward search by name among the
// following siblings, attributes of the current element. No object tree is
// handed out; callers walk known element names in a known order.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "xml/XmlParser.h"

namespace korvex {

class XmlDocument {
 public:
  XmlDocument();

  // Replaces the text, indexes it and moves to document level. Starting a
  // new document: SetText("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n").
  void SetText(const std::string& text);

  // Reads and indexes a file; true only when it was read and is well formed.
  bool LoadFile(const std::string& path);
  // The same from bytes already in memory (encoding detection included).
  bool LoadBytes(std::string_view bytes);

  // Searches the siblings after the current element (from the parent's first
  // child when there is none) for `name`, exact case. Position unchanged on
  // failure.
  bool FindNext(const std::string& name);
  bool EnterElement();
  bool LeaveElement();

  // Decoded value of the current element's attribute; empty when missing.
  std::string GetAttribute(const std::string& name) const;

  // Adds an empty element on a line of its own after the current element, or
  // as the parent's last child when there is no current element, and makes
  // it current. A second root element is refused.
  bool AppendElement(const std::string& name);
  // Adds or replaces an attribute of the current element; the value is escaped.
  bool SetAttribute(const std::string& name, const std::string& value);

  // Writes the text in the encoding its declaration names (UTF-8 without
  // one), without a byte-order mark. The file is replaced atomically.
  bool SaveFile(const std::string& path) const;

  const std::string& Text() const { return text_; }
  // True when the last SetText/LoadFile text was well formed.
  bool IsWellFormed() const { return wellFormed_; }
  // Space-separated diagnostic names of the last read, write or parse.
  const std::string& Result() const { return result_; }

 private:
  void Index();
  void AddResult(const char* name) const;
  std::string_view NameOf(int32_t node) const;
  bool FindAttribute(int32_t node, std::string_view name, xml::AttributeSpan& span, size_t& attrEnd) const;
  void Replace(size_t pos, size_t removed, const std::string& inserted);
  int32_t AddNode(size_t tagStart, size_t nameLen, int32_t parent, int32_t after);
  bool AppendToDocument(const std::string& name);
  bool AppendAfterCurrent(const std::string& name);
  bool AppendAsLastChild(const std::string& name);
  std::string DeclaredEncoding() const;

  std::string text_;
  std::vector<xml::XmlNode> nodes_;
  int32_t parent_ = xml::kDocumentNode;
  int32_t current_ = -1;
  bool wellFormed_ = false;
  bool writable_ = true;
  mutable std::string result_;
};

}  // namespace korvex
