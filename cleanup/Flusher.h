// Flushes files on a few worker threads while the caller goes on writing the next ones:
// each flush waits for the disk, and the disk settles several files in one go, so the
// caller neither waits for each flush in turn nor pays for each alone.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/FileSystem.h"

namespace dv {

class Flusher {
public:
    using Ticket = uint64_t;

    explicit Flusher(size_t threads = 4);
    // Every file handed over is flushed before the threads end.
    ~Flusher();
    Flusher(const Flusher&) = delete;
    Flusher& operator=(const Flusher&) = delete;

    // Hands the file over for its flush; it stays open, and the caller's, until done() or
    // wait() tells that it is flushed. The flushes start once a few files wait, or when the
    // caller waits. Without worker threads it is flushed here.
    Ticket add(File& file);
    bool done(Ticket ticket);
    // Waits until the file is flushed; false when the flush failed.
    bool wait(Ticket ticket);

private:
    void run();

    static constexpr size_t kBatch = 8;  // files waiting before the threads are woken

    std::mutex mutex_;
    // The threads are woken for a batch of files, and a waiter at each flush ended.
    std::condition_variable queued_, flushed_;
    std::deque<std::pair<Ticket, File*>> queue_;  // not yet taken by a thread
    std::set<Ticket> unflushed_;                  // handed over, flush not yet ended
    std::set<Ticket> failed_;
    Ticket next_ = 1;
    bool stop_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace dv
