#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace pellomarin {

// A list of callbacks told of a change. Owned and used by one thread (the
// main thread for everything in the engine).
class Observers {
public:
    using Callback = std::function<void()>;

    // Keeps its callback registered while it lives; safe to outlive the list.
    class Subscription {
    public:
        Subscription() = default;
        Subscription(Subscription&&) noexcept = default;
        Subscription& operator=(Subscription&& other) noexcept {
            cancel();
            list = std::move(other.list);
            key = other.key;
            return *this;
        }
        ~Subscription() { cancel(); }
        void cancel() {
            if (auto callbacks = list.lock())
                callbacks->erase(key);
            list.reset();
        }

    private:
        friend class Observers;
        std::weak_ptr<std::map<std::uint64_t, Callback>> list;
        std::uint64_t key = 0;
    };

    [[nodiscard]] Subscription subscribe(Callback callback) {
        Subscription subscription;
        subscription.key = nextKey++;
        subscription.list = callbacks;
        callbacks->emplace(subscription.key, std::move(callback));
        return subscription;
    }

    void notify() const {
        // A copy, so that a callback may subscribe or unsubscribe.
        const auto current = *callbacks;
        for (const auto& [key, callback] : current)
            callback();
    }

private:
    std::shared_ptr<std::map<std::uint64_t, Callback>> callbacks =
        std::make_shared<std::map<std::uint64_t, Callback>>();
    std::uint64_t nextKey = 0;
};

// An observable flag; the application's one holder turns true at the first
// start of any model and is never reset. Main thread only.
class BoolHolder {
public:
    bool value() const { return value_; }
    void setValue(bool newValue) {
        if (newValue == value_)
            return;
        value_ = newValue;
        observers.notify();
    }
    [[nodiscard]] Observers::Subscription observe(Observers::Callback callback) {
        return observers.subscribe(std::move(callback));
    }

private:
    bool value_ = false;
    Observers observers;
};

}  // namespace pellomarin
