#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "demo/loopback_server.h"
#include "net/fetch_page.h"
#include "net/http_session.h"

namespace tavro::net {
namespace {

using demo::Connection;
using demo::HttpRequestSeen;
using demo::LoopbackServer;
using namespace std::chrono_literals;

const std::string kAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";

LoopbackServer::Handler Answer(std::string response) {
    return [response](const HttpRequestSeen&, Connection& c) { c.Write(response); };
}

FetchLimits Quick() {
    FetchLimits limits;
    limits.connectTimeout = limits.receiveTimeout = limits.sendTimeout = 300ms;
    return limits;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

class FetchPageTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InitializeHttp(); }
};

TEST_F(FetchPageTest, GetSendsExactlyTheCallersRequest) {
    LoopbackServer server(Answer(LoopbackServer::Response("hello")));
    const Text url = "http://" + server.host() + "/list/a.aspx?gm=1&ga=";
    const FetchResult result = FetchPage(url);
    EXPECT_EQ(result.body, "hello");
    EXPECT_EQ(result.outcome, FetchOutcome::Ok);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].raw,
              "GET /list/a.aspx?gm=1&ga= HTTP/1.1\r\n"
              "Host: " +
                  server.host() +
                  "\r\n"
                  "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n" +
                  kAccept + "Referer: " + url + "\r\n" + "Accept-Language: zh-cn\r\n\r\n");
}

TEST_F(FetchPageTest, ExistingHeaderLinesInAnyCaseAreKept) {
    LoopbackServer server(Answer(LoopbackServer::Response("")));
    const Text url = "http://" + server.host() + "/";
    Text headers = "accept: text/html\r\nREFERER: http://elsewhere/\r\n";
    FetchOptions options;
    options.headers = &headers;
    FetchPage(url, options);
    EXPECT_EQ(headers, "accept: text/html\r\nREFERER: http://elsewhere/\r\nAccept-Language: zh-cn\r\n");
    const std::string raw = server.requests().at(0).raw;
    std::string lower = raw;
    for (char& ch : lower)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_EQ(Count(lower, "\naccept: "), 1u) << raw;
    EXPECT_EQ(Count(lower, "\nreferer: "), 1u) << raw;
    EXPECT_NE(raw.find("\r\naccept: text/html\r\nREFERER: http://elsewhere/\r\nAccept-Language: zh-cn\r\n"),
              std::string::npos);
}

TEST_F(FetchPageTest, MethodRules) {
    struct Case {
        Text method;
        Text postData;
        Text methodAfter;
        std::string requestStart;
        bool formLines;
        std::string body;
    };
    const Case cases[] = {
        {"post", "a=1", "post", "post / HTTP/1.1", true, "a=1"},
        {"Post", "", "Post", "Post / HTTP/1.1", false, ""},
        {"POST", "x=2&y=3", "POST", "POST / HTTP/1.1", true, "x=2&y=3"},
        {"get", "a=1", "GET", "GET / HTTP/1.1", false, ""},
        {"", "", "GET", "GET / HTTP/1.1", false, ""},
        {"PUT", "a=1", "GET", "GET / HTTP/1.1", false, ""},
    };
    for (const auto& c : cases) {
        LoopbackServer server(Answer(LoopbackServer::Response("ok")));
        Text method = c.method;
        Text headers;
        FetchOptions options;
        options.method = &method;
        options.headers = &headers;
        options.postData = &c.postData;
        EXPECT_EQ(FetchPage("http://" + server.host(), options).body, "ok") << c.method;
        EXPECT_EQ(method, c.methodAfter);
        const HttpRequestSeen seen = server.requests().at(0);
        EXPECT_TRUE(seen.raw.starts_with(c.requestStart)) << seen.raw;
        EXPECT_EQ(seen.body, c.body) << c.method;
        const std::string formLines = "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                                      std::to_string(c.postData.size()) + "\r\n";
        EXPECT_EQ(headers.ends_with(formLines), c.formLines) << headers;
        EXPECT_EQ(Count(seen.raw, "Content-Type"), c.formLines ? 1u : 0u) << seen.raw;
    }
}

