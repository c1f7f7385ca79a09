#include <gtest/gtest.h>

#include "net/url.h"

namespace tavro::net {
namespace {

struct UrlCase {
    Text url;
    Text host;
    int port;
    Text path;
};

TEST(UrlParts, Table) {
    const UrlCase cases[] = {
        {"http://Host/list/a.aspx?x=1", "host", 80, "/list/a.aspx?x=1"},
        {"HTTP://host:8080/p", "host", 8080, "/p"},
        {"http://host", "host", 80, "/"},
        {"http://host:8080", "host", 8080, "/"},
        {"host/p", "host", 80, "/p"},
        {"host:81", "host", 81, "/"},
        {"http://host:/p", "host", 0, "/p"},
        {"http://host:80x/p", "host", 80, "/p"},
        {"https://host/p", "https", 0, "//host/p"},
        {"http://tp/x", "tp", 80, "//tp/x"},
        {"", "", 80, "/"},
        {"http://host/p#frag", "host", 80, "/p#frag"},
        {"http://127.0.0.1:5000/list/x", "127.0.0.1", 5000, "/list/x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UrlHost(c.url), c.host) << c.url;
        EXPECT_EQ(UrlPort(c.url), c.port) << c.url;
        EXPECT_EQ(UrlPath(c.url), c.path) << c.url;
    }
}

TEST(EscapeForRequestLine, OnlyWhatBreaksTheLine) {
    EXPECT_EQ(EscapeForRequestLine("a b\r\n\t\x7F"), "a%20b%0D%0A%09%7F");
    EXPECT_EQ(EscapeForRequestLine("\xB0\xA1"), "%B0%A1");
    EXPECT_EQ(EscapeForRequestLine("/x?a=1&b=%2F\"<>#"), "/x?a=1&b=%2F\"<>#");
}

}  // namespace
}  // namespace tavro::net
