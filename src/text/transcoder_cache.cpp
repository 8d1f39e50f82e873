#include "text/transcoder_cache.hpp"

#include <algorithm>
#include <memory>
#include <vector>

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/TranscodingException.hpp>
#include <xercesc/util/XMLException.hpp>

#include "platform/platform.hpp"
#include "text/surrogates.hpp"
#include "text/thread_transcoders.hpp"

namespace tovalin::text {
namespace {

std::unique_ptr<xercesc::XMLTranscoder> transcoderOrThrow(const std::string& codeSet) {
    std::unique_ptr<xercesc::XMLTranscoder> made = newTranscoder(codeSet);
    if (!made) {
        throw xercesc::TranscodingException(__FILE__, __LINE__,
                                            xercesc::XMLExcepts::Trans_CantCreateCvtrFor);
    }
    return made;
}

bool keepsAsciiCharacter(xercesc::XMLTranscoder& transcoder, XMLCh c) {
    XMLByte byte[8];
    XMLCh back[2];
    unsigned char sizes[2];
    XMLSize_t eaten = 0;
    const XMLSize_t made = transcoder.transcodeTo(&c, 1, byte, sizeof byte, eaten,
                                                  xercesc::XMLTranscoder::UnRep_RepChar);
    if (made != 1 || byte[0] != c) return false;
    return transcoder.transcodeFrom(byte, 1, back, 2, eaten, sizes) == 1 && back[0] == c;
}

std::bitset<128> plainAsciiOf(xercesc::XMLTranscoder& transcoder) {
    std::bitset<128> plain;
    for (XMLCh c = 0; c < 128; ++c) plain[c] = keepsAsciiCharacter(transcoder, c);
    return plain;
}

}  // namespace

std::unique_ptr<xercesc::XMLTranscoder> newTranscoder(const std::string& encoding) {
    xercesc::XMLTransService::Codes result = xercesc::XMLTransService::Ok;
    std::unique_ptr<xercesc::XMLTranscoder> made(
        xercesc::XMLPlatformUtils::fgTransService->makeNewTranscoderFor(encoding.c_str(), result,
                                                                        transcoderBlockSize));
    if (result != xercesc::XMLTransService::Ok) made.reset();
    return made;
}

bool decode(const std::string& encoding, const std::function<std::size_t(char*, std::size_t)>& read,
            const std::function<bool(const XMLCh*, XMLSize_t, const unsigned char*)>& take) {
    const std::unique_ptr<xercesc::XMLTranscoder> transcoder = newTranscoder(encoding);
    if (!transcoder) return false;
    std::string bytes;
    XMLCh characters[transcoderBlockSize];
    unsigned char sizes[transcoderBlockSize];
    char block[transcoderBlockSize];
    try {
        for (std::size_t got; (got = read(block, sizeof block)) > 0;) {
            bytes.append(block, got);
            XMLSize_t eaten = 0;
            do {
                const XMLSize_t count = transcoder->transcodeFrom(
                    reinterpret_cast<const XMLByte*>(bytes.data()), bytes.size(), characters,
                    transcoderBlockSize, eaten, sizes);
                bytes.erase(0, eaten);
                if (!take(characters, count, sizes)) return true;
            } while (eaten != 0 && !bytes.empty());
        }
    } catch (const xercesc::XMLException&) {
        return false;
    }
    return bytes.empty();
}

bool roundTrips(xercesc::XMLTranscoder& transcoder, const XMLCh* character, std::size_t units) {
    XMLByte bytes[16];
    XMLCh back[4];
    unsigned char sizes[4];
    XMLSize_t eaten = 0;
    try {
        const XMLSize_t count = transcoder.transcodeTo(character, units, bytes, sizeof bytes, eaten,
                                                       xercesc::XMLTranscoder::UnRep_Throw);
        if (eaten != units || count == 0) return false;
        const XMLSize_t decoded = transcoder.transcodeFrom(bytes, count, back, 4, eaten, sizes);
        return decoded == units && eaten == count && std::equal(back, back + units, character);
    } catch (const xercesc::XMLException&) {
        // The transcoder stopped at this one whole character and holds nothing of it.
        return false;
    }
}

bool writesExactly(Transcoder& transcoder, XMLCh character) {
    if (isHighSurrogate(character) || isLowSurrogate(character)) return false;
    if (transcoder.exact.empty()) transcoder.exact.resize(0x10000);
    unsigned char& answer = transcoder.exact[character];
    if (answer == 0) answer = roundTrips(*transcoder.parser, &character, 1) ? 1 : 2;
    return answer == 1;
}

Transcoder& transcoderFor(const std::string& codeSet) {
    std::vector<std::unique_ptr<Transcoder>>& cache = threadTranscoders().cache;
    for (const std::unique_ptr<Transcoder>& cached : cache) {
        if (cached->codeSet == codeSet) return *cached;
    }
    auto made = std::make_unique<Transcoder>();
    made->codeSet = codeSet;
    made->parser = transcoderOrThrow(codeSet);
    made->plainAscii = plainAsciiOf(*made->parser);
    cache.push_back(std::move(made));
    return *cache.back();
}

Transcoder& processTranscoder() {
    ThreadTranscoders& transcoders = threadTranscoders();
    const char* localeCodeSet = platform::localeCodeSet();
    if (transcoders.lastProcessTranscoder == nullptr ||
        transcoders.lastLocaleCodeSet != localeCodeSet) {
        transcoders.lastProcessTranscoder = &transcoderFor(platform::processCodeSet());
        transcoders.lastLocaleCodeSet = localeCodeSet;
    }
    return *transcoders.lastProcessTranscoder;
}

void discardTranscoder(const std::string& codeSet) {
    ThreadTranscoders& transcoders = threadTranscoders();
    transcoders.lastProcessTranscoder = nullptr;
    std::vector<std::unique_ptr<Transcoder>>& cache = transcoders.cache;
    cache.erase(std::remove_if(cache.begin(), cache.end(),
                               [&](const std::unique_ptr<Transcoder>& cached) {
                                   return cached->codeSet == codeSet;
                               }),
                cache.end());
}

}  // namespace tovalin::text
