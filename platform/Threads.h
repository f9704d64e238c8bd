// Worker threads and the way back from them to the GUI thread.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

namespace dv {

// A started thread. Dropping the handle leaves the thread running; the program still
// waits for it when it ends (Threads::stopping).
class Worker {
public:
    virtual ~Worker() = default;
    // Waits up to ms milliseconds; true once the thread has ended.
    virtual bool wait(uint32_t ms) = 0;
};

class Threads {
public:
    virtual ~Threads() = default;
    // Runs body on a new thread; null (body not run) when no thread can be started.
    virtual std::unique_ptr<Worker> start(std::function<void()> body) = 0;
    // Runs call on the GUI thread the next time it handles its messages. False when the
    // call is dropped, as every call posted once the program has begun to end is.
    virtual bool postToGui(std::function<void()> call) = 0;
    // True once the program has begun to end: workers give up what they wait for.
    virtual bool stopping() = 0;
    // Waits ms milliseconds, less when the program begins to end; false then.
    virtual bool pause(uint32_t ms) = 0;
};

}  // namespace dv
