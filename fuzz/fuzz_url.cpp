#include <cstdlib>

#include "net/url.h"

using namespace tavro::net;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Text url(reinterpret_cast<const char*>(data), size);
    const Text host = UrlHost(url);
    (void)UrlPort(url);
    const Text path = UrlPath(url);
    if (path.empty() || path[0] != '/' || host.size() > url.size()) std::abort();
    for (const char c : EscapeForRequestLine(url)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) std::abort();
    }
    return 0;
}
