#include <gtest/gtest.h>

#include <xercesc/dom/DOM.hpp>

#include <string>
#include <utility>

#include "support/document_fixture.hpp"
#include "support/tree_dump.hpp"

namespace {

class NodeTest : public testing_support::DocumentFixture {};

TEST_F(NodeTest, AttributesFollowElementOnlyRules) {
    XcsXmlNode root = create().getDocumentElement();
    XcsXmlNode text = addText(root, "t");

    root.setAttribute("a", "1");
    root.setAttribute("empty", "");
    EXPECT_EQ(root.getAttribute("a"), "1");
    EXPECT_TRUE(root.hasAttribute("a"));
    EXPECT_FALSE(root.hasAttribute("empty"));
    EXPECT_EQ(root.getAttribute("empty"), "");
    EXPECT_EQ(root.getAttribute("absent"), "");

    root.setAttribute("a", "2");
    EXPECT_EQ(root.getAttribute("a"), "2");
    root.removeAttribute("a");
    root.removeAttribute("absent");
    EXPECT_FALSE(root.hasAttribute("a"));

    text.setAttribute("a", "1");
    text.removeAttribute("a");
    EXPECT_EQ(text.getAttribute("a"), "");
    EXPECT_FALSE(text.hasAttribute("a"));
}

TEST_F(NodeTest, ElementSearchIsLiveAndElementOnly) {
    XcsXmlNode root = create().getDocumentElement();
    XcsXmlNode group = addElement(root, "group");
    addElement(group, "v");
    addElement(root, "v");
    XcsXmlNode text = addText(root, "t");

    EXPECT_THROW(text.getElementsByTagName("v"), std::exception);
    EXPECT_EQ(group.getElementsByTagName("none").getLength(), 0u);

    XcsXmlNodeList matches = root.getElementsByTagName("v");
    ASSERT_EQ(matches.getLength(), 2u);
    XcsXmlNode second = matches.item(1);
    matches.item(0).getParentNode().removeChild(matches.item(0));
    EXPECT_EQ(matches.getLength(), 1u);
    EXPECT_TRUE(matches.item(0) == second);

    while (matches.getLength() > 0) matches.item(0).getParentNode().removeChild(matches.item(0));
    EXPECT_EQ(root.getElementsByTagName("v").getLength(), 0u);
    EXPECT_EQ(root.getElementsByTagName("*").getLength(), 1u);
}

TEST_F(NodeTest, ChildListsAreLive) {
    XcsXmlNode root = create().getDocumentElement();
    XcsXmlNodeList children = root.getChildNodes();
    EXPECT_EQ(children.getLength(), 0u);
    EXPECT_TRUE(children.item(0).isNull());

    XcsXmlNode b = addElement(root, "b");
    XcsXmlNode a = root.insertBefore(object->getDocument().createElement("a"), b);
    XcsXmlNode c = root.insertBefore(object->getDocument().createElement("c"), XcsXmlNode());
    ASSERT_EQ(children.getLength(), 3u);
    EXPECT_TRUE(children.item(0) == a);
    EXPECT_TRUE(children.item(2) == c);
    EXPECT_TRUE(children.item(3).isNull());

    XcsXmlNode removed = root.removeChild(b);
    EXPECT_TRUE(removed == b);
    EXPECT_TRUE(removed.getParentNode().isNull());
    EXPECT_EQ(children.getLength(), 2u);
}

TEST_F(NodeTest, ParserExceptionsPassUnchangedAndLeaveTheTree) {
    XcsXmlDocument& document = create();
    XcsXmlNode root = document.getDocumentElement();
    XcsXmlNode child = addElement(root, "child");
    XcsXmlNode leaf = addElement(child, "leaf");
    const std::string tree = testing_support::dumpTree(parserDocument());

    // A node into itself or below itself, by every insertion.
    using Insertion = XcsXmlNode (*)(XcsXmlNode&, const XcsXmlNode&);
    const Insertion insertions[] = {
        [](XcsXmlNode& to, const XcsXmlNode& node) { return to.appendChild(node); },
        [](XcsXmlNode& to, const XcsXmlNode& node) { return to.insertBefore(node, {}); },
        [](XcsXmlNode& to, const XcsXmlNode& node) {
            return to.insertBefore(node, to.getFirstChild());
        }};
    const std::pair<XcsXmlNode, XcsXmlNode> cycles[] = {
        {child, root}, {leaf, root}, {child, child}, {leaf, leaf}};
    for (const Insertion insert : insertions) {
        for (auto [into, node] : cycles) {
            try {
                insert(into, node);
                ADD_FAILURE() << node.getValue() << " was put into " << into.getValue();
            } catch (const xercesc::DOMException& e) {
                EXPECT_EQ(e.code, xercesc::DOMException::HIERARCHY_REQUEST_ERR);
            }
            EXPECT_EQ(testing_support::dumpTree(parserDocument()), tree);
        }
    }

    try {
        root.setAttribute("bad name", "1");
        FAIL() << "an invalid attribute name was accepted";
    } catch (const xercesc::DOMException& e) {
        EXPECT_EQ(e.code, xercesc::DOMException::INVALID_CHARACTER_ERR);
    }
    EXPECT_THROW(root.removeChild(document.createElement("stranger")), xercesc::DOMException);
}

TEST_F(NodeTest, NullNodesAreRefusedNotDereferenced) {
    XcsXmlNode root = create().getDocumentElement();
    XcsXmlNode null;

    EXPECT_THROW(null.getFirstChild(), std::invalid_argument);
    EXPECT_THROW(null.getValue(), std::invalid_argument);
    EXPECT_THROW(null.setAttribute("a", "1"), std::invalid_argument);
    EXPECT_THROW(root.appendChild(null), std::invalid_argument);
    EXPECT_THROW(root.removeChild(null), std::invalid_argument);
    EXPECT_TRUE(null.getTarget() == nullptr);
    EXPECT_EQ(root.getChildNodes().getLength(), 0u);
}

TEST_F(NodeTest, TheDeclarationNodeReportsItsOwnType) {
    XcsXmlDocument& document = create();
    xercesc::DOMDocument* owner = parserDocument();
    XcsXmlNode declaration(owner->createProcessingInstruction(u"xml", u"version=\"1.0\""));
    XcsXmlNode stylesheet(owner->createProcessingInstruction(u"xml-stylesheet", u"href=\"s\""));

    EXPECT_EQ(declaration.getNodeType(), TL_XML_DECLARATION_NODE);
    EXPECT_EQ(stylesheet.getNodeType(), 7);
    EXPECT_EQ(document.getNodeType(), 9);
    EXPECT_EQ(document.getDocumentElement().getNodeType(), 1);
}

}  // namespace
