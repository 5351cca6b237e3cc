#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace korvex::vmouse {

// Stream socket connected to path, or -1 (errno kept). Close-on-exec.
int ConnectUnixSocket(const std::string& path);
// Writes everything, retrying on EINTR; never raises SIGPIPE. False when the
// peer is gone or the socket fails.
bool SendAll(int fd, const std::uint8_t* data, std::size_t length);

}  // namespace korvex::vmouse
