// Built with CAtomicFileWriter renamed to CPortableAtomicFileWriter, as are
// the portable writer's own sources in this test program.
#include "WriterKinds.h"
#include "platform/AtomicFileWriter.h"

WriterKind_t PortableWriterKind() {
  return {"Portable",
          nullptr,
          false,
          [](std::string strPath) -> std::unique_ptr<CWriterUnderTest> {
            return std::make_unique<CWriterAdapter<velkar::CAtomicFileWriter>>(std::move(strPath));
          },
          &velkar::CAtomicFileWriter::SetDeviceFactory,
          0644};
}
