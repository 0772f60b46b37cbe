#include "data/DataManager.h"

#include <array>
#include <new>
#include <span>
#include <string_view>
#include <utility>

#include "VelkarTexts.h"
#include "data/MonsterDataFile.h"
#include "data/WeaponDataFile.h"
#include "platform/AtomicFileWriter.h"
#include "platform/BinaryFile.h"
#include "platform/Crc32.h"
#include "platform/IniFile.h"
#include "platform/ModuleDirectory.h"

namespace {

constexpr std::string_view kError = "Error";

constexpr std::array<std::string_view, SHARPNESS_MAX + 1> kSharpnessName = {
    txt::kSharpnessRed,   txt::kSharpnessOrange, txt::kSharpnessYellow,
    txt::kSharpnessGreen, txt::kSharpnessBlue,   txt::kSharpnessWhite};
constexpr std::array<std::string_view, ELEMENT_COUNT> kElementName = {
    txt::kElementNone,    txt::kElementFire,      txt::kElementWater,
    txt::kElementThunder, txt::kElementIce,       txt::kElementDragon,
    txt::kElementPoison,  txt::kElementParalysis, txt::kElementSleep};

template <size_t N>
std::string NameOf(const std::array<std::string_view, N>& arrName, int nIndex) {
  if (nIndex < 0 || static_cast<size_t>(nIndex) >= N) return std::string(kError);
  return std::string(arrName[static_cast<size_t>(nIndex)]);
}

bool IsCategory(int nCategory) {
  return FindCategory(nCategory) != nullptr;
}

// Deletes the records of a list one by one, first to last.
template <typename List>
void DeleteRecords(List& arrRecord) {
  for (auto& pRecord : arrRecord) pRecord.reset();
  arrRecord.clear();
}

template <typename Map>
void DeleteLists(Map& mapList) {
  for (auto& entry : mapList) DeleteRecords(entry.second);
  mapList.clear();
}

template <typename Map>
auto* FindList(const Map& mapList, int nCategory) {
  const auto it = mapList.find(nCategory);
  return it == mapList.end() ? nullptr : &it->second;
}

// Reads a data file whole. A missing file is simply absent; one that exists
// but cannot be read is noted as a load error.
bool ReadDataFile(const std::string& strPath, std::vector<uint8_t>& arrByte,
                  std::vector<DataFileError_t>& arrError) {
  velkar::ReadFailure_t failure;
  switch (velkar::ReadWholeFile(strPath, arrByte, failure)) {
    case velkar::eREAD_RESULT::Ok: return true;
    case velkar::eREAD_RESULT::Missing: return false;
    default: break;
  }
  arrError.push_back(FromReadFailure(strPath, failure));
  return false;
}

// Decodes a data file into the store, keeping whatever was completed before
// a failure; running out of memory is one more way for a file to fail. The
// CRC-32 of every file that could be read goes to nCrc.
template <typename Load>
bool LoadDataFile(const std::string& strPath, std::vector<DataFileError_t>& arrError,
                  std::optional<uint32_t>& nCrc, Load load) {
  std::vector<uint8_t> arrByte;
  if (!ReadDataFile(strPath, arrByte, arrError)) return false;
  nCrc = velkar::Crc32(arrByte);
  std::optional<DataFileError_t> error;
  bool bLoaded = false;
  try {
    bLoaded = load(arrByte, error);
  } catch (const std::bad_alloc&) {
    error = DataFileError_t{{}, DATA_FILE_NO_MEMORY, arrByte.size(), {}};
    bLoaded = false;
  }
  if (error) {
    error->strPath = strPath;
    arrError.push_back(std::move(*error));
  }
  return bLoaded;
}

bool Failed(ConvertReport_t& report, DataFileError_t failure) {
  report.strError = DescribeInEnglish(failure);
  report.failure = std::move(failure);
  return false;
}

// The steps every conversion shares: make sure the target can be written
// before the source is read, read the source once, build the data in memory,
// and replace the target only when every byte is written. A source that
// cannot be read leaves the old data file as it was: only an existing source
// (even one without any entry) replaces it.
template <typename Build>
bool Convert(ConvertReport_t& report, Build build) {
  velkar::CAtomicFileWriter writer(report.strTarget);
  if (!writer.Open()) {
    return Failed(report, {report.strTarget, DATA_FILE_WRITE_FAILED, 0, writer.Error()});
  }
  std::vector<uint8_t> arrSource;
  velkar::ReadFailure_t failure;
  if (velkar::ReadWholeFile(report.strSource, arrSource, failure) != velkar::eREAD_RESULT::Ok) {
    return Failed(report, FromReadFailure(report.strSource, failure));
  }
  const size_t nSourceBytes = arrSource.size();
  std::vector<uint8_t> arrData;
  try {
    const CIniFile ini = CIniFile::ParseForLookups(std::move(arrSource));
    arrData = build(LookupIn(ini));
  } catch (const std::bad_alloc&) {
    return Failed(report, {report.strSource, DATA_FILE_NO_MEMORY, nSourceBytes, {}});
  }
  if (!writer.Commit(arrData)) {
    return Failed(report, {report.strTarget, DATA_FILE_WRITE_FAILED, 0, writer.Error()});
  }
  report.bWritten = true;
  return true;
}

}  // namespace

