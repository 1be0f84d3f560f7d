#include "engine/gui/QxEntity2DGUIPFire.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <numbers>

#include "app/QxGlobals.h"
#include "app/QxMouseState.h"
#include "app/QxRandom.h"
#include "engine/entity/QxDefinition.h"
#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxLog.h"
#include "engine/screen/QxScreen2D.h"

#if defined(__GNUC__) || defined(__clang__)
#define QX_FIRE_VECTOR 1
#else
#define QX_FIRE_VECTOR 0
#endif

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Particles stay this far from the left and right sides, and kEdgeY from the top and
// bottom, so their trails and the cross-line neighbours stay inside the buffer.
constexpr std::int32_t kEdgeX = 5;
constexpr std::int32_t kEdgeY = 3;

std::int32_t Bounded(const char* key, std::int32_t value, std::int32_t most) {
    if (value < 0 || value > most) {
        const std::int32_t held = std::clamp(value, 0, most);
        LogPrintf("PFire - %s %d held to %d.", key, value, held);
        return held;
    }
    return value;
}

// A float position as a pixel index; whatever is not a number counts as 0, and
// values far outside any buffer are held where an int can carry them.
std::int32_t Pixel(float value) {
    if (!(value == value)) {
        return 0;
    }
    return static_cast<std::int32_t>(std::clamp(value, -1.0e6f, 1.0e6f));
}

// A 15-bit pixel's blue, green and red channels in the low ends of three 16-bit lanes.
constexpr std::uint64_t kLanes555 = 0x0000'001F'001F'001Full;
constexpr std::uint64_t Spread555(std::uint32_t pixel) {
    return std::uint64_t{pixel & 0x1Fu} | (std::uint64_t{(pixel >> 5) & 0x1Fu} << 16) |
           (std::uint64_t{(pixel >> 10) & 0x1Fu} << 32);
}
constexpr std::uint16_t Pack555(std::uint64_t lanes) {
    return static_cast<std::uint16_t>((lanes & 0x1F) | ((lanes >> 11) & 0x3E0) |
                                      ((lanes >> 22) & 0x7C00));
}

// Cools the groups of four from x (a group's start) to the end of the row, one pixel at
// a time; the pixel right of the row's last one is cold.
void CoolGroups(const std::uint8_t* in, std::uint8_t* out, std::uint32_t* flags, std::int32_t x,
                std::int32_t w, std::int32_t fade) {
    const auto cool = [fade](std::int32_t sum) {
        return static_cast<std::uint8_t>(std::clamp((sum - fade) >> 2, 0, 255));
    };
    for (std::int32_t group = x; group < w; group += 4) {
        const std::int32_t end = std::min(group + 4, w);
        std::uint32_t four = 0;
        std::memcpy(&four, in + group, static_cast<std::size_t>(end - group));
        const bool hot = four != 0;
        std::uint32_t& flag = flags[group / 4];
        const bool worked = hot || flag != 0;
        flag = hot ? ~std::uint32_t{0} : 0;
        if (!worked) {
            continue;
        }
        for (std::int32_t i = group; i < end; ++i) {
            out[i] = cool(in[i - 1] + out[i] + in[i] + (i + 1 < w ? in[i + 1] : 0));
        }
    }
}

#if QX_FIRE_VECTOR
typedef std::uint16_t VU __attribute__((vector_size(16)));
typedef std::int16_t VS __attribute__((vector_size(16)));
typedef std::uint32_t VW __attribute__((vector_size(16)));
typedef std::uint8_t VB8 __attribute__((vector_size(8)));

