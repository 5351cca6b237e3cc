// korvex-update-server: a local update server for the virtual mice, so the
// whole update flow runs without the internet.
//   korvex-update-server [--port N] [--firmware VERSION] [--software VERSION]
//                        [--software-package FILE.deb] [--image-bytes N]
// Point the program at it with KORVEX_UPDATE_SERVER=http://127.0.0.1:N.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "sim/UpdateServer.h"
#include "sim/ZipWriter.h"

namespace {

using korvex::sim::HttpAnswer;
using korvex::sim::ZipEntry;

// The shipped models' descriptor names: their firmware lives below
// /firmware/<name>.
const char* const kModels[] = {"korvex_k1", "korvex_k3", "korvex_k5", "korvex_classic"};

volatile sig_atomic_t stopRequested = 0;
void OnSignal(int) { stopRequested = 1; }

int Usage(const char* why) {
  std::fprintf(stderr,
               "korvex-update-server: %s\n"
               "usage: korvex-update-server [--port N] [--firmware VERSION] [--software VERSION]\n"
               "                            [--software-package FILE.deb] [--image-bytes N]\n",
               why);
  return 2;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// A zip of one entry, as bytes.
bool Package(const std::string& entryName, const std::string& data, std::string& bytes) {
  char folder[] = "/tmp/korvex-update-server-XXXXXX";
  if (::mkdtemp(folder) == nullptr) return false;
  const std::string path = std::string(folder) + "/package.zip";
  const bool ok = korvex::sim::WriteZip(path, {ZipEntry{entryName, data}});
  if (ok) bytes = ReadAll(path);
  ::unlink(path.c_str());
  ::rmdir(folder);
  return ok && !bytes.empty();
}

HttpAnswer Body(std::string body) {
  HttpAnswer a;
  a.body = std::move(body);
  return a;
}

}  // namespace

int main(int argc, char** argv) {
  int port = 8765;
  std::string firmware = "131", software = "1.0.1", softwarePackage;
  long imageBytes = 64 * 1024;
  std::vector<std::string> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Usage(("missing value after " + args[i]).c_str());
    const std::string& v = args[i + 1];
    if (args[i] == "--port") port = std::atoi(v.c_str());
    else if (args[i] == "--firmware") firmware = v;
    else if (args[i] == "--software") software = v;
    else if (args[i] == "--software-package") softwarePackage = v;
    else if (args[i] == "--image-bytes") imageBytes = std::atol(v.c_str());
    else return Usage(("unknown option " + args[i]).c_str());
  }
  if (imageBytes <= 0 || imageBytes > 1024 * 1024) return Usage("--image-bytes takes 1 to 1048576");

  // The same image for every model, the same every run.
  std::mt19937 random(20261209);
  std::string image(static_cast<std::size_t>(imageBytes), '\0');
  for (char& c : image) c = static_cast<char>(random() & 0xFF);
  std::string firmwareZip, softwareZip;
  const std::string deb = softwarePackage.empty()
                              ? std::string("placeholder package of the local update server\n")
                              : ReadAll(softwarePackage);
  if (!Package("firmware-" + firmware + ".bin", image, firmwareZip) ||
      !Package("Mouse-Setup-" + software + ".deb", deb, softwareZip)) {
    std::fprintf(stderr, "korvex-update-server: cannot build the packages\n");
    return 1;
  }

  korvex::sim::UpdateServer server;
  for (const char* model : kModels) {
    const std::string base = std::string("/firmware/") + model + "/mouse/";
    server.Set(base + "version", Body(firmware));
    server.Set(base + "firmware-" + firmware + ".zip", Body(firmwareZip));
  }
  server.Set("/version", Body(software));
  server.Set("/Mouse-Setup-" + software + ".zip", Body(softwareZip));
  if (!server.Start(port)) {
    std::fprintf(stderr, "korvex-update-server: cannot listen on 127.0.0.1:%d\n", port);
    return 1;
  }
  std::printf("korvex-update-server: %s (firmware %s, software %s)\n", server.Origin().c_str(), firmware.c_str(),
              software.c_str());
  std::fflush(stdout);
  signal(SIGINT, OnSignal);
  signal(SIGTERM, OnSignal);
  while (!stopRequested) ::pause();
  server.Stop();
  return 0;
}
