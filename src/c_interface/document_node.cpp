// The document node's own operations: the factory of new nodes and the whole-document search.
#include "c_interface/boundary.hpp"

using namespace tovalin::c_interface;

tovalin_status TOVALIN_CALL tovalin_document_node_create_element(tovalin_node* document_node,
                                                                 const char* tag_name,
                                                                 tovalin_node** element) {
    return guarded([&] {
        tovalin_node*& out = result(element);
        out = give(documentNodeOf(document_node).createElement(textArgument(tag_name)));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_node_create_text_node(tovalin_node* document_node,
                                                                   const char* text,
                                                                   tovalin_node** text_node) {
    return guarded([&] {
        tovalin_node*& out = result(text_node);
        out = give(documentNodeOf(document_node).createTextNode(textArgument(text)));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_node_import_node(tovalin_node* document_node,
                                                              tovalin_node* source, int deep,
                                                              tovalin_node** copy) {
    return guarded([&] {
        tovalin_node*& out = result(copy);
        out = give(documentNodeOf(document_node).importNode(nodeOf(source), deep != 0));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_node_get_document_element(tovalin_node* document_node,
                                                                       tovalin_node** element) {
    return guarded([&] {
        tovalin_node*& out = result(element);
        out = give(documentNodeOf(document_node).getDocumentElement());
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_node_get_elements_by_tag_name(
    tovalin_node* document_node, const char* name, tovalin_node_list** list) {
    return guarded([&] {
        tovalin_node_list*& out = result(list);
        out = give(documentNodeOf(document_node).getElementsByTagName(textArgument(name)));
        return TOVALIN_OK;
    });
}
