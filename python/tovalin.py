"""XML documents in Shift_JIS or UTF-16 from Python, through the C interface of Tovalin.

Only the standard library is used (ctypes); there is nothing to build. The library is the file
that the environment variable TOVALIN_LIBRARY names, else the one of this module's series
beside this file (tovalin.dll also in ../bin, as the Windows archive has it), else the one the
system's loader finds by its name: libtovalin.so.0.2 for this version, as the Debian package
libtovalin0.2 or an installed build puts it. Texts are Python strings: they cross as UTF-8,
whatever the system's code page (on Windows the library still reaches texts and files
through the ANSI code page, so a character that code page lacks raises TovalinError there).
Paths may be str, bytes or path objects; a str from the file system that holds bytes that are
no UTF-8 crosses as those bytes.

    document = tovalin.Document("settings.xml")        # LoadError with .problems if it fails
    name = document.get("name")
    document.root.first_child.set_attribute("id", "A-1")
    document.save("settings.xml", tovalin.ENCODE_SHIFT_JIS)
"""

import ctypes
import operator
import os
from collections import namedtuple

__version__ = "0.2.0"

ENCODE_UTF16, ENCODE_SHIFT_JIS, ENCODE_UTF8 = 0, 1, 2
MESSAGES_PARSER, MESSAGES_JAPANESE = 0, 1
LAYOUT_FIXED, LAYOUT_KEEP = 0, 1
ENTITY_ANY_LOCAL_FILE, ENTITY_DOCUMENT_FOLDER = 0, 1
DTD_FAILS_LOAD, DTD_WARNS = 0, 1
ELEMENT_NODE, TEXT_NODE, COMMENT_NODE, DOCUMENT_NODE, XML_DECLARATION_NODE = 1, 3, 8, 9, 13
ACCEPT, REJECT, SKIP = 1, 2, 3
SHOW_ALL = 0xFFFFFFFF

# The statuses of the C interface that callers tell apart.
FAILED, BAD_HANDLE, INVALID_ARGUMENT, NO_DOCUMENT, OUT_OF_RANGE, CONVERSION = 1, 2, 3, 4, 5, 6
NOT_APPLICABLE, NO_MEMORY, CALLBACK, INTERNAL, DOM = 7, 8, 9, 10, 100

_TEXT_UTF8 = 1
_FILTER_STOP = -1

Problem = namedtuple("Problem", "line column message system_id")


class TovalinError(Exception):
    """A call of the library failed; status is its code (DOM + the DOM's code for DOM errors)."""

    def __init__(self, status, message):
        super().__init__(message)
        self.status = status

    @property
    def dom_code(self):
        """The DOM's exception code, or None for a failure of another kind."""
        return self.status - DOM if self.status > DOM else None


class LoadError(TovalinError):
    """A load failed; problems holds its records."""

    def __init__(self, status, message, problems):
        super().__init__(status, message)
        self.problems = problems


# The library's name: each minor version before 1.0 is a series of its own.
_NAME = "tovalin.dll" if os.name == "nt" else "libtovalin.so." + ".".join(__version__.split(".")[:2])


def _library():
    if os.environ.get("TOVALIN_LIBRARY"):
        return ctypes.CDLL(os.environ["TOVALIN_LIBRARY"])
    here = os.path.dirname(os.path.abspath(__file__))
    # Beside this file, or in the Windows archive's bin folder beside its python folder.
    for beside in (os.path.join(here, _NAME), os.path.join(here, "..", "bin", _NAME)):
        if os.path.isfile(beside):
            return ctypes.CDLL(beside)
    try:
        return ctypes.CDLL(_NAME)
    except OSError as missing:
        raise ImportError(f"the Tovalin library {_NAME} was not found: install it, or name its "
                          f"file in TOVALIN_LIBRARY ({missing})") from missing


_lib = _library()
_lib.tovalin_last_error_message.restype = ctypes.c_char_p
if _lib.tovalin_set_text_encoding(_TEXT_UTF8) != 0:
    raise ImportError(_lib.tovalin_last_error_message().decode("utf-8", "replace"))


