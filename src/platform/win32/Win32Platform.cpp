// Win32 services: the multimedia tick and the performance counter, a plain thread,
// the registry, the shell's data folders, folder creation and the web browser.

#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <new>

#include "platform/LocalPage.h"
#include "platform/Platform.h"

namespace platform {

// ---- clocks and threads -------------------------------------------------------------

std::uint32_t TickMilliseconds() {
    return timeGetTime();
}

bool HighResolutionFrequency(std::int64_t& countsPerSecond) {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) {
        return false;
    }
    countsPerSecond = frequency.QuadPart;
    return true;
}

std::int64_t HighResolutionCounter() {
    LARGE_INTEGER count;
    return QueryPerformanceCounter(&count) ? count.QuadPart : 0;
}

void SleepMilliseconds(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

namespace {

struct ThreadStart {
    ThreadEntry entry;
    void* argument;
};

DWORD WINAPI RunThread(LPVOID parameter) {
    const std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(parameter));
    start->entry(start->argument);
    return 0;
}

} // namespace

bool StartThread(ThreadEntry entry, void* argument) {
    if (entry == nullptr) {
        return false;
    }
    auto* start = new (std::nothrow) ThreadStart{entry, argument};
    if (start == nullptr) {
        return false;
    }
    HANDLE thread = CreateThread(nullptr, 0, &RunThread, start, 0, nullptr);
    if (thread == nullptr) {
        delete start;
        return false;
    }
    CloseHandle(thread); // it runs on its own
    return true;
}

// ---- registry -----------------------------------------------------------------------

namespace {

HKEY KeyOf(RegistryKey key) {
    return reinterpret_cast<HKEY>(key);
}

} // namespace

bool RegistryCreateKey(RegistryRoot root, const std::string& path, RegistryKey& key) {
    HKEY base = root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    HKEY opened = nullptr;
    if (RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &opened, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    key = reinterpret_cast<RegistryKey>(opened);
    return true;
}

bool RegistryCloseKey(RegistryKey key) {
    return key != kNoRegistryKey && RegCloseKey(KeyOf(key)) == ERROR_SUCCESS;
}

bool RegistryGetUInt32(RegistryKey key, const std::string& name, std::uint32_t& value) {
    if (key == kNoRegistryKey) {
        return false;
    }
    DWORD type = 0;
    DWORD read = 0;
    DWORD size = sizeof(read);
    if (RegQueryValueExA(KeyOf(key), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&read),
                         &size) != ERROR_SUCCESS ||
        size != sizeof(read) || (type != REG_DWORD && type != REG_BINARY)) {
        return false;
    }
    value = read;
    return true;
}

bool RegistrySetUInt32(RegistryKey key, const std::string& name, std::uint32_t value) {
    const DWORD stored = value;
    return key != kNoRegistryKey &&
           RegSetValueExA(KeyOf(key), name.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&stored), sizeof(stored)) == ERROR_SUCCESS;
}

bool RegistryGetString(RegistryKey key, const std::string& name, std::size_t capacityBytes,
                       std::string& text) {
    if (key == kNoRegistryKey || capacityBytes == 0 || capacityBytes > 0x7FFFFFFF) {
        return false;
    }
    std::string buffer(capacityBytes, '\0');
    DWORD type = 0;
    DWORD size = DWORD(capacityBytes);
    // A value larger than the capacity answers ERROR_MORE_DATA and is refused.
    if (RegQueryValueExA(KeyOf(key), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > capacityBytes) {
        return false;
    }
    buffer.resize(size);
    // Stored strings normally end in their terminator; one written without it is
    // taken as it is.
    const std::size_t end = buffer.find('\0');
    if (end != std::string::npos) {
        buffer.resize(end);
    }
    text = std::move(buffer);
    return true;
}

bool RegistrySetString(RegistryKey key, const std::string& name, const std::string& text) {
    if (key == kNoRegistryKey || text.size() >= 0x7FFFFFFF) {
        return false;
    }
    return RegSetValueExA(KeyOf(key), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          DWORD(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryListSubKeys(RegistryKey key, std::vector<std::string>& names) {
    if (key == kNoRegistryKey) {
        return false;
    }
    for (DWORD index = 0;; ++index) {
        char name[256]; // key names are at most 255 characters
        DWORD length = sizeof(name);
        const LONG result =
            RegEnumKeyExA(KeyOf(key), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) {
            return true;
        }
        if (result != ERROR_SUCCESS) {
            return false;
        }
        names.emplace_back(name, length);
    }
}

bool RegistryDeleteSubKey(RegistryKey key, const std::string& name) {
    return key != kNoRegistryKey && !name.empty() &&
           RegDeleteKeyA(KeyOf(key), name.c_str()) == ERROR_SUCCESS;
}

// ---- folders ------------------------------------------------------------------------

std::string GetSpecialFolder(SpecialFolder folder, bool create) {
    int id = folder == SpecialFolder::CommonApplicationData ? CSIDL_COMMON_APPDATA : CSIDL_APPDATA;
    if (create) {
        id |= CSIDL_FLAG_CREATE;
    }
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return path;
}

CreateFolderResult CreateFolder(const std::string& path) {
    if (path.empty()) {
        return CreateFolderResult::Failed;
    }
    if (CreateDirectoryA(path.c_str(), nullptr)) {
        return CreateFolderResult::Created;
    }
    switch (GetLastError()) {
    case ERROR_ALREADY_EXISTS: {
        // Only a folder counts; a file of that name does not hold anything.
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
                   ? CreateFolderResult::AlreadyExists
                   : CreateFolderResult::Failed;
    }
    case ERROR_PATH_NOT_FOUND:
        return CreateFolderResult::ParentMissing;
    default:
        return CreateFolderResult::Failed;
    }
}

// ---- shell --------------------------------------------------------------------------

bool OpenLocalPage(const std::filesystem::path& page) {
    if (!IsLocalPage(page)) {
        return false;
    }
    // The wide path, so a folder name outside the code page still reaches the browser.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", page.wstring().c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

} // namespace platform
