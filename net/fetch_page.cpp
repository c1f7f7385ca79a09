#include "net/fetch_page.h"

#include <algorithm>
#include <array>

#include "net/http_session.h"
#include "net/url.h"
#include "scrape/gbk.h"

namespace tavro::net {
namespace {

using scrape::Case;
using scrape::FindText;
using scrape::kNotFound;

constexpr std::string_view kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr std::string_view kProxyPrefix = "http=";
constexpr std::string_view kVersion = "HTTP/1.1";
constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kAcceptName = "Accept: ";
constexpr std::string_view kAcceptLine =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*";
constexpr std::string_view kRefererName = "Referer: ";
constexpr std::string_view kLanguageName = "Accept-Language: ";
constexpr std::string_view kLanguageLine = "Accept-Language: zh-cn";
constexpr std::string_view kFormContentType = "Content-Type: application/x-www-form-urlencoded";
constexpr std::string_view kContentLengthName = "Content-Length: ";
constexpr size_t kReadChunk = 512;
constexpr size_t kRawHeaderBuffer = 1024;

void AppendLineIfAbsent(Text& block, std::string_view name, std::string_view line) {
    if (FindText(block, name, 1, Case::Ignore) != kNotFound) return;
    block.append(line);
    block.append(kCrLf);
}

FetchOutcome OutcomeOf(const HttpRequest& request) {
    switch (request.end()) {
        case TransferEnd::Complete:
            return request.httpStatus() >= 400 ? FetchOutcome::HttpStatus : FetchOutcome::Ok;
        case TransferEnd::NoConnection:
            return FetchOutcome::NoConnection;
        case TransferEnd::TimedOut:
            return FetchOutcome::TimedOut;
        case TransferEnd::TooLarge:
            return FetchOutcome::TooLarge;
        case TransferEnd::Aborted:
            return FetchOutcome::Aborted;
        case TransferEnd::Broken:
            return request.received() == 0 && request.httpStatus() == 0 ? FetchOutcome::NoConnection
                                                                        : FetchOutcome::CutShort;
    }
    return FetchOutcome::CutShort;
}

}  // namespace

FetchResult FetchPage(const Text& url, const FetchOptions& options, const FetchLimits& limits) {
    Text localMethod;
    Text localHeaders;
    Text& method = options.method != nullptr ? *options.method : localMethod;
    Text& headers = options.headers != nullptr ? *options.headers : localHeaders;
    const bool viaProxy = options.proxyAddress != nullptr;

    FetchResult result;
    auto root =
        HttpOpen(kUserAgent, viaProxy ? scrape::ConcatText(kProxyPrefix, *options.proxyAddress) : Text());
    if (!root) {
        result.outcome = FetchOutcome::NoConnection;
        return result;
    }
    auto connection = HttpConnect(*root, UrlHost(url), UrlPort(url));
    if (!connection) {
        result.outcome = FetchOutcome::NoConnection;
        return result;
    }
    if (scrape::ToUpper(method) != "POST") method = "GET";
    auto request = HttpOpenRequest(*connection, method, UrlPath(url), kVersion);
    if (!request) {
        result.outcome = FetchOutcome::NoConnection;
        return result;
    }
    request->SetTimeout(TimeoutOption::Connect, limits.connectTimeout);
    request->SetTimeout(TimeoutOption::Receive, limits.receiveTimeout);
    request->SetTimeout(TimeoutOption::Send, limits.sendTimeout);
    request->SetBodyLimit(limits.maxBodyBytes);
    request->SetAbortCheck(limits.abort);

    AppendLineIfAbsent(headers, kAcceptName, kAcceptLine);
    AppendLineIfAbsent(headers, kRefererName, scrape::ConcatText(kRefererName, url));
    AppendLineIfAbsent(headers, kLanguageName, kLanguageLine);

    const Text noData;
    const Text& postData = options.postData != nullptr ? *options.postData : noData;
    if (method == "GET") {
        request->Send(headers, {});
    } else {
        if (!postData.empty()) {
            headers.append(kFormContentType).append(kCrLf);
            headers.append(kContentLengthName).append(std::to_string(postData.size())).append(kCrLf);
        }
        request->Send(headers, postData);
    }

    // The page grows chunk by chunk; a read of 0 bytes is both the end and any failure.
    // Fetches run on action threads, which own no window: there are no events to dispatch
    // between reads, and the window's own thread never waits for a fetch.
    std::string body;
    std::array<char, kReadChunk> chunk{};
    bool reserved = false;
    for (size_t count = 1; count > 0;) {
        chunk.fill(0);
        count = request->Read(chunk.data(), chunk.size());
        if (!reserved && count > 0) {
            // Grown once to the announced size (never past the cap), not doubled a dozen times.
            body.reserve(std::min(request->announcedLength(), limits.maxBodyBytes));
            reserved = true;
        }
        body.append(chunk.data(), count);
    }

    if (options.rawHeadersOut != nullptr)
        *options.rawHeadersOut = request->RawHeaders(kRawHeaderBuffer).value_or(Text());
    result.outcome = OutcomeOf(*request);
    result.httpStatus = request->httpStatus();
    request.reset();
    connection.reset();
    root.reset();
    // The text is the bytes before the first zero byte, as BytesToText gives it, cut in place
    // rather than copying a page of megabytes.
    const size_t zero = body.find('\0');
    if (zero != std::string::npos) body.resize(zero);
    result.body = std::move(body);
    return result;
}

Text DescribeFailure(const FetchResult& result) {
    switch (result.outcome) {
        case FetchOutcome::Ok:
            return {};
        case FetchOutcome::NoConnection:
            return scrape::Gbk("无法连接");
        case FetchOutcome::TimedOut:
            return scrape::Gbk("连接超时");
        case FetchOutcome::CutShort:
            return scrape::Gbk("连接中断，页面不完整");
        case FetchOutcome::TooLarge:
            return scrape::Gbk("页面过大，已截断");
        case FetchOutcome::Aborted:
            return scrape::Gbk("已取消");
        case FetchOutcome::HttpStatus:
            return scrape::ConcatText(scrape::Gbk("HTTP 状态 "), std::to_string(result.httpStatus));
    }
    return {};
}

}  // namespace tavro::net
