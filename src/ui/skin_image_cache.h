#pragma once
#include <QHash>
#include <QImage>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace vexo {

// Decoded skin pictures, ready to draw: 32-bit pictures with alpha premultiplied by truncation
// ((c * a) / 255, as the Windows program does it, so blends match its pixels), pictures without
// alpha as opaque 32-bit.
//
// Redraws happen on every hover change, so decoding each file each time is needless work. Entries
// are keyed by the full requested path and checked against the file's size and modification time on
// every lookup, so another skin folder or a replaced file is drawn as it is now on disk.
class SkinImageCache {
public:
    enum class Mode { Cached, DecodeEveryTime };

    explicit SkinImageCache(Mode mode = Mode::Cached) : mode_(mode) {}

    // The picture of dir + name (name begins with "/"), the file name matched without regard to
    // letter case when no exact match exists. A null image when the file is missing or undecodable.
    QImage load(const QString& dir, const QString& name);

    void clear() { entries_.clear(); }
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

    // A picture decoded apart from any cache, with the file's stamp at decoding time.
    struct Entry {
        QString file;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified;
        QImage image;  // null when the file is missing or undecodable
    };
    // Resolves, stamps and decodes dir + name without touching a cache, so it may run on any
    // thread (the start-up decodes the page background while it waits for the mouse).
    static Entry decodeApart(const QString& dir, const QString& name);
    // Keeps a picture decodeApart() made for dir + name, unless it is null or this cache decodes
    // every time. Later lookups check it against the file like any other entry.
    void adopt(const QString& dir, const QString& name, Entry entry);

private:
    QImage decode(const QString& file);
    // Size and modification time (nanoseconds where the file system keeps them); false when gone.
    static bool stamp(const QString& file, std::uintmax_t& size, std::filesystem::file_time_type& modified);

    Mode mode_;
    QHash<QString, Entry> entries_;
    std::size_t decodes_ = 0;
};

} // namespace vexo
