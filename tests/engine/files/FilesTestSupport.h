#pragma once
// Helpers shared by the file tests: a temporary folder removed afterwards, whole-file
// reads and writes, a source serving byte blocks from memory, and a settings store
// whose user data folder (and so the log) lies in a temporary folder.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
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

namespace filestest {

class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = std::filesystem::temp_directory_path() /
                 ("rondelix-files-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The folder as a file manager root: ends in "/".
    std::string Root() const { return m_path.generic_string() + "/"; }

private:
    std::filesystem::path m_path;
};

inline std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline void WriteFileText(const std::filesystem::path& path, const std::string& text) {
    WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

inline std::string ReadFileText(const std::filesystem::path& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// Serves named byte blocks as buffers, so an archive can be read from memory.
class MemoryFileManager : public QxFileManager {
public:
    void Add(const std::string& name, std::vector<uint8_t> bytes) {
        m_files[name] = std::move(bytes);
    }
    QxFile* Open(const std::string& name, int32_t) override {
        auto it = m_files.find(name);
        if (it == m_files.end())
            return nullptr;
        auto buffer = std::make_unique<QxBuffer>();
        buffer->Allocate(static_cast<uint32_t>(it->second.size()), 0);
        if (!it->second.empty())
            buffer->WriteBytes(static_cast<uint32_t>(it->second.size()), it->second.data());
        buffer->Seek(QxFile::kSeekStart, 0);
        m_open.push_back(std::move(buffer));
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

// Publishes a settings store whose data folders lie in a temporary folder, so the
// log can be read back; withdraws it afterwards.
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
    const std::string& LogPath() const { return m_logPath; }

private:
    TempFolder m_folder;
    std::string m_previousRoot;
    std::unique_ptr<QxWin32SettingsManager> m_settings;
    QxSettingsManager* m_previous = nullptr;
    std::string m_logPath;
};

} // namespace filestest
