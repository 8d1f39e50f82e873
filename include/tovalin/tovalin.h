/** \file
 * The C interface of the library, for programs built by any compiler and for other languages
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
 *   tovalin_last_error_message. Only tovalin_last_error_message, tovalin_get_text_encoding
 *   and tovalin_free, which cannot fail, return something else.
 * - Besides the failures a function names, any function may fail with TOVALIN_E_BAD_HANDLE,
 *   TOVALIN_E_INVALID_ARGUMENT (a null text or result pointer, the null node),
 *   TOVALIN_E_CONVERSION (a text in or out), TOVALIN_E_NO_MEMORY and TOVALIN_E_INTERNAL.
 * - Handles are opaque values, not addresses. Each one the library gives is released by
 *   tovalin_release and by nothing else; a node, list or iterator handle keeps its tree alive
 *   until then. A value names one handle for the life of the process and is never given
 *   again (where pointers have 32 bits, only after 2^31 more handles have been made), so a
 *   handle that is null where one is needed, already released, of another kind or made up
 *   fails with TOVALIN_E_BAD_HANDLE and touches nothing, whatever handles live now. The null
 *   node is the null pointer: navigation gives it where there is no node, and a node that an
 *   operation needs fails with TOVALIN_E_INVALID_ARGUMENT.
 * - A document object, its copies and the handles into its tree are used by one thread at a
 *   time; separate objects on separate threads need nothing more.
 * - Texts and lists the library gives are freed by tovalin_free and by nothing else. Out
 *   parameters are set to null (or zero) first, and hold something only on TOVALIN_OK, or
 *   where a function says so.
 * - Texts are NUL-terminated. They are in the process code page, as in the C++ interface (on
 *   Windows the ANSI code page, on POSIX the code set of LC_CTYPE at the time of the call,
 *   UTF-8 in the C locale), unless the program chooses UTF-8 for all its texts with
 *   tovalin_set_text_encoding. Every text is given in the encoding in force when it is
 *   read, texts the library kept from earlier calls included. Path texts name files as the
 *   C++ interface names them.
 * - On Windows every function uses the __cdecl convention (TOVALIN_CALL) and is exported under
 *   its own undecorated name, listed in tovalin.def; tovalin.lib is the import library for
 *   Microsoft's linker, tovalin.dll.a the one for mingw-w64.
 */
#ifndef TOVALIN_TOVALIN_H
#define TOVALIN_TOVALIN_H

#include <stddef.h>

/** \def TOVALIN_CALL
 * The calling convention of every function and of tovalin_filter: __cdecl on Windows, the
 * compiler's default elsewhere. */
/** \def TOVALIN_C_API
 * Marks the library's functions: imported from the DLL on Windows (exported while the library
 * itself is built, with TOVALIN_BUILDING), of default visibility with GCC and Clang. */
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

/** What a function gives: TOVALIN_OK, or one of the TOVALIN_E_ codes. */
typedef int tovalin_status;

