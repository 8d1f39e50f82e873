// Iterator handles: walks in document order through a caller's filter, a C function.
#include "c_interface/boundary.hpp"

namespace {

using namespace tovalin::c_interface;

// The stop a caller's filter asked for, on its way out of the walk.
struct FilterStopped {};

// What leaves a walk whose filter gave a number that is no answer, or released the iterator
// that asked it.
struct WalkEnded {
    Refusal why;
};

// What the copies of one walk share: the caller's filter, the document node of a walk that
// starts there, whose own wrapper the walk cannot give, and the iterator that moves it now.
struct Walk : XcsXmlFilter {
    Walk(tovalin_filter answer, void* context, const std::optional<XcsXmlDocument>& root)
        : answer(answer), context(context), root(root) {}

    tovalin_node* give(const XcsXmlNode& node) const {
        if (root && node == *root) return tovalin::c_interface::give(*root);
        return tovalin::c_interface::give(node);
    }

    // The node is lent to the filter for its answer, and its handle released after it; the
    // filter may release anything, that handle and the iterator included.
    short acceptNode(const XcsXmlNode& node) const override {
        tovalin_node* const lent = give(node);
        const int given = answer(lent, context);
        leave(lent);
        if (find(moving) == nullptr) {
            throw WalkEnded{{TOVALIN_E_BAD_HANDLE, "the filter released the iterator it served"}};
        }
        if (given == TOVALIN_FILTER_STOP) throw FilterStopped();
        if (given < TOVALIN_FILTER_ACCEPT || given > TOVALIN_FILTER_SKIP) {
            throw WalkEnded{{TOVALIN_E_CALLBACK, "the filter gave a number that is no answer"}};
        }
        return static_cast<short>(given);
    }

    const tovalin_filter answer;
    void* const context;
    const std::optional<XcsXmlDocument> root;
    // The handle whose step asks the filter; a filter may step another copy in its turn.
    mutable const void* moving = nullptr;
};

}  // namespace

struct tovalin_iterator : Handle {
    tovalin_iterator(const XcsXmlNodeIterator& iterator, std::shared_ptr<Walk> walk)
        : iterator(iterator), walk(std::move(walk)) {}
    XcsXmlNodeIterator iterator;
    const std::shared_ptr<Walk> walk;
};

namespace {

// Marks the iterator as the one that moves its walk, until the step ends.
class Moving {
  public:
    Moving(const Walk& walk, const void* iterator) : walk(walk), before(walk.moving) {
        walk.moving = iterator;
    }
    ~Moving() { walk.moving = before; }
    Moving(const Moving&) = delete;
    Moving& operator=(const Moving&) = delete;

  private:
    const Walk& walk;
    const void* const before;
};

tovalin_status step(tovalin_iterator* iterator, tovalin_node** node,
                    XcsXmlNode (XcsXmlNodeIterator::*move)()) {
    return guarded([&] {
        tovalin_node*& out = result(node);
        // Held here, the iterator outlives a filter that releases it.
        const std::shared_ptr<tovalin_iterator> walking = held(iterator);
        const Moving moving(*walking->walk, iterator);
        try {
            out = walking->walk->give((walking->iterator.*move)());
        } catch (const FilterStopped&) {
            throw Refusal{TOVALIN_E_CALLBACK, "the filter stopped the walk"};
        } catch (const WalkEnded& ended) {
            throw ended.why;
        }
        return TOVALIN_OK;
    });
}

}  // namespace

tovalin_status TOVALIN_CALL tovalin_iterator_create(tovalin_node* root, tovalin_filter filter,
                                                    void* context, unsigned long what_to_show,
                                                    tovalin_iterator** iterator) {
    return guarded([&] {
        tovalin_iterator*& out = result(iterator);
        const std::optional<XcsXmlDocument> document =
            root == nullptr ? std::nullopt : live(root).document;
        // Not make_shared, as for handles.
        std::shared_ptr<Walk> walk(new Walk(filter, context, document));
        const XcsXmlNodeIterator made(nodeOf(root), filter == nullptr ? nullptr : walk.get(),
                                      what_to_show);
        out = registered(std::make_unique<tovalin_iterator>(made, std::move(walk)));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_iterator_copy(tovalin_iterator* iterator,
                                                  tovalin_iterator** copy) {
    return guarded([&] {
        tovalin_iterator*& out = result(copy);
        const tovalin_iterator& source = live(iterator);
        out = registered(std::make_unique<tovalin_iterator>(source.iterator, source.walk));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_iterator_get_what_to_show(tovalin_iterator* iterator,
                                                              unsigned long* what_to_show) {
    return guarded([&] {
        unsigned long& out = result(what_to_show);
        out = live(iterator).iterator.getWhatToShow();
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_iterator_next(tovalin_iterator* iterator, tovalin_node** node) {
    return step(iterator, node, &XcsXmlNodeIterator::nextNode);
}

tovalin_status TOVALIN_CALL tovalin_iterator_previous(tovalin_iterator* iterator,
                                                      tovalin_node** node) {
    return step(iterator, node, &XcsXmlNodeIterator::previousNode);
}
