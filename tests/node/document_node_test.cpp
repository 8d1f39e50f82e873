#include <gtest/gtest.h>

#include <memory>

#include <xercesc/dom/DOMException.hpp>

#include "support/document_fixture.hpp"

namespace {

class DocumentNodeTest : public testing_support::DocumentFixture {};

TEST_F(DocumentNodeTest, SearchCoversTheWholeDocument) {
    XcsXmlDocument& document = create("root");
    XcsXmlNode root = document.getDocumentElement();
    addElement(addElement(root, "a"), "b");

    EXPECT_EQ(document.getElementsByTagName("nowhere").getLength(), 0u);
    EXPECT_TRUE(document.getElementsByTagName("root").item(0) == root);
    EXPECT_EQ(document.getElementsByTagName("*").getLength(), 3u);

    XcsXmlNode& asNode = document;
    EXPECT_EQ(asNode.getElementsByTagName("b").getLength(), 1u);
    XcsXmlNode plain = root.getParentNode();
    EXPECT_EQ(plain.getNodeType(), 9);
    EXPECT_THROW(plain.getElementsByTagName("b"), std::exception);
}

TEST_F(DocumentNodeTest, ImportCopiesIntoThisDocumentOnly) {
    XcsXmlDocument& document = create();
    std::unique_ptr<XcsXmlDOMDocument> other(XmlDocumentFactory::createDocument());
    XcsXmlNode source = other->createDocument("source").getDocumentElement();
    source.setAttribute("k", "v");
    source.appendChild(other->getDocument().createTextNode("child"));

    XcsXmlNode shallow = document.importNode(source, false);
    XcsXmlNode deep = document.importNode(source, true);
    EXPECT_TRUE(shallow.getFirstChild().isNull());
    EXPECT_EQ(shallow.getAttribute("k"), "v");
    EXPECT_EQ(deep.getFirstChild().getValue(), "child");
    EXPECT_TRUE(deep.getOwner() == document);
    EXPECT_TRUE(deep.getParentNode().isNull());
    EXPECT_EQ(source.getChildNodes().getLength(), 1u);

    EXPECT_THROW(document.getDocumentElement().appendChild(source), xercesc::DOMException);
}

TEST_F(DocumentNodeTest, RefusedNamesRaiseTheParserException) {
    XcsXmlDocument& document = create();
    try {
        document.createElement("1st");
        FAIL() << "an invalid element name was accepted";
    } catch (const xercesc::DOMException& e) {
        EXPECT_EQ(e.code, xercesc::DOMException::INVALID_CHARACTER_ERR);
    }
    EXPECT_EQ(document.getDocumentElement().getChildNodes().getLength(), 0u);
}

}  // namespace
