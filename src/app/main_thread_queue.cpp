#include "main_thread_queue.h"

#include <fcntl.h>
#include <unistd.h>
#include <QSocketNotifier>

namespace pellomarin {

MainThreadQueue::MainThreadQueue() {
    int fds[2];
    if (::pipe(fds) != 0)
        qFatal("MainThreadQueue: no pipe");
    for (int fd : fds)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    for (int fd : fds)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    readFd = fds[0];
    state->wakeFd = fds[1];
    notifier = new QSocketNotifier(readFd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &MainThreadQueue::runPending);
}

MainThreadQueue::~MainThreadQueue() {
    {
        const std::lock_guard lock(state->mutex);
        ::close(state->wakeFd);
        state->wakeFd = -1;
        state->pending.clear();
    }
    delete notifier;
    ::close(readFd);
}

PostToMain MainThreadQueue::poster() const {
    return [state = state](std::function<void()> work) { state->post(std::move(work)); };
}

void MainThreadQueue::State::post(std::function<void()> work) {
    const std::lock_guard lock(mutex);
    if (wakeFd < 0)
        return;
    pending.push_back(std::move(work));
    // One wake-up for a batch: it is on its way while anything is pending.
    if (pending.size() == 1) {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(wakeFd, &byte, 1);
    }
}

void MainThreadQueue::runPending() {
    char bytes[64];
    while (::read(readFd, bytes, sizeof bytes) > 0) {
    }
    {
        const std::lock_guard lock(state->mutex);
        running.swap(state->pending);  // both keep their capacity
    }
    for (auto& work : running)
        work();
    running.clear();
}

}  // namespace pellomarin
