#include "engine/gui/DialogFixture.h"

#include <cstring>
#include <vector>

#include "engine/gui/WidgetTestSupport.h"
#include "engine/screen/QxPng.h"

QxEntityInputBoxPrototype DialogFixture::s_inputBoxPrototype;
QxEntityHighScoreScenePrototype DialogFixture::s_highScorePrototype;

namespace {

constexpr int kGlyphsPerRow = 16;

} // namespace

const std::string& DialogFixture::FontChars() {
    static const std::string chars = widgettest::LegibleChars();
    return chars;
}

void DialogFixture::DrawText(QxImage& image, int x, int y, const std::string& text, QxColour ink) {
    for (char character : text) {
        const char upper = character >= 'a' && character <= 'z'
                               ? static_cast<char>(character - 'a' + 'A')
                               : character;
        const auto glyph = widgettest::GlyphShapes().find(upper);
        if (glyph != widgettest::GlyphShapes().end()) {
            for (int row = 0; row < 7; ++row) {
                for (int column = 0; column < 5; ++column) {
                    const int px = x + column;
                    const int py = y + row;
                    if (glyph->second[static_cast<size_t>(row)][column] == '#' && px >= 0 &&
                        py >= 0 && px < image.width && py < image.height) {
                        SetImagePixel(image, px, py, ink);
                    }
                }
            }
        }
        x += kCellWidth;
    }
}

QxImage DialogFixture::ButtonImage(const std::string& label, QxColour face, QxColour edge) {
    QxImage image = SolidImage(kButtonWidth, kButtonHeight, face);
    const QxColour light(std::min(255, face.red + 60), std::min(255, face.green + 60),
                         std::min(255, face.blue + 60));
    for (int x = 0; x < kButtonWidth; ++x) {
        SetImagePixel(image, x, 0, light);
        SetImagePixel(image, x, kButtonHeight - 1, edge);
    }
    for (int y = 0; y < kButtonHeight; ++y) {
        SetImagePixel(image, 0, y, light);
        SetImagePixel(image, kButtonWidth - 1, y, edge);
    }
    const int width = static_cast<int>(label.size()) * kCellWidth - 1;
    DrawText(image, (kButtonWidth - width) / 2, (kButtonHeight - 7) / 2, label, kInk);
    return image;
}

void DialogFixture::WriteAssets() {
    const std::string& chars = FontChars();
    const int rows = (static_cast<int>(chars.size()) + kGlyphsPerRow - 1) / kGlyphsPerRow;
    QxImage sheet = SolidImage(kGlyphsPerRow * kCellWidth, rows * kCellHeight, QxColour(0, 0, 0));
    for (size_t i = 0; i < chars.size(); ++i) {
        const int column = static_cast<int>(i) % kGlyphsPerRow;
        const int row = static_cast<int>(i) / kGlyphsPerRow;
        DrawText(sheet, column * kCellWidth, row * kCellHeight, std::string(1, chars[i]), kInk);
    }
    WriteBitmap("font.bmp", sheet);

    const QxColour face(70, 86, 140);
    const QxColour edge(20, 24, 48);
    for (const char* label : {"OK", "Yes", "No", "Cancel"}) {
        WriteBitmap(std::string(label) + ".bmp", ButtonImage(label, face, edge));
        WriteBitmap(std::string(label) + "_hi.bmp",
                    ButtonImage(label, QxColour(110, 130, 200), QxColour(255, 220, 90)));
    }
    QxImage field = SolidImage(160, 14, QxColour(16, 20, 40));
    for (int x = 0; x < 160; ++x) {
        SetImagePixel(field, x, 0, edge);
        SetImagePixel(field, x, 13, QxColour(150, 170, 230));
    }
    WriteBitmap("field.bmp", field);
    QxImage arrow = SolidImage(8, 7, QxColour(0, 0, 0));
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x <= 3 - std::abs(3 - y); ++x) {
            SetImagePixel(arrow, x * 2, y, QxColour(255, 220, 90));
            SetImagePixel(arrow, x * 2 + 1, y, QxColour(255, 220, 90));
        }
    }
    WriteBitmap("arrow.bmp", arrow);
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
                     "CancelButtonEnt button, Cancelbutton\n"),
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

std::string DialogFixture::SaveZoomedPng(const std::string& name, const QxRect& area,
                                         int factor) const {
    const int width = area.Width() * factor;
    const int height = area.Height() * factor;
    std::vector<std::uint16_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                Pixel(area.left + x / factor, area.top + y / factor);
        }
    }
    const std::string path = Root() + "/" + name;
    return SavePng(path, pixels.data(), width, height, width * 2) ? path : std::string{};
}
