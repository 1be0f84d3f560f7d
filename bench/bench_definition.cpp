// Reading a type from a realistic 60-key definition: each key found with FindKey and
// read with its reader, as a type constructor does.

#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/entity/QxDefinition.h"

namespace {

enum class Form { String, Ints, Floats, Colour, CharAndInt, Ref };

struct Key {
    std::string name;
    Form form;
};

// A menu scene: header keys, element references with positions, a few inline blocks,
// comments and blank lines between groups, CR LF line ends.
struct MenuDefinition {
    std::string text;
    std::vector<Key> keys;

    MenuDefinition() {
        auto add = [this](const std::string& name, Form form, const std::string& value) {
            keys.push_back({name, form});
            text += name + " " + value + "\r\n";
        };
        text += "# Main menu: buttons down the left, the title on top.\r\n\r\n";
        add("class", Form::String, "PyxMainMenu");
        add("type", Form::String, "mainmenu");
        add("Tooltip", Form::String, "\"Choose a game mode\"");
        add("BackgroundColour", Form::Colour, "12, 24, 48, 255");
        add("TooltipColour", Form::Colour, "255, 255, 200, 230");
        add("FadeTime", Form::Floats, "0.35");
        add("CursorEnt", Form::Ref, "animsprite, cursor_hand");
        add("CursorHotSpot", Form::Ints, "3, 2");
        add("ToolTipTextEnt", Form::Ref, "text, tooltip_small");
        add("ShortcutKey", Form::CharAndInt, "Q, 27");
        text += "\r\n# elements\r\n";
        for (int i = 1; i <= 16; ++i) {
            const std::string n = std::to_string(i);
            if (i % 5 == 0) {
                add("GUIElement" + n + "Ent", Form::Ref,
                    "@\r\n{\r\n  class sprite\r\n  Image \"menu/deco" + n +
                        ".bmp\"\r\n  Alpha 200\r\n}");
            } else {
                add("GUIElement" + n + "Ent", Form::Ref, "button, menu_button_" + n);
            }
            add("GUIElement" + n + "Pos", Form::Ints,
                std::to_string(40 + i * 3) + ", " + std::to_string(100 + i * 22) + ", " +
                    std::to_string(10 + i));
        }
        text += "\r\n# sounds and timing\r\n";
        for (int i = 1; i <= 8; ++i) {
            const std::string n = std::to_string(i);
            add("Sound" + n, Form::String, "common/sounds/menu_" + n + ".wav");
            add("Delay" + n, Form::Floats, std::to_string(i * 125) + ".5, 0.25");
        }
        add("HintText", Form::String, "Use the arrow keys\\nor the mouse");
        add("TitleColour", Form::Colour, "250, 210, 60, 255");
    }
};

const MenuDefinition& Menu() {
    static const MenuDefinition menu;
    return menu;
}

void ReadKey(QxDefinition& definition, const Key& key) {
    if (!definition.FindKey(key.name)) {
        return;
    }
    switch (key.form) {
    case Form::String: {
        std::string value;
        definition.ReadString(value);
        benchmark::DoNotOptimize(value);
        break;
    }
    case Form::Ints: {
        std::int32_t value[3] = {};
        definition.ReadInts(value);
        benchmark::DoNotOptimize(value);
        break;
    }
    case Form::Floats: {
        float value[2] = {};
        definition.ReadFloats(value);
        benchmark::DoNotOptimize(value);
        break;
    }
    case Form::Colour: {
        std::uint32_t value = 0;
        definition.ReadColor(value);
        benchmark::DoNotOptimize(value);
        break;
    }
    case Form::CharAndInt: {
        QxCharAndInt value;
        definition.ReadCharAndInt(value);
        benchmark::DoNotOptimize(value);
        break;
    }
    case Form::Ref: {
        // Inline blocks need a registry; without one the block is still located.
        QxEntityRef value;
        definition.ReadEntityRef(value);
        benchmark::DoNotOptimize(value);
        break;
    }
    }
}

// All 60 keys, as one type constructor reads them.
void BM_Definition_ReadAllKeys(benchmark::State& state) {
    const MenuDefinition& menu = Menu();
    QxDefinition definition(menu.text);
    for (auto _ : state) {
        for (const Key& key : menu.keys) {
            ReadKey(definition, key);
        }
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(menu.keys.size()));
    state.counters["keys"] = double(menu.keys.size());
    state.counters["bytes"] = double(menu.text.size());
}
BENCHMARK(BM_Definition_ReadAllKeys);

// The worst single search: a key that is not there scans the whole text.
void BM_Definition_FindMissingKey(benchmark::State& state) {
    QxDefinition definition(Menu().text);
    for (auto _ : state) {
        benchmark::DoNotOptimize(definition.FindKey("NoSuchKey"));
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Menu().text.size()));
}
BENCHMARK(BM_Definition_FindMissingKey);

// Copying the file's text in, as every file and inline block does once.
void BM_Definition_ReadFromMemory(benchmark::State& state) {
    const std::string& text = Menu().text;
    QxDefinition definition;
    for (auto _ : state) {
        benchmark::DoNotOptimize(definition.ReadFromMemory(text.data(), text.size()));
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(text.size()));
}
BENCHMARK(BM_Definition_ReadFromMemory);

} // namespace
