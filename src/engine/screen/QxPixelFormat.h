#pragma once
#include <cstdint>

// A 5-bit channel of the back buffer as 8 bits, its top bits repeated below (31 gives
// 255), so that keeping the top five bits gives the channel back.
constexpr uint8_t QxWiden5(uint32_t channel) {
    return static_cast<uint8_t>((channel << 3) | (channel >> 2));
}

// Layout of a pixel: for each channel its mask, width in bits, position of its
// lowest bit and loss (how many low bits of an 8-bit component are dropped).
struct QxPixelFormat {
    struct Channel {
        uint32_t mask = 0;
        int bits = 0;
        int position = 0;
        int loss = 8;

        constexpr uint32_t Pack(uint8_t c) const {
            return (static_cast<uint32_t>(c) >> loss) << position;
        }
        constexpr uint8_t Unpack(uint32_t pixel) const {
            return static_cast<uint8_t>(((pixel & mask) >> position) << loss);
        }
        constexpr bool operator==(const Channel&) const = default;
    };

    int bitsPerPixel = 0;
    Channel red;
    Channel green;
    Channel blue;

    static constexpr Channel ChannelFromMask(uint32_t mask) {
        Channel c;
        c.mask = mask;
        if (mask == 0) {
            return c;
        }
        while (((mask >> c.position) & 1u) == 0) {
            ++c.position;
        }
        while (c.position + c.bits < 32 && ((mask >> (c.position + c.bits)) & 1u) != 0) {
            ++c.bits;
        }
        c.loss = c.bits >= 8 ? 0 : 8 - c.bits;
        return c;
    }

    static constexpr QxPixelFormat FromMasks(int bits, uint32_t r, uint32_t g, uint32_t b) {
        QxPixelFormat f;
        f.bitsPerPixel = bits;
        f.red = ChannelFromMask(r);
        f.green = ChannelFromMask(g);
        f.blue = ChannelFromMask(b);
        return f;
    }

    // The back buffer's format: five bits per channel, top bit unused.
    static constexpr QxPixelFormat Rgb555() { return FromMasks(16, 0x7C00, 0x03E0, 0x001F); }

    constexpr uint32_t Pack(uint8_t r, uint8_t g, uint8_t b) const {
        return red.Pack(r) | green.Pack(g) | blue.Pack(b);
    }

    constexpr bool operator==(const QxPixelFormat&) const = default;
};
