#include "xml/XmlParser.h"

#include <cstring>

namespace korvex::xml {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

size_t SkipSpace(std::string_view text, size_t pos) {
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  return pos;
}

bool StartsWith(std::string_view text, size_t pos, std::string_view what) {
  return text.size() - pos >= what.size() && std::memcmp(text.data() + pos, what.data(), what.size()) == 0;
}

// Finds the '>' that ends a document type declaration, skipping quoted text
// and the bracketed internal subset.
size_t DoctypeEnd(std::string_view text, size_t pos) {
  int depth = 0;
  char quote = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '[') {
      ++depth;
    } else if (c == ']') {
      if (depth > 0) --depth;
    } else if (c == '>' && depth == 0) {
      return pos;
    }
  }
  return std::string_view::npos;
}

class Parser {
 public:
  Parser(std::string_view text, std::vector<XmlNode>& nodes) : text_(text), nodes_(nodes) {}

  bool Run(std::string& error) {
    nodes_.assign(1, XmlNode{});
    nodes_[0].closeEnd = nodes_[0].contentEnd = text_.size();
    open_.assign(1, kDocumentNode);
    size_t pos = 0;
    while (true) {
      const size_t lt = text_.find('<', pos);
      if (lt == std::string_view::npos) break;
      const char* fault = Markup(lt, pos);
      if (fault) return Fail(error, fault);
    }
    if (open_.size() > 1) return Fail(error, "unended_start_tag");
    if (nodes_[0].firstChild < 0) return Fail(error, "no_root_element");
    error.clear();
    return true;
  }

 private:
  bool Fail(std::string& error, const char* fault) {
    error = fault;
    nodes_.resize(1);
    nodes_[0].firstChild = nodes_[0].lastChild = -1;
    return false;
  }

  // Handles the markup at `lt`; sets `next` past it. Returns a fault name.
  const char* Markup(size_t lt, size_t& next) {
    if (lt + 1 >= text_.size()) return "unterminated_tag_syntax";
    const char c = text_[lt + 1];
    if (c == '?') return SkipTo(lt + 2, "?>", "unterminated_tag_syntax", next);
    if (c == '!') return Declaration(lt, next);
    if (c == '/') return EndTag(lt, next);
    return StartTag(lt, next);
  }

  const char* SkipTo(size_t from, std::string_view terminator, const char* fault, size_t& next) {
    const size_t end = text_.find(terminator, from);
    if (end == std::string_view::npos) return fault;
    next = end + terminator.size();
    return nullptr;
  }

  const char* Declaration(size_t lt, size_t& next) {
    if (StartsWith(text_, lt, "<!--")) return SkipTo(lt + 4, "-->", "comment_tag_syntax", next);
    if (StartsWith(text_, lt, "<![CDATA[")) return SkipTo(lt + 9, "]]>", "cdata_section_syntax", next);
    if (StartsWith(text_, lt, "<!DOCTYPE")) {
      const size_t end = DoctypeEnd(text_, lt + 9);
      if (end == std::string_view::npos) return "doctype_tag_syntax";
      next = end + 1;
      return nullptr;
    }
    return SkipTo(lt + 2, ">", "exclamation_tag_syntax", next);
  }

  size_t NameEnd(size_t pos) const {
    while (pos < text_.size() && IsNameChar(static_cast<unsigned char>(text_[pos]))) ++pos;
    return pos;
  }

  const char* EndTag(size_t lt, size_t& next) {
    const size_t nameStart = lt + 2;
    const size_t nameEnd = NameEnd(nameStart);
    const size_t gt = SkipSpace(text_, nameEnd);
    if (gt >= text_.size() || text_[gt] != '>') return "unterminated_tag_syntax";
    if (open_.size() <= 1) return "lone_end_tag";
    XmlNode& top = nodes_[open_.back()];
    const std::string_view name = text_.substr(nameStart, nameEnd - nameStart);
    if (name != text_.substr(top.tagStart + 1, top.nameLen)) return "unended_start_tag";
    top.contentEnd = lt;
    top.closeEnd = gt + 1;
    open_.pop_back();
    next = gt + 1;
    return nullptr;
  }

  const char* StartTag(size_t lt, size_t& next) {
    if (!IsNameStartChar(static_cast<unsigned char>(text_[lt + 1]))) return "first_tag_syntax";
    const size_t nameEnd = NameEnd(lt + 1);
    if (nameEnd >= text_.size()) return "unterminated_tag_syntax";
    const char after = text_[nameEnd];
    if (!IsSpace(after) && after != '/' && after != '>') return "first_tag_syntax";
    size_t pos = nameEnd;
    AttributeSpan span;
    AttributeStep step;
    while ((step = NextAttribute(text_, pos, span)) == AttributeStep::Attribute) {
    }
    if (step == AttributeStep::Error) return "unterminated_tag_syntax";
    const int32_t parent = open_.back();
    if (parent == kDocumentNode && nodes_[0].firstChild >= 0) return "root_has_sibling";
    XmlNode node;
    node.tagStart = lt;
    node.tagEnd = pos;
    node.nameLen = static_cast<uint32_t>(nameEnd - lt - 1);
    node.parent = parent;
    node.selfClosing = step == AttributeStep::SelfClose;
    node.contentEnd = node.closeEnd = pos;
    const auto index = static_cast<int32_t>(nodes_.size());
    nodes_.push_back(node);
    XmlNode& p = nodes_[parent];
    if (p.lastChild >= 0) {
      nodes_[p.lastChild].nextSibling = index;
    } else {
      p.firstChild = index;
    }
    p.lastChild = index;
    if (!node.selfClosing) open_.push_back(index);
    next = pos;
    return nullptr;
  }

  std::string_view text_;
  std::vector<XmlNode>& nodes_;
  std::vector<int32_t> open_;
};

}  // namespace

bool IsNameStartChar(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
}

bool IsNameChar(unsigned char c) {
  return IsNameStartChar(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

AttributeStep NextAttribute(std::string_view text, size_t& pos, AttributeSpan& span) {
  pos = SkipSpace(text, pos);
  if (pos >= text.size()) return AttributeStep::Error;
  if (text[pos] == '>') {
    ++pos;
    return AttributeStep::TagEnd;
  }
  if (text[pos] == '/') {
    if (pos + 1 < text.size() && text[pos + 1] == '>') {
      pos += 2;
      return AttributeStep::SelfClose;
    }
    return AttributeStep::Error;
  }
  if (!IsNameStartChar(static_cast<unsigned char>(text[pos]))) return AttributeStep::Error;
  span.nameStart = pos;
  while (pos < text.size() && IsNameChar(static_cast<unsigned char>(text[pos]))) ++pos;
  span.nameEnd = pos;
  pos = SkipSpace(text, pos);
  if (pos >= text.size() || text[pos] != '=') return AttributeStep::Error;
  pos = SkipSpace(text, pos + 1);
  if (pos >= text.size() || (text[pos] != '"' && text[pos] != '\'')) return AttributeStep::Error;
  const size_t close = text.find(text[pos], pos + 1);
  if (close == std::string_view::npos) return AttributeStep::Error;
  span.valueStart = pos + 1;
  span.valueEnd = close;
  pos = close + 1;
  return AttributeStep::Attribute;
}

bool ParseXml(std::string_view text, std::vector<XmlNode>& nodes, std::string& error) {
  return Parser(text, nodes).Run(error);
}

}  // namespace korvex::xml
