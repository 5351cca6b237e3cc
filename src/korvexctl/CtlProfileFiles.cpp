#include "korvexctl/CtlProfileFiles.h"

#include "app/DeviceTask.h"
#include "korvexctl/CtlArgs.h"
#include "korvexctl/CtlSession.h"
#include "profiles/ProfileFile.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

// The profile's number as the user counts them (1 to 4), 0 when not listed.
int NumberOf(const std::vector<ProfileRecord>& profiles, ProfileId id) {
  for (std::size_t i = 0; i < profiles.size(); ++i)
    if (profiles[i].profile == id) return static_cast<int>(i) + 1;
  return 0;
}

CtlResult Export(CtlSession& s, const std::vector<std::string>& op) {
  std::vector<ProfileRecord> profiles;
  s.Store().ListProfiles(profiles);
  const ProfileId active = s.Worker().State().currentProfile;
  ProfileId id = active;
  if (op.size() == 3) {
    long long n = 0;
    if (!ParseWholeNumber(op[2], n) || n < 1 || n > static_cast<long long>(profiles.size()))
      return Fail(kExitUsage, "the profile number must be 1 to " + std::to_string(profiles.size()));
    id = profiles[static_cast<std::size_t>(n - 1)].profile;
  }
  // The active profile under the name its label shows, another under its
  // stored name.
  std::string name = s.View().ProfileLabel();
  if (id != active || name.empty()) s.Store().GetProfileName(id, name);
  if (!ExportProfile(s.Store(), id, name, s.Worker().State().hasLighting, op[1]))
    return Fail(kExitUsage, "cannot write " + op[1]);
  CtlResult r;
  const int number = NumberOf(profiles, id);
  r.text = "profile " + std::to_string(number) + " (" + name + ") exported to " + op[1] + "\n";
  r.json.Add("ok", true).Add("exported", op[1]).Add("profile", number).Add("name", name);
  return r;
}

CtlResult Import(CtlSession& s, const std::vector<std::string>& op) {
  const ProfileId current = s.Worker().State().currentProfile;
  const ImportOutcome outcome = ImportProfile(s.Store(), current, op[1], s.Worker().State().hasLighting);
  if (outcome.status == ImportStatus::kStoreFailed)
    return Fail(kExitSetup, std::string("importing ") + op[1] + ": " + ImportStatusText(outcome.status));
  if (outcome.status != ImportStatus::kImported)
    return Fail(kExitUsage, std::string("importing ") + op[1] + ": " + ImportStatusText(outcome.status) +
                                "; the profile is unchanged");
  s.View().ShowProfileName(outcome.name);
  std::vector<ProfileRecord> profiles;
  s.Store().ListProfiles(profiles);
  const int number = NumberOf(profiles, current);
  CtlResult done;
  done.text = "profile " + std::to_string(number) + " is now \"" + outcome.name + "\"";
  if (outcome.skippedValues > 0)
    done.text += " (" + std::to_string(outcome.skippedValues) + " values out of range were skipped)";
  done.text += " and written to the mouse\n";
  done.json.Add("ok", true)
      .Add("imported", op[1])
      .Add("profile", number)
      .Add("name", outcome.name)
      .Add("skipped", outcome.skippedValues);
  return Send(s, kApplyProfile, "writing the imported profile to the mouse", done);
}

}  // namespace

bool IsProfileFileCommand(const std::vector<std::string>& operands) {
  return !operands.empty() && (operands[0] == "export" || operands[0] == "import" || operands.size() > 1);
}

CtlResult RunProfileFile(CtlSession& s, const std::vector<std::string>& op) {
  const bool isExport = op[0] == "export" && (op.size() == 2 || op.size() == 3);
  const bool isImport = op[0] == "import" && op.size() == 2;
  if (!isExport && !isImport) return Fail(kExitUsage, "profile takes N, export FILE [N] or import FILE");
  CtlResult r;
  if (!Reachable(s, r)) return r;
  return isExport ? Export(s, op) : Import(s, op);
}

}  // namespace korvex
