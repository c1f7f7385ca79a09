#pragma once

// A small HTTP layer in the shape the page fetch is written against: a root handle, a
// connection, a request with time-out options, one send, reads of at most a given count,
// the raw response headers, and closing. libcurl does the work underneath.

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tavro::net {

// Why a transfer ended; what arrived until then is delivered either way.
enum class TransferEnd { Complete, NoConnection, TimedOut, Broken, TooLarge, Aborted };

enum class TimeoutOption { Connect, Receive, Send };

void InitializeHttp();  // once, before any thread starts a request

class HttpRoot;
class HttpConnection;
class HttpRequest;

// Returns null when the root handle cannot be opened. An empty proxy list means direct:
// proxies named in the environment are never used.
std::unique_ptr<HttpRoot> HttpOpen(std::string_view userAgent, std::string_view proxyList);
std::unique_ptr<HttpConnection> HttpConnect(HttpRoot& root, std::string_view host, int port);
std::unique_ptr<HttpRequest> HttpOpenRequest(HttpConnection& connection, std::string_view method,
                                             std::string_view path, std::string_view version);

class HttpRoot {
  public:
    HttpRoot(std::string userAgent, std::string proxy)
        : userAgent_(std::move(userAgent)), proxy_(std::move(proxy)) {}
    const std::string& userAgent() const { return userAgent_; }
    const std::string& proxy() const { return proxy_; }

  private:
    std::string userAgent_;
    std::string proxy_;
};

class HttpConnection {
  public:
    HttpConnection(const HttpRoot& root, std::string host, int port)
        : root_(root), host_(std::move(host)), port_(port) {}
    const HttpRoot& root() const { return root_; }
    const std::string& host() const { return host_; }
    int port() const { return port_; }

  private:
    HttpRoot root_;  // a copy: the root may be closed before the connection
    std::string host_;
    int port_;
};

class HttpRequest {
  public:
    HttpRequest(const HttpConnection& connection, std::string method, std::string path);
    ~HttpRequest();
    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    void SetTimeout(TimeoutOption option, std::chrono::milliseconds value);
    void SetBodyLimit(size_t maxBytes) { maxBody_ = maxBytes; }
    void SetAbortCheck(std::function<bool()> abort) { abort_ = std::move(abort); }

    // `headerBlock` holds lines that each end with CR LF. The outcome shows in the reads.
    void Send(std::string_view headerBlock, std::string_view body);

    // At most `capacity` bytes of the body; 0 at its end and on any failure.
    size_t Read(char* buffer, size_t capacity);

    // The raw response headers, lines ending with CR LF; nothing when they do not fit.
    std::optional<std::string> RawHeaders(size_t capacity) const;

    // The body's length as the response announced it; 0 when it did not (or not yet).
    size_t announcedLength() const;

    TransferEnd end() const { return end_; }
    int httpStatus() const { return status_; }
    size_t received() const { return received_; }

  private:
    struct Curl;
    friend struct Curl;

    bool Pump();  // drives the transfer until body bytes wait or it ended; false once ended
    void Finish(int curlCode);

    std::string method_;
    std::string path_;
    std::string host_;
    int port_;
    std::string userAgent_;
    std::string proxy_;
    std::chrono::milliseconds connectTimeout_{0};
    std::chrono::milliseconds receiveTimeout_{0};
    std::chrono::milliseconds sendTimeout_{0};
    size_t maxBody_ = 0;  // 0: no cap
    std::function<bool()> abort_;

    std::unique_ptr<Curl> curl_;
    std::string pending_;
    size_t pendingOffset_ = 0;
    std::string rawHeaders_;
    size_t received_ = 0;
    int status_ = 0;
    bool running_ = false;
    bool overCap_ = false;
    bool stalled_ = false;
    bool aborted_ = false;
    TransferEnd end_ = TransferEnd::Complete;
    std::chrono::steady_clock::time_point lastActivity_;
};

}  // namespace tavro::net
