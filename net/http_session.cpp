#include "net/http_session.h"

#include <curl/curl.h>

#include <algorithm>
#include <mutex>

#include "net/url.h"

namespace tavro::net {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kProxyPrefix = "http=";
constexpr long kMaxRedirects = 10;
constexpr std::chrono::milliseconds kPollSlice{50};

// The transfer is only driven once everything pending was read, so this keeps it small.
void Compact(std::string& s, size_t& offset) {
    if (offset == s.size()) {
        s.clear();
        offset = 0;
    }
}

}  // namespace

struct HttpRequest::Curl {
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    curl_slist* headers = nullptr;

    ~Curl() {
        if (multi != nullptr && easy != nullptr) curl_multi_remove_handle(multi, easy);
        if (easy != nullptr) curl_easy_cleanup(easy);
        if (multi != nullptr) curl_multi_cleanup(multi);
        curl_slist_free_all(headers);
    }

    static size_t OnBody(char* data, size_t size, size_t count, void* user) {
        auto& request = *static_cast<HttpRequest*>(user);
        const size_t bytes = size * count;
        request.lastActivity_ = Clock::now();
        size_t take = bytes;
        if (request.maxBody_ != 0) take = std::min(bytes, request.maxBody_ - request.received_);
        request.pending_.append(data, take);
        request.received_ += take;
        if (take < bytes) request.overCap_ = true;  // a short count makes curl stop the transfer
        return take;
    }

    static size_t OnHeader(char* data, size_t size, size_t count, void* user) {
        auto& request = *static_cast<HttpRequest*>(user);
        const std::string_view line(data, size * count);
        request.lastActivity_ = Clock::now();
        // After a redirect only the last response's headers count.
        if (line.starts_with("HTTP/")) request.rawHeaders_.clear();
        request.rawHeaders_.append(line);
        return line.size();
    }
};

void InitializeHttp() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::unique_ptr<HttpRoot> HttpOpen(std::string_view userAgent, std::string_view proxyList) {
    InitializeHttp();
    std::string proxy(proxyList);
    if (proxy.starts_with(kProxyPrefix)) proxy.erase(0, kProxyPrefix.size());
    return std::make_unique<HttpRoot>(std::string(userAgent), std::move(proxy));
}

std::unique_ptr<HttpConnection> HttpConnect(HttpRoot& root, std::string_view host, int port) {
    if (host.empty()) return nullptr;
    return std::make_unique<HttpConnection>(root, std::string(host), port);
}

std::unique_ptr<HttpRequest> HttpOpenRequest(HttpConnection& connection, std::string_view method,
                                             std::string_view path, std::string_view version) {
    if (version != "HTTP/1.1") return nullptr;
    return std::make_unique<HttpRequest>(connection, std::string(method), std::string(path));
}

HttpRequest::HttpRequest(const HttpConnection& connection, std::string method, std::string path)
    : method_(std::move(method)),
      path_(std::move(path)),
      host_(connection.host()),
      port_(connection.port()),
      userAgent_(connection.root().userAgent()),
      proxy_(connection.root().proxy()) {}

HttpRequest::~HttpRequest() = default;

void HttpRequest::SetTimeout(TimeoutOption option, std::chrono::milliseconds value) {
    switch (option) {
        case TimeoutOption::Connect:
            connectTimeout_ = value;
            break;
        case TimeoutOption::Receive:
            receiveTimeout_ = value;
            break;
        case TimeoutOption::Send:
            sendTimeout_ = value;
            break;
    }
}

void HttpRequest::Send(std::string_view headerBlock, std::string_view body) {
    curl_ = std::make_unique<Curl>();
    curl_->easy = curl_easy_init();
    curl_->multi = curl_multi_init();
    if (curl_->easy == nullptr || curl_->multi == nullptr) {
        end_ = TransferEnd::NoConnection;
        return;
    }
    CURL* easy = curl_->easy;
    // A port of 0 means the service's default, as for any HTTP client handed no port.
    const int port = port_ == 0 ? 80 : port_;
    const std::string url = "http://" + host_ + ":" + std::to_string(port) + EscapeForRequestLine(path_);
    if (curl_easy_setopt(easy, CURLOPT_URL, url.c_str()) != CURLE_OK) {
        end_ = TransferEnd::NoConnection;
        return;
    }
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROXY, proxy_.c_str());
    curl_easy_setopt(easy, CURLOPT_USERAGENT, userAgent_.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connectTimeout_.count()));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Curl::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Curl::OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);

    size_t lineStart = 0;
    while (lineStart < headerBlock.size()) {
        size_t lineEnd = headerBlock.find("\r\n", lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = headerBlock.size();
        const std::string line(headerBlock.substr(lineStart, lineEnd - lineStart));
        if (!line.empty()) curl_->headers = curl_slist_append(curl_->headers, line.c_str());
        lineStart = lineEnd + 2;
    }
    curl_->headers = curl_slist_append(curl_->headers, "Expect:");  // no 100-continue round trip
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, curl_->headers);

    if (method_ == "GET") {
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    } else {
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, method_.c_str());
        if (!body.empty()) {
            curl_easy_setopt(easy, CURLOPT_POST, 1L);
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
            curl_easy_setopt(easy, CURLOPT_COPYPOSTFIELDS, std::string(body).c_str());
        }
    }
    curl_multi_add_handle(curl_->multi, easy);
    running_ = true;
    lastActivity_ = Clock::now();
}