TEST_F(FetchPageTest, PostKeepsAnEarlierContentTypeAndAddsTheFormLine) {
    LoopbackServer server(Answer(LoopbackServer::Response("")));
    Text method = "POST";
    Text headers = "Content-Type: text/plain\r\n";
    const Text data = "q=1";
    FetchOptions options;
    options.method = &method;
    options.headers = &headers;
    options.postData = &data;
    FetchPage("http://" + server.host() + "/f", options);
    EXPECT_EQ(Count(headers, "Content-Type: "), 2u);
    EXPECT_EQ(Count(server.requests().at(0).raw, "Content-Type: "), 2u);
}

TEST_F(FetchPageTest, BodiesAsTheyArrive) {
    struct Case {
        const char* what;
        std::string response;
        Text body;
        FetchOutcome outcome;
        int status;
    };
    std::string binary;
    for (int i = 1; i < 256; ++i)
        binary.push_back(static_cast<char>(i));
    const Case cases[] = {
        {"zero bytes", LoopbackServer::Response(""), "", FetchOutcome::Ok, 200},
        {"every byte value but zero", LoopbackServer::Response(binary), binary, FetchOutcome::Ok, 200},
        {"text ends before a zero byte", LoopbackServer::Response(std::string("ab\0cd", 5)), "ab",
         FetchOutcome::Ok, 200},
        {"an error status's body", LoopbackServer::Response("<h1>oops</h1>", 500), "<h1>oops</h1>",
         FetchOutcome::HttpStatus, 500},
        {"a body without a length, up to close", "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nuntil close",
         "until close", FetchOutcome::Ok, 200},
    };
    for (const auto& c : cases) {
        LoopbackServer server(Answer(c.response));
        const FetchResult result = FetchPage("http://" + server.host() + "/p");
        EXPECT_EQ(result.body, c.body) << c.what;
        EXPECT_EQ(result.outcome, c.outcome) << c.what;
        EXPECT_EQ(result.httpStatus, c.status) << c.what;
    }
}

TEST_F(FetchPageTest, ConnectionRefused) {
    int port = 0;
    {
        LoopbackServer gone(Answer(""));
        port = gone.port();
    }
    const FetchResult result = FetchPage("http://127.0.0.1:" + std::to_string(port) + "/", {}, Quick());
    EXPECT_EQ(result.body, "");
    EXPECT_EQ(result.outcome, FetchOutcome::NoConnection);
}

TEST_F(FetchPageTest, ResetMidBodyKeepsWhatArrived) {
    const std::string first(3000, 'x');
    LoopbackServer server([&](const HttpRequestSeen&, Connection& c) {
        c.Write("HTTP/1.1 200 OK\r\nContent-Length: 10000\r\n\r\n" + first);
        std::this_thread::sleep_for(50ms);
        c.Reset();
    });
    const FetchResult result = FetchPage("http://" + server.host() + "/");
    EXPECT_EQ(result.body, first);
    EXPECT_EQ(result.outcome, FetchOutcome::CutShort);
}

TEST_F(FetchPageTest, StallEndsByTheReceiveTimeout) {
    // One server that never answers, one that stops in the middle of the body.
    for (const std::string& sent :
         {std::string(), std::string("HTTP/1.1 200 OK\r\nContent-Length: 99\r\n\r\npart")}) {
        LoopbackServer server([&](const HttpRequestSeen&, Connection& c) {
            c.Write(sent);
            while (!c.WaitForPeerClose(50)) {
            }
        });
        const FetchResult result = FetchPage("http://" + server.host() + "/", {}, Quick());
        EXPECT_EQ(result.outcome, FetchOutcome::TimedOut);
        EXPECT_EQ(result.body, sent.empty() ? "" : "part");
    }
}

