#include "RunnerScript.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "app/QxWindowMessages.h"

namespace {

constexpr std::uint32_t kMessageActivateApp = 28;
constexpr std::uint32_t kMessageClose = 16;

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool ReadWhole(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool ToNumber(const std::string& text, std::int64_t& value) {
    if (text.empty()) {
        return false;
    }
    std::size_t used = 0;
    try {
        value = std::stoll(text, &used, 10);
    } catch (const std::exception&) {
        return false;
    }
    return used == text.size();
}

// The line without its comment, split at blanks.
std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

} // namespace

std::uint32_t VirtualKeyOf(const std::string& code) {
    static const std::map<std::string, std::uint32_t> names = {
        {"up", 38},   {"down", 40},     {"left", 37},     {"right", 39},  {"control", 17},
        {"ctrl", 17}, {"shift", 16},    {"enter", 13},    {"return", 13}, {"escape", 27},
        {"esc", 27},  {"space", 32},    {"backspace", 8}, {"tab", 9},     {"pageup", 33},
        {"pgup", 33}, {"pagedown", 34}, {"pgdn", 34},     {"end", 35},    {"home", 36},
    };
    const std::string name = Lower(code);
    if (auto it = names.find(name); it != names.end()) {
        return it->second;
    }
    if (name.size() >= 2 && name[0] == 'f') {
        std::int64_t n = 0;
        if (ToNumber(name.substr(1), n) && n >= 1 && n <= 12) {
            return static_cast<std::uint32_t>(111 + n);
        }
    }
    if (code.size() == 1 && std::isalnum(static_cast<unsigned char>(code[0]))) {
        return static_cast<std::uint32_t>(std::toupper(static_cast<unsigned char>(code[0])));
    }
    std::int64_t number = 0;
    if (!ToNumber(code, number) || number <= 0 || number > QxKey::End) {
        return 0;
    }
    if (number >= 256) {
        // A game key code: the virtual key that produces it.
        for (std::uint32_t vk = 1; vk < 256; ++vk) {
            if (KeyCodeFromVirtualKey(vk) == number) {
                return vk;
            }
        }
        return 0;
    }
    return static_cast<std::uint32_t>(number);
}

bool InputScript::Load(const std::string& path, std::string& error) {
    std::string text;
    if (!ReadWhole(path, text)) {
        error = path + ": cannot be read";
        return false;
    }
    if (!Parse(text, error)) {
        error = path + ":" + error;
        return false;
    }
    return true;
}

bool InputScript::Parse(const std::string& text, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::vector<std::string> w = Words(line);
        if (w.empty()) {
            continue;
        }
        auto fail = [&](const std::string& why) {
            error = std::to_string(number) + ": " + why;
            return false;
        };
        std::int64_t frame = 0;
        if (!ToNumber(w[0], frame) || frame < 1) {
            return fail("a line starts with its frame number (1 or more)");
        }
        if (w.size() < 2) {
            return fail("a command follows the frame number");
        }
        const std::string command = Lower(w[1]);
        ScriptMessage message;
        std::int64_t a = 0;
        std::int64_t b = 0;
        if (command == "move") {
            if (w.size() != 4 || !ToNumber(w[2], a) || !ToNumber(w[3], b)) {
                return fail("move takes X and Y");
            }
            message.message = QxWindowMessage::MouseMove;
            message.second = static_cast<std::uint16_t>(static_cast<std::int16_t>(a)) |
                             (static_cast<std::uint32_t>(
                                  static_cast<std::uint16_t>(static_cast<std::int16_t>(b)))
                              << 16);
        } else if (command == "down" || command == "up" || command == "rdown" || command == "rup") {
            if (w.size() != 2) {
                return fail(command + " takes nothing");
            }
            static const std::map<std::string, std::uint32_t> kButtons = {
                {"down", QxWindowMessage::LeftButtonDown},
                {"up", QxWindowMessage::LeftButtonUp},
                {"rdown", QxWindowMessage::RightButtonDown},
                {"rup", QxWindowMessage::RightButtonUp}};
            message.message = kButtons.at(command);
        } else if (command == "key" || command == "keyup") {
            const std::uint32_t vk = w.size() == 3 ? VirtualKeyOf(w[2]) : 0;
            if (vk == 0) {
                return fail(command + " takes a key name or code");
            }
            message.message = command == "key" ? QxWindowMessage::KeyDown : QxWindowMessage::KeyUp;
            message.first = vk;
        } else if (command == "char") {
            if (w.size() != 3) {
                return fail("char takes a character or its code");
            }
            if (w[2].size() == 1) {
                a = static_cast<unsigned char>(w[2][0]);
            } else if (!ToNumber(w[2], a) || a < 0 || a > 255) {
                return fail("char takes a character or a code from 0 to 255");
            }
            message.message = QxWindowMessage::Char;
            message.first = static_cast<std::uint64_t>(a);
        } else if (command == "wheel") {
            // Notches as the desktop counts them; the event carries 120 a notch.
            if (w.size() != 3 || !ToNumber(w[2], a) || a < -273 || a > 273) {
                return fail("wheel takes the notches turned, up positive (-273 to 273)");
            }
            message.message = QxWindowMessage::MouseWheel;
            message.first = static_cast<std::uint64_t>(
                                static_cast<std::uint16_t>(a * QxInputEvent::kWheelNotch))
                            << 16;
        } else if (command == "activate") {
            if (w.size() != 3 || !ToNumber(w[2], a) || (a != 0 && a != 1)) {
                return fail("activate takes 0 or 1");
            }
            message.message = kMessageActivateApp;
            message.first = static_cast<std::uint64_t>(a);
        } else if (command == "close") {
            message.message = kMessageClose;
        } else {
            return fail("unknown command \"" + w[1] + "\"");
        }
        m_frames[static_cast<std::uint64_t>(frame)].push_back(message);
    }
    return true;
}

