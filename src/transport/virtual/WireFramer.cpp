#include "transport/virtual/WireFramer.h"

namespace korvex::vmouse {

void WireFramer::Feed(const std::uint8_t* data, std::size_t length) {
  if (broken_ || !data) return;
  // Compact before growing so a long-lived connection does not keep every
  // byte it has ever received.
  if (start_ > 0 && start_ == buffer_.size()) {
    buffer_.clear();
    start_ = 0;
  } else if (start_ > 4096 && start_ > buffer_.size() / 2) {
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
    start_ = 0;
  }
  buffer_.insert(buffer_.end(), data, data + length);
}

WireFramer::Result WireFramer::Next(WireMessage& out) {
  if (broken_) return Result::Broken;
  if (Pending() < 4) return Result::NeedMore;
  const std::uint8_t* p = buffer_.data() + start_;
  const std::uint32_t length = static_cast<std::uint32_t>(p[0]) | (p[1] << 8) | (p[2] << 16) |
                               (static_cast<std::uint32_t>(p[3]) << 24);
  if (length > kMaxMessageLength) {
    broken_ = true;
    return Result::Broken;
  }
  if (Pending() < 4 + static_cast<std::size_t>(length)) return Result::NeedMore;
  if (!DecodeMessage(p + 4, length, out)) {
    broken_ = true;
    return Result::Broken;
  }
  start_ += 4 + length;
  return Result::Message;
}

}  // namespace korvex::vmouse
