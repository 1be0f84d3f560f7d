#include "engine/gui/QxEntityDialogScene.h"

#include "engine/gui/QxDialogParts.h"
#include "engine/gui/QxEntity2DScene.h"

QxEntityDialogSceneType::QxEntityDialogSceneType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    if (definition != nullptr) {
        definition->ReadKey("SceneEnt", m_sceneRef);
    }
}

// Each dialog gets a content scene of its own, so the content's state (a name being
// typed, say) starts afresh every time the dialog opens.
QxEntityDialogScene::QxEntityDialogScene(QxEntityDialogSceneType* type) : QxEntityDialogBox(type) {
    m_content = QxCreatePart<QxEntity2DScene>(type->m_sceneRef, kKindScene);
    if (auto* content = dynamic_cast<QxDialogContent*>(m_content.get())) {
        content->AttachToDialog(this);
    }
    PlaceContent();
}

QxEntityDialogScene::~QxEntityDialogScene() {
    if (auto* content = dynamic_cast<QxDialogContent*>(m_content.get())) {
        content->AttachToDialog(nullptr);
    }
}

bool QxEntityDialogScene::Update(float ms) {
    const bool result = QxEntityDialogBox::Update(ms);
    if (m_content) {
        m_content->Update(ms);
    }
    return result;
}

bool QxEntityDialogScene::Draw() {
    if (!IsVisible()) {
        return true;
    }
    QxEntityDialogBox::Draw();
    if (m_content) {
        m_content->Draw();
    }
    return true;
}

bool QxEntityDialogScene::OnMouseUp(QxPoint point, int button) {
    if (!IsDragging() && m_content && m_content->OnMouseUp(point, button)) {
        StopCountDown();
        return true;
    }
    return QxEntityDialogBox::OnMouseUp(point, button);
}

bool QxEntityDialogScene::OnMouseDown(QxPoint point, int button) {
    const bool taken = QxEntityDialogBox::OnMouseDown(point, button);
    if (!IsDragging() && m_content && m_content->OnMouseDown(point, button)) {
        return true;
    }
    return taken;
}

bool QxEntityDialogScene::OnKey(int code) {
    QxEntityDialogBox::OnKey(code);
    return m_content && m_content->OnKey(code);
}

bool QxEntityDialogScene::OnKeyUp(int code) {
    return m_content && m_content->OnKeyUp(code);
}

void QxEntityDialogScene::LayOut() {
    PlaceContent();
}

void QxEntityDialogScene::PlaceContent() {
    if (!m_content) {
        return;
    }
    QxEntity2DSceneType* type = m_content->SceneType();
    type->Load(false);
    const QxPoint origin = ContentSceneOrigin();
    for (auto& record : type->Elements()) {
        if (record.element) {
            record.element->SetPosition(
                QxPoint{origin.x + record.position.x, origin.y + record.position.y});
        }
    }
}
