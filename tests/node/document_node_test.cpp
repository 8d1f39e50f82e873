#include <gtest/gtest.h>

#include <memory>

#include <xercesc/dom/DOM.hpp>

#include "support/document_fixture.hpp"
#include "support/tree_dump.hpp"

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

// Nesting deeper than any stack: the copies are whole, down to the mixed content at the bottom.
TEST_F(DocumentNodeTest, DeepCopiesOfAnyNesting) {
    XcsXmlDocument& document = create("d");
    xercesc::DOMDocument* parser = parserDocument();
    constexpr int depth = 200000;
    xercesc::DOMElement* bottom = parser->getDocumentElement();
    for (int i = 1; i < depth; ++i) {
        bottom =
            static_cast<xercesc::DOMElement*>(bottom->appendChild(parser->createElement(u"d")));
    }
    bottom->setAttribute(u"k", u"v");
    const std::initializer_list<xercesc::DOMNode*> mixed = {
        parser->createTextNode(u"t"),     parser->createComment(u"c"),
        parser->createElement(u"e"),      parser->createProcessingInstruction(u"p", u"d"),
        parser->createCDATASection(u"x"), parser->createTextNode(u"u")};
    for (xercesc::DOMNode* child : mixed) bottom->appendChild(child);
    bottom->getFirstChild()->getNextSibling()->getNextSibling()->appendChild(
        parser->createTextNode(u"inner"));
    // The bottom element with its attribute and its content.
    const std::string content = testing_support::dumpTree(bottom->getParentNode());
    // A copy of the document node would be a tree that nothing holds.
    for (const bool deep : {false, true}) {
        try {
            document.cloneNode(deep);
            ADD_FAILURE() << "the document node was cloned";
        } catch (const xercesc::DOMException& e) {
            EXPECT_EQ(e.code, xercesc::DOMException::NOT_SUPPORTED_ERR);
        }
    }

    std::unique_ptr<XcsXmlDOMDocument> other(XmlDocumentFactory::createDocument());
    const XcsXmlNode copies[] = {
        document.getDocumentElement().cloneNode(true),
        other->createDocument("o").importNode(document.getDocumentElement(), true),
        object->bind(document).getDocumentElement(),
    };
    for (const XcsXmlNode& copy : copies) {
        const xercesc::DOMNode* level = copy;
        int levels = 1;
        for (const xercesc::DOMNode* below = level->getFirstChild();
             below != nullptr && below->getNodeType() == xercesc::DOMNode::ELEMENT_NODE;
             below = below->getFirstChild()) {
            level = below;
            ++levels;
        }
        EXPECT_EQ(levels, depth);
        EXPECT_EQ(testing_support::dumpTree(level->getParentNode()), content);
    }
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
