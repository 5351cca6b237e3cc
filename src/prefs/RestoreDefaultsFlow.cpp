#include "prefs/RestoreDefaultsFlow.h"

namespace korvex {

RestoreOutcome RestoreDefaults(bool deviceOnline, RestoreDefaultsHost& host) {
  if (!deviceOnline) {
    host.AskUser(RestoreTexts::kOfflineTitle, RestoreTexts::kOfflineMessage, 1);
    return RestoreOutcome::NotConnected;
  }
  if (host.AskUser(RestoreTexts::kConfirmTitle, RestoreTexts::kConfirmMessage, 2) != 1) {
    return RestoreOutcome::Cancelled;
  }
  host.ResetDatabaseAndMouse();
  host.ShowWaitWindow();
  return RestoreOutcome::Started;
}

}  // namespace korvex
