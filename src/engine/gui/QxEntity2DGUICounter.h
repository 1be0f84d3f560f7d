#pragma once
// A fixed number of digit images showing an unsigned integer, leading zeros included;
// digits beyond the count are cut off at the top.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/QxDefinition.h"
#include "engine/files/QxImage.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxTypePicture.h"

struct QxImageListRecord;

// The value (integer through SetBool).
enum QxGUICounterProperty : int {
    kPropCounterValue = 2561,
};

class QxEntity2DGUICounter;

class QxEntity2DGUICounterType
    : public QxEntityTypeOf<QxEntity2DGUICounterType, QxEntity2DGUICounter,
                            QxEntity2DGUIElementType> {
public:
    // More digits than an unsigned 32-bit value has would only add zeros; the count
    // is kept within what the arithmetic holds.
    static constexpr std::int32_t kMaxDigits = 19;

    explicit QxEntity2DGUICounterType(QxDefinition* definition);

    // The image list (frame k shows digit k) and the digits' alpha masks.
    const QxImageListRecord* Digits() const { return m_picture.List(); }
    const std::vector<std::unique_ptr<QxImage>>& AlphaMasks() const { return m_picture.Masks(); }
    // The size of one digit: the first frame's.
    std::int32_t DigitWidth() const;
    std::int32_t DigitHeight() const;

    std::string m_image;
    std::int32_t m_numDigits = 1;
    bool m_transparent = false;
    std::int32_t m_spacing = 0;
    std::string m_alphaImage;

private:
    QxTypePicture m_picture{*this, QxTypePicture::Shape::kList, QxTypePicture::MaskFile::kList,
                            m_image, m_alphaImage};
};

class QxEntity2DGUICounter : public QxEntity2DGUIElement {
public:
    explicit QxEntity2DGUICounter(QxEntity2DGUICounterType* type);

    bool SetBool(int id, std::int32_t value) override;

    // Splits the value into digits.
    bool Update(float ms) override;
    bool Draw() override;
    void Invalidate() override;

    QxEntity2DGUICounterType* CounterType() const {
        return static_cast<QxEntity2DGUICounterType*>(Type());
    }
    std::uint32_t Value() const { return m_value; }
    // Digit k counts 10^k, so digit 0 is the last one shown.
    const std::vector<std::uint8_t>& Digits() const { return m_digits; }

private:
    bool DrawDigit(std::int32_t position, std::uint8_t digit);

    std::uint32_t m_value = 0;
    std::vector<std::uint8_t> m_digits;
};

using QxEntity2DGUICounterPrototype = QxTypePrototype<QxEntity2DGUICounterType>;
