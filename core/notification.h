// Something a run tells whoever listens: a list of functions, each called
// with the news until it unsubscribes. Plain C++, so that the runs, which
// know nothing of windows, can tell the instruments without Qt.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace palmos {

template <class... Args>
class Notification {
  public:
    using Listener = std::function<void(Args...)>;

    // Adds a listener; the number returned takes it off again.
    int subscribe(Listener listener) {
        listeners_.emplace_back(++lastId_, std::move(listener));
        return lastId_;
    }
    void unsubscribe(int id) {
        std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
    }

    // Tells every listener, in the order they subscribed.
    void operator()(const Args&... args) const {
        for (const auto& [id, listener] : listeners_) {
            listener(args...);
        }
    }

  private:
    std::vector<std::pair<int, Listener>> listeners_;
    int lastId_ = 0;
};

}  // namespace palmos
