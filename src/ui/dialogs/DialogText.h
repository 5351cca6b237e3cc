#pragma once
// Interface texts for the windows: text N of the current language file as a
// QString, and the few formats the dialogs share.

#include <QString>

#include "i18n/Texts.h"

namespace korvex {

inline QString DialogText(int number) { return QString::fromStdString(GetText(number)); }

}  // namespace korvex
