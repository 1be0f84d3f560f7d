#include "engine/gui/QxEntityInputBox.h"

#include <algorithm>

#include "engine/gui/QxDialogParts.h"
#include "engine/gui/QxEntity2DGUIText.h"

namespace {

constexpr const char* kPartKeys[QxEntityInputBoxType::kSlotCount] = {
    "InstructionsEnt", "InputEnt", "InputFrameEnt", "OKButtonEnt", "CancelButtonEnt"};

} // namespace

QxEntityInputBoxType::QxEntityInputBoxType(QxDefinition* definition) : QxEntityTypeOf(definition) {
    ReadPartRefs(definition, kPartKeys, m_partRefs);
}

QxEntityInputBox::QxEntityInputBox(QxEntityInputBoxType* type) : QxEntityDialogBox(type) {
    auto instructions = QxCreatePart<QxEntity2DGUIText>(
        type->m_partRefs[QxEntityInputBoxType::kSlotInstructions], kKindText);
    m_instructionsText = instructions.get();
    m_parts[QxEntityInputBoxType::kSlotInstructions] = std::move(instructions);
    auto entry = QxCreatePart<QxEntity2DGUIText>(type->m_partRefs[QxEntityInputBoxType::kSlotInput],
                                                 kKindText);
    m_entryText = entry.get();
    m_parts[QxEntityInputBoxType::kSlotInput] = std::move(entry);
    for (int slot = QxEntityInputBoxType::kSlotInputFrame; slot < QxEntityInputBoxType::kSlotCount;
         ++slot) {
        m_parts[static_cast<size_t>(slot)] = QxCreatePart<QxEntity2DGUIElement>(
            type->m_partRefs[static_cast<size_t>(slot)], kKindGUIElement);
    }
    if (m_entryText != nullptr) {
        m_entryText->SetBool(kPropEditing, 1);
    }
    Fit();
}

bool QxEntityInputBox::Update(float ms) {
    const bool result = QxEntityDialogBox::Update(ms);
    for (auto& part : m_parts) {
        if (part) {
            part->Update(ms);
        }
    }
    return result;
}

bool QxEntityInputBox::Draw() {
    if (!IsVisible()) {
        return true;
    }
    QxEntityDialogBox::Draw();
    // The frame image goes under the entry text.
    static constexpr int kDrawOrder[] = {
        QxEntityInputBoxType::kSlotInstructions, QxEntityInputBoxType::kSlotInputFrame,
        QxEntityInputBoxType::kSlotInput, QxEntityInputBoxType::kSlotOK,
        QxEntityInputBoxType::kSlotCancel};
    for (int slot : kDrawOrder) {
        if (auto& part = m_parts[static_cast<size_t>(slot)]) {
            part->Draw();
        }
    }
    return true;
}

void QxEntityInputBox::Invalidate() {
    QxEntityDialogBox::Invalidate();
    for (auto& part : m_parts) {
        if (part) {
            part->Invalidate();
        }
    }
}

bool QxEntityInputBox::OnMouseUp(QxPoint point, int button) {
    if (!IsDragging()) {
        auto& ok = m_parts[QxEntityInputBoxType::kSlotOK];
        auto& cancel = m_parts[QxEntityInputBoxType::kSlotCancel];
        if (ok && ok->Click(point)) {
            StopCountDown();
            Close(kAnswerInputOK);
            return true;
        }
        if (cancel && cancel->Click(point)) {
            StopCountDown();
            Close(kAnswerCancel);
            return true;
        }
    }
    return QxEntityDialogBox::OnMouseUp(point, button);
}

bool QxEntityInputBox::OnKey(int code) {
    QxEntityDialogBox::OnKey(code);
    if (code == kKeyEnter) {
        Close(kAnswerInputOK);
    } else if (code == kKeyEscape) {
        Close(kAnswerCancel);
    } else if (m_entryText != nullptr) {
        m_entryText->SetBool(kPropMaxLength, m_limit);
        m_entryText->HandleKey(code);
        m_entryText->GetString(kPropTextGet, m_entry);
    }
    return true;
}

void QxEntityInputBox::SetInstructions(const std::string& text) {
    m_instructions = text;
    if (m_instructionsText != nullptr) {
        m_instructionsText->SetString(kPropText, text);
    }
    Fit();
}

