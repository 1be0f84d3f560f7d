#pragma once
#include <string>
#include <vector>

#include "engine/files/QxArchiveManager.h"

// Whole-archive operations over folders of the platform file system, as the archive
// tool and the content build use them. Each answers false with a message in error.

// Stores every file below folder, named by its path relative to folder with "/"
// separators, in sorted order of those names.
bool PackArchiveFolder(const std::string& folder, const std::string& archivePath,
                       std::string& error);

// The archive's directory in stored order. A damaged archive gives the entries before
// the damage and a message in error, and still answers true.
bool ListArchive(const std::string& archivePath, std::vector<QxArchiveEntry>& entries,
                 std::string& error);

// Writes every entry to folder + "/" + its name, creating folders as needed. Names
// that would land outside folder are refused.
bool ExtractArchiveFolder(const std::string& archivePath, const std::string& folder,
                          std::string& error);
