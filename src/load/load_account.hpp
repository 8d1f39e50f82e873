// The account of one load: the bytes it read, the characters that entity expansion produced
// and the memory the parser holds, against the load's limits.
#ifndef TOVALIN_LOAD_LOAD_ACCOUNT_HPP
#define TOVALIN_LOAD_LOAD_ACCOUNT_HPP

#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>

#include <xercesc/framework/MemoryManager.hpp>

#include "tovalin/settings.hpp"

XERCES_CPP_NAMESPACE_BEGIN
class ReaderMgr;
class XMLEntityDecl;
XERCES_CPP_NAMESPACE_END

namespace tovalin {

struct HeldBlock;

// The memory manager of one load's parser and of the tree that parser builds, so it must
// live until both are gone; whatever they leave allocated goes with it. While the parse
// runs it refuses, with the parser's OutOfMemoryException, the allocation that would pass
// the memory budget and every allocation after expansion passed its limit. Outside the
// parse it refuses nothing, so the tree may grow by editing.
class LoadAccount final : public xercesc::MemoryManager {
  public:
    explicit LoadAccount(const XcsLoadLimits& limits);
    ~LoadAccount() override;
    LoadAccount(const LoadAccount&) = delete;
    LoadAccount& operator=(const LoadAccount&) = delete;

    // The parse runs from startParse, which watches its reader manager, to endParse.
    void startParse(const xercesc::ReaderMgr& readers);
    void endParse() noexcept;
    // True when a limit stopped the parse or memory ran out.
    bool stopped() const { return refusing; }
    // The readers of the parse while it runs, else null.
    const xercesc::ReaderMgr* parseReaders() const { return readers; }

    // Whether this is the first time the load reads the file, by its canonical path.
    bool firstRead(const std::string& canonicalPath);
    // Bytes read from a file: input the first time, expansion when the file is read again.
    void countRead(std::size_t bytes, bool again);
    // Notes what an expansion of the declared entity produces, while the declaration is
    // known to be alive: the parser may free it before the last of its expansions ends.
    void noteEntity(const xercesc::XMLEntityDecl& entity);

    xercesc::MemoryManager* getExceptionMemoryManager() override;
    void* allocate(XMLSize_t size) override;
    void deallocate(void* block) override;

  private:
    void countExpansionEnd();
    void produce(std::uint64_t characters);
    // Works out the bounds again for the input read so far.
    void rebound();
    // Sets the most the parser may hold: nothing more once refusing, anything outside the parse.
    void setCeiling();
    [[noreturn]] void refuse();

    const XcsLoadLimits limits;
    const xercesc::ReaderMgr* readers = nullptr;
    bool refusing = false;
    std::uint64_t input = 0;
    std::uint64_t produced = 0;
    std::uint64_t allowed = 0;
    std::uint64_t budget = 0;
    std::uint64_t ceiling = 0;
    std::uint64_t held = 0;
    HeldBlock* blocks = nullptr;
    std::set<std::string> filesRead;
    // What an expansion of each declared entity counts, by the declaration's address; an
    // entry goes when its declaration's memory is freed, so an address is never mistaken.
    std::unordered_map<const void*, std::uint64_t> entityCounts;
};

}  // namespace tovalin

#endif
