#pragma once
#include <cstdint>
#include <string>
#include <vector>

// PNG files of RGB555 pictures (red 0x7C00, green 0x03E0, blue 0x001F), for
// screenshots and for comparing rendered frames.

// Writes 8-bit RGB, each 5-bit field widened by repeating its top bits (31 -> 255),
// so reading back and keeping the top five bits gives the same pixels. Pitch is in
// bytes. False (and a log line) when the file cannot be written.
bool SavePng(const std::string& path, const uint16_t* pixels, int width, int height, int pitch);

// Reads any PNG as RGB555 (top five bits of each channel, alpha dropped). False for a
// missing or damaged file or one larger than 16384 pixels on a side.
bool LoadPng(const std::string& path, std::vector<uint16_t>* pixels, int* width, int* height);