VU LoadU(const void* p) {
    VU v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
VW LoadW(const void* p) {
    VW v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
VU SplatU(std::uint16_t x) {
    return VU{x, x, x, x, x, x, x, x};
}
VS SplatS(std::int16_t x) {
    return VS{x, x, x, x, x, x, x, x};
}
bool IsZero(VW v) {
    std::uint64_t halves[2];
    std::memcpy(halves, &v, sizeof halves);
    return (halves[0] | halves[1]) == 0;
}

// max(0, min((sum - fade) >> 2, 255)) in every lane.
VS CoolLanes(VS sum, VS fade) {
    VS v = (sum - fade) >> 2;
    v &= ~(VS)(v < 0);
    const VS over = (VS)(v > 255);
    return (v & ~over) | (SplatS(255) & over);
}

// Eight pixels of the 5-5-5 blend: each channel d + (((c - d) * v) >> 8) with the
// colour c of heat v, except where c is 0 (where v is 0 the sum leaves d anyway).
void Blend555(std::uint16_t* out, const std::uint8_t* heat, const std::uint16_t* pixels) {
    VB8 bytes;
    std::memcpy(&bytes, heat, sizeof bytes);
    const VS v = __builtin_convertvector(bytes, VS);
    const VU c = {pixels[heat[0]], pixels[heat[1]], pixels[heat[2]], pixels[heat[3]],
                  pixels[heat[4]], pixels[heat[5]], pixels[heat[6]], pixels[heat[7]]};
    const VU d = LoadU(out);
    const VS five = SplatS(31);
    const auto blend = [&v, &five](VU s, VU b, int shift) {
        const VS sc = (VS)(s >> shift) & five;
        const VS dc = (VS)(b >> shift) & five;
        return (VU)(dc + (((sc - dc) * v) >> 8)) << shift;
    };
    const VU mixed = blend(c, d, 10) | blend(c, d, 5) | blend(c, d, 0);
    const VU keep = (VU)(c == 0);
    const VU result = (d & keep) | (mixed & ~keep);
    std::memcpy(out, &result, sizeof result);
}
#endif

float WrapAngle(float angle) {
    if (!std::isfinite(angle)) {
        return 0.0f;
    }
    angle = std::remainder(angle, 2.0f * kPi);
    return angle;
}

} // namespace

// ---- type ---------------------------------------------------------------------------

QxEntity2DGUIPFireType::QxEntity2DGUIPFireType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    if (!definition) {
        return;
    }
    definition->ReadKey("Width", m_width);
    definition->ReadKey("Height", m_height);
    definition->ReadKey("NumParticles", m_numParticles);
    definition->ReadKey("FlameHalf", m_flameHalf);
    definition->ReadKey("GravTime", m_gravTime);
    definition->ReadKey("Gravity", m_gravity);
    definition->ReadKey("KickStrength", m_kickStrength);
    definition->ReadKey("BounceEnergy", m_bounceEnergy);
    definition->ReadKey("ColorScheme", m_colorScheme);
    definition->ReadKey("RandEffectChance", m_randEffectChance);
    definition->ReadKey("BurnFade", m_burnFade);
    definition->ReadKey("BurnEdges", m_burnEdges);
    definition->ReadKey("BurnImage", m_burnImageName);
    definition->ReadKey("Transparent", m_transparent);

    m_width = Bounded("Width", m_width, kMaxSide);
    m_height = Bounded("Height", m_height, kMaxSide);
    m_numParticles = Bounded("NumParticles", m_numParticles, kMaxParticles);
    // Beyond 8 every shift of a byte gives 0; a negative one would be no shift at all.
    m_flameHalf = std::clamp(m_flameHalf, 0, 8);
}

bool QxEntity2DGUIPFireType::Load(bool reload) {
    if (IsLoaded() && !reload) {
        return true;
    }
    m_burnImage.reset();
    m_burnSpans.clear();
    QxFileSystem* files = CurrentFileSystem();
    if (files && !m_burnImageName.empty()) {
        try {
            QxScopedFile file(files, files->Open(m_burnImageName, QxFileManager::kModeReadBinary));
            if (file) {
                auto image = std::make_unique<QxImage>();
                if (QxBitmapFile::Read(*file.Get(), *image, m_burnImageName) &&
                    image->bitsPerPixel == 8 && image->HasPixels()) {
                    m_burnImage = std::move(image);
                    FindBurnSpans();
                }
            } else {
                LogPrintf("PFire - burn image %s not found.", m_burnImageName.c_str());
            }
        } catch (const std::exception&) {
            LogPrintf("PFire - burn image %s could not be read.", m_burnImageName.c_str());
            m_burnImage.reset();
            m_burnSpans.clear();
        }
    }
    return QxEntity2DGUIElementType::Load(reload);
}

void QxEntity2DGUIPFireType::FindBurnSpans() {
    m_burnSpans.clear();
    for (std::int32_t y = 0; y < m_burnImage->height; ++y) {
        const std::uint8_t* row = m_burnImage->Row(y);
        std::int32_t x = 0;
        while (x < m_burnImage->width) {
            if (row[x] <= kBurnThreshold) {
                ++x;
                continue;
            }
            const std::int32_t left = x;
            while (x < m_burnImage->width && row[x] > kBurnThreshold) {
                ++x;
            }
            m_burnSpans.push_back(BurnSpan{y, left, x});
        }
    }
}

