// korvex-vmouse: the virtual mouse as a process.
//   korvex-vmouse serve --socket PATH [--devices SPEC] [--state FILE] [--trace FILE]
//   korvex-vmouse [--socket PATH] COMMAND [ARGS...]
// Without --socket the control commands use $KORVEX_VMOUSE.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sim/VmouseControl.h"
#include "sim/VmouseServer.h"
#include "transport/virtual/VmouseConnection.h"

namespace {

using korvex::vmouse::MessageType;
using korvex::vmouse::WireMessage;

int Usage(const char* why) {
  if (why) std::fprintf(stderr, "korvex-vmouse: %s\n", why);
  std::fprintf(stderr,
               "usage: korvex-vmouse serve --socket PATH [--devices SPEC] [--state FILE] "
               "[--trace FILE]\n"
               "       korvex-vmouse [--socket PATH] COMMAND [ARGS...]\n"
               "SPEC: comma-separated device names (default: k1,k3,k3-receiver,k5,classic)\n"
               "COMMAND:\n%s",
               korvex::sim::ControlUsage());
  return 2;
}

int Serve(const std::vector<std::string>& args) {
  korvex::sim::ServerOptions options;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Usage(("missing value after " + args[i]).c_str());
    const std::string& value = args[i + 1];
    if (args[i] == "--socket") options.socketPath = value;
    else if (args[i] == "--devices") options.devices = value;
    else if (args[i] == "--state") options.stateFile = value;
    else if (args[i] == "--trace") options.traceFile = value;
    else return Usage(("unknown option " + args[i]).c_str());
  }
  if (options.socketPath.empty()) return Usage("serve needs --socket PATH");
  // Termination signals are taken by the event loop through a signalfd, so
  // they are blocked before anything else runs.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  sigprocmask(SIG_BLOCK, &signals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  korvex::sim::VmouseServer server(options);
  std::string error;
  if (!server.Start(error)) {
    std::fprintf(stderr, "korvex-vmouse: %s\n", error.c_str());
    return 1;
  }
  return server.Run();
}

int Control(const std::string& socketPath, const std::vector<std::string>& words) {
  const auto connection = korvex::vmouse::VmouseConnection::Connect(socketPath);
  if (!connection) {
    std::fprintf(stderr, "korvex-vmouse: nothing serves %s\n", socketPath.c_str());
    return 2;
  }
  WireMessage request, reply;
  request.type = MessageType::Control;
  request.texts = words;
  if (!connection->Request(request, reply, 5000) || reply.type != MessageType::ControlReply) {
    std::fprintf(stderr, "korvex-vmouse: no answer from %s\n", socketPath.c_str());
    return 2;
  }
  std::string text = reply.texts.empty() ? std::string() : reply.texts[0];
  if (!text.empty() && text.back() != '\n') text += '\n';
  std::fputs(text.c_str(), reply.value == 0 ? stdout : stderr);
  return reply.value == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") return Usage(nullptr);
  if (args[0] == "serve") return Serve({args.begin() + 1, args.end()});
  std::string socketPath;
  if (const char* env = std::getenv("KORVEX_VMOUSE")) socketPath = env;
  if (args[0] == "--socket") {
    if (args.size() < 2) return Usage("--socket needs a path");
    socketPath = args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty()) return Usage("no command");
  if (args[0] == "serve") return Serve({args.begin() + 1, args.end()});
  if (socketPath.empty()) return Usage("no socket: give --socket PATH or set KORVEX_VMOUSE");
  return Control(socketPath, args);
}
