#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <utility>

namespace pellomarin {

// Runs work items one at a time, in the order they were handed in. `sync`
// runs the work on the calling thread once every earlier item has finished,
// as a dispatch queue does when nothing is queued: a tick then costs no
// hand-over to another thread, which matters at periods of a few microseconds.
class SerialQueue {
public:
    explicit SerialQueue(std::string label) : label_(std::move(label)) {}
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    const std::string& label() const { return label_; }

    // Waits for the queue's turn, runs `work` and returns what it returns.
    // Must not be called from inside work of the same queue.
    template <typename Work>
    decltype(auto) sync(Work&& work) {
        const Turn turn(*this);
        return std::forward<Work>(work)();
    }

private:
    // A ticket lock: first come, first served, so a busy timer cannot starve
    // the main thread's Restart.
    class Turn {
    public:
        explicit Turn(SerialQueue& queue);
        ~Turn();
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;

    private:
        SerialQueue& queue;
    };

    std::string label_;
    std::atomic<std::uint32_t> nextTicket{0};
    std::atomic<std::uint32_t> serving{0};
};

}  // namespace pellomarin
