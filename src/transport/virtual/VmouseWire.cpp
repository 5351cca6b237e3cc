#include "transport/virtual/VmouseWire.h"

#include <limits>

namespace korvex::vmouse {
namespace {

constexpr std::uint8_t kLastType = static_cast<std::uint8_t>(MessageType::Error);

class Writer {
 public:
  explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}
  void U8(std::uint8_t v) { out_.push_back(v); }
  void U16(std::uint16_t v) { Uint(v, 2); }
  void U32(std::uint32_t v) { Uint(v, 4); }
  void U64(std::uint64_t v) { Uint(v, 8); }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  bool Count(std::size_t n) {
    if (n > std::numeric_limits<std::uint16_t>::max()) return false;
    U16(static_cast<std::uint16_t>(n));
    return true;
  }
  bool Text(const std::string& s) {
    if (!Count(s.size())) return false;
    out_.insert(out_.end(), s.begin(), s.end());
    return true;
  }

 private:
  void Uint(std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  std::vector<std::uint8_t>& out_;
};

// Every read checks the remaining length; the first failure sticks.
class Reader {
 public:
  Reader(const std::uint8_t* d, std::size_t n) : d_(d), n_(n) {}
  std::uint64_t Uint(int bytes) {
    if (!Has(static_cast<std::size_t>(bytes))) return 0;
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<std::uint64_t>(d_[pos_++]) << (8 * i);
    return v;
  }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Uint(2)); }
  std::string Text() {
    const std::size_t n = U16();
    if (!Has(n)) return {};
    std::string s(reinterpret_cast<const char*>(d_ + pos_), n);
    pos_ += n;
    return s;
  }
  bool Has(std::size_t n) {
    if (!ok_ || n > n_ - pos_) ok_ = false;
    return ok_;
  }
  bool Done() const { return ok_ && pos_ == n_; }
  bool ok() const { return ok_; }

  const std::uint8_t* d_;
  std::size_t n_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

bool EncodeInterface(Writer& w, const HidInterfaceInfo& i) {
  if (!w.Text(i.path)) return false;
  for (std::uint16_t v : {i.vendorId, i.productId, i.release, i.usagePage, i.usage}) w.U16(v);
  w.I32(i.interfaceNumber);
  return w.Text(i.product);
}

HidInterfaceInfo DecodeInterface(Reader& r) {
  HidInterfaceInfo i;
  i.path = r.Text();
  i.vendorId = r.U16();
  i.productId = r.U16();
  i.release = r.U16();
  i.usagePage = r.U16();
  i.usage = r.U16();
  i.interfaceNumber = static_cast<std::int32_t>(r.Uint(4));
  i.product = r.Text();
  return i;
}

bool EncodeBody(const WireMessage& m, Writer& w) {
  w.U8(static_cast<std::uint8_t>(m.type));
  w.U32(m.id);
  w.U64(m.handle);
  w.I32(m.value);
  w.U64(static_cast<std::uint64_t>(m.time));
  if (!w.Count(m.bytes.size())) return false;
  for (auto b : m.bytes) w.U8(b);
  if (!w.Count(m.texts.size())) return false;
  for (const auto& t : m.texts)
    if (!w.Text(t)) return false;
  if (!w.Count(m.interfaces.size())) return false;
  for (const auto& i : m.interfaces)
    if (!EncodeInterface(w, i)) return false;
  w.U8(m.event.kind == HidDeviceEvent::Kind::Arrival ? 0 : 1);
  if (!w.Text(m.event.path)) return false;
  w.U16(m.event.vendorId);
  w.U16(m.event.productId);
  w.I32(m.event.interfaceNumber);
  return true;
}

}  // namespace

bool EncodeMessage(const WireMessage& message, std::vector<std::uint8_t>& out) {
  std::vector<std::uint8_t> body;
  Writer w(body);
  if (!EncodeBody(message, w) || body.size() > kMaxMessageLength) return false;
  Writer prefix(out);
  prefix.U32(static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return true;
}

bool DecodeMessage(const std::uint8_t* body, std::size_t length, WireMessage& out) {
  if (!body || length > kMaxMessageLength) return false;
  Reader r(body, length);
  WireMessage m;
  const auto type = static_cast<std::uint8_t>(r.Uint(1));
  if (type < 1 || type > kLastType) return false;
  m.type = static_cast<MessageType>(type);
  m.id = static_cast<std::uint32_t>(r.Uint(4));
  m.handle = r.Uint(8);
  m.value = static_cast<std::int32_t>(r.Uint(4));
  m.time = static_cast<std::int64_t>(r.Uint(8));
  const std::size_t nBytes = r.U16();
  if (!r.Has(nBytes)) return false;
  m.bytes.assign(body + r.pos_, body + r.pos_ + nBytes);
  r.pos_ += nBytes;
  // Counts are bounded by what is left, so a hostile count cannot make the
  // decoder reserve or loop beyond the body.
  const std::size_t nTexts = r.U16();
  for (std::size_t i = 0; i < nTexts && r.ok(); ++i) m.texts.push_back(r.Text());
  const std::size_t nInterfaces = r.U16();
  for (std::size_t i = 0; i < nInterfaces && r.ok(); ++i) m.interfaces.push_back(DecodeInterface(r));
  const auto kind = r.Uint(1);
  if (kind > 1) return false;
  m.event.kind = kind == 0 ? HidDeviceEvent::Kind::Arrival : HidDeviceEvent::Kind::Removal;
  m.event.path = r.Text();
  m.event.vendorId = r.U16();
  m.event.productId = r.U16();
  m.event.interfaceNumber = static_cast<std::int32_t>(r.Uint(4));
  if (!r.Done()) return false;
  out = std::move(m);
  return true;
}

}  // namespace korvex::vmouse
