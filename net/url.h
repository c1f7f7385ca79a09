#pragma once

#include <string_view>

#include "scrape/text.h"

namespace tavro::net {

using scrape::Text;

// Simple cuts on the bytes of a URL; only "http://" is recognised, nothing is decoded.
Text UrlHost(std::string_view url);  // lower case
int UrlPort(std::string_view url);   // 80 when the URL names none
Text UrlPath(std::string_view url);  // "/" when the URL has none

// Percent-encodes the bytes that would break an HTTP request line (space, control bytes,
// bytes of 0x80 or more) and nothing else, so keys from pages reach the site as they stand.
Text EscapeForRequestLine(std::string_view text);

}  // namespace tavro::net
