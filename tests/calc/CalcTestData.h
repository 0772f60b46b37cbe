// A small game data set for the calculator tests, written as INI sources,
// converted to data files in a temporary folder and loaded by LoadAll.
//
// Categories listed: 0 片手剣 (two motions, two hit patterns, three weapons),
// 4 ランス (no hit pattern), 6 ハンマー (no motion). 5 ガンランス has motions
// but no weapon and is not listed. Monsters: ドラゴン (four regions, anger 2 =
// 90), Kirin (one region). Levels: 下位 100, 上位 80.
#pragma once

#include <string_view>

#include <gtest/gtest.h>

#include "calc/Calculator.h"
#include "platform/Cp932.h"
#include "support/TestDataDir.h"

namespace calctest {

using velkar::ToSjis;

// Region cut values are chosen so that no expected hit lands on a whole
// number, where the last bit of a double would decide the truncation.
inline constexpr std::u8string_view kMonsterIni =
    u8"[Monster]\r\n0=ドラゴン\r\n1=Kirin\r\n"
    u8"[ドラゴン]\r\nAnger=110,90,120\r\n"
    u8"0=頭,45,60,10,20,10,5,30,0\r\n"
    u8"1=尻尾,30,25,10,10,10,10,10,10\r\n"
    u8"2=腹,90,90,10,15,10,10,10,10\r\n"
    u8"3=甲殻,22,15,10,5,10,10,10,10\r\n"
    u8"[Kirin]\r\nAnger=100,100,100\r\n0=角,50,50,50,0,0,0,0,0\r\n"
    u8"[Level]\r\n1=下位,100\r\n2=上位,80\r\n";

// Weapons: name, attack, element mask, element value, sharpness, unused.
inline constexpr std::u8string_view kSwordIni =
    u8"[Action]\r\n1=斬り下ろし,20\r\n2=突き,B50,10,12\r\n"
    u8"[HitPattern]\r\n1=通常,100,100\r\n2=弱点,80,120\r\n"
    u8"[Weapon]\r\n"
    u8"1=ハンターナイフ,280,0,0,3,0\r\n"  // attack 280 / 1.4 = 200, no element, green
    u8"2=火毒剣,160,66,250,4,0\r\n"       // fire and poison (bits 1 and 6)
    u8"3=鈍ら,280,1,0,7,0\r\n";           // "no element" by bit 0, sharpness beyond white

enum : int { kListLance = 1, kListHummer = 2 };
enum : int { kKnife = 0, kFireSword = 1, kBlunt = 2 };
enum : int { kSlash = 0, kThrust = 1 };

class CalculatorFixture : public ::testing::Test {
protected:
  // Writes the sources, converts them, loads the store and runs LoadAll.
  void Start() {
    m_dir.WriteText("Monster.ini", kMonsterIni);
    m_dir.WriteText("Sword.ini", kSwordIni);
    m_dir.WriteText("Lance.ini",
                    u8"[Action]\r\n1=突進,20\r\n[Weapon]\r\n1=ランスA,460,0,0,3,0\r\n");
    m_dir.WriteText("GunLance.ini", u8"[Action]\r\n1=砲撃,30\r\n");
    m_dir.WriteText("Hummer.ini",
                    u8"[HitPattern]\r\n1=通常,100,100\r\n[Weapon]\r\n1=ハンマーA,520,0,0,3,0\r\n");
    ASSERT_TRUE(m_store->ConvertMonsterIni());
    for (int nCategory : {0, 4, 5, 6}) ASSERT_TRUE(m_store->ConvertWeaponIni(nCategory));
    m_store->LoadAll();
    m_calc.LoadAll();
  }

  // The sword "ハンターナイフ" against ドラゴン with one "斬り下ろし".
  void StartWithKnife() {
    Start();
    m_calc.SelectWeapon(kKnife);
    m_calc.AddChosenMotion(kSlash);
  }

  CTestDataDir m_dir;
  CTestDataStore m_store{m_dir};
  CCalculator m_calc{m_store.Store()};
};

}  // namespace calctest
