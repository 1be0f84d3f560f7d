#pragma once
// A post that is up (it blocks balls) or down (balls roll over it), drawn with one of
// two sprites and a highlight while the mouse is over it. When the type allows it, the
// player holds it up by keeping the left button pressed over it.

#include <cstdint>
#include <memory>

#include "game/objects/PyxEntityPostBase.h"
#include "game/objects/PyxTypeSprite.h"

class PyxEntityBasicPost;

class PyxEntityBasicPostType
    : public QxEntityTypeOf<PyxEntityBasicPostType, PyxEntityBasicPost, PyxEntityPostBaseType> {
public:
    // Reads the post keys and "DownImageEntType", "UpImageEntType",
    // "HighlightImageEntType" (types of "sprite" entities), "DefaultUp" and
    // "UserChange".
    explicit PyxEntityBasicPostType(QxDefinition* definition);

    // Creates the three sprites; a circle without a radius gets half the up sprite's
    // width.
    bool Load(bool reload) override;
    bool Unload() override;

    const PyxTypeSprite& DownSprite() const { return m_down; }
    const PyxTypeSprite& UpSprite() const { return m_up; }
    const PyxTypeSprite& HighlightSprite() const { return m_highlight; }
    bool DefaultUp() const { return m_defaultUp != 0; }
    bool UserChange() const { return m_userChange != 0; }

private:
    PyxTypeSprite m_down;
    PyxTypeSprite m_up;
    PyxTypeSprite m_highlight;
    std::int32_t m_defaultUp = 0;
    std::int32_t m_userChange = 0;
};

class PyxEntityBasicPost : public PyxEntityPostBase {
public:
    explicit PyxEntityBasicPost(PyxEntityBasicPostType* type);

    // Animates the sprites and, when the player may change the post, holds it up
    // exactly while the mouse was over it at the last update and the left button is
    // held. Then the post update.
    bool Update(float ms) override;
    bool Draw() override;
    // The up sprite's size.
    void GetSize(std::int32_t& width, std::int32_t& height) override;
    std::uint32_t GetImage() override;
    // Only while up, and never another post.
    bool Blocks(const PyxEntityGameObjectType* type) override;

    bool IsUp() const { return m_up; }
    void SetUp(bool up) { m_up = up; }

    PyxEntityBasicPostType* BasicType() const {
        return static_cast<PyxEntityBasicPostType*>(Type());
    }

private:
    bool m_up = false;
};

using PyxEntityBasicPostPrototype = QxTypePrototype<PyxEntityBasicPostType>;
