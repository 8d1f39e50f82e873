// save over an existing file against the parser's own serializer writing the same tree to
// a file in the same encoding and then flushing it to stable storage, as save does.
#include <benchmark/benchmark.h>

#include <memory>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/LocalFileFormatTarget.hpp>

#include "loaded_document.hpp"

namespace {

constexpr std::size_t megabytes = 32;

void saveInLayout(benchmark::State& state, TL_ENCODE_TYPE type, TL_LAYOUT_TYPE layout,
                  bool edited) {
    XcsXmlDOMDocument& document = bench::loadedDocument(megabytes, edited ? 1 : 0, layout);
    // One value changed, as a settings edit does.
    if (edited && !document.setXmlData(bench::narrow(bench::parserDocument(document)
                                                         ->getDocumentElement()
                                                         ->getFirstElementChild()
                                                         ->getNodeName()),
                                       "edited", true)) {
        state.SkipWithError("edit failed");
    }
    const std::string target = bench::scratchPath("saved-by-library.xml");
    if (!document.save(target, type)) state.SkipWithError("save failed");
    for (auto _ : state) {
        if (!document.save(target, type)) state.SkipWithError("save failed");
    }
}

void saveWithLibrary(benchmark::State& state, TL_ENCODE_TYPE type) {
    saveInLayout(state, type, TL_LAYOUT_FIXED, false);
}

// Unedited and with one value edited, in the keep layout and in the fixed one.
void saveKeepingLayout(benchmark::State& state, bool edited) {
    saveInLayout(state, TL_ENCODE_SHIFT_JIS, TL_LAYOUT_KEEP, edited);
}

void saveEditedInFixedLayout(benchmark::State& state) {
    saveInLayout(state, TL_ENCODE_SHIFT_JIS, TL_LAYOUT_FIXED, true);
}

// The same tree without the library's declaration node, which the serializer writes itself.
xercesc::DOMDocument* copyForSerializer() {
    static xercesc::DOMDocument* copy = [] {
        xercesc::DOMDocument* source = bench::parserDocument(bench::loadedDocument(megabytes));
        xercesc::DOMDocument* made = source->getImplementation()->createDocument();
        made->appendChild(made->importNode(source->getDocumentElement(), true));
        return made;
    }();
    return copy;
}

void serializeWithXerces(benchmark::State& state, const char16_t* encoding) {
    xercesc::DOMDocument* tree = copyForSerializer();
    auto* implementation = static_cast<xercesc::DOMImplementationLS*>(
        xercesc::DOMImplementationRegistry::getDOMImplementation(u"LS"));
    const std::string target = bench::scratchPath("saved-by-xerces.xml");
    for (auto _ : state) {
        xercesc::DOMLSSerializer* serializer = implementation->createLSSerializer();
        xercesc::DOMLSOutput* output = implementation->createLSOutput();
        output->setEncoding(encoding);
        {
            xercesc::LocalFileFormatTarget file(target.c_str());
            output->setByteStream(&file);
            if (!serializer->write(tree, output)) state.SkipWithError("write failed");
        }
        bench::syncFile(target);
        output->release();
        serializer->release();
    }
}

BENCHMARK_CAPTURE(saveWithLibrary, shift_jis, TL_ENCODE_SHIFT_JIS)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(serializeWithXerces, shift_jis, u"Shift_JIS")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(saveWithLibrary, utf16, TL_ENCODE_UTF16)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(serializeWithXerces, utf16, u"UTF-16")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(saveKeepingLayout, unedited, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(saveKeepingLayout, one_value, true)->Unit(benchmark::kMillisecond);
BENCHMARK(saveEditedInFixedLayout)->Unit(benchmark::kMillisecond);

}  // namespace
