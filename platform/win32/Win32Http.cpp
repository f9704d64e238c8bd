#include "platform/win32/Win32Http.h"

#include <windows.h>
#include <wininet.h>

#include <mutex>

namespace dv {

namespace {

// The three handles of one exchange. abort() may come from another thread while a call
// runs: the handles are read and changed under the lock, and the calls themselves run
// outside it, so closing a handle can end a call blocked on it.
class Win32HttpSession : public HttpSession {
public:
    ~Win32HttpSession() override { close(); }

    bool open(const std::string& agent, const std::string& proxyList) override {
        HINTERNET h = proxyList.empty()
                          ? InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0)
                          : InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PROXY, proxyList.c_str(),
                                          "", 0);
        return keep(internet_, h);
    }

    bool connect(const std::string& host, int port) override {
        HINTERNET internet = current(internet_);
        if (!internet || port < 0 || port > 65535) return false;
        return keep(connection_, InternetConnectA(internet, host.c_str(), INTERNET_PORT(port),
                                                  nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    }

    bool openRequest(const std::string& verb, const std::string& path, uint32_t timeoutMs) override {
        HINTERNET connection = current(connection_);
        if (!connection) return false;
        HINTERNET h = HttpOpenRequestA(connection, verb.c_str(), path.c_str(), "HTTP/1.1", nullptr,
                                       nullptr, INTERNET_FLAG_RELOAD, 0);
        // A call blocked in the network ends by itself at the latest after this time,
        // also where closing its handle does not end it.
        if (h) {
            DWORD ms = timeoutMs;
            for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                                 INTERNET_OPTION_RECEIVE_TIMEOUT})
                InternetSetOptionA(h, option, &ms, sizeof ms);
        }
        return keep(request_, h);
    }

    bool send(const std::string& headers, const std::string& body) override {
        HINTERNET request = current(request_);
        if (!request) return false;
        return HttpSendRequestA(request, headers.empty() ? nullptr : headers.c_str(),
                                DWORD(headers.size()),
                                body.empty() ? nullptr : const_cast<char*>(body.data()),
                                DWORD(body.size())) != FALSE;
    }

    size_t read(char* buffer, size_t size) override {
        HINTERNET request = current(request_);
        DWORD got = 0;
        if (!request || !InternetReadFile(request, buffer, DWORD(size), &got)) return 0;
        return got;
    }

    std::string rawHeaders(size_t bufferSize) override {
        HINTERNET request = current(request_);
        if (!request) return std::string();
        std::string buffer(bufferSize, '\0');
        DWORD length = DWORD(bufferSize);
        if (!HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, &buffer[0], &length, nullptr))
            return std::string();
        buffer.resize(length < bufferSize ? length : bufferSize);
        return buffer;
    }

    void close() override {
        std::lock_guard<std::mutex> guard(lock_);
        closeAll();
    }

    void abort() override {
        std::lock_guard<std::mutex> guard(lock_);
        aborted_ = true;
        closeAll();
    }

private:
    HINTERNET current(HINTERNET& slot) {
        std::lock_guard<std::mutex> guard(lock_);
        return aborted_ ? nullptr : slot;
    }

    // Stores a fresh handle; one that arrives after an abort is closed at once.
    bool keep(HINTERNET& slot, HINTERNET h) {
        std::lock_guard<std::mutex> guard(lock_);
        if (h && aborted_) {
            InternetCloseHandle(h);
            return false;
        }
        slot = h;
        return h != nullptr;
    }

    void closeAll() {
        for (HINTERNET* h : {&request_, &connection_, &internet_}) {
            if (*h) InternetCloseHandle(*h);
            *h = nullptr;
        }
    }

    std::mutex lock_;
    HINTERNET internet_ = nullptr, connection_ = nullptr, request_ = nullptr;
    bool aborted_ = false;
};

}  // namespace

std::shared_ptr<HttpSession> Win32Http::newSession() { return std::make_shared<Win32HttpSession>(); }

bool Win32Http::setCookie(const std::string& url, const std::string& name, const std::string& data) {
    return InternetSetCookieA(url.c_str(), name.c_str(), data.c_str()) != FALSE;
}

}  // namespace dv
