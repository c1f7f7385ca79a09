#include "net/url.h"

namespace tavro::net {
namespace {

using scrape::Case;
using scrape::CompareText;
using scrape::FindText;
using scrape::kNotFound;
using scrape::TextLength;

constexpr std::string_view kScheme = "http://";
constexpr int kDefaultPort = 80;

Text HostAndPort(std::string_view url) {
    const int schemeLength = TextLength(kScheme);
    if (CompareText(scrape::TextLeft(url, schemeLength), kScheme, Case::Ignore) == 0) {
        const int slash = FindText(url, "/", schemeLength + 1, Case::Ignore);
        if (slash != kNotFound) return scrape::TextMid(url, schemeLength + 1, slash - (schemeLength + 1));
        return scrape::TextRight(url, TextLength(url) - schemeLength);
    }
    const int slash = FindText(url, "/", 1, Case::Ignore);
    if (slash != kNotFound) return scrape::TextLeft(url, slash - 1);
    return Text(url);
}

}  // namespace

Text UrlHost(std::string_view url) {
    Text host = HostAndPort(url);
    const int colon = FindText(host, ":", 1, Case::Ignore);
    if (colon != kNotFound) host = scrape::TextLeft(host, colon - 1);
    return scrape::ToLower(host);
}

int UrlPort(std::string_view url) {
    const Text hostAndPort = HostAndPort(url);
    const int colon = FindText(hostAndPort, ":", 1, Case::Ignore);
    if (colon == kNotFound) return kDefaultPort;
    return scrape::RealToInt(
        scrape::ToNumber(scrape::TextRight(hostAndPort, TextLength(hostAndPort) - colon)));
}

Text UrlPath(std::string_view url) {
    const int hostAt = FindText(url, UrlHost(url), 1, Case::Ignore);
    const int slash = FindText(url, "/", hostAt, Case::Ignore);
    if (slash > 0) return scrape::TextRight(url, TextLength(url) - slash + 1);
    return "/";
}

Text EscapeForRequestLine(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    Text out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || byte >= 0x80) {
            out.push_back('%');
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0x0F]);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace tavro::net
