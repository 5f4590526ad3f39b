#include "config/profile_ini.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "config/atomic_file.h"
#include "config/ini_document.h"
#include "config/utf_text.h"

namespace vexo {
namespace {

// Our settings files are a few kilobytes; anything far larger is not one of them and is read as
// empty rather than pulled into memory.
constexpr off_t kMaxFileBytes = 64 * 1024 * 1024;

struct Identity {
    bool present = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const Identity& o) const {
        return present == o.present && device == o.device && inode == o.inode && size == o.size &&
               modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
    }
};

Identity identityOf(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return {};
    }
    return {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

bool readWhole(const std::filesystem::path& path, std::string& out) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    out.clear();
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 || out.size() + static_cast<std::size_t>(n) > static_cast<std::size_t>(kMaxFileBytes)) {
            ok = false;
            break;
        }
        if (n == 0) {
            break;
        }
        out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ok;
}

} // namespace

struct ProfileIni::Cache {
    Identity identity;
    IniDocument document;
    bool unreadable = false;  // the file exists but could not be read: writing would lose it

    // The document as the file holds it now, parsed again only when the file changed.
    static const IniDocument& current(const std::filesystem::path& path, std::shared_ptr<Cache>& cache);
    // Replaces the file with the document; on success the document becomes the cached content.
    static bool store(ProfileIni& ini, IniDocument document);
};

std::string_view UnquotedValue(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

ProfileIni::ProfileIni(std::filesystem::path file) : path_(std::move(file)) {}

bool ProfileIni::exists() const { return identityOf(path_).present; }

std::string ProfileIni::readString(std::string_view section, std::string_view key, std::string_view def,
                                   std::size_t bufferChars) const {
    if (bufferChars == 0) {
        return {};
    }
    auto found = Cache::current(path_, cache_).value(section, key);
    // Files written by hand on Windows may quote values; its profile functions drop the quotes.
    if (found) {
        *found = std::string(UnquotedValue(*found));
    }
    const std::string value = found ? *found : utf::sanitize(def);
    return std::string(utf::prefixInUtf16Units(value, bufferChars - 1));
}

std::vector<std::pair<std::string, std::string>> ProfileIni::readSection(std::string_view section,
                                                                     std::size_t bufferChars) const {
    auto entries = Cache::current(path_, cache_).sectionEntries(section);
    for (auto& entry : entries) {
        entry.second =
            bufferChars == 0 ? std::string() : std::string(utf::prefixInUtf16Units(entry.second, bufferChars - 1));
    }
    return entries;
}

std::vector<std::string> ProfileIni::sectionNames(std::size_t bufferChars) const {
    std::vector<std::string> result;
    // One unit is the zero that ends the whole list; each name needs its own terminating zero.
    std::size_t room = bufferChars == 0 ? 0 : bufferChars - 1;
    for (const std::string& name : Cache::current(path_, cache_).sectionNames()) {
        const std::size_t units = utf::utf16Length(name);
        if (units + 1 <= room) {
            result.push_back(name);
            room -= units + 1;
            continue;
        }
        // As the platform does, the last name that does not fit is cut to what remains.
        if (room >= 2) {
            result.emplace_back(utf::prefixInUtf16Units(name, room - 1));
        }
        break;
    }
    return result;
}

bool ProfileIni::writeString(std::string_view section, std::string_view key, std::string_view value) {
    IniDocument document = Cache::current(path_, cache_);
    document.set(section, key, value);
    return Cache::store(*this, std::move(document));
}

bool ProfileIni::writeStrings(std::string_view section,
                              const std::vector<std::pair<std::string, std::string>>& keysAndValues) {
    IniDocument document = Cache::current(path_, cache_);
    for (const auto& [key, value] : keysAndValues) {
        document.set(section, key, value);
    }
    return Cache::store(*this, std::move(document));
}

bool ProfileIni::replaceSection(std::string_view section,
                                const std::vector<std::pair<std::string, std::string>>& keysAndValues) {
    IniDocument document = Cache::current(path_, cache_);
    document.removeSection(section);
    for (const auto& [key, value] : keysAndValues) {
        document.set(section, key, value);
    }
    return Cache::store(*this, std::move(document));
}

bool ProfileIni::deleteSection(std::string_view section) {
    IniDocument document = Cache::current(path_, cache_);
    if (!document.removeSection(section) && !cache_->unreadable) {
        lastError_.clear();
        return true;
    }
    return Cache::store(*this, std::move(document));
}

const IniDocument& ProfileIni::Cache::current(const std::filesystem::path& path, std::shared_ptr<Cache>& cache) {
    const Identity now = identityOf(path);
    if (cache && cache->identity == now) {
        return cache->document;
    }
    std::string bytes;
    IniDocument document;
    bool unreadable = false;
    if (now.present) {
        if (now.size <= kMaxFileBytes && readWhole(path, bytes)) {
            document = IniDocument::parse(bytes);
        } else {
            unreadable = true;
        }
    }
    cache = std::make_shared<Cache>(Cache{now, std::move(document), unreadable});
    return cache->document;
}

bool ProfileIni::Cache::store(ProfileIni& ini, IniDocument document) {
    if (ini.cache_ && ini.cache_->unreadable) {
        ini.lastError_ = "cannot read " + ini.path_.string() + ", so it is left unchanged";
        return false;
    }
    const AtomicFile::Result result = AtomicFile::write(ini.path_, document.serialise());
    if (!result.ok) {
        ini.lastError_ = result.message;
        return false;
    }
    ini.lastError_.clear();
    ini.cache_ = std::make_shared<Cache>(Cache{identityOf(ini.path_), std::move(document), false});
    return true;
}

} // namespace vexo
