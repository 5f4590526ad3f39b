// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/skin/skin_image_cache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <sys/stat.h>

#include "ui/skin/picture_buffer.h"

namespace vexo {

void SkinImageCache::setMode(Mode mode) {
    mode_ = mode;
    entries_.clear();
}

QString SkinImageCache::resolve(const QString& dir, const QString& name) {
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

QImage SkinImageCache::prepare(const QImage& decoded) {
    if (decoded.isNull())
        return {};
    if (!decoded.hasAlphaChannel())
        return decoded.convertToFormat(QImage::Format_RGB32);
    QImage straight = decoded.convertToFormat(QImage::Format_ARGB32);
    QImage out = PictureBuffer::allocate(straight.size(), QImage::Format_ARGB32_Premultiplied);
    if (out.isNull())
        return {};
    for (int y = 0; y < straight.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            const unsigned a = qAlpha(src[x]);
            // Truncating division, not Qt's rounding premultiply: the pixels must match the original.
            dst[x] =
                qRgba(int(qRed(src[x]) * a / 255), int(qGreen(src[x]) * a / 255), int(qBlue(src[x]) * a / 255), int(a));
        }
    }
    return out;
}

std::optional<SkinImageCache::FileStamp> SkinImageCache::stampOf(const QString& file) {
    // One stat for everything: this runs on every hover redraw.
    struct stat info;
    if (::stat(QFile::encodeName(file).constData(), &info) != 0)
        return std::nullopt;
    constexpr std::int64_t kNsPerSecond = 1'000'000'000;
    FileStamp stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedNs = std::int64_t(info.st_mtim.tv_sec) * kNsPerSecond + info.st_mtim.tv_nsec;
    stamp.changedNs = std::int64_t(info.st_ctim.tv_sec) * kNsPerSecond + info.st_ctim.tv_nsec;
    return stamp;
}

namespace {

QImage DecodeFile(const QString& file) {
    QImageReader reader(file);
    reader.setAutoTransform(false);
    // A page background is decoded straight into memory of its own kind (PictureBuffer), in the
    // format the header announces; the reader decodes into an image of the right size and format
    // in place, and prepare() keeps a picture already in its drawing form.
    QImage decoded;
    const QImage::Format announced = reader.imageFormat();
    if (announced == QImage::Format_RGB32 || announced == QImage::Format_ARGB32)
        decoded = PictureBuffer::allocate(reader.size(), announced);
    if (!reader.read(&decoded))
        return {};
    return SkinImageCache::prepare(decoded);
}

} // namespace

QImage SkinImageCache::decode(const QString& file) {
    ++decodes_;
    return DecodeFile(file);
}

SkinImageCache::Entry SkinImageCache::decodeApart(const QString& dir, const QString& name) {
    Entry entry;
    entry.file = resolve(dir, name);
    const std::optional<FileStamp> stamp = entry.file.isEmpty() ? std::nullopt : stampOf(entry.file);
    if (!stamp)
        return {};
    entry.stamp = *stamp;
    entry.image = DecodeFile(entry.file);
    return entry;
}

void SkinImageCache::adopt(const QString& dir, const QString& name, Entry entry) {
    if (mode_ == Mode::DecodeEveryTime || entry.image.isNull())
        return;
    entries_.insert(dir + name, std::move(entry));
}

SkinImageCache::Entry SkinImageCache::take(const QString& dir, const QString& name) {
    const auto it = entries_.find(dir + name);
    if (it != entries_.end()) {
        Entry held = std::move(*it);
        entries_.erase(it);
        if (stampOf(held.file) == held.stamp)
            return held;
    }
    ++decodes_;
    return decodeApart(dir, name);
}

QImage SkinImageCache::load(const QString& dir, const QString& name) {
    const QString key = dir + name;
    if (mode_ == Mode::DecodeEveryTime) {
        const QString file = resolve(dir, name);
        return file.isEmpty() ? QImage() : decode(file);
    }
    auto it = entries_.find(key);
    if (it != entries_.end()) {
        if (stampOf(it->file) == it->stamp)
            return it->image;
        entries_.erase(it);
    }
    const QString file = resolve(dir, name);
    const std::optional<FileStamp> stamp = file.isEmpty() ? std::nullopt : stampOf(file);
    if (!stamp)
        return {};
    Entry entry;
    entry.stamp = *stamp;
    entry.file = file;
    entry.image = decode(file);
    // A file that does not decode is not kept: it may be in the middle of being written.
    if (entry.image.isNull())
        return {};
    entries_.insert(key, entry);
    return entry.image;
}

} // namespace vexo
