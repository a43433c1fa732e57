#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "model.h"

namespace pellomarin {

// Runs functions posted from any thread on the thread that owns this object
// (the main thread). The functions cross threads under our own mutex; Qt only
// carries a wake-up that holds no data. Posting after this object is gone
// drops the function.
class MainThreadQueue : public QObject {
    Q_OBJECT

public:
    MainThreadQueue();
    ~MainThreadQueue() override;

    PostToMain poster() const;

private:
    struct State {
        std::mutex mutex;
        std::vector<std::function<void()>> pending;
        MainThreadQueue* receiver = nullptr;
        void post(std::function<void()> work);
    };

    void runPending();

    std::shared_ptr<State> state = std::make_shared<State>();
    std::vector<std::function<void()>> running;
};

}  // namespace pellomarin
