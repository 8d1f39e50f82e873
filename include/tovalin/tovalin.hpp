/// \file
/// The whole interface of the library.
/// With TOVALIN_OVER_C defined, the classes compiled over the C interface stand in.
#ifdef TOVALIN_OVER_C
#include "tovalin/over_c/tovalin.hpp"
#endif
#ifndef TOVALIN_TOVALIN_HPP
#define TOVALIN_TOVALIN_HPP

#include "tovalin/document.hpp"
#include "tovalin/error_reporter.hpp"
#include "tovalin/node.hpp"
#include "tovalin/string_tokenizer.hpp"

#endif
