#pragma once
// The instructions: a page to read, left with "OK" or Escape.

#include <memory>

#include "engine/gui/QxEntity2DScene.h"

class PyxEntityInstructionsSceneType : public QxEntity2DSceneType {
public:
    explicit PyxEntityInstructionsSceneType(QxDefinition* definition);

    std::unique_ptr<QxEntityBase> CreateEntity() override;

    ElementRecord* m_ok = nullptr;
};

class PyxEntityInstructionsScene : public QxEntity2DScene {
public:
    explicit PyxEntityInstructionsScene(PyxEntityInstructionsSceneType* type);

    bool OnMouseUp(QxPoint mouse, int button) override;
    bool OnKey(int code) override;
};

class PyxEntityInstructionsScenePrototype : public QxEntityTypePrototype {
public:
    std::unique_ptr<QxEntityBaseType> CreateType(QxDefinition& definition) const override;
};
