// Hand-written sources under content/data (definition files, texts, the level list,
// licences) go into the archive unchanged, under the same relative names.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "ContentBuild.h"

namespace fs = std::filesystem;

static void CopySources(ContentOut& out) {
    const fs::path root = out.Sources() / "data";
    std::error_code ec;
    if (!fs::is_directory(root, ec)) {
        return;
    }
    std::vector<fs::path> files;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_regular_file(ec)) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& path : files) {
        std::ifstream in(path, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) {
            out.Fail("cannot read " + path.string());
            continue;
        }
        out.WriteFile(fs::relative(path, root).generic_string(), bytes);
    }
}

CONTENT_STEP(0, "copy-sources", CopySources);