CDataManager::CDataManager() : CDataManager(velkar::GetModuleDirectory()) {}

CDataManager::CDataManager(std::string strDataDir) : m_strDataDir(std::move(strDataDir)) {
  if (!m_strDataDir.empty() && m_strDataDir.back() != '/') m_strDataDir += '/';
}

CDataManager::~CDataManager() {
  Clear();
}

void CDataManager::Clear() {
  DeleteLists(m_mapWeapon);
  DeleteLists(m_mapAction);
  DeleteLists(m_mapHitPattern);
  DeleteRecords(m_arrMonster);
  DeleteRecords(m_arrLevel);
  m_arrLoadError.clear();
  m_arrFileCrc.fill(std::nullopt);
}

void CDataManager::LoadAll() {
  Clear();
  LoadMonsterData();
  for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) LoadWeaponData(nCategory);
}

bool CDataManager::LoadMonsterData() {
  return LoadDataFile(GetMonsterDataPath(), m_arrLoadError, m_arrFileCrc[0],
                      [this](std::span<const uint8_t> bytes, auto& error) {
                        return CMonsterDataFile::Load(bytes, *this, error);
                      });
}

bool CDataManager::LoadWeaponData(int nCategory) {
  if (!IsCategory(nCategory)) return false;
  const std::string strPath = GetWeaponDataPath(nCategory);
  if (!velkar::FileExists(strPath)) return false;
  return LoadDataFile(strPath, m_arrLoadError, m_arrFileCrc[static_cast<size_t>(nCategory) + 1],
                      [this, nCategory](std::span<const uint8_t> bytes, auto& error) {
                        return CWeaponDataFile::Load(bytes, nCategory, *this, error);
                      });
}

bool CDataManager::ConvertMonsterIni() {
  m_lastConvert = ConvertReport_t{};
  m_lastConvert.strSource = GetMonsterSourcePath();
  m_lastConvert.strTarget = GetMonsterDataPath();
  return Convert(m_lastConvert, [this](const SourceLookup& lookup) {
    const MonsterFileContents_t contents =
        CMonsterDataFile::ReadSource(lookup, m_lastConvert.arrSkipped);
    uint32_t nRegion = 0;
    for (const MonsterRecord_t& monster : contents.arrMonster) {
      nRegion += static_cast<uint32_t>(monster.arrRegion.size());
    }
    m_lastConvert.nCount[0] = static_cast<uint32_t>(contents.arrMonster.size());
    m_lastConvert.nCount[1] = nRegion;
    m_lastConvert.nCount[2] = static_cast<uint32_t>(contents.arrLevel.size());
    return CMonsterDataFile::Encode(contents);
  });
}

bool CDataManager::ConvertWeaponIni(int nCategory) {
  m_lastConvert = ConvertReport_t{};
  if (!IsCategory(nCategory)) {
    m_lastConvert.strError = "no weapon category " + std::to_string(nCategory);
    return false;
  }
  m_lastConvert.strSource = GetWeaponSourcePath(nCategory);
  m_lastConvert.strTarget = GetWeaponDataPath(nCategory);
  return Convert(m_lastConvert, [this](const SourceLookup& lookup) {
    const WeaponFileContents_t contents =
        CWeaponDataFile::ReadSource(lookup, m_lastConvert.arrSkipped);
    m_lastConvert.nCount[0] = static_cast<uint32_t>(contents.arrMotion.size());
    m_lastConvert.nCount[1] = static_cast<uint32_t>(contents.arrHitPattern.size());
    m_lastConvert.nCount[2] = static_cast<uint32_t>(contents.arrWeapon.size());
    return CWeaponDataFile::Encode(contents);
  });
}

