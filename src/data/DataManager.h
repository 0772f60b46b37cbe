// CDataManager: a store of all game data of one data folder. It owns every
// record (weapons, motions and hit patterns per category; monsters and levels
// for all categories), loads them from the folder's binary data files,
// rebuilds those files from their INI sources, and names categories,
// sharpness levels and elements. It is an ordinary object: the faces' entry
// points own one and pass it to whatever reads records, which hold plain
// pointers into it; only Clear and the destructor delete records. A
// conversion leaves the records as they are: the faces load a new store from
// the folder and swap it in (DataConversion.h).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/ConvertReport.h"
#include "data/DataFileError.h"
#include "model/Action.h"
#include "model/CategoryTable.h"
#include "model/GameEnums.h"
#include "model/HitPattern.h"
#include "model/Level.h"
#include "model/Monster.h"
#include "model/Weapon.h"

class CDataManager {
public:
  using WeaponList = std::vector<std::unique_ptr<CWeapon>>;
  using ActionList = std::vector<std::unique_ptr<CAction>>;
  using HitPatternList = std::vector<std::unique_ptr<CHitPattern>>;
  using MonsterList = std::vector<std::unique_ptr<CMonster>>;
  using LevelList = std::vector<std::unique_ptr<CLevel>>;

  // An empty store of the data files in the executable's folder, or in
  // strDataDir ('/' is added when it lacks one; "" is the working folder).
  CDataManager();
  explicit CDataManager(std::string strDataDir);
  virtual ~CDataManager();
  CDataManager(const CDataManager&) = delete;
  CDataManager& operator=(const CDataManager&) = delete;

  // Deletes every record and every per-category list.
  void Clear();

  // Empties the store, then loads the monsters' data file and every
  // category's; a missing file only leaves its records out.
  void LoadAll();

  // Loaders: append to the store. See the data file readers for the format.
  // A damaged file keeps every record completed before the damage, and
  // LoadWeaponData is true when that includes a weapon.
  bool LoadMonsterData();
  bool LoadWeaponData(int nCategory);

  // Converters: rebuild a data file from its INI source; the records in the
  // store stay as they were loaded. False when the data file was not
  // written, because the source could not be read or the data file could not
  // be written; it is then left as it was.
  bool ConvertMonsterIni();
  bool ConvertWeaponIni(int nCategory);

  // Lookups; none (null) for a category without an entry. They never load.
  const WeaponList* GetWeaponList(int nCategory) const;
  const ActionList* GetActionList(int nCategory) const;
  const HitPatternList* GetHitPatternList(int nCategory) const;
  const MonsterList& GetMonsterList() const { return m_arrMonster; }
  const LevelList& GetLevelList() const { return m_arrLevel; }

  // Name tables; "Error" outside their range, negative numbers included. A
  // category's names are its row's of CategoryTable.h.
  static std::string GetCategoryName(int nCategory);   // file stem, e.g. "Sword"
  static std::string GetCategoryLabel(int nCategory);  // Japanese display name
  static std::string GetSharpnessName(int nSharpness);
  static std::string GetElementName(int nElement);

  // The folder of the data and source files (ends with '/' unless empty).
  const std::string& GetDataDirectory() const { return m_strDataDir; }

  // Paths of a category's or the monsters' files in the data folder.
  std::string GetWeaponDataPath(int nCategory) const;
  std::string GetWeaponSourcePath(int nCategory) const;
  std::string GetMonsterDataPath() const;
  std::string GetMonsterSourcePath() const;

  // Problems of the loads since the last Clear: files that exist but are
  // damaged (ended early, a count beyond the file). A missing file is not one.
  const std::vector<DataFileError_t>& GetLoadErrors() const { return m_arrLoadError; }

  // A short fingerprint of the data files loaded since the last Clear, from
  // their bytes: the CRC-32 of each file, combined in a fixed order (the
  // monsters' file, then the categories in their order, a file not loaded counting as
  // absent; a category after the first eight counts only when it holds a
  // weapon), so that the order of the loads does not matter and adding a
  // category leaves the codes of data without it valid. Build codes carry
  // it to tell whether they are opened on the data they were made with.
  uint32_t GetDataFingerprint() const;

  // What the last conversion read, wrote and skipped.
  const ConvertReport_t& GetLastConvertReport() const { return m_lastConvert; }

  // Used by the loaders to hand records to the store (and by tests to build
  // a store in memory). The category's lists are created on first use.
  ActionList& ActionsOf(int nCategory);
  HitPatternList& HitPatternsOf(int nCategory);
  WeaponList& WeaponsOf(int nCategory);
  void RemoveWeaponListIfEmpty(int nCategory);
  void AppendMonster(std::unique_ptr<CMonster> pMonster);
  void AppendLevel(std::unique_ptr<CLevel> pLevel);

private:
  MonsterList m_arrMonster;
  LevelList m_arrLevel;
  std::map<int, WeaponList> m_mapWeapon;
  std::map<int, ActionList> m_mapAction;
  std::map<int, HitPatternList> m_mapHitPattern;

  std::string m_strDataDir;
  std::vector<DataFileError_t> m_arrLoadError;
  ConvertReport_t m_lastConvert;
  // The CRC-32 of each loaded file: the monsters' at 0, category c's at c + 1.
  std::array<std::optional<uint32_t>, CATEGORY_COUNT + 1> m_arrFileCrc;
};