bool QxEntity2DGUIPFireType::Unload() {
    m_burnImage.reset();
    m_burnSpans.clear();
    return QxEntity2DGUIElementType::Unload();
}

// ---- entity -------------------------------------------------------------------------

QxEntity2DGUIPFire::QxEntity2DGUIPFire(QxEntity2DGUIPFireType* type) : QxEntity2DGUIElement(type) {
    const std::int32_t w = type->m_width;
    const std::int32_t h = type->m_height;
    m_width = w;
    m_height = h;
    auto heat = std::make_unique<QxImage>();
    if (heat->Create(w, h, 8)) {
        m_heat = std::move(heat);
    }
    m_columnFlags.assign(static_cast<std::size_t>(std::max(w, 0) / 4 + 4), 0);

    m_particles.resize(static_cast<std::size_t>(type->m_numParticles));
    for (Particle& p : m_particles) {
        RandomPoint(p.x, p.y);
        p.prevX = p.x;
        p.prevY = p.y;
        p.brightness = static_cast<std::uint8_t>(random(128) + 127);
    }
    m_followLeader = random(2) == 1;
    m_shortGroups = random(2) == 1;
    m_steer = random(2) == 1;
    random(2);
    m_palette = BuildPalette(type->m_colorScheme);
}

std::array<QxColour, 256> QxEntity2DGUIPFire::BuildPalette(std::int32_t scheme) {
    std::array<QxColour, 256> palette{};
    for (int i = 0; i < 256; ++i) {
        int r = 0;
        int g = 0;
        int b = 0;
        const bool low = i < 128;
        switch (scheme) {
        case 1:
            r = 0;
            g = i;
            b = low ? 2 * i : 255;
            break;
        case 2:
            r = low ? i / 2 : i - 64;
            g = r;
            b = i;
            break;
        case 3:
            r = low ? i / 4 : i - 96;
            g = i;
            b = r;
            break;
        case 4:
            r = low ? 2 * i : 255;
            g = low ? i / 2 : i - 64;
            b = g;
            break;
        default:
            r = low ? 2 * i : 255;
            g = i;
            b = 0;
            break;
        }
        palette[static_cast<std::size_t>(i)] =
            QxColour(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                     static_cast<std::uint8_t>(b));
    }
    // The hottest entries run to white.
    for (int k = 0; k < 32; ++k) {
        QxColour& c = palette[static_cast<std::size_t>(224 + k)];
        auto fade = [k](std::uint8_t v) {
            return static_cast<std::uint8_t>((v * (31 - k) + 255 * (k + 1)) / 32);
        };
        c = QxColour(fade(c.red), fade(c.green), fade(c.blue));
    }
    return palette;
}

void QxEntity2DGUIPFire::RandomPoint(float& x, float& y) const {
    const QxEntity2DGUIPFireType* type = FireType();
    x = static_cast<float>(random(type->m_width - 2 * kEdgeX) + kEdgeX);
    y = static_cast<float>(random(type->m_height - 2 * kEdgeY) + kEdgeY);
}

bool QxEntity2DGUIPFire::Update(float ms) {
    if (!(ms > 0.0f)) {
        return true;
    }
    const QxEntity2DGUIPFireType* type = FireType();
    UpdateGravity(ms);

    // A chance of 1 in C + 1, worked out wide so that a huge C cannot overflow.
    const std::int64_t chance = std::int64_t{type->m_randEffectChance} + 1;
    if (random(static_cast<std::int32_t>(std::min<std::int64_t>(chance, INT32_MAX))) == 0) {
        RandomEvent();
    }

    m_swirl += 0.01f;
    if (m_swirl > kPi) {
        m_swirl -= 2.0f * kPi;
    }

    const std::size_t mask = m_shortGroups ? 63u : 32767u;
    for (std::size_t i = 0; i < m_particles.size(); ++i) {
        MoveParticle(i, mask);
    }

    if (g_screen) {
        g_screen->MarkDirty(QxRect{m_x, m_x + type->m_width, m_y, m_y + type->m_height}, false);
    }
    return true;
}

