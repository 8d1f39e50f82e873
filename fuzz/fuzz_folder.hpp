// A scratch folder for one fuzzing process, and the writing of inputs into it.
#ifndef TOVALIN_FUZZ_FUZZ_FOLDER_HPP
#define TOVALIN_FUZZ_FUZZ_FOLDER_HPP

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

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

}  // namespace fuzzing

#endif
