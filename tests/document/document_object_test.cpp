#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include <xercesc/dom/DOMException.hpp>

#include "support/temp_folder.hpp"
#include "tovalin/document.hpp"

namespace {

// Opens protected members for the tests.
class ResettableDocument : public XcsXmlDOMDocument {
  public:
    using XcsXmlDOMDocument::getWindowsTempPath;
    using XcsXmlDOMDocument::initData;
    using XcsXmlDOMDocument::operator=;
};

std::string noDocumentMessage(XcsXmlDOMDocument& object) {
    try {
        object.getDocument();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(nothing thrown)";
}

// The factory hands out independent objects; an empty one, its copies, a reset object and one
// whose new root name was refused hold no document.
TEST(DocumentObject, EmptyObjectsHaveNoDocument) {
    std::unique_ptr<XcsXmlDOMDocument> object(XmlDocumentFactory::createDocument());
    std::unique_ptr<XcsXmlDOMDocument> other(XmlDocumentFactory::createDocument());
    ASSERT_NE(object, nullptr);
    ASSERT_NE(other, nullptr);
    other->createDocument("other");
    EXPECT_EQ(object->getPath(), "");
    EXPECT_EQ(noDocumentMessage(*object), "no document");
    runtest();

    XcsXmlDOMDocument copy(*object);
    EXPECT_EQ(noDocumentMessage(copy), "no document");
    XcsXmlDOMDocument assigned;
    assigned.createDocument("old");
    assigned = *object;
    EXPECT_EQ(noDocumentMessage(assigned), "no document");

    ResettableDocument reset;
    reset.createDocument("root");
    reset.initData();
    EXPECT_EQ(reset.getPath(), "");
    EXPECT_EQ(noDocumentMessage(reset), "no document");

    reset.createDocument("kept");
    EXPECT_THROW(reset.createDocument("bad name"), xercesc::DOMException);
    EXPECT_EQ(noDocumentMessage(reset), "no document");
}

// The system's folder for temporary files, ready to take a file name.
TEST(DocumentObject, TemporaryFolderEndsWithASeparator) {
    ResettableDocument object;
    std::string folder;
    ASSERT_TRUE(object.getWindowsTempPath(folder));
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(folder.back() == '/' || folder.back() == '\\') << folder;
#ifndef _WIN32
    testing_support::TempFolder chosen;
    const std::string path = chosen.path("");
    setenv("TMPDIR", path.substr(0, path.size() - 1).c_str(), 1);
    object.getWindowsTempPath(folder);
    unsetenv("TMPDIR");
    EXPECT_EQ(folder, path);
#endif
}

// The reference is one wrapper that the object keeps for its life and points at whatever
// document it holds.
TEST(DocumentObject, TheDocumentReferenceLastsAsLongAsTheObject) {
    testing_support::TempFolder folder;
    XcsXmlDOMDocument source;
    source.createDocument("bound");
    ResettableDocument object;
    XcsXmlDocument& document = object.createDocument("created");
    const auto held = [&] { return document.getDocumentElement().getValue(); };

    ASSERT_TRUE(object.load(folder.write("in.xml", "<loaded/>"), false));
    EXPECT_EQ(held(), "loaded");
    object.bind(source.getDocument());
    EXPECT_EQ(held(), "bound");
    object.createDocument("again");
    object = source;
    EXPECT_TRUE(document == source.getDocument());
    object.initData();
    EXPECT_TRUE(document.isNull());
    EXPECT_EQ(&object.createDocument("last"), &document);
    EXPECT_EQ(&object.getDocument(), &document);
}

TEST(DocumentObject, CopiesShareOneTree) {
    XcsXmlDOMDocument source;
    source.createDocument("root");
    XcsXmlDOMDocument copy(source);
    XcsXmlDOMDocument assigned;
    assigned = source;

    XcsXmlNode added = copy.getDocument().getDocumentElement().appendChild(
        copy.getDocument().createElement("added"));
    EXPECT_TRUE(source.getDocument().getElementsByTagName("added").item(0) == added);
    EXPECT_TRUE(assigned.getDocument() == source.getDocument());

    source.createDocument("other");
    EXPECT_EQ(copy.getDocument().getElementsByTagName("added").getLength(), 1u);
}

// These are meant for the sanitizer build: every wrapper keeps its tree alive, and the
// tree is freed exactly once when the last holder goes.
TEST(TreeLifetime, WrappersOutliveTheirDocumentObject) {
    XcsXmlNode root;
    XcsXmlNodeList children(nullptr);
    {
        std::unique_ptr<XcsXmlDOMDocument> object(XmlDocumentFactory::createDocument());
        XcsXmlDocument& document = object->createDocument("root");
        root = document.getDocumentElement();
        root.appendChild(document.createTextNode("still here"));
        children = root.getChildNodes();
    }
    EXPECT_EQ(root.getValue(), "root");
    EXPECT_EQ(root.getFirstChild().getValue(), "still here");
    EXPECT_EQ(children.getLength(), 1u);
    EXPECT_EQ(root.getOwner().getElementsByTagName("root").getLength(), 1u);
}

// Wrappers of a tree the object replaced, and wrappers made from the parser's own nodes.
TEST(TreeLifetime, WrappersOfAReplacedTreeOrOfParserNodesStillReadIt) {
    XcsXmlNode rewrapped;
    {
        ResettableDocument object;
        XcsXmlDocument first = object.createDocument("first");
        XcsXmlNode firstRoot = first.getDocumentElement();
        object.createDocument("second");
        rewrapped = XcsXmlNode(object.getDocument().getDocumentElement().getTarget());
        object.initData();
        EXPECT_EQ(firstRoot.getValue(), "first");
        firstRoot.appendChild(first.createElement("child"));
        EXPECT_EQ(first.getElementsByTagName("child").getLength(), 1u);
    }
    EXPECT_EQ(rewrapped.getValue(), "second");
    EXPECT_EQ(XcsXmlNodeList(rewrapped.getTarget()->getChildNodes()).getLength(), 0u);
}

}  // namespace
