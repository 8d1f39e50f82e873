#include "loaded_document.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <list>
#include <map>
#include <memory>
#include <stdexcept>
#include <tuple>

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/TransService.hpp>
#include <xercesc/util/XMLString.hpp>

namespace bench {
namespace {

xercesc::XMLTranscoder& utf8() {
    static std::unique_ptr<xercesc::XMLTranscoder> transcoder = [] {
        xercesc::XMLTransService::Codes result = xercesc::XMLTransService::Ok;
        return std::unique_ptr<xercesc::XMLTranscoder>(
            xercesc::XMLPlatformUtils::fgTransService->makeNewTranscoderFor("UTF-8", result,
                                                                            16 * 1024));
    }();
    return *transcoder;
}

}  // namespace

XcsXmlDOMDocument& loadedDocument(std::size_t megabytes, int copy, TL_LAYOUT_TYPE layout) {
    static std::map<std::tuple<std::size_t, int, TL_LAYOUT_TYPE>,
                    std::unique_ptr<XcsXmlDOMDocument>>
        loaded;
    auto& slot = loaded[{megabytes, copy, layout}];
    if (!slot) {
        slot = std::make_unique<XcsXmlDOMDocument>();
        slot->setLayout(layout);
        std::list<XMLERROR_TYPE> errors;
        if (!slot->load(sampleFile(megabytes, Encoding::shiftJis), &errors, false)) {
            throw std::runtime_error("the sample did not load");
        }
    }
    return *slot;
}

xercesc::DOMDocument* parserDocument(XcsXmlDOMDocument& document) {
    return static_cast<xercesc::DOMDocument*>(document.getDocument().getTarget());
}

std::string narrow(const XMLCh* text) {
    const XMLSize_t length = text == nullptr ? 0 : xercesc::XMLString::stringLen(text);
    std::string out(length * 3, '\0');
    XMLSize_t eaten = 0;
    const XMLSize_t made =
        utf8().transcodeTo(text, length, reinterpret_cast<XMLByte*>(out.data()), out.size(), eaten,
                           xercesc::XMLTranscoder::UnRep_RepChar);
    out.resize(made);
    return out;
}

std::basic_string<XMLCh> wide(const std::string& text) {
    std::basic_string<XMLCh> out(text.size(), 0);
    std::basic_string<unsigned char> sizes(text.size(), 0);
    XMLSize_t eaten = 0;
    const XMLSize_t made =
        utf8().transcodeFrom(reinterpret_cast<const XMLByte*>(text.data()), text.size(), out.data(),
                             out.size(), eaten, sizes.data());
    out.resize(made);
    return out;
}

void syncFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) throw std::runtime_error("cannot sync " + path);
    ::close(fd);
}

}  // namespace bench
