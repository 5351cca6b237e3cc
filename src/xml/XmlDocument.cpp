#include "xml/XmlDocument.h"

#include "xml/XmlEncoding.h"
#include "xml/XmlEntities.h"
#include "xml/XmlTextCodec.h"

namespace korvex {
namespace {

using xml::AttributeSpan;
using xml::AttributeStep;
using xml::XmlNode;

// Files larger than this are refused rather than read into memory.
constexpr size_t kMaxFileSize = size_t{512} << 20;

bool IsValidName(const std::string& name) {
  if (name.empty() || !xml::IsNameStartChar(static_cast<unsigned char>(name[0]))) return false;
  for (char c : name) {
    if (!xml::IsNameChar(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

XmlDocument::XmlDocument() { nodes_.assign(1, XmlNode{}); }

void XmlDocument::AddResult(const char* name) const {
  if (!result_.empty()) result_ += ' ';
  result_ += name;
}

void XmlDocument::Index() {
  std::string error;
  wellFormed_ = xml::ParseXml(text_, nodes_, error);
  // A text without any element (a bare declaration) is where a new document
  // starts; anything else that failed must not be extended.
  writable_ = wellFormed_ || error == "no_root_element";
  if (!wellFormed_) AddResult(error.c_str());
  parent_ = xml::kDocumentNode;
  current_ = -1;
}

void XmlDocument::SetText(const std::string& text) {
  result_.clear();
  std::string_view view(text);
  if (view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);
  // Callers hand over UTF-8; invalid bytes and NULs are cleaned as for a file.
  bool lossy = false;
  bool nulls = false;
  text_ = xml::CleanUtf8(view, lossy, nulls);
  if (lossy) AddResult("conversion_loss");
  if (nulls) AddResult("nulls_removed");
  Index();
}

bool XmlDocument::LoadBytes(std::string_view bytes) {
  result_.clear();
  std::vector<const char*> notes;
  text_ = xml::DecodeXmlBytes(bytes, notes);
  for (const char* note : notes) AddResult(note);
  Index();
  return wellFormed_;
}

bool XmlDocument::LoadFile(const std::string& path) {
  std::string bytes;
  if (!xml::ReadFileBytes(path, bytes, kMaxFileSize)) {
    text_.clear();
    Index();
    result_ = "file_error";
    return false;
  }
  const bool ok = LoadBytes(bytes);
  result_ = "read" + (result_.empty() ? std::string() : " " + result_);
  return ok;
}

std::string_view XmlDocument::NameOf(int32_t node) const {
  const XmlNode& n = nodes_[node];
  return std::string_view(text_).substr(n.tagStart + 1, n.nameLen);
}

bool XmlDocument::FindNext(const std::string& name) {
  int32_t candidate = current_ < 0 ? nodes_[parent_].firstChild : nodes_[current_].nextSibling;
  for (; candidate >= 0; candidate = nodes_[candidate].nextSibling) {
    if (NameOf(candidate) == name) {
      current_ = candidate;
      return true;
    }
  }
  return false;
}

bool XmlDocument::EnterElement() {
  if (current_ < 0) return false;
  parent_ = current_;
  current_ = -1;
  return true;
}

bool XmlDocument::LeaveElement() {
  if (parent_ == xml::kDocumentNode) return false;
  current_ = parent_;
  parent_ = nodes_[parent_].parent;
  return true;
}

bool XmlDocument::FindAttribute(int32_t node, std::string_view name, AttributeSpan& span, size_t& attrEnd) const {
  const XmlNode& n = nodes_[node];
  size_t pos = n.tagStart + 1 + n.nameLen;
  attrEnd = pos;
  while (xml::NextAttribute(text_, pos, span) == AttributeStep::Attribute) {
    attrEnd = pos;
    if (std::string_view(text_).substr(span.nameStart, span.nameEnd - span.nameStart) == name) return true;
  }
  return false;
}

std::string XmlDocument::GetAttribute(const std::string& name) const {
  if (current_ < 0) return {};
  AttributeSpan span;
  size_t attrEnd = 0;
  if (!FindAttribute(current_, name, span, attrEnd)) return {};
  return xml::DecodeAttributeValue(std::string_view(text_).substr(span.valueStart, span.valueEnd - span.valueStart));
}

// Replaces text and moves every element offset behind the edit. Offsets that
// mark a start move when they lie at or after the edited range; offsets that
// mark an end move only when they lie after its start, so an element ending
// exactly where text is inserted keeps its end.
void XmlDocument::Replace(size_t pos, size_t removed, const std::string& inserted) {
  text_.replace(pos, removed, inserted);
  const size_t edgeEnd = pos + removed;
  const auto delta = static_cast<std::ptrdiff_t>(inserted.size()) - static_cast<std::ptrdiff_t>(removed);
  auto moveStart = [&](size_t& off) {
    if (off >= edgeEnd) off += delta;
  };
  auto moveEnd = [&](size_t& off) {
    if (off > pos && off >= edgeEnd) off += delta;
  };
  for (size_t k = 1; k < nodes_.size(); ++k) {
    XmlNode& n = nodes_[k];
    moveStart(n.tagStart);
    moveEnd(n.tagEnd);
    moveEnd(n.closeEnd);
    if (n.selfClosing) {
      moveEnd(n.contentEnd);
    } else {
      moveStart(n.contentEnd);
    }
  }
  nodes_[0].contentEnd = nodes_[0].closeEnd = text_.size();
}

int32_t XmlDocument::AddNode(size_t tagStart, size_t nameLen, int32_t parent, int32_t after) {
  XmlNode node;
  node.tagStart = tagStart;
  node.nameLen = static_cast<uint32_t>(nameLen);
  node.tagEnd = node.contentEnd = node.closeEnd = tagStart + nameLen + 3;  // "<" name "/>"
  node.selfClosing = true;
  node.parent = parent;
  const auto index = static_cast<int32_t>(nodes_.size());
  XmlNode& p = nodes_[parent];
  if (after >= 0) {
    node.nextSibling = nodes_[after].nextSibling;
    nodes_[after].nextSibling = index;
    if (p.lastChild == after) p.lastChild = index;
  } else {
    if (p.lastChild >= 0) {
      nodes_[p.lastChild].nextSibling = index;
    } else {
      p.firstChild = index;
    }
    p.lastChild = index;
  }
  nodes_.push_back(node);
  current_ = index;
  return index;
}

bool XmlDocument::AppendToDocument(const std::string& name) {
  // A second root would make the saved file unreadable.
  if (nodes_[0].firstChild >= 0 || !writable_) return false;
  std::string insert;
  if (!text_.empty() && text_.back() != '\n') insert = "\r\n";
  const size_t tagStart = text_.size() + insert.size();
  insert += "<" + name + "/>\r\n";
  Replace(text_.size(), 0, insert);
  AddNode(tagStart, name.size(), xml::kDocumentNode, -1);
  wellFormed_ = true;
  return true;
}

bool XmlDocument::AppendAfterCurrent(const std::string& name) {
  const size_t pos = nodes_[current_].closeEnd;
  Replace(pos, 0, "\r\n<" + name + "/>");
  AddNode(pos + 2, name.size(), parent_, current_);
  return true;
}

bool XmlDocument::AppendAsLastChild(const std::string& name) {
  const int32_t parent = parent_;
  if (nodes_[parent].selfClosing) {
    // <p a="1"/> becomes <p a="1">, the new line, and </p>.
    const size_t slash = nodes_[parent].tagEnd - 2;
    const std::string parentName(NameOf(parent));
    Replace(slash, 2, ">\r\n<" + name + "/>\r\n</" + parentName + ">");
    XmlNode& p = nodes_[parent];
    p.selfClosing = false;
    p.tagEnd = slash + 1;
    p.contentEnd = p.tagEnd + 2 + name.size() + 3 + 2;
    p.closeEnd = p.contentEnd + parentName.size() + 3;
    AddNode(slash + 3, name.size(), parent, -1);
    return true;
  }
  const size_t pos = nodes_[parent].contentEnd;
  const std::string prefix = (pos > 0 && text_[pos - 1] == '\n') ? "" : "\r\n";
  Replace(pos, 0, prefix + "<" + name + "/>\r\n");
  AddNode(pos + prefix.size(), name.size(), parent, -1);
  return true;
}

bool XmlDocument::AppendElement(const std::string& name) {
  if (!IsValidName(name)) return false;
  if (parent_ == xml::kDocumentNode) return AppendToDocument(name);
  if (current_ >= 0) return AppendAfterCurrent(name);
  return AppendAsLastChild(name);
}

bool XmlDocument::SetAttribute(const std::string& name, const std::string& value) {
  if (current_ < 0 || !IsValidName(name)) return false;
  const std::string quoted = "\"" + xml::EscapeAttributeValue(value) + "\"";
  AttributeSpan span;
  size_t attrEnd = 0;
  if (FindAttribute(current_, name, span, attrEnd)) {
    Replace(span.valueStart - 1, span.valueEnd - span.valueStart + 2, quoted);
  } else {
    Replace(attrEnd, 0, " " + name + "=" + quoted);
  }
  return true;
}

bool XmlDocument::SaveFile(const std::string& path) const {
  result_.clear();
  std::vector<const char*> notes;
  const std::string bytes = xml::EncodeXmlText(text_, notes);
  for (const char* note : notes) AddResult(note);
  if (!xml::WriteFileReplacing(path, bytes)) {
    AddResult("file_error");
    return false;
  }
  AddResult("write");
  return true;
}

}  // namespace korvex
