#pragma once
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vexo {

// The file --trace writes every exchange with the mouse to, one line each, as vexoctl writes it.
class TraceFile {
public:
    // Opens (creates or empties) path. Refuses a path that names one of dataFiles, so a slip of
    // the finger cannot destroy the user's configuration. error says why when it returns false.
    bool open(const std::filesystem::path& path, const std::vector<std::filesystem::path>& dataFiles,
              std::string& error);
    bool isOpen() const { return file_.is_open(); }
    // Appends one line and flushes it, so a program that dies still leaves what it did.
    void write(const std::string& line);
    // A line that could not be written (a full disk): the trace is incomplete.
    bool failed() const { return failed_; }

private:
    std::ofstream file_;
    bool failed_ = false;
};

} // namespace vexo
