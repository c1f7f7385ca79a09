#include "demo/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tavro::demo {
namespace {

constexpr int kAcceptPollMs = 50;
constexpr int kReadPollMs = 2000;
constexpr size_t kMaxRequestBytes = 1 << 20;

std::string StatusText(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

// Reads one request: the header block, then as many body bytes as Content-Length says.
bool ReadRequest(int fd, HttpRequestSeen& request) {
    std::string data;
    size_t headerEnd = std::string::npos;
    size_t wanted = 0;
    char buffer[4096];
    for (;;) {
        if (headerEnd != std::string::npos && data.size() >= wanted) break;
        pollfd pfd{fd, POLLIN, 0};
        if (poll(&pfd, 1, kReadPollMs) <= 0) return false;
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) return false;
        data.append(buffer, static_cast<size_t>(n));
        if (data.size() > kMaxRequestBytes) return false;
        if (headerEnd == std::string::npos) {
            headerEnd = data.find("\r\n\r\n");
            if (headerEnd == std::string::npos) continue;
            size_t length = 0;
            std::string lower = data.substr(0, headerEnd);
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return std::tolower(c); });
            const size_t at = lower.find("\r\ncontent-length:");
            if (at != std::string::npos) length = std::strtoul(lower.c_str() + at + 17, nullptr, 10);
            wanted = headerEnd + 4 + length;
        }
    }
    request.raw = data;
    const size_t firstSpace = data.find(' ');
    const size_t secondSpace = data.find(' ', firstSpace + 1);
    if (firstSpace == std::string::npos || secondSpace == std::string::npos) return false;
    request.method = data.substr(0, firstSpace);
    request.target = data.substr(firstSpace + 1, secondSpace - firstSpace - 1);
    request.body = data.substr(headerEnd + 4);
    return true;
}

}  // namespace

bool Connection::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void Connection::Reset() {
    linger hard{1, 0};
    setsockopt(fd_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    shutdown(fd_, SHUT_RDWR);
}

bool Connection::WaitForPeerClose(int ms) {
    pollfd pfd{fd_, POLLIN, 0};
    if (poll(&pfd, 1, ms) <= 0) return false;
    char byte;
    return recv(fd_, &byte, 1, MSG_PEEK) <= 0;
}

LoopbackServer::LoopbackServer(Handler handler) : handler_(std::move(handler)) {
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) throw std::runtime_error("socket");
    const int yes = 1;
    setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listenFd_, 64) != 0) {
        close(listenFd_);
        throw std::runtime_error("bind/listen on 127.0.0.1");
    }
    socklen_t length = sizeof address;
    getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
    stopping_ = true;
    acceptor_.join();
    {
        std::lock_guard lock(mutex_);
        for (const int fd : openFds_)
            shutdown(fd, SHUT_RDWR);
    }
    for (auto& worker : workers_)
        worker.thread.join();
    close(listenFd_);
}

std::string LoopbackServer::host() const {
    return "127.0.0.1:" + std::to_string(port_);
}

std::vector<HttpRequestSeen> LoopbackServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::string LoopbackServer::Response(std::string_view body, int status, std::string_view contentType,
                                     std::string_view extraHeaders) {
    std::string response = "HTTP/1.1 " + std::to_string(status) + " " + StatusText(status) + "\r\n";
    response += "Content-Type: " + std::string(contentType) + "\r\n";
    response += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    response += extraHeaders;
    response += "Connection: close\r\n\r\n";
    response += body;
    return response;
}

void LoopbackServer::AcceptLoop() {
    while (!stopping_) {
        pollfd pfd{listenFd_, POLLIN, 0};
        if (poll(&pfd, 1, kAcceptPollMs) <= 0) continue;
        const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        ReapFinished();
        std::lock_guard lock(mutex_);
        openFds_.push_back(fd);
        auto done = std::make_shared<std::atomic<bool>>(false);
        workers_.push_back({std::thread([this, fd, done] {
                                Serve(fd);
                                *done = true;
                            }),
                            done});
    }
}

void LoopbackServer::ReapFinished() {
    // Only the acceptor thread adds or removes workers.
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (*it->done) {
            it->thread.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
}

void LoopbackServer::Serve(int fd) {
    HttpRequestSeen request;
    if (ReadRequest(fd, request)) {
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        Connection connection(fd);
        handler_(request, connection);
    }
    std::lock_guard lock(mutex_);
    openFds_.erase(std::remove(openFds_.begin(), openFds_.end(), fd), openFds_.end());
    shutdown(fd, SHUT_WR);
    close(fd);
}

}  // namespace tavro::demo
