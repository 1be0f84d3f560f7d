#include "app/QxWindowMessages.h"

std::int32_t KeyCodeFromVirtualKey(std::uint32_t virtualKey) {
    switch (virtualKey) {
    case QxVirtualKey::Up:
        return QxKey::Up;
    case QxVirtualKey::Down:
        return QxKey::Down;
    case QxVirtualKey::Right:
        return QxKey::Right;
    case QxVirtualKey::Left:
        return QxKey::Left;
    case QxVirtualKey::Control:
        return QxKey::Control;
    case QxVirtualKey::Shift:
        return QxKey::Shift;
    case QxVirtualKey::PageUp:
        return QxKey::PageUp;
    case QxVirtualKey::PageDown:
        return QxKey::PageDown;
    case QxVirtualKey::Home:
        return QxKey::Home;
    case QxVirtualKey::End:
        return QxKey::End;
    default:
        break;
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
    case QxWindowMessage::LeftButtonDown:
        queue.Push(QxInputEvent::Make(QxInputKind::LeftDown));
        return true;
    case QxWindowMessage::LeftButtonUp:
        queue.Push(QxInputEvent::Make(QxInputKind::LeftUp));
        return true;
    case QxWindowMessage::RightButtonDown:
        queue.Push(QxInputEvent::Make(QxInputKind::RightDown));
        return true;
    case QxWindowMessage::RightButtonUp:
        queue.Push(QxInputEvent::Make(QxInputKind::RightUp));
        return true;
    case QxWindowMessage::MiddleButtonDown:
        queue.Push(QxInputEvent::Make(QxInputKind::MiddleDown));
        return true;
    case QxWindowMessage::MiddleButtonUp:
        queue.Push(QxInputEvent::Make(QxInputKind::MiddleUp));
        return true;
    case QxWindowMessage::MouseWheel:
        QueueMouseWheel(queue, first);
        return true;
    default:
        return false;
    }
}
