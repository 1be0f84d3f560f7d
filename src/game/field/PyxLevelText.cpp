#include "game/field/PyxLevelText.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <set>
#include <utility>
#include <variant>
#include <vector>

#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxLevel.h"

namespace {

// ---- the properties, in the order of the file ---------------------------------------

using PropertyField = std::variant<std::int32_t PyxLevelProperties::*,
                                   std::uint32_t PyxLevelProperties::*, float PyxLevelProperties::*,
                                   bool PyxLevelProperties::*, std::string PyxLevelProperties::*>;

struct Property {
    const char* name;
    PropertyField field;
};

using P = PyxLevelProperties;
const Property kProperties[] = {
    {"LevelName", &P::LevelName},
    {"ReservedFlag", &P::ReservedFlag},
    {"SpawnFlags", &P::SpawnFlags},
    {"ReleaseInterval", &P::ReleaseInterval},
    {"ReservedInt2", &P::ReservedInt2},
    {"BallClass", &P::BallClass},
    {"BallType", &P::BallType},
    {"BallsReleased", &P::BallsReleased},
    {"BallsAvailable", &P::BallsAvailable},
    {"StartCol", &P::StartCol},
    {"StartRow", &P::StartRow},
    {"StartDirX", &P::StartDirX},
    {"StartDirY", &P::StartDirY},
    {"BallSpeed", &P::BallSpeed},
    {"ReservedFloat1", &P::ReservedFloat1},
    {"ReservedFloat2", &P::ReservedFloat2},
    {"LevelTime", &P::LevelTime},
    {"BallsToWin", &P::BallsToWin},
    {"CoinsNeeded", &P::CoinsNeeded},
    {"ExitMode", &P::ExitMode},
    {"ReservedFloat3", &P::ReservedFloat3},
    {"ExitAtRandomTile", &P::ExitAtRandomTile},
    {"CoinsOnBoard", &P::CoinsOnBoard},
};

const char* const kGridNames[] = {"Columns",    "Rows",    "TileWidth",
                                  "TileHeight", "BorderX", "BorderY"};

constexpr char kEmptyCell = '-';
constexpr const char* kSymbolPool =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool SymbolChar(char c) {
    return c > ' ' && c < 0x7F && c != kEmptyCell && c != '"' && c != '#';
}

// ---- writing ------------------------------------------------------------------------

bool PlainToken(const std::string& text) {
    if (text.empty())
        return false;
    for (char c : text) {
        if (!(c > ' ' && c < 0x7F) || c == '"' || c == '#')
            return false;
    }
    return true;
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Name(const std::string& text) {
    return PlainToken(text) ? text : Quoted(text);
}

std::optional<float> ParseFloat(const std::string& text);

// The shortest decimal that reads back as the same bits; the bits themselves when
// there is none (a not-a-number).
std::string FloatText(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    const std::optional<float> back = ParseFloat(text);
    if (result.ec == std::errc() && back &&
        std::bit_cast<std::uint32_t>(*back) == std::bit_cast<std::uint32_t>(value))
        return text;
    std::snprintf(buffer, sizeof buffer, "bits:%08X", std::bit_cast<std::uint32_t>(value));
    return buffer;
}

struct ValueWriter {
    std::string operator()(std::int32_t v) const { return std::to_string(v); }
    std::string operator()(std::uint32_t v) const { return std::to_string(v); }
    std::string operator()(float v) const { return FloatText(v); }
    std::string operator()(bool v) const { return v ? "1" : "0"; }
    std::string operator()(const std::string& v) const { return Quoted(v); }
};

// ---- reading ------------------------------------------------------------------------

struct Token {
    std::string text;
    bool quoted = false;
};

// Splits a line into bare and quoted tokens; "#" outside quotes ends the line.
bool Tokenize(const std::string& line, std::vector<Token>& tokens, std::string& error) {
    tokens.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#')
            break;
        Token token;
        if (c != '"') {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
                   line[i] != '#' && line[i] != '"')
                token.text += line[i++];
            tokens.push_back(std::move(token));
            continue;
        }
        token.quoted = true;
        ++i;
        bool closed = false;
        while (i < line.size()) {
            const char d = line[i++];
            if (d == '"') {
                closed = true;
                break;
            }
            if (d != '\\') {
                token.text += d;
                continue;
            }
            if (i >= line.size())
                break;
            const char e = line[i++];
            if (e == 'n') {
                token.text += '\n';
            } else if (e == 'r') {
                token.text += '\r';
            } else if (e == 't') {
                token.text += '\t';
            } else if (e == 'x') {
                unsigned value = 0;
                if (i + 2 > line.size() ||
                    std::from_chars(line.data() + i, line.data() + i + 2, value, 16).ptr !=
                        line.data() + i + 2) {
                    error = "bad \\x escape";
                    return false;
                }
                token.text += static_cast<char>(value);
                i += 2;
            } else {
                token.text += e;
            }
        }
        if (!closed) {
            error = "string without its closing quote";
            return false;
        }
        tokens.push_back(std::move(token));
    }
    return true;
}

