// The registry kept in a small text file, for the bindings of systems without one.
// Every access reads the file and every change writes it again, so two programs (or a
// crash between accesses) never leave half an update behind in memory.

#include "platform/fileregistry/FileRegistry.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <system_error>

#include "engine/files/QxLog.h"
#include "platform/FileFlush.h"

namespace platform {
namespace {

std::mutex g_mutex;

// ---- registry file --------------------------------------------------------------------

struct RegValue {
    std::string name;
    bool isString = false;
    std::uint32_t number = 0;
    std::string text;
};

struct RegKey {
    std::string path; // root name, backslash, components
    std::vector<RegValue> values;
};

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

bool SameName(const std::string& a, const std::string& b) {
    return Upper(a) == Upper(b);
}

std::string Escape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\0':
            out += "\\0";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case '0':
            out += '\0';
            break;
        case '\\':
            out += '\\';
            break;
        default: // not an escape: a hand-edited file keeps its single backslash
            out += '\\';
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos) {
            return parts;
        }
        start = tab + 1;
    }
}

std::string RegistryFile() {
    return FileRegistryPath();
}

// A whole decimal field that fits 32 bits; signs, spaces and overflow are damage.
bool ParseNumber(const std::string& text, std::uint32_t& number) {
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, error] = std::from_chars(first, last, number);
    return !text.empty() && error == std::errc() && end == last;
}

// Says once per file content that damaged lines were skipped, so a player who edited
// the file by hand can find out why a setting went back to its default. The file is
// read on every access, so the same damage is not reported again.
void ReportDamage(const std::string& path, int damagedLines, std::size_t fileSize) {
    static std::string reported;
    const std::string stamp =
        path + "|" + std::to_string(damagedLines) + "|" + std::to_string(fileSize);
    if (stamp == reported) {
        return;
    }
    reported = stamp;
    LogPrintf("Registry - %d damaged line(s) in %s were skipped.", damagedLines, path.c_str());
}

// Lines: "K\tpath", then "U\tname\tdecimal" or "S\tname\ttext" for the values of that
// key. Fields are escaped so that tabs and line breaks survive. Damaged lines are
// skipped: the registry is only a stand-in and must never stop the program.
std::vector<RegKey> LoadRegistry() {
    std::vector<RegKey> keys;
    const std::string path = RegistryFile();
    std::ifstream in(path, std::ios::binary);
    std::string line;
    int damaged = 0;
    std::size_t size = 0;
    while (std::getline(in, line)) {
        size += line.size() + 1;
        if (line.empty()) {
            continue;
        }
        std::vector<std::string> parts = SplitTabs(line);
        if (parts.size() == 2 && parts[0] == "K") {
            keys.push_back(RegKey{Unescape(parts[1]), {}});
        } else if (parts.size() == 3 && !keys.empty() && (parts[0] == "U" || parts[0] == "S")) {
            RegValue value;
            value.name = Unescape(parts[1]);
            value.isString = parts[0] == "S";
            if (value.isString) {
                value.text = Unescape(parts[2]);
            } else if (!ParseNumber(parts[2], value.number)) {
                ++damaged;
                continue;
            }
            keys.back().values.push_back(std::move(value));
        } else {
            ++damaged;
        }
    }
    if (damaged > 0) {
        ReportDamage(path, damaged, size);
    }
    return keys;
}

