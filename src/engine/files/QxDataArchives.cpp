#include "engine/files/QxDataArchives.h"

#include <memory>
#include <vector>

#include "engine/files/QxArchiveManager.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxLog.h"

int AddDataArchives(QxFileSystem& files) {
    std::vector<std::string> archives;
    files.ListFiles("*.qxa", "", false, archives);
    int added = 0;
    for (const std::string& name : archives) {
        auto archive = std::make_unique<QxArchiveManager>(&files, name);
        if (archive->FindEntry(kSharedSetEntry)) {
            // Both the main thread and the loading thread list the archives.
            LogPrintfOnce("%s is a shared level set, not game data; it is not read as data.",
                          name.c_str());
            continue;
        }
        files.AddManager(std::move(archive), "");
        ++added;
    }
    return added;
}