void QxEntity2DGUIPFire::UpdateGravity(float ms) {
    const QxEntity2DGUIPFireType* type = FireType();
    const float g = type->m_gravity;
    if (type->m_gravTime < 1) {
        m_gravityX = 0.0f;
        m_gravityY = m_gravityInverted ? -g : g;
        return;
    }
    m_gravityTimer -= ms;
    if (m_gravityTimer <= 0.0f) {
        const std::int32_t direction = random(4);
        switch (direction) {
        case 0:
            m_gravityX = 0.0f;
            m_gravityY = g;
            break;
        case 1:
            m_gravityX = -g;
            m_gravityY = 0.0f;
            break;
        case 2:
            m_gravityX = 0.0f;
            m_gravityY = -g;
            break;
        default:
            m_gravityX = g;
            m_gravityY = 0.0f;
            break;
        }
        m_gravityInverted = direction == 2;
        m_gravityTimer += static_cast<float>(type->m_gravTime);
    }
}

void QxEntity2DGUIPFire::RandomEvent() {
    const std::size_t count = m_particles.size();
    switch (random(10)) {
    case 0: // kick against the gravity
        for (Particle& p : m_particles) {
            p.vx -= m_gravityX * 40.0f;
            p.vy -= m_gravityY * 40.0f;
        }
        break;
    case 1: // stop
        for (Particle& p : m_particles) {
            p.vx = 0.0f;
            p.vy = 0.0f;
        }
        break;
    case 2: // regroup in eights
        for (std::size_t group = 0; group < count / 8; ++group) {
            const float speed = std::fabs(RandomFloat(8.0f));
            float px = 0.0f;
            float py = 0.0f;
            RandomPoint(px, py);
            const float angle = RandomFloat(kPi);
            for (std::size_t i = group * 8; i < group * 8 + 8; ++i) {
                Particle& p = m_particles[i];
                p.x = px + RandomFloat(2.0f);
                p.y = py + RandomFloat(2.0f);
                p.vx = std::cos(angle) * speed;
                p.vy = std::sin(angle) * speed;
            }
        }
        break;
    case 4:
    case 5: { // burst from one point
        const float speed = std::fabs(RandomFloat(9.0f)) + 3.0f;
        float px = 0.0f;
        float py = 0.0f;
        RandomPoint(px, py);
        const std::size_t step = static_cast<std::size_t>(random(3) + 1);
        const bool even = random(2) == 1;
        for (std::size_t i = 0; i < count; i += step) {
            Particle& p = m_particles[i];
            p.x = px;
            p.y = py;
            const float angle = RandomFloat(kPi);
            const float s = even ? speed / 2.0f : std::fabs(RandomFloat(speed));
            p.vx = std::cos(angle) * s;
            p.vy = std::sin(angle) * s;
        }
        break;
    }
    case 6:
        m_shortGroups = !m_shortGroups;
        break;
    case 8:
        m_steer = !m_steer;
        break;
    case 9:
        m_followLeader = !m_followLeader;
        break;
    default: // 3 and 7: nothing
        break;
    }
    if (m_followLeader) {
        m_followMouse = false;
    } else if (random(4) == 0) {
        m_followMouse = true;
    }
}

void QxEntity2DGUIPFire::MoveParticle(std::size_t index, std::size_t mask) {
    const QxEntity2DGUIPFireType* type = FireType();
    Particle& p = m_particles[index];
    if (m_followLeader && (index & mask) != 0) {
        const Particle& leader = m_particles[index & ~mask];
        p.targetX = leader.x;
        p.targetY = leader.y;
        p.mode = m_steer ? (kModeGravity | kModeSteer) : kModeSteer;
    } else if (m_followMouse) {
        p.targetX = static_cast<float>(g_mouseState.x);
        p.targetY = static_cast<float>(g_mouseState.y);
        p.mode = m_steer ? (kModeGravity | kModeSteer) : kModeSteer;
    } else {
        p.mode = m_steer ? kModeGravity : 0;
    }

    p.prevX = p.x;
    p.prevY = p.y;
    if (p.mode & kModeGravity) {
        p.vx += m_gravityX;
        p.vy += m_gravityY;
    }
    if (p.mode & kModeSteer) {
        float speed = std::hypot(p.vx, p.vy);
        const bool still = speed == 0.0f;
        if (still) {
            speed = 2.0f;
        }
        const float current = still ? m_swirl : std::atan2(p.vy, p.vx);
        const float dx = p.targetX - p.x;
        const float dy = p.targetY - p.y;
        const float wanted = (dx == 0.0f && dy == 0.0f) ? m_swirl : std::atan2(dy, dx);
        const float heading = current + WrapAngle(wanted - current) * 0.05f;
        p.vx = std::cos(heading) * speed;
        p.vy = std::sin(heading) * speed;
    }
    p.x += p.vx;
    p.y += p.vy;

    const float e = type->m_bounceEnergy;
    const float k = type->m_kickStrength;
    const auto w = static_cast<float>(type->m_width);
    const auto h = static_cast<float>(type->m_height);
    // Past an edge along one axis: back inside, moving away with the bounce energy and
    // kicked at random across the axis.
    const auto bounce = [e, k](float& at, float& speed, float& across, float edge, float size) {
        if (at < edge) {
            at = edge;
            speed = std::fabs(speed) * e;
            across += RandomFloat(k);
        }
        if (at >= size - edge) {
            at = size - edge - 1;
            speed = -std::fabs(speed) * e;
            across += RandomFloat(k);
        }
    };
    bounce(p.x, p.vx, p.vy, kEdgeX, w);
    bounce(p.y, p.vy, p.vx, kEdgeY, h);
}