// Written beside the old file, put on the disk and only then renamed over it, so a
// failure halfway (a full disk, a crash, a power cut) leaves the previous settings in
// place rather than half a file or none.
bool SaveRegistry(const std::vector<RegKey>& keys) {
    std::string text;
    for (const RegKey& key : keys) {
        text += "K\t" + Escape(key.path) + '\n';
        for (const RegValue& value : key.values) {
            text += (value.isString ? "S\t" : "U\t") + Escape(value.name) + '\t';
            text += value.isString ? Escape(value.text) : std::to_string(value.number);
            text += '\n';
        }
    }
    const std::filesystem::path path(RegistryFile());
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    std::FILE* out = std::fopen(temporary.string().c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    bool written = text.empty() || std::fwrite(text.data(), 1, text.size(), out) == text.size();
    written = written && FlushToDisk(out);
    written = std::fclose(out) == 0 && written;
    if (written) {
        std::filesystem::rename(temporary, path, ec);
    }
    if (!written || ec) {
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

RegKey* FindKey(std::vector<RegKey>& keys, const std::string& path) {
    for (RegKey& key : keys) {
        if (SameName(key.path, path)) {
            return &key;
        }
    }
    return nullptr;
}

RegValue* FindValue(RegKey& key, const std::string& name) {
    for (RegValue& value : key.values) {
        if (SameName(value.name, name)) {
            return &value;
        }
    }
    return nullptr;
}

std::map<RegistryKey, std::string> g_openKeys;
RegistryKey g_nextKey = 1;

// Loads the registry and finds the key behind a handle; null when the handle is not
// open or its key was deleted meanwhile.
RegKey* OpenedKey(RegistryKey handle, std::vector<RegKey>& keys) {
    auto it = g_openKeys.find(handle);
    if (it == g_openKeys.end()) {
        return nullptr;
    }
    keys = LoadRegistry();
    return FindKey(keys, it->second);
}

// The named value of an open key, or null (lock held; keys receives the registry).
RegValue* OpenedValue(RegistryKey handle, const std::string& name, std::vector<RegKey>& keys) {
    RegKey* opened = OpenedKey(handle, keys);
    return opened != nullptr ? FindValue(*opened, name) : nullptr;
}

// Gives the named value of an open key its new contents, adding it when missing, and
// saves the registry.
bool StoreValue(RegistryKey handle, const std::string& name, bool isString, std::uint32_t number,
                const std::string& text) {
    std::lock_guard lock(g_mutex);
    std::vector<RegKey> keys;
    RegKey* opened = OpenedKey(handle, keys);
    if (opened == nullptr) {
        return false;
    }
    RegValue* found = FindValue(*opened, name);
    if (found == nullptr) {
        opened->values.push_back(RegValue{name, isString, 0, {}});
        found = &opened->values.back();
    }
    found->isString = isString;
    found->number = number;
    found->text = text;
    return SaveRegistry(keys);
}

std::string RootName(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

} // namespace

// ---- registry -----------------------------------------------------------------------------

bool RegistryCreateKey(RegistryRoot root, const std::string& path, RegistryKey& key) {
    std::lock_guard lock(g_mutex);
    std::vector<RegKey> keys = LoadRegistry();
    // Every missing ancestor is created as well, as the desktop registry does.
    std::string full = RootName(root);
    bool changed = false;
    if (FindKey(keys, full) == nullptr) {
        keys.push_back(RegKey{full, {}});
        changed = true;
    }
    std::stringstream components(path);
    std::string part;
    while (std::getline(components, part, '\\')) {
        if (part.empty()) {
            continue;
        }
        full += '\\';
        full += part;
        if (FindKey(keys, full) == nullptr) {
            keys.push_back(RegKey{full, {}});
            changed = true;
        }
    }
    if (changed && !SaveRegistry(keys)) {
        return false;
    }
    key = g_nextKey++;
    g_openKeys[key] = full;
    return true;
}

bool RegistryCloseKey(RegistryKey key) {
    std::lock_guard lock(g_mutex);
    return g_openKeys.erase(key) == 1;
}

bool RegistryGetUInt32(RegistryKey key, const std::string& name, std::uint32_t& value) {
    std::lock_guard lock(g_mutex);
    std::vector<RegKey> keys;
    const RegValue* found = OpenedValue(key, name, keys);
    if (found == nullptr || found->isString) {
        return false;
    }
    value = found->number;
    return true;
}

bool RegistrySetUInt32(RegistryKey key, const std::string& name, std::uint32_t value) {
    return StoreValue(key, name, false, value, {});
}

bool RegistryGetString(RegistryKey key, const std::string& name, std::size_t capacityBytes,
                       std::string& text) {
    std::lock_guard lock(g_mutex);
    std::vector<RegKey> keys;
    const RegValue* found = OpenedValue(key, name, keys);
    if (found == nullptr || !found->isString || found->text.size() + 1 > capacityBytes) {
        return false;
    }
    text = found->text;
    return true;
}

bool RegistrySetString(RegistryKey key, const std::string& name, const std::string& text) {
    return StoreValue(key, name, true, 0, text);
}

namespace {

// The last path component when child is a direct sub-key of parent, else empty.
std::string ChildName(const std::string& parent, const std::string& child) {
    if (child.size() <= parent.size() + 1 || child[parent.size()] != '\\' ||
        !SameName(child.substr(0, parent.size()), parent)) {
        return {};
    }
    std::string rest = child.substr(parent.size() + 1);
    return rest.find('\\') == std::string::npos ? rest : std::string();
}

} // namespace

bool RegistryListSubKeys(RegistryKey key, std::vector<std::string>& names) {
    std::lock_guard lock(g_mutex);
    std::vector<RegKey> keys;
    RegKey* opened = OpenedKey(key, keys);
    if (opened == nullptr) {
        return false;
    }
    std::vector<std::string> found;
    for (const RegKey& other : keys) {
        std::string name = ChildName(opened->path, other.path);
        if (!name.empty()) {
            found.push_back(name);
        }
    }
    std::sort(found.begin(), found.end(),
              [](const std::string& a, const std::string& b) { return Upper(a) < Upper(b); });
    names = std::move(found);
    return true;
}

bool RegistryDeleteSubKey(RegistryKey key, const std::string& name) {
    std::lock_guard lock(g_mutex);
    std::vector<RegKey> keys;
    RegKey* opened = OpenedKey(key, keys);
    if (opened == nullptr || name.empty() || name.find('\\') != std::string::npos) {
        return false;
    }
    std::string target = opened->path + "\\" + name;
    auto victim = std::find_if(keys.begin(), keys.end(),
                               [&](const RegKey& k) { return SameName(k.path, target); });
    if (victim == keys.end()) {
        return false;
    }
    for (const RegKey& other : keys) {
        if (!ChildName(victim->path, other.path).empty()) {
            return false; // a key with sub-keys is not deleted
        }
    }
    keys.erase(victim);
    return SaveRegistry(keys);
}

CreateFolderResult CreateFolder(const std::string& path) {
    if (path.empty()) {
        return CreateFolderResult::Failed;
    }
    std::error_code ec;
    if (std::filesystem::create_directory(path, ec)) {
        return CreateFolderResult::Created;
    }
    if (!ec) {
        return CreateFolderResult::AlreadyExists;
    }
    if (ec == std::errc::no_such_file_or_directory) {
        return CreateFolderResult::ParentMissing;
    }
    return CreateFolderResult::Failed;
}

} // namespace platform
