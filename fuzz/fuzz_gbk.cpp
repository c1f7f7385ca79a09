#include <cstdlib>

#include "scrape/gbk.h"

using namespace tavro::scrape;

namespace {

// Every byte sequence must come out as valid UTF-8, whatever went in.
bool ValidUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Text bytes(reinterpret_cast<const char*>(data), size);
    const std::string shown = DecodeGbk(bytes);
    if (!ValidUtf8(shown)) std::abort();
    (void)EncodeGbk(shown);
    return 0;
}
