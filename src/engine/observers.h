#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace pellomarin {

// A list of callbacks told of a change. Owned and used by one thread (the
// main thread for everything in the engine). Telling allocates nothing: the
// model tells its views up to thousands of times a second.
class Observers {
public:
    using Callback = std::function<void()>;

private:
    struct List {
        std::vector<std::pair<std::uint64_t, Callback>> entries;
        std::uint64_t nextKey = 0;
        int notifying = 0;
    };

public:
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
            if (const auto entries = list.lock()) {
                for (auto& entry : entries->entries)
                    if (entry.first == key)
                        entry.second = nullptr;  // swept after telling
                if (entries->notifying == 0)
                    sweep(*entries);
            }
            list.reset();
        }

    private:
        friend class Observers;
        std::weak_ptr<List> list;
        std::uint64_t key = 0;
    };

    [[nodiscard]] Subscription subscribe(Callback callback) {
        Subscription subscription;
        subscription.key = list->nextKey++;
        subscription.list = list;
        list->entries.emplace_back(subscription.key, std::move(callback));
        return subscription;
    }

    // Callbacks may subscribe and unsubscribe; those added now are told next time.
    void notify() const {
        const auto keep = list;
        ++keep->notifying;
        const std::size_t count = keep->entries.size();
        for (std::size_t i = 0; i < count; ++i) {
            if (!keep->entries[i].second)
                continue;
            // A copy: a callback that subscribes may move the list's entries.
            const Callback callback = keep->entries[i].second;
            callback();
        }
        if (--keep->notifying == 0)
            sweep(*keep);
    }

private:
    static void sweep(List& entries) {
        std::erase_if(entries.entries, [](const auto& entry) { return !entry.second; });
    }

    std::shared_ptr<List> list = std::make_shared<List>();
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
