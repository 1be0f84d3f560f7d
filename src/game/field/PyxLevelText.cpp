#include "game/field/PyxLevelText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <set>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "engine/files/QxPortable.h"
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
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (!(c > ' ' && c < 0x7F) || c == '"' || c == '#') {
            return false;
        }
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
    const auto result = qx::FloatToChars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    const std::optional<float> back = ParseFloat(text);
    if (result.ec == std::errc() && back &&
        qx::BitCast<std::uint32_t>(*back) == qx::BitCast<std::uint32_t>(value)) {
        return text;
    }
    std::snprintf(buffer, sizeof buffer, "bits:%08X", qx::BitCast<std::uint32_t>(value));
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
        if (c == '#') {
            break;
        }
        Token token;
        if (c != '"') {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
                   line[i] != '#' && line[i] != '"') {
                token.text += line[i++];
            }
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
            if (i >= line.size()) {
                break;
            }
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
    if (text.empty() || result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<float> ParseFloat(const std::string& text) {
    if (text.rfind("bits:", 0) == 0) {
        const std::optional<std::uint32_t> bits = ParseInt<std::uint32_t>("0x" + text.substr(5));
        if (!bits) {
            return std::nullopt;
        }
        return qx::BitCast<float>(*bits);
    }
    float value = 0.0f;
    const char* end = text.data() + text.size();
    const auto result = qx::FloatFromChars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
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
        if (text == "1" || text == "true") {
            return v = true, true;
        }
        if (text == "0" || text == "false") {
            return v = false, true;
        }
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

namespace {

// The grid sizes and every property, one per line.
std::string WriteSettings(const PyxLevel& level) {
    std::string out;
    const std::int32_t grid[] = {level.Columns(),    level.Rows(),    level.TileWidth(),
                                 level.TileHeight(), level.BorderX(), level.BorderY()};
    for (std::size_t i = 0; i < std::size(grid); ++i) {
        out += std::string(kGridNames[i]) + " " + std::to_string(grid[i]) + "\n";
    }
    const PyxLevelProperties& p = level.Properties();
    for (const Property& property : kProperties) {
        out += property.name;
        out += " ";
        out += std::visit([&](auto member) { return ValueWriter{}(p.*member); }, property.field);
        out += "\n";
    }
    return out;
}

// One symbol per (class, type), in the order of first appearance.
struct Legend {
    std::vector<std::pair<std::string, std::string>> kinds;
    std::vector<std::int32_t> kindOfCell; // -1 for a cell without a typed tile
    std::vector<std::string> symbols;
    bool wide = false; // more kinds than one-character symbols: "t1", "t2", ...
};

// The first letter of the type (as it is, then upper case) when it is free, else the
// first free one of the pool.
char ChooseSymbol(const std::string& typeName, const std::set<char>& used) {
    const char first = typeName.empty() ? 0 : typeName[0];
    const char upper = char(std::toupper(static_cast<unsigned char>(first)));
    for (char candidate : {first, upper}) {
        if (SymbolChar(candidate) && !used.count(candidate)) {
            return candidate;
        }
    }
    for (const char* pool = kSymbolPool; *pool; ++pool) {
        if (!used.count(*pool)) {
            return *pool;
        }
    }
    return 0;
}

Legend MakeLegend(const PyxLevel& level) {
    Legend legend;
    legend.kindOfCell.assign(std::size_t(level.CellCount()), -1);
    for (std::int32_t i = 0; i < level.CellCount(); ++i) {
        const PyxEntityTileBase* tile = level.TileAt(i);
        if (!tile || !tile->Type()) {
            continue;
        }
        const std::pair<std::string, std::string> kind{tile->Type()->ClassName(),
                                                       tile->Type()->TypeName()};
        auto it = std::find(legend.kinds.begin(), legend.kinds.end(), kind);
        if (it == legend.kinds.end()) {
            it = legend.kinds.insert(legend.kinds.end(), kind);
        }
        legend.kindOfCell[std::size_t(i)] = std::int32_t(it - legend.kinds.begin());
    }
    legend.wide = legend.kinds.size() > std::strlen(kSymbolPool);
    std::set<char> used;
    for (std::size_t k = 0; k < legend.kinds.size(); ++k) {
        if (legend.wide) {
            legend.symbols.push_back("t" + std::to_string(k + 1));
            continue;
        }
        const char chosen = ChooseSymbol(legend.kinds[k].second, used);
        used.insert(chosen);
        legend.symbols.emplace_back(1, chosen);
    }
    return legend;
}

// The legend's Tile lines and the Grid block.
std::string WriteGrid(const PyxLevel& level, const Legend& legend) {
    std::string out;
    for (std::size_t k = 0; k < legend.kinds.size(); ++k) {
        out += "Tile " + legend.symbols[k] + " " + Name(legend.kinds[k].first) + " " +
               Name(legend.kinds[k].second) + "\n";
    }
    out += "Grid\n";
    for (std::int32_t row = 0; row < level.Rows(); ++row) {
        std::string line;
        for (std::int32_t col = 0; col < level.Columns(); ++col) {
            const std::int32_t kind = legend.kindOfCell[std::size_t(row * level.Columns() + col)];
            if (legend.wide && col > 0) {
                line += " ";
            }
            line += kind < 0 ? std::string(1, kEmptyCell) : legend.symbols[std::size_t(kind)];
        }
        out += line + "\n";
    }
    return out + "End\n";
}

// TileCorner for a tile off its cell's corner, TileSound for a tile with sound levels.
std::string WriteTileExtras(const PyxLevel& level) {
    std::string out;
    for (std::int32_t i = 0; i < level.CellCount(); ++i) {
        const PyxEntityTileBase* tile = level.TileAt(i);
        if (!tile) {
            continue;
        }
        const std::int32_t col = i % level.Columns();
        const std::int32_t row = i / level.Columns();
        const std::int32_t x = level.BorderX() + col * level.TileWidth();
        const std::int32_t y = level.BorderY() + row * level.TileHeight();
        if (tile->X() != x || tile->Y() != y) {
            out += "TileCorner " + std::to_string(col) + " " + std::to_string(row) + " " +
                   std::to_string(tile->X()) + " " + std::to_string(tile->Y()) + "\n";
        }
        if (qx::BitCast<std::uint32_t>(tile->PostSoundLevel()) != 0 ||
            qx::BitCast<std::uint32_t>(tile->SinkSoundLevel()) != 0) {
            out += "TileSound " + std::to_string(col) + " " + std::to_string(row) + " " +
                   FloatText(tile->PostSoundLevel()) + " " + FloatText(tile->SinkSoundLevel()) +
                   "\n";
        }
    }
    return out;
}

std::string WriteObjects(const PyxLevel& level) {
    std::string out;
    if (!level.Objects().empty()) {
        out += "\n";
    }
    for (const PyxLevelObjectRecord& record : level.Objects()) {
        const std::int32_t drawX = record.entity ? record.entity->DrawX() : record.drawX;
        const std::int32_t drawY = record.entity ? record.entity->DrawY() : record.drawY;
        const float x = record.entity ? record.entity->X() : record.startX;
        const float y = record.entity ? record.entity->Y() : record.startY;
        out += "Object " + Name(record.className) + " " + Name(record.typeName) + " " +
               std::to_string(BoardPixel(x)) + " " + std::to_string(BoardPixel(y));
        if (drawX != 0 || drawY != 0) {
            out += " Draw " + std::to_string(drawX) + " " + std::to_string(drawY);
        }
        out += "\n";
    }
    return out;
}

} // namespace

std::string PyxLevelText::Write(const PyxLevel& level) {
    return "# Rondelix level\n" + WriteSettings(level) + "\n" +
           WriteGrid(level, MakeLegend(level)) + WriteTileExtras(level) + WriteObjects(level);
}

// ---- Read ---------------------------------------------------------------------------

namespace {

// A tile's corner (TileCorner) or its sound levels (TileSound), applied once the tiles
// exist.
struct TileExtra {
    int line;
    std::int32_t col, row;
    bool corner;
    std::int32_t x, y;
    float posts, sinks;
};

struct ObjectLine {
    std::string className, typeName;
    std::int32_t x, y, drawX, drawY;
};

// Everything the text says, before any of it is checked against the rest.
struct ParsedLevel {
    std::optional<std::int32_t> grid[std::size(kGridNames)];
    PyxLevelProperties properties;
    std::set<std::string> seen;
    std::vector<std::pair<std::string, TileKind>> legend;
    std::vector<std::pair<int, std::vector<Token>>> rows;
    std::vector<TileExtra> extras;
    std::vector<ObjectLine> objects;
    bool gridSeen = false;
};

// The numbers of tokens i and i + 1; false, with neither set, unless both are numbers.
template <typename Number>
bool ParsePair(const std::vector<Token>& tokens, std::size_t i, Number& first, Number& second) {
    const auto parse = [](const std::string& text) {
        if constexpr (std::is_same_v<Number, float>) {
            return ParseFloat(text);
        } else {
            return ParseInt<Number>(text);
        }
    };
    const std::optional<Number> a = parse(tokens[i].text);
    const std::optional<Number> b = parse(tokens[i + 1].text);
    if (!a || !b) {
        return false;
    }
    first = *a;
    second = *b;
    return true;
}

// Sets the error to the message on the numbered line; always false.
bool FailAt(int line, const std::string& message, std::string& error) {
    error = "line " + std::to_string(line) + ": " + message;
    return false;
}

// A grid size or a property. Empty when the key is neither; otherwise the message of a
// bad line, or "" for a good one.
std::optional<std::string> ParseSetting(const std::vector<Token>& tokens, ParsedLevel& parsed) {
    const std::string& key = tokens[0].text;
    bool handled = false;
    for (std::size_t g = 0; g < std::size(kGridNames); ++g) {
        if (key != kGridNames[g]) {
            continue;
        }
        handled = true;
        if (tokens.size() != 2) {
            return key + " takes one value";
        }
        parsed.grid[g] = ParseInt<std::int32_t>(tokens[1].text);
        if (!parsed.grid[g]) {
            return "bad number for " + key;
        }
    }
    for (const Property& property : kProperties) {
        if (key != property.name) {
            continue;
        }
        handled = true;
        if (tokens.size() != 2) {
            return key + " takes one value";
        }
        const bool ok = std::visit(
            [&](auto member) { return ValueReader{tokens[1].text}(parsed.properties.*member); },
            property.field);
        if (!ok) {
            return "bad value for " + key;
        }
    }
    if (!handled) {
        return std::nullopt;
    }
    if (!parsed.seen.insert(key).second) {
        return key + " is given twice";
    }
    return std::string();
}

std::string ParseTile(const std::vector<Token>& tokens, ParsedLevel& parsed) {
    if (tokens.size() != 4) {
        return "Tile takes a symbol, a class and a type";
    }
    const std::string& symbol = tokens[1].text;
    const bool symbolOk = !symbol.empty() && std::all_of(symbol.begin(), symbol.end(), SymbolChar);
    if (!symbolOk || tokens[1].quoted) {
        return "bad tile symbol";
    }
    for (const auto& entry : parsed.legend) {
        if (entry.first == symbol) {
            return "tile symbol " + symbol + " is given twice";
        }
    }
    parsed.legend.push_back({symbol, {tokens[2].text, tokens[3].text}});
    return std::string();
}

std::string ParseTileExtra(const std::vector<Token>& tokens, int line, ParsedLevel& parsed) {
    const std::string& key = tokens[0].text;
    if (tokens.size() != 5) {
        return key + " takes a column, a row and two values";
    }
    TileExtra extra{line, 0, 0, key == "TileCorner", 0, 0, 0.0f, 0.0f};
    if (!ParsePair(tokens, 1, extra.col, extra.row)) {
        return "bad cell for " + key;
    }
    if (extra.corner && !ParsePair(tokens, 3, extra.x, extra.y)) {
        return "bad corner";
    }
    if (!extra.corner && !ParsePair(tokens, 3, extra.posts, extra.sinks)) {
        return "bad sound levels";
    }
    parsed.extras.push_back(extra);
    return std::string();
}

std::string ParseObject(const std::vector<Token>& tokens, ParsedLevel& parsed) {
    if (tokens.size() != 5 && !(tokens.size() == 8 && tokens[5].text == "Draw")) {
        return "Object takes a class, a type, x and y, and optionally Draw x y";
    }
    ObjectLine object{tokens[1].text, tokens[2].text, 0, 0, 0, 0};
    if (!ParsePair(tokens, 3, object.x, object.y)) {
        return "bad object position";
    }
    if (tokens.size() == 8 && !ParsePair(tokens, 6, object.drawX, object.drawY)) {
        return "bad drawing position";
    }
    parsed.objects.push_back(std::move(object));
    return std::string();
}

// Splits the text into lines and each line into what it gives, checking only what a
// line can check on its own.
bool Parse(const std::string& text, ParsedLevel& parsed, std::string& error) {
    bool inGrid = false;
    int lineNumber = 0;
    std::size_t at = 0;
    std::vector<Token> tokens;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        std::string tokenError;
        if (!Tokenize(line, tokens, tokenError)) {
            return FailAt(lineNumber, tokenError, error);
        }
        if (tokens.empty()) {
            continue;
        }
        const std::string& key = tokens[0].text;
        if (inGrid) {
            if (key == "End" && !tokens[0].quoted && tokens.size() == 1) {
                inGrid = false;
            } else {
                parsed.rows.push_back({lineNumber, tokens});
            }
            continue;
        }
        std::string message;
        if (const std::optional<std::string> setting = ParseSetting(tokens, parsed)) {
            message = *setting;
        } else if (key == "Tile") {
            message = ParseTile(tokens, parsed);
        } else if (key == "Grid") {
            if (parsed.gridSeen) {
                message = "Grid is given twice";
            }
            parsed.gridSeen = true;
            inGrid = true;
        } else if (key == "TileCorner" || key == "TileSound") {
            message = ParseTileExtra(tokens, lineNumber, parsed);
        } else if (key == "Object") {
            message = ParseObject(tokens, parsed);
        } else {
            message = "unknown key " + key;
        }
        if (!message.empty()) {
            return FailAt(lineNumber, message, error);
        }
    }
    if (inGrid) {
        error = "Grid without its End";
        return false;
    }
    return true;
}

// Every grid value is there and in range, and the grid has as many rows as it says.
bool Check(const ParsedLevel& parsed, std::string& error) {
    for (std::size_t g = 0; g < std::size(kGridNames); ++g) {
        if (!parsed.grid[g]) {
            error = std::string(kGridNames[g]) + " is missing";
            return false;
        }
    }
    if (!PyxLevel::GridInRange(*parsed.grid[0], *parsed.grid[1], *parsed.grid[2], *parsed.grid[3],
                               *parsed.grid[4], *parsed.grid[5])) {
        error = "grid out of range";
        return false;
    }
    const std::int32_t rowCount = *parsed.grid[1];
    if (!parsed.rows.empty() && std::int32_t(parsed.rows.size()) != rowCount) {
        return FailAt(parsed.rows.front().first,
                      "Grid has " + std::to_string(parsed.rows.size()) + " rows, not " +
                          std::to_string(rowCount),
                      error);
    }
    return true;
}

// The symbols of one grid row: a word of one-character symbols, or one token per cell
// when a symbol is longer or the row is spaced.
std::vector<std::string> RowCells(const std::vector<Token>& rowTokens, bool wide) {
    std::vector<std::string> cells;
    if (!wide && rowTokens.size() == 1) {
        for (char c : rowTokens[0].text) {
            cells.emplace_back(1, c);
        }
    } else {
        for (const Token& token : rowTokens) {
            cells.push_back(token.text);
        }
    }
    return cells;
}

// Makes the grid, its tiles and the object records of a checked text.
bool Build(const ParsedLevel& parsed, PyxLevel& level, std::string& error) {
    const std::int32_t columns = *parsed.grid[0];
    const std::int32_t tileWidth = *parsed.grid[2];
    const std::int32_t tileHeight = *parsed.grid[3];
    const std::int32_t borderX = *parsed.grid[4];
    const std::int32_t borderY = *parsed.grid[5];
    level.SetupGrid(columns, *parsed.grid[1], tileWidth, tileHeight, borderX, borderY);
    level.Properties() = parsed.properties;

    const auto& legend = parsed.legend;
    const bool wide = std::any_of(legend.begin(), legend.end(),
                                  [](const auto& entry) { return entry.first.size() > 1; });
    for (std::int32_t row = 0; row < std::int32_t(parsed.rows.size()); ++row) {
        const int line = parsed.rows[std::size_t(row)].first;
        const std::vector<std::string> cells = RowCells(parsed.rows[std::size_t(row)].second, wide);
        if (std::int32_t(cells.size()) != columns) {
            return FailAt(line,
                          "row has " + std::to_string(cells.size()) + " cells, not " +
                              std::to_string(columns),
                          error);
        }
        for (std::int32_t col = 0; col < columns; ++col) {
            const std::string& symbol = cells[std::size_t(col)];
            if (symbol == std::string(1, kEmptyCell)) {
                continue;
            }
            const auto it = std::find_if(legend.begin(), legend.end(),
                                         [&](const auto& entry) { return entry.first == symbol; });
            if (it == legend.end()) {
                return FailAt(line, "unknown tile symbol " + symbol, error);
            }
            const TileKind& kind = it->second;
            if (!level.PlaceTile(kind.className, kind.typeName, borderX + col * tileWidth,
                                 borderY + row * tileHeight, row * columns + col)) {
                return FailAt(
                    line, "no tile class " + kind.className + " with type " + kind.typeName, error);
            }
        }
    }
    for (const TileExtra& extra : parsed.extras) {
        PyxEntityTileBase* tile = level.TileAtCell(extra.col, extra.row);
        if (!tile) {
            return FailAt(extra.line,
                          "no tile at column " + std::to_string(extra.col) + ", row " +
                              std::to_string(extra.row),
                          error);
        }
        if (extra.corner) {
            tile->SetPosition(extra.x, extra.y);
        } else {
            tile->SetSoundLevels(extra.posts, extra.sinks);
        }
    }
    for (const ObjectLine& object : parsed.objects) {
        level.AddObjectAt(float(object.x), float(object.y), object.className, object.typeName,
                          false);
        level.Objects().back().drawX = object.drawX;
        level.Objects().back().drawY = object.drawY;
    }
    return true;
}

} // namespace

bool PyxLevelText::Read(const std::string& text, PyxLevel& level, std::string& error) {
    ParsedLevel parsed;
    return Parse(text, parsed, error) && Check(parsed, error) && Build(parsed, level, error);
}
