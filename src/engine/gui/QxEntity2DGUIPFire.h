#pragma once
// A living fire: particles fly around a rectangle under a gravity that turns now and
// then, leave glowing trails in an 8-bit heat buffer, and the heat rises and cools
// like a flame. The buffer is shown through a 256-entry colour ramp, either covering
// what lies behind it or blended over it by heat. Random events kick, stop, burst or
// regroup the particles and make them follow a leader or the mouse.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/files/QxImage.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/screen/QxColour.h"

class QxEntity2DGUIPFire;

class QxEntity2DGUIPFireType
    : public QxEntityTypeOf<QxEntity2DGUIPFireType, QxEntity2DGUIPFire, QxEntity2DGUIElementType> {
public:
    // Sizes and counts from a definition are held to these, so a definition cannot
    // ask for more memory than a fire on a 640 x 480 screen could use.
    static constexpr std::int32_t kMaxSide = 2048;
    static constexpr std::int32_t kMaxParticles = 65536;

    explicit QxEntity2DGUIPFireType(QxDefinition* definition);

    // Reads the burn image; only an 8-bit picture is kept.
    bool Load(bool reload) override;
    bool Unload() override;

    const QxImage* BurnImage() const { return m_burnImage.get(); }

    // Burn image pixels above this are stamped into the heat every frame.
    static constexpr std::uint8_t kBurnThreshold = 10;
    // A run of such pixels in row y, from left up to right (exclusive): found once when
    // the image loads rather than tested pixel by pixel in every frame.
    struct BurnSpan {
        std::int32_t y = 0;
        std::int32_t left = 0;
        std::int32_t right = 0;
    };
    const std::vector<BurnSpan>& BurnSpans() const { return m_burnSpans; }

    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_numParticles = 0;
    std::int32_t m_flameHalf = 0;
    std::int32_t m_gravTime = 20000;
    float m_gravity = 0.1f;
    float m_kickStrength = 0.5f;
    float m_bounceEnergy = 0.95f;
    std::int32_t m_colorScheme = 0; // 1 to 4; anything else is the default ramp
    std::int32_t m_randEffectChance = 4;
    std::int32_t m_burnFade = 6;
    std::int32_t m_burnEdges = 0;
    std::string m_burnImageName;
    bool m_transparent = false;

private:
    void FindBurnSpans();

    std::unique_ptr<QxImage> m_burnImage;
    std::vector<BurnSpan> m_burnSpans;
};

class QxEntity2DGUIPFire : public QxEntity2DGUIElement {
public:
    // Mode bits of a particle.
    static constexpr std::int32_t kModeGravity = 1;
    static constexpr std::int32_t kModeSteer = 2;

    struct Particle {
        float x = 0.0f;
        float y = 0.0f;
        float vx = 0.0f;
        float vy = 0.0f;
        float prevX = 0.0f;
        float prevY = 0.0f;
        float targetX = 0.0f;
        float targetY = 0.0f;
        std::int32_t mode = 0;
        std::uint8_t brightness = 0;
    };

    explicit QxEntity2DGUIPFire(QxEntity2DGUIPFireType* type);

    // Moves the particles; nothing for a frame time of 0 or less.
    bool Update(float ms) override;
    // Burns the trails into the heat buffer, cools it and shows it.
    bool Draw() override;

    QxEntity2DGUIPFireType* FireType() const {
        return static_cast<QxEntity2DGUIPFireType*>(Type());
    }

    // The colours of the ramp for a scheme (1 to 4, else the default).
    static std::array<QxColour, 256> BuildPalette(std::int32_t scheme);

    // Null when the fire has no area.
    const QxImage* HeatBuffer() const { return m_heat.get(); }
    QxImage* HeatBuffer() { return m_heat.get(); }
    std::vector<Particle>& Particles() { return m_particles; }
    float GravityY() const { return m_gravityY; }

    bool m_followLeader = false;
    bool m_shortGroups = false;
    bool m_steer = false;
    bool m_gravityInverted = false;
    bool m_followMouse = false;

private:
    void UpdateGravity(float ms);
    void RandomEvent();
    void MoveParticle(std::size_t index, std::size_t mask);
    void RandomPoint(float& x, float& y) const;

    void StampBurnImage();
    void DrawTrail(const Particle& particle);
    void PlotHeat(std::int32_t x, std::int32_t y, std::uint8_t value);
    void BurnEdge();
    void Cool();
    void CoolRow(std::int32_t from, std::int32_t to);
    void Spark(std::int32_t row);
    bool Blit();

    std::array<QxColour, 256> m_palette{};
    std::array<std::uint16_t, 256> m_pixels{};
    std::array<std::uint64_t, 256> m_weighedColours{}; // for the blended blit
    std::unique_ptr<QxImage> m_heat;
    std::vector<Particle> m_particles;
    // One word per group of four pixels (all ones while hot), so that the flags of four
    // groups load as one vector.
    std::vector<std::uint32_t> m_columnFlags;
    float m_gravityX = 0.0f;
    float m_gravityY = 0.0f;
    float m_gravityTimer = 0.0f;
    float m_swirl = 3.0f;
};

using QxEntity2DGUIPFirePrototype = QxTypePrototype<QxEntity2DGUIPFireType>;