template <typename Int> std::optional<Int> ParseInt(const std::string& text) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    int base = 10;
    if constexpr (std::is_unsigned_v<Int>) {
        if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
            begin += 2;
            base = 16;
        }
    }
    Int value = 0;
    const auto result = std::from_chars(begin, end, value, base);
    if (text.empty() || result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

std::optional<float> ParseFloat(const std::string& text) {
    if (text.rfind("bits:", 0) == 0) {
        const std::optional<std::uint32_t> bits = ParseInt<std::uint32_t>("0x" + text.substr(5));
        if (!bits)
            return std::nullopt;
        return std::bit_cast<float>(*bits);
    }
    float value = 0.0f;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

struct ValueReader {
    const std::string& text;
    bool operator()(std::int32_t& v) const {
        const auto parsed = ParseInt<std::int32_t>(text);
        return parsed && (v = *parsed, true);
    }
    bool operator()(std::uint32_t& v) const {
        const auto parsed = ParseInt<std::uint32_t>(text);
        return parsed && (v = *parsed, true);
    }
    bool operator()(float& v) const {
        const auto parsed = ParseFloat(text);
        return parsed && (v = *parsed, true);
    }
    bool operator()(bool& v) const {
        if (text == "1" || text == "true")
            return v = true, true;
        if (text == "0" || text == "false")
            return v = false, true;
        return false;
    }
    bool operator()(std::string& v) const { return v = text, true; }
};

struct TileKind {
    std::string className;
    std::string typeName;
};

} // namespace

// ---- Write --------------------------------------------------------------------------

std::string PyxLevelText::Write(const PyxLevel& level) {
    std::string out = "# Rondelix level\n";
    const std::int32_t grid[] = {level.Columns(),    level.Rows(),    level.TileWidth(),
                                 level.TileHeight(), level.BorderX(), level.BorderY()};
    for (std::size_t i = 0; i < std::size(grid); ++i)
        out += std::string(kGridNames[i]) + " " + std::to_string(grid[i]) + "\n";
    const PyxLevelProperties& p = level.Properties();
    for (const Property& property : kProperties) {
        out += property.name;
        out += " ";
        out += std::visit([&](auto member) { return ValueWriter{}(p.*member); }, property.field);
        out += "\n";
    }

    // Legend: one symbol per (class, type), in the order of first appearance.
    std::vector<std::pair<std::string, std::string>> kinds;
    std::vector<std::int32_t> kindOfCell(std::size_t(level.CellCount()), -1);
    for (std::int32_t i = 0; i < level.CellCount(); ++i) {
        const PyxEntityTileBase* tile = level.TileAt(i);
        if (!tile || !tile->Type())
            continue;
        const std::pair<std::string, std::string> kind{tile->Type()->ClassName(),
                                                       tile->Type()->TypeName()};
        auto it = std::find(kinds.begin(), kinds.end(), kind);
        if (it == kinds.end())
            it = kinds.insert(kinds.end(), kind);
        kindOfCell[std::size_t(i)] = std::int32_t(it - kinds.begin());
    }
    std::vector<std::string> symbols;
    std::set<char> used;
    const std::size_t poolSize = std::strlen(kSymbolPool);
    if (kinds.size() <= poolSize) {
        for (const auto& kind : kinds) {
            char chosen = 0;
            const char first = kind.second.empty() ? 0 : kind.second[0];
            const char upper = char(std::toupper(static_cast<unsigned char>(first)));
            for (char candidate : {first, upper}) {
                if (!chosen && SymbolChar(candidate) && !used.count(candidate))
                    chosen = candidate;
            }
            for (std::size_t k = 0; !chosen && k < poolSize; ++k) {
                if (!used.count(kSymbolPool[k]))
                    chosen = kSymbolPool[k];
            }
            used.insert(chosen);
            symbols.emplace_back(1, chosen);
        }
    } else {
        for (std::size_t k = 0; k < kinds.size(); ++k)
            symbols.push_back("t" + std::to_string(k + 1));
    }
    const bool wide = kinds.size() > poolSize;

    out += "\n";
    for (std::size_t k = 0; k < kinds.size(); ++k)
        out +=
            "Tile " + symbols[k] + " " + Name(kinds[k].first) + " " + Name(kinds[k].second) + "\n";
    out += "Grid\n";
    for (std::int32_t row = 0; row < level.Rows(); ++row) {
        std::string line;
        for (std::int32_t col = 0; col < level.Columns(); ++col) {
            const std::int32_t kind = kindOfCell[std::size_t(row * level.Columns() + col)];
            const std::string symbol = kind < 0 ? std::string(1, kEmptyCell) : symbols[kind];
            if (wide && col > 0)
                line += " ";
            line += symbol;
        }
        out += line + "\n";
    }
    out += "End\n";

    for (std::int32_t i = 0; i < level.CellCount(); ++i) {
        const PyxEntityTileBase* tile = level.TileAt(i);
        if (!tile)
            continue;
        const std::int32_t col = i % level.Columns();
        const std::int32_t row = i / level.Columns();
        const std::int32_t x = level.BorderX() + col * level.TileWidth();
        const std::int32_t y = level.BorderY() + row * level.TileHeight();
        if (tile->X() != x || tile->Y() != y)
            out += "TileCorner " + std::to_string(col) + " " + std::to_string(row) + " " +
                   std::to_string(tile->X()) + " " + std::to_string(tile->Y()) + "\n";
        if (std::bit_cast<std::uint32_t>(tile->PostSoundLevel()) != 0 ||
            std::bit_cast<std::uint32_t>(tile->SinkSoundLevel()) != 0)
            out += "TileSound " + std::to_string(col) + " " + std::to_string(row) + " " +
                   FloatText(tile->PostSoundLevel()) + " " + FloatText(tile->SinkSoundLevel()) +
                   "\n";
    }

    if (!level.Objects().empty())
        out += "\n";
    for (const PyxLevelObjectRecord& record : level.Objects()) {
        const std::int32_t drawX = record.entity ? record.entity->DrawX() : record.drawX;
        const std::int32_t drawY = record.entity ? record.entity->DrawY() : record.drawY;
        const float x = record.entity ? record.entity->X() : record.startX;
        const float y = record.entity ? record.entity->Y() : record.startY;
        out += "Object " + Name(record.className) + " " + Name(record.typeName) + " " +
               std::to_string(BoardPixel(x)) + " " + std::to_string(BoardPixel(y));
        if (drawX != 0 || drawY != 0)
            out += " Draw " + std::to_string(drawX) + " " + std::to_string(drawY);
        out += "\n";
    }
    return out;
}

// ---- Read ---------------------------------------------------------------------------

bool PyxLevelText::Read(const std::string& text, PyxLevel& level, std::string& error) {
    std::optional<std::int32_t> grid[std::size(kGridNames)];
    PyxLevelProperties properties;
    std::set<std::string> seen;
    std::vector<std::pair<std::string, TileKind>> legend;
    std::vector<std::pair<int, std::vector<Token>>> rows;
    struct TileExtra {
        int line;
        std::int32_t col, row;
        bool corner;
        std::int32_t x, y;
        float posts, sinks;
    };
    std::vector<TileExtra> extras;
    struct ObjectLine {
        std::string className, typeName;
        std::int32_t x, y, drawX, drawY;
    };
    std::vector<ObjectLine> objects;
    bool gridSeen = false;
    bool inGrid = false;

    int lineNumber = 0;
    std::size_t at = 0;
    std::vector<Token> tokens;
    auto fail = [&](const std::string& message) {
        error = "line " + std::to_string(lineNumber) + ": " + message;
        return false;
    };
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        std::string tokenError;
        if (!Tokenize(line, tokens, tokenError))
            return fail(tokenError);
        if (tokens.empty())
            continue;
        const std::string& key = tokens[0].text;
        if (inGrid) {
            if (key == "End" && !tokens[0].quoted && tokens.size() == 1)
                inGrid = false;
            else
                rows.push_back({lineNumber, tokens});
            continue;
        }
        auto numberArgs = [&](std::size_t count) { return tokens.size() == count + 1; };

        bool handled = false;
        for (std::size_t g = 0; g < std::size(kGridNames); ++g) {
            if (key != kGridNames[g])
                continue;
            handled = true;
            if (!numberArgs(1))
                return fail(key + " takes one value");
            grid[g] = ParseInt<std::int32_t>(tokens[1].text);
            if (!grid[g])
                return fail("bad number for " + key);
        }
        for (const Property& property : kProperties) {
            if (key != property.name)
                continue;
            handled = true;
            if (!numberArgs(1))
                return fail(key + " takes one value");
            const bool ok = std::visit(
                [&](auto member) { return ValueReader{tokens[1].text}(properties.*member); },
                property.field);
            if (!ok)
                return fail("bad value for " + key);
        }
        if (handled) {
            if (!seen.insert(key).second)
                return fail(key + " is given twice");
            continue;
        }
        if (key == "Tile") {
            if (!numberArgs(3))
                return fail("Tile takes a symbol, a class and a type");
            const std::string& symbol = tokens[1].text;
            const bool symbolOk =
                !symbol.empty() && std::all_of(symbol.begin(), symbol.end(), SymbolChar);
            if (!symbolOk || tokens[1].quoted)
                return fail("bad tile symbol");
            for (const auto& entry : legend) {
                if (entry.first == symbol)
                    return fail("tile symbol " + symbol + " is given twice");
            }
            legend.push_back({symbol, {tokens[2].text, tokens[3].text}});
        } else if (key == "Grid") {
            if (gridSeen)
                return fail("Grid is given twice");
            gridSeen = true;
            inGrid = true;
        } else if (key == "TileCorner" || key == "TileSound") {
            if (!numberArgs(4))
                return fail(key + " takes a column, a row and two values");
            TileExtra extra{lineNumber, 0, 0, key == "TileCorner", 0, 0, 0.0f, 0.0f};
            const auto col = ParseInt<std::int32_t>(tokens[1].text);
            const auto row = ParseInt<std::int32_t>(tokens[2].text);
            if (!col || !row)
                return fail("bad cell for " + key);
            extra.col = *col;
            extra.row = *row;
            if (extra.corner) {
                const auto x = ParseInt<std::int32_t>(tokens[3].text);
                const auto y = ParseInt<std::int32_t>(tokens[4].text);
                if (!x || !y)
                    return fail("bad corner");
                extra.x = *x;
                extra.y = *y;
            } else {
                const auto posts = ParseFloat(tokens[3].text);
                const auto sinks = ParseFloat(tokens[4].text);
                if (!posts || !sinks)
                    return fail("bad sound levels");
                extra.posts = *posts;
                extra.sinks = *sinks;
            }
            extras.push_back(extra);
        } else if (key == "Object") {
            if (!numberArgs(4) && !(tokens.size() == 8 && tokens[5].text == "Draw"))
                return fail("Object takes a class, a type, x and y, and optionally Draw x y");
            ObjectLine object{tokens[1].text, tokens[2].text, 0, 0, 0, 0};
            const auto x = ParseInt<std::int32_t>(tokens[3].text);
            const auto y = ParseInt<std::int32_t>(tokens[4].text);
            if (!x || !y)
                return fail("bad object position");
            object.x = *x;
            object.y = *y;
            if (tokens.size() == 8) {
                const auto dx = ParseInt<std::int32_t>(tokens[6].text);
                const auto dy = ParseInt<std::int32_t>(tokens[7].text);
                if (!dx || !dy)
                    return fail("bad drawing position");
                object.drawX = *dx;
                object.drawY = *dy;
            }
            objects.push_back(std::move(object));
        } else {
            return fail("unknown key " + key);
        }
    }
    if (inGrid) {
        error = "Grid without its End";
        return false;
    }

    for (std::size_t g = 0; g < std::size(kGridNames); ++g) {
        if (!grid[g]) {
            error = std::string(kGridNames[g]) + " is missing";
            return false;
        }
    }
    const std::int32_t columns = *grid[0];
    const std::int32_t rowCount = *grid[1];
    const std::int32_t tileWidth = *grid[2];
    const std::int32_t tileHeight = *grid[3];
    const std::int32_t borderX = *grid[4];
    const std::int32_t borderY = *grid[5];
    if (columns < 1 || columns > PyxLevel::kMaxGridSide || rowCount < 1 ||
        rowCount > PyxLevel::kMaxGridSide || tileWidth < 1 || tileWidth > PyxLevel::kMaxTileSize ||
        tileHeight < 1 || tileHeight > PyxLevel::kMaxTileSize ||
        std::abs(borderX) > PyxLevel::kMaxBorder || std::abs(borderY) > PyxLevel::kMaxBorder) {
        error = "grid out of range";
        return false;
    }
    if (!rows.empty() && std::int32_t(rows.size()) != rowCount) {
        lineNumber = rows.front().first;
        return fail("Grid has " + std::to_string(rows.size()) + " rows, not " +
                    std::to_string(rowCount));
    }

    level.SetupGrid(columns, rowCount, tileWidth, tileHeight, borderX, borderY);
    level.Properties() = properties;

    const bool wide = std::any_of(legend.begin(), legend.end(),
                                  [](const auto& entry) { return entry.first.size() > 1; });
    for (std::int32_t row = 0; row < std::int32_t(rows.size()); ++row) {
        lineNumber = rows[std::size_t(row)].first;
        std::vector<std::string> cells;
        const std::vector<Token>& rowTokens = rows[std::size_t(row)].second;
        if (!wide && rowTokens.size() == 1) {
            for (char c : rowTokens[0].text)
                cells.emplace_back(1, c);
        } else {
            for (const Token& token : rowTokens)
                cells.push_back(token.text);
        }
        if (std::int32_t(cells.size()) != columns)
            return fail("row has " + std::to_string(cells.size()) + " cells, not " +
                        std::to_string(columns));
        for (std::int32_t col = 0; col < columns; ++col) {
            const std::string& symbol = cells[std::size_t(col)];
            if (symbol == std::string(1, kEmptyCell))
                continue;
            const auto it = std::find_if(legend.begin(), legend.end(),
                                         [&](const auto& entry) { return entry.first == symbol; });
            if (it == legend.end())
                return fail("unknown tile symbol " + symbol);
            const TileKind& kind = it->second;
            if (!level.PlaceTile(kind.className, kind.typeName, borderX + col * tileWidth,
                                 borderY + row * tileHeight, row * columns + col))
                return fail("no tile class " + kind.className + " with type " + kind.typeName);
        }
    }
    for (const TileExtra& extra : extras) {
        lineNumber = extra.line;
        PyxEntityTileBase* tile = level.TileAtCell(extra.col, extra.row);
        if (!tile)
            return fail("no tile at column " + std::to_string(extra.col) + ", row " +
                        std::to_string(extra.row));
        if (extra.corner)
            tile->SetPosition(extra.x, extra.y);
        else
            tile->SetSoundLevels(extra.posts, extra.sinks);
    }
    for (const ObjectLine& object : objects) {
        level.AddObjectAt(float(object.x), float(object.y), object.className, object.typeName,
                          false);
        level.Objects().back().drawX = object.drawX;
        level.Objects().back().drawY = object.drawY;
    }
    return true;
}
