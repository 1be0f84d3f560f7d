#include "engine/gui/DialogFixture.h"

#include "engine/gui/WidgetTestSupport.h"

QxEntityInputBoxPrototype DialogFixture::s_inputBoxPrototype;
QxEntityHighScoreScenePrototype DialogFixture::s_highScorePrototype;

namespace {

constexpr int kGlyphsPerRow = 16;

} // namespace

const std::string& DialogFixture::FontChars() {
    static const std::string chars = widgettest::LegibleChars();
    return chars;
}

void DialogFixture::WriteAssets() {
    const std::string& chars = FontChars();
    const int rows = (static_cast<int>(chars.size()) + kGlyphsPerRow - 1) / kGlyphsPerRow;
    QxImage sheet = SolidImage(kGlyphsPerRow * kCellWidth, rows * kCellHeight, QxColour(0, 0, 0));
    for (size_t i = 0; i < chars.size(); ++i) {
        const auto glyph = widgettest::GlyphShapes().find(chars[i]);
        const int left = static_cast<int>(i) % kGlyphsPerRow * kCellWidth;
        const int top = static_cast<int>(i) / kGlyphsPerRow * kCellHeight;
        for (int y = 0; y < 7 && glyph != widgettest::GlyphShapes().end(); ++y) {
            for (int x = 0; x < 5; ++x) {
                if (glyph->second[static_cast<size_t>(y)][x] == '#')
                    widgettest::Put(sheet, left + x, top + y, kInk);
            }
        }
    }
    WriteBitmap("font.bmp", sheet);

    for (const char* label : {"OK", "Yes", "No", "Cancel"}) {
        WriteBitmap(std::string(label) + ".bmp",
                    SolidImage(kButtonWidth, kButtonHeight, QxColour(70, 86, 140)));
        WriteBitmap(std::string(label) + "_hi.bmp",
                    SolidImage(kButtonWidth, kButtonHeight, QxColour(110, 130, 200)));
    }
    WriteBitmap("field.bmp", SolidImage(160, 14, QxColour(16, 20, 40)));
    WriteBitmap("arrow.bmp", SolidImage(8, 7, QxColour(255, 220, 90)));
}

void DialogFixture::DefineTypes() {
    const std::string font = "class font\ntype small\nimage font.bmp\ntransparent 1\nchars \"" +
                             FontChars() +
                             "\"\ncharwidth 6\ncharheight 8\nnolowercase 1\noffsety 2\n";
    ASSERT_NE(Define(font), nullptr);
    ASSERT_NE(Define("class text\ntype label\nFontEnt font, small\n"), nullptr);
    ASSERT_NE(Define("class text\ntype centred\nFontEnt font, small\nDefaultJustify 3\n"), nullptr);
    ASSERT_NE(Define("class text\ntype message\nFontEnt font, small\nWrapWidth 40\n"
                     "DefaultJustify 3\n"),
              nullptr);
    ASSERT_NE(Define("class text\ntype entry\nFontEnt font, small\nWindowSize 24\n"), nullptr);
    for (const char* label : {"OK", "Yes", "No", "Cancel"}) {
        const std::string name = label;
        ASSERT_NE(
            Define("class sprite\ntype " + name + "image\nimage " + name + ".bmp\ntransparent 1\n"),
            nullptr);
        ASSERT_NE(
            Define("class sprite\ntype " + name + "hi\nimage " + name + "_hi.bmp\ntransparent 1\n"),
            nullptr);
        ASSERT_NE(Define("class button\ntype " + name + "button\nMainImageEnt sprite, " + name +
                         "image\nHighlightImageEnt sprite, " + name + "hi\n"),
                  nullptr);
    }
    ASSERT_NE(Define("class sprite\ntype field\nimage field.bmp\n"), nullptr);
    ASSERT_NE(Define("class sprite\ntype arrow\nimage arrow.bmp\ntransparent 1\n"), nullptr);
    ASSERT_NE(Define("class QxVectorFrame\ntype frame\nHasTitle 1\nTitleHeight 14\n"
                     "TitleOffset 8, 5\nTitleTextEnt text, label\nSysClose 1\n"
                     "Face 70, 86, 140, 255\nHighlight 176, 192, 240, 255\n"
                     "Shadow 16, 20, 44, 255\n"),
              nullptr);
    ASSERT_NE(Define("class QxMessageBox\ntype messagebox\nFrameEnt QxVectorFrame, frame\n"
                     "Title Message\nTextEnt text, message\nOKButtonEnt button, OKbutton\n"
                     "YesButtonEnt button, Yesbutton\nNoButtonEnt button, Nobutton\n"
                     "CancelButtonEnt button, Cancelbutton\n"),
              nullptr);
    ASSERT_NE(Define("class QxInputBox\ntype inputbox\nFrameEnt QxVectorFrame, frame\n"
                     "Title Input\nInstructionsEnt text, label\nInputEnt text, entry\n"
                     "InputFrameEnt sprite, field\nOKButtonEnt button, OKbutton\n"
                     "CancelButtonEnt button, Cancelbutton\nTimeOut 5000\n"),
              nullptr);
    ASSERT_NE(Define("class QxHighScoreInputScene\ntype scoreinput\n"
                     "NameEntryEnt text, entry\nNameEntryEntPos 6, 4\n"
                     "OKButtonEnt button, OKbutton\nOKButtonEntPos 62, 22\n"),
              nullptr);
    ASSERT_NE(Define("class QxDialogScene\ntype scoreinputbox\nFrameEnt QxVectorFrame, frame\n"
                     "Width 200\nHeight 84\nTitle New high score!\n"
                     "SceneEnt QxHighScoreInputScene, scoreinput\n"),
              nullptr);
    ASSERT_NE(Define("class 2DScene\ntype plain\n"), nullptr);

    std::string scores = "class QxHighScoreScene\ntype scores\n";
    for (int row = 1; row <= 10; ++row) {
        const std::string n = std::to_string(row);
        const std::string y = std::to_string(227 + 15 * (row - 1));
        scores += "Name" + n + "Ent text, label\nName" + n + "EntPos 60, " + y + "\n";
        scores += "Score" + n + "Ent text, label\nScore" + n + "EntPos 400, " + y + "\n";
    }
    scores += "CongratsEnt text, centred\nCongratsEntPos 320, 150\n"
              "Congrats2Ent text, centred\nCongrats2EntPos 320, 170\n"
              "DoneEnt button, OKbutton\nDoneEntPos 292, 400\n"
              "ArrowEnt sprite, arrow\nArrowEntPos -500, -500\n"
              "HourglassEnt sprite, arrow\nHourglassEntPos 600, 20\n";
    ASSERT_NE(Define(scores), nullptr);
}

std::unique_ptr<QxEntity2DScene> DialogFixture::MakeScene() {
    auto scene = Create<QxEntity2DScene>("2DScene", "plain", kKindScene);
    if (scene) {
        scene->Update(0.0f);
    }
    return scene;
}

bool DialogFixture::ClickAt(QxEntity2DScene& scene, QxPoint point) {
    SetMouse(point.x, point.y, true);
    scene.OnMouseDown(point, 1);
    SetMouse(point.x, point.y, false);
    return scene.OnMouseUp(point, 1);
}
