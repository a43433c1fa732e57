#include "serial_queue.h"

namespace pellomarin {

SerialQueue::Turn::Turn(SerialQueue& queue_) : queue(queue_) {
    const std::uint32_t ticket = queue.nextTicket.fetch_add(1, std::memory_order_relaxed);
    for (std::uint32_t now = queue.serving.load(std::memory_order_acquire); now != ticket;
         now = queue.serving.load(std::memory_order_acquire)) {
        queue.serving.wait(now, std::memory_order_acquire);
    }
}

SerialQueue::Turn::~Turn() {
    // seq_cst: the increment must be seen before notify_all looks for waiters.
    queue.serving.fetch_add(1, std::memory_order_seq_cst);
    queue.serving.notify_all();
}

}  // namespace pellomarin
