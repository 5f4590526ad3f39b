// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vexo::test {

// What a command-line program of the build printed, and how it ended.
struct ToolRun {
    int status = -1; // the exit status; -1 when it could not be run or did not exit
    std::string out;
    std::string err; // empty unless RunTool was given a file for it
};

// Runs commandLine through the shell, as a user would. Standard error goes to errFile and is read
// back into err when errFile is given; otherwise it is dropped.
inline ToolRun RunTool(const std::string& commandLine, const std::filesystem::path& errFile = {}) {
    const std::string command =
        commandLine + (errFile.empty() ? std::string(" 2>/dev/null") : " 2>'" + errFile.string() + "'");
    ToolRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    std::array<char, 4096> buffer{};
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int raw = ::pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    if (!errFile.empty()) {
        std::ifstream in(errFile, std::ios::binary);
        run.err.assign(std::istreambuf_iterator<char>(in), {});
    }
    return run;
}

// This build's vexoctl: under VEXO_BUILD_DIR, which CTest sets, else relative to the build tree.
inline std::string VexoctlProgram() {
    const char* build = std::getenv("VEXO_BUILD_DIR");
    return std::string(build ? build : ".") + "/bin/vexoctl";
}

} // namespace vexo::test
