#include "main_thread_queue.h"

#include <QSocketNotifier>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace pellomarin {

#if defined(Q_OS_UNIX)

MainThreadQueue::MainThreadQueue() {
    int fds[2];
    if (::pipe(fds) != 0)
        qFatal("MainThreadQueue: no pipe");
    for (int fd : fds) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    readFd = fds[0];
    state->wakeFd = fds[1];
    state->receiver = this;
    notifier = new QSocketNotifier(readFd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &MainThreadQueue::runPending);
}

void MainThreadQueue::State::wake() {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wakeFd, &byte, 1);
}

void MainThreadQueue::drainWakeUps() {
    char bytes[64];
    while (::read(readFd, bytes, sizeof bytes) > 0) {
    }
}

void MainThreadQueue::closeWakeUps() {
    ::close(state->wakeFd);
    delete notifier;
    ::close(readFd);
}

#else

// Elsewhere Qt's own queued call wakes the loop; it still carries no data.
MainThreadQueue::MainThreadQueue() {
    state->receiver = this;
}

void MainThreadQueue::State::wake() {
    QMetaObject::invokeMethod(receiver, &MainThreadQueue::runPending, Qt::QueuedConnection);
}

void MainThreadQueue::drainWakeUps() {}
void MainThreadQueue::closeWakeUps() {}

#endif

MainThreadQueue::~MainThreadQueue() {
    {
        const std::lock_guard lock(state->mutex);
        state->receiver = nullptr;
        state->pending.clear();
    }
    closeWakeUps();
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
