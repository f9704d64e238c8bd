// Address parts, header completion, cookies, method rules, body cap and timeout of the
// HTTP client, against the in-memory server.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "tests/fakes/FakePlatform.h"
#include "update/HttpRequest.h"

namespace dv {
namespace {

TEST(HttpAddress, HostPathAndPort) {
    struct Row {
        const char* address;
        const char* host;
        const char* path;
        int port;
    } rows[] = {
        {"http://WWW.Example.COM:8080/a/B.ini?x=Y&z=1", "www.example.com", "/a/B.ini?x=Y&z=1", 8080},
        {"http://Example.com", "example.com", "/", 80},
        {"example.com/en/update.ini", "example.com", "/en/update.ini", 80},
        {"HTTP://Host/x", "host", "/x", 80},
        {"http://t/p", "t", "/p", 80},  // a host spelled inside the scheme
        {"http://h:99999999999/", "h", "/", 2147483647},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(UrlHost(r.address), r.host) << r.address;
        EXPECT_EQ(UrlPath(r.address), r.path) << r.address;
        EXPECT_EQ(UrlPort(r.address), r.port) << r.address;
    }
}

TEST(HttpHeaders, CallerLinesSuppressOnlyTheirOwnDefault) {
    const std::string address = "http://h/u.ini";
    struct Row {
        const char* given;
        int accepts, referers, languages;
    } rows[] = {
        {"", 1, 1, 1},
        {"accept: text/html\r\n", 1, 1, 1},
        {"ACCEPT : */*\r\nreferer: x\r\n", 1, 1, 1},
        {"Accept-Language: de\r\n", 1, 1, 1},
        {"X-Note: Accept: no\r\n", 1, 1, 1},  // the name is X-Note
    };
    auto count = [](const std::string& text, const std::string& name) {
        int n = 0;
        for (size_t at = 0; (at = text.find("\n" + name, at)) != std::string::npos; ++at) ++n;
        return n;
    };
    for (const Row& r : rows) {
        const std::string out = "\n" + completeHeaders(r.given, address);
        std::string folded = out;
        for (char& c : folded) c = char(tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(count(folded, "accept"), r.accepts + r.languages) << r.given;
        EXPECT_EQ(count(folded, "referer"), r.referers) << r.given;
        EXPECT_EQ(count(folded, "accept-language"), r.languages) << r.given;
        EXPECT_EQ(out.compare(1, strlen(r.given), r.given), 0) << "caller's lines come first";
    }
    EXPECT_NE(completeHeaders("", address).find("Referer: http://h/u.ini\r\n"), std::string::npos);
}

TEST(HttpCookies, EverySetCookieLineAndNoOther) {
    auto cookies = cookiesInHeaders(
        "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nset-cookie: b=x=y\r\n"
        "X-Note: Set-Cookie: c=3\r\nSet-Cookie: novalue\r\n\r\n");
    ASSERT_EQ(cookies.size(), 2u);
    EXPECT_EQ(cookies[0], std::make_pair(std::string("a"), std::string("1; path=/")));
    EXPECT_EQ(cookies[1], std::make_pair(std::string("b"), std::string("x=y")));
}

struct RequestRow {
    const char* method;
    const char* proxy;
    const char* body;
    size_t responseSize;
    int timeoutSeconds;
    bool timeoutOn;
    bool answered;       // the body comes back
    uint32_t waitedMs;   // the caller waited for the timeout
    const char* logged;  // a call the server saw; "": none, the request ended by the timeout
};

TEST(HttpRequestTest, MethodsProxyBodyCapAndTimeout) {
    const RequestRow rows[] = {
        {"", "", "", 700, 10, true, true, 0, "request GET /u.ini 10000"},
        {"GET", " \xA1\xA1 ", "", 5, 10, true, true, 0, "open Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)|"},
        {"GET", "proxy:8080", "", 5, 10, true, true, 0, "open Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)|http=proxy:8080"},
        {"POST", "", "a=1", 5, 10, true, true, 0,
         "send Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
         "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n"
         "Referer: http://h/u.ini\r\nAccept-Language: zh-cn\r\n"
         "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n|a=1"},
        {"POST", "", "", 5, 10, true, true, 0, "send Accept: image/gif"},
        {"GET", "", "ignored", kMaxResponseBody, 10, true, true, 0, "close"},
        {"GET", "", "", kMaxResponseBody + 1, 10, true, false, 0, "close"},
        {"PUT", "", "", 5, 10, true, false, 10000, ""},
        {"put", "", "", 5, 0, true, false, 90000, ""},
        {"HEAD", "", "", 5, 10, false, false, 90000, ""},
        {"PUT", "", "", 5, -3, true, false, 90000, ""},
    };
    for (const RequestRow& r : rows) {
        FakePlatform p;
        p.http.body.assign(r.responseSize, 'x');
        const uint32_t before = p.system.ticks;
        const std::string got = HttpRequest(p.app, "http://h/u.ini", r.method, r.proxy, "", r.body,
                                            r.timeoutSeconds, r.timeoutOn);
        const std::string what = std::string(r.method) + " " + std::to_string(r.responseSize);
        EXPECT_EQ(got, r.answered ? p.http.body : "") << what;
        const uint32_t waited = p.system.ticks - before;
        EXPECT_GE(waited, r.waitedMs) << what;
        EXPECT_LE(waited, r.waitedMs + 20) << what;
        if (*r.logged)
            EXPECT_TRUE(p.http.called(r.logged)) << what;
        else
            EXPECT_EQ(p.http.log, std::vector<std::string>{"abort"}) << what;
        // The form lines go only with a POST body.
        const bool formBody = std::string(r.method) == "POST" && *r.body;
        EXPECT_EQ(std::any_of(p.http.log.begin(), p.http.log.end(),
                              [](const std::string& l) { return l.find("Content-Type") != std::string::npos; }),
                  formBody) << what;
    }
}

TEST(HttpRequestTest, CookiesOfTheResponseGoToTheHost) {
    FakePlatform p;
    p.http.rawHeaders = "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nSet-Cookie: b=2; path=/\r\n\r\n";
    HttpRequest(p.app, "http://Host:81/x", "", "", "", "", 10, true);
    EXPECT_EQ(p.http.cookies, (std::vector<std::string>{"http://host|a|1", "http://host|b|2; path=/"}));
    EXPECT_TRUE(p.http.called("headers 1024"));
}

}  // namespace
}  // namespace dv
