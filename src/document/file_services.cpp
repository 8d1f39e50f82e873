#include "data/trim.hpp"
#include "platform/platform.hpp"
#include "tovalin/document.hpp"

bool XcsXmlDOMDocument::isHidden(const std::string& file) {
    return tovalin::platform::isHiddenFile(file);
}

bool XcsXmlDOMDocument::setHidden(const std::string& file, bool hidden) {
    return tovalin::platform::setHiddenFile(file, hidden);
}

bool XcsXmlDOMDocument::getWindowsTempPath(std::string& folder) {
    folder = tovalin::platform::temporaryFolder();
    return true;
}

bool XcsXmlDOMDocument::deleteString(std::string& text) {
    text = tovalin::trimRight(tovalin::trimLeft(text));
    return true;
}