// ---- drawing ------------------------------------------------------------------------

bool QxEntity2DGUIPFire::Draw() {
    if (!m_heat) {
        return false;
    }
    QxEntity2DGUIPFireType* type = FireType();
    type->Load(false);
    if (g_screen) {
        const QxPixelFormat& format = g_screen->PixelFormat();
        for (std::size_t i = 0; i < m_palette.size(); ++i) {
            const QxColour& c = m_palette[i];
            m_pixels[i] = static_cast<std::uint16_t>(format.Pack(c.red, c.green, c.blue));
        }
    }
    StampBurnImage();
    for (const Particle& p : m_particles) {
        DrawTrail(p);
    }
    if (type->m_burnEdges != 0) {
        BurnEdge();
    }
    Cool();
    return Blit();
}

void QxEntity2DGUIPFire::StampBurnImage() {
    const QxEntity2DGUIPFireType* type = FireType();
    const QxImage* burn = type->BurnImage();
    if (!burn || burn->bitsPerPixel != 8) {
        return;
    }
    // Over the part both pictures share, each with its own row pitch.
    const std::int32_t w = std::min(burn->width, m_heat->width);
    const std::int32_t h = std::min(burn->height, m_heat->height);
    for (const QxEntity2DGUIPFireType::BurnSpan& span : type->BurnSpans()) {
        if (span.y >= h || span.left >= w) {
            continue;
        }
        const std::int32_t right = std::min(span.right, w);
        std::copy(burn->Row(span.y) + span.left, burn->Row(span.y) + right,
                  m_heat->Row(span.y) + span.left);
    }
}

void QxEntity2DGUIPFire::PlotHeat(std::int32_t x, std::int32_t y, std::uint8_t value) {
    if (x < 0 || y < 0 || x >= m_heat->width || y >= m_heat->height) {
        return;
    }
    std::uint8_t& pixel = m_heat->Row(y)[x];
    pixel = std::max(pixel, value);
}

void QxEntity2DGUIPFire::DrawTrail(const Particle& particle) {
    const std::int32_t w = m_heat->width;
    const std::int32_t h = m_heat->height;
    std::int32_t x0 = Pixel(particle.prevX);
    std::int32_t y0 = Pixel(particle.prevY);
    if (x0 < kEdgeX || x0 >= w - kEdgeX || y0 < kEdgeY || y0 >= h - kEdgeY) {
        return;
    }
    // The end may have been moved anywhere since; keep the walk within the buffer.
    const std::int32_t x1 = std::clamp(Pixel(particle.x), 0, w - 1);
    const std::int32_t y1 = std::clamp(Pixel(particle.y), 0, h - 1);
    const std::uint8_t bright = particle.brightness;
    const auto half = static_cast<std::uint8_t>(bright / 2);
    const std::int32_t dx = std::abs(x1 - x0);
    const std::int32_t dy = std::abs(y1 - y0);
    const std::int32_t sx = x0 < x1 ? 1 : -1;
    const std::int32_t sy = y0 < y1 ? 1 : -1;
    const bool steep = dy > dx;
    const std::int32_t steps = std::max(dx, dy);
    std::int32_t error = (steep ? dy : dx) / 2;
    for (std::int32_t i = 0; i <= steps; ++i) {
        PlotHeat(x0, y0, bright);
        if (steep) {
            PlotHeat(x0 - 1, y0, half);
            PlotHeat(x0 + 1, y0, half);
        } else {
            PlotHeat(x0, y0 - 1, half);
            PlotHeat(x0, y0 + 1, half);
        }
        if (steep) {
            y0 += sy;
            error -= dx;
            if (error < 0) {
                x0 += sx;
                error += dy;
            }
        } else {
            x0 += sx;
            error -= dy;
            if (error < 0) {
                y0 += sy;
                error += dx;
            }
        }
    }
}

