#pragma once
// A GUI fixture with a small bitmap font, buttons and the dialog types the dialog and
// high-score tests share. Everything is made by the test: a 5 x 7 glyph sheet, button
// pictures and the definitions.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/GuiFixture.h"

#include "engine/gui/QxEntity2DScene.h"
#include "engine/gui/QxEntityHighScoreScene.h"
#include "engine/gui/QxEntityInputBox.h"

class DialogFixture : public GuiFixture {
protected:
    static constexpr int kCellWidth = 6;
    static constexpr int kCellHeight = 8;
    static constexpr int kButtonWidth = 56;
    static constexpr int kButtonHeight = 18;
    static constexpr QxColour kInk{255, 255, 255};

    void SetUp() override {
        GuiFixture::SetUp();
        // Neither class is in the program's table; the tests reach them this way.
        Registry().Register(&s_inputBoxPrototype, "QxInputBox");
        Registry().Register(&s_highScorePrototype, "QxHighScoreScene");
        WriteAssets();
        DefineTypes();
    }

    // The glyph sheet's characters, in cell order.
    static const std::string& FontChars();

    // A scene of the plain "2DScene" class whose message and input boxes are the
    // test's.
    std::unique_ptr<QxEntity2DScene> MakeScene();

    // Presses and releases the left button at a point, as the game object would.
    static bool ClickAt(QxEntity2DScene& scene, QxPoint point);

    static QxPoint Centre(const QxRect& rect) {
        return QxPoint{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

private:
    void WriteAssets();
    void DefineTypes();

    static QxEntityInputBoxPrototype s_inputBoxPrototype;
    static QxEntityHighScoreScenePrototype s_highScorePrototype;
};