uint32_t CDataManager::GetDataFingerprint() const {
  // Each file as a present byte and its CRC (little-endian), or an absent byte.
  // A category after the eight that the first codes knew counts only when it
  // holds a weapon: no build can name it otherwise, and codes made before it
  // existed must still match data that lacks it or leaves it empty.
  constexpr size_t kFilesOfTheFirstCodes = 1 + 8;
  const auto holdsWeapon = [this](size_t nFile) {
    const WeaponList* pWeapons = GetWeaponList(static_cast<int>(nFile) - 1);
    return pWeapons != nullptr && !pWeapons->empty();
  };
  std::vector<uint8_t> arrSummary;
  for (size_t nFile = 0; nFile < m_arrFileCrc.size(); ++nFile) {
    if (nFile >= kFilesOfTheFirstCodes && !holdsWeapon(nFile)) continue;
    const std::optional<uint32_t>& nCrc = m_arrFileCrc[nFile];
    arrSummary.push_back(nCrc ? 1 : 0);
    for (int nShift = 0; nCrc && nShift < 32; nShift += 8) {
      arrSummary.push_back(static_cast<uint8_t>(*nCrc >> nShift));
    }
  }
  return velkar::Crc32(arrSummary);
}

const CDataManager::WeaponList* CDataManager::GetWeaponList(int nCategory) const {
  return FindList(m_mapWeapon, nCategory);
}

const CDataManager::ActionList* CDataManager::GetActionList(int nCategory) const {
  return FindList(m_mapAction, nCategory);
}

const CDataManager::HitPatternList* CDataManager::GetHitPatternList(int nCategory) const {
  return FindList(m_mapHitPattern, nCategory);
}

std::string CDataManager::GetCategoryName(int nCategory) {
  const CategoryInfo_t* pInfo = FindCategory(nCategory);
  return std::string(pInfo ? pInfo->strStem : kError);
}

std::string CDataManager::GetCategoryLabel(int nCategory) {
  const CategoryInfo_t* pInfo = FindCategory(nCategory);
  return std::string(pInfo ? pInfo->strCaption : kError);
}

std::string CDataManager::GetSharpnessName(int nSharpness) {
  return NameOf(kSharpnessName, nSharpness);
}

std::string CDataManager::GetElementName(int nElement) {
  return NameOf(kElementName, nElement);
}

std::string CDataManager::GetWeaponDataPath(int nCategory) const {
  return m_strDataDir + GetCategoryName(nCategory) + ".dat";
}

std::string CDataManager::GetWeaponSourcePath(int nCategory) const {
  return m_strDataDir + GetCategoryName(nCategory) + ".ini";
}

std::string CDataManager::GetMonsterDataPath() const {
  return m_strDataDir + std::string(kMonsterFileStem) + ".dat";
}

std::string CDataManager::GetMonsterSourcePath() const {
  return m_strDataDir + std::string(kMonsterFileStem) + ".ini";
}

CDataManager::ActionList& CDataManager::ActionsOf(int nCategory) {
  return m_mapAction[nCategory];
}

CDataManager::HitPatternList& CDataManager::HitPatternsOf(int nCategory) {
  return m_mapHitPattern[nCategory];
}

CDataManager::WeaponList& CDataManager::WeaponsOf(int nCategory) {
  return m_mapWeapon[nCategory];
}

void CDataManager::RemoveWeaponListIfEmpty(int nCategory) {
  const auto it = m_mapWeapon.find(nCategory);
  if (it != m_mapWeapon.end() && it->second.empty()) m_mapWeapon.erase(it);
}

void CDataManager::AppendMonster(std::unique_ptr<CMonster> pMonster) {
  m_arrMonster.push_back(std::move(pMonster));
}

void CDataManager::AppendLevel(std::unique_ptr<CLevel> pLevel) {
  m_arrLevel.push_back(std::move(pLevel));
}
