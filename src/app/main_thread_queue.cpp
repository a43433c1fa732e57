#include "main_thread_queue.h"

namespace pellomarin {

MainThreadQueue::MainThreadQueue() {
    state->receiver = this;
}

MainThreadQueue::~MainThreadQueue() {
    const std::lock_guard lock(state->mutex);
    state->receiver = nullptr;
    state->pending.clear();
}

PostToMain MainThreadQueue::poster() const {
    return [state = state](std::function<void()> work) { state->post(std::move(work)); };
}

void MainThreadQueue::State::post(std::function<void()> work) {
    const std::lock_guard lock(mutex);
    if (!receiver)
        return;
    pending.push_back(std::move(work));
    // One wake-up for a batch: it is on its way while anything is pending.
    if (pending.size() == 1)
        QMetaObject::invokeMethod(receiver, &MainThreadQueue::runPending, Qt::QueuedConnection);
}

void MainThreadQueue::runPending() {
    {
        const std::lock_guard lock(state->mutex);
        running.swap(state->pending);  // both keep their capacity
    }
    for (auto& work : running)
        work();
    running.clear();
}

}  // namespace pellomarin
