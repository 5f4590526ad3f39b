#include "app/trace_file.h"

namespace vexo {

bool TraceFile::open(const std::filesystem::path& path, const std::vector<std::filesystem::path>& dataFiles,
                     std::string& error)
{
    for (const std::filesystem::path& data : dataFiles) {
        std::error_code ec;
        if (std::filesystem::equivalent(path, data, ec)) {
            error = "the trace file " + path.string() + " is " + data.string() + "; choose another file";
            return false;
        }
    }
    file_.open(path, std::ios::out | std::ios::trunc);
    if (!file_) {
        error = "cannot write the trace file " + path.string();
        return false;
    }
    return true;
}

void TraceFile::write(const std::string& line)
{
    if (!file_.is_open())
        return;
    file_ << line << '\n' << std::flush;
    if (!file_)
        failed_ = true;
}

} // namespace vexo
