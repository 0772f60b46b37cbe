#include "ListCommand.h"

#include <CLI/CLI.hpp>

#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "data/DataManager.h"
#include "setup/ResultJson.h"

namespace {

struct WeaponStatus_t {
  uint16_t wAttack = 0;
  uint16_t wElement = 0;
  int32_t nElementMask = 0;
  int32_t nSharpness = 0;
};

WeaponStatus_t StatusOf(const CWeapon& weapon) {
  WeaponStatus_t status;
  weapon.GetStatus(status.wAttack, status.wElement, status.nElementMask, status.nSharpness);
  return status;
}

std::string JoinValues(const std::vector<uint16_t>& arrValue) {
  std::string strText;
  for (uint16_t wValue : arrValue) strText += (strText.empty() ? "" : " ") + std::to_string(wValue);
  return strText;
}

std::string Num(int64_t nValue) {
  return std::to_string(nValue);
}

// Selects every listed category in turn, as a user of the window would.
template <typename Visit>
void ForEachCategory(CCalculator& calculator, Visit visit) {
  for (size_t i = 0; i < calculator.GetCategories().size(); ++i) {
    calculator.SelectCategory(static_cast<int>(i));
    visit();
  }
}

}  // namespace

void CListCommand::Setup(CLI::App& command) {
  command.add_flag("--json", m_bJson, "Print one JSON object (UTF-8)");
}

int CListCommand::Run(const ToolContext_t& context) {
  context.store.LoadAll();
  CCalculator calculator(context.store);
  calculator.LoadAll();
  if (m_bJson) {
    context.output.WriteUtf8(ResultJsonText(RecordsDocument(calculator)));
  } else {
    ForEachCategory(calculator, [&] { WriteCategory(context.output, calculator); });
    WriteTargets(context.output, calculator);
  }
  return kExitOk;
}

void CListCommand::WriteCategory(const CToolOutput& output, const CCalculator& calculator) {
  const CategoryEntry_t& entry =
      calculator.GetCategories()[static_cast<size_t>(calculator.GetCategorySelection())];
  output.WriteLine("category " + Num(entry.nCategory) + " " +
                   CDataManager::GetCategoryName(entry.nCategory) + " " + entry.strLabel);
  for (size_t i = 0; i < calculator.GetWeapons().size(); ++i) {
    const CWeapon& weapon = *calculator.GetWeapons()[i];
    const WeaponStatus_t status = StatusOf(weapon);
    output.WriteLine("  weapon " + Num(static_cast<int64_t>(i)) + " " + weapon.GetName() +
                     ": attack " + Num(status.wAttack) + ", element " + Num(status.wElement) +
                     ", mask " + Num(status.nElementMask) + ", sharpness " +
                     Num(status.nSharpness));
  }
  for (size_t i = 0; i < calculator.GetAvailableMotions().size(); ++i) {
    const CAction& motion = *calculator.GetAvailableMotions()[i];
    output.WriteLine("  motion " + Num(static_cast<int64_t>(i)) + " " + motion.GetName() +
                     ": cut " + Num(motion.GetRate(0)) + ", impact " + Num(motion.GetRate(1)) +
                     ", values " + JoinValues(motion.GetMotions()));
  }
  for (size_t i = 0; i < calculator.GetHitCorrections().size(); ++i) {
    const CHitPattern& pattern = *calculator.GetHitCorrections()[i];
    output.WriteLine("  hit pattern " + Num(static_cast<int64_t>(i)) + " " + pattern.GetName() +
                     ": low " + Num(pattern.GetLowRate()) + ", high " + Num(pattern.GetHighRate()));
  }
}

void CListCommand::WriteTargets(const CToolOutput& output, const CCalculator& calculator) {
  for (size_t i = 0; i < calculator.GetMonsters().size(); ++i) {
    const CMonster& monster = *calculator.GetMonsters()[i];
    output.WriteLine("monster " + Num(static_cast<int64_t>(i)) + " " + monster.GetName() +
                     ": anger " + Num(monster.GetAnger1()) + " " + Num(monster.GetAnger()) + " " +
                     Num(monster.GetAnger3()));
    for (size_t r = 0; r < monster.GetRegions().size(); ++r) {
      const CMonster::Regio_t& region = monster.GetRegions()[r];
      std::string strLine = "  region " + Num(static_cast<int64_t>(r)) + " " + region.strName +
                            ": cut " + Num(region.byPhys[0]) + ", impact " + Num(region.byPhys[1]) +
                            ", third " + Num(region.byPhys[2]);
      for (int e = ELEMENT_FIRE; e <= ELEMENT_DRAGON; ++e) {
        strLine +=
            ", " + std::string(ElementKey(e)) + " " + Num(region.byElement[static_cast<size_t>(e)]);
      }
      output.WriteLine(strLine);
    }
  }
  for (size_t i = 0; i < calculator.GetLevels().size(); ++i) {
    const CLevel& level = *calculator.GetLevels()[i];
    output.WriteLine("level " + Num(static_cast<int64_t>(i)) + " " + level.GetName() + ": rate " +
                     Num(level.GetRate()));
  }
}
