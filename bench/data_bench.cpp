// Values by tag name against the same lookups and edits made with the parser's DOM.
#include <benchmark/benchmark.h>

#include <list>
#include <string>
#include <vector>

#include <xercesc/dom/DOM.hpp>

#include "loaded_document.hpp"

namespace {

const std::vector<std::string>& tagNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> made;
        for (int i = 0; i < bench::distinctTagNames; ++i) made.push_back("f" + std::to_string(i));
        return made;
    }();
    return names;
}

xercesc::DOMNode* firstText(const xercesc::DOMNode* element) {
    for (xercesc::DOMNode* c = element->getFirstChild(); c != nullptr; c = c->getNextSibling()) {
        if (c->getNodeType() == xercesc::DOMNode::TEXT_NODE) return c;
    }
    return nullptr;
}

// A change to the tree makes the parser forget the element lists it found before, so that
// every repetition looks the names up afresh.
void forgetLists(xercesc::DOMDocument* document) {
    xercesc::DOMElement* root = document->getDocumentElement();
    root->removeChild(root->appendChild(document->createElement(u"touch")))->release();
}

void getWithLibrary(benchmark::State& state) {
    XcsXmlDOMDocument& document = bench::loadedDocument(32, 1);
    forgetLists(bench::parserDocument(document));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.getXmlData(tagNames()[i++ % tagNames().size()]));
    }
}

// Each lookup followed by an overwrite of the value it read.
void getAndSetWithLibrary(benchmark::State& state) {
    XcsXmlDOMDocument& document = bench::loadedDocument(32, 3);
    forgetLists(bench::parserDocument(document));
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& name = tagNames()[i++ % tagNames().size()];
        if (!document.setXmlData(name, document.getXmlData(name) + "1", true)) {
            state.SkipWithError("no tag");
        }
    }
}

xercesc::DOMNode* firstNamed(xercesc::DOMDocument* document, const std::string& name) {
    return document->getElementsByTagName(bench::wide(name).c_str())->item(0);
}

void getWithParser(benchmark::State& state) {
    xercesc::DOMDocument* document = bench::parserDocument(bench::loadedDocument(32, 2));
    forgetLists(document);
    std::size_t i = 0;
    for (auto _ : state) {
        const xercesc::DOMNode* element = firstNamed(document, tagNames()[i++ % tagNames().size()]);
        const xercesc::DOMNode* text = element == nullptr ? nullptr : firstText(element);
        benchmark::DoNotOptimize(bench::narrow(text == nullptr ? nullptr : text->getNodeValue()));
    }
}

void getAndSetWithParser(benchmark::State& state) {
    xercesc::DOMDocument* document = bench::parserDocument(bench::loadedDocument(32, 4));
    forgetLists(document);
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& name = tagNames()[i++ % tagNames().size()];
        xercesc::DOMNode* text = firstText(firstNamed(document, name));
        const std::string value = bench::narrow(text->getNodeValue()) + "1";
        firstText(firstNamed(document, name))->setNodeValue(bench::wide(value).c_str());
    }
}

// The 1 MB sample holds fewer records than tag names: names that occur are used.
constexpr std::size_t setNames = 2000;

void setListWithLibrary(benchmark::State& state) {
    XcsXmlDOMDocument& document = bench::loadedDocument(1, 1);
    std::list<std::string> values{"値1", "値2"};
    std::size_t i = 0;
    for (auto _ : state) {
        if (!document.setXmlData(tagNames()[i++ % setNames], values)) state.SkipWithError("no tag");
    }
}

void setListWithParser(benchmark::State& state) {
    xercesc::DOMDocument* document = bench::parserDocument(bench::loadedDocument(1, 2));
    const std::vector<std::string> values{"値1", "値2"};
    std::size_t i = 0;
    for (auto _ : state) {
        const auto name = bench::wide(tagNames()[i++ % setNames]);
        xercesc::DOMNodeList* elements = document->getElementsByTagName(name.c_str());
        xercesc::DOMNode* parent = nullptr;
        xercesc::DOMNode* before = nullptr;
        for (xercesc::DOMNode* e = elements->item(0); e != nullptr; e = elements->item(0)) {
            parent = e->getParentNode();
            before = e->getNextSibling();
            parent->removeChild(e);
        }
        if (parent == nullptr) state.SkipWithError("no tag");
        for (const std::string& value : values) {
            xercesc::DOMNode* added =
                parent->insertBefore(document->createElement(name.c_str()), before);
            added->appendChild(document->createTextNode(bench::wide(value).c_str()));
        }
    }
}

// Each of the 10,000 names once, on a document of its own, so that no lookup finds the
// parser's list of an earlier run.
BENCHMARK(getWithLibrary)->Iterations(bench::distinctTagNames)->Unit(benchmark::kMicrosecond);
BENCHMARK(getWithParser)->Iterations(bench::distinctTagNames)->Unit(benchmark::kMicrosecond);
BENCHMARK(getAndSetWithLibrary)->Iterations(bench::distinctTagNames)->Unit(benchmark::kMicrosecond);
BENCHMARK(getAndSetWithParser)->Iterations(bench::distinctTagNames)->Unit(benchmark::kMicrosecond);
BENCHMARK(setListWithLibrary)->Iterations(setNames)->Unit(benchmark::kMicrosecond);
BENCHMARK(setListWithParser)->Iterations(setNames)->Unit(benchmark::kMicrosecond);

}  // namespace