def _last_message():
    return _lib.tovalin_last_error_message().decode("utf-8", "replace")


def _error(status):
    return TovalinError(status, _last_message())


def _call(function, *arguments):
    status = getattr(_lib, function)(*arguments)
    if status != 0:
        raise _error(status)


def _encoded(text):
    """A Python text as the library takes it; a NUL would cut it short, so it is refused."""
    if "\0" in text:
        raise ValueError("embedded null character")
    return text.encode("utf-8")


def _path(path):
    """A path as the library takes it: a str as UTF-8, with the bytes that the file system gave
    and UTF-8 could not decode (surrogate escapes) as they were; bytes as they are."""
    path = os.fspath(path)
    if isinstance(path, str):
        path = path.encode("utf-8", "surrogateescape")
    if b"\0" in path:
        raise ValueError("embedded null byte")
    return path


def _as_path(data):
    return data.decode("utf-8", "surrogateescape")


def _taken(pointer, decoded=lambda data: data.decode("utf-8")):
    """The library's text as a Python text; the library's memory is freed."""
    try:
        return decoded(ctypes.string_at(pointer))
    finally:
        _lib.tovalin_free(pointer)


def _text_of(function, *arguments, decoded=lambda data: data.decode("utf-8")):
    value = ctypes.c_void_p()
    _call(function, *arguments, ctypes.byref(value))
    return _taken(value, decoded)


def _out(function, *arguments, kind=ctypes.c_int):
    value = kind()
    _call(function, *arguments, ctypes.byref(value))
    return value.value


def _exactly(kind, number):
    """The number as a C number of the kind: TypeError for what is no integer, OverflowError for
    one the kind cannot hold, which is never wrapped."""
    number = operator.index(number)
    bits = ctypes.sizeof(kind) * 8
    signed = kind(-1).value < 0
    low, high = (-(1 << bits - 1), (1 << bits - 1) - 1) if signed else (0, (1 << bits) - 1)
    if not low <= number <= high:
        raise OverflowError(f"{number} does not fit {kind.__name__}")
    return kind(number)


def _setting(name, doc, kind=ctypes.c_int):
    """A number the document keeps, read and written through tovalin_document_get_/set_ name."""
    return property(
        lambda self: _out("tovalin_document_get_" + name, self._handle, kind=kind),
        lambda self, number: _call("tovalin_document_set_" + name, self._handle,
                                   _exactly(kind, number)),
        doc=doc)


class _Handle:
    """One handle of the library, released when the object goes."""

    def __init__(self, handle):
        self._handle = handle

    def __del__(self):
        if getattr(self, "_handle", None) and _lib is not None:
            _lib.tovalin_release(self._handle)


class _Problems(ctypes.Structure):
    _fields_ = [("line", ctypes.c_uint), ("column", ctypes.c_uint),
                ("message", ctypes.c_char_p), ("system_id", ctypes.c_char_p)]


class _ProblemList(ctypes.Structure):
    _fields_ = [("count", ctypes.c_size_t), ("items", ctypes.POINTER(_Problems))]


_Filter = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


def _node(handle):
    return Node(handle) if handle.value else None


