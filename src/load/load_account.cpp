#include "load/load_account.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>

#include <xercesc/framework/XMLEntityDecl.hpp>
#include <xercesc/validators/DTD/DTDEntityDecl.hpp>
#include <xercesc/internal/ReaderMgr.hpp>
#include <xercesc/internal/XMLReader.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>

namespace tovalin {

// The header of each block: its size and its place in the list of blocks still held.
struct HeldBlock {
    HeldBlock* previous;
    HeldBlock* next;
    std::size_t size;
};

namespace {

constexpr std::size_t alignment = alignof(std::max_align_t);
constexpr std::size_t headerSize = (sizeof(HeldBlock) + alignment - 1) / alignment * alignment;
constexpr std::uint64_t noBound = UINT64_MAX;
// Starting an expansion costs the parser as much as reading many characters (a reader of
// some 160 KiB; for an external entity, a file to find and open too), so an expansion counts
// as at least this many.
constexpr std::uint64_t leastPerExpansion = 64;
constexpr std::uint64_t leastPerFileExpansion = 1024;

// The parser reads every entity it expands, in text, in attribute values and in the DTD,
// through an XMLReader of its own that the reader manager makes with `new (manager)`: one
// block of XMemory's header and the reader. It deletes that reader when the entity ends,
// before it makes the enclosing entity current again (ReaderMgr::popReader and
// cleanStackBackTo). So a block of this size freed during the parse marks the end of an
// expansion, and the reader manager's current entity is the one that ended. This is the
// only place that relies on it; a block of the same size freed for another reason only
// counts one expansion more.
const std::size_t objectHeaderSize =
    xercesc::XMLPlatformUtils::alignPointerForNewBlockAllocation(sizeof(xercesc::MemoryManager*));
const std::size_t readerBlockSize = objectHeaderSize + sizeof(xercesc::XMLReader);
// The parser makes entity declarations the same way, so the block of a declaration is
// known when it is freed: the object follows the header.
const std::size_t entityBlockSize = objectHeaderSize + sizeof(xercesc::DTDEntityDecl);

std::uint64_t fixedPart(std::size_t bytes) {
    return bytes == XcsLoadLimits::unlimited ? noBound : bytes;
}

std::uint64_t perBytePart(std::size_t perByte, std::uint64_t bytes) {
    if (perByte == XcsLoadLimits::unlimited) return noBound;
    if (bytes != 0 && perByte > noBound / bytes) return noBound;
    return perByte * bytes;
}

}  // namespace

LoadAccount::LoadAccount(const XcsLoadLimits& loadLimits) : limits(loadLimits) { rebound(); }

LoadAccount::~LoadAccount() {
    // What the parser left behind when it was stopped; nothing can reach it any more.
    while (blocks != nullptr) {
        HeldBlock* next = blocks->next;
        std::free(blocks);
        blocks = next;
    }
}

void LoadAccount::startParse(const xercesc::ReaderMgr& watched) {
    readers = &watched;
    setCeiling();
}

void LoadAccount::endParse() noexcept {
    readers = nullptr;
    setCeiling();
}

bool LoadAccount::firstRead(const std::string& canonicalPath) {
    return filesRead.insert(canonicalPath).second;
}

void LoadAccount::noteEntity(const xercesc::XMLEntityDecl& entity) {
    entityCounts[&entity] =
        entity.isExternal() ? leastPerFileExpansion
                            : std::max<std::uint64_t>(entity.getValueLen(), leastPerExpansion);
}

void LoadAccount::countRead(std::size_t bytes, bool again) {
    if (again) {
        produce(bytes);
    } else {
        input += bytes;
        rebound();
    }
}

xercesc::MemoryManager* LoadAccount::getExceptionMemoryManager() {
    return xercesc::XMLPlatformUtils::fgMemoryManager;
}

void* LoadAccount::allocate(XMLSize_t size) {
    if (held + size > ceiling) refuse();
    void* raw = size <= SIZE_MAX - headerSize ? std::malloc(headerSize + size) : nullptr;
    if (raw == nullptr) refuse();
    auto* block = new (raw) HeldBlock{nullptr, blocks, size};
    if (blocks != nullptr) blocks->previous = block;
    blocks = block;
    held += size;
    return static_cast<char*>(raw) + headerSize;
}

void LoadAccount::deallocate(void* memory) {
    if (memory == nullptr) return;
    auto* block = reinterpret_cast<HeldBlock*>(static_cast<char*>(memory) - headerSize);
    if (block->size == readerBlockSize && readers != nullptr) countExpansionEnd();
    if (block->size == entityBlockSize && !entityCounts.empty()) {
        entityCounts.erase(static_cast<char*>(memory) + objectHeaderSize);
    }
    if (block->previous != nullptr) {
        block->previous->next = block->next;
    } else {
        blocks = block->next;
    }
    if (block->next != nullptr) block->next->previous = block->previous;
    held -= block->size;
    std::free(block);
}

// The ended entity is only compared by address: when a parse is abandoned, the parser frees
// its declarations before the readers that still name them. An entity the DTD did not
// declare (the external subset itself) is a file, counted as one.
void LoadAccount::countExpansionEnd() {
    const void* ended = readers->getCurrentEntity();
    if (ended == nullptr) return;
    const auto noted = entityCounts.find(ended);
    produce(noted != entityCounts.end() ? noted->second : leastPerFileExpansion);
}

// Past the limit the parse is refused its next allocation: this may run inside the parser's
// destructors, which must not throw.
void LoadAccount::produce(std::uint64_t characters) {
    produced += characters;
    if (produced <= allowed) return;
    refusing = true;
    setCeiling();
}

void LoadAccount::rebound() {
    allowed =
        std::max(fixedPart(limits.expansionFloor), perBytePart(limits.expansionPerByte, input));
    const std::uint64_t floor = fixedPart(limits.memoryFloor);
    const std::uint64_t perByte = perBytePart(limits.memoryPerByte, input);
    budget = perByte > noBound - floor ? noBound : floor + perByte;
    setCeiling();
}

void LoadAccount::setCeiling() {
    if (readers == nullptr) {
        ceiling = noBound;
    } else {
        ceiling = refusing ? 0 : budget;
    }
}

void LoadAccount::refuse() {
    refusing = true;
    setCeiling();
    throw xercesc::OutOfMemoryException();
}

}  // namespace tovalin
