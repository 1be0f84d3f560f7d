#pragma once
// The one first-in first-out queue of input events: filled by the window and the
// main loop, emptied by the game object's frame.

#include <cstddef>
#include <deque>

#include "app/QxInputEvent.h"

class QxInputQueue {
public:
    void Push(QxInputEvent event) { events_.push_back(event); }
    // The oldest event; an empty queue answers an event of kind 0.
    QxInputEvent Front() const { return events_.empty() ? QxInputEvent{} : events_.front(); }
    // Drops the oldest event; nothing on an empty queue.
    void Pop() {
        if (!events_.empty()) {
            events_.pop_front();
        }
    }
    // Takes the oldest event out; false when the queue is empty.
    bool Take(QxInputEvent& event) {
        if (events_.empty()) {
            return false;
        }
        event = events_.front();
        events_.pop_front();
        return true;
    }
    std::size_t Size() const { return events_.size(); }
    bool Empty() const { return events_.empty(); }
    void Clear() { events_.clear(); }

private:
    std::deque<QxInputEvent> events_;
};

extern QxInputQueue g_inputQueue;