/** The status codes. */
enum {
    /** Success. */
    TOVALIN_OK = 0,
    /** The operation did not succeed, and said so without an exception: where the C++
     * interface gives false (a load that failed, a save that wrote nothing, a value with no
     * element to go to, a name of `"*"` for a single element, a text the tokenizer refuses). */
    TOVALIN_E_FAILED = 1,
    /** A handle that is null, already released, of another kind, or no handle at all. */
    TOVALIN_E_BAD_HANDLE = 2,
    /** A null pointer where something is needed, the null node where a node is needed, a
     * node that is no document node where one is needed, a document without a root element to
     * bind, an unknown text encoding. */
    TOVALIN_E_INVALID_ARGUMENT = 3,
    /** The document object holds no document. */
    TOVALIN_E_NO_DOCUMENT = 4,
    /** A tokenizer position past the end of its text. */
    TOVALIN_E_OUT_OF_RANGE = 5,
    /** Bytes that are no text in the text encoding, or a character it cannot hold so that it
     * reads back as itself. */
    TOVALIN_E_CONVERSION = 6,
    /** The operation does not apply: an element search from a node that is no element, a
     * tokenizer read before a successful analysis. */
    TOVALIN_E_NOT_APPLICABLE = 7,
    /** Memory ran out. */
    TOVALIN_E_NO_MEMORY = 8,
    /** A caller's filter stopped the walk (TOVALIN_FILTER_STOP) or gave no answer. */
    TOVALIN_E_CALLBACK = 9,
    /** Any other failure inside the library. */
    TOVALIN_E_INTERNAL = 10,
    /** The DOM refused an operation: TOVALIN_E_DOM plus the DOM's exception code, such as
     * TOVALIN_E_DOM_INVALID_CHARACTER for a name the parser refuses. The codes below carry
     * the names of the DOM's codes. */
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

/** The message of the calling thread's last failure, in the text encoding in force now; empty
 * when there was none. A success leaves it as it was. For an operation of a document object
 * that fails with TOVALIN_E_FAILED it is the object's reason, as tovalin_document_get_last_error
 * gives it. Valid until the thread's next failure or a switch of the text encoding. Never
 * null, never to be freed. */
TOVALIN_C_API const char* TOVALIN_CALL tovalin_last_error_message(void);

/* ---- Texts, memory and handles ---- */

/** The text encodings of tovalin_set_text_encoding: the process code page, or UTF-8. */
enum { TOVALIN_TEXT_CODE_PAGE = 0, TOVALIN_TEXT_UTF8 = 1 };

/** Chooses the encoding of every text of the program that crosses this interface, for all
 * threads, from the next call on: TOVALIN_TEXT_CODE_PAGE (the default) or TOVALIN_TEXT_UTF8.
 * UTF-8 holds every character on POSIX. On Windows the library still reaches texts and files
 * through the ANSI code page, so a UTF-8 text with a character that code page lacks fails
 * with TOVALIN_E_CONVERSION there, unless the process runs with the UTF-8 code page. The
 * tokenizer works on bytes and takes no part in this. The C++ interface is not affected.
 * TOVALIN_E_INVALID_ARGUMENT for any other value; TOVALIN_E_FAILED, changing nothing, where
 * the system offers no UTF-8 locale (C.UTF-8, C.utf8 or en_US.UTF-8 on POSIX). */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_set_text_encoding(int encoding);
/** The text encoding chosen: TOVALIN_TEXT_CODE_PAGE or TOVALIN_TEXT_UTF8. */
TOVALIN_C_API int TOVALIN_CALL tovalin_get_text_encoding(void);

/** Frees a text or a list the library gave, a list with its texts; null does nothing. */
TOVALIN_C_API void TOVALIN_CALL tovalin_free(void* memory);

/** Releases a handle of any kind; null does nothing. TOVALIN_E_BAD_HANDLE for a value that is
 * no live handle. The last holder of a tree frees it. A handle in use by the call that runs a
 * filter lives on until that call ends, but is refused from the release on. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_release(void* handle);

/** A document object: holds one document, loads and saves it, reads and writes values by tag
 * name. */
typedef struct tovalin_document tovalin_document;
/** A node of a tree; the null pointer is the null node. Several handles may refer to one node
 * (tovalin_node_is_same tells). A handle of the document node, as tovalin_document_get_document,
 * tovalin_node_get_owner, tovalin_node_get_parent or an iterator give it, also takes the
 * tovalin_document_node_ functions, which refuse any other node with
 * TOVALIN_E_INVALID_ARGUMENT. */
typedef struct tovalin_node tovalin_node;
/** A live list of nodes: it follows later changes of the tree. */
typedef struct tovalin_node_list tovalin_node_list;
/** A walk over a node and its descendants in document order. */
typedef struct tovalin_iterator tovalin_iterator;
/** A reader of tab-separated text, as StringTokenizer: rows end with a line feed, values are
 * separated by tabs. Its texts are bytes, passed unconverted whatever the text encoding. */
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

/** The encodings of a saved file, as TL_ENCODE_TYPE: UTF-16 (little-endian with a byte-order
 * mark), Shift_JIS (code page 932, CR LF line ends) and UTF-8 (without a byte-order mark). */
enum { TOVALIN_ENCODE_UTF16 = 0, TOVALIN_ENCODE_SHIFT_JIS = 1, TOVALIN_ENCODE_UTF8 = 2 };
/** The kind of grammar tovalin_document_set_schema names: a DTD file. */
enum { TOVALIN_SCHEMA_DTD = 0 };
/** Where a load reads DTDs and external entities from, as TL_ENTITY_SOURCE: any local file
 * the process may read (the default), or only files in the document's folder or below it.
 * Never from the network. */
enum { TOVALIN_ENTITY_ANY_LOCAL_FILE = 0, TOVALIN_ENTITY_DOCUMENT_FOLDER = 1 };
/** The language of the parser's texts in load problems, as TL_MESSAGE_LANGUAGE: the parser's
 * own English (the default), or Japanese for the common problems. */
enum { TOVALIN_MESSAGES_PARSER = 0, TOVALIN_MESSAGES_JAPANESE = 1 };
/** What a load without validation does with a DTD it cannot read, as TL_UNREADABLE_DTD: fail
 * (the default), or read the document without it, with one problem that warns of it. */
enum { TOVALIN_DTD_FAILS_LOAD = 0, TOVALIN_DTD_WARNS = 1 };
/** How saves lay a document out, as TL_LAYOUT_TYPE: the fixed layout (the default), or the
 * keep layout, which writes each node a load read and the save finds unchanged as the file
 * had it. */
enum { TOVALIN_LAYOUT_FIXED = 0, TOVALIN_LAYOUT_KEEP = 1 };

/** The bounds of a load, as XcsLoadLimits. TOVALIN_UNLIMITED in expansion_per_byte and
 * memory_per_byte lifts both bounds. */
typedef struct tovalin_load_limits {
    size_t expansion_per_byte; /**< Expanded characters allowed per byte of the file. */
    size_t expansion_floor;    /**< Expanded characters allowed whatever the file's size. */
    size_t memory_per_byte;    /**< Bytes of memory allowed per byte of the file. */
    size_t memory_floor;       /**< Bytes of memory allowed whatever the file's size. */
} tovalin_load_limits;

/** The value of a tovalin_load_limits field that sets no bound. */
#define TOVALIN_UNLIMITED ((size_t)-1)

/** A new, empty document object in `*object`; release it with tovalin_release.
 * TOVALIN_E_FAILED when the library could not start its parser or had no memory for it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_create(tovalin_document** object);
/** A new document object in `*copy` that shares the source's tree and copies its path and
 * settings; release it with tovalin_release. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_copy(tovalin_document* source,
                                                                tovalin_document** copy);
/** Loads the file, validating against its DTD when validate is not 0. The library opens the
 * file, its DTD and entities itself and writes nothing; a pipe, a device or a folder fails at
 * once with a problem naming it. TOVALIN_E_FAILED when it was not loaded; the object keeps the
 * document it held. With problems not null, `*problems` gets the problems of this load on
 * TOVALIN_OK (none, or the warning of a DTD read past, see
 * tovalin_document_set_unreadable_dtd) and on TOVALIN_E_FAILED; free it with tovalin_free. On
 * failure the last error message is the first problem's. With problems null, the
 * first problem is written to standard output, as the C++ interface does. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_load(tovalin_document* object,
                                                                const char* path, int validate,
                                                                tovalin_problem_list** problems);
/** Saves in a TOVALIN_ENCODE_ encoding, as XcsXmlDOMDocument::save does: the new content is
 * written beside the file and takes its place in one step, so the name holds the whole old or
 * the whole new content at every instant; the file keeps its owner, permissions and attributes;
 * the file's ".BAK" names the old content while the save runs; saves of one file take turns. A
 * file with more than one hard link, or one that cannot be replaced as it is, is written in
 * place behind a copy in the ".BAK". TOVALIN_E_FAILED when the file was left as it was: no
 * document, an unknown encoding, a file that cannot be written or that another save held for
 * 20 seconds, no root element, a character the encoding lacks; the thread's last error message
 * and tovalin_document_get_last_error say which. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_save(tovalin_document* object,
                                                                const char* path, int encoding);
/** Replaces the document by a copy of the given document node's root element; the other may
 * be this object's own. With document_node not null, the new document node is given there; release
 * it. TOVALIN_E_INVALID_ARGUMENT, keeping the document, for a node that is no document node
 * and a document without a root element. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_bind(tovalin_document* object,
                                                                tovalin_node* other,
                                                                tovalin_node** document_node);
/** Puts a new XML declaration first, replacing one that stands there. The TOVALIN_ENCODE_
 * encoding it names is a placeholder: a save names its own. TOVALIN_E_FAILED when the document
 * has no node at all; TOVALIN_E_NO_DOCUMENT when the object holds none. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_set_xml_decl(tovalin_document* object,
                                                                        int encoding);
/** Adds a stylesheet instruction `type="text/xsl" href="..."` before the root element, with
 * the address as given (not escaped). TOVALIN_E_FAILED, changing nothing, for what no
 * stylesheet instruction could carry ("?>", both quotation marks); TOVALIN_E_NO_DOCUMENT
 * when the object holds no document. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_set_xsl(tovalin_document* object,
                                                                   const char* href);
/** Replaces the document type by one that names the DTD file at dtd_path, written with the
 * root element's name; schema_type is TOVALIN_SCHEMA_DTD. TOVALIN_E_FAILED, changing
 * nothing, for what no document type could carry (an empty path, both quotation marks);
 * TOVALIN_E_NO_DOCUMENT when the object holds no document. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_set_schema(tovalin_document* object,
                                                                      const char* dtd_path,
                                                                      int schema_type);
/** The document node held now, in `*document_node`; release it. It stays that document's node
 * after later loads. TOVALIN_E_NO_DOCUMENT when there is none. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_get_document(tovalin_document* object, tovalin_node** document_node);
/** The path of the last successful load as the caller gave it, in `*path` in the text
 * encoding; empty for a created or bound document. Free it with tovalin_free. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_get_path(tovalin_document* object,
                                                                    char** path);
/** Replaces the document by one holding only a root element; document_node may be null, or
 * gets the new document node to release. A name the parser refuses fails with its
 * TOVALIN_E_DOM_ status, and the object then holds no document. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_create_document(
    tovalin_document* object, const char* root_name, tovalin_node** document_node);
/** The value of the first element of the tag name (its first text child) in `*value`,
 * in the text encoding; `"*"` names every element. Empty when there is none, for an empty name, and
 * when the object holds no document. Free it with tovalin_free. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_get_xml_data(tovalin_document* object,
                                                                        const char* tag_name,
                                                                        char** value);
/** The same in `*first`, and in `*values` the value of every element of the name, in document
 * order. Both result pointers are needed; free both with tovalin_free. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_get_xml_data_list(
    tovalin_document* object, const char* tag_name, char** first, tovalin_text_list** values);
/** Writes the value into the first element of the name when overwrite is not 0; otherwise
 * adds an element after the last one (or fills the first, when its first child is an empty
 * text). TOVALIN_E_FAILED, creating nothing, for a name the document does not hold, for `"*"`,
 * and when the object holds no document. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_set_xml_data(tovalin_document* object,
                                                                        const char* tag_name,
                                                                        const char* value,
                                                                        int overwrite);
/** Replaces every element of the name by one per value (values may be null when count is 0).
 * TOVALIN_E_FAILED as tovalin_document_set_xml_data; TOVALIN_E_DOM_HIERARCHY_REQUEST, with
 * the tree unchanged, for more than one value for the root element. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_set_xml_data_list(
    tovalin_document* object, const char* tag_name, const char* const* values, size_t count);
/** Removes the whitespace-only text nodes of the whole document; text inside entity
 * references stays. TOVALIN_E_NO_DOCUMENT when the object holds none. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_remove_white_space(tovalin_document* object);
/** Sets the bounds of this object's loads; copies take them along. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_set_load_limits(tovalin_document* object, const tovalin_load_limits* limits);
/** The bounds of this object's loads; those of XcsLoadLimits until set. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_get_load_limits(tovalin_document* object, tovalin_load_limits* limits);
/** Sets where this object's loads read DTDs and external entities from, a TOVALIN_ENTITY_
 * value; copies take it along. TOVALIN_E_FAILED, changing nothing, for any other value. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_set_entity_source(tovalin_document* object, int source);
/** Where this object's loads read DTDs and external entities from. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_get_entity_source(tovalin_document* object, int* source);
/** The language of the parser's texts in load problems: TOVALIN_MESSAGES_PARSER or
 * TOVALIN_MESSAGES_JAPANESE; copies take it along. TOVALIN_E_FAILED, changing nothing, for
 * any other value. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_set_message_language(tovalin_document* object, int language);
/** The language of the parser's texts in this object's load problems. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_get_message_language(tovalin_document* object, int* language);
/** Sets what this object's loads without validation do with a DTD they cannot read, a
 * TOVALIN_DTD_ value; copies take it along. TOVALIN_E_FAILED, changing nothing, for any other
 * value. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_set_unreadable_dtd(tovalin_document* object, int handling);
/** What this object's loads without validation do with a DTD they cannot read. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_get_unreadable_dtd(tovalin_document* object, int* handling);
/** The encoding the loaded file was read in ("Shift_JIS", "UTF-8", "UTF-16", ...); empty
 * before a load. Free it with tovalin_free. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_get_file_encoding(tovalin_document* object, char** encoding);
/** Spaces per level for element-only content in saves; TOVALIN_E_FAILED above 16. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_set_indent(tovalin_document* object,
                                                                      unsigned int spaces);
/** The spaces per level of this object's saves; 0 until set. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_get_indent(tovalin_document* object,
                                                                      unsigned int* spaces);
/** How this object's saves lay the document out: TOVALIN_LAYOUT_FIXED or TOVALIN_LAYOUT_KEEP,
 * as XcsXmlDOMDocument::setLayout; copies take it along. TOVALIN_E_FAILED, changing nothing,
 * for any other value. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_set_layout(tovalin_document* object,
                                                                      int layout);
/** How this object's saves lay the document out; TOVALIN_LAYOUT_FIXED until set. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_get_layout(tovalin_document* object,
                                                                      int* layout);
/** Why this object's last failed load, save, bind, prolog edit or value write failed, in the
 * text encoding; empty after one of these succeeded. Free it with tovalin_free. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_get_last_error(tovalin_document* object,
                                                                          char** message);

/* ---- Nodes ---- */

/** The node types: the DOM's codes, and 13 for the XML declaration. */
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
    /** The XML declaration, which the DOM holds as a processing instruction. */
    TOVALIN_XML_DECLARATION_NODE = 13
};

