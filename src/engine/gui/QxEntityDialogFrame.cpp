#include "engine/gui/QxEntityDialogFrame.h"

#include "engine/gui/QxDialogParts.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxEntityDialogBox.h"

QxEntityDialogFrameType::QxEntityDialogFrameType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    if (definition == nullptr) {
        return;
    }
    definition->ReadKey("HasTitle", m_hasTitle);
    definition->ReadKey("TitleHeight", m_titleHeight);
    definition->ReadKey("TitleOffset", m_titleOffset);
    definition->ReadKey("TitleTextEnt", m_titleTextRef);
}

QxEntityDialogFrame::QxEntityDialogFrame(QxEntityDialogFrameType* type)
    : QxEntity2DGUIElement(type) {
    m_titleText = QxCreatePart<QxEntity2DGUIText>(type->m_titleTextRef, kKindText);
}

QxEntityDialogFrame::~QxEntityDialogFrame() = default;

bool QxEntityDialogFrame::Update(float ms) {
    if (m_titleText) {
        m_titleText->Update(ms);
    }
    return QxEntity2DGUIElement::Update(ms);
}

bool QxEntityDialogFrame::Draw() {
    if (m_titleText && FrameType()->m_hasTitle) {
        m_titleText->SetAlpha(GetAlpha());
        m_titleText->Draw();
    }
    return true;
}

void QxEntityDialogFrame::SetPosition(QxPoint position) {
    QxEntity2DGUIElement::SetPosition(position);
    if (m_titleText) {
        const QxPoint offset = FrameType()->m_titleOffset;
        m_titleText->SetPosition(QxPoint{position.x + offset.x, position.y + offset.y});
    }
}

void QxEntityDialogFrame::Invalidate() {
    if (m_titleText) {
        m_titleText->Invalidate();
    }
}

bool QxEntityDialogFrame::OnMouseUp(QxPoint /*point*/) {
    if (m_dialog != nullptr) {
        m_dialog->StopDragging();
    }
    return false;
}

bool QxEntityDialogFrame::OnMouseDown(QxPoint point) {
    if (!FrameType()->m_hasTitle || m_dialog == nullptr) {
        return false;
    }
    const QxRect bar = TitleBar();
    if (point.x > bar.left && point.x < bar.right && point.y > bar.top && point.y < bar.bottom) {
        m_dialog->StartDragging(point);
    }
    return false;
}

QxPoint QxEntityDialogFrame::ContentOffset() const {
    return QxPoint{0, 0};
}

std::int32_t QxEntityDialogFrame::RightInset() const {
    return 0;
}

std::int32_t QxEntityDialogFrame::BottomInset() const {
    return 0;
}

void QxEntityDialogFrame::SetTitle(const std::string& title) {
    m_title = title;
    if (m_titleText) {
        m_titleText->SetString(kPropText, title);
        m_titleText->Invalidate();
    }
}

QxRect QxEntityDialogFrame::TitleBar() const {
    const QxRect frame = GetRect();
    return QxRect{frame.left, frame.right, frame.top, frame.top + FrameType()->m_titleHeight};
}
