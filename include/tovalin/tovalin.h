/* The C interface of the library, for programs built by any compiler and for other languages
 * (C99, also valid C++). It does what the C++ interface does for a program: the document
 * object, nodes, node lists, the document node's factory and search, iterators with a
 * caller's filter, and the tokenizer. The parser's own types never appear here.
 *
 * Left out, since they serve classes derived from the document object or need the parser's
 * types: the document object's protected members (initData, setParserCondition, preBuilder,
 * getWindowsTempPath, deleteString, isHidden, setHidden), saveDOMTree, the conversions from
 * and to the parser's nodes and lists, XcsErrorReporter and XmlFunction::checkPath.
 *
 * Rules of the boundary:
 * - Every function returns a status: TOVALIN_OK, or the failure. No exception ever leaves the
 *   library. The message of the calling thread's last failure is read with
 *   tovalin_last_error_message.
 * - Handles are opaque. Each one the library gives is released by tovalin_release and by
 *   nothing else; a node, list or iterator handle keeps its tree alive until then. A handle
 *   that is null where one is needed, already released, or of another kind fails with
 *   TOVALIN_E_BAD_HANDLE, and is never used. The null node is the null pointer: navigation
 *   gives it where there is no node, and a node that an operation needs fails with
 *   TOVALIN_E_INVALID_ARGUMENT.
 * - Texts and lists the library gives are freed by tovalin_free and by nothing else. Out
 *   parameters are set to null (or zero) first, and hold something only on TOVALIN_OK, or
 *   where a function says so.
 * - Texts are NUL-terminated. They are in the process code page, as in the C++ interface (on
 *   Windows the ANSI code page, on POSIX the code set of LC_CTYPE at the time of the call,
 *   UTF-8 in the C locale), unless the program chooses UTF-8 for all its texts with
 *   tovalin_set_text_encoding. Path texts name files as the C++ interface names them.
 * - On Windows every function uses the __cdecl convention (TOVALIN_CALL) and is exported under
 *   its own undecorated name, listed in tovalin.def; tovalin.lib is the import library for
 *   Microsoft's linker, tovalin.dll.a the one for mingw-w64.
 */
#ifndef TOVALIN_TOVALIN_H
#define TOVALIN_TOVALIN_H

#include <stddef.h>

#if defined(_WIN32)
#define TOVALIN_CALL __cdecl
#if defined(TOVALIN_BUILDING)
#define TOVALIN_C_API __declspec(dllexport)
#else
#define TOVALIN_C_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define TOVALIN_CALL
#define TOVALIN_C_API __attribute__((visibility("default")))
#else
#define TOVALIN_CALL
#define TOVALIN_C_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Status codes ---- */

typedef int tovalin_status;

enum {
    TOVALIN_OK = 0,
    /* The operation did not succeed, and said so without an exception: where the C++
     * interface gives false (a load that failed, a save that wrote nothing, a value with no
     * element to go to, a name of "*" for a single element, a text the tokenizer refuses). */
    TOVALIN_E_FAILED = 1,
    TOVALIN_E_BAD_HANDLE = 2,
    /* A null pointer where something is needed, the null node where a node is needed, a
     * value outside its enumeration, a node that is no document node where one is needed. */
    TOVALIN_E_INVALID_ARGUMENT = 3,
    /* The document object holds no document. */
    TOVALIN_E_NO_DOCUMENT = 4,
    /* A tokenizer position past the end of its text. */
    TOVALIN_E_OUT_OF_RANGE = 5,
    /* Bytes that are no text in the text encoding, or a character it cannot hold so that it
     * reads back as itself. */
    TOVALIN_E_CONVERSION = 6,
    /* The operation does not apply: an element search from a node that is no element, a
     * tokenizer read before a successful analysis. */
    TOVALIN_E_NOT_APPLICABLE = 7,
    TOVALIN_E_NO_MEMORY = 8,
    /* A caller's filter stopped the walk (TOVALIN_FILTER_STOP). */
    TOVALIN_E_CALLBACK = 9,
    /* Any other failure inside the library. */
    TOVALIN_E_INTERNAL = 10,
    /* The DOM refused an operation: TOVALIN_E_DOM plus the DOM's exception code. */
    TOVALIN_E_DOM = 100,
    TOVALIN_E_DOM_INDEX_SIZE = 101,
    TOVALIN_E_DOM_STRING_SIZE = 102,
    TOVALIN_E_DOM_HIERARCHY_REQUEST = 103,
    TOVALIN_E_DOM_WRONG_DOCUMENT = 104,
    TOVALIN_E_DOM_INVALID_CHARACTER = 105,
    TOVALIN_E_DOM_NO_DATA_ALLOWED = 106,
    TOVALIN_E_DOM_NO_MODIFICATION_ALLOWED = 107,
    TOVALIN_E_DOM_NOT_FOUND = 108,
    TOVALIN_E_DOM_NOT_SUPPORTED = 109,
    TOVALIN_E_DOM_INUSE_ATTRIBUTE = 110,
    TOVALIN_E_DOM_INVALID_STATE = 111,
    TOVALIN_E_DOM_SYNTAX = 112,
    TOVALIN_E_DOM_INVALID_MODIFICATION = 113,
    TOVALIN_E_DOM_NAMESPACE = 114,
    TOVALIN_E_DOM_INVALID_ACCESS = 115,
    TOVALIN_E_DOM_VALIDATION = 116,
    TOVALIN_E_DOM_TYPE_MISMATCH = 117
};

