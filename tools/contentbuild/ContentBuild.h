#pragma once
// The content builder turns the sources in content/ into the game's archive. Every
// image, image list, font sheet, sound and the music are made by code: each area of
// the data set registers a step with CONTENT_STEP, and the steps run in (phase, name)
// order so the output never depends on link order. Everything a step writes lands in
// the staging folder, which is packed into the archive in sorted order.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/files/QxImage.h"

class ContentOut {
public:
    ContentOut(std::filesystem::path sources, std::filesystem::path stage)
        : m_sources(std::move(sources)), m_stage(std::move(stage)) {}

    // The content/ folder of the checkout (read-only for steps).
    const std::filesystem::path& Sources() const { return m_sources; }
    // Where archive entries are written; names use "/" and are relative to it.
    const std::filesystem::path& Stage() const { return m_stage; }

    bool WriteFile(const std::string& name, const std::vector<uint8_t>& bytes);
    bool WriteText(const std::string& name, const std::string& text);
    bool WriteBitmap(const std::string& name, const QxImage& image);
    bool WriteImageList(const std::string& name, const std::vector<QxImage>& frames);
    // PCM WAV; samples are interleaved when channels is 2.
    bool WriteWav8(const std::string& name, const std::vector<uint8_t>& samples,
                   uint32_t sampleRate, uint16_t channels = 1);
    bool WriteWav16(const std::string& name, const std::vector<int16_t>& samples,
                    uint32_t sampleRate, uint16_t channels = 1);

    // A step reports a failure here; the build then fails after all steps ran.
    void Fail(const std::string& message);
    bool Failed() const { return !m_errors.empty(); }
    const std::vector<std::string>& Errors() const { return m_errors; }

private:
    std::filesystem::path PathOf(const std::string& name) const;

    std::filesystem::path m_sources;
    std::filesystem::path m_stage;
    std::vector<std::string> m_errors;
};

// Little-endian integers appended to a file being assembled in memory.
void PutU16(std::vector<uint8_t>& out, uint32_t v);
void PutU32(std::vector<uint8_t>& out, uint32_t v);

using ContentStepFunction = void (*)(ContentOut& out);

// Phases: 0 copies the hand-written sources, 10 generates art and sound, 20 builds what
// needs the generated files (levels, checks).
struct ContentStepRegistration {
    ContentStepRegistration(int phase, const char* name, ContentStepFunction function);
};

#define CONTENT_STEP_CAT2(a, b) a##b
#define CONTENT_STEP_CAT(a, b) CONTENT_STEP_CAT2(a, b)
#define CONTENT_STEP(phase, name, function)                                                        \
    static const ContentStepRegistration CONTENT_STEP_CAT(g_contentStep, __LINE__)(phase, name,    \
                                                                                   function)
