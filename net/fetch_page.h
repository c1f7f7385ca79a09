#pragma once

#include <chrono>
#include <cstddef>
#include <functional>

#include "scrape/text.h"

namespace tavro::net {

using scrape::Text;

enum class FetchOutcome {
    Ok,            // the whole body arrived with a success status
    NoConnection,  // name not resolved, connection refused, no request possible
    TimedOut,      // nothing arrived within the time-out
    CutShort,      // the connection broke off; the bytes before are the page
    HttpStatus,    // the server answered with an error status; its body is the page
    TooLarge,      // the body passed the size cap; the bytes up to it are the page
    Aborted,       // the caller gave up (a newer run, or the window closed)
};

// Results are values: the text the page scraping uses, and why it may be empty or short.
struct FetchResult {
    Text body;
    FetchOutcome outcome = FetchOutcome::Ok;
    int httpStatus = 0;
};

inline constexpr std::chrono::milliseconds kHttpTimeout{18000};
inline constexpr size_t kMaxBodyBytes = size_t{64} << 20;  // a hostile server cannot exhaust memory

struct FetchLimits {
    std::chrono::milliseconds connectTimeout = kHttpTimeout;
    std::chrono::milliseconds receiveTimeout = kHttpTimeout;
    std::chrono::milliseconds sendTimeout = kHttpTimeout;
    size_t maxBodyBytes = kMaxBodyBytes;
    std::function<bool()> abort;  // polled while waiting for the network
};

// The optional parameters, each left out when null. `method` and `headers` are in-out:
// the method becomes "GET" unless it is POST in some letter case, and the headers end up
// holding the whole block that was sent. `rawHeadersOut` receives the response headers.
struct FetchOptions {
    Text* method = nullptr;
    const Text* proxyAddress = nullptr;
    Text* headers = nullptr;
    const Text* postData = nullptr;
    Text* rawHeadersOut = nullptr;
};

FetchResult FetchPage(const Text& url, const FetchOptions& options = {}, const FetchLimits& limits = {});

// The phrase the status bar shows for an outcome that is not Ok (GBK text).
Text DescribeFailure(const FetchResult& result);

}  // namespace tavro::net