/* The message of the calling thread's last failure, in the caller's text encoding; empty when
 * there was none. Valid until the thread's next failure. Never null, never to be freed. */
TOVALIN_C_API const char* TOVALIN_CALL tovalin_last_error_message(void);

/* ---- Texts, memory and handles ---- */

enum { TOVALIN_TEXT_CODE_PAGE = 0, TOVALIN_TEXT_UTF8 = 1 };

/* Chooses the encoding of every text of the program that crosses this interface, for all
 * threads, from the next call on: TOVALIN_TEXT_CODE_PAGE (the default) or TOVALIN_TEXT_UTF8.
 * UTF-8 holds every character on POSIX. On Windows the library still reaches texts and files
 * through the ANSI code page, so a UTF-8 text with a character that code page lacks fails
 * with TOVALIN_E_CONVERSION there, unless the process runs with the UTF-8 code page. The
 * tokenizer works on bytes and takes no part in this. The C++ interface is not affected. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_set_text_encoding(int encoding);
TOVALIN_C_API int TOVALIN_CALL tovalin_get_text_encoding(void);

/* Frees a text or a list the library gave; null does nothing. */
TOVALIN_C_API void TOVALIN_CALL tovalin_free(void* memory);

/* Releases a handle of any kind; null does nothing. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_release(void* handle);

typedef struct tovalin_document tovalin_document;
typedef struct tovalin_node tovalin_node;
typedef struct tovalin_node_list tovalin_node_list;
typedef struct tovalin_iterator tovalin_iterator;
typedef struct tovalin_tokenizer tovalin_tokenizer;

/** One problem with an input file, as XMLERROR_TYPE. */
typedef struct tovalin_problem {
    unsigned int line;     /**< Line of the problem, from 1; 0 where none applies. */
    unsigned int column;   /**< Column of the problem, from 1; 0 where none applies. */
    const char* message;   /**< What is wrong, in the caller's text encoding. */
    const char* system_id; /**< The file the problem is in. */
} tovalin_problem;

/** Problems the library gives as one block: one tovalin_free frees it with its texts. */
typedef struct tovalin_problem_list {
    size_t count;                 /**< Number of problems. */
    const tovalin_problem* items; /**< The problems, in the order they were found. */
} tovalin_problem_list;

/** Texts the library gives as one block: one tovalin_free frees it with its texts. */
typedef struct tovalin_text_list {
    size_t count;             /**< Number of texts. */
    const char* const* items; /**< The texts, NUL-terminated. */
} tovalin_text_list;

/* ---- The document object ---- */

enum { TOVALIN_ENCODE_UTF16 = 0, TOVALIN_ENCODE_SHIFT_JIS = 1, TOVALIN_ENCODE_UTF8 = 2 };
enum { TOVALIN_SCHEMA_DTD = 0 };
enum { TOVALIN_ENTITY_ANY_LOCAL_FILE = 0, TOVALIN_ENTITY_DOCUMENT_FOLDER = 1 };
enum { TOVALIN_MESSAGES_PARSER = 0, TOVALIN_MESSAGES_JAPANESE = 1 };

