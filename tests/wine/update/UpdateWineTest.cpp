// The HTTP client and the version check on the real WinINet, threads and files, against a
// server of the test's own on 127.0.0.1.
#include <gtest/gtest.h>

#include "tests/support/LoopbackHttpServer.h"

#include <wininet.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "platform/win32/Win32Http.h"
#include "platform/win32/Win32Threads.h"
#include "platform/win32/Win32UrlCache.h"
#include "shell/Publisher.h"
#include "shell/Settings.h"
#include "tests/wine/WineTest.h"
#include "update/HttpRequest.h"
#include "update/UpdateCheck.h"

namespace dv::winetest {
namespace {

using dvtest::LoopbackHttpServer;

// Handles the waiting messages of the thread that asks, as the window layer does, and
// counts the captions written (on this thread).
struct PumpingUi : FakeUi {
    int captions = 0;
    void setText(Ctl c, const std::string& t) override {
        ++captions;
        FakeUi::setText(c, t);
    }
    void processPendingMessages() override {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
};

// Records the addresses instead of starting a browser on the test machine.
struct AddressRecorder : Win32ShellOps {
    std::mutex lock;
    std::vector<std::string> opened;
    bool openAddress(const std::string& address) override {
        std::lock_guard<std::mutex> guard(lock);
        opened.push_back(address);
        return true;
    }
};

struct UpdateEnv {
    Win32FileSystem fs;
    Win32Registry registry;
    Win32IniFiles ini;
    AddressRecorder shell;
    Win32System system;
    PumpingUi ui;
    Win32UrlCache urlCache;
    App app{fs, registry, ini, shell, system, ui, urlCache, AppState{}};
    Win32Http http;
    Win32Threads threads;
    ScratchFolder folder{"update"};

    UpdateEnv() {
        app.state.baseFolder = folder.root();
        app.http = &http;
        app.threads = &threads;
        app.state.languageLines.assign(131, "");
        app.state.languageLines[129] = "130=Newer: ";
        app.state.languageLines[130] = "131=Newest";
    }
    ~UpdateEnv() { threads.finish(INFINITE); }
};

class UpdateWineTest : public ::testing::Test {
protected:
    void SetUp() override {
        // WinINet must not reach the loopback server through a proxy of the host.
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
            ASSERT_EQ(GetEnvironmentVariableA(name, nullptr, 0), 0u) << name << " is set";
    }
    UpdateEnv env;
};

// Polls for up to 20 s.
template <class Pred>
bool waitUntilTrue(Pred pred) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(10))
        if (pred()) return true;
    return pred();
}

std::atomic<int> timerTicks{0};
void CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) { ++timerTicks; }

std::string binaryBody(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) s[i] = char(i * 7 + 3);
    return s;
}

TEST_F(UpdateWineTest, RequestsAndTheirFailures) {
    const std::string small = binaryBody(3000);
    struct Row {
        const char* name;
        std::string reply;
        bool silent;
        const char* method;
        bool answered;
        int connections;
        DWORD minMs, maxMs;
    } rows[] = {
        {"GET", LoopbackHttpServer::ok(small), false, "", true, 1, 0, 1500},
        {"PUT", LoopbackHttpServer::ok(small), false, "PUT", false, 0, 2000, 3500},
        {"2 MiB", LoopbackHttpServer::ok(binaryBody(2 << 20)), false, "GET", false, 1, 0, 1900},
        {"silent", "", true, "GET", false, 1, 2000, 4500},
    };
    for (const Row& r : rows) {
        LoopbackHttpServer server(r.reply, r.silent);
        ASSERT_TRUE(server.running());
        timerTicks = 0;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, countTick);
        const DWORD start = GetTickCount();
        const std::string got =
            HttpRequest(env.app, server.url("/en/u.ini?q=1"), r.method, "", "", "", 2, true);
        const DWORD took = GetTickCount() - start;
        KillTimer(nullptr, timer);
        EXPECT_EQ(got, r.answered ? small : "") << r.name;
        EXPECT_EQ(server.connections(), r.connections) << r.name;
        EXPECT_GE(took, r.minMs) << r.name;
        EXPECT_LE(took, r.maxMs) << r.name;
        // The caller's messages are handled while it waits.
        if (r.minMs > 0) {
            EXPECT_GE(timerTicks.load(), 10) << r.name;
        }
    }
}

