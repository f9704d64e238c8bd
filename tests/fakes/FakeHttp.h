// An HTTP server in memory: every session meets the same answer, and every call is logged.
#pragma once
#include <string>
#include <vector>

#include "platform/Http.h"

namespace dv {

class FakeHttp : public Http {
public:
    std::string body;                                   // the response body
    std::string rawHeaders = "HTTP/1.1 200 OK\r\n\r\n";  // what rawHeaders() finds
    bool failOpen = false;                              // InternetOpenA fails
    // "open AGENT|PROXY", "connect HOST:PORT", "request VERB PATH MS", "send HEADERS|BODY",
    // "headers SIZE", "close", "abort".
    std::vector<std::string> log;
    std::vector<std::string> cookies;  // "URL|NAME|DATA"

    std::shared_ptr<HttpSession> newSession() override;
    bool setCookie(const std::string& url, const std::string& name,
                   const std::string& data) override {
        cookies.push_back(url + "|" + name + "|" + data);
        return true;
    }
    // True when a logged call starts with this text.
    bool called(const std::string& start) const;
};

}  // namespace dv
