#include "transport/HidBackendFactory.h"

#include <cstdlib>

#include "platform/Log.h"
#include "transport/HidapiBackend.h"
#if KORVEX_HAVE_VIRTUAL_BACKEND
#include "transport/virtual/VirtualHidBackend.h"
#endif

namespace korvex {

std::unique_ptr<HidBackend> MakeDefaultHidBackend() {
  const char* socketPath = std::getenv("KORVEX_VMOUSE");
  if (socketPath && *socketPath) {
#if KORVEX_HAVE_VIRTUAL_BACKEND
    LogLine(2, "HID backend: virtual mouse at %s", socketPath);
    return std::make_unique<VirtualHidBackend>(socketPath);
#else
    LogLine(2, "HID backend: virtual mouse not built in, using hidapi");
#endif
  }
  return std::make_unique<HidapiBackend>();
}

}  // namespace korvex
