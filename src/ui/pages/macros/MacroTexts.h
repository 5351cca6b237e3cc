#pragma once
// Interface texts of the macro page.

#include <QString>
#include <string>

namespace korvex {

enum MacroText : int {
  kTextImport = 26,
  kTextExport = 27,
  kTextDelete = 30,
  kTextCopy = 31,
  kTextInsert = 39,
  kTextPageTitle = 350,
  kTextCustom = 351,
  kTextListTitle = 352,
  kTextNewMacro = 353,
  kTextEventsTitle = 355,
  kTextDeleteEvent = 357,
  kTextStartRecording = 358,
  kTextStopRecording = 359,
  kTextDelayCaption = 360,
  kTextDelayNone = 361,
  kTextPlayCaption = 364,
  kTextPlayHeld = 365,
  kTextInsertTitle = 368,
  kTextKeyTip = 385,
  kTextFull = 386,
  kTextNoMacro = 387,
  kTextColumnNumber = 388,
  kTextColumnEvent = 389,
  kTextColumnValue = 390,
  kTextKindCaption = 391,
  kTextValueCaption = 392,
  kTextKindMouse = 393,
  kTextKindKey = 394,
  kTextKindDelay = 395,
  kTextInsertKey = 397,
  kTextInsertDelay = 398,
  kTextMenuToTop = 400,
  kTextMenuUp = 401,
  kTextMenuDown = 402,
  kTextMenuToBottom = 403,
  kTextDeleteAll = 404,
  kTextImportAll = 410,
  kTextExportAll = 411,
  // Texts of this page beyond the original set.
  kTextSendToMouse = 770,
  kTextChangedOnMouse = 771,  // "%1": the button numbers
  kTextSending = 772,
  kTextInsertLeft = 773,
  kTextInsertMiddle = 774,
  kTextInsertRight = 775,
  kTextKeyDialogOk = 23,
};

// A stored macro name as the macro list shows it in the current language.
QString ShownMacroName(const std::string& stored);

}  // namespace korvex
