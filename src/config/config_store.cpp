#include "config/config_store.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "config/application_title.h"
#include "config/atomic_file.h"
#include "platform/prompter.h"

namespace vexo {
namespace {

constexpr const char* kMissingText = "Config file is not exist.";

bool fileExists(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace

ConfigStore::ConfigStore(std::filesystem::path configBin) : path_(std::move(configBin)) {}

ConfigStore::LoadResult ConfigStore::LoadConfig(Prompter& prompter) {
    lastError_.clear();
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) {
        if (errno != ENOENT) {
            lastError_ = "cannot open " + path_.string() + ": " + std::strerror(errno);
            return LoadResult::Unreadable;
        }
        lastError_ = path_.string() + " does not exist";
        prompter.message(kMissingText, std::string(kApplicationTitle));
        return LoadResult::Missing;
    }
    // Opening a FIFO waits for a writer and opening a device may act on it: neither is opened.
    if (!S_ISREG(st.st_mode)) {
        lastError_ = path_.string() + " is not a regular file";
        return LoadResult::Unreadable;
    }
    // Without blocking, in case it was swapped for a FIFO since; checked again once open.
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        lastError_ = "cannot open " + path_.string() + ": " + std::strerror(errno);
        return LoadResult::Unreadable;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        lastError_ = path_.string() + " is not a regular file";
        return LoadResult::Unreadable;
    }
    if (static_cast<std::size_t>(st.st_size) != kFileSize) {
        ::close(fd);
        lastError_ = path_.string() + " has " + std::to_string(st.st_size) + " bytes instead of " +
                     std::to_string(kFileSize);
        return LoadResult::WrongSize;
    }
    std::array<std::uint8_t, kFileSize> bytes{};
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            lastError_ = "cannot read " + path_.string() + (n < 0 ? std::string(": ") + std::strerror(errno) : "");
            ::close(fd);
            return LoadResult::Unreadable;
        }
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    // Only a complete read changes the state, so a failure half-way leaves the record as it was.
    firstRunFlag_ = bytes[0];
    fileRead_ = true;
    record_ = ConfigRecord(std::span(bytes).subspan<1, ConfigRecord::kSize>());
    return LoadResult::Loaded;
}

ConfigStore::SaveResult ConfigStore::SaveConfig(Prompter& prompter) {
    const SaveResult result = WriteConfigFile();
    ReportSaveResult(result, prompter);
    return result;
}

ConfigStore::SaveResult ConfigStore::WriteConfigFile() {
    lastError_.clear();
    lastErrno_ = 0;
    // The program never creates config.bin: without the delivered file there is nothing to save to.
    if (!fileExists(path_)) {
        lastError_ = path_.string() + " does not exist";
        return SaveResult::Missing;
    }
    std::array<std::uint8_t, kFileSize> bytes{};
    bytes[0] = 1;
    std::copy(record_.bytes().begin(), record_.bytes().end(), bytes.begin() + 1);
    const AtomicFile::Result result = AtomicFile::write(path_, bytes);
    if (!result.ok) {
        lastError_ = result.message;
        lastErrno_ = result.error;
        return SaveResult::Failed;
    }
    return SaveResult::Saved;
}

void ConfigStore::ReportSaveResult(SaveResult result, Prompter& prompter) const {
    if (result == SaveResult::Missing) {
        prompter.message(kMissingText, std::string(kApplicationTitle));
    } else if (result == SaveResult::Failed) {
        prompter.message("Error Code is: " + std::to_string(lastErrno_) + " \n", "NULL ==fp ");
    }
}

} // namespace vexo