class Node(_Handle):
    """A node of a tree: element, text, comment, the document node and the others. Equal
    nodes are the same node of the same tree; a node keeps its tree alive."""

    def _step(self, function):
        found = ctypes.c_void_p()
        _call(function, self._handle, ctypes.byref(found))
        return _node(found)

    def __eq__(self, other):
        return isinstance(other, Node) and bool(
            _out("tovalin_node_is_same", self._handle, other._handle))

    __hash__ = None

    @property
    def type(self):
        return _out("tovalin_node_get_type", self._handle)

    @property
    def value(self):
        """A text node's content; any other node's name ("#cdata-section", "#comment", ...)."""
        return _text_of("tovalin_node_get_value", self._handle)

    @value.setter
    def value(self, text):
        _call("tovalin_node_set_value", self._handle, _encoded(text))

    @property
    def data(self):
        """The character data: the content of a text node, CDATA section or comment, an
        instruction's data; an element's text and CDATA sections together."""
        return _text_of("tovalin_node_get_data", self._handle)

    @data.setter
    def data(self, text):
        """Replaces the data of a text node, CDATA section, comment or instruction; any other
        node raises TovalinError NOT_APPLICABLE."""
        _call("tovalin_node_set_data", self._handle, _encoded(text))

    parent = property(lambda self: self._step("tovalin_node_get_parent"))
    owner = property(lambda self: self._step("tovalin_node_get_owner"))
    first_child = property(lambda self: self._step("tovalin_node_get_first_child"))
    last_child = property(lambda self: self._step("tovalin_node_get_last_child"))
    next_sibling = property(lambda self: self._step("tovalin_node_get_next_sibling"))
    previous_sibling = property(lambda self: self._step("tovalin_node_get_previous_sibling"))
    document_element = property(
        lambda self: self._step("tovalin_document_node_get_document_element"))

    @property
    def children(self):
        child, found = self.first_child, []
        while child is not None:
            found.append(child)
            child = child.next_sibling
        return found

    @property
    def position(self):
        """(line, column) just after the start tag of an element read from a file; (0, 0) for
        any other node."""
        line, column = ctypes.c_uint(), ctypes.c_uint()
        _call("tovalin_node_get_position", self._handle, ctypes.byref(line), ctypes.byref(column))
        return line.value, column.value

    source_file = property(
        lambda self: _text_of("tovalin_node_get_source_file", self._handle),
        doc="The file that position counts in: the path the document was loaded by, or that of "
            "the external entity that held the element; empty for any other node.")

    def attribute(self, name):
        return _text_of("tovalin_node_get_attribute", self._handle, _encoded(name))

    def has_attribute(self, name):
        return bool(_out("tovalin_node_has_attribute", self._handle, _encoded(name)))

    def set_attribute(self, name, value):
        _call("tovalin_node_set_attribute", self._handle, _encoded(name), _encoded(value))

    def remove_attribute(self, name):
        _call("tovalin_node_remove_attribute", self._handle, _encoded(name))

    def _edited(self, function, *arguments):
        done = ctypes.c_void_p()
        _call(function, self._handle, *arguments, ctypes.byref(done))
        return _node(done)

    def append(self, child):
        return self._edited("tovalin_node_append_child", child._handle)

    def insert_before(self, child, reference=None):
        return self._edited("tovalin_node_insert_before", child._handle,
                            reference._handle if reference is not None else None)

    def remove(self, child):
        return self._edited("tovalin_node_remove_child", child._handle)

    def clone(self, deep=True):
        return self._edited("tovalin_node_clone", 1 if deep else 0)

    def elements(self, tag):
        """The elements of the tag name ("*" for all) below this element, or in the whole
        document from the document node."""
        return list(self._each_element(tag))

    def _each_element(self, tag):
        function = ("tovalin_document_node_get_elements_by_tag_name"
                    if self.type == DOCUMENT_NODE else "tovalin_node_get_elements_by_tag_name")
        found = ctypes.c_void_p()
        _call(function, self._handle, _encoded(tag), ctypes.byref(found))
        elements = _Handle(found)
        for index in range(_out("tovalin_node_list_get_length", found, kind=ctypes.c_uint)):
            item = ctypes.c_void_p()
            _call("tovalin_node_list_item", elements._handle, ctypes.c_uint(index),
                  ctypes.byref(item))
            yield _node(item)

    # The document node's factory.
    def create_element(self, tag):
        return self._edited("tovalin_document_node_create_element", _encoded(tag))

    def create_text(self, text):
        return self._edited("tovalin_document_node_create_text_node", _encoded(text))

    def import_node(self, node, deep=True):
        return self._edited("tovalin_document_node_import_node", node._handle, 1 if deep else 0)

    def walk(self, what_to_show=SHOW_ALL, accept=None):
        """Yields this node and its descendants in document order, of the node types of the mask
        (bit n-1 for type n) that accept(node), when given, answers ACCEPT for; REJECT and SKIP
        pass over the node alone. An exception of accept leaves the walk, and so does an answer
        that is no number (TypeError), too large a one (OverflowError) or any other number
        (TovalinError CALLBACK)."""
        raised = []

        def answer(lent, _context):
            try:
                copy = ctypes.c_void_p()
                _call("tovalin_node_copy", ctypes.c_void_p(lent), ctypes.byref(copy))
                return _exactly(ctypes.c_int, accept(Node(copy))).value
            except BaseException as error:  # noqa: B036 - carried to the caller below
                raised.append(error)
                return _FILTER_STOP

        callback = _Filter(answer) if accept is not None else None
        iterator = ctypes.c_void_p()
        _call("tovalin_iterator_create", self._handle, callback, None,
              _exactly(ctypes.c_ulong, what_to_show), ctypes.byref(iterator))
        walking = _Handle(iterator)
        while True:
            found = ctypes.c_void_p()
            status = _lib.tovalin_iterator_next(walking._handle, ctypes.byref(found))
            if raised:
                raise raised.pop()
            if status != 0:
                raise _error(status)
            if not found.value:
                return
            yield Node(found)


