#pragma once
// Runs a built program of the checkout through a POSIX shell pipe and reads the
// "name=value" lines of what it printed (standard error included).

#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace runnertest {

struct RunResult {
    int exitCode = -1;
    std::string output;
    std::map<std::string, std::string> values;
};

inline RunResult RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
    std::string command = "'" + program + "'";
    for (const std::string& argument : arguments) {
        command += " '" + argument + "'";
    }
    command += " 2>&1";
    RunResult result;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        result.output += buffer;
    }
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            result.values[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return result;
}

} // namespace runnertest
