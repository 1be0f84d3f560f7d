#pragma once
// The instructions: a page to read, left with "OK" or Escape. The page is a list box
// ("List") that shows a text file from the data set ("ListFile"); the player scrolls
// it with its arrows and thumb, by clicking lines, and with the Up and Down keys.

#include <memory>
#include <string>

#include "engine/gui/QxEntity2DScene.h"

class PyxEntityInstructionsSceneType : public QxEntity2DSceneType {
public:
    explicit PyxEntityInstructionsSceneType(QxDefinition* definition);

    std::unique_ptr<QxEntityBase> CreateEntity() override;

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

private:
    PyxEntityInstructionsSceneType* InstructionsType() const {
        return static_cast<PyxEntityInstructionsSceneType*>(Type());
    }
};

class PyxEntityInstructionsScenePrototype : public QxEntityTypePrototype {
public:
    std::unique_ptr<QxEntityBaseType> CreateType(QxDefinition& definition) const override;
};
