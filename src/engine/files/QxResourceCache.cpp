#include "engine/files/QxResourceCache.h"

#include <cctype>

#include "app/QxGlobals.h"
#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxImage.h"
#include "engine/files/QxImageListFile.h"
#include "engine/files/QxImageVariant.h"
#include "engine/files/QxLog.h"
#include "engine/screen/QxScreen2D.h"
#include "engine/sound/QxSoundManager.h"

namespace {

void Log(const std::string& text) {
    LogString(text.c_str());
}

// Opens name through the calling thread's file system, closing it on every path.
QxScopedFile OpenResource(const std::string& name) {
    QxFileSystem* fileSystem = CurrentFileSystem();
    QxFile* file = fileSystem ? fileSystem->Open(name, QxFileManager::kModeReadBinary) : nullptr;
    return QxScopedFile(fileSystem, file);
}

// The record cached under key with one more user: a cached record whose surfaces were
// lost is loaded again, a missing one is made and loaded. Null when loading fails.
// load(record, cached) fills the record from its file.
template <typename Record, typename IsLoaded, typename Load>
Record* Acquire(std::map<std::string, std::unique_ptr<Record>>& records, const std::string& key,
                uint32_t flags, IsLoaded isLoaded, Load load) {
    auto it = records.find(key);
    if (it != records.end()) {
        Record& record = *it->second;
        if (!isLoaded(record) && !load(record, true)) {
            return nullptr;
        }
        ++record.refCount;
        return &record;
    }
    auto record = std::make_unique<Record>();
    record->key = key;
    record->flags = flags;
    if (!load(*record, false)) {
        return nullptr;
    }
    record->refCount = 1;
    Record* result = record.get();
    records.emplace(key, std::move(record));
    return result;
}

// One user fewer for the record under key; the last one's leaving frees what the record
// holds and drops it. Unknown keys are ignored.
template <typename Record, typename Free>
void Release(std::map<std::string, std::unique_ptr<Record>>& records, const std::string& key,
             Free freeHeld) {
    auto it = records.find(key);
    if (it == records.end() || --it->second->refCount > 0) {
        return;
    }
    freeHeld(*it->second);
    records.erase(it);
}

} // namespace

QxImageRecord* QxResourceCache::GetImage(const std::string& name, uint32_t flags) {
    if (g_screen == nullptr || name.empty()) {
        return nullptr;
    }
    const std::string key = QxImageCacheKey(name, flags, false);
    std::lock_guard guard(m_lock);
    return Acquire(
        m_images, key, flags,
        [](const QxImageRecord& record) { return g_screen->IsSurfaceValid(record.surface); },
        [&](QxImageRecord& record, bool cached) { return LoadImageInto(record, name, cached); });
}

bool QxResourceCache::LoadImageInto(QxImageRecord& record, const std::string& name, bool cached) {
    try {
        QxScopedFile file = OpenResource(name);
        if (!file) {
            Log(cached ? "Unable to Find Image " + name : "Unable to open image: " + name + "\n");
            return false;
        }
        QxImage image;
        if (!QxBitmapFile::Read(*file.Get(), image, name)) {
            return false;
        }
        QxApplyImageVariant(image, record.flags);
        uint32_t surface = 0;
        if (!g_screen->CreateSurface(image, &surface, record.flags)) {
            return false;
        }
        record.surface = surface;
        record.width = image.width;
        record.height = image.height;
        return true;
    } catch (...) {
        Log("An exception occured attempting to load image: " + name + "\n");
        return false;
    }
}

QxImageListRecord* QxResourceCache::GetImageList(const std::string& name, uint32_t flags) {
    if (g_screen == nullptr || name.empty()) {
        return nullptr;
    }
    const std::string key = QxImageCacheKey(name, flags, true);
    std::lock_guard guard(m_lock);
    return Acquire(
        m_lists, key, flags,
        [](const QxImageListRecord& record) {
            // Surfaces are lost all together, so the first frame speaks for the list.
            return !record.frames.empty() && g_screen->IsSurfaceValid(record.frames[0].surface);
        },
        [&](QxImageListRecord& record, bool cached) {
            return LoadImageListInto(record, name, cached);
        });
}

