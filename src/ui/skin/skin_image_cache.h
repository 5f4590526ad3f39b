// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QHash>
#include <QImage>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace vexo {

// Decoded skin pictures, ready to draw: 32-bit pictures with alpha premultiplied by truncation
// ((c * a) / 255, as the Windows program does it, so blends match its pixels), pictures without
// alpha as opaque 32-bit.
//
// Redraws happen on every hover change, so decoding each file each time is needless work. Entries
// are keyed by the full requested path and checked against the file's stamp (FileStamp) on every
// lookup, so another skin folder or a replaced file is drawn as it is now on disk.
class SkinImageCache {
public:
    enum class Mode { Cached, DecodeEveryTime };

    explicit SkinImageCache(Mode mode = Mode::Cached) : mode_(mode) {}

    // The picture of dir + name (name begins with "/"), the file name matched without regard to
    // letter case when no exact match exists. A null image when the file is missing or undecodable.
    QImage load(const QString& dir, const QString& name);

    void clear() { entries_.clear(); }
    // Pictures held now.
    std::size_t size() const { return std::size_t(entries_.size()); }
    Mode mode() const { return mode_; }
    void setMode(Mode mode);
    // Files this cache decoded since construction (adopted pictures not counted); lets tests and
    // benchmarks see what the cache saved.
    std::size_t decodeCount() const { return decodes_; }

    // The path of dir + name on disk, the last path component matched without regard to case;
    // empty when there is no such file.
    static QString resolve(const QString& dir, const QString& name);
    // Converts a decoded picture to the drawing form described above.
    static QImage prepare(const QImage& decoded);

    // One version of a file: which file it is, its size, and the times of its last change of content
    // and of status, to the nanosecond where the file system keeps them. A copy that keeps the old
    // modification time (cp -p) still changes the status time, which no one can set back.
    struct FileStamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        std::int64_t changedNs = 0;
        bool operator==(const FileStamp&) const = default;
    };
    // The stamp of file now; nothing when it cannot be examined.
    static std::optional<FileStamp> stampOf(const QString& file);

    // A picture decoded apart from any cache, with the file's stamp at decoding time.
    struct Entry {
        QString file;
        FileStamp stamp;
        QImage image; // null when the file is missing or undecodable
    };
    // Resolves, stamps and decodes dir + name without touching a cache, so it may run on any
    // thread (the start-up decodes the page background while it waits for the mouse).
    static Entry decodeApart(const QString& dir, const QString& name);
    // Keeps a picture decodeApart() made for dir + name, unless it is null or this cache decodes
    // every time. Later lookups check it against the file like any other entry.
    void adopt(const QString& dir, const QString& name, Entry entry);
    // The picture of dir + name for a caller that keeps it itself: the one held (no longer held
    // afterwards) while its file is unchanged, else a new decode. The image is null when the file is
    // missing or undecodable.
    Entry take(const QString& dir, const QString& name);

private:
    QImage decode(const QString& file);

    Mode mode_;
    QHash<QString, Entry> entries_;
    std::size_t decodes_ = 0;
};

} // namespace vexo
