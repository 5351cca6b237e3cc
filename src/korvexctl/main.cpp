// korvexctl: the mouse's settings from the command line, on the program's
// own core. See CtlUsage for the commands.
#include <cstdio>
#include <string>
#include <vector>

#include "korvexctl/CtlArgs.h"
#include "korvexctl/CtlCommands.h"
#include "korvexctl/CtlMacros.h"
#include "korvexctl/CtlProfileFiles.h"
#include "korvexctl/CtlSession.h"
#include "korvexctl/CtlUpdate.h"

namespace {

using namespace korvex;

int Report(const CtlArgs& args, const CtlResult& r) {
  if (args.json) {
    JsonObject out = r.json;
    if (r.exitCode != 0) {
      out = JsonObject{};
      out.Add("ok", false).Add("exit_code", r.exitCode).Add("error", r.error);
    }
    std::printf("%s\n", out.Text().c_str());
  } else if (r.exitCode != 0) {
    std::fprintf(stderr, "korvexctl: %s\n", r.error.c_str());
  } else {
    std::fputs(r.text.c_str(), stdout);
  }
  // The answer is out before any teardown at exit can go wrong.
  std::fflush(stdout);
  std::fflush(stderr);
  return r.exitCode;
}

CtlResult Dispatch(CtlSession& session, const CtlArgs& args) {
  if (args.command == "devices") return RunDevices(session);
  if (args.command == "show") return RunShow(session);
  if (args.command == "set") return RunSet(session, args.operands);
  if (args.command == "profile" && IsProfileFileCommand(args.operands)) return RunProfileFile(session, args.operands);
  if (args.command == "profile") return RunProfile(session, args.operands[0]);
  if (args.command == "update") return RunUpdate(session, args.operands);
  if (args.command == "macro") return RunMacro(session, args.operands);
  return RunReset(session, args.operands);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  CtlArgs args;
  std::string error;
  if (!ParseCtlArgs(words, args, error)) {
    std::fprintf(stderr, "korvexctl: %s\n%s", error.c_str(), CtlUsage());
    return kExitUsage;
  }
  if (args.command == "help") {
    std::fputs(CtlUsage(), stdout);
    return kExitOk;
  }
  CtlSession session;
  CtlResult result;
  const int opened = session.Open(args.deviceType, error);
  if (opened != kExitOk) {
    // Listing devices is still an answer when there are none.
    if (opened == kExitNoMouse && args.command == "devices") return Report(args, RunDevices(session));
    if (opened == kExitNoMouse && args.command == "update") return Report(args, RunUpdate(session, args.operands));
    result.exitCode = opened;
    result.error = error;
    return Report(args, result);
  }
  result = Dispatch(session, args);
  session.Close();
  return Report(args, result);
}
