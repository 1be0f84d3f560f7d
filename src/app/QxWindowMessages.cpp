#include "app/QxWindowMessages.h"

#include <utility>

namespace {

// The virtual keys with a key code of their own; F1 to F12 follow as a range.
constexpr std::pair<std::uint32_t, std::int32_t> kKeyCodes[] = {
    {QxVirtualKey::Up, QxKey::Up},           {QxVirtualKey::Down, QxKey::Down},
    {QxVirtualKey::Right, QxKey::Right},     {QxVirtualKey::Left, QxKey::Left},
    {QxVirtualKey::Control, QxKey::Control}, {QxVirtualKey::Shift, QxKey::Shift},
    {QxVirtualKey::PageUp, QxKey::PageUp},   {QxVirtualKey::PageDown, QxKey::PageDown},
    {QxVirtualKey::Home, QxKey::Home},       {QxVirtualKey::End, QxKey::End},
};

// The mouse button messages: each becomes one event that carries no value.
constexpr std::pair<std::uint32_t, QxInputKind> kButtonEvents[] = {
    {QxWindowMessage::LeftButtonDown, QxInputKind::LeftDown},
    {QxWindowMessage::LeftButtonUp, QxInputKind::LeftUp},
    {QxWindowMessage::RightButtonDown, QxInputKind::RightDown},
    {QxWindowMessage::RightButtonUp, QxInputKind::RightUp},
    {QxWindowMessage::MiddleButtonDown, QxInputKind::MiddleDown},
    {QxWindowMessage::MiddleButtonUp, QxInputKind::MiddleUp},
};

} // namespace

std::int32_t KeyCodeFromVirtualKey(std::uint32_t virtualKey) {
    for (const auto& [key, code] : kKeyCodes) {
        if (virtualKey == key) {
            return code;
        }
    }
    if (virtualKey >= QxVirtualKey::F1 && virtualKey <= QxVirtualKey::F12) {
        return QxKey::F1 + static_cast<std::int32_t>(virtualKey - QxVirtualKey::F1);
    }
    return 0;
}

bool QueueKey(QxInputQueue& queue, bool down, std::uint32_t virtualKey) {
    std::int32_t code = KeyCodeFromVirtualKey(virtualKey);
    if (code == 0) {
        return false;
    }
    queue.Push(QxInputEvent::Make(down ? QxInputKind::KeyDown : QxInputKind::KeyUp,
                                  static_cast<std::uint32_t>(code)));
    return true;
}

void QueueCharacter(QxInputQueue& queue, std::uint32_t character) {
    auto byte = static_cast<std::int8_t>(static_cast<std::uint8_t>(character & 0xFFu));
    queue.Push(QxInputEvent::Make(QxInputKind::KeyDown,
                                  static_cast<std::uint32_t>(static_cast<std::int32_t>(byte))));
}

void QueueMouseMove(QxInputQueue& queue, std::uint32_t positionWord) {
    queue.Push(QxInputEvent::MouseMove(static_cast<std::int16_t>(positionWord & 0xFFFFu),
                                       static_cast<std::int16_t>(positionWord >> 16)));
}

void QueueMouseWheel(QxInputQueue& queue, std::uint32_t wheelParameter) {
    queue.Push(QxInputEvent::MouseWheel(static_cast<std::int16_t>(wheelParameter >> 16)));
}

void QueueActivation(QxInputQueue& queue, std::uint32_t activeParameter) {
    queue.Push(QxInputEvent::Make((activeParameter & 0xFFFFu) == 0 ? QxInputKind::Deactivated
                                                                   : QxInputKind::Activated));
}

bool TranslateInputMessage(QxInputQueue& queue, std::uint32_t message, std::uint64_t firstParameter,
                           std::uint64_t secondParameter) {
    auto first = static_cast<std::uint32_t>(firstParameter);
    auto second = static_cast<std::uint32_t>(secondParameter);
    for (const auto& [button, kind] : kButtonEvents) {
        if (message == button) {
            queue.Push(QxInputEvent::Make(kind));
            return true;
        }
    }
    switch (message) {
    case QxWindowMessage::ActivateApp:
        QueueActivation(queue, first);
        return true;
    case QxWindowMessage::KeyDown:
        QueueKey(queue, true, first);
        return true;
    case QxWindowMessage::KeyUp:
        QueueKey(queue, false, first);
        return true;
    case QxWindowMessage::Char:
        QueueCharacter(queue, first);
        return true;
    case QxWindowMessage::MouseMove:
        QueueMouseMove(queue, second);
        return true;
    case QxWindowMessage::MouseWheel:
        QueueMouseWheel(queue, first);
        return true;
    default:
        return false;
    }
}
