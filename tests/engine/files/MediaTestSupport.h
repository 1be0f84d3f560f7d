#pragma once
// Helpers for the file, image and sound tests: a fresh folder of the running test,
// whole-file reads and writes, byte building, in-memory files, a source serving named
// byte blocks, and a log that can be read back.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "app/QxGlobals.h"
#include "app/QxWin32SettingsManager.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileManager.h"
#include "platform/headless/Headless.h"
#include "support/TestFiles.h"

namespace mediatest {

// A fresh folder of the running test, numbered so that one test may hold several.
class TempFolder {
public:
    TempFolder() : m_path(testsupport::FreshFolder("files", false, "-" + std::to_string(Next()))) {}

    const std::filesystem::path& Path() const { return m_path; }
    // The folder as a file manager root: ends in "/".
    std::string Root() const { return m_path.generic_string() + "/"; }

private:
    static int Next() {
        static std::atomic<int> counter{0};
        return counter++;
    }
    std::filesystem::path m_path;
};

inline std::string ReadFileText(const std::filesystem::path& path) {
    return testsupport::ReadText(path.string());
}
inline std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    const std::string text = ReadFileText(path);
    return std::vector<uint8_t>(text.begin(), text.end());
}
inline void WriteFileText(const std::filesystem::path& path, const std::string& text) {
    testsupport::WriteText(path.string(), text);
}
inline void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    WriteFileText(path, std::string(bytes.begin(), bytes.end()));
}

// The whole of a file, from where it stands.
inline std::string ReadAll(QxFile* file) {
    std::string text(file->GetSize(), '\0');
    if (!text.empty())
        file->ReadBytes(static_cast<uint32_t>(text.size()), text.data());
    return text;
}

// Little-endian byte building.
class Bytes {
public:
    Bytes& U8(uint8_t v) {
        m_bytes.push_back(v);
        return *this;
    }
    Bytes& U16(uint16_t v) { return U8(static_cast<uint8_t>(v)).U8(static_cast<uint8_t>(v >> 8)); }
    Bytes& U32(uint32_t v) {
        return U16(static_cast<uint16_t>(v)).U16(static_cast<uint16_t>(v >> 16));
    }
    Bytes& Text(const std::string& s) {
        m_bytes.insert(m_bytes.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& Raw(const std::vector<uint8_t>& v) {
        m_bytes.insert(m_bytes.end(), v.begin(), v.end());
        return *this;
    }
    Bytes& Fill(size_t count, uint8_t v) {
        m_bytes.insert(m_bytes.end(), count, v);
        return *this;
    }
    const std::vector<uint8_t>& Get() const { return m_bytes; }
    std::vector<uint8_t>& Get() { return m_bytes; }
    size_t Size() const { return m_bytes.size(); }

private:
    std::vector<uint8_t> m_bytes;
};

// A buffer holding the bytes, positioned at its start.
inline std::unique_ptr<QxBuffer> BufferOf(const std::vector<uint8_t>& bytes) {
    auto buffer = std::make_unique<QxBuffer>();
    buffer->Allocate(static_cast<uint32_t>(bytes.size()), 0);
    if (!bytes.empty())
        buffer->WriteBytes(static_cast<uint32_t>(bytes.size()), bytes.data());
    buffer->Seek(QxFile::kSeekStart, 0);
    return buffer;
}

// The bytes `write` puts into a fresh buffer.
template <typename Write> std::vector<uint8_t> WrittenBy(Write write) {
    QxBuffer buffer;
    buffer.Allocate(0, 0);
    if (!write(buffer))
        return {};
    // Storage grows in steps; the file ends where writing did.
    return std::vector<uint8_t>(buffer.GetData(), buffer.GetData() + buffer.Tell());
}

// Serves named byte blocks as buffers and counts what is open.
class MemoryFileManager : public QxFileManager {
public:
    void Add(const std::string& name, std::vector<uint8_t> bytes) {
        m_files[name] = std::move(bytes);
    }
    void Remove(const std::string& name) { m_files.erase(name); }
    QxFile* Open(const std::string& name, int32_t) override {
        auto it = m_files.find(name);
        if (it == m_files.end())
            return nullptr;
        m_open.push_back(BufferOf(it->second));
        return m_open.back().get();
    }
    int32_t Close(QxFile* file) override {
        for (auto it = m_open.begin(); it != m_open.end(); ++it) {
            if (it->get() == file) {
                m_open.erase(it);
                return kClosed;
            }
        }
        return kNotMine;
    }
    int32_t ListFiles(const std::string&, const std::string&, bool,
                      std::vector<std::string>&) override {
        return 0;
    }
    size_t OpenCount() const { return m_open.size(); }

private:
    std::map<std::string, std::vector<uint8_t>> m_files;
    std::vector<std::unique_ptr<QxBuffer>> m_open;
};

// Publishes a settings store whose user data folder (and so the log) lies in a fresh
// temporary folder; withdraws it afterwards.
class LogCapture {
public:
    LogCapture() : m_previousRoot(platform::headless::Root()) {
        platform::headless::SetRoot(m_folder.Path().generic_string());
        m_settings = std::make_unique<QxWin32SettingsManager>("Maker", "Product");
        m_previous = g_settingsManager;
        g_settingsManager = m_settings.get();
        m_logPath = m_settings->UserDataFolder("") + "log.txt";
    }
    ~LogCapture() {
        g_settingsManager = m_previous;
        m_settings.reset();
        platform::headless::SetRoot(m_previousRoot);
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::string Text() const { return ReadFileText(m_logPath); }

private:
    TempFolder m_folder;
    std::string m_previousRoot;
    std::unique_ptr<QxWin32SettingsManager> m_settings;
    QxSettingsManager* m_previous = nullptr;
    std::string m_logPath;
};

// A PCM WAV file: "fmt " and "data" chunks, with optional chunks between them.
struct WavShape {
    uint16_t channels = 1;
    uint32_t rate = 8000;
    uint16_t bits = 8;
    std::vector<uint8_t> samples;
};

inline std::vector<uint8_t> MakeWav(const WavShape& shape,
                                    const std::vector<uint8_t>& between = {}) {
    const uint16_t blockAlign = static_cast<uint16_t>(shape.channels * (shape.bits / 8));
    Bytes body;
    body.Text("WAVE");
    body.Text("fmt ").U32(16).U16(1).U16(shape.channels).U32(shape.rate);
    body.U32(shape.rate * blockAlign).U16(blockAlign).U16(shape.bits);
    body.Raw(between);
    body.Text("data").U32(static_cast<uint32_t>(shape.samples.size())).Raw(shape.samples);
    if (shape.samples.size() % 2)
        body.U8(0);
    Bytes file;
    file.Text("RIFF").U32(static_cast<uint32_t>(body.Size())).Raw(body.Get());
    return file.Get();
}

inline std::vector<uint8_t> Ramp(size_t count) {
    std::vector<uint8_t> v(count);
    for (size_t i = 0; i < count; ++i)
        v[i] = static_cast<uint8_t>(i * 7 + 3);
    return v;
}

} // namespace mediatest
