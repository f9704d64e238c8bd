// A small blocking HTTP client: one GET or POST on a thread of its own, the body back as
// bytes, the cookies the server sets kept in the system's cookie store.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "shell/App.h"

namespace dv {

extern const char* const kHttpUserAgent;
constexpr size_t kMaxResponseBody = 1024 * 1024;  // a longer body is a failure

// The parts of an address such as "http://Host:8080/a?b". The host comes out in lower
// case; the port is 80 when the address names none; the path runs from the first "/"
// after the host to the end, query included, and is "/" when there is none.
std::string UrlHost(const std::string& address);
std::string UrlPath(const std::string& address);
int UrlPort(const std::string& address);

// The caller's header lines followed by the default Accept, Referer and Accept-Language
// lines that they do not already name (names compared without regard to case).
std::string completeHeaders(const std::string& headers, const std::string& address);

// (name, value) of every "Set-Cookie: " line of raw response headers; the value keeps
// its attributes (path, expiry).
std::vector<std::pair<std::string, std::string>> cookiesInHeaders(const std::string& rawHeaders);

// Fetches the address with method "" or "GET" (GET) or "POST"; any other method sends
// nothing. The proxy is "host:port", empty (spaces aside) for a direct connection. The
// body goes with POST only. Blocks the caller, which keeps handling its window messages,
// until the body has arrived or the timeout has run out: timeoutSeconds when timeoutOn
// and it is above 0, else 90. Returns the body, or nothing after any failure, a refused
// method, a body over kMaxResponseBody or the timeout. One request runs at a time; a
// second caller waits for the first.
std::string HttpRequest(App& app, const std::string& address, const std::string& method,
                        const std::string& proxy, const std::string& headers,
                        const std::string& body, int timeoutSeconds, bool timeoutOn);

}  // namespace dv
