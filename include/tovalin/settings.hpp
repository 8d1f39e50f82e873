/// \file
/// The kinds and values a document object is configured with: the encoding and layout of
/// its saves, the bounds of its loads, where they read entities from, what they do with a
/// DTD they cannot read, and the language of their problem texts. document.hpp includes it.
/// With TOVALIN_OVER_C defined, the classes compiled over the C interface stand in.
#ifdef TOVALIN_OVER_C
#include "tovalin/over_c/tovalin.hpp"
#endif
#ifndef TOVALIN_SETTINGS_HPP
#define TOVALIN_SETTINGS_HPP

#include <cstddef>

/// The encoding of a saved file.
enum TL_ENCODE_TYPE : int { TL_ENCODE_UTF16 = 0, TL_ENCODE_SHIFT_JIS = 1, TL_ENCODE_UTF8 = 2 };
/// \var TL_ENCODE_UTF16
/// UTF-16, little-endian with a byte-order mark; line ends are line feeds.

/// \var TL_ENCODE_SHIFT_JIS
/// Shift_JIS as code page 932 has it, with an XML declaration; line ends are CR LF.

/// \var TL_ENCODE_UTF8
/// UTF-8 without a byte-order mark, with an XML declaration; line ends are line feeds.

/// How a save lays the document out in its file.
enum TL_LAYOUT_TYPE : int {
    /// The library's own layout, whatever the file had: each node of element-only content
    /// on a line of its own (indented as XcsXmlDOMDocument::setIndent says), every attribute
    /// written, the DTD's defaults too. Nothing is added inside an element that holds
    /// character data or inside xml:space="preserve".
    TL_LAYOUT_FIXED = 0,
    /// The loaded file as it was, with only the edits changed: every node the save finds
    /// unchanged in the tree is written as the file wrote it, the rest anew without added
    /// layout. A document saved without edits in the encoding it was read in is the file,
    /// byte for byte, but for what the save writes anew: references to entities that hold
    /// markup or stand in other files (as their nodes), XML 1.1 files, and big-endian UTF-16
    /// (saved little-endian).
    TL_LAYOUT_KEEP = 1
};

/// Where a load reads a DTD or an external entity from. Never from the network: a system
/// identifier with any other scheme than `file:` names no file, and the load fails.
enum TL_ENTITY_SOURCE : int {
    /// Any local file the process may read.
    TL_ENTITY_ANY_LOCAL_FILE = 0,
    /// Only files in the document's folder or below it, once every link is resolved.
    TL_ENTITY_DOCUMENT_FOLDER = 1
};

/// The language of the parser's problem texts in a load's records.
enum TL_MESSAGE_LANGUAGE : int {
    /// The parser's own texts, as it words them (English).
    TL_MESSAGES_PARSER = 0,
    /// Japanese for the common problems of well-formedness and validity and the files a
    /// load cannot open, with the same names and values filled in. Any other problem, and
    /// every problem when the process code page cannot hold Japanese, keeps the parser's text.
    TL_MESSAGES_JAPANESE = 1
};

/// What a load that does not validate does when it cannot read the DTD the document names:
/// a missing or unreadable file, a remote location, one outside the folder that
/// TL_ENTITY_DOCUMENT_FOLDER allows. A load that validates always fails then.
enum TL_UNREADABLE_DTD : int {
    /// The load fails, with a record of the DTD it could not read.
    TL_DTD_FAILS_LOAD = 0,
    /// The document is read without the DTD: the load succeeds with one record in the list
    /// that warns of it, where the document type ends. A reference to an entity that only the
    /// DTD could have declared (one the internal subset does not declare) fails the load with
    /// a record naming the entity.
    TL_DTD_WARNS = 1
};

/// What one load may cost. A load that would pass a bound stops and fails with one record
/// saying that the document expands beyond the allowed size. Files known to be large and
/// trusted may raise the bounds, or lift them with unlimited.
struct XcsLoadLimits {
    /// The value of a field that sets no bound.
    static constexpr std::size_t unlimited = static_cast<std::size_t>(-1);

    /// Characters that entity expansion may produce for each byte read from the document and
    /// the files it uses, once expansion has produced expansionFloor characters. Every
    /// expansion counts its replacement text, at every level of nesting and in text,
    /// attribute values and the DTD alike, and at least 64 characters (1,024 for an external
    /// entity); reading a file again counts as expansion too.
    std::size_t expansionPerByte = 100;
    /// Characters that expansion may always produce, whatever was read (2 Mi).
    std::size_t expansionFloor = std::size_t(2) << 20;
    /// Bytes the parser may hold while it parses: memoryFloor and memoryPerByte for each byte
    /// read. The tree it leaves behind is not bounded: editing it may take any memory.
    std::size_t memoryPerByte = 128;
    /// Bytes the parser may always hold, whatever was read (64 MiB).
    std::size_t memoryFloor = std::size_t(64) << 20;

    /// Every bound lifted.
    static XcsLoadLimits lifted() {
        XcsLoadLimits none;
        none.expansionPerByte = unlimited;
        none.memoryPerByte = unlimited;
        return none;
    }
};

#endif
