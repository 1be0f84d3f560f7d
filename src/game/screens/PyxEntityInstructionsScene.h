#pragma once
// The instructions: a page to read, left with "OK" or Escape. The page is a list box
// ("List") that shows a text file from the data set ("ListFile"); the player scrolls
// it with its arrows and thumb, by clicking lines, with the Up and Down keys, a page
// at a time with PageUp and PageDown, to either end with Home and End, and with the
// mouse wheel.

#include <memory>
#include <string>

#include "engine/gui/QxEntity2DScene.h"

class PyxEntityInstructionsScene;

class PyxEntityInstructionsSceneType
    : public QxEntityTypeOf<PyxEntityInstructionsSceneType, PyxEntityInstructionsScene,
                            QxEntity2DSceneType> {
public:
    explicit PyxEntityInstructionsSceneType(QxDefinition* definition);

    ElementRecord* m_ok = nullptr;
    ElementRecord* m_list = nullptr;
    // The text the list shows; empty: the list keeps whatever it holds.
    std::string m_listFile;
};

class PyxEntityInstructionsScene : public QxEntity2DScene {
public:
    explicit PyxEntityInstructionsScene(PyxEntityInstructionsSceneType* type);

    bool OnMouseUp(QxPoint mouse, int button) override;
    bool OnKey(int code) override;
    bool OnMouseWheel(QxPoint mouse, std::int32_t turn) override;

    static constexpr std::int32_t kLinesPerNotch = 3;

private:
    PyxEntityInstructionsSceneType* InstructionsType() const {
        return static_cast<PyxEntityInstructionsSceneType*>(Type());
    }

    std::int32_t m_wheel = 0; // the part of a notch turned so far
};

using PyxEntityInstructionsScenePrototype = QxTypePrototype<PyxEntityInstructionsSceneType>;
