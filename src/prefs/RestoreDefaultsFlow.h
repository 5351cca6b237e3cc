#pragma once
// The restore-of-defaults action behind the frame's and the device page's
// button: ask, then reset the settings database and the mouse, then wait.
// The window supplies the steps; the database and mouse work is the
// worker's (DeviceWorker::RestoreDefaults).

namespace korvex {

class RestoreDefaultsHost {
 public:
  virtual ~RestoreDefaultsHost() = default;
  // A message box with interface texts for title and message and one or two
  // buttons; returns 1 for OK, anything else for cancel or close.
  virtual int AskUser(int titleText, int messageText, int buttons) = 0;
  // Forget which devices were read, delete and recreate the model's
  // database, queue the mouse's factory reset.
  virtual void ResetDatabaseAndMouse() = 0;
  // Close any open wait window and show a new one over the main window;
  // the factory reset closes it when it has finished.
  virtual void ShowWaitWindow() = 0;
};

enum class RestoreOutcome { NotConnected, Cancelled, Started };

struct RestoreTexts {
  static constexpr int kConfirmTitle = 570;
  static constexpr int kConfirmMessage = 571;
  static constexpr int kOfflineTitle = 576;
  static constexpr int kOfflineMessage = 57;
};

// Without a connected mouse only says so; a cancelled question changes
// nothing at all.
RestoreOutcome RestoreDefaults(bool deviceOnline, RestoreDefaultsHost& host);

}  // namespace korvex
