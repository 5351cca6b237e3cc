// libFuzzer over what korvex-vmouse and its clients read from each other and
// from disk: the socket message framer and decoder, and the flash state text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/VirtualMouseHub.h"
#include "transport/virtual/VmouseWire.h"
#include "transport/virtual/WireFramer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvex::vmouse::WireFramer framer;
  // Fed in two pieces so messages split across reads are covered.
  framer.Feed(data, size / 2);
  framer.Feed(data + size / 2, size - size / 2);
  korvex::vmouse::WireMessage m;
  while (framer.Next(m) == korvex::vmouse::WireFramer::Result::Message) {
    std::vector<std::uint8_t> again;
    // Whatever decodes must encode again.
    if (!korvex::vmouse::EncodeMessage(m, again)) __builtin_trap();
  }

  static korvex::sim::VirtualMouseHub hub("k1,k3-receiver");
  hub.LoadFlash("korvex-vmouse-flash 1\n" + std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
