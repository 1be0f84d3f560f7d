// Feeds arbitrary bytes to the sound manager's WAV loading over the headless sound
// service, and plays what loads for a moment.
#include <cstddef>
#include <cstdint>

#include "engine/files/QxBuffer.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "platform/headless/HeadlessSound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QxWin32SoundManager* manager = [] {
        auto* m = new QxWin32SoundManager;
        m->InitSound(0);
        return m;
    }();
    if (size > 0x7FFFFFFF) {
        return 0;
    }
    QxBuffer file;
    file.Allocate(static_cast<uint32_t>(size), 0);
    if (size != 0) {
        file.WriteBytes(static_cast<uint32_t>(size), data);
    }
    file.Seek(QxFile::kSeekStart, 0);
    uint32_t sound = 0;
    if (manager->LoadSound(&file, &sound) == 1) {
        uint32_t instance = 0;
        if (manager->PlaySound(sound, &instance, false) == 1) {
            manager->SetInstanceRate(instance, 1.5f);
            manager->ResumeInstance(instance);
            platform::headless::AdvanceSound(10.0);
            manager->UpdateSounds(10.0f);
        }
        manager->FreeSound(sound);
    }
    return 0;
}
