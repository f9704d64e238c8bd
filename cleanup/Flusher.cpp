#include "cleanup/Flusher.h"

#include <system_error>

namespace dv {

Flusher::Flusher(size_t threads) {
    try {
        for (size_t i = 0; i < threads; ++i) threads_.emplace_back([this] { run(); });
    } catch (const std::system_error&) {
        // Fewer threads, or none: add() then flushes on the caller's thread.
    }
}

Flusher::~Flusher() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    queued_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void Flusher::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        queued_.wait(lock, [&] { return stop_ || !queue_.empty(); });
        if (queue_.empty()) return;  // stopping, and nothing left
        const auto [ticket, file] = queue_.front();
        queue_.pop_front();
        lock.unlock();
        const bool ok = file->flush();
        lock.lock();
        unflushed_.erase(ticket);
        if (!ok) failed_.insert(ticket);
        flushed_.notify_all();
    }
}

Flusher::Ticket Flusher::add(File& file) {
    std::lock_guard<std::mutex> lock(mutex_);
    const Ticket ticket = next_++;
    if (threads_.empty()) {
        if (!file.flush()) failed_.insert(ticket);
        return ticket;
    }
    unflushed_.insert(ticket);
    queue_.emplace_back(ticket, &file);
    // The threads are woken for a batch: each wake-up costs a trip to the system, and the
    // disk settles the flushes of a batch together.
    if (queue_.size() >= kBatch) queued_.notify_all();
    return ticket;
}

bool Flusher::done(Ticket ticket) {
    std::lock_guard<std::mutex> lock(mutex_);
    return unflushed_.count(ticket) == 0;
}

bool Flusher::wait(Ticket ticket) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (unflushed_.count(ticket) && !queue_.empty()) queued_.notify_all();  // a batch not yet full
    flushed_.wait(lock, [&] { return unflushed_.count(ticket) == 0; });
    return failed_.erase(ticket) == 0;
}

}  // namespace dv
