#pragma once

#include <string>
#include <string_view>

#include "scrape/text.h"

namespace tavro::scrape {

// Code page 936 bytes as UTF-8 for display; a byte sequence that is not valid there becomes
// U+FFFD, so any bytes can be shown (the bytes themselves are kept elsewhere, unchanged).
std::string DecodeGbk(std::string_view bytes);

// UTF-8 (what a user typed) as code page 936; characters it cannot hold become '?'.
Text EncodeGbk(std::string_view utf8);

// Source files are UTF-8; the system's own texts (markers, captions, messages) are GBK.
inline Text Gbk(std::string_view utf8) {
    return EncodeGbk(utf8);
}

}  // namespace tavro::scrape
