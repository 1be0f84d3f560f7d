// levelc: compiles a readable level text into a level file and decompiles a level file
// back into text. docs/level-text.md describes the text.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ReadOnlyFolder.h"
#include "app/QxGlobals.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/entity/QxRegistrationTable.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileSystem.h"
#include "game/field/PyxLevel.h"
#include "game/field/PyxLevelText.h"

namespace {

int Usage() {
    std::fputs("usage: levelc compile SOURCE LEVEL [--data DIR]    text to level file\n"
               "       levelc decompile LEVEL SOURCE [--data DIR]  level file to text\n"
               "With --data, tile types must be defined by the \"*.ent\" files under DIR;\n"
               "without, any type of a registered tile class is accepted.\n",
               stderr);
    return 2;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "levelc: %s\n", message.c_str());
    return 1;
}

bool ReadWhole(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteWhole(const std::string& path, const char* bytes, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes, std::streamsize(size));
    return bool(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && !(argc == 6 && std::string(argv[4]) == "--data")) {
        return Usage();
    }
    const std::string command = argv[1];
    const std::string from = argv[2];
    const std::string to = argv[3];
    if (command != "compile" && command != "decompile") {
        return Usage();
    }

    QxEntityRegistry registry;
    RegisterEntityClasses(registry);
    g_registry = &registry;
    QxFileSystem fileSystem;
    const bool strict = argc == 6;
    if (strict) {
        std::string root = argv[5];
        if (!root.empty() && root.back() != '/') {
            root += '/';
        }
        fileSystem.AddManager(std::make_unique<ReadOnlyFolder>(), root);
        SetCurrentFileSystem(&fileSystem);
        registry.LoadAll();
    }

    std::string input;
    if (!ReadWhole(from, input)) {
        return Fail("cannot read " + from);
    }

    PyxLevel level;
    level.SetDefineMissingTypes(!strict);
    level.SetKeepObjectsAsRecords(true);
    int status = 0;
    if (command == "compile") {
        std::string error;
        if (!PyxLevelText::Read(input, level, error)) {
            status = Fail(from + ": " + error);
        } else {
            QxBuffer out;
            if (!level.SaveLevel(out)) {
                status = Fail("cannot write the level");
            } else if (!WriteWhole(to, reinterpret_cast<const char*>(out.GetData()), out.Tell())) {
                status = Fail("cannot write " + to);
            }
        }
    } else {
        QxBuffer in;
        in.Allocate(std::uint32_t(input.size()), 0);
        if (!input.empty()) {
            std::memcpy(in.GetData(), input.data(), input.size());
        }
        if (level.LoadLevel(in) != 1) {
            status = Fail(from + ": " + level.ErrorText());
        } else {
            const std::string text = PyxLevelText::Write(level);
            if (!WriteWhole(to, text.data(), text.size())) {
                status = Fail("cannot write " + to);
            }
        }
    }
    SetCurrentFileSystem(nullptr);
    g_registry = nullptr;
    return status;
}
