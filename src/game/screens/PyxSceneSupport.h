#pragma once
// Small helpers the game's scenes share: reaching a named element of the scene type,
// clicking it, and going to another scene with the current scene's transition.

#include <cstdint>
#include <string>

#include "engine/gui/QxEntity2DScene.h"

class QxEntity2DGUIElement;

// Escape and Enter as typed characters.
inline constexpr int kSceneKeyEscape = 27;
inline constexpr int kSceneKeyEnter = 13;
// Message box button set: Yes and No.
inline constexpr std::uint32_t kButtonsYesNo = 6;
// The answers a message box closes with.
inline constexpr std::int32_t kAnswerYesButton = 2;

// The element of a named record, or null when the record or its element is missing.
QxEntity2DGUIElement* NamedElement(const QxEntity2DSceneType::ElementRecord* record);

// True when the named element exists and takes the click at the point.
bool ClickNamed(const QxEntity2DSceneType::ElementRecord* record, QxPoint point);

// Asks the game object for the scene, with the transition the scene's own type names
// (-1: any).
void GoToScene(const QxEntity2DScene& from, const std::string& className,
               const std::string& typeName);

// The same with a given transition.
void GoToScene(const std::string& className, const std::string& typeName, int transition);

// Asks the game object to quit.
void QuitGame();

// Lets the full-screen key work, or not, while the scene is shown.
void AllowFullScreenKey(bool allowed);

// A Yes/No question (Yes the default button) with its own title, answered through the
// scene's OnDialogClosed.
void ShowQuestion(QxEntity2DScene& scene, const std::string& title, const std::string& question,
                  std::int32_t id);

// Writes a text and its justification (1 left, 2 right, 3 centre) into a text element;
// nothing when the element is missing.
void SetElementText(const QxEntity2DSceneType::ElementRecord* record, const std::string& text);
void SetElementJustify(const QxEntity2DSceneType::ElementRecord* record, std::int32_t justify);
