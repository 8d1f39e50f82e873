#include "writer/format_target.hpp"

XcsXmlFormatTarget::XcsXmlFormatTarget(std::ostream& stream) : stream(stream) {}

XcsXmlFormatTarget::~XcsXmlFormatTarget() = default;

void XcsXmlFormatTarget::writeChars(const XMLByte* bytes, XMLSize_t count,
                                    xercesc::XMLFormatter* /*formatter*/) {
    stream.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(count));
}

XcsXmlUnicodeFormatTarget::XcsXmlUnicodeFormatTarget(std::ostream& stream)
    : XcsXmlFormatTarget(stream) {
    stream.write("\xFF\xFE", 2);
}

XcsXmlUnicodeFormatTarget::~XcsXmlUnicodeFormatTarget() = default;
