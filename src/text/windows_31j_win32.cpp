// The system converts code page 932 exactly; the service only may not know every name of it.
#include "text/windows_31j.hpp"

#include <xercesc/util/Transcoders/Win32/Win32TransService.hpp>

namespace tovalin::text {
namespace {

class CodePage932Transcoder : public xercesc::Win32Transcoder {
  public:
    CodePage932Transcoder(const XMLCh* encodingName, XMLSize_t blockSize,
                          xercesc::MemoryManager* manager)
        : Win32Transcoder(encodingName, 932, blockSize, manager) {}
};

}  // namespace

void registerWindows31J() { registerUnderEveryName<CodePage932Transcoder>(); }

}  // namespace tovalin::text