/** The bounds of a load, as XcsLoadLimits. TOVALIN_UNLIMITED in expansion_per_byte and
 * memory_per_byte lifts both bounds. */
typedef struct tovalin_load_limits {
    size_t expansion_per_byte; /**< Expanded characters allowed per byte of the file. */
    size_t expansion_floor;    /**< Expanded characters allowed whatever the file's size. */
    size_t memory_per_byte;    /**< Bytes of memory allowed per byte of the file. */
    size_t memory_floor;       /**< Bytes of memory allowed whatever the file's size. */
} tovalin_load_limits;

#define TOVALIN_UNLIMITED ((size_t)-1)

/* A new, empty document object; TOVALIN_E_FAILED when the library could not start its
 * parser. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_create(tovalin_document** object);
/* A copy that shares the source's tree, path and settings. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_copy(tovalin_document* source,
                                                                tovalin_document** copy);
/* Loads the file, validating against its DTD when validate is not 0. With problems, the
 * problems of this load are given there, also when it fails (TOVALIN_E_FAILED, the first
 * problem being the last error's message); with null, the first problem is written to
 * standard output, as the C++ interface does. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_load(tovalin_document* object,
                                                                const char* path, int validate,
                                                                tovalin_problem_list** problems);
/* Saves in TOVALIN_ENCODE_UTF16 or TOVALIN_ENCODE_SHIFT_JIS; TOVALIN_E_FAILED when nothing
 * was written or the earlier content was put back. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_save(tovalin_document* object,
                                                                const char* path, int encoding);
/* Replaces the document by a copy of the given document node's root element; document_node
 * may be null: the new document node is given there. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_bind(tovalin_document* object,
                                                                tovalin_node* other,
                                                                tovalin_node** document_node);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_set_xml_decl(tovalin_document* object,
                                                                        int encoding);
/* TOVALIN_E_FAILED, changing nothing, for what no stylesheet instruction or document type
 * could carry. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_set_xsl(tovalin_document* object,
                                                                   const char* href);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_set_schema(tovalin_document* object,
                                                                      const char* dtd_path,
                                                                      int schema_type);
/* The document node held now; TOVALIN_E_NO_DOCUMENT when there is none. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_get_document(tovalin_document* object, tovalin_node** document_node);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_get_path(tovalin_document* object,
                                                                    char** path);
/* Replaces the document by one holding only a root element; document_node may be null. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_create_document(
    tovalin_document* object, const char* root_name, tovalin_node** document_node);
/* The value of the first element of the tag name; "*" names every element. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_get_xml_data(tovalin_document* object,
                                                                        const char* tag_name,
                                                                        char** value);
/* The same, and the value of every element of the name, in document order. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_get_xml_data_list(
    tovalin_document* object, const char* tag_name, char** first, tovalin_text_list** values);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_set_xml_data(tovalin_document* object,
                                                                        const char* tag_name,
                                                                        const char* value,
                                                                        int overwrite);
/* Replaces every element of the name by one per value (values may be null when count is 0). */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_set_xml_data_list(
    tovalin_document* object, const char* tag_name, const char* const* values, size_t count);
/* Removes the whitespace-only text nodes of the whole document. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_remove_white_space(tovalin_document* object);
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_set_load_limits(tovalin_document* object, const tovalin_load_limits* limits);
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_get_load_limits(tovalin_document* object, tovalin_load_limits* limits);
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_set_entity_source(tovalin_document* object, int source);
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_get_entity_source(tovalin_document* object, int* source);
/* The language of the parser's texts in load problems: TOVALIN_MESSAGES_PARSER or
 * TOVALIN_MESSAGES_JAPANESE. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_set_message_language(tovalin_document* object, int language);
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_get_message_language(tovalin_document* object, int* language);
/* The encoding the loaded file was read in ("Shift_JIS", "UTF-8", "UTF-16", ...); empty
 * before a load. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_get_file_encoding(tovalin_document* object, char** encoding);
/* Spaces per level for element-only content in saves; TOVALIN_E_FAILED above 16. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_set_indent(tovalin_document* object,
                                                                      unsigned int spaces);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_get_indent(tovalin_document* object,
                                                                      unsigned int* spaces);
/* Why this object's last failed operation failed; empty after a success. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_get_last_error(tovalin_document* object,
                                                                          char** message);

/* ---- Nodes ---- */

