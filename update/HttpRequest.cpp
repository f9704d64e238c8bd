#include "update/HttpRequest.h"

#include <atomic>
#include <memory>
#include <mutex>

#include "text/Text.h"
#include "update/UpdateSchedule.h"

namespace dv {

const char* const kHttpUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

namespace {

constexpr int kDefaultTimeoutSeconds = 90;
constexpr int kLongestTimeoutSeconds = 24 * 60 * 60;
constexpr uint32_t kPollMs = 10;
constexpr size_t kReadChunk = 512;
constexpr size_t kRawHeaderBuffer = 1024;

const char* const kDefaultAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";
const char* const kDefaultAcceptLanguage = "Accept-Language: zh-cn\r\n";
const char* const kFormBodyType = "Content-Type: application/x-www-form-urlencoded\r\n";

// What the caller hands the request thread and what comes back. Shared, so a thread that
// outlives an abandoned call still has its slots.
struct RequestSlots {
    std::string address, method, proxy, headers, body;
    uint32_t timeoutMs = 0;
    std::shared_ptr<HttpSession> session;
    std::string result;
    std::atomic<bool> done{false};
};

// The address without its scheme up to the first "/"; `end` receives where it ends.
std::string authorityOf(const std::string& address, size_t& end) {
    const size_t from = startsWithNoCase(address, "http://") ? 7 : 0;
    end = address.find('/', from);
    if (end == std::string::npos) end = address.size();
    return address.substr(from, end - from);
}

// Every ordinary space and double-byte ideographic space (GBK, Big5, Shift-JIS) removed.
std::string withoutSpaces(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t len = charLength(text, i);
        const std::string c = text.substr(i, len);
        if (c != " " && c != "\xA1\xA1" && c != "\xA1\x40" && c != "\x81\x40") out += c;
        i += len;
    }
    return out;
}

// Header lines split at LF, without their CR.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// True when a line of the header text is a header of this name ("Name:" in any case,
// spaces allowed before the colon).
bool namesHeader(const std::string& headers, const std::string& name) {
    for (const std::string& line : linesOf(headers)) {
        size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        size_t end = colon;
        while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\t')) --end;
        if (end == name.size() && startsWithNoCase(line, name)) return true;
    }
    return false;
}

void storeCookies(Http& http, const std::string& address, const std::string& rawHeaders) {
    const std::string url = "http://" + UrlHost(address);
    for (const auto& [name, value] : cookiesInHeaders(rawHeaders)) http.setCookie(url, name, value);
}

// The request thread. Only a request that reached its end sets `done`: a refused method
// or a failed open leaves the caller waiting for its timeout.
void runRequest(Http& http, RequestSlots& s) {
    const bool post = s.method == "POST";
    if (!post && !s.method.empty() && s.method != "GET") return;
    HttpSession& net = *s.session;
    const std::string proxyList = withoutSpaces(s.proxy).empty() ? "" : "http=" + s.proxy;
    if (!net.open(kHttpUserAgent, proxyList) ||
        !net.connect(UrlHost(s.address), UrlPort(s.address)) ||
        !net.openRequest(post ? "POST" : "GET", UrlPath(s.address), s.timeoutMs)) {
        net.close();
        return;
    }
    std::string headers = completeHeaders(s.headers, s.address);
    std::string body;
    if (post && !s.body.empty()) {
        headers += kFormBodyType;
        headers += "Content-Length: " + std::to_string(s.body.size()) + "\r\n";
        body = s.body;
    }
    net.send(headers, body);  // a failed send shows as an empty read

    std::string received;
    bool tooLong = false;
    char chunk[kReadChunk];
    for (size_t n; (n = net.read(chunk, sizeof chunk)) > 0;) {
        if (received.size() + n > kMaxResponseBody) {
            tooLong = true;
            break;
        }
        received.append(chunk, n);
    }
    const std::string raw = net.rawHeaders(kRawHeaderBuffer);
    net.close();
    storeCookies(http, s.address, raw);
    if (!tooLong) s.result = std::move(received);
    s.done = true;
}

uint32_t timeoutMsOf(int seconds, bool timeoutOn) {
    if (!timeoutOn || seconds <= 0) seconds = kDefaultTimeoutSeconds;
    if (seconds > kLongestTimeoutSeconds) seconds = kLongestTimeoutSeconds;
    return uint32_t(seconds) * 1000u;
}

}  // namespace

