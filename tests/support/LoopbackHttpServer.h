// A small HTTP server on 127.0.0.1 for the tests, run on a thread of the test program.
// Every connection gets the same reply; a silent server reads the request and never
// answers. The server stops when it is destroyed (a silent connection after 60 s at most).
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>

namespace dvtest {

class LoopbackHttpServer {
public:
    // "HTTP/1.1 200 OK", a Content-Length line, extra header lines, then the body.
    static std::string ok(const std::string& body, const std::string& headerLines = "") {
        return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
               "\r\nConnection: close\r\n" + headerLines + "\r\n" + body;
    }

    explicit LoopbackHttpServer(std::string reply, bool silent = false)
        : reply_(std::move(reply)), silent_(silent) {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a = {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int len = sizeof a;
        if (listener_ == INVALID_SOCKET || bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a) ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len) || listen(listener_, 8))
            return;
        port_ = ntohs(a.sin_port);
        thread_ = CreateThread(nullptr, 0, serveThread, this, 0, nullptr);
    }

    ~LoopbackHttpServer() {
        SetEvent(stop_);
        if (thread_) {
            WaitForSingleObject(thread_, INFINITE);
            CloseHandle(thread_);
        }
        if (listener_ != INVALID_SOCKET) closesocket(listener_);
        CloseHandle(stop_);
        WSACleanup();
    }

    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    bool running() const { return thread_ != nullptr; }
    int port() const { return port_; }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    int connections() const { return connections_; }
    std::string lastRequest() const {
        std::lock_guard<std::mutex> guard(lock_);
        return lastRequest_;
    }

private:
    static DWORD WINAPI serveThread(void* self) {
        static_cast<LoopbackHttpServer*>(self)->serve();
        return 0;
    }

    bool stopped(DWORD ms = 0) const { return WaitForSingleObject(stop_, ms) == WAIT_OBJECT_0; }

    void serve() {
        while (!stopped()) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(listener_, &ready);
            timeval tick = {0, 100000};
            if (select(0, &ready, nullptr, nullptr, &tick) != 1) continue;
            SOCKET c = accept(listener_, nullptr, nullptr);
            if (c == INVALID_SOCKET) continue;
            ++connections_;
            DWORD ms = 5000;
            setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms);
            const std::string request = readRequest(c);
            {
                std::lock_guard<std::mutex> guard(lock_);
                lastRequest_ = request;
            }
            if (silent_) {
                stopped(60000);
            } else {
                for (size_t sent = 0; sent < reply_.size();) {
                    int n = send(c, reply_.data() + sent, int(reply_.size() - sent), 0);
                    if (n <= 0) break;
                    sent += size_t(n);
                }
                shutdown(c, SD_SEND);
            }
            closesocket(c);
        }
    }

    // The header block and as many body bytes as its Content-Length names.
    static std::string readRequest(SOCKET c) {
        std::string in;
        char buf[4096];
        size_t want = std::string::npos;
        while (in.size() < want) {
            int n = recv(c, buf, sizeof buf, 0);
            if (n <= 0) break;
            in.append(buf, size_t(n));
            size_t end = in.find("\r\n\r\n");
            if (end != std::string::npos && want == std::string::npos) {
                size_t at = in.find("Content-Length: ");
                size_t body = at != std::string::npos && at < end ? std::stoul(in.substr(at + 16)) : 0;
                want = end + 4 + body;
            }
        }
        return in;
    }

    std::string reply_;
    bool silent_;
    HANDLE stop_ = nullptr;
    HANDLE thread_ = nullptr;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<int> connections_{0};
    mutable std::mutex lock_;
    std::string lastRequest_;
};

}  // namespace dvtest
