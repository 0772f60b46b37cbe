// CSetupStore: the files that remember a player's setups, shared by the window
// and velkar-tool. They live in one folder, $XDG_CONFIG_HOME/velkar/ (when
// that variable holds an absolute path) or else ~/.config/velkar/:
//
//   last-setup.json  the window's setup when it last closed, and where the
//                    window stood (optional; a reader that does not know the
//                    member ignores it)
//     {"format": "velkar-setup", "version": 1, "setup": SETUP,
//      "window": {"x": 40, "y": 30, "width": 700, "height": 480}}
//   builds.json      the saved builds, in the order they were first saved
//     {"format": "velkar-builds", "version": 1,
//      "builds": [{"name": "大剣 上位", "setup": SETUP}, ...]}
//   builds.lock      empty; writers of builds.json hold a CFileLock on it
//
// SETUP is an object whose members may each be missing or null:
//   "category": a row of model/CategoryTable.h, "weapon": NAME, "motions":
//   [NAME, ...] (in order, repeats included), "sharpness": 0..5, "monster": NAME, "level": NAME,
//   "hit_correction": NAME, "anger": true/false, "modifiers": [1018, ...]
//   (the window's control ids of the ticked modifiers).
//
// Every text is UTF-8 (names are converted from and to Shift-JIS). Reading is
// tolerant within a file this version understands: an unknown member is
// ignored, a member of the wrong type counts as missing, a build without a
// usable name is skipped. A file it does not understand (not JSON, nested
// too deep, too large, of another "format" or a newer "version", a "builds"
// member that is not an array of objects) is not used, the problem is kept
// for the caller to tell (GetProblem), and the file is never rewritten:
// changes fail until the player repairs or removes it.
//
// Writes go through CAtomicFileWriter, so a reader sees the old file or the new
// one, never half of one; a file that is a symbolic link stays one. A change
// to the builds locks builds.lock (waiting about two seconds at most), reads
// builds.json again, changes the JSON document itself (members this version
// does not know survive) and writes it, all under the lock: the window and
// the tool may change builds at the same moment and neither loses the
// other's. A change that would leave a file the readers refuse (too large,
// too many values, ...) is refused, and the file stays as it was. Several builds may carry one name
// (a file edited by hand or merged): a change names the exact entry it means (ListedBuild_t), found
// again by its place and its content, and is refused when that entry is no
// longer the one that was read.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "setup/Setup.h"
#include "setup/SetupFileProblem.h"

class CJsonDocument;

enum class eSTORE_RESULT {
  Ok,
  Changed,     // the entry is no longer as it was read: the file changed meanwhile
  NameTaken,   // a rename onto the name of another build; an import of taken names
  Duplicated,  // a save onto a name that several builds carry
  Failed       // the file could not be read, locked or written: see Error()
};

// What an import does with a build whose name is taken, by a saved build or
// by a build before it in the import (names compared as the file keeps them:
// two Shift-JIS spellings of one character are one name).
enum class eTAKEN_NAME {
  Refuse,  // nothing is added; the taken names are listed
  Number   // the first free of "name (2)", "name (3)", ...
};

// The outcome of an import for the player.
struct BuildsImport_t {
  std::vector<std::string> arrSaved;  // Ok: the name each build was saved under, in order
  std::vector<std::string> arrTaken;  // NameTaken: the names that are taken, as given
  std::vector<size_t> arrUnnamed;     // NameTaken: the positions of builds without a name

  bool operator==(const BuildsImport_t&) const = default;
};

// A build as read from builds.json, with where it stands there: its entry's
// position in the "builds" array and the entry as it was read.
struct ListedBuild_t {
  Build_t build;
  size_t nEntry = 0;
  std::string strEntry;  // compact JSON
};

class CSetupStore {
public:
  // The folder as described above, ending with '/'; empty when neither
  // XDG_CONFIG_HOME nor HOME is an absolute path.
  static std::string DefaultFolder();

  explicit CSetupStore(std::string strFolder = DefaultFolder());

  const std::string& GetFolder() const { return m_strFolder; }
  std::string GetBuildsPath() const { return PathOf(kBuildsFile); }

  // None when there is no file or it was not used (see GetProblem).
  std::optional<Setup_t> LoadLastSetup() const;
  // Refused when the file in place is one this version does not understand.
  bool SaveLastSetup(const Setup_t& setup,
                     const std::optional<WindowPlacement_t>& placement = std::nullopt);
  // The window's place saved with the last setup; none when there is none,
  // or when a number is missing or out of range.
  std::optional<WindowPlacement_t> LoadLastPlacement() const;

  // The builds in file order; empty when the file was not used.
  std::vector<ListedBuild_t> LoadBuilds() const;
  // The builds of this (Shift-JIS) name, in file order.
  std::vector<ListedBuild_t> FindBuilds(const std::string& strName) const;
  // Whether the entry of a listed build is still in the file as it was read.
  bool IsUnchanged(const ListedBuild_t& listed) const;

  // Replaces the one build of the same name in its place, or adds one at
  // the end; refused when several builds carry that name.
  eSTORE_RESULT SaveBuild(const Build_t& build);
  // Adds the builds at the end, in their order, in one change: the file is
  // read once, however many builds come and whatever names they take. A taken
  // name is refused or numbered as eTaken says; numbering also names a build
  // without a name (which the reader would skip) "名前なし".
  eSTORE_RESULT AddBuilds(const std::vector<Build_t>& arrAdded, eTAKEN_NAME eTaken,
                          BuildsImport_t& result);
  eSTORE_RESULT RenameBuild(const ListedBuild_t& listed, const std::string& strNewName);
  eSTORE_RESULT DeleteBuild(const ListedBuild_t& listed);

  // Why the last file read was not used; none when it was used or absent.
  const std::optional<SetupFileProblem_t>& GetProblem() const { return m_problem; }
  // The English reason of the last failure.
  const std::string& Error() const { return m_strError; }

  // A setup as it is stored (also what velkar-tool prints with --json).
  static nlohmann::ordered_json SetupToJson(const Setup_t& setup);
  static Setup_t SetupFromJson(const nlohmann::ordered_json& member);

private:
  static constexpr const char* kBuildsFile = "builds.json";

  static nlohmann::ordered_json EntryOf(const Build_t& build);
  std::string PathOf(const char* pszName) const { return m_strFolder + pszName; }
  // Reads a file of this format into document: false when it is absent or
  // not used (then with m_problem set).
  bool ReadDocument(const char* pszName, const char* pszFormat, CJsonDocument& document) const;
  // Locks, reads builds.json again, runs the change on its "builds" array
  // and writes the document when the change says Ok.
  template <class Change>
  eSTORE_RESULT ChangeBuilds(const Change& change);
  bool WriteDocument(const char* pszName, const nlohmann::ordered_json& document);
  bool EnsureFolder();
  eSTORE_RESULT Fail(std::string strError);

  std::string m_strFolder;
  mutable std::optional<SetupFileProblem_t> m_problem;
  std::string m_strError;
};
