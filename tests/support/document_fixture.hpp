// A document object from the factory with a fresh tree, for tests of the node layer.
#ifndef TOVALIN_TESTS_SUPPORT_DOCUMENT_FIXTURE_HPP
#define TOVALIN_TESTS_SUPPORT_DOCUMENT_FIXTURE_HPP

#include <gtest/gtest.h>

#include <memory>

#include "tovalin/document.hpp"

namespace testing_support {

class DocumentFixture : public ::testing::Test {
  protected:
    std::unique_ptr<XcsXmlDOMDocument> object{XmlDocumentFactory::createDocument()};

    XcsXmlDocument& create(const std::string& root = "root") {
        return object->createDocument(root);
    }
    // Appends a new element under the parent and returns it.
    XcsXmlNode addElement(XcsXmlNode parent, const std::string& name) {
        return parent.appendChild(object->getDocument().createElement(name));
    }
    XcsXmlNode addText(XcsXmlNode parent, const std::string& text) {
        return parent.appendChild(object->getDocument().createTextNode(text));
    }
#ifndef TOVALIN_OVER_C
    // The parser's own document, for nodes the wrappers do not make themselves.
    xercesc::DOMDocument* parserDocument() {
        return static_cast<xercesc::DOMDocument*>(object->getDocument().getTarget());
    }
#endif
};

}  // namespace testing_support

#endif
