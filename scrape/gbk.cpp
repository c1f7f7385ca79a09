#include "scrape/gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace tavro::scrape {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr char kUnencodable = '?';

// iconv handles are not shareable between threads; one per thread and direction.
class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns the bytes of `in` consumed.
    size_t Convert(std::string_view in, std::string& out) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        while (inLeft > 0) {
            char buffer[4096];
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (result == static_cast<size_t>(-1) && errno != E2BIG) break;
        }
        return in.size() - inLeft;
    }

  private:
    iconv_t handle_;
};

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string DecodeGbk(std::string_view bytes) {
    if (IsAscii(bytes)) return std::string(bytes);
    thread_local Converter decoder("UTF-8", "CP936");
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    while (!bytes.empty()) {
        const size_t used = decoder.ok() ? decoder.Convert(bytes, out) : 0;
        bytes.remove_prefix(used);
        if (bytes.empty()) break;
        // An invalid or truncated sequence: one replacement for its first byte, then go on.
        out.append(kReplacementUtf8);
        bytes.remove_prefix(1);
    }
    return out;
}

Text EncodeGbk(std::string_view utf8) {
    if (IsAscii(utf8)) return Text(utf8);
    thread_local Converter encoder("CP936", "UTF-8");
    Text out;
    while (!utf8.empty()) {
        const size_t used = encoder.ok() ? encoder.Convert(utf8, out) : 0;
        utf8.remove_prefix(used);
        if (utf8.empty()) break;
        out.push_back(kUnencodable);
        // Skip the whole UTF-8 sequence that could not be encoded.
        size_t skip = 1;
        while (skip < utf8.size() && (static_cast<unsigned char>(utf8[skip]) & 0xC0) == 0x80)
            ++skip;
        utf8.remove_prefix(skip);
    }
    return out;
}

}  // namespace tavro::scrape