/** Another handle of the same node (null for the null node); release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_copy(tovalin_node* node,
                                                            tovalin_node** copy);
/** Identity: `*same` is 1 when both are the same node, or both the null node. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_is_same(tovalin_node* node,
                                                               tovalin_node* other, int* same);
/** The parent, or the null node; release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_parent(tovalin_node* node,
                                                                  tovalin_node** parent);
/** The document node of the node's document; the null node for a document node. Release
 * it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_owner(tovalin_node* node,
                                                                 tovalin_node** document_node);
/** The next sibling, or the null node; release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_next_sibling(tovalin_node* node,
                                                                        tovalin_node** sibling);
/** The previous sibling, or the null node; release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_previous_sibling(tovalin_node* node,
                                                                            tovalin_node** sibling);
/** The first child, or the null node; release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_first_child(tovalin_node* node,
                                                                       tovalin_node** child);
/** The last child, or the null node; release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_last_child(tovalin_node* node,
                                                                      tovalin_node** child);
/** The children, as a live list; release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_child_nodes(tovalin_node* node,
                                                                       tovalin_node_list** list);
/** The node's TOVALIN_..._NODE type. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_type(tovalin_node* node, int* type);
/** Where an element read from a file stood (after the '>' of its start tag), line and column
 * from 1; 0 for any other node, the null node, and elements the program made, copied or
 * bound. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_position(tovalin_node* node,
                                                                    unsigned int* line,
                                                                    unsigned int* column);
/** The file that tovalin_node_get_position counts in: the path the document was loaded by, or
 * for an element from an external entity the path of the entity's file; the empty text where
 * the line is 0. Free it with tovalin_free. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_source_file(tovalin_node* node,
                                                                       char** file);
/** Puts new_child before ref_child, or last when ref_child is null; a node already in the
 * tree moves. With inserted not null, the new child is given there; release it. TOVALIN_E_DOM_
 * codes: HIERARCHY_REQUEST for the node itself, an ancestor or a kind of node not allowed here,
 * WRONG_DOCUMENT for a node of another document (import it first), NOT_FOUND for a ref_child
 * that is no child of the node. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_insert_before(tovalin_node* node,
                                                                     tovalin_node* new_child,
                                                                     tovalin_node* ref_child,
                                                                     tovalin_node** inserted);
/** Puts new_child last, as tovalin_node_insert_before with a null ref_child does. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_append_child(tovalin_node* node,
                                                                    tovalin_node* new_child,
                                                                    tovalin_node** appended);
/** Takes the child out of the node; it stays usable and may be put back. With removed not null,
 * it is given there; release it. TOVALIN_E_DOM_NOT_FOUND for a node that is no child of this one.
 */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_remove_child(tovalin_node* node,
                                                                    tovalin_node* old_child,
                                                                    tovalin_node** removed);
