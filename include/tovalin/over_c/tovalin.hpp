// The C++ interface compiled into the calling program, over the C interface (tovalin.h): the
// same classes and members, so that a program written for the library's C++ interface builds
// unchanged with any compiler and links only the C functions. A program chooses it by
// defining TOVALIN_OVER_C before it includes any of the library's headers (or on the compiler's
// command line); then "tovalin/tovalin.hpp", "tovalin/document.hpp", "tovalin/node.hpp" and
// "tovalin/string_tokenizer.hpp" all give these classes. They stand in the inline namespace
// tovalin_over_c, so a program that declares one of them itself must do so there.
//
// Left out, since they take or give the parser's own types: the constructors from and the
// conversions to the parser's nodes and lists (getTarget, operator DOMNode*), setParserCondition,
// saveDOMTree, XcsErrorReporter; with them the document object's other protected members and
// XmlFunction::checkPath. Node types are the DOM's codes, named TOVALIN_ELEMENT_NODE and so on
// in tovalin.h.
//
// The library's exceptions come back as the same standard exceptions ("no document" as
// std::runtime_error, std::invalid_argument, std::out_of_range, std::bad_alloc), and as
// tovalin::DomError (with the DOM's code) for DOMException, tovalin::ConversionError for the
// parser's TranscodingException and std::logic_error for the bare std::exception. An
// exception thrown by a filter leaves the iterator call that asked it.
#ifndef TOVALIN_OVER_C_TOVALIN_HPP
#define TOVALIN_OVER_C_TOVALIN_HPP

#include "tovalin/over_c/document.hpp"
#include "tovalin/over_c/node.hpp"
#include "tovalin/over_c/string_tokenizer.hpp"

// The library's own headers find their guards taken and stand aside.
#define TOVALIN_TOVALIN_HPP
#define TOVALIN_DOCUMENT_HPP
#define TOVALIN_SETTINGS_HPP
#define TOVALIN_NODE_HPP
#define TOVALIN_STRING_TOKENIZER_HPP

#endif
