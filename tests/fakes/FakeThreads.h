// Threads for unit tests: a started body runs at once on the calling thread, and calls
// posted to the GUI thread wait until the test runs them.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "platform/Threads.h"

namespace dv {

class FakeThreads : public Threads {
public:
    int started = 0;
    std::vector<uint32_t> pauses;
    std::vector<std::function<void()>> posted;
    bool stop = false;  // the program is ending

    std::unique_ptr<Worker> start(std::function<void()> body) override {
        ++started;
        body();
        return std::make_unique<Ended>();
    }
    bool postToGui(std::function<void()> call) override {
        if (!stop) posted.push_back(std::move(call));
        return !stop;
    }
    bool stopping() override { return stop; }
    bool pause(uint32_t ms) override {
        pauses.push_back(ms);
        return !stop;
    }
    // Runs the posted calls, as the GUI thread would.
    void runPosted() {
        std::vector<std::function<void()>> calls;
        calls.swap(posted);
        for (auto& call : calls) call();
    }

private:
    struct Ended : Worker {
        bool wait(uint32_t) override { return true; }
    };
};

}  // namespace dv
