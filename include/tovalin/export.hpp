/// \file
/// The one export macro of the library.
#ifndef TOVALIN_EXPORT_HPP
#define TOVALIN_EXPORT_HPP

/// \def TOVALIN_API
/// Marks what leaves the shared library. Only the classes, functions and data marked with it
/// are visible outside it; everything else is built with hidden visibility. On Windows it
/// exports while the library itself is built (TOVALIN_BUILDING) and imports otherwise.

#if defined(_WIN32)
#if defined(TOVALIN_BUILDING)
#define TOVALIN_API __declspec(dllexport)
#else
#define TOVALIN_API __declspec(dllimport)
#endif
#else
#define TOVALIN_API __attribute__((visibility("default")))
#endif

#endif
