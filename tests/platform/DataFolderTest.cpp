// Where the game looks for its data when started away from it.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/AppTestFolder.h"
#include "platform/DataFolder.h"

namespace {

namespace fs = std::filesystem;

class DataFolderSearch : public testing::Test {
protected:
    void SetUp() override { root_ = FreshAppTestFolder(); }

    fs::path Folder(const std::string& name) {
        const fs::path path = root_ / name;
        fs::create_directories(path);
        return path;
    }
    static void Touch(const fs::path& file) { std::ofstream(file) << "x"; }

    fs::path root_;
};

TEST_F(DataFolderSearch, TheWorkingFolderThenBesideTheExecutableThenTheInstallPrefix) {
    const fs::path work = Folder("work");
    const fs::path bin = Folder("prefix/bin");
    const fs::path share = Folder("prefix/share/rondelix");
    Touch(share / "Rondelix.qxa");
    EXPECT_EQ(platform::FindDataFolder(work, bin / "rondelix"), share);
    Touch(bin / "Rondelix.qxa");
    EXPECT_EQ(platform::FindDataFolder(work, bin / "rondelix"), bin);
    Touch(work / "Mod.qxa"); // any archive in the working folder wins
    EXPECT_EQ(platform::FindDataFolder(work, bin / "rondelix"), fs::path());
}

TEST_F(DataFolderSearch, OnlyArchiveFilesCount) {
    const fs::path work = Folder("work");
    Folder("work/Looks.qxa"); // a folder with an archive's name
    Touch(work / "Rondelix.qxa.bak");
    const fs::path bin = Folder("bin");
    EXPECT_EQ(platform::FindDataFolder(work, bin / "rondelix"), fs::path());
    EXPECT_FALSE(platform::HoldsArchive(work));
    EXPECT_FALSE(platform::HoldsArchive(root_ / "missing"));
    // An executable named without a folder leaves the working folder as it is.
    EXPECT_EQ(platform::FindDataFolder(work, "rondelix"), fs::path());
}

} // namespace