TEST_F(UpdateWineTest, GetCarriesTheFixedAndDefaultHeaders) {
    LoopbackHttpServer server(LoopbackHttpServer::ok("x"));
    const std::string url = server.url("/en/dustvane/update.ini");
    ASSERT_EQ(HttpRequest(env.app, url, "", "", "", "", 10, true), "x");
    const std::string request = server.lastRequest();
    EXPECT_EQ(request.rfind("GET /en/dustvane/update.ini HTTP/1.1\r\n", 0), 0u) << request;
    for (std::string line : {std::string("User-Agent: ") + kHttpUserAgent,
                             std::string("Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
                                         "application/x-shockwave-flash, application/vnd.ms-excel, "
                                         "application/vnd.ms-powerpoint, application/msword, */*"),
                             "Referer: " + url, std::string("Accept-Language: zh-cn")})
        EXPECT_NE(request.find("\r\n" + line + "\r\n"), std::string::npos) << line << "\n" << request;
}

TEST_F(UpdateWineTest, EverySetCookieLineIsStoredForTheHost) {
    LoopbackHttpServer server(
        LoopbackHttpServer::ok("x", "Set-Cookie: dvFirst=one\r\nSet-Cookie: dvSecond=two; path=/\r\n"));
    ASSERT_EQ(HttpRequest(env.app, server.url("/c"), "", "", "", "", 10, true), "x");
    char cookies[1024] = {};
    DWORD size = sizeof cookies;
    ASSERT_TRUE(InternetGetCookieA("http://127.0.0.1/", nullptr, cookies, &size));
    EXPECT_NE(std::string(cookies).find("dvFirst=one"), std::string::npos) << cookies;
    EXPECT_NE(std::string(cookies).find("dvSecond=two"), std::string::npos) << cookies;
}

TEST(UpdateCheckWine, OutcomeReachesTheLabelThroughTheGuiThread) {
    struct Row {
        const char* remote;  // nullptr: no server listens
        const char* label;
        bool browser;
    } rows[] = {{"[version]\r\nmainver=9\r\n", "Newer: 9", true},
                {"[version]\r\nmainver=8.50\r\n", "Newest", false},
                {nullptr, "Newest", false}};
    for (const Row& r : rows) {
        auto env = std::make_unique<UpdateEnv>();
        auto server = std::make_unique<LoopbackHttpServer>(LoopbackHttpServer::ok(r.remote ? r.remote : ""));
        const std::string address = server->url("/en/dustvane/update.ini");
        if (!r.remote) server.reset();  // the port is closed again
        iniWrite(env->app, basePath(env->app, "\\dustvaneset.ini"), "version", "listaddress", address);
        SetUpdateDisplayTarget(env->app, Ctl::updateStatusLabel, kWebsiteAddress);

        const DWORD start = GetTickCount();
        startVersionCheck(env->app);
        waitUntilTrue([&] {
            env->ui.processPendingMessages();
            return env->ui.captions > 0;
        });
        const DWORD took = GetTickCount() - start;
        EXPECT_EQ(env->ui.text(Ctl::updateStatusLabel), r.label) << address;
        EXPECT_GE(took, 3000u);
        EXPECT_LE(took, 15000u);
        env->threads.finish(INFINITE);  // the check and the browser thread have ended
        EXPECT_FALSE(env->fs.exists(basePath(env->app, "\\update.ini")));
        EXPECT_EQ(env->shell.opened.size(), r.browser ? 1u : 0u);
        if (r.browser) {
            EXPECT_EQ(env->shell.opened[0], kWebsiteAddress);
        }
    }
}

// Two checks never share the request or "\update.ini": the second waits for the first to
// end. A third asked for while the second still waits is the second.
TEST(UpdateCheckWine, OverlappingChecksTakeTurns) {
    UpdateEnv env;
    LoopbackHttpServer server(LoopbackHttpServer::ok("[version]\r\nmainver=8\r\n"));
    iniWrite(env.app, basePath(env.app, "\\dustvaneset.ini"), "version", "listaddress",
             server.url("/u.ini"));
    const DWORD start = GetTickCount();
    startVersionCheck(env.app);
    ASSERT_TRUE(waitUntilTrue([&] { return server.connections() == 1; }));
    startVersionCheck(env.app);
    startVersionCheck(env.app);
    EXPECT_TRUE(waitUntilTrue([&] {
        env.ui.processPendingMessages();
        return env.ui.captions == 2;
    }));
    EXPECT_GE(GetTickCount() - start, 6000u) << "the second check ran alongside the first";
    env.threads.finish(INFINITE);
    EXPECT_EQ(server.connections(), 2);
    EXPECT_EQ(env.ui.captions, 2);
}

}  // namespace
}  // namespace dv::winetest
