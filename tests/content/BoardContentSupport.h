#pragma once
// The real data set with every class of the program: the content fixture over the
// built archive, under the names the board tests use.

#include <sstream>
#include <string>
#include <vector>

#include "content/ContentTestSupport.h"
#include "engine/files/QxBuffer.h"

namespace boardcontent {

// The lines of the log that tell of a name that does not resolve.
// `more` adds further words that mark a line.
inline std::vector<std::string> BrokenNameLines(const std::string& log,
                                                std::vector<std::string> more = {}) {
    for (const char* problem : {"unknown class", "already defined", "Unable to open", "not found"})
        more.push_back(problem);
    std::vector<std::string> lines;
    std::istringstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        for (const std::string& problem : more) {
            if (line.find(problem) != std::string::npos) {
                lines.push_back(line);
                break;
            }
        }
    }
    return lines;
}

using DataSetTest = contenttest::ContentFixture;

} // namespace boardcontent