const std::vector<ScriptMessage>* InputScript::MessagesFor(std::uint64_t frame) const {
    auto it = m_frames.find(frame);
    return it == m_frames.end() ? nullptr : &it->second;
}

std::uint64_t InputScript::LastFrame() const {
    return m_frames.empty() ? 0 : m_frames.rbegin()->first;
}

// ---- recordings ------------------------------------------------------------------------

bool Recording::Save(const std::string& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "# rondelix-headless recording: FRAME event KIND VALUE\n";
    out << "seed " << seed << "\n";
    out << "dt " << frameMs << "\n";
    if (!level.empty()) {
        out << "level " << level << "\n";
    }
    out << "frames " << frames << "\n";
    for (const auto& [frame, list] : events) {
        for (const QxInputEvent& event : list) {
            out << frame << " event " << static_cast<std::uint32_t>(event.kind) << " "
                << event.value << "\n";
        }
    }
    out.flush();
    return static_cast<bool>(out);
}

bool Recording::Load(const std::string& path, std::string& error) {
    std::string text;
    if (!ReadWhole(path, text)) {
        error = path + ": cannot be read";
        return false;
    }
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::vector<std::string> w = Words(line);
        if (w.empty()) {
            continue;
        }
        std::int64_t a = 0;
        std::int64_t b = 0;
        std::int64_t c = 0;
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (w[0] == "seed" && w.size() == 2 && ToNumber(w[1], a) && a >= 0 && a <= 0xFFFFFFFFll) {
            seed = static_cast<std::uint32_t>(a);
        } else if (w[0] == "dt" && w.size() == 2) {
            try {
                frameMs = std::stof(w[1]);
            } catch (const std::exception&) {
                error = where + "dt takes milliseconds";
                return false;
            }
        } else if (w[0] == "level" && w.size() >= 2) {
            level = line.substr(line.find("level") + 6);
        } else if (w[0] == "frames" && w.size() == 2 && ToNumber(w[1], a) && a >= 0) {
            frames = static_cast<std::uint64_t>(a);
        } else if (w.size() == 4 && w[1] == "event" && ToNumber(w[0], a) && a >= 1 &&
                   ToNumber(w[2], b) && b >= 1 &&
                   b <= static_cast<std::int64_t>(QxInputKind::MouseWheel) && ToNumber(w[3], c) &&
                   c >= 0 && c <= 0xFFFFFFFFll) {
            events[static_cast<std::uint64_t>(a)].push_back(
                QxInputEvent::Make(static_cast<QxInputKind>(b), static_cast<std::uint32_t>(c)));
        } else {
            error = where + "not a line of a recording";
            return false;
        }
    }
    return true;
}
