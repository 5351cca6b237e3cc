#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "transport/virtual/VmouseWire.h"

namespace korvex::vmouse {

// Cuts a byte stream into length-prefixed messages. Once it has seen an
// oversized length or a malformed body it stays broken: the peer is out of
// step and the connection must be dropped.
class WireFramer {
 public:
  enum class Result { Message, NeedMore, Broken };

  void Feed(const std::uint8_t* data, std::size_t length);
  Result Next(WireMessage& out);
  // Bytes held that do not yet make a whole message.
  std::size_t Pending() const { return buffer_.size() - start_; }

 private:
  std::vector<std::uint8_t> buffer_;
  std::size_t start_ = 0;
  bool broken_ = false;
};

}  // namespace korvex::vmouse
