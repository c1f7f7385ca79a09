#pragma once

// A small HTTP server on 127.0.0.1 for the tests and the demo site. Each connection is
// handed to a handler that sees the raw request and writes raw bytes back, so a test can
// answer like a real site, stall, trickle or break off.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tavro::demo {

struct HttpRequestSeen {
    std::string raw;  // request line, headers and body, exactly as received
    std::string method;
    std::string target;  // path and query as sent
    std::string body;
};

class Connection {
  public:
    explicit Connection(int fd) : fd_(fd) {}
    bool Write(std::string_view bytes);  // false once the peer is gone
    void Reset();                        // closes with RST instead of FIN
    // Waits up to `ms` for the peer to close; true when it did (or the server stops).
    bool WaitForPeerClose(int ms);
    int fd() const { return fd_; }

  private:
    int fd_;
};

class LoopbackServer {
  public:
    using Handler = std::function<void(const HttpRequestSeen&, Connection&)>;

    explicit LoopbackServer(Handler handler);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }
    std::string host() const;  // "127.0.0.1:<port>"
    std::vector<HttpRequestSeen> requests() const;
    bool stopping() const { return stopping_; }

    // A complete response with Content-Length and connection close.
    static std::string Response(std::string_view body, int status = 200,
                                std::string_view contentType = "text/html; charset=gbk",
                                std::string_view extraHeaders = "");

  private:
    void AcceptLoop();
    void Serve(int fd);

    Handler handler_;
    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    mutable std::mutex mutex_;
    std::vector<HttpRequestSeen> requests_;
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    void ReapFinished();  // joins the connections already served, so a long demo run keeps no threads

    std::vector<Worker> workers_;
    std::vector<int> openFds_;
};

}  // namespace tavro::demo
