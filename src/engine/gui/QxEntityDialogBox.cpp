#include "engine/gui/QxEntityDialogBox.h"

#include <algorithm>
#include <cstdio>

#include "app/QxGlobals.h"
#include "app/QxMouseState.h"
#include "app/QxScreenSize.h"
#include "engine/gui/QxDialogParts.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/gui/QxEntityDialogFrame.h"
#include "engine/screen/QxScreen2D.h"

QxEntityDialogBoxType::QxEntityDialogBoxType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    if (definition == nullptr) {
        return;
    }
    definition->ReadKey("FrameEnt", m_frameRef);
    definition->ReadKey("Width", m_width);
    definition->ReadKey("Height", m_height);
    definition->ReadKey("Title", m_title);
    definition->ReadKey("TimeOut", m_timeOut);
}

QxEntityDialogBox::QxEntityDialogBox(QxEntityDialogBoxType* type)
    : QxEntity2DGUIElement(type), m_title(type->m_title) {
    m_frame = QxCreatePart<QxEntityDialogFrame>(type->m_frameRef, kKindDialogFrame);
    if (m_frame) {
        m_frame->SetDialog(this);
        m_frame->SetTitle(m_title);
    }
    QxEntityDialogBox::SetRect(0, 0, type->m_width, type->m_height);
    if (type->m_timeOut > 0) {
        QxEntityDialogBox::SetTimeOut(type->m_timeOut);
    }
}

QxEntityDialogBox::~QxEntityDialogBox() = default;

bool QxEntityDialogBox::Update(float ms) {
    if (m_dragging) {
        const QxPoint wanted{g_mouseState.x - m_grab.x, g_mouseState.y - m_grab.y};
        if (wanted.x != m_x || wanted.y != m_y) {
            Invalidate();
            // Clamp against the far edge first so a box larger than the screen still
            // keeps its top-left corner on screen.
            const std::int32_t x = std::max(0, std::min(wanted.x, kScreenWidth - m_width));
            const std::int32_t y = std::max(0, std::min(wanted.y, kScreenHeight - m_height));
            SetPosition(QxPoint{x, y});
            Invalidate();
        }
    }
    if (m_countingDown) {
        m_timeLeft -= ms;
        if (m_timeLeft <= 0.0f) {
            m_countingDown = 0;
            m_timeLeft = 0.0f;
            if (m_frame) {
                m_frame->SetTitle(m_title);
            }
            Close(kAnswerTimedOut);
        } else if (m_frame) {
            m_frame->SetTitle(ShownTitle());
        }
    }
    if (m_frame) {
        m_frame->Update(ms);
    }
    return QxEntity2DGUIElement::Update(ms);
}

bool QxEntityDialogBox::Draw() {
    if (!IsVisible()) {
        return true;
    }
    if (m_frame) {
        m_frame->SetAlpha(GetAlpha());
        m_frame->Draw();
    }
    return true;
}

void QxEntityDialogBox::Invalidate() {
    const QxRect box = GetRect();
    if (g_screen != nullptr && !box.IsEmpty()) {
        g_screen->MarkDirty(box, false);
    }
    if (m_frame) {
        m_frame->Invalidate();
    }
    QxEntity2DGUIElement::Invalidate();
}

void QxEntityDialogBox::SetPosition(QxPoint position) {
    QxEntity2DGUIElement::SetPosition(position);
    if (m_frame) {
        m_frame->SetPosition(position);
    }
    LayOut();
}

void QxEntityDialogBox::SetSize(std::int32_t width, std::int32_t height) {
    QxEntity2DGUIElement::SetSize(width, height);
    if (m_frame) {
        m_frame->SetSize(width, height);
    }
    LayOut();
}

void QxEntityDialogBox::SetRect(std::int32_t x, std::int32_t y, std::int32_t width,
                                std::int32_t height) {
    QxEntity2DGUIElement::SetRect(x, y, width, height);
    if (m_frame) {
        m_frame->SetRect(x, y, width, height);
    }
    LayOut();
}

bool QxEntityDialogBox::OnMouseUp(QxPoint point, int /*button*/) {
    StopCountDown();
    if (m_dragging) {
        m_dragging = 0;
        return true;
    }
    if (m_frame) {
        m_frame->OnMouseUp(point);
    }
    return StrictlyInside(point);
}

bool QxEntityDialogBox::OnPointerHook(QxPoint /*point*/, int /*button*/) {
    return true;
}

bool QxEntityDialogBox::OnMouseDown(QxPoint point, int /*button*/) {
    if (m_frame) {
        m_frame->OnMouseDown(point);
    }
    return StrictlyInside(point);
}

bool QxEntityDialogBox::OnIntegerHook(std::int32_t /*value*/) {
    return true;
}

bool QxEntityDialogBox::OnKey(int /*code*/) {
    StopCountDown();
    return false;
}

bool QxEntityDialogBox::OnKeyUp(int /*code*/) {
    return false;
}

void QxEntityDialogBox::SetTimeOut(std::int32_t ms) {
    if (ms > 0) {
        m_timeLeft = static_cast<float>(ms);
        m_countingDown = 1;
    } else {
        StopCountDown();
    }
}

void QxEntityDialogBox::Close(std::int32_t answer) {
    SetAnswer(answer);
    if (OwnerScene() != nullptr) {
        OwnerScene()->CloseDialog(this);
    }
}

void QxEntityDialogBox::SetTitle(const std::string& title) {
    m_title = title;
    if (m_frame) {
        m_frame->SetTitle(ShownTitle());
    }
}

void QxEntityDialogBox::StartDragging(QxPoint point) {
    m_dragging = 1;
    m_grab = QxPoint{point.x - m_x, point.y - m_y};
}

std::string QxEntityDialogBox::ShownTitle() const {
    if (!m_countingDown) {
        return m_title;
    }
    char count[32];
    std::snprintf(count, sizeof count, " (%d)", static_cast<int>(m_timeLeft / 1000.0f));
    return m_title + count;
}

QxPoint QxEntityDialogBox::ContentOrigin() const {
    const QxPoint offset = m_frame ? m_frame->ContentOffset() : QxPoint{0, 0};
    return QxPoint{m_x + offset.x, m_y + offset.y};
}

std::int32_t QxEntityDialogBox::FrameWidthExtra() const {
    return m_frame ? m_frame->RightInset() : 0;
}

std::int32_t QxEntityDialogBox::FrameHeightExtra() const {
    return m_frame ? m_frame->BottomInset() : 0;
}

void QxEntityDialogBox::StopCountDown() {
    if (!m_countingDown) {
        return;
    }
    m_countingDown = 0;
    if (m_frame) {
        m_frame->SetTitle(m_title);
    }
}

bool QxEntityDialogBox::StrictlyInside(QxPoint point) const {
    return point.x > m_x && point.x < m_x + m_width && point.y > m_y && point.y < m_y + m_height;
}
