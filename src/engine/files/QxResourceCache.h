#pragma once
// The shared images, image lists and sounds, loaded by file name through the calling
// thread's file system and kept by reference count under their cache keys (the name
// upper-cased plus the variant suffixes). Holders keep the record pointer and give
// the record's key back when done.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct QxImageRecord {
    std::string key;
    int refCount = 0;
    uint32_t surface = 0;
    int width = 0;
    int height = 0;
    uint32_t flags = 0;
};

struct QxImageListFrame {
    uint32_t surface = 0;
    int width = 0;
    int height = 0;
    std::string name;
};

struct QxImageListRecord {
    std::string key;
    int refCount = 0;
    std::vector<QxImageListFrame> frames;
    uint32_t flags = 0;

    size_t FrameCount() const { return frames.size(); }
};

struct QxSoundRecord {
    std::string key;
    int refCount = 0;
    uint32_t sound = 0;
};

class QxResourceCache {
public:
    // Surface handle of a list frame whose surface could not be made.
    static constexpr uint32_t kFailedSurface = 0xFFFFFFFFu;

    QxResourceCache() = default;
    QxResourceCache(const QxResourceCache&) = delete;
    QxResourceCache& operator=(const QxResourceCache&) = delete;
    // Records still held are dropped; their surfaces and sounds go with the screen
    // and the sound manager.
    ~QxResourceCache() = default;

    // A bitmap file as a screen surface; null without a screen, for an empty name or
    // when the file cannot be had. A record whose surface was lost is reloaded.
    QxImageRecord* GetImage(const std::string& name, uint32_t flags);
    // An "IMST" file with one surface per frame; as GetImage.
    QxImageListRecord* GetImageList(const std::string& name, uint32_t flags);
    // A WAV file as a sound of the sound manager; null without one.
    QxSoundRecord* GetSound(const std::string& name);

    // Lower the count of the record under key; at zero its surfaces (or sound) are
    // freed and the record leaves the cache. Unknown keys are ignored.
    void ReleaseImage(const std::string& key);
    void ReleaseImageList(const std::string& key);
    void ReleaseSound(const std::string& key);

    size_t ImageCount() const;
    size_t ImageListCount() const;
    size_t SoundCount() const;

private:
    bool LoadImageInto(QxImageRecord& record, const std::string& name, bool cached);
    bool LoadImageListInto(QxImageListRecord& record, const std::string& name, bool cached);

    // The loading thread and the main thread may both ask for resources.
    mutable std::mutex m_lock;
    std::map<std::string, std::unique_ptr<QxImageRecord>> m_images;
    std::map<std::string, std::unique_ptr<QxImageListRecord>> m_lists;
    std::map<std::string, std::unique_ptr<QxSoundRecord>> m_sounds;
};