void QxEntity2DGUIPFire::BurnEdge() {
    const QxEntity2DGUIPFireType* type = FireType();
    const std::int32_t w = m_heat->width;
    const std::int32_t h = m_heat->height;
    const std::int32_t sourceRow = m_gravityInverted ? 2 : h - 2;
    const std::int32_t clearRow = m_gravityInverted ? h - 2 : 2;
    if (clearRow >= 0 && clearRow < h) {
        std::fill_n(m_heat->Row(clearRow), w, std::uint8_t{0});
    }
    const std::int32_t limit = 254 >> type->m_flameHalf;
    std::int32_t r = random(255 >> type->m_flameHalf);
    if (sourceRow < 0 || sourceRow >= h) {
        return;
    }
    std::uint8_t* row = m_heat->Row(sourceRow);
    for (std::int32_t x = 4; x <= w - 5; ++x) {
        const std::int32_t base = row[x] != 0 ? row[x] : r;
        r = std::min((base - 32 + random(64)) & 0xFF, limit);
        row[x] = static_cast<std::uint8_t>(r);
    }
}

void QxEntity2DGUIPFire::Cool() {
    const std::int32_t h = m_heat->height;
    if (!m_gravityInverted) {
        for (std::int32_t y = 3; y <= h - 2; ++y) {
            CoolRow(y, y - 1);
            if ((y & 1) != 0 && y > 2 && y < h - 3) {
                Spark(y);
            }
        }
    } else {
        for (std::int32_t y = h - 4; y >= 2; --y) {
            CoolRow(y, y + 1);
            if ((y & 1) != 0 && y > 2 && y < h - 3) {
                Spark(y);
            }
        }
    }
}

void QxEntity2DGUIPFire::CoolRow(std::int32_t from, std::int32_t to) {
    const std::int32_t w = m_heat->width;
    // Past these every sum of four bytes cools to 0 (or to 255) anyway; held here, each
    // sum fits a 16-bit lane.
    const std::int32_t fade = std::clamp(FireType()->m_burnFade, -1024, 1024);
    const std::uint8_t* in = m_heat->Row(from);
    std::uint8_t* out = m_heat->Row(to);
    std::uint32_t* flags = m_columnFlags.data();
    std::int32_t x = 4;
#if QX_FIRE_VECTOR
    // Four groups at a time while the right neighbour of the last pixel lies in the row.
    // Each pixel depends on its own row's old value only, so a whole stretch is cooled
    // at once and the groups that are not worked keep their old pixels.
    const VS fades = SplatS(static_cast<std::int16_t>(fade));
    for (; x + 16 < w; x += 16) {
        const VW mid = LoadW(in + x);
        const VW hot = (VW)(mid != 0);
        VW worked;
        std::memcpy(&worked, flags + x / 4, sizeof worked);
        worked |= hot;
        if (IsZero(worked)) {
            continue; // cold, and the flags stay clear
        }
        std::memcpy(flags + x / 4, &hot, sizeof hot);
        const VU left = LoadU(in + x - 1);
        const VU right = LoadU(in + x + 1);
        const VU old = LoadU(out + x);
        const VU centre = (VU)mid;
        // The even and the odd bytes of the stretch, each in its own 16-bit lanes.
        const VU low = SplatU(0xFF);
        const VS even = CoolLanes(
            (VS)(left & low) + (VS)(old & low) + (VS)(right & low) + (VS)(centre & low), fades);
        const VS odd = CoolLanes(
            (VS)(left >> 8) + (VS)(old >> 8) + (VS)(right >> 8) + (VS)(centre >> 8), fades);
        const VW cooled = (VW)((VU)even | ((VU)odd << 8));
        const VW result = (cooled & worked) | ((VW)old & ~worked);
        std::memcpy(out + x, &result, sizeof result);
    }
#endif
    CoolGroups(in, out, flags, x, w, fade);
}

