#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/save_fixture.hpp"

namespace {

constexpr unsigned long showElements = 0x1;
constexpr unsigned long showText = 0x4;

// Answers from the node's name: a chosen name gets the chosen answer, others are accepted.
class NameFilter : public XcsXmlFilter {
  public:
    NameFilter(std::string name, TL_FILTER_TYPE answer) : name(std::move(name)), answer(answer) {}
    short acceptNode(const XcsXmlNode& node) const override {
        ++asked;
        if (node.getNodeType() != xercesc::DOMNode::ELEMENT_NODE)
            typesSeen.push_back(node.getNodeType());
        return node.getValue() == name ? answer : TL_FILTER_ACCEPT;
    }
    mutable int asked = 0;
    mutable std::vector<short> typesSeen;

  private:
    std::string name;
    TL_FILTER_TYPE answer;
};

class NodeIteratorTest : public testing_support::SaveFixture {
  protected:
    void SetUp() override { loadText("<r><a>x<b/></a><!--c--><d>y</d></r>"); }

    static std::string walk(XcsXmlNodeIterator& iterator, bool backwards = false) {
        std::string names;
        for (XcsXmlNode node = backwards ? iterator.previousNode() : iterator.nextNode();
             !node.isNull(); node = backwards ? iterator.previousNode() : iterator.nextNode()) {
            names += node.getValue() + " ";
        }
        return names;
    }
};

TEST_F(NodeIteratorTest, WalksForwardThenBackInDocumentOrder) {
    XcsXmlNodeIterator iterator(root(), nullptr, TL_SHOW_ALL);
    EXPECT_EQ(walk(iterator), "r a x b #comment d y ");
    EXPECT_EQ(walk(iterator, true), "y d #comment b x a r ");
    EXPECT_EQ(iterator.getWhatToShow(), TL_SHOW_ALL);
    XcsXmlNodeIterator texts(root(), nullptr, showText);
    EXPECT_EQ(texts.getWhatToShow(), showText);
    EXPECT_EQ(walk(texts), "x y ");
}

TEST_F(NodeIteratorTest, FiltersSeeOnlyShownTypesAndPassOverOnlyTheNodeItself) {
    NameFilter rejectA("a", TL_FILTER_REJECT);
    XcsXmlNodeIterator rejecting(root(), &rejectA, showElements);
    EXPECT_EQ(walk(rejecting), "r b d ");
    EXPECT_TRUE(rejectA.typesSeen.empty());

    NameFilter skipR("r", TL_FILTER_SKIP);
    XcsXmlNodeIterator skipping(root(), &skipR, showElements);
    EXPECT_EQ(walk(skipping), "a b d ");

    XcsXmlFilter plain;
    XcsXmlNodeIterator nothing(root(), &plain, TL_SHOW_ALL);
    EXPECT_TRUE(nothing.nextNode().isNull());
}

TEST_F(NodeIteratorTest, CopiesWalkTogetherAndOutliveEachOther) {
    auto first = std::make_unique<XcsXmlNodeIterator>(root(), nullptr, showElements);
    XcsXmlNodeIterator copy(*first);
    XcsXmlNodeIterator assigned(XcsXmlNodeIterator(root(), nullptr, showText));
    assigned = copy;
    EXPECT_EQ(first->nextNode().getValue(), "r");
    EXPECT_EQ(copy.nextNode().getValue(), "a");
    first.reset();
    EXPECT_EQ(assigned.nextNode().getValue(), "b");
    EXPECT_EQ(copy.nextNode().getValue(), "d");
}

TEST_F(NodeIteratorTest, WalkKeepsItsTreeAfterTheDocumentObjectMovesOn) {
    XcsXmlNodeIterator iterator(root(), nullptr, showElements);
    object.createDocument("other");
    EXPECT_EQ(walk(iterator), "r a b d ");
}

TEST_F(NodeIteratorTest, DocumentNodeWalksTheWholeDocumentAndNullIsRefused) {
    loadText("<?xml version=\"1.0\"?><!--before--><r/>");
    XcsXmlNodeIterator whole(object.getDocument(), nullptr, TL_SHOW_ALL);
    EXPECT_EQ(walk(whole), "#document xml #comment r ");
    EXPECT_THROW(XcsXmlNodeIterator(XcsXmlNode(), nullptr, TL_SHOW_ALL), std::invalid_argument);
}

TEST_F(NodeIteratorTest, CopiedFiltersAnswerForThemselves) {
    NameFilter original("a", TL_FILTER_REJECT);
    NameFilter copy(original);
    XcsXmlNodeIterator iterator(root(), &copy, showElements);
    walk(iterator);
    EXPECT_EQ(copy.asked, 4);
    EXPECT_EQ(original.asked, 0);
}

}  // namespace
