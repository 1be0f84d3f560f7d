#pragma once
// A dialog that asks for one line of text: instructions, an entry field on a frame
// image, and OK and Cancel. Enter or OK closes it with answer 3, Escape or Cancel
// with 4; every other key edits the entry.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/QxEntityDialogBox.h"

class QxEntity2DGUIText;

inline constexpr std::uint32_t kKindInputBox = QxKindTag("INPT");

class QxEntityInputBox;

class QxEntityInputBoxType : public QxEntityTypeOf<QxEntityInputBoxType, QxEntityInputBox,
                                                   QxEntityDialogBoxType, kKindInputBox> {
public:
    enum Slot {
        kSlotInstructions = 0,
        kSlotInput = 1,
        kSlotInputFrame = 2,
        kSlotOK = 3,
        kSlotCancel = 4,
    };
    static constexpr int kSlotCount = 5;

    explicit QxEntityInputBoxType(QxDefinition* definition);

    std::array<QxEntityRef, kSlotCount> m_partRefs;
};

class QxEntityInputBox : public QxEntityDialogBox {
public:
    static constexpr std::int32_t kGap = 10;
    // Where the entry text sits on its frame image.
    static constexpr std::int32_t kEntryInset = 4;

    explicit QxEntityInputBox(QxEntityInputBoxType* type);

    bool Update(float ms) override;
    bool Draw() override;
    void Invalidate() override;

    bool OnMouseUp(QxPoint point, int button) override;
    bool OnKey(int code) override;

    void SetInstructions(const std::string& text) override;
    void SetEntry(const std::string& text) override;
    // The longest entry the field accepts.
    void SetLimit(std::int32_t characters) override;

    const std::string& Entry() const { return m_entry; }
    std::int32_t Limit() const { return m_limit; }
    QxEntity2DGUIElement* Part(int slot) const;

protected:
    void LayOut() override;

private:
    // Sizes the box around its parts (never below the type's size).
    void Fit();
    // The OK and Cancel buttons side by side, the gap between them included.
    QxExtent ButtonRowSize() const;

    std::array<std::unique_ptr<QxEntity2DGUIElement>, QxEntityInputBoxType::kSlotCount> m_parts;
    QxEntity2DGUIText* m_instructionsText = nullptr; // m_parts[0] as a text
    QxEntity2DGUIText* m_entryText = nullptr;        // m_parts[1] as a text
    std::string m_instructions;
    std::string m_entry;
    std::int32_t m_limit = 256;
};

using QxEntityInputBoxPrototype = QxTypePrototype<QxEntityInputBoxType>;