void HttpRequest::Finish(int curlCode) {
    running_ = false;
    long status = 0;
    curl_easy_getinfo(curl_->easy, CURLINFO_RESPONSE_CODE, &status);
    status_ = static_cast<int>(status);
    curl_multi_remove_handle(curl_->multi, curl_->easy);
    if (aborted_) {
        end_ = TransferEnd::Aborted;
    } else if (stalled_) {
        end_ = TransferEnd::TimedOut;
    } else if (overCap_) {
        end_ = TransferEnd::TooLarge;
    } else {
        switch (static_cast<CURLcode>(curlCode)) {
            case CURLE_OK:
                end_ = TransferEnd::Complete;
                break;
            case CURLE_COULDNT_RESOLVE_HOST:
            case CURLE_COULDNT_RESOLVE_PROXY:
            case CURLE_COULDNT_CONNECT:
            case CURLE_URL_MALFORMAT:
            case CURLE_UNSUPPORTED_PROTOCOL:
                end_ = TransferEnd::NoConnection;
                break;
            case CURLE_OPERATION_TIMEDOUT:
                end_ = TransferEnd::TimedOut;
                break;
            default:
                end_ = TransferEnd::Broken;
                break;
        }
    }
}

bool HttpRequest::Pump() {
    while (running_ && pendingOffset_ == pending_.size()) {
        int stillRunning = 0;
        curl_multi_perform(curl_->multi, &stillRunning);
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(curl_->multi, &queued)) {
            if (message->msg == CURLMSG_DONE && running_) Finish(message->data.result);
        }
        if (!running_ || pendingOffset_ < pending_.size()) break;

        if (abort_ && abort_()) {
            aborted_ = true;
            Finish(CURLE_ABORTED_BY_CALLBACK);
            break;
        }
        curl_off_t connectedAt = 0;
        curl_easy_getinfo(curl_->easy, CURLINFO_CONNECT_TIME_T, &connectedAt);
        curl_off_t uploaded = 0;
        curl_easy_getinfo(curl_->easy, CURLINFO_SIZE_UPLOAD_T, &uploaded);
        // No byte for the receive (or, while the body goes out, the send) time-out ends it;
        // until the connection stands, curl's own connect time-out rules.
        const auto limit = connectedAt == 0 ? std::max(connectTimeout_, receiveTimeout_)
                           : (uploaded > 0 && received_ == 0 && rawHeaders_.empty()) ? sendTimeout_
                                                                                     : receiveTimeout_;
        const auto idle = Clock::now() - lastActivity_;
        if (limit.count() > 0 && idle > limit) {
            stalled_ = true;
            Finish(CURLE_OPERATION_TIMEDOUT);
            break;
        }
        auto wait = kPollSlice;
        if (limit.count() > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(limit - idle);
            wait = std::clamp(left + std::chrono::milliseconds(1), std::chrono::milliseconds(1), kPollSlice);
        }
        curl_multi_poll(curl_->multi, nullptr, 0, static_cast<int>(wait.count()), nullptr);
    }
    return pendingOffset_ < pending_.size();
}

size_t HttpRequest::Read(char* buffer, size_t capacity) {
    if (!curl_ || capacity == 0) return 0;
    if (!Pump()) return 0;
    const size_t count = std::min(capacity, pending_.size() - pendingOffset_);
    std::copy_n(pending_.data() + pendingOffset_, count, buffer);
    pendingOffset_ += count;
    Compact(pending_, pendingOffset_);
    return count;
}

size_t HttpRequest::announcedLength() const {
    if (!curl_ || curl_->easy == nullptr) return 0;
    curl_off_t length = -1;
    curl_easy_getinfo(curl_->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    return length > 0 ? static_cast<size_t>(length) : 0;
}

std::optional<std::string> HttpRequest::RawHeaders(size_t capacity) const {
    if (rawHeaders_.empty() || rawHeaders_.size() + 1 > capacity) return std::nullopt;
    return rawHeaders_;
}

}  // namespace tavro::net
