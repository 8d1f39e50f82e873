/// \file
/// The whole interface of the library.
#ifndef TOVALIN_TOVALIN_HPP
#define TOVALIN_TOVALIN_HPP

#include "tovalin/document.hpp"
#include "tovalin/error_reporter.hpp"
#include "tovalin/node.hpp"
#include "tovalin/string_tokenizer.hpp"

#endif
