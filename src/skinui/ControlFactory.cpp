#include "skinui/ControlFactory.h"

#include <functional>
#include <map>

#include "skinui/BatteryCtrl.h"
#include "skinui/CArea.h"
#include "skinui/CCheckButton.h"
#include "skinui/CColorButton.h"
#include "skinui/CDeviceList.h"
#include "skinui/CDeviceState.h"
#include "skinui/CGifPicture.h"
#include "skinui/CHelpButton.h"
#include "skinui/CIconButton.h"
#include "skinui/CImageButton.h"
#include "skinui/CRadioButton.h"
#include "skinui/CRecordList.h"
#include "skinui/CRoundArea.h"
#include "skinui/CTextButton.h"
#include "skinui/DListBox.h"
#include "skinui/DPIControl.h"
#include "skinui/DPISlider.h"
#include "skinui/LightSlider.h"
#include "skinui/MButton.h"
#include "skinui/MComboBox.h"
#include "skinui/MEdit.h"
#include "skinui/MPalette.h"
#include "skinui/MPicture.h"
#include "skinui/MProgress.h"
#include "skinui/MTabCtrl.h"
#include "skinui/MTabLayout.h"
#include "skinui/MText.h"
#include "skinui/MacroList.h"
#include "skinui/MouseCtrl.h"
#include "skinui/MouseKeyCtrl.h"
#include "skinui/NumberEdit.h"
#include "skinui/ReporteCtrl.h"

namespace DUI {
namespace {

using Creator = std::function<MControl*(QWidget*, int)>;

template <class T>
Creator Make() {
  return [](QWidget* parent, int id) -> MControl* { return new T(parent, id); };
}

const std::map<QString, Creator>& Registry() {
  static const std::map<QString, Creator> registry = {
      {"BatteryCtrl", Make<BatteryCtrl>()},   {"CArea", Make<CArea>()},
      {"CCheckButton", Make<CCheckButton>()}, {"CColorButton", Make<CColorButton>()},
      {"CDeviceList", Make<CDeviceList>()},   {"CDeviceState", Make<CDeviceState>()},
      {"CGifPicture", Make<CGifPicture>()},   {"CHelpButton", Make<CHelpButton>()},
      {"CIconButton", Make<CIconButton>()},   {"CImageButton", Make<CImageButton>()},
      {"CRadioButton", Make<CRadioButton>()}, {"CRecordList", Make<CRecordList>()},
      {"CRoundArea", Make<CRoundArea>()},     {"CTextButton", Make<CTextButton>()},
      {"DListBox", Make<DListBox>()},         {"DPIControl", Make<DPIControl>()},
      {"DPISlider", Make<DPISlider>()},       {"LightSlider", Make<LightSlider>()},
      {"MButton", Make<MButton>()},           {"MButton2", Make<MButton>()},
      {"MComboBox", Make<MComboBox>()},       {"MComboBox2", Make<MComboBox>()},
      {"MEdit", Make<MEdit>()},               {"MPalette", Make<MPalette>()},
      {"MPicture", Make<MPicture>()},         {"MProgress", Make<MProgress>()},
      {"MTabCtrl", Make<MTabCtrl>()},         {"MTabLayout", Make<MTabLayout>()},
      {"MText", Make<MText>()},               {"MacroList", Make<MacroList>()},
      {"MouseCtrl", Make<MouseCtrl>()},       {"MouseKeyCtrl", Make<MouseKeyCtrl>()},
      {"NumberEdit", Make<NumberEdit>()},     {"ReporteCtrl", Make<ReporteCtrl>()},
  };
  return registry;
}

}  // namespace

MControl* ControlFactory::Create(const QString& className, QWidget* parent, int id) {
  const auto& registry = Registry();
  auto it = registry.find(className);
  return it == registry.end() ? nullptr : it->second(parent, id);
}

QStringList ControlFactory::ClassNames() {
  QStringList names;
  for (const auto& [name, creator] : Registry()) names.append(name);
  return names;
}

}  // namespace DUI
