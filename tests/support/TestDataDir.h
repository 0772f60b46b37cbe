// Test support shared by every test program: a temporary data folder that
// removes itself, and a store pointed at such a folder.
//
//   CTestDataDir dir;                               // $TMPDIR/velkar-test-XXXXXX/
//   dir.WriteText("Sword.ini", u8"[Weapon]\r\n1=大剣,100,0,0,3,0\r\n");  // stored as Shift-JIS
//   dir.WriteBytes("Sword.dat", arrBytes);          // raw bytes, unchanged
//   CTestDataStore store(dir);                      // a fresh CDataManager reading from dir
//   store->ConvertWeaponIni(0);
//   std::vector<uint8_t> arrData = dir.ReadBytes("Sword.dat");
//
// Failures to create, write or read a file throw std::runtime_error, which
// GoogleTest reports as a failed test and QtTest as an aborted program.
// Header-only; needs velkar_core for the Shift-JIS conversion and the store.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "data/DataManager.h"
#include "platform/Cp932.h"

class CTestDataDir {
public:
  // Creates a new, empty folder under TMPDIR (ctest points it into the build
  // folder), or under /tmp when TMPDIR is unset.
  CTestDataDir() {
    const char* pszRoot = std::getenv("TMPDIR");
    const std::string strRoot = pszRoot != nullptr && *pszRoot != '\0' ? pszRoot : "/tmp";
    std::error_code ec;
    std::filesystem::create_directories(strRoot, ec);
    std::string strTemplate = strRoot + "/velkar-test-XXXXXX";
    if (mkdtemp(strTemplate.data()) == nullptr)
      throw std::runtime_error("cannot create a temporary folder");
    m_strPath = strTemplate + "/";
  }

  // Removes the folder and everything in it, read-only entries included.
  ~CTestDataDir() {
    std::error_code ec;
    std::filesystem::permissions(m_strPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_strPath, ec);
  }

  CTestDataDir(const CTestDataDir&) = delete;
  CTestDataDir& operator=(const CTestDataDir&) = delete;

  // The folder, ending with '/'.
  const std::string& Path() const { return m_strPath; }

  // The full path of a file in the folder.
  std::string PathOf(std::string_view strName) const { return m_strPath + std::string(strName); }

  // Writes UTF-8 text converted to Shift-JIS; a character that code page 932
  // lacks becomes '?'. Line ends are written as given.
  void WriteText(std::string_view strName, std::u8string_view utf8) const {
    WriteBytes(strName, std::string_view(velkar::ToSjis(utf8)));
  }

  // Writes bytes unchanged (Shift-JIS text already converted, binary data).
  void WriteBytes(std::string_view strName, std::string_view bytes) const {
    std::ofstream out(PathOf(strName), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + PathOf(strName));
  }
  void WriteBytes(std::string_view strName, std::span<const uint8_t> bytes) const {
    WriteBytes(strName,
               std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }

  // Reads a file of the folder whole.
  std::vector<uint8_t> ReadBytes(std::string_view strName) const {
    std::ifstream in(PathOf(strName), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + PathOf(strName));
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
  }

  bool Exists(std::string_view strName) const {
    std::error_code ec;
    return std::filesystem::exists(PathOf(strName), ec);
  }

  void Remove(std::string_view strName) const {
    std::error_code ec;
    std::filesystem::remove_all(PathOf(strName), ec);
  }

private:
  std::string m_strPath;
};

// A fresh, empty store of its own that reads and writes its files in a test
// folder, so no records or errors leak from one test into the next.
class CTestDataStore {
public:
  explicit CTestDataStore(const CTestDataDir& dir) : m_store(dir.Path()) {}

  CTestDataStore(const CTestDataStore&) = delete;
  CTestDataStore& operator=(const CTestDataStore&) = delete;

  CDataManager& Store() { return m_store; }
  CDataManager* operator->() { return &m_store; }

private:
  CDataManager m_store;
};
