#include "ui/dialogs/ProfileFileDialogs.h"

#include <QFileDialog>
#include <QStringList>

#include "ui/UiText.h"

namespace korvex {
namespace {

constexpr int kTextImport = 26;
constexpr int kTextExport = 27;

QString Run(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

}  // namespace

QString ChooseProfileToImport(QWidget* owner) {
  QFileDialog dialog(owner, UiText(kTextImport), QString(), QStringLiteral("MouseKey (*.xml)"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return Run(dialog);
}

QString ChooseProfileExportPath(QWidget* owner) {
  QFileDialog dialog(owner, UiText(kTextExport), QString(), QStringLiteral("Profile (*.xml)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // A name typed without ".xml" gets it, so that importing the file back
  // names the profile after what was typed (the import drops the last four
  // characters of the file name).
  dialog.setDefaultSuffix(QStringLiteral("xml"));
  return Run(dialog);
}

}  // namespace korvex
