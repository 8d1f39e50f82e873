#include "data/trim.hpp"

namespace tovalin {
namespace {

void controlsToSpaces(std::string& text) {
    for (char& byte : text) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x20 || value == 0x7F) byte = ' ';
    }
}

}  // namespace

std::string trimLeft(std::string text) {
    controlsToSpaces(text);
    const std::string::size_type first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string trimRight(std::string text) {
    controlsToSpaces(text);
    const std::string::size_type last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

}  // namespace tovalin
