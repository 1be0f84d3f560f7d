#pragma once
// The one first-in first-out queue of input events: filled by the window and the
// main loop, emptied by the game object's frame.

#include <cstddef>
#include <deque>

#include "app/QxInputEvent.h"

class QxInputQueue {
public:
    void Push(QxInputEvent event) { m_events.push_back(event); }
    // The oldest event; an empty queue answers an event of kind 0.
    QxInputEvent Front() const { return m_events.empty() ? QxInputEvent{} : m_events.front(); }
    // Takes the oldest event out; false when the queue is empty.
    bool Take(QxInputEvent& event) {
        if (m_events.empty()) {
            return false;
        }
        event = m_events.front();
        m_events.pop_front();
        return true;
    }
    std::size_t Size() const { return m_events.size(); }
    bool Empty() const { return m_events.empty(); }
    void Clear() { m_events.clear(); }

private:
    std::deque<QxInputEvent> m_events;
};

extern QxInputQueue g_inputQueue;
