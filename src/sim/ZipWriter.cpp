#include "sim/ZipWriter.h"

#include <minizip/zip.h>

namespace korvex::sim {
namespace {

// "Made by" Unix, zip format 2.0: the high half of the external attributes
// is then the Unix mode.
constexpr unsigned long kMadeByUnix = (3UL << 8) | 20;

}  // namespace

bool WriteZip(const std::string& path, const std::vector<ZipEntry>& entries) {
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (zip == nullptr) return false;
  bool ok = true;
  for (const ZipEntry& e : entries) {
    zip_fileinfo info{};
    info.external_fa = static_cast<uLong>(e.unixMode) << 16;
    const int method = e.deflate ? Z_DEFLATED : 0;
    ok = ok &&
         zipOpenNewFileInZip4_64(zip, e.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, method,
                                 Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0,
                                 kMadeByUnix, 0, e.data.size() >= 0xFFFFFFFFu) == ZIP_OK;
    ok = ok && zipWriteInFileInZip(zip, e.data.data(), static_cast<unsigned>(e.data.size())) == ZIP_OK;
    ok = zipCloseFileInZip(zip) == ZIP_OK && ok;
  }
  return zipClose(zip, nullptr) == ZIP_OK && ok;
}

}  // namespace korvex::sim