/** `*has` is 1 when the element has the attribute with a non-empty value; 0 for other nodes. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_has_attribute(tovalin_node* node,
                                                                     const char* name, int* has);
/** The element's attribute value, in the text encoding; empty when there is none and for
 * other nodes. Free it with tovalin_free. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_attribute(tovalin_node* node,
                                                                     const char* name,
                                                                     char** value);
/** Adds or changes the element's attribute; does nothing for other nodes. A name the parser
 * refuses fails with TOVALIN_E_DOM_INVALID_CHARACTER. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_set_attribute(tovalin_node* node,
                                                                     const char* name,
                                                                     const char* value);
/** Removes the element's attribute; does nothing for other nodes and a missing attribute. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_remove_attribute(tovalin_node* node,
                                                                        const char* name);
/** A text node's content, any other node's name ("#comment", "#cdata-section", "#document",
 * ...), in the text encoding. Free it with tovalin_free. tovalin_node_get_data gives the content
 * of a CDATA section or a comment. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_value(tovalin_node* node, char** value);
/** Changes a text node's content; does nothing for other nodes. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_set_value(tovalin_node* node,
                                                                 const char* value);
/** The character data, in the text encoding: the content of a text node, a CDATA section or a
 * comment, an instruction's data; for an element its text and CDATA sections together, as a
 * reader sees them (child elements, comments and instructions take no part); empty for any
 * other node. Free it with tovalin_free. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_data(tovalin_node* node, char** data);
/** Replaces the content of a text node, a CDATA section or a comment, or an instruction's data.
 * TOVALIN_E_NOT_APPLICABLE for any other node, the XML declaration included. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_set_data(tovalin_node* node,
                                                                const char* data);
/** A copy of the node without a parent, of its whole subtree when deep is not 0; release it.
 * TOVALIN_E_DOM_NOT_SUPPORTED for a document node. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_clone(tovalin_node* node, int deep,
                                                             tovalin_node** copy);
/** Descendant elements of an element by tag name (`"*"` for all), a live list; release it.
 * TOVALIN_E_NOT_APPLICABLE on any other node, the document node included. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_get_elements_by_tag_name(
    tovalin_node* node, const char* name, tovalin_node_list** list);

/** A new element of the document, without a parent; release it. A name the parser refuses
 * fails with TOVALIN_E_DOM_INVALID_CHARACTER. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_node_create_element(
    tovalin_node* document_node, const char* tag_name, tovalin_node** element);
/** A new text node of the document, without a parent; release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_node_create_text_node(
    tovalin_node* document_node, const char* text, tovalin_node** text_node);
/** A copy of a node of any document that belongs to this one, without a parent, of the
 * whole subtree when deep is not 0; release it. TOVALIN_E_DOM_NOT_SUPPORTED for a document
 * node. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_node_import_node(
    tovalin_node* document_node, tovalin_node* source, int deep, tovalin_node** copy);
/** The root element, or the null node; release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_document_node_get_document_element(tovalin_node* document_node, tovalin_node** element);
/** Every element of the document with the tag name (`"*"` for all), in document order, a live
 * list; release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_document_node_get_elements_by_tag_name(
    tovalin_node* document_node, const char* name, tovalin_node_list** list);

/* ---- Node lists: live, they follow later changes of the tree ---- */

