#pragma once
// A resource that a type holds for all its instances (a sound, an animation, a sprite).
// The type adds its parts once, in its constructor; the base type then takes them in
// Load and gives them back in Unload, so a type whose resources are all parts needs
// neither override.

class QxTypePart {
public:
    // reload: the display mode changed and what depends on it must be made anew.
    virtual void LoadPart(bool reload) = 0;
    virtual void ReleasePart() = 0;

protected:
    ~QxTypePart() = default;
};
