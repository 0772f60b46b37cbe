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
//   builds.lock      empty; writers of builds.json hold an flock on it
//
// SETUP is an object whose members may each be missing or null:
//   "category": 0..7, "weapon": NAME, "motions": [NAME, ...] (in order,
//   repeats included), "sharpness": 0..5, "monster": NAME, "level": NAME,
//   "hit_correction": NAME, "anger": true/false, "modifiers": [1018, ...]
//   (the window's control ids of the ticked modifiers).
//
// Every text is UTF-8 (names are converted from and to Shift-JIS). Reading is
// tolerant: an unknown member is ignored, a member of the wrong type counts as
// missing, a build without a usable name is skipped. A file that is not JSON,
// or whose "format" is another or whose "version" is newer than 1, is ignored
// with a note, and never stops the program.
//
// Writes go through CAtomicFileWriter, so a reader sees the old file or the new
// one, never half of one. A change to the builds locks builds.lock, reads
// builds.json again, changes the JSON document itself (members this version
// does not know survive) and writes it, all under the lock: the window and the
// tool may change builds at the same moment and neither loses the other's.
// A builds.json that cannot be read is never overwritten: changes fail until
// the player repairs or removes it.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "setup/Setup.h"

enum class eSTORE_RESULT {
  Ok,
  NotFound,   // no build of that name
  NameTaken,  // a rename onto the name of another build
  Failed      // the file could not be read, locked or written: see Error()
};

class CSetupStore {
public:
  // The folder as described above, ending with '/'; empty when neither
  // XDG_CONFIG_HOME nor HOME gives one.
  static std::string DefaultFolder();

  // Notes about ignored files go to pNotes (std::cerr when null).
  explicit CSetupStore(std::string strFolder = DefaultFolder(), std::ostream* pNotes = nullptr);

  const std::string& GetFolder() const { return m_strFolder; }

  // None when there is no file or it was ignored.
  std::optional<Setup_t> LoadLastSetup() const;
  bool SaveLastSetup(const Setup_t& setup,
                     const std::optional<WindowPlacement_t>& placement = std::nullopt);
  // The window's place saved with the last setup; none when there is none,
  // or when a number is missing or out of range.
  std::optional<WindowPlacement_t> LoadLastPlacement() const;

  std::vector<Build_t> LoadBuilds() const;
  std::optional<Build_t> FindBuild(const std::string& strName) const;
  // Replaces the build of the same name in its place, or adds one at the end.
  eSTORE_RESULT SaveBuild(const Build_t& build);
  eSTORE_RESULT RenameBuild(const std::string& strName, const std::string& strNewName);
  eSTORE_RESULT DeleteBuild(const std::string& strName);

  // The English reason of the last failure.
  const std::string& Error() const { return m_strError; }

  // A setup as it is stored (also what velkar-tool prints with --json).
  static nlohmann::ordered_json SetupToJson(const Setup_t& setup);
  static Setup_t SetupFromJson(const nlohmann::ordered_json& member);

private:
  std::string PathOf(const char* pszName) const { return m_strFolder + pszName; }
  // The document of a file of this format; none (with a note) when it was
  // ignored, and also when it does not exist.
  std::optional<nlohmann::ordered_json> ReadDocument(const char* pszName,
                                                     const char* pszFormat) const;
  // Locks, reads builds.json again, runs the change on its "builds" array
  // and writes the document when the change says Ok.
  template <class Change>
  eSTORE_RESULT ChangeBuilds(const Change& change);
  bool WriteDocument(const char* pszName, const nlohmann::ordered_json& document);
  bool EnsureFolder();
  eSTORE_RESULT Fail(std::string strError);
  void Note(const std::string& strText) const;

  std::string m_strFolder;
  std::ostream* m_pNotes;
  std::string m_strError;
};