bool QxResourceCache::LoadImageListInto(QxImageListRecord& record, const std::string& name,
                                        bool cached) {
    std::vector<QxImageListFrame> frames;
    try {
        QxScopedFile file = OpenResource(name);
        if (!file) {
            Log(cached ? "Unable to Find Image " + name
                       : "Unable to open image list: " + name + "\n");
            return false;
        }
        std::vector<QxImage> images;
        if (!QxImageListFile::Read(*file.Get(), images, name)) {
            return false;
        }
        frames.reserve(images.size());
        for (QxImage& image : images) {
            // Only 8-bit frames take variants; 15 and 16-bit frames are used as stored.
            if (image.bitsPerPixel == 8) {
                QxApplyImageVariant(image, record.flags);
            }
            QxImageListFrame frame;
            frame.name = image.name;
            uint32_t surface = 0;
            if (g_screen->CreateSurface(image, &surface, record.flags)) {
                frame.surface = surface;
                frame.width = image.width;
                frame.height = image.height;
            } else if (frames.empty()) {
                return false; // the list exists only once its first frame does
            } else {
                frame.surface = kFailedSurface;
            }
            frames.push_back(std::move(frame));
            image = QxImage{}; // the picture is not needed once its surface exists
        }
    } catch (...) {
        for (const QxImageListFrame& frame : frames) {
            if (frame.surface != kFailedSurface) {
                g_screen->FreeSurface(frame.surface);
            }
        }
        Log("An exception occured attempting to load image list: " + name + "\n");
        return false;
    }
    // A reload replaces the frames; any surface of the old set that survived goes.
    for (const QxImageListFrame& old : record.frames) {
        if (old.surface != kFailedSurface && g_screen->IsSurfaceValid(old.surface)) {
            g_screen->FreeSurface(old.surface);
        }
    }
    record.frames = std::move(frames);
    return true;
}

QxSoundRecord* QxResourceCache::GetSound(const std::string& name) {
    if (g_soundManager == nullptr || name.empty()) {
        return nullptr;
    }
    std::string key = name;
    for (char& c : key) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    std::lock_guard guard(m_lock);
    auto it = m_sounds.find(key);
    if (it != m_sounds.end()) {
        ++it->second->refCount;
        return it->second.get();
    }
    uint32_t sound = 0;
    try {
        QxScopedFile file = OpenResource(name);
        if (!file) {
            Log("Unable to open sound: " + name + "\n");
            return nullptr;
        }
        if (g_soundManager->LoadSound(file.Get(), &sound) == 0) {
            return nullptr;
        }
    } catch (...) {
        Log("Exception occured while opening sound: " + name + "\n");
        return nullptr;
    }
    auto record = std::make_unique<QxSoundRecord>();
    record->key = key;
    record->refCount = 1;
    record->sound = sound;
    QxSoundRecord* result = record.get();
    m_sounds.emplace(key, std::move(record));
    return result;
}

void QxResourceCache::ReleaseImage(const std::string& key) {
    std::lock_guard guard(m_lock);
    Release(m_images, key, [](const QxImageRecord& record) {
        if (g_screen != nullptr) {
            g_screen->FreeSurface(record.surface);
        }
    });
}

void QxResourceCache::ReleaseImageList(const std::string& key) {
    std::lock_guard guard(m_lock);
    Release(m_lists, key, [](const QxImageListRecord& record) {
        if (g_screen != nullptr) {
            for (const QxImageListFrame& frame : record.frames) {
                if (frame.surface != kFailedSurface) {
                    g_screen->FreeSurface(frame.surface);
                }
            }
        }
    });
}

void QxResourceCache::ReleaseSound(const std::string& key) {
    std::lock_guard guard(m_lock);
    Release(m_sounds, key, [](const QxSoundRecord& record) {
        if (g_soundManager != nullptr) {
            g_soundManager->FreeSound(record.sound);
        }
    });
}

size_t QxResourceCache::ImageCount() const {
    std::lock_guard guard(m_lock);
    return m_images.size();
}

size_t QxResourceCache::ImageListCount() const {
    std::lock_guard guard(m_lock);
    return m_lists.size();
}

size_t QxResourceCache::SoundCount() const {
    std::lock_guard guard(m_lock);
    return m_sounds.size();
}
