#include "engine/entity/QxRegistrationTable.h"

#include <string>

#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxLog.h"

#include "engine/gui/QxEntity2DGUIAnimSprite.h"
#include "engine/gui/QxEntity2DGUIButton.h"
#include "engine/gui/QxEntity2DGUICounter.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DGUIFPSText.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/gui/QxEntity2DGUIListBox.h"
#include "engine/gui/QxEntity2DGUIMultiText.h"
#include "engine/gui/QxEntity2DGUIPFire.h"
#include "engine/gui/QxEntity2DGUIProgressBar.h"
#include "engine/gui/QxEntity2DGUIScrollingSprite.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxEntity2DGUIToggleButton.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/gui/QxEntityDialogBox.h"
#include "engine/gui/QxEntityDialogScene.h"
#include "engine/gui/QxEntityHighScoreInputScene.h"
#include "engine/gui/QxEntityMessageBox.h"
#include "engine/gui/QxEntityVectorFrame.h"
#include "game/editor/PyxEntityLevelEditorScene.h"
#include "game/field/PyxEntityBitmapTile.h"
#include "game/field/PyxEntitySinkTile.h"
#include "game/objects/PyxEntityAnimAward.h"
#include "game/objects/PyxEntityAnimExplosion.h"
#include "game/objects/PyxEntityAnimPost.h"
#include "game/objects/PyxEntityAnimSpriteBall.h"
#include "game/objects/PyxEntityBallCarrier.h"
#include "game/objects/PyxEntityBallDissolve.h"
#include "game/objects/PyxEntityBasicPost.h"
#include "game/objects/PyxEntityBigTeeth.h"
#include "game/objects/PyxEntityCharacterBall.h"
#include "game/objects/PyxEntityCharacterExplosion.h"
#include "game/objects/PyxEntityFloatingScore.h"
#include "game/objects/PyxEntityFlyingCoin.h"
#include "game/objects/PyxEntityGrabPickup.h"
#include "game/objects/PyxEntityParticleExplosion.h"
#include "game/objects/PyxEntityPickupBall.h"
#include "game/objects/PyxEntityPlayerExit.h"
#include "game/objects/PyxEntityRenderedBall.h"
#include "game/objects/PyxEntitySpriteBall.h"
#include "game/objects/PyxEntityVortex.h"
#include "game/screens/PyxEntity2DGUIBoard.h"
#include "game/screens/PyxEntity2DGUIClock.h"
#include "game/screens/PyxEntity2DGUICoins.h"
#include "game/screens/PyxEntity2DGUILives.h"
#include "game/screens/PyxEntity2DGUIMascot.h"
#include "game/screens/PyxEntityHighScoreMenuScene.h"
#include "game/screens/PyxEntityHintBox.h"
#include "game/screens/PyxEntityInstructionsScene.h"
#include "game/screens/PyxEntityLoadingScene.h"
#include "game/screens/PyxEntityMainMenuScene.h"
#include "game/screens/PyxEntityPlayMyLevelsScene.h"
#include "game/screens/PyxEntitySettingsMenuScene.h"
#include "game/screens/PyxEntityStdGameScene.h"

namespace {

// The one instance of each prototype, built on first use.
template <typename Prototype> const QxEntityTypePrototype* Instance() {
    static const Prototype prototype;
    return &prototype;
}

} // namespace