/** Another handle of the same list; release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_list_copy(tovalin_node_list* list,
                                                                 tovalin_node_list** copy);
/** The number of nodes the list holds now. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_list_get_length(tovalin_node_list* list,
                                                                       unsigned int* length);
/** The node at the index, from 0, or the null node at or past the end; release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_node_list_item(tovalin_node_list* list,
                                                                 unsigned int index,
                                                                 tovalin_node** node);

/* ---- Iterators ---- */

/** The answers of a tovalin_filter. */
enum {
    /** The iterator shows the node. */
    TOVALIN_FILTER_ACCEPT = 1,
    /** Reject and skip both pass over the node alone, not its descendants. */
    TOVALIN_FILTER_REJECT = 2,
    /** As TOVALIN_FILTER_REJECT. */
    TOVALIN_FILTER_SKIP = 3,
    /** Stops the walk: the call that asked fails with TOVALIN_E_CALLBACK. */
    TOVALIN_FILTER_STOP = -1
};

/** The mask bit that shows a node type (TOVALIN_SHOW(TOVALIN_ELEMENT_NODE)). */
#define TOVALIN_SHOW(type) (1UL << ((type)-1))
/** The mask that shows every node type. */
#define TOVALIN_SHOW_ALL 0xFFFFFFFFUL

