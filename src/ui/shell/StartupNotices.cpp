#include "ui/shell/StartupNotices.h"

#include <QTimer>
#include <filesystem>
#include <set>

#include "i18n/LanguageChoice.h"
#include "i18n/Texts.h"
#include "platform/PreferenceStore.h"
#include "platform/SingleInstanceLock.h"
#include "platform/UserLocale.h"
#include "skinui/MWindow.h"
#include "store/SettingsStore.h"
#include "ui/dialogs/CUIMessageBox.h"

namespace korvex {
namespace {

constexpr int kLockPollMs = 100;
// The end code of the wait notice when the lock came free.
constexpr int kLockTaken = 100;

QString Text(int number) { return QString::fromStdString(GetText(number)); }

// Without config.xml the languages it lists are unknown; those with a file
// stand in for them.
std::set<int> LanguagesWithFiles() {
  std::set<int> out;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(LanguageFolder(), ec)) {
    if (entry.path().extension() != ".lan") continue;
    const int lcid = DecimalValue(entry.path().stem().string());
    if (lcid > 0) out.insert(lcid);
  }
  return out;
}

}  // namespace

std::string BreakablePath(const std::string& path) {
  // A zero-width space after each separator lets a long file name wrap
  // instead of running out of the box.
  std::string out;
  for (char c : path) {
    out += c;
    if (c == '/' || c == '.' || c == '-') out += "\u200B";
  }
  return out;
}

std::string FillText(const std::string& text, const std::string& value) {
  std::string out = text;
  const std::size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, value);
  return out;
}

void ShowConfigProblem(const std::string& configPath) {
  const LanguageDecision choice =
      DecideStartupLanguage(ReadPreference("LCID"), UserDefaultUiLanguage(), LanguagesWithFiles());
  SetCurrentLanguage(choice.language);
  const std::string message = FillText(GetText(kTextConfigMessage), BreakablePath(configPath));
  CUIMessageBox::ShowMessage(nullptr, Text(kTextConfigTitle),
                             QString::fromStdString(message.empty() ? "Cannot read " + configPath : message),
                             CUIMessageBox::kTypeOk);
}

bool WaitForCommandLine(SingleInstanceLock& lock) {
  CUIMessageBox box(Text(kTextWaitTitle), Text(kTextWaitMessage), CUIMessageBox::kTypeOk);
  if (!box.Create(nullptr)) return false;
  QTimer poll;
  poll.setInterval(kLockPollMs);
  QObject::connect(&poll, &QTimer::timeout, &box, [&] {
    if (lock.TryAcquire()) box.EndModal(kLockTaken);
  });
  poll.start();
  const int result = box.ShowModal();
  poll.stop();
  box.DestroyWindow();
  // The button or the close only end the wait; the lock decides the rest.
  return result == kLockTaken || lock.TryAcquire();
}

void ShowMissingTexts(const std::string& folder) {
  CUIMessageBox::ShowMessage(nullptr, QStringLiteral("Texts missing"),
                             QString::fromStdString("No language file in " + folder +
                                                    " could be read, so the window's labels are empty. "
                                                    "Reinstall the program to restore them."),
                             CUIMessageBox::kTypeOk);
}

void AnnounceSetAsideDatabases(SettingsStore& store, DUI::MWindow* owner) {
  if (!owner) {
    store.SetSetAsideListener({});
    return;
  }
  // Called on whichever thread opened the file; the box belongs to the
  // window's thread. The owner stops the announcements before it goes.
  store.SetSetAsideListener([owner](const std::string&, const std::string& to) {
    QMetaObject::invokeMethod(
        owner,
        [owner, to] {
          CUIMessageBox::ShowMessage(owner, Text(kTextSetAsideTitle),
                                     QString::fromStdString(FillText(GetText(kTextSetAsideMessage), BreakablePath(to))),
                                     CUIMessageBox::kTypeOk);
        },
        Qt::QueuedConnection);
  });
}

}  // namespace korvex
