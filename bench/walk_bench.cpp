// A walk over every node through the node layer against the same walk over the parser's
// nodes, both reading each node's type and value and converting the value to narrow text.
#include <benchmark/benchmark.h>

#include "loaded_document.hpp"

namespace {

constexpr std::size_t megabytes = 32;

void walkNodeLayer(benchmark::State& state) {
    XcsXmlNode root = bench::loadedDocument(megabytes).getDocument();
    for (auto _ : state) {
        std::size_t bytes = 0;
        XcsXmlNode node = root.getFirstChild();
        while (!node.isNull()) {
            bytes += static_cast<std::size_t>(node.getNodeType()) + node.getValue().size();
            XcsXmlNode next = node.getFirstChild();
            for (XcsXmlNode up = node; next.isNull() && !up.isNull(); up = up.getParentNode()) {
                next = up.getNextSibling();
            }
            node = next;
        }
        benchmark::DoNotOptimize(bytes);
    }
}

void walkParserNodes(benchmark::State& state) {
    const xercesc::DOMNode* root = bench::parserDocument(bench::loadedDocument(megabytes));
    for (auto _ : state) {
        std::size_t bytes = 0;
        const xercesc::DOMNode* node = root->getFirstChild();
        while (node != nullptr) {
            const short type = node->getNodeType();
            const XMLCh* value =
                type == xercesc::DOMNode::TEXT_NODE ? node->getNodeValue() : node->getNodeName();
            bytes += static_cast<std::size_t>(type) + bench::narrow(value).size();
            const xercesc::DOMNode* next = node->getFirstChild();
            for (const xercesc::DOMNode* up = node; next == nullptr && up != nullptr;
                 up = up->getParentNode()) {
                next = up->getNextSibling();
            }
            node = next;
        }
        benchmark::DoNotOptimize(bytes);
    }
}

BENCHMARK(walkNodeLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(walkParserNodes)->Unit(benchmark::kMillisecond);

}  // namespace
