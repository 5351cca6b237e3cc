#pragma once
// The desktop's file dialogs for the profile exchange files: one filter
// entry each, "MouseKey (*.xml)" to import and "Profile (*.xml)" to export
// (which asks before overwriting). Both return the chosen path, or an empty
// text when the dialog was cancelled.

#include <QString>

class QWidget;

namespace korvex {

QString ChooseProfileToImport(QWidget* owner);
QString ChooseProfileExportPath(QWidget* owner);

}  // namespace korvex
