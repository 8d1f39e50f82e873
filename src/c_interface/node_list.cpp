// Node list handles: live lists of the tree they keep alive.
#include "c_interface/boundary.hpp"

namespace tovalin::c_interface {

tovalin_node_list* give(const XcsXmlNodeList& list) {
    return registered(std::make_unique<tovalin_node_list>(list));
}

}  // namespace tovalin::c_interface

using namespace tovalin::c_interface;

tovalin_status TOVALIN_CALL tovalin_node_list_copy(tovalin_node_list* list,
                                                   tovalin_node_list** copy) {
    return guarded([&] {
        tovalin_node_list*& out = result(copy);
        out = give(live(list).list);
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_list_get_length(tovalin_node_list* list,
                                                         unsigned int* length) {
    return guarded([&] {
        unsigned int& out = result(length);
        out = live(list).list.getLength();
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_list_item(tovalin_node_list* list, unsigned int index,
                                                   tovalin_node** node) {
    return guarded([&] {
        tovalin_node*& out = result(node);
        out = give(live(list).list.item(index));
        return TOVALIN_OK;
    });
}
