// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/profile_ini.h"

#include "base/unique_fd.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "config/atomic_file.h"
#include "config/folder_lock.h"
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
    // Without blocking: a FIFO put in the file's place since it was looked at must not hang us.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd) {
        return false;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    // Into a string reserved for the file's size (and a few added lines, so an edit at the end of
    // a huge file moves nothing), through a small buffer: growing the string itself would first
    // fill it with zeros, a second pass over the whole file. The buffer stays in the cache.
    out.clear();
    out.reserve(static_cast<std::size_t>(st.st_size) + 65536);
    constexpr std::size_t kChunk = 128 * 1024;
    const std::unique_ptr<char[]> chunk(new char[kChunk]);
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk.get(), kChunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n == 0) {
            break;
        }
        // Bounded however the file grows while it is read.
        if (n < 0 || out.size() + static_cast<std::size_t>(n) > static_cast<std::size_t>(kMaxFileBytes)) {
            ok = false;
            break;
        }
        out.append(chunk.get(), static_cast<std::size_t>(n));
    }
    return ok;
}

// A value as a read into a buffer of bufferChars UTF-16 units returns it: without the quotation
// marks a hand-written file may put around it, cut to bufferChars - 1 units.
std::string finishValue(std::optional<std::string> found, std::string_view def, std::size_t bufferChars) {
    if (bufferChars == 0) {
        return {};
    }
    // Files written by hand on Windows may quote values; its profile functions drop the quotes.
    if (found) {
        *found = std::string(UnquotedValue(*found));
    }
    const std::string value = found ? *found : utf::sanitize(def);
    return std::string(utf::prefixInUtf16Units(value, bufferChars - 1));
}

std::span<const std::uint8_t> asBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace

struct ProfileIni::Cache {
    Identity identity;
    IniDocument document;
    bool unreadable = false; // the file exists but could not be read: writing would lose it

    // The document as the file holds it now, parsed again only when the file changed.
    static const IniDocument& current(const std::filesystem::path& path, std::shared_ptr<Cache>& cache);
    // The same document for an edit in place: until store() succeeds it no longer matches the file.
    static IniDocument& edit(const std::filesystem::path& path, std::shared_ptr<Cache>& cache);
    // Replaces the file with the edited document; on success it stays the cached content, on
    // failure the cache is dropped so that the next read sees the file again. changed false: the
    // edit left the document as the file holds it, so the file is not rewritten.
    static bool store(ProfileIni& ini, bool changed = true);
};

ProfileIni::ProfileIni(std::filesystem::path file) : path_(std::move(file)) {}

bool ProfileIni::exists() const { return identityOf(path_).present; }

std::string ProfileIni::readString(std::string_view section, std::string_view key, std::string_view def,
                                   std::size_t bufferChars) const {
    return finishValue(Cache::current(path_, cache_).value(section, key), def, bufferChars);
}

std::vector<std::string> ProfileIni::readStrings(std::string_view section, const std::vector<std::string>& keys,
                                                 std::size_t bufferChars) const {
    std::vector<std::optional<std::string>> found(keys.size());
    for (auto& [key, value] : Cache::current(path_, cache_).sectionEntries(section)) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            // The first of two equal keys wins, as for readString.
            if (!found[i] && key.size() == keys[i].size() &&
                std::equal(key.begin(), key.end(), keys[i].begin(), [](char a, char b) {
                    const auto fold = [](char c) {
                        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
                    };
                    return fold(a) == fold(b);
                })) {
                found[i] = value;
            }
        }
    }
    std::vector<std::string> values;
    values.reserve(keys.size());
    for (auto& value : found) {
        values.push_back(finishValue(std::move(value), {}, bufferChars));
    }
    return values;
}

