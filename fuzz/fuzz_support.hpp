// A scratch folder for one fuzzing process, the writing of inputs into it, and the check
// that what a save wrote loads again.
#ifndef TOVALIN_FUZZ_FUZZ_SUPPORT_HPP
#define TOVALIN_FUZZ_FUZZ_SUPPORT_HPP

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <list>
#include <string>

#include "tovalin/document.hpp"

namespace fuzzing {

// The folder's path with its trailing separator; removed when the process ends.
inline const std::string& folder() {
    static const struct Folder {
        std::string path;
        Folder() {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "tovalin-fuzz-XXXXXX").string();
            if (mkdtemp(pattern.data()) == nullptr) abort();
            path = pattern + "/";
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } made;
    return made.path;
}

inline std::string writeInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = folder() + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) abort();
    if (size != 0 && std::fwrite(data, 1, size, file) != size) abort();
    std::fclose(file);
    return path;
}

// Saves in every encoding; a save that reports success must have written a file that
// loads again.
inline void expectSavesLoadAgain(XcsXmlDOMDocument& document) {
    for (const TL_ENCODE_TYPE type : {TL_ENCODE_SHIFT_JIS, TL_ENCODE_UTF16, TL_ENCODE_UTF8}) {
        const std::string saved = folder() + "saved.xml";
        if (!document.save(saved, type)) continue;
        XcsXmlDOMDocument again;
        std::list<XMLERROR_TYPE> errors;
        if (!again.load(saved, &errors, false)) __builtin_trap();
    }
}

}  // namespace fuzzing

#endif
