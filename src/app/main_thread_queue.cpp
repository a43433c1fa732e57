#include "main_thread_queue.h"

#include <QSocketNotifier>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace pellomarin {

#if defined(Q_OS_UNIX)

MainThreadQueue::State::State() {
    int fds[2];
    if (::pipe(fds) != 0)
        qFatal("MainThreadQueue: no pipe");
    for (int fd : fds) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    readFd = fds[0];
    wakeFd = fds[1];
}

// Both ends live as long as any poster: a late write neither reaches a
// reused descriptor nor raises SIGPIPE.
MainThreadQueue::State::~State() {
    ::close(wakeFd);
    ::close(readFd);
}

MainThreadQueue::MainThreadQueue() {
    state->receiver = this;
    notifier = new QSocketNotifier(state->readFd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &MainThreadQueue::runPending);
}

void MainThreadQueue::State::wake() {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wakeFd, &byte, 1);
}

// One read takes every byte: each batch writes only one, so a second read
// would only find the pipe empty.
void MainThreadQueue::drainWakeUps() {
    char bytes[64];
    [[maybe_unused]] const auto read = ::read(state->readFd, bytes, sizeof bytes);
}

#else

// Elsewhere Qt's own queued call wakes the loop; it still carries no data.
MainThreadQueue::State::State() = default;
MainThreadQueue::State::~State() = default;

MainThreadQueue::MainThreadQueue() {
    state->receiver = this;
}

void MainThreadQueue::State::wake() {
    const std::lock_guard lock(mutex);  // keeps the receiver alive
    if (receiver)
        QMetaObject::invokeMethod(receiver, &MainThreadQueue::runPending, Qt::QueuedConnection);
}

void MainThreadQueue::drainWakeUps() {}

#endif

MainThreadQueue::~MainThreadQueue() {
    const std::lock_guard lock(state->mutex);
    state->receiver = nullptr;
    state->pending.clear();
}

PostToMain MainThreadQueue::poster() const {
    return [state = state](std::function<void()> work) { state->post(std::move(work)); };
}

void MainThreadQueue::State::post(std::function<void()> work) {
    {
        const std::lock_guard lock(mutex);
        if (!receiver)
            return;
        pending.push_back(std::move(work));
        // One wake-up for a batch: it is on its way while anything is pending.
        if (pending.size() > 1)
            return;
    }
    wake();
}

void MainThreadQueue::runPending() {
    drainWakeUps();
    {
        const std::lock_guard lock(state->mutex);
        running.swap(state->pending);  // both keep their capacity
    }
    for (auto& work : running)
        work();
    running.clear();
}

}  // namespace pellomarin