/** A caller's filter: a TOVALIN_FILTER_ answer for the node, which is lent for the call only
 * (tovalin_node_copy keeps it). The context is the one given with the filter. It is asked
 * only about the node types the mask shows. It may call the library, and release any handle,
 * the lent node and the iterator that asks included; the library releases only the lent
 * handle. Any other number than an answer fails the step with TOVALIN_E_CALLBACK. */
typedef int(TOVALIN_CALL* tovalin_filter)(tovalin_node* node, void* context);

/** Walks the root (the document node walks the whole document) and its descendants in
 * document order, showing the node types of the mask that the filter, when not null,
 * accepts. The filter and its context must outlive the iterator and its copies. Release the
 * iterator with tovalin_release. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_iterator_create(tovalin_node* root,
                                                                  tovalin_filter filter,
                                                                  void* context,
                                                                  unsigned long what_to_show,
                                                                  tovalin_iterator** iterator);
/** A copy shares the walk: moving one moves both. Release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_iterator_copy(tovalin_iterator* iterator,
                                                                tovalin_iterator** copy);
/** The mask of node types the walk shows. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_iterator_get_what_to_show(tovalin_iterator* iterator, unsigned long* what_to_show);
/** The next node, or the null node past the last; release it. TOVALIN_E_CALLBACK when the
 * filter stopped the walk or gave no answer, TOVALIN_E_BAD_HANDLE when it released the
 * iterator. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_iterator_next(tovalin_iterator* iterator,
                                                                tovalin_node** node);
/** The previous node, or the null node before the first; release it. Fails as
 * tovalin_iterator_next. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_iterator_previous(tovalin_iterator* iterator,
                                                                    tovalin_node** node);

/* ---- The tokenizer of tab-separated text: bytes, whatever the text encoding ---- */