void QxEntity2DGUIPFire::Spark(std::int32_t row) {
    const std::int32_t w = m_heat->width;
    const std::int32_t x = kEdgeX + random(w - 2 * kEdgeX);
    // A fire narrower than its margins has no room for a spark.
    if (x - 1 < 0 || x + 1 >= w || row - 1 < 0 || row + 1 >= m_heat->height) {
        return;
    }
    const std::uint8_t q = m_heat->Row(row)[x];
    if (q >= 33 && q < 128) {
        const auto value = static_cast<std::uint8_t>(std::min(2 * q, 255));
        m_heat->Row(row)[x - 1] = value;
        m_heat->Row(row)[x + 1] = value;
        m_heat->Row(row - 1)[x] = value;
        m_heat->Row(row + 1)[x] = value;
    }
}

bool QxEntity2DGUIPFire::Blit() {
    if (!g_screen) {
        return false;
    }
    QxSurfaceDesc desc{};
    if (!g_screen->LockBackBuffer(&desc)) {
        return false;
    }
    if (desc.bytesPerPixel == 2 && desc.pixels) {
        const QxPixelFormat& format = g_screen->PixelFormat();
        const std::int32_t masks[3] = {static_cast<std::int32_t>(format.red.mask),
                                       static_cast<std::int32_t>(format.green.mask),
                                       static_cast<std::int32_t>(format.blue.mask)};
        const bool transparent = FireType()->m_transparent;
        // Only the part of the fire that lies on the back buffer.
        const std::int32_t x0 = std::max(0, -m_x);
        const std::int32_t y0 = std::max(0, -m_y);
        const std::int32_t x1 = std::min(m_heat->width, desc.width - m_x);
        const std::int32_t y1 = std::min(m_heat->height, desc.height - m_y);
        const bool rgb555 =
            masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F && transparent;
        if (rgb555) {
            // Each channel's share of the ramp's colour, weighed by its heat, in the
            // lanes of Spread555.
            for (std::size_t v = 0; v < m_weighedColours.size(); ++v) {
                m_weighedColours[v] = Spread555(m_pixels[v]) * v;
            }
        }
        const std::uint16_t* pixels = m_pixels.data();
        for (std::int32_t y = y0; y < y1; ++y) {
            const std::uint8_t* heat = m_heat->Row(y);
            auto* out = reinterpret_cast<std::uint16_t*>(
                            desc.pixels + static_cast<std::ptrdiff_t>(m_y + y) * desc.pitch) +
                        m_x;
            if (!transparent) {
                for (std::int32_t x = x0; x < x1; ++x) {
                    out[x] = pixels[heat[x]];
                }
                continue;
            }
            if (rgb555) {
                std::int32_t x = x0;
#if QX_FIRE_VECTOR
                // Eight pixels at a time; a stretch without heat (most of a flame's
                // surroundings) costs one test.
                for (; x + 8 <= x1; x += 8) {
                    std::uint64_t eight = 0;
                    std::memcpy(&eight, heat + x, sizeof eight);
                    if (eight == 0) {
                        continue;
                    }
                    Blend555(out + x, heat + x, pixels);
                }
#endif
                // The blend below for all three channels at once: d + (s - d) * v / 256,
                // rounded down, is (d * (256 - v) + s * v) / 256, which never goes
                // below 0 nor past 16 bits in a lane.
                for (; x < x1; ++x) {
                    const std::uint32_t v = heat[x];
                    if (v != 0 && pixels[v] != 0) {
                        const std::uint64_t sum =
                            Spread555(out[x]) * (256 - v) + m_weighedColours[v];
                        out[x] = Pack555((sum >> 8) & kLanes555);
                    }
                }
                continue;
            }
            for (std::int32_t x = x0; x < x1; ++x) {
                const std::uint8_t v = heat[x];
                const std::uint16_t c = pixels[v];
                if (c != 0 && v != 0) {
                    std::int32_t blended = 0;
                    for (std::int32_t mask : masks) {
                        const std::int32_t d = out[x] & mask;
                        const std::int32_t s = c & mask;
                        blended |= (d + (((s - d) * v) >> 8)) & mask;
                    }
                    out[x] = static_cast<std::uint16_t>(blended);
                }
            }
        }
    }
    g_screen->UnlockBackBuffer();
    return true;
}
