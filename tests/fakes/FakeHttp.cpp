#include "tests/fakes/FakeHttp.h"

#include <algorithm>
#include <cstring>

namespace dv {

namespace {

class FakeSession : public HttpSession {
public:
    explicit FakeSession(FakeHttp& http) : http_(http) {}
    bool open(const std::string& agent, const std::string& proxyList) override {
        http_.log.push_back("open " + agent + "|" + proxyList);
        return !http_.failOpen;
    }
    bool connect(const std::string& host, int port) override {
        http_.log.push_back("connect " + host + ":" + std::to_string(port));
        return true;
    }
    bool openRequest(const std::string& verb, const std::string& path, uint32_t ms) override {
        http_.log.push_back("request " + verb + " " + path + " " + std::to_string(ms));
        return true;
    }
    bool send(const std::string& headers, const std::string& body) override {
        http_.log.push_back("send " + headers + "|" + body);
        return true;
    }
    size_t read(char* buffer, size_t size) override {
        size_t n = std::min(size, http_.body.size() - at_);
        std::memcpy(buffer, http_.body.data() + at_, n);
        at_ += n;
        return n;
    }
    std::string rawHeaders(size_t size) override {
        http_.log.push_back("headers " + std::to_string(size));
        return http_.rawHeaders.size() < size ? http_.rawHeaders : std::string();
    }
    void close() override { http_.log.push_back("close"); }
    void abort() override { http_.log.push_back("abort"); }

private:
    FakeHttp& http_;
    size_t at_ = 0;
};

}  // namespace

std::shared_ptr<HttpSession> FakeHttp::newSession() { return std::make_shared<FakeSession>(*this); }

bool FakeHttp::called(const std::string& start) const {
    return std::any_of(log.begin(), log.end(),
                       [&](const std::string& l) { return l.compare(0, start.size(), start) == 0; });
}

}  // namespace dv