/** A tokenizer without a text; release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_create(tovalin_tokenizer** tokenizer);
/** A new tokenizer with a copy of the text and its analysis; release it. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_copy(tovalin_tokenizer* tokenizer,
                                                                 tovalin_tokenizer** copy);
/** Keeps the text and counts its rows up to the first empty one. TOVALIN_E_FAILED for an
 * empty text (nothing changes) and for one that begins with a line feed (kept, not
 * analysed). */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_analysis(tovalin_tokenizer* tokenizer,
                                                                     const char* text);
/** `*analyzed` is 1 when the text held has been analysed. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_tokenizer_is_analyzed(tovalin_tokenizer* tokenizer, int* analyzed);
/** The number of rows up to the first empty one; 0 before an analysis. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_get_rows(tovalin_tokenizer* tokenizer,
                                                                     int* rows);
/** The largest number of values in a counted row. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_get_cols(tovalin_tokenizer* tokenizer,
                                                                     int* cols);
/** The position of the first value of the row (from 1); the end of the text for a row past
 * the last line feed. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_get_row(tovalin_tokenizer* tokenizer,
                                                                    int row,
                                                                    unsigned int* position);
/** The position of the value after the one at the position; a line feed separates values as
 * a tab does. The end of the text after the last value. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_get_next(tovalin_tokenizer* tokenizer,
                                                                     unsigned int position,
                                                                     unsigned int* next);
/** The value at the position, without the CR of a CR LF row end; free it with tovalin_free.
 * TOVALIN_E_OUT_OF_RANGE for a negative position or one past the end of the text. */
TOVALIN_C_API tovalin_status TOVALIN_CALL
tovalin_tokenizer_get_value_at(tovalin_tokenizer* tokenizer, int position, char** value);
/** The value by row and column (from 1); a column past the row's last value reads on into
 * the next row. Free it with tovalin_free. TOVALIN_E_NOT_APPLICABLE before a successful
 * analysis. */
TOVALIN_C_API tovalin_status TOVALIN_CALL tovalin_tokenizer_get_value(tovalin_tokenizer* tokenizer,
                                                                      int row, int column,
                                                                      char** value);

#ifdef __cplusplus
}
#endif

#endif
