// HTTP through the system's Internet functions.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace dv {

// One HTTP exchange. The thread that runs it makes every call but abort(), in the order
// an exchange needs them; each call fails once an earlier one has failed.
class HttpSession {
public:
    virtual ~HttpSession() = default;  // closes whatever is still open
    // InternetOpenA with this agent name: a direct connection when proxyList is empty,
    // else through the proxy list as given ("http=host:port").
    virtual bool open(const std::string& agent, const std::string& proxyList) = 0;
    // InternetConnectA to an HTTP server, without user name or password.
    virtual bool connect(const std::string& host, int port) = 0;
    // HttpOpenRequestA: HTTP/1.1, always fetched from the server, never from the cache.
    // Connecting, sending and receiving give up after timeoutMs each.
    virtual bool openRequest(const std::string& verb, const std::string& path,
                             uint32_t timeoutMs) = 0;
    // HttpSendRequestA with the header lines and the body; either may be empty.
    virtual bool send(const std::string& headers, const std::string& body) = 0;
    // InternetReadFile; the bytes read, 0 at the end of the body or on failure.
    virtual size_t read(char* buffer, size_t size) = 0;
    // The raw response headers, CR LF separated, read into a buffer of bufferSize bytes;
    // empty when they do not fit or cannot be read.
    virtual std::string rawHeaders(size_t bufferSize) = 0;
    // Closes the request, the connection and the Internet handle, in that order.
    virtual void close() = 0;
    // From any other thread: ends the exchange. A call blocked in the network returns
    // (at the latest when its own timeout runs out) and every later call fails.
    virtual void abort() = 0;
};

class Http {
public:
    virtual ~Http() = default;
    // A fresh exchange; null when none can be made.
    virtual std::shared_ptr<HttpSession> newSession() = 0;
    // InternetSetCookieA(url, name, data) into the system's cookie store.
    virtual bool setCookie(const std::string& url, const std::string& name,
                           const std::string& data) = 0;
};

}  // namespace dv
