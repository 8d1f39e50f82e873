// Iterator handles: walks in document order through a caller's filter, a C function.
#include "c_interface/boundary.hpp"

namespace {

using namespace tovalin::c_interface;

// The stop a caller's filter asked for, on its way out of the walk.
struct FilterStopped {};

// What the copies of one walk share: the caller's filter, and the document node of a walk that
// starts there, whose own wrapper the walk cannot give.
struct Walk : XcsXmlFilter {
    Walk(tovalin_filter answer, void* context, const std::optional<XcsXmlDocument>& root)
        : answer(answer), context(context), root(root) {}

    tovalin_node* give(const XcsXmlNode& node) const {
        if (root && node == *root) return tovalin::c_interface::give(*root);
        return tovalin::c_interface::give(node);
    }

    // The node is lent to the filter for its answer, and released after it.
    short acceptNode(const XcsXmlNode& node) const override {
        tovalin_node* const lent = give(node);
        const int given = answer(lent, context);
        leave(lent);
        if (given == TOVALIN_FILTER_STOP) throw FilterStopped();
        return static_cast<short>(given);
    }

    const tovalin_filter answer;
    void* const context;
    const std::optional<XcsXmlDocument> root;
};

}  // namespace

struct tovalin_iterator : Handle {
    tovalin_iterator(const XcsXmlNodeIterator& iterator, std::shared_ptr<Walk> walk)
        : iterator(iterator), walk(std::move(walk)) {}
    XcsXmlNodeIterator iterator;
    const std::shared_ptr<Walk> walk;
};

namespace {

tovalin_status step(tovalin_iterator* iterator, tovalin_node** node,
                    XcsXmlNode (XcsXmlNodeIterator::*move)()) {
    return guarded([&] {
        tovalin_node*& out = result(node);
        tovalin_iterator& walking = live(iterator);
        try {
            out = walking.walk->give((walking.iterator.*move)());
        } catch (const FilterStopped&) {
            throw Refusal{TOVALIN_E_CALLBACK, "the filter stopped the walk"};
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
        // Not make_shared: its type tag is a GNU unique symbol, which would keep the library
        // from ever being unloaded.
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
