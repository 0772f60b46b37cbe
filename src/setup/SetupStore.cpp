#include "SetupStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "calc/ModifierTable.h"
#include "data/DataFileError.h"
#include "platform/BinaryFile.h"
#include "platform/Cp932.h"

namespace {

using ordered_json = nlohmann::ordered_json;

constexpr int kVersion = 1;
constexpr const char* kLastSetupFile = "last-setup.json";
constexpr const char* kBuildsFile = "builds.json";
constexpr const char* kLockFile = "builds.lock";
constexpr const char* kSetupFormat = "velkar-setup";
constexpr const char* kBuildsFormat = "velkar-builds";

enum class eREAD { Missing, Ok, Ignored };

// Reads and checks one file; strProblem says why it was ignored.
eREAD ReadJsonFile(const std::string& strPath, const char* pszFormat, ordered_json& document,
                   std::string& strProblem) {
  std::vector<uint8_t> arrBytes;
  velkar::ReadFailure_t failure;
  switch (velkar::ReadWholeFile(strPath, arrBytes, failure)) {
    case velkar::eREAD_RESULT::Ok: break;
    case velkar::eREAD_RESULT::Missing: return eREAD::Missing;
    default:
      strProblem = DescribeInEnglish(FromReadFailure(strPath, failure));
      return eREAD::Ignored;
  }
  document = ordered_json::parse(arrBytes.begin(), arrBytes.end(), nullptr, false);
  if (document.is_discarded()) {
    strProblem = strPath + " is not valid JSON";
    return eREAD::Ignored;
  }
  const auto itFormat = document.is_object() ? document.find("format") : document.end();
  if (itFormat == document.end() || *itFormat != pszFormat) {
    strProblem = strPath + " is not a file of type \"" + std::string(pszFormat) + "\"";
    return eREAD::Ignored;
  }
  const auto itVersion = document.find("version");
  if (itVersion == document.end() || !itVersion->is_number_integer() ||
      itVersion->get<int64_t>() > kVersion) {
    strProblem = strPath + " has a version this program does not know";
    return eREAD::Ignored;
  }
  return eREAD::Ok;
}

const ordered_json* Member(const ordered_json& object, const char* pszKey) {
  if (!object.is_object()) return nullptr;
  const auto it = object.find(pszKey);
  return it == object.end() ? nullptr : &*it;
}

// A stored UTF-8 name as Shift-JIS; none when missing or not a string, or
// when code page 932 cannot hold it (no record can have that name then).
std::optional<std::string> NameMember(const ordered_json& object, const char* pszKey) {
  const ordered_json* pValue = Member(object, pszKey);
  if (!pValue || !pValue->is_string()) return std::nullopt;
  return velkar::Utf8ToSjis(pValue->get_ref<const std::string&>());
}

std::optional<int> IntMember(const ordered_json& object, const char* pszKey, int nMin, int nMax) {
  const ordered_json* pValue = Member(object, pszKey);
  if (!pValue || !pValue->is_number_integer()) return std::nullopt;
  const int64_t nValue = pValue->get<int64_t>();
  if (nValue < nMin || nValue > nMax) return std::nullopt;
  return static_cast<int>(nValue);
}

ordered_json NameJson(const std::optional<std::string>& strName) {
  return strName ? ordered_json(velkar::SjisToUtf8(*strName)) : ordered_json(nullptr);
}

ordered_json IntJson(const std::optional<int>& nValue) {
  return nValue ? ordered_json(*nValue) : ordered_json(nullptr);
}

ordered_json* BuildArray(ordered_json& document) {
  ordered_json& arrBuild = document["builds"];
  if (!arrBuild.is_array()) arrBuild = ordered_json::array();
  return &arrBuild;
}

// The position of the build of this (Shift-JIS) name in the array, or end.
ordered_json::iterator FindBuildIn(ordered_json& arrBuild, const std::string& strName) {
  for (auto it = arrBuild.begin(); it != arrBuild.end(); ++it) {
    if (NameMember(*it, "name") == strName) return it;
  }
  return arrBuild.end();
}

// Holds an exclusive flock on a file for its lifetime.
class CFileLock {
public:
  explicit CFileLock(const std::string& strPath)
      : m_nFd(open(strPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
    if (m_nFd < 0) {
      m_nErrno = errno;
      return;
    }
    while (flock(m_nFd, LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      m_nErrno = errno;
      close(m_nFd);
      m_nFd = -1;
      return;
    }
  }
  ~CFileLock() {
    if (m_nFd >= 0) close(m_nFd);  // closing releases the lock
  }
  CFileLock(const CFileLock&) = delete;
  CFileLock& operator=(const CFileLock&) = delete;

  bool IsLocked() const { return m_nFd >= 0; }
  int GetErrno() const { return m_nErrno; }

private:
  int m_nFd;
  int m_nErrno = 0;
};

}  // namespace

std::string CSetupStore::DefaultFolder() {
  const char* pszConfig = std::getenv("XDG_CONFIG_HOME");
  if (pszConfig != nullptr && pszConfig[0] == '/') return std::string(pszConfig) + "/velkar/";
  const char* pszHome = std::getenv("HOME");
  if (pszHome != nullptr && pszHome[0] != '\0') return std::string(pszHome) + "/.config/velkar/";
  return {};
}

CSetupStore::CSetupStore(std::string strFolder, std::ostream* pNotes)
    : m_strFolder(std::move(strFolder)), m_pNotes(pNotes != nullptr ? pNotes : &std::cerr) {
  if (!m_strFolder.empty() && m_strFolder.back() != '/') m_strFolder += '/';
}

ordered_json CSetupStore::SetupToJson(const Setup_t& setup) {
  ordered_json motions = ordered_json::array();
  for (const std::string& strMotion : setup.arrMotion) {
    motions.push_back(velkar::SjisToUtf8(strMotion));
  }
  return {{"category", IntJson(setup.nCategory)},
          {"weapon", NameJson(setup.strWeapon)},
          {"motions", std::move(motions)},
          {"sharpness", IntJson(setup.nSharpness)},
          {"monster", NameJson(setup.strMonster)},
          {"level", NameJson(setup.strLevel)},
          {"hit_correction", NameJson(setup.strHitCorrection)},
          {"anger", setup.bAnger},
          {"modifiers", setup.arrModifier}};
}

Setup_t CSetupStore::SetupFromJson(const ordered_json& member) {
  Setup_t setup;
  setup.nCategory = IntMember(member, "category", 0, 7);
  setup.strWeapon = NameMember(member, "weapon");
  if (const ordered_json* pMotions = Member(member, "motions"); pMotions && pMotions->is_array()) {
    for (const ordered_json& motion : *pMotions) {
      if (!motion.is_string()) continue;
      // A name code page 932 cannot hold matches no motion: it is left out.
      if (auto strName = velkar::Utf8ToSjis(motion.get_ref<const std::string&>())) {
        setup.arrMotion.push_back(std::move(*strName));
      }
    }
  }
  setup.nSharpness = IntMember(member, "sharpness", 0, 5);
  setup.strMonster = NameMember(member, "monster");
  setup.strLevel = NameMember(member, "level");
  setup.strHitCorrection = NameMember(member, "hit_correction");
  const ordered_json* pAnger = Member(member, "anger");
  setup.bAnger = pAnger && pAnger->is_boolean() && pAnger->get<bool>();
  if (const ordered_json* pIds = Member(member, "modifiers"); pIds && pIds->is_array()) {
    for (const ordered_json& id : *pIds) {
      if (!id.is_number_integer()) continue;
      const int64_t nId = id.get<int64_t>();
      if (nId >= kFirstModifierId && nId <= kLastModifierId) {
        setup.arrModifier.push_back(static_cast<int>(nId));
      }
    }
  }
  return setup;
}

std::optional<ordered_json> CSetupStore::ReadDocument(const char* pszName,
                                                      const char* pszFormat) const {
  if (m_strFolder.empty()) return std::nullopt;
  ordered_json document;
  std::string strProblem;
  const eREAD eRead = ReadJsonFile(PathOf(pszName), pszFormat, document, strProblem);
  if (eRead == eREAD::Ignored) Note("ignoring " + strProblem);
  if (eRead != eREAD::Ok) return std::nullopt;
  return document;
}

std::optional<Setup_t> CSetupStore::LoadLastSetup() const {
  const std::optional<ordered_json> document = ReadDocument(kLastSetupFile, kSetupFormat);
  if (!document) return std::nullopt;
  const ordered_json* pSetup = Member(*document, "setup");
  if (!pSetup || !pSetup->is_object()) return std::nullopt;
  return SetupFromJson(*pSetup);
}

bool CSetupStore::SaveLastSetup(const Setup_t& setup,
                                const std::optional<WindowPlacement_t>& placement) {
  ordered_json document = {
      {"format", kSetupFormat}, {"version", kVersion}, {"setup", SetupToJson(setup)}};
  if (placement) {
    document["window"] = {{"x", placement->nX},
                          {"y", placement->nY},
                          {"width", placement->nWidth},
                          {"height", placement->nHeight}};
  }
  return EnsureFolder() && WriteDocument(kLastSetupFile, document);
}

std::optional<WindowPlacement_t> CSetupStore::LoadLastPlacement() const {
  const std::optional<ordered_json> document = ReadDocument(kLastSetupFile, kSetupFormat);
  const ordered_json* pWindow = document ? Member(*document, "window") : nullptr;
  if (!pWindow) return std::nullopt;
  // Far beyond any desktop: a hostile file cannot ask for a giant window.
  constexpr int kLimit = 100000;
  const std::optional<int> nX = IntMember(*pWindow, "x", -kLimit, kLimit);
  const std::optional<int> nY = IntMember(*pWindow, "y", -kLimit, kLimit);
  const std::optional<int> nWidth = IntMember(*pWindow, "width", 1, kLimit);
  const std::optional<int> nHeight = IntMember(*pWindow, "height", 1, kLimit);
  if (!nX || !nY || !nWidth || !nHeight) return std::nullopt;
  return WindowPlacement_t{*nX, *nY, *nWidth, *nHeight};
}

std::vector<Build_t> CSetupStore::LoadBuilds() const {
  std::vector<Build_t> arrBuild;
  const std::optional<ordered_json> document = ReadDocument(kBuildsFile, kBuildsFormat);
  const ordered_json* pBuilds = document ? Member(*document, "builds") : nullptr;
  if (!pBuilds || !pBuilds->is_array()) return arrBuild;
  for (const ordered_json& entry : *pBuilds) {
    std::optional<std::string> strName = NameMember(entry, "name");
    if (!strName || strName->empty()) continue;
    const ordered_json* pSetup = Member(entry, "setup");
    arrBuild.push_back({std::move(*strName), pSetup ? SetupFromJson(*pSetup) : Setup_t{}});
  }
  return arrBuild;
}

std::optional<Build_t> CSetupStore::FindBuild(const std::string& strName) const {
  for (Build_t& build : LoadBuilds()) {
    if (build.strName == strName) return std::move(build);
  }
  return std::nullopt;
}

template <class Change>
eSTORE_RESULT CSetupStore::ChangeBuilds(const Change& change) {
  if (!EnsureFolder()) return eSTORE_RESULT::Failed;
  const CFileLock lock(PathOf(kLockFile));
  if (!lock.IsLocked()) {
    return Fail("cannot lock " + PathOf(kLockFile) + " (" + std::strerror(lock.GetErrno()) + ")");
  }
  ordered_json document;
  std::string strProblem;
  switch (ReadJsonFile(PathOf(kBuildsFile), kBuildsFormat, document, strProblem)) {
    case eREAD::Ignored: return Fail(strProblem + "; it is left as it is");
    case eREAD::Missing: document = {{"format", kBuildsFormat}, {"version", kVersion}}; break;
    case eREAD::Ok: break;
  }
  const eSTORE_RESULT eResult = change(*BuildArray(document));
  if (eResult != eSTORE_RESULT::Ok) return eResult;
  return WriteDocument(kBuildsFile, document) ? eSTORE_RESULT::Ok : eSTORE_RESULT::Failed;
}

eSTORE_RESULT CSetupStore::SaveBuild(const Build_t& build) {
  return ChangeBuilds([&build](ordered_json& arrBuild) {
    ordered_json entry = {{"name", velkar::SjisToUtf8(build.strName)},
                          {"setup", SetupToJson(build.setup)}};
    const auto it = FindBuildIn(arrBuild, build.strName);
    if (it != arrBuild.end()) {
      *it = std::move(entry);
    } else {
      arrBuild.push_back(std::move(entry));
    }
    return eSTORE_RESULT::Ok;
  });
}

eSTORE_RESULT CSetupStore::RenameBuild(const std::string& strName, const std::string& strNewName) {
  return ChangeBuilds([&](ordered_json& arrBuild) {
    const auto it = FindBuildIn(arrBuild, strName);
    if (it == arrBuild.end()) return eSTORE_RESULT::NotFound;
    if (strNewName != strName && FindBuildIn(arrBuild, strNewName) != arrBuild.end()) {
      return eSTORE_RESULT::NameTaken;
    }
    (*it)["name"] = velkar::SjisToUtf8(strNewName);
    return eSTORE_RESULT::Ok;
  });
}

eSTORE_RESULT CSetupStore::DeleteBuild(const std::string& strName) {
  return ChangeBuilds([&strName](ordered_json& arrBuild) {
    const auto it = FindBuildIn(arrBuild, strName);
    if (it == arrBuild.end()) return eSTORE_RESULT::NotFound;
    arrBuild.erase(it);
    return eSTORE_RESULT::Ok;
  });
}

bool CSetupStore::WriteDocument(const char* pszName, const ordered_json& document) {
  const std::string strText = document.dump(2) + "\n";
  velkar::CAtomicFileWriter writer(PathOf(pszName));
  if (!writer.Open() || !writer.Commit(std::vector<uint8_t>(strText.begin(), strText.end()))) {
    Fail(writer.Error());
    return false;
  }
  return true;
}

bool CSetupStore::EnsureFolder() {
  if (m_strFolder.empty()) {
    Fail("there is no configuration folder (neither XDG_CONFIG_HOME nor HOME is set)");
    return false;
  }
  std::error_code ec;
  std::filesystem::create_directories(m_strFolder, ec);
  if (ec) {
    Fail("cannot create " + m_strFolder + " (" + ec.message() + ")");
    return false;
  }
  return true;
}

eSTORE_RESULT CSetupStore::Fail(std::string strError) {
  m_strError = std::move(strError);
  return eSTORE_RESULT::Failed;
}

void CSetupStore::Note(const std::string& strText) const {
  *m_pNotes << "velkar: " << strText << '\n';
}