std::string ProfileIni::problem() const {
    Cache::current(path_, cache_);
    if (cache_->unreadable) {
        if (cache_->identity.size > kMaxFileBytes) {
            return path_.string() + " is larger than " + std::to_string(kMaxFileBytes / (1024 * 1024)) +
                " MB, the most this program reads; it is neither read nor written";
        }
        return "cannot read " + path_.string();
    }
    const std::string encoding = cache_->document.encodingProblem();
    return encoding.empty() ? std::string() : path_.string() + " " + encoding;
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
    // Names beyond the buffer are never looked at: a file of millions of sections costs no more.
    for (const std::string& name : Cache::current(path_, cache_).sectionNames(bufferChars)) {
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

std::vector<std::string> ProfileIni::shortSectionNames(std::size_t maxNameUnits, std::size_t listUnits) const {
    std::vector<std::string> names = Cache::current(path_, cache_).sectionNames(listUnits, maxNameUnits);
    std::size_t used = 0;
    std::size_t kept = 0;
    for (; kept < names.size(); ++kept) {
        used += utf::utf16Length(names[kept]) + 1;
        if (used > listUnits)
            break;
    }
    names.resize(kept);
    return names;
}

bool ProfileIni::writeString(std::string_view section, std::string_view key, std::string_view value) {
    const FolderLock lock(FolderLock::FolderOf(path_));
    if (lock.busy()) {
        lastError_ = lock.message();
        return false;
    }
    IniDocument& document = Cache::edit(path_, cache_);
    const bool changed = document.set(section, key, value);
    return Cache::store(*this, changed);
}

bool ProfileIni::writeStrings(std::string_view section,
                              const std::vector<std::pair<std::string, std::string>>& keysAndValues) {
    const FolderLock lock(FolderLock::FolderOf(path_));
    if (lock.busy()) {
        lastError_ = lock.message();
        return false;
    }
    const bool changed = Cache::edit(path_, cache_).setAll(section, keysAndValues);
    return Cache::store(*this, changed);
}

bool ProfileIni::replaceSection(std::string_view section,
                                const std::vector<std::pair<std::string, std::string>>& keysAndValues) {
    const FolderLock lock(FolderLock::FolderOf(path_));
    if (lock.busy()) {
        lastError_ = lock.message();
        return false;
    }
    IniDocument& document = Cache::edit(path_, cache_);
    document.removeSection(section);
    document.setAll(section, keysAndValues);
    return Cache::store(*this);
}

std::size_t ProfileIni::sectionCount() const { return Cache::current(path_, cache_).sectionCount(); }

bool ProfileIni::deleteSection(std::string_view section) {
    const FolderLock lock(FolderLock::FolderOf(path_));
    if (lock.busy()) {
        lastError_ = lock.message();
        return false;
    }
    IniDocument& document = Cache::edit(path_, cache_);
    if (!document.removeSection(section) && !cache_->unreadable &&
        document.encoding() != IniDocument::Encoding::Unsupported) {
        lastError_.clear();
        return true;
    }
    return Cache::store(*this);
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
            document = IniDocument::parse(std::move(bytes));
        } else {
            unreadable = true;
        }
    }
    cache = std::make_shared<Cache>(Cache{now, std::move(document), unreadable});
    return cache->document;
}

IniDocument& ProfileIni::Cache::edit(const std::filesystem::path& path, std::shared_ptr<Cache>& cache) {
    current(path, cache);
    // A copy of this ProfileIni shares the cache; it must not see an edit that was never stored.
    if (cache.use_count() > 1) {
        cache = std::make_shared<Cache>(*cache);
    }
    return cache->document;
}

bool ProfileIni::Cache::store(ProfileIni& ini, bool changed) {
    Cache& cache = *ini.cache_;
    if (cache.unreadable) {
        ini.lastError_ = "cannot read " + ini.path_.string() + ", so it is left unchanged";
        ini.cache_.reset();
        return false;
    }
    if (const std::string problem = cache.document.encodingProblem(); !problem.empty()) {
        ini.lastError_ = ini.path_.string() + " " + problem + "; it is left unchanged";
        ini.cache_.reset();
        return false;
    }
    // Nothing to write: the file keeps its bytes, its time and its inode, and a large file costs
    // no rewrite. A missing file is never unchanged: creating it adds its section.
    if (!changed) {
        ini.lastError_.clear();
        return true;
    }
    // The mark and the body go out as they are held, without a copy of the whole file.
    const auto [bom, body] = cache.document.serialisedParts();
    const AtomicFile::Result result = AtomicFile::write(ini.path_, {asBytes(bom), asBytes(body)});
    if (!result.ok) {
        ini.lastError_ = result.message;
        ini.cache_.reset();
        return false;
    }
    ini.lastError_.clear();
    cache.identity = identityOf(ini.path_);
    return true;
}

} // namespace vexo