class Document(_Handle):
    """A document object: one XML document in memory, loaded, created or bound, and saved."""

    def __init__(self, path=None, validate=False):
        handle = ctypes.c_void_p()
        _call("tovalin_document_create", ctypes.byref(handle))
        super().__init__(handle)
        self.layout = LAYOUT_KEEP
        if path is not None:
            self.load(path, validate)

    def load(self, path, validate=False):
        """Loads the file, validating against its DTD when asked; LoadError if it fails.

        Returns the problems of a load that succeeded: none, or the warning of a DTD that
        could not be read and was left out (see unreadable_dtd)."""
        given = ctypes.POINTER(_ProblemList)()
        status = _lib.tovalin_document_load(self._handle, _path(path), 1 if validate else 0,
                                            ctypes.byref(given))
        try:
            found = given.contents if given else _ProblemList()
            problems = [Problem(p.line, p.column, p.message.decode("utf-8", "replace"),
                                _as_path(p.system_id)) for p in found.items[:found.count]]
        finally:
            _lib.tovalin_free(given)
        if status == FAILED:
            raise LoadError(status, _last_message(), problems)
        if status != 0:
            raise _error(status)
        return problems

    def save(self, path, encoding=ENCODE_SHIFT_JIS):
        """Saves in the encoding; TovalinError FAILED, saying why, if the file was left as it
        was."""
        _call("tovalin_document_save", self._handle, _path(path),
              _exactly(ctypes.c_int, encoding))

    def _document_node(self, function, *arguments):
        node = ctypes.c_void_p()
        _call(function, self._handle, *arguments, ctypes.byref(node))
        return _node(node)

    def create(self, root_name):
        """Replaces the document by one holding only the root element; gives the document node."""
        return self._document_node("tovalin_document_create_document", _encoded(root_name))

    def bind(self, document_node):
        """Replaces the document by a copy of the other document's root element."""
        return self._document_node("tovalin_document_bind", document_node._handle)

    document = property(lambda self: self._document_node("tovalin_document_get_document"))
    root = property(lambda self: self.document.document_element)
    path = property(lambda self: _text_of("tovalin_document_get_path", self._handle,
                                          decoded=_as_path))

    def _elements(self, tag):
        """The elements of the tag name ("*" for all) in document order; none while the object
        holds no document."""
        found = ctypes.c_void_p()
        status = _lib.tovalin_document_get_document(self._handle, ctypes.byref(found))
        if status == NO_DOCUMENT:
            return iter(())
        if status != 0:
            raise _error(status)
        return Node(found)._each_element(tag)

    def get(self, tag):
        """The text of the first element of the tag name, its text and CDATA sections together;
        "" when there is none."""
        first = next(self._elements(tag), None)
        return first.data if first is not None else ""

    def get_all(self, tag):
        """The text of every element of the tag name, as get gives it, in document order."""
        return [element.data for element in self._elements(tag)]

    def set(self, tag, value, overwrite=True):
        """Writes into the first element of the name, or adds one after the last."""
        _call("tovalin_document_set_xml_data", self._handle, _encoded(tag), _encoded(value),
              1 if overwrite else 0)

    def set_all(self, tag, values):
        """Replaces every element of the name by one element per value."""
        texts = (ctypes.c_char_p * len(values))(*[_encoded(value) for value in values])
        _call("tovalin_document_set_xml_data_list", self._handle, _encoded(tag), texts,
              ctypes.c_size_t(len(values)))

    def set_declaration(self, encoding=ENCODE_SHIFT_JIS):
        _call("tovalin_document_set_xml_decl", self._handle, _exactly(ctypes.c_int, encoding))

    def set_stylesheet(self, href):
        _call("tovalin_document_set_xsl", self._handle, _encoded(href))

    def set_dtd(self, dtd_path):
        _call("tovalin_document_set_schema", self._handle, _encoded(dtd_path), 0)

    def remove_white_space(self):
        _call("tovalin_document_remove_white_space", self._handle)

    entity_source = _setting(
        "entity_source", "ENTITY_ANY_LOCAL_FILE or ENTITY_DOCUMENT_FOLDER: where loads may read "
        "entities and the document type from.")
    message_language = _setting(
        "message_language",
        "MESSAGES_PARSER or MESSAGES_JAPANESE: the language of the parser's load problems.")
    unreadable_dtd = _setting(
        "unreadable_dtd",
        "DTD_FAILS_LOAD or DTD_WARNS: whether a load without validation fails on a DTD it "
        "cannot read, or reads the document without it with one problem that warns of it.")
    layout = _setting(
        "layout", "LAYOUT_KEEP (the default here) or LAYOUT_FIXED: whether saves write what a load "
        "read and the save finds unchanged as the file had it, or lay the whole document out anew. "
        "Set it before the load.")
    indent = _setting("indent", "Spaces per level for element-only content in saves (0 to 16).",
                      ctypes.c_uint)

    file_encoding = property(
        lambda self: _text_of("tovalin_document_get_file_encoding", self._handle),
        doc="The encoding the loaded file was read in; empty for a document not loaded.")
    last_error = property(
        lambda self: _text_of("tovalin_document_get_last_error", self._handle),
        doc="Why the last failed load, save, bind, prolog edit or value write failed.")


