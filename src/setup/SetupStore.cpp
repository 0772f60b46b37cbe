#include "SetupStore.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <span>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "VelkarTexts.h"
#include "data/DataFileError.h"
#include "model/ModifierTable.h"
#include "platform/AtomicFileWriter.h"
#include "platform/BinaryFile.h"
#include "platform/Cp932.h"
#include "platform/FileLock.h"
#include "setup/JsonDocument.h"

namespace {

using ordered_json = nlohmann::ordered_json;

constexpr int kVersion = 1;
constexpr const char* kLastSetupFile = "last-setup.json";
constexpr const char* kLockFile = "builds.lock";
constexpr const char* kSetupFormat = "velkar-setup";
constexpr const char* kBuildsFormat = "velkar-builds";

enum class eREAD { Missing, Ok, Ignored };

const ordered_json* Member(const ordered_json& object, const char* pszKey) {
  if (!object.is_object()) return nullptr;
  const auto it = object.find(pszKey);
  return it == object.end() ? nullptr : &*it;
}

// Whether the builds of a document are in a form this version knows: no
// "builds" member, or an array of objects.
bool BuildsUnderstood(const ordered_json& document) {
  const ordered_json* pBuilds = Member(document, "builds");
  if (pBuilds == nullptr) return true;
  return pBuilds->is_array() && std::all_of(pBuilds->begin(), pBuilds->end(),
                                            [](const ordered_json& e) { return e.is_object(); });
}

// The problem of a document that was read but is not a file this version
// understands.
std::optional<eSETUP_FILE_PROBLEM> ContentProblem(const ordered_json& document,
                                                  const char* pszFormat) {
  const ordered_json* pFormat = Member(document, "format");
  if (pFormat == nullptr || *pFormat != pszFormat) return eSETUP_FILE_PROBLEM::WrongFormat;
  const ordered_json* pVersion = Member(document, "version");
  // A version beyond int64_t must not wrap round to a small one.
  if (pVersion == nullptr || !pVersion->is_number_integer() ||
      (pVersion->is_number_unsigned() ? pVersion->get<uint64_t>() > kVersion
                                      : pVersion->get<int64_t>() > kVersion)) {
    return eSETUP_FILE_PROBLEM::UnknownVersion;
  }
  if (std::string_view(pszFormat) == kBuildsFormat && !BuildsUnderstood(document)) {
    return eSETUP_FILE_PROBLEM::NotUnderstood;
  }
  return std::nullopt;
}

SetupFileProblem_t NoMemory(const std::string& strPath) {
  return {eSETUP_FILE_PROBLEM::NoMemory, strPath, 0, {}};
}

// Reads bytes into document as every reader here does; problem says why they
// would not be used.
bool ParseJson(std::span<const uint8_t> bytes, const std::string& strPath, CJsonDocument& document,
               std::optional<SetupFileProblem_t>& problem) {
  switch (document.Read(bytes)) {
    case eJSON_READ::Ok: return true;
    case eJSON_READ::Syntax:
      problem = {eSETUP_FILE_PROBLEM::NotJson, strPath, document.GetOffset(), {}};
      break;
    case eJSON_READ::TooDeep: problem = {eSETUP_FILE_PROBLEM::TooDeep, strPath, 0, {}}; break;
    case eJSON_READ::TooLarge:
      problem = {eSETUP_FILE_PROBLEM::TooManyValues, strPath, 0, {}};
      break;
    case eJSON_READ::TooLong: problem = {eSETUP_FILE_PROBLEM::TextTooLong, strPath, 0, {}}; break;
    case eJSON_READ::NoMemory: problem = NoMemory(strPath); break;
  }
  return false;
}

// Reads and checks one file; problem says why it was not used.
eREAD ReadJsonFile(const std::string& strPath, const char* pszFormat, CJsonDocument& document,
                   std::optional<SetupFileProblem_t>& problem) {
  std::vector<uint8_t> arrBytes;
  velkar::ReadFailure_t failure;
  switch (velkar::ReadWholeFile(strPath, arrBytes, failure)) {
    case velkar::eREAD_RESULT::Ok: break;
    case velkar::eREAD_RESULT::Missing: return eREAD::Missing;
    case velkar::eREAD_RESULT::OutOfMemory: problem = NoMemory(strPath); return eREAD::Ignored;
    default:
      problem = {eSETUP_FILE_PROBLEM::Unreadable, strPath, 0, FromReadFailure(strPath, failure)};
      return eREAD::Ignored;
  }
  if (!ParseJson(arrBytes, strPath, document, problem)) return eREAD::Ignored;
  if (const auto eProblem = ContentProblem(document.Root(), pszFormat)) {
    problem = {*eProblem, strPath, 0, {}};
    return eREAD::Ignored;
  }
  return eREAD::Ok;
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

// An entry of the builds as it was read, to recognise it again.
std::string EntryText(const ordered_json& entry) {
  return entry.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

// Where the entry of a listed build stands now: in its place, or else the one
// entry exactly like it (builds before it were removed or moved meanwhile);
// none when it changed or cannot be told apart from an identical twin.
std::optional<size_t> FindEntry(const ordered_json& arrBuild, const ListedBuild_t& listed) {
  if (listed.nEntry < arrBuild.size() && EntryText(arrBuild[listed.nEntry]) == listed.strEntry) {
    return listed.nEntry;
  }
  std::optional<size_t> nFound;
  for (size_t i = 0; i < arrBuild.size(); ++i) {
    if (EntryText(arrBuild[i]) != listed.strEntry) continue;
    if (nFound) return std::nullopt;
    nFound = i;
  }
  return nFound;
}

// A name as it is compared: in the one spelling the file keeps (names read
// from the file have it already).
std::string NameKey(const std::string& strName) {
  return velkar::CanonicalSjis(strName).value_or(strName);
}

// The positions of the builds of this (Shift-JIS) name.
std::vector<size_t> EntriesNamed(const ordered_json& arrBuild, const std::string& strName) {
  const std::string strKey = NameKey(strName);
  std::vector<size_t> arrAt;
  for (size_t i = 0; i < arrBuild.size(); ++i) {
    if (NameMember(arrBuild[i], "name") == strKey) arrAt.push_back(i);
  }
  return arrAt;
}

// Gives each added build the name it is saved under, against the names
// taken in the file and by the builds before it: one pass over each, so an
// import of many builds of one name stays linear.
class CImportNamer {
public:
  CImportNamer(const ordered_json& arrBuild, eTAKEN_NAME eTaken) : m_eTaken(eTaken) {
    for (const ordered_json& entry : arrBuild) {
      if (std::optional<std::string> strName = NameMember(entry, "name")) {
        m_setTaken.insert(std::move(*strName));
      }
    }
  }

  // The name to save the build under; none when it is refused (noted in result).
  std::optional<std::string> Name(const Build_t& build, size_t nBuild, BuildsImport_t& result) {
    if (build.strName.empty() && m_eTaken == eTAKEN_NAME::Refuse) {
      result.arrUnnamed.push_back(nBuild);
      return std::nullopt;
    }
    // The reader skips a build without a name: one is given.
    const std::string strBase =
        build.strName.empty() ? std::string(txt::kBuildsUnnamed) : NameKey(build.strName);
    std::string strName = strBase;
    if (m_setTaken.contains(strName)) {
      if (m_eTaken == eTAKEN_NAME::Refuse) {
        result.arrTaken.push_back(build.strName);
        return std::nullopt;
      }
      // Numbers tried for this name before are taken already.
      int& nCopy = m_mapNextCopy.try_emplace(strBase, 2).first->second;
      do {
        strName = strBase + " (" + std::to_string(nCopy++) + ")";
      } while (m_setTaken.contains(strName));
    }
    m_setTaken.insert(strName);
    return strName;
  }

private:
  eTAKEN_NAME m_eTaken;
  std::unordered_set<std::string> m_setTaken;
  std::unordered_map<std::string, int> m_mapNextCopy;
};

}  // namespace

std::string CSetupStore::DefaultFolder() {
  // A relative path in either variable would name a folder under whatever
  // the working directory happens to be.
  const auto under = [](std::string strBase, const char* pszRest) {
    if (strBase.back() != '/') strBase += '/';
    return strBase + pszRest;
  };
  const char* pszConfig = std::getenv("XDG_CONFIG_HOME");
  if (pszConfig != nullptr && pszConfig[0] == '/') return under(pszConfig, "velkar/");
  const char* pszHome = std::getenv("HOME");
  if (pszHome != nullptr && pszHome[0] == '/') return under(pszHome, ".config/velkar/");
  return {};
}

CSetupStore::CSetupStore(std::string strFolder) : m_strFolder(std::move(strFolder)) {
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
  setup.nCategory = IntMember(member, "category", 0, CATEGORY_COUNT - 1);
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
  setup.nSharpness = IntMember(member, "sharpness", SHARPNESS_MIN, SHARPNESS_MAX);
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

bool CSetupStore::ReadDocument(const char* pszName, const char* pszFormat,
                               CJsonDocument& document) const {
  m_problem.reset();
  if (m_strFolder.empty()) {
    m_problem = SetupFileProblem_t{eSETUP_FILE_PROBLEM::NoFolder, {}, 0, {}};
    return false;
  }
  return ReadJsonFile(PathOf(pszName), pszFormat, document, m_problem) == eREAD::Ok;
}

std::optional<Setup_t> CSetupStore::LoadLastSetup() const {
  try {
    CJsonDocument document;
    if (!ReadDocument(kLastSetupFile, kSetupFormat, document)) return std::nullopt;
    const ordered_json* pSetup = Member(document.Root(), "setup");
    if (!pSetup || !pSetup->is_object()) return std::nullopt;
    return SetupFromJson(*pSetup);
  } catch (const std::bad_alloc&) {
    m_problem = NoMemory(PathOf(kLastSetupFile));
    return std::nullopt;
  }
}

bool CSetupStore::SaveLastSetup(const Setup_t& setup,
                                const std::optional<WindowPlacement_t>& placement) {
  if (!EnsureFolder()) return false;
  try {
    // What is there now is replaced only when this version understands it.
    CJsonDocument existing;
    m_problem.reset();
    if (ReadJsonFile(PathOf(kLastSetupFile), kSetupFormat, existing, m_problem) == eREAD::Ignored) {
      Fail(DescribeInEnglish(*m_problem) + "; it is left as it is");
      return false;
    }
    ordered_json root = {
        {"format", kSetupFormat}, {"version", kVersion}, {"setup", SetupToJson(setup)}};
    if (placement) {
      root["window"] = {{"x", placement->nX},
                        {"y", placement->nY},
                        {"width", placement->nWidth},
                        {"height", placement->nHeight}};
    }
    const CJsonDocument document(std::move(root));
    return WriteDocument(kLastSetupFile, document.Root());
  } catch (const std::bad_alloc&) {
    Fail("not enough memory to save " + PathOf(kLastSetupFile));
    return false;
  }
}

std::optional<WindowPlacement_t> CSetupStore::LoadLastPlacement() const {
  try {
    CJsonDocument document;
    if (!ReadDocument(kLastSetupFile, kSetupFormat, document)) return std::nullopt;
    const ordered_json* pWindow = Member(document.Root(), "window");
    if (!pWindow) return std::nullopt;
    // Far beyond any desktop: a hostile file cannot ask for a giant window.
    constexpr int kLimit = 100000;
    const std::optional<int> nX = IntMember(*pWindow, "x", -kLimit, kLimit);
    const std::optional<int> nY = IntMember(*pWindow, "y", -kLimit, kLimit);
    const std::optional<int> nWidth = IntMember(*pWindow, "width", 1, kLimit);
    const std::optional<int> nHeight = IntMember(*pWindow, "height", 1, kLimit);
    if (!nX || !nY || !nWidth || !nHeight) return std::nullopt;
    return WindowPlacement_t{*nX, *nY, *nWidth, *nHeight};
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

std::vector<ListedBuild_t> CSetupStore::LoadBuilds() const {
  std::vector<ListedBuild_t> arrListed;
  try {
    CJsonDocument document;
    if (!ReadDocument(kBuildsFile, kBuildsFormat, document)) return arrListed;
    const ordered_json* pBuilds = Member(document.Root(), "builds");
    if (pBuilds == nullptr) return arrListed;
    for (size_t i = 0; i < pBuilds->size(); ++i) {
      const ordered_json& entry = (*pBuilds)[i];
      std::optional<std::string> strName = NameMember(entry, "name");
      if (!strName || strName->empty()) continue;
      const ordered_json* pSetup = Member(entry, "setup");
      arrListed.push_back({{std::move(*strName), pSetup ? SetupFromJson(*pSetup) : Setup_t{}},
                           i,
                           EntryText(entry)});
    }
  } catch (const std::bad_alloc&) {
    arrListed.clear();
    m_problem = NoMemory(PathOf(kBuildsFile));
  }
  return arrListed;
}

std::vector<ListedBuild_t> CSetupStore::FindBuilds(const std::string& strName) const {
  const std::string strKey = NameKey(strName);
  std::vector<ListedBuild_t> arrFound;
  for (ListedBuild_t& listed : LoadBuilds()) {
    if (listed.build.strName == strKey) arrFound.push_back(std::move(listed));
  }
  return arrFound;
}

bool CSetupStore::IsUnchanged(const ListedBuild_t& listed) const {
  try {
    CJsonDocument document;
    if (!ReadDocument(kBuildsFile, kBuildsFormat, document)) return false;
    const ordered_json* pBuilds = Member(document.Root(), "builds");
    return pBuilds != nullptr && FindEntry(*pBuilds, listed).has_value();
  } catch (const std::bad_alloc&) {
    m_problem = NoMemory(PathOf(kBuildsFile));
    return false;
  }
}

template <class Change>
eSTORE_RESULT CSetupStore::ChangeBuilds(const Change& change) {
  if (!EnsureFolder()) return eSTORE_RESULT::Failed;
  const CFileLock lock(PathOf(kLockFile));
  if (!lock.IsLocked()) return Fail(lock.Error());
  try {
    CJsonDocument document;
    m_problem.reset();
    switch (ReadJsonFile(PathOf(kBuildsFile), kBuildsFormat, document, m_problem)) {
      case eREAD::Ignored: return Fail(DescribeInEnglish(*m_problem) + "; it is left as it is");
      case eREAD::Missing:
        document.Root() = {{"format", kBuildsFormat}, {"version", kVersion}};
        break;
      case eREAD::Ok: break;
    }
    ordered_json& root = document.Root();
    if (!root.contains("builds")) root["builds"] = ordered_json::array();
    const eSTORE_RESULT eResult = change(root["builds"]);
    if (eResult != eSTORE_RESULT::Ok) return eResult;
    return WriteDocument(kBuildsFile, root) ? eSTORE_RESULT::Ok : eSTORE_RESULT::Failed;
  } catch (const std::bad_alloc&) {
    return Fail("not enough memory to change " + PathOf(kBuildsFile));
  }
}

ordered_json CSetupStore::EntryOf(const Build_t& build) {
  return {{"name", velkar::SjisToUtf8(build.strName)}, {"setup", SetupToJson(build.setup)}};
}

eSTORE_RESULT CSetupStore::SaveBuild(const Build_t& build) {
  return ChangeBuilds([&build](ordered_json& arrBuild) {
    const std::vector<size_t> arrAt = EntriesNamed(arrBuild, build.strName);
    if (arrAt.size() > 1) return eSTORE_RESULT::Duplicated;
    ordered_json entry = EntryOf(build);
    if (arrAt.empty()) {
      arrBuild.push_back(std::move(entry));
    } else {
      CJsonDocument::Dismantle(arrBuild[arrAt.front()]);
      arrBuild[arrAt.front()] = std::move(entry);
    }
    return eSTORE_RESULT::Ok;
  });
}

eSTORE_RESULT CSetupStore::AddBuilds(const std::vector<Build_t>& arrAdded, eTAKEN_NAME eTaken,
                                     BuildsImport_t& result) {
  result = {};
  const eSTORE_RESULT eResult = ChangeBuilds([&](ordered_json& arrBuild) {
    CImportNamer namer(arrBuild, eTaken);
    std::vector<std::string> arrName;
    for (size_t i = 0; i < arrAdded.size(); ++i) {
      if (std::optional<std::string> strName = namer.Name(arrAdded[i], i, result)) {
        arrName.push_back(std::move(*strName));
      }
    }
    if (arrName.size() < arrAdded.size()) return eSTORE_RESULT::NameTaken;
    for (size_t i = 0; i < arrAdded.size(); ++i) {
      arrBuild.push_back(EntryOf({arrName[i], arrAdded[i].setup}));
    }
    result.arrSaved = std::move(arrName);
    return eSTORE_RESULT::Ok;
  });
  if (eResult != eSTORE_RESULT::Ok) result.arrSaved.clear();
  return eResult;
}

eSTORE_RESULT CSetupStore::RenameBuild(const ListedBuild_t& listed, const std::string& strNewName) {
  return ChangeBuilds([&](ordered_json& arrBuild) {
    const std::optional<size_t> nEntry = FindEntry(arrBuild, listed);
    if (!nEntry) return eSTORE_RESULT::Changed;
    for (const size_t nAt : EntriesNamed(arrBuild, strNewName)) {
      if (nAt != *nEntry) return eSTORE_RESULT::NameTaken;
    }
    arrBuild[*nEntry]["name"] = velkar::SjisToUtf8(strNewName);
    return eSTORE_RESULT::Ok;
  });
}

eSTORE_RESULT CSetupStore::DeleteBuild(const ListedBuild_t& listed) {
  return ChangeBuilds([&listed](ordered_json& arrBuild) {
    const std::optional<size_t> nEntry = FindEntry(arrBuild, listed);
    if (!nEntry) return eSTORE_RESULT::Changed;
    CJsonDocument::Dismantle(arrBuild[*nEntry]);
    arrBuild.erase(*nEntry);
    return eSTORE_RESULT::Ok;
  });
}

bool CSetupStore::WriteDocument(const char* pszName, const ordered_json& document) {
  const std::string strText = document.dump(2) + "\n";
  // A file this program could not read back would lose every build in it:
  // what is written is read as the readers will, within every limit of theirs.
  if (strText.size() > velkar::kMaxReadBytes) {
    Fail(PathOf(pszName) + " would be " + std::to_string(strText.size()) +
         " bytes, more than the " + std::to_string(velkar::kMaxReadBytes) +
         " bytes this program reads");
    return false;
  }
  std::optional<SetupFileProblem_t> problem;
  CJsonDocument readBack;
  if (!ParseJson(std::span(reinterpret_cast<const uint8_t*>(strText.data()), strText.size()),
                 PathOf(pszName), readBack, problem)) {
    Fail(DescribeInEnglish(*problem) +
         " once changed, and this program would not read it; "
         "nothing was changed");
    return false;
  }
  velkar::CAtomicFileWriter writer(PathOf(pszName));
  if (!writer.Open() || !writer.Commit(std::vector<uint8_t>(strText.begin(), strText.end()))) {
    Fail(writer.Error());
    return false;
  }
  return true;
}

bool CSetupStore::EnsureFolder() {
  if (m_strFolder.empty()) {
    Fail(DescribeInEnglish(SetupFileProblem_t{eSETUP_FILE_PROBLEM::NoFolder, {}, 0, {}}));
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
