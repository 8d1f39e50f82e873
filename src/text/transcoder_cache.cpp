#include "text/transcoder_cache.hpp"

#include <algorithm>
#include <memory>
#include <vector>

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/TranscodingException.hpp>

namespace tovalin::text {
namespace {

struct CachedTranscoder {
    std::string codeSet;
    std::unique_ptr<xercesc::XMLTranscoder> transcoder;
};

// A thread sees one or two code sets in its life; a vector beats a map here.
thread_local std::vector<CachedTranscoder> cache;

constexpr XMLSize_t blockSize = 16 * 1024;

std::unique_ptr<xercesc::XMLTranscoder> makeTranscoder(const std::string& codeSet) {
    xercesc::XMLTransService::Codes result = xercesc::XMLTransService::Ok;
    std::unique_ptr<xercesc::XMLTranscoder> made(
        xercesc::XMLPlatformUtils::fgTransService->makeNewTranscoderFor(codeSet.c_str(), result,
                                                                        blockSize));
    if (!made || result != xercesc::XMLTransService::Ok) {
        throw xercesc::TranscodingException(__FILE__, __LINE__,
                                            xercesc::XMLExcepts::Trans_CantCreateCvtrFor);
    }
    return made;
}

}  // namespace

xercesc::XMLTranscoder& transcoderFor(const std::string& codeSet) {
    for (const CachedTranscoder& cached : cache) {
        if (cached.codeSet == codeSet) return *cached.transcoder;
    }
    cache.push_back({codeSet, makeTranscoder(codeSet)});
    return *cache.back().transcoder;
}

void discardTranscoder(const std::string& codeSet) {
    cache.erase(std::remove_if(cache.begin(), cache.end(),
                               [&](const CachedTranscoder& c) { return c.codeSet == codeSet; }),
                cache.end());
}

}  // namespace tovalin::text