class Tokenizer(_Handle):
    """Tab-separated text: rows end with a line feed, values are separated by tabs. Positions
    count the bytes of the text in UTF-8."""

    def __init__(self, text=None):
        handle = ctypes.c_void_p()
        _call("tovalin_tokenizer_create", ctypes.byref(handle))
        super().__init__(handle)
        if text is not None:
            self.analyse(text)

    def analyse(self, text):
        _call("tovalin_tokenizer_analysis", self._handle, _encoded(text))

    rows = property(lambda self: _out("tovalin_tokenizer_get_rows", self._handle))
    cols = property(lambda self: _out("tovalin_tokenizer_get_cols", self._handle))

    def value(self, row, column):
        """The value by row and column, from 1."""
        return _text_of("tovalin_tokenizer_get_value", self._handle, _exactly(ctypes.c_int, row),
                        _exactly(ctypes.c_int, column))

    def value_at(self, position):
        return _text_of("tovalin_tokenizer_get_value_at", self._handle,
                        _exactly(ctypes.c_int, position))

    def row(self, row):
        return _out("tovalin_tokenizer_get_row", self._handle, _exactly(ctypes.c_int, row),
                    kind=ctypes.c_uint)

    def next(self, position):
        return _out("tovalin_tokenizer_get_next", self._handle, _exactly(ctypes.c_uint, position),
                    kind=ctypes.c_uint)
