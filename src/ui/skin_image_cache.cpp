#include "ui/skin_image_cache.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace vexo {

void SkinImageCache::setMode(Mode mode)
{
    mode_ = mode;
    entries_.clear();
}

QString SkinImageCache::resolve(const QString& dir, const QString& name)
{
    const QString exact = dir + name;
    QFileInfo info(exact);
    if (info.isFile())
        return exact;
    // Skin folders made on Windows name their files in any case ("DropdownBox-over.png").
    const QString wanted = info.fileName();
    QDir folder = info.absoluteDir();
    if (!folder.exists())
        return {};
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return {};
}

QImage SkinImageCache::prepare(const QImage& decoded)
{
    if (decoded.isNull())
        return {};
    if (!decoded.hasAlphaChannel())
        return decoded.convertToFormat(QImage::Format_RGB32);
    QImage straight = decoded.convertToFormat(QImage::Format_ARGB32);
    QImage out(straight.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < straight.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            const unsigned a = qAlpha(src[x]);
            // Truncating division, not Qt's rounding premultiply: the pixels must match the original.
            dst[x] = qRgba(int(qRed(src[x]) * a / 255), int(qGreen(src[x]) * a / 255),
                           int(qBlue(src[x]) * a / 255), int(a));
        }
    }
    return out;
}

bool SkinImageCache::stamp(const QString& file, std::uintmax_t& size, std::filesystem::file_time_type& modified)
{
    std::error_code ec;
    const std::filesystem::path path(file.toStdU16String());
    size = std::filesystem::file_size(path, ec);
    if (ec)
        return false;
    modified = std::filesystem::last_write_time(path, ec);
    return !ec;
}

namespace {

QImage DecodeFile(const QString& file)
{
    QImageReader reader(file);
    reader.setAutoTransform(false);
    return SkinImageCache::prepare(reader.read());
}

} // namespace

QImage SkinImageCache::decode(const QString& file)
{
    ++decodes_;
    return DecodeFile(file);
}

SkinImageCache::Entry SkinImageCache::decodeApart(const QString& dir, const QString& name)
{
    Entry entry;
    entry.file = resolve(dir, name);
    if (entry.file.isEmpty() || !stamp(entry.file, entry.size, entry.modified))
        return {};
    entry.image = DecodeFile(entry.file);
    return entry;
}

void SkinImageCache::adopt(const QString& dir, const QString& name, Entry entry)
{
    if (mode_ == Mode::DecodeEveryTime || entry.image.isNull())
        return;
    entries_.insert(dir + name, std::move(entry));
}

QImage SkinImageCache::load(const QString& dir, const QString& name)
{
    const QString key = dir + name;
    if (mode_ == Mode::DecodeEveryTime) {
        const QString file = resolve(dir, name);
        return file.isEmpty() ? QImage() : decode(file);
    }
    auto it = entries_.find(key);
    if (it != entries_.end()) {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified;
        if (stamp(it->file, size, modified) && size == it->size && modified == it->modified)
            return it->image;
        entries_.erase(it);
    }
    const QString file = resolve(dir, name);
    Entry entry;
    if (file.isEmpty() || !stamp(file, entry.size, entry.modified))
        return {};
    entry.file = file;
    entry.image = decode(file);
    // A file that does not decode is not kept: it may be in the middle of being written.
    if (entry.image.isNull())
        return {};
    entries_.insert(key, entry);
    return entry.image;
}

} // namespace vexo