TEST_F(FetchPageTest, TrickleWithinTheTimeoutArrivesWhole) {
    LoopbackServer server([](const HttpRequestSeen&, Connection& c) {
        c.Write("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n");
        for (char ch : std::string("abcde")) {
            std::this_thread::sleep_for(60ms);
            c.Write(std::string(1, ch));
        }
    });
    const FetchResult result = FetchPage("http://" + server.host() + "/", {}, Quick());
    EXPECT_EQ(result.body, "abcde");
    EXPECT_EQ(result.outcome, FetchOutcome::Ok);
}

TEST_F(FetchPageTest, BodyOverTheCapEndsTheRead) {
    const std::string big(300000, 'b');
    LoopbackServer server(Answer(LoopbackServer::Response(big)));
    FetchLimits limits;
    limits.maxBodyBytes = 100000;
    const FetchResult result = FetchPage("http://" + server.host() + "/", {}, limits);
    EXPECT_EQ(result.outcome, FetchOutcome::TooLarge);
    EXPECT_EQ(result.body, big.substr(0, 100000));
}

TEST_F(FetchPageTest, AbortEndsAWaitingFetch) {
    LoopbackServer server([](const HttpRequestSeen&, Connection& c) {
        while (!c.WaitForPeerClose(50)) {
        }
    });
    FetchLimits limits;
    const auto started = std::chrono::steady_clock::now();
    limits.abort = [&] { return std::chrono::steady_clock::now() - started > 100ms; };
    EXPECT_EQ(FetchPage("http://" + server.host() + "/", {}, limits).outcome, FetchOutcome::Aborted);
}

TEST_F(FetchPageTest, RawHeadersWhenAskedFor) {
    LoopbackServer server(Answer(LoopbackServer::Response("b", 200, "text/html", "X-Test: 1\r\n")));
    Text raw = "old";
    FetchOptions options;
    options.rawHeadersOut = &raw;
    FetchPage("http://" + server.host() + "/", options);
    EXPECT_TRUE(raw.starts_with("HTTP/1.1 200 OK\r\n")) << raw;
    EXPECT_NE(raw.find("X-Test: 1\r\n"), std::string::npos);
}

TEST_F(FetchPageTest, DirectUnlessAProxyIsGiven) {
    LoopbackServer proxy(Answer(LoopbackServer::Response("via proxy")));
    LoopbackServer site(Answer(LoopbackServer::Response("direct")));
    ::setenv("http_proxy", ("http://" + proxy.host()).c_str(), 1);
    ::setenv("HTTP_PROXY", ("http://" + proxy.host()).c_str(), 1);
    EXPECT_EQ(FetchPage("http://" + site.host() + "/").body, "direct");
    ::unsetenv("http_proxy");
    ::unsetenv("HTTP_PROXY");

    const Text address = proxy.host();
    FetchOptions options;
    options.proxyAddress = &address;
    EXPECT_EQ(FetchPage("http://" + site.host() + "/p", options).body, "via proxy");
    EXPECT_TRUE(proxy.requests().at(0).raw.starts_with("GET http://" + site.host() + "/p HTTP/1.1"));
}

TEST_F(FetchPageTest, RedirectsOnlyToHttp) {
    LoopbackServer target(Answer(LoopbackServer::Response("moved here")));
    LoopbackServer toHttp(Answer(
        LoopbackServer::Response("", 302, "text/html", "Location: http://" + target.host() + "/new\r\n")));
    EXPECT_EQ(FetchPage("http://" + toHttp.host() + "/").body, "moved here");

    LoopbackServer toFile(
        Answer(LoopbackServer::Response("", 302, "text/html", "Location: file:///etc/passwd\r\n")));
    const FetchResult result = FetchPage("http://" + toFile.host() + "/");
    EXPECT_EQ(result.body, "");
    EXPECT_NE(result.outcome, FetchOutcome::Ok);
}

TEST_F(FetchPageTest, UnsafeBytesInThePathAreEscapedOnTheWire) {
    LoopbackServer server(Answer(LoopbackServer::Response("")));
    FetchPage("http://" + server.host() + "/list?gm=a b\r\nX: y\xB0");
    EXPECT_EQ(server.requests().at(0).target, "/list?gm=a%20b%0D%0AX:%20y%B0");
}

}  // namespace
}  // namespace tavro::net