void QxEntityInputBox::SetEntry(const std::string& text) {
    m_entry = text;
    if (m_entryText != nullptr) {
        m_entryText->SetBool(kPropMaxLength, m_limit);
        m_entryText->SetString(kPropText, text);
        m_entryText->SetBool(kPropEditing, 1);
        m_entryText->GetString(kPropTextGet, m_entry);
    }
}

void QxEntityInputBox::SetLimit(std::int32_t characters) {
    m_limit = std::max<std::int32_t>(0, characters);
    if (m_entryText != nullptr) {
        m_entryText->SetBool(kPropMaxLength, m_limit);
        m_entryText->GetString(kPropTextGet, m_entry);
    }
}

QxEntity2DGUIElement* QxEntityInputBox::Part(int slot) const {
    if (slot < 0 || slot >= QxEntityInputBoxType::kSlotCount) {
        return nullptr;
    }
    return m_parts[static_cast<size_t>(slot)].get();
}

void QxEntityInputBox::LayOut() {
    const QxPoint origin = ContentOrigin();
    const std::int32_t contentWidth = std::max(0, m_width - FrameWidthExtra());
    std::int32_t y = origin.y;
    if (m_instructionsText != nullptr) {
        m_instructionsText->SetPosition(origin);
        y += std::max(0, QxValueProperty(m_instructionsText, kPropTextHeight)) + kGap;
    }
    std::int32_t frameWidth = 0;
    std::int32_t frameHeight = 0;
    if (auto& frame = m_parts[QxEntityInputBoxType::kSlotInputFrame]) {
        QxPartSize(frame.get(), frameWidth, frameHeight);
        frame->SetPosition(QxPoint{origin.x, y});
    }
    if (m_entryText != nullptr) {
        const std::int32_t lineHeight = QxValueProperty(m_entryText, kPropTextHeight);
        const std::int32_t dy = frameHeight > lineHeight ? (frameHeight - lineHeight) / 2 : 0;
        m_entryText->SetPosition(QxPoint{origin.x + kEntryInset, y + dy});
        frameHeight = std::max(frameHeight, lineHeight);
    }
    y += frameHeight + kGap;

    std::int32_t x = origin.x + (contentWidth - ButtonRowSize().width) / 2;
    for (int slot : {QxEntityInputBoxType::kSlotOK, QxEntityInputBoxType::kSlotCancel}) {
        auto& button = m_parts[static_cast<size_t>(slot)];
        if (!button) {
            continue;
        }
        std::int32_t width = 0;
        std::int32_t height = 0;
        QxPartSize(button.get(), width, height);
        button->SetPosition(QxPoint{x, y});
        x += width + kGap;
    }
}

void QxEntityInputBox::Fit() {
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (m_instructionsText != nullptr) {
        m_instructionsText->Update(0.0f);
        width = std::max(width, QxValueProperty(m_instructionsText, kPropTextWidth));
        height += std::max(0, QxValueProperty(m_instructionsText, kPropTextHeight)) + kGap;
    }
    std::int32_t frameWidth = 0;
    std::int32_t frameHeight = 0;
    QxPartSize(m_parts[QxEntityInputBoxType::kSlotInputFrame].get(), frameWidth, frameHeight);
    frameHeight = std::max(frameHeight, QxValueProperty(m_entryText, kPropTextHeight));
    width = std::max(width, frameWidth);
    height += frameHeight + kGap;
    const QxExtent row = ButtonRowSize();
    width = std::max(width, row.width);
    height += row.height;
    SetSize(std::max(DialogType()->m_width, width + FrameWidthExtra()),
            std::max(DialogType()->m_height, height + FrameHeightExtra()));
}

QxExtent QxEntityInputBox::ButtonRowSize() const {
    QxExtent row{kGap, 0};
    for (int slot : {QxEntityInputBoxType::kSlotOK, QxEntityInputBoxType::kSlotCancel}) {
        std::int32_t width = 0;
        std::int32_t height = 0;
        QxPartSize(m_parts[static_cast<size_t>(slot)].get(), width, height);
        row.width += width;
        row.height = std::max(row.height, height);
    }
    return row;
}
