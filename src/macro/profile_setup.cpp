// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "macro/profile_setup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "base/unique_fd.h"
#include "config/atomic_file.h"
#include "config/json_value.h"
#include "config/profile_ini.h"
#include "config/ui_texts.h"
#include "macro/macro_name.h"
#include "macro/macro_store.h"

namespace vexo {
namespace {

// Big enough for every section name a record.ini can hold: an export must carry all of them, not
// only those within the slot list's limit.
constexpr std::size_t kAllSectionNames = JsonValue::kMaxText;

} // namespace

ProfileContent ProfileSetup::Read(const ConfigStore& store, const IniSettings& settings,
                                  const std::filesystem::path& recordIni) {
    ProfileContent c;
    c.firstRunFlag = store.firstRunFlag();
    c.record = store.record();
    c.labelsA = settings.m_strButtonLabelA;
    c.labelsB = settings.m_strButtonLabelB;
    c.language = settings.ReadLanguage();
    c.skin = settings.m_strSkinName;
    const ProfileIni macros(recordIni);
    for (const std::string& name : macros.sectionNames(kAllSectionNames)) {
        StoredMacro macro = LoadMacro(macros, name);
        if (macro.truncated)
            throw std::runtime_error("macro '" + name +
                                     "' of record.ini has more lines than it can keep; nothing was exported");
        c.macros.push_back({name, std::move(macro.loopTimesText), std::move(macro.lines)});
    }
    return c;
}

std::vector<std::string> ProfileSetup::Check(const ProfileContent& content) {
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

std::string ProfileSetup::Write(ConfigStore& store, IniSettings& settings, const std::filesystem::path& recordIni,
                                const ProfileContent& c) {
    // record.ini first, built beside the old one and put in place by rename: a failure leaves the
    // old file and every other file as they were.
    const std::filesystem::path fresh = recordIni.string() + ".import-" + std::to_string(::getpid());
    std::error_code ec;
    std::filesystem::remove(fresh, ec);
    if (!c.macros.empty() || std::filesystem::exists(recordIni, ec)) {
        if (const auto made = AtomicFile::write(fresh, std::string()); !made.ok)
            return "record.ini: " + made.message;
        ProfileIni macros(fresh);
        for (const ProfileMacro& m : c.macros) {
            const MacroWriteResult written = SaveMacro(macros, m.name, m.loopTimes, m.lines);
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
    if (const auto saved = AtomicFile::write(store.path(), bin); !saved.ok)
        return store.path().string() + ": " + saved.message;
    store.record() = c.record;
    settings.m_strSettingSection = SelectTexts(c.language).m_strSettingSection;
    settings.m_strButtonLabelA = c.labelsA;
    settings.m_strButtonLabelB = c.labelsB;
    if (!settings.SaveButtonLabels())
        return "button labels: " + settings.lastError();
    if (c.skin != settings.m_strSkinName) {
        settings.m_strSkinName = c.skin;
        if (!settings.SaveSkinSettings(settings.TextColour()))
            return "skin: " + settings.lastError();
    }
    if (c.language != settings.ReadLanguage()) {
        ProfileIni ini(settings.m_strStrIniPath);
        if (!ini.writeString("Skins", "Lan", c.language))
            return "language: " + ini.lastError();
    }
    return {};
}

ProfileSetup::FileText ProfileSetup::ReadFile(const std::filesystem::path& file, std::size_t limit) {
    FileText result;
    UniqueFd fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd) {
        result.error = "cannot open " + file.string() + ": " + std::strerror(errno);
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        result.error = file.string() + " is not a regular file";
        return result;
    }
    if (static_cast<std::uint64_t>(st.st_size) > limit) {
        result.tooLarge = true;
        result.error = file.string() + " is larger than " + std::to_string(limit) + " bytes; nothing was changed";
        return result;
    }
    result.text.assign(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t got = 0;
    while (got < result.text.size()) {
        const ssize_t n = ::read(fd.get(), result.text.data() + got, result.text.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            result.text.clear();
            result.error = "cannot read " + file.string();
            return result;
        }
        got += static_cast<std::size_t>(n);
    }
    return result;
}

} // namespace vexo
