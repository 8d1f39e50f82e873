// The output targets of a save: the formatter's bytes go to the save's stream unchanged;
// the Unicode target first puts the UTF-16 byte-order mark (least significant byte first).
#ifndef TOVALIN_WRITER_FORMAT_TARGET_HPP
#define TOVALIN_WRITER_FORMAT_TARGET_HPP

#include <ostream>

#include <xercesc/framework/XMLFormatter.hpp>

class XcsXmlFormatTarget : public xercesc::XMLFormatTarget {
  public:
    // The stream is referenced, not owned; it must outlive the target.
    explicit XcsXmlFormatTarget(std::ostream& stream);
    ~XcsXmlFormatTarget() override;
    XcsXmlFormatTarget(const XcsXmlFormatTarget&) = delete;
    XcsXmlFormatTarget& operator=(const XcsXmlFormatTarget&) = delete;

    void writeChars(const XMLByte* bytes, XMLSize_t count,
                    xercesc::XMLFormatter* formatter) override;

  private:
    std::ostream& stream;
};

class XcsXmlUnicodeFormatTarget : public XcsXmlFormatTarget {
  public:
    explicit XcsXmlUnicodeFormatTarget(std::ostream& stream);
    ~XcsXmlUnicodeFormatTarget() override;
};

#endif
