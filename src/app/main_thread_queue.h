#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "model.h"

class QSocketNotifier;

namespace pellomarin {

// Runs functions posted from any thread on the thread that owns this object
// (the main thread). The functions cross threads under our own mutex; on Unix
// the event loop is woken through a pipe that carries no data of ours, so no
// Qt object is handed between threads. Posting after this object is gone
// drops the function.
class MainThreadQueue : public QObject {
    Q_OBJECT

public:
    MainThreadQueue();
    ~MainThreadQueue() override;

    PostToMain poster() const;

private:
    // Shared with the posters. It owns the wake-up channel, so that a poster
    // can wake the loop after letting go of `mutex` (a main thread woken
    // while the poster still held it would block at once on it).
    struct State {
        State();
        ~State();
        std::mutex mutex;
        std::vector<std::function<void()>> pending;
        MainThreadQueue* receiver = nullptr;  // null once the queue is gone
        int readFd = -1;
        int wakeFd = -1;
        void post(std::function<void()> work);
        void wake();
    };

    void runPending();
    void drainWakeUps();

    std::shared_ptr<State> state = std::make_shared<State>();
    std::vector<std::function<void()>> running;
    QSocketNotifier* notifier = nullptr;
};

}  // namespace pellomarin
