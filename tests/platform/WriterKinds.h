// The atomic writers under test behind one face: the Linux writer with
// unnamed or with named temporary files, and the portable writer other
// systems build, compiled into these tests under a class name of its own
// (PortableWriterKind.cpp), so that one table of tests runs over all of them.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/OutputDevice.h"

// The umask the writer tests run under, so that an ignored or a wrongly
// applied umask shows in the permissions.
inline constexpr mode_t kTestUmask = 027;

class CWriterUnderTest {
public:
  virtual ~CWriterUnderTest() = default;
  virtual bool Open() = 0;
  virtual bool Commit(const std::vector<uint8_t>& arrBytes) = 0;
  virtual const std::string& Error() const = 0;
};

template <class Writer>
class CWriterAdapter final : public CWriterUnderTest {
public:
  explicit CWriterAdapter(std::string strPath) : m_writer(std::move(strPath)) {}
  bool Open() override { return m_writer.Open(); }
  bool Commit(const std::vector<uint8_t>& arrBytes) override { return m_writer.Commit(arrBytes); }
  const std::string& Error() const override { return m_writer.Error(); }

private:
  Writer m_writer;
};

struct WriterKind_t {
  const char* pszName;
  // The Linux writer's switch between unnamed and named temporary files, and
  // the way this kind takes; null for the portable writer.
  void (*setUnnamedTemps)(bool bUnnamed);
  bool bUnnamed;
  std::unique_ptr<CWriterUnderTest> (*make)(std::string strPath);
  void (*setDeviceFactory)(velkar::OutputDeviceFactory factory);
  mode_t nNewFileMode;  // under kTestUmask
};

WriterKind_t PortableWriterKind();

// Names the kind in test output instead of its bytes.
inline void PrintTo(const WriterKind_t& kind, std::ostream* pOut) {
  *pOut << kind.pszName;
}
