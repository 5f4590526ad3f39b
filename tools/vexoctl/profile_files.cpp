// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "profile_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "base/unique_fd.h"
#include "config/atomic_file.h"
#include "config/json_value.h"
#include "macro/macro_name.h"
#include "macro/macro_store.h"

namespace vexo::cli {
namespace {

// Big enough for every section name a record.ini can hold: an export must carry all of them, not
// only those within the slot list's limit.
constexpr std::size_t kAllSectionNames = JsonValue::kMaxText;

} // namespace

ProfileContent ReadProfileContent(const SettingsFiles& files) {
    ProfileContent c;
    c.firstRunFlag = files.store.firstRunFlag();
    c.record = files.store.record();
    c.labelsA = files.settings.m_strButtonLabelA;
    c.labelsB = files.settings.m_strButtonLabelB;
    c.language = files.settings.ReadLanguage();
    c.skin = files.settings.m_strSkinName;
    const ProfileIni store(files.locations.recordIni());
    for (const std::string& name : store.sectionNames(kAllSectionNames)) {
        StoredMacro macro = LoadMacro(store, name);
        if (macro.truncated)
            throw std::runtime_error("macro '" + name +
                                     "' of record.ini has more lines than it can keep; nothing was exported");
        c.macros.push_back({name, std::move(macro.loopTimesText), std::move(macro.lines)});
    }
    return c;
}

std::vector<std::string> CheckProfileContent(const ProfileContent& content) {
    std::vector<std::string> errors;
    for (std::size_t i = 0; i < content.macros.size(); ++i) {
        if (CheckMacroName(content.macros[i].name) != MacroNameCheck::Ok)
            errors.push_back("macros[" + std::to_string(i) + "].name: '" + content.macros[i].name +
                             "' is not a name record.ini can keep");
        if (content.macros[i].lines.size() > kMaxMacroLines)
            errors.push_back("macros[" + std::to_string(i) + "].lines: more than " + std::to_string(kMaxMacroLines) +
                             " lines");
    }
    return errors;
}

std::string WriteProfileContent(SettingsFiles& files, const ProfileContent& c) {
    // record.ini first, built beside the old one and put in place by rename: a failure leaves the
    // old file and every other file as they were.
    const std::filesystem::path recordIni = files.locations.recordIni();
    const std::filesystem::path fresh = recordIni.string() + ".import-" + std::to_string(::getpid());
    std::error_code ec;
    std::filesystem::remove(fresh, ec);
    if (!c.macros.empty() || std::filesystem::exists(recordIni, ec)) {
        if (const auto made = AtomicFile::write(fresh, std::string()); !made.ok)
            return "record.ini: " + made.message;
        ProfileIni store(fresh);
        for (const ProfileMacro& m : c.macros) {
            const MacroWriteResult written = SaveMacro(store, m.name, m.loopTimes, m.lines);
            if (!written.ok) {
                std::filesystem::remove(fresh, ec);
                return "record.ini: " + written.message;
            }
        }
        std::filesystem::rename(fresh, recordIni, ec);
        if (ec) {
            std::filesystem::remove(fresh, ec);
            return "record.ini: " + ec.message();
        }
    }
    std::string bin(1, static_cast<char>(c.firstRunFlag));
    bin.append(reinterpret_cast<const char*>(c.record.bytes().data()), ConfigRecord::kSize);
    if (const auto saved = AtomicFile::write(files.store.path(), bin); !saved.ok)
        return files.store.path().string() + ": " + saved.message;
    files.store.record() = c.record;
    files.settings.m_strSettingSection = SelectTexts(c.language).m_strSettingSection;
    files.settings.m_strButtonLabelA = c.labelsA;
    files.settings.m_strButtonLabelB = c.labelsB;
    if (!files.settings.SaveButtonLabels())
        return "button labels: " + files.settings.lastError();
    if (c.skin != files.settings.m_strSkinName) {
        files.settings.m_strSkinName = c.skin;
        if (!files.settings.SaveSkinSettings(files.settings.TextColour()))
            return "skin: " + files.settings.lastError();
    }
    if (c.language != files.settings.ReadLanguage()) {
        ProfileIni ini(files.settings.m_strStrIniPath);
        if (!ini.writeString("Skins", "Lan", c.language))
            return "language: " + ini.lastError();
    }
    return {};
}

std::string ReadDocumentFile(const std::filesystem::path& file, std::size_t limit) {
    // Never waits on a FIFO or a device, and never reads more than the limit.
    UniqueFd fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd)
        throw std::runtime_error("cannot open " + file.string() + ": " + std::strerror(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        throw std::runtime_error(file.string() + " is not a regular file");
    if (static_cast<std::uint64_t>(st.st_size) > limit)
        throw UsageError(file.string() + " is larger than " + std::to_string(limit) + " bytes; nothing was changed");
    std::string text(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd.get(), text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::runtime_error("cannot read " + file.string());
        got += static_cast<std::size_t>(n);
    }
    return text;
}

} // namespace vexo::cli