/* The node types: the DOM's codes, and 13 for the XML declaration. */
enum {
    TOVALIN_ELEMENT_NODE = 1,
    TOVALIN_ATTRIBUTE_NODE = 2,
    TOVALIN_TEXT_NODE = 3,
    TOVALIN_CDATA_SECTION_NODE = 4,
    TOVALIN_ENTITY_REFERENCE_NODE = 5,
    TOVALIN_ENTITY_NODE = 6,
    TOVALIN_PROCESSING_INSTRUCTION_NODE = 7,
    TOVALIN_COMMENT_NODE = 8,
    TOVALIN_DOCUMENT_NODE = 9,
    TOVALIN_DOCUMENT_TYPE_NODE = 10,
    TOVALIN_DOCUMENT_FRAGMENT_NODE = 11,
    TOVALIN_NOTATION_NODE = 12,
    TOVALIN_XML_DECLARATION_NODE = 13
};

/* Another handle of the same node (null for the null node). */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_copy(tovalin_node* node,
                                                            tovalin_node** copy);
/* Identity: *same is 1 when both are the same node, or both the null node. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_is_same(tovalin_node* node,
                                                               tovalin_node* other, int* same);
/* Navigation gives the null node where there is none. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_parent(tovalin_node* node,
                                                                  tovalin_node** parent);
/* The document node of the node's document; the null node for a document node. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_owner(tovalin_node* node,
                                                                 tovalin_node** document_node);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_next_sibling(tovalin_node* node,
                                                                        tovalin_node** sibling);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_previous_sibling(tovalin_node* node,
                                                                            tovalin_node** sibling);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_first_child(tovalin_node* node,
                                                                       tovalin_node** child);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_last_child(tovalin_node* node,
                                                                      tovalin_node** child);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_child_nodes(tovalin_node* node,
                                                                       tovalin_node_list** list);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_type(tovalin_node* node, int* type);
/* Where an element read from a file stood (after the '>' of its start tag); 0 for any other
 * node. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_position(tovalin_node* node,
                                                                    unsigned int* line,
                                                                    unsigned int* column);
/* ref_child null appends. The inserted, appended or removed node is given where the last
 * parameter is not null. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_insert_before(tovalin_node* node,
                                                                     tovalin_node* new_child,
                                                                     tovalin_node* ref_child,
                                                                     tovalin_node** inserted);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_append_child(tovalin_node* node,
                                                                    tovalin_node* new_child,
                                                                    tovalin_node** appended);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_remove_child(tovalin_node* node,
                                                                    tovalin_node* old_child,
                                                                    tovalin_node** removed);
/* Attributes of elements; on other nodes reads give nothing and writes do nothing. *has is 1
 * for an attribute with a non-empty value. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_has_attribute(tovalin_node* node,
                                                                     const char* name, int* has);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_attribute(tovalin_node* node,
                                                                     const char* name,
                                                                     char** value);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_set_attribute(tovalin_node* node,
                                                                     const char* name,
                                                                     const char* value);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_remove_attribute(tovalin_node* node,
                                                                        const char* name);
/* A text node's content, any other node's name. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_value(tovalin_node* node, char** value);
/* Changes a text node's content; does nothing for other nodes. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_set_value(tovalin_node* node,
                                                                 const char* value);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_clone(tovalin_node* node, int deep,
                                                             tovalin_node** copy);
/* Descendant elements of an element by tag name ("*" for all), a live list;
 * TOVALIN_E_NOT_APPLICABLE on any other node, the document node included. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_elements_by_tag_name(
    tovalin_node* node, const char* name, tovalin_node_list** list);

/* The document node's own operations. They take a handle of the document node as the document
 * object, tovalin_node_get_owner, tovalin_node_get_parent or an iterator give it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_node_create_element(
    tovalin_node* document_node, const char* tag_name, tovalin_node** element);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_node_create_text_node(
    tovalin_node* document_node, const char* text, tovalin_node** text_node);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_node_import_node(
    tovalin_node* document_node, tovalin_node* source, int deep, tovalin_node** copy);
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_node_get_document_element(tovalin_node* document_node, tovalin_node** element);
/* Every element of the document with the tag name, in document order. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_node_get_elements_by_tag_name(
    tovalin_node* document_node, const char* name, tovalin_node_list** list);

/* ---- Node lists: live, they follow later changes of the tree ---- */

TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_list_copy(tovalin_node_list* list,
                                                                 tovalin_node_list** copy);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_list_get_length(tovalin_node_list* list,
                                                                       unsigned int* length);
/* The null node at or past the end. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_list_item(tovalin_node_list* list,
                                                                 unsigned int index,
                                                                 tovalin_node** node);

/* ---- Iterators ---- */

enum {
    TOVALIN_FILTER_ACCEPT = 1,
    /* Reject and skip both pass over the node alone, not its descendants. */
    TOVALIN_FILTER_REJECT = 2,
    TOVALIN_FILTER_SKIP = 3,
    /* Stops the walk: the call that asked fails with TOVALIN_E_CALLBACK. */
    TOVALIN_FILTER_STOP = -1
};

/* The mask bit that shows a node type (TOVALIN_SHOW(TOVALIN_ELEMENT_NODE)), and every type. */
#define TOVALIN_SHOW(type) (1UL << ((type)-1))
#define TOVALIN_SHOW_ALL 0xFFFFFFFFUL

/* A caller's filter: a TOVALIN_FILTER_ answer for the node, which is lent for the call only
 * (tovalin_node_copy keeps it). The context is the one given with the filter. */
typedef int(TOVALIN_CALL* tovalin_filter)(tovalin_node* node, void* context);

/* Walks the root (the document node walks the whole document) and its descendants in
 * document order, showing the node types of the mask that the filter, when not null,
 * accepts. The filter and its context must outlive the iterator and its copies. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_iterator_create(tovalin_node* root,
                                                                  tovalin_filter filter,
                                                                  void* context,
                                                                  unsigned long what_to_show,
                                                                  tovalin_iterator** iterator);
/* A copy shares the walk: moving one moves both. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_iterator_copy(tovalin_iterator* iterator,
                                                                tovalin_iterator** copy);
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_iterator_get_what_to_show(tovalin_iterator* iterator, unsigned long* what_to_show);
/* The next (previous) node, or the null node past the last (before the first). */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_iterator_next(tovalin_iterator* iterator,
                                                                tovalin_node** node);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_iterator_previous(tovalin_iterator* iterator,
                                                                    tovalin_node** node);

/* ---- The tokenizer of tab-separated text: bytes, whatever the text encoding ---- */

TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_create(tovalin_tokenizer** tokenizer);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_copy(tovalin_tokenizer* tokenizer,
                                                                 tovalin_tokenizer** copy);
/* TOVALIN_E_FAILED for an empty text and for one that begins with a line feed. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_analysis(tovalin_tokenizer* tokenizer,
                                                                     const char* text);
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_tokenizer_is_analyzed(tovalin_tokenizer* tokenizer, int* analyzed);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_get_rows(tovalin_tokenizer* tokenizer,
                                                                     int* rows);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_get_cols(tovalin_tokenizer* tokenizer,
                                                                     int* cols);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_get_row(tovalin_tokenizer* tokenizer,
                                                                    int row,
                                                                    unsigned int* position);
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_get_next(tovalin_tokenizer* tokenizer,
                                                                     unsigned int position,
                                                                     unsigned int* next);
/* TOVALIN_E_OUT_OF_RANGE for a position past the end of the text. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_tokenizer_get_value_at(tovalin_tokenizer* tokenizer, int position, char** value);
/* TOVALIN_E_NOT_APPLICABLE before a successful analysis. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_get_value(tovalin_tokenizer* tokenizer,
                                                                      int row, int column,
                                                                      char** value);

#ifdef __cplusplus
}
#endif

#endif