std::string UrlHost(const std::string& address) {
    size_t end = 0;
    const std::string authority = authorityOf(address, end);
    return foldedName(authority.substr(0, authority.find(':')));
}

int UrlPort(const std::string& address) {
    size_t end = 0;
    const std::string authority = authorityOf(address, end);
    const size_t colon = authority.find(':');
    if (colon == std::string::npos) return 80;
    return int(leadingWholeNumber(authority.substr(colon + 1)));
}

// From the end of the host, so that a host spelled inside "http://" ("t", "p") cannot be
// found in the scheme.
std::string UrlPath(const std::string& address) {
    size_t end = 0;
    authorityOf(address, end);
    return end < address.size() ? address.substr(end) : "/";
}

std::string completeHeaders(const std::string& headers, const std::string& address) {
    std::string out = headers;
    if (!namesHeader(out, "Accept")) out += kDefaultAccept;
    if (!namesHeader(out, "Referer")) out += "Referer: " + address + "\r\n";
    if (!namesHeader(out, "Accept-Language")) out += kDefaultAcceptLanguage;
    return out;
}

// Only lines that begin with the header name: "Set-Cookie: " inside another header's
// value sets nothing.
std::vector<std::pair<std::string, std::string>> cookiesInHeaders(const std::string& rawHeaders) {
    static const std::string kSetCookie = "Set-Cookie: ";
    std::vector<std::pair<std::string, std::string>> cookies;
    for (const std::string& line : linesOf(rawHeaders)) {
        if (!startsWithNoCase(line, kSetCookie)) continue;
        const std::string rest = line.substr(kSetCookie.size());
        const size_t eq = rest.find('=');
        if (eq == std::string::npos || eq == 0) continue;
        cookies.emplace_back(rest.substr(0, eq), rest.substr(eq + 1));
    }
    return cookies;
}

std::string HttpRequest(App& app, const std::string& address, const std::string& method,
                        const std::string& proxy, const std::string& headers,
                        const std::string& body, int timeoutSeconds, bool timeoutOn) {
    if (!app.http || !app.threads) return std::string();
    // In the App, which outlives the check thread that may still hold it as the program ends.
    std::lock_guard<std::mutex> oneAtATime(app.state.update.oneRequest);
    auto slots = std::make_shared<RequestSlots>();
    slots->address = address;
    slots->method = method;
    slots->proxy = proxy;
    slots->headers = headers;
    slots->body = body;
    slots->timeoutMs = timeoutMsOf(timeoutSeconds, timeoutOn);
    slots->session = app.http->newSession();
    if (!slots->session) return std::string();

    const uint32_t start = app.system.tickCount();
    Http& http = *app.http;
    std::unique_ptr<Worker> worker = app.threads->start([&http, slots] { runRequest(http, *slots); });
    if (!worker) return std::string();

    bool abandoned = false;
    while (!slots->done) {
        if (app.threads->stopping() || app.system.tickCount() - start > slots->timeoutMs) {
            // Closing the handles makes the blocked call return; the thread is then joined.
            slots->session->abort();
            abandoned = true;
            break;
        }
        app.ui.processPendingMessages();
        // A thread that ended without finishing its request leaves only the clock to wait for.
        if (worker->wait(kPollMs) && !slots->done) app.system.sleep(kPollMs);
    }
    while (!worker->wait(kPollMs)) app.ui.processPendingMessages();
    if (abandoned) return std::string();
    return std::move(slots->result);
}

}  // namespace dv
