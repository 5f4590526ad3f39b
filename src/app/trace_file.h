// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "base/unique_fd.h"
#include "config/trace_target.h"

namespace vexo {

// The file --trace writes every exchange with the mouse to, one line each, as vexoctl writes it.
class TraceFile {
public:
    // Opens path by TraceTarget's rules: a data file among dataFiles is refused (DataFile, a usage
    // mistake), so are links to and files of another user (Refused); a regular file of ours is
    // emptied. error says why when it returns anything but Opened.
    TraceTarget::Outcome open(const std::filesystem::path& path, const std::vector<std::filesystem::path>& dataFiles,
                              std::string& error);
    bool isOpen() const { return file_.valid(); }
    // Appends one line, written through at once, so a program that dies still leaves what it did.
    void write(const std::string& line);
    // A line that could not be written (a full disk): the trace is incomplete.
    bool failed() const { return failed_; }

private:
    UniqueFd file_;
    bool failed_ = false;
};

} // namespace vexo