const std::vector<QxRegistration>& RegistrationTable() {
    // Keep the order: it is the order in which names register.
    static const std::vector<QxRegistration> table = {
        // clang-format off
        {"2DGUIElement", Instance<QxEntity2DGUIElementPrototype>()}, // 1
        {"2DScene", Instance<QxEntity2DScenePrototype>()}, // 2
        {"sprite", Instance<QxEntity2DGUISpritePrototype>()}, // 3
        {"scrollingsprite", Instance<QxEntity2DGUIScrollingSpritePrototype>()}, // 4
        {"animsprite", Instance<QxEntity2DGUIAnimSpritePrototype>()}, // 5
        {"font", Instance<QxEntity2DGUIFontPrototype>()}, // 6
        {"text", Instance<QxEntity2DGUITextPrototype>()}, // 7
        {"MultiText", Instance<QxEntity2DGUIMultiTextPrototype>()}, // 8
        {"FPSText", Instance<QxEntity2DGUIFPSTextPrototype>()}, // 9
        {"button", Instance<QxEntity2DGUIButtonPrototype>()}, // 10
        {"togglebutton", Instance<QxEntity2DGUIToggleButtonPrototype>()}, // 11
        {"PFire", Instance<QxEntity2DGUIPFirePrototype>()}, // 12
        {"ListBox", Instance<QxEntity2DGUIListBoxPrototype>()}, // 13
        {"Counter", Instance<QxEntity2DGUICounterPrototype>()}, // 14
        {"progressbar", Instance<QxEntity2DGUIProgressBarPrototype>()}, // 15
        {"PyxStdGame", Instance<PyxEntityStdGameScenePrototype>()}, // 16
        {"PyxMainMenu", Instance<PyxEntityMainMenuScenePrototype>()}, // 17
        {"PyxHighScores", Instance<PyxEntityHighScoreMenuScenePrototype>()}, // 18
        {"PyxLoadingScene", Instance<PyxEntityLoadingScenePrototype>()}, // 19
        {"PyxBitmapTile", Instance<PyxEntityBitmapTilePrototype>()}, // 20
        {"PyxSinkTile", Instance<PyxEntitySinkTilePrototype>()}, // 21
        {"PyxBasicPost", Instance<PyxEntityBasicPostPrototype>()}, // 22
        {"PyxSpriteBall", Instance<PyxEntitySpriteBallPrototype>()}, // 23
        {"PyxAnimSpriteBall", Instance<PyxEntityAnimSpriteBallPrototype>()}, // 24
        {"PyxRenderedBall", Instance<PyxEntityRenderedBallPrototype>()}, // 25
        {"PyxAnimAward", Instance<PyxEntityAnimAwardPrototype>()}, // 26
        {"PyxAnimExplosion", Instance<PyxEntityAnimExplosionPrototype>()}, // 27
        {"PyxFloatingScore", Instance<PyxEntityFloatingScorePrototype>()}, // 28
        {"PyxAnimPost", Instance<PyxEntityAnimPostPrototype>()}, // 29
        {"PyxVortex", Instance<PyxEntityVortexPrototype>()}, // 30
        {"PyxFlyingCoin", Instance<PyxEntityFlyingCoinPrototype>()}, // 31
        {"PyxBallCarrier", Instance<PyxEntityBallCarrierPrototype>()}, // 32
        {"PyxBallDissolve", Instance<PyxEntityBallDissolvePrototype>()}, // 33
        {"PyxBigTeeth", Instance<PyxEntityBigTeethPrototype>()}, // 34
        {"Pyx2DGUICoins", Instance<PyxEntity2DGUICoinsPrototype>()}, // 35
        {"Pyx2DGUIBoard", Instance<PyxEntity2DGUIBoardPrototype>()}, // 36
        {"Pyx2DGUILives", Instance<PyxEntity2DGUILivesPrototype>()}, // 37
        {"Pyx2DGUIClock", Instance<PyxEntity2DGUIClockPrototype>()}, // 38
        {"PyxPickupBall", Instance<PyxEntityPickupBallPrototype>()}, // 39
        {"PyxCharacterBall", Instance<PyxEntityCharacterBallPrototype>()}, // 40
        {"PyxParticleExplosion", Instance<PyxEntityParticleExplosionPrototype>()}, // 41
        {"PyxGrabPickup", Instance<PyxEntityGrabPickupPrototype>()}, // 42
        {"PyxPlayerExit", Instance<PyxEntityPlayerExitPrototype>()}, // 43
        {"PyxCharacterExplosion", Instance<PyxEntityCharacterExplosionPrototype>()}, // 44
        {"Pyx2DGUIMascot", Instance<PyxEntity2DGUIMascotPrototype>()}, // 45
        {"QxDialogBox", Instance<QxEntityDialogBoxPrototype>()}, // 46
        {"QxMessageBox", Instance<QxEntityMessageBoxPrototype>()}, // 47
        {"QxVectorFrame", Instance<QxEntityVectorFramePrototype>()}, // 48
        {"QxDialogScene", Instance<QxEntityDialogScenePrototype>()}, // 49
        {"QxHighScoreInputScene", Instance<QxEntityHighScoreInputScenePrototype>()}, // 50
        {"PyxSettingsMenu", Instance<PyxEntitySettingsMenuScenePrototype>()}, // 51
        {"PyxInstructions", Instance<PyxEntityInstructionsScenePrototype>()}, // 52
        {"PyxHintBox", Instance<PyxEntityHintBoxPrototype>()}, // 53
        // Added later, after the first table, whose order stays as it was.
        {"PyxLevelEditor", Instance<PyxEntityLevelEditorScenePrototype>()}, // 54
        {"PyxPlayMyLevels", Instance<PyxEntityPlayMyLevelsScenePrototype>()}, // 55
        // clang-format on
    };
    return table;
}

bool RegisterEntityClasses(QxEntityRegistry& registry) {
    bool all = true;
    for (const QxRegistration& entry : RegistrationTable()) {
        if (!registry.Register(entry.prototype, entry.className)) {
            LogString((std::string(entry.className) + " - already registered.\n").c_str());
            all = false;
        }
    }
    return all;
}
