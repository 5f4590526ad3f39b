// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "preview.h"

#include "primitives.h"
#include "skin_set.h"

#include <QHash>

namespace vexo::skingen {

namespace {

const QColor kText(220, 220, 220);

class Sheet {
public:
    explicit Sheet(const Palette& pal) {
        for (SkinFile& f : renderSkin(pal))
            images_.insert(f.name.toLower(), std::move(f.image));
    }
    const QImage& get(const char* name) const {
        static const QImage none;
        auto it = images_.find(QString::fromLatin1(name).toLower());
        return it == images_.end() ? none : *it;
    }

private:
    QHash<QString, QImage> images_;
};

void text(QPainter& p, const QRect& r, const QString& s, int flags = Qt::AlignCenter, QColor c = kText) {
    p.setPen(c);
    p.drawText(r, flags | Qt::TextSingleLine, s);
}

void button(QPainter& p, const Sheet& s, int x, int y, const QString& caption, bool over = false) {
    p.drawImage(x, y, s.get(over ? "button-over.png" : "button-normal.png"));
    text(p, QRect(x, y, 105, 21), caption);
}

void frame(QPainter& p, const Sheet& s, const QString& title, bool nextOver) {
    p.drawImage(825, 5, s.get("button-min-normal.png"));
    p.drawImage(850, 5, s.get("button-close-over.png"));
    p.drawImage(701, 5, s.get("button-Skins-normal.png"));
    p.drawImage(20, 55, s.get("button-PrePage-normal.png"));
    p.drawImage(70, 55, s.get(nextOver ? "button-NextPage-over.png" : "button-NextPage-normal.png"));
    button(p, s, 513, 609, QStringLiteral("OK"), true);
    button(p, s, 617, 609, QStringLiteral("Apply"));
    button(p, s, 721, 609, QStringLiteral("Cancel"));
    p.setFont(uiFont(20, QFont::Bold));
    text(p, QRect(120, 50, 232, 50), title, Qt::AlignLeft | Qt::AlignVCenter, Qt::white);
    p.setFont(uiFont(13));
}

QImage basic(const Sheet& s) {
    QImage img = s.get("BasicSet2.png").convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p;
    beginPainting(p, img);
    frame(p, s, QStringLiteral("Basic Settings"), true);
    text(p, QRect(259, 160, 105, 21), QStringLiteral("Key Setting"));
    text(p, QRect(504, 161, 105, 21), QStringLiteral("Report Rate"));
    text(p, QRect(504, 275, 105, 21), QStringLiteral("DPI Setting"));
    text(p, QRect(704, 275, 105, 21), QStringLiteral("RGB Effect"));
    const char* labels[] = {"Left Click", "Right Click", "Mid Click", "Forward",
                            "Backward",   "DPI +",       "DPI -",     "Single Key-V"};
    for (int k = 0; k < 8; ++k) {
        const int y = 186 + 23 * k;
        p.drawImage(252, y, s.get(k == 2 ? "DropdownBox-over.png" : "DropdownBox-normal.png"));
        text(p, QRect(252, y, 20, 21), QString::number(k + 1));
        text(p, QRect(275, y, 188, 21), QString::fromLatin1(labels[k]), Qt::AlignLeft | Qt::AlignVCenter);
    }
    p.drawImage(253, 518, s.get("button-over.png"));
    text(p, QRect(253, 518, 105, 21), QStringLiteral("Mode A"));
    button(p, s, 357, 518, QStringLiteral("Mode B"));
    button(p, s, 307, 549, QStringLiteral("Key Default"));
    const char* rates[] = {"125", "250", "500", "1000"};
    for (int i = 0; i < 4; ++i) {
        const int x = 542 + 72 * i;
        p.drawImage(x, 204, s.get(i == 3 ? "slider-RP-light.png" : "slider-RP-dark.png"));
        text(p, QRect(x, 225, 70, 20), QString::fromLatin1(rates[i]), Qt::AlignHCenter | Qt::AlignTop);
    }
    const QColor swatches[] = {Qt::red,     QColor(0, 200, 0), QColor(40, 120, 255), Qt::yellow, Qt::cyan,
                               Qt::magenta, Qt::white,         QColor(255, 128, 0)};
    const char* dpis[] = {"500", "1000", "1500", "2000", "2500", "3000", "3500", "4000"};
    for (int k = 0; k < 8; ++k) {
        const int y = 322 + 30 * k;
        text(p, QRect(506, y, 10, 16), QString::number(k + 1), Qt::AlignLeft | Qt::AlignVCenter);
        p.drawImage(526, y, s.get(k < 5 ? "PaneMakingTick.png" : "Pane.png"));
        p.fillRect(QRect(548, y, 16, 16), swatches[k]);
        p.fillRect(QRect(575, y + 1, 69, 14), Qt::black);
        text(p, QRect(575, y + 1, 69, 14), QString::fromLatin1(dpis[k]));
    }
    const char* names[] = {"Mode", "Parameter", "Effect"};
    const char* values[] = {"Neon", "3S", "RGB Flash"};
    for (int i = 0; i < 3; ++i) {
        const int y = 329 + 30 * i + (i == 2 ? 1 : 0);
        text(p, QRect(696, y, 60, 15), QString::fromLatin1(names[i]), Qt::AlignRight | Qt::AlignVCenter);
        if (i < 2)
            p.drawImage(766, y, s.get("dropdownbox.png"));
        p.fillRect(QRect(767, y + (i < 2 ? 1 : 0), 68, 14), Qt::black);
        text(p, QRect(767, y + (i < 2 ? 1 : 0), 68, 14), QString::fromLatin1(values[i]));
    }
    p.end();
    return img;
}

QImage advanced(const Sheet& s) {
    QImage img = s.get("AdvancedSet2.png").convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p;
    beginPainting(p, img);
    frame(p, s, QStringLiteral("Advanced Settings"), false);
    const char* heads[] = {"Mouse Speed", "Scroll Speed", "Double-Click"};
    const int lit[] = {6, 3, 6};
    for (int i = 0; i < 3; ++i) {
        const int top = 200 + 150 * i;
        text(p, QRect(38, top - 40, 105, 21), QString::fromLatin1(heads[i]));
        for (int n = 0; n < 11; ++n) {
            p.drawImage(52 + 24 * n, top, s.get(n < lit[i] ? "slider-light.png" : "slider-dark.png"));
            text(p, QRect(52 + 24 * n, top + 21, 24, 20), QString::number(n + 1), Qt::AlignHCenter | Qt::AlignTop);
        }
    }
    p.drawImage(51, 255, s.get("PaneMakingTick.png"));
    text(p, QRect(77, 255, 331, 16), QStringLiteral("Enhance pointer precision"), Qt::AlignLeft | Qt::AlignVCenter);
    text(p, QRect(77, 405, 331, 16), QStringLiteral("Scroll one screen at a time"), Qt::AlignLeft | Qt::AlignVCenter);
    button(p, s, 194, 573, QStringLiteral("Restore Defaults"));
    text(p, QRect(469, 160, 109, 21), QStringLiteral("Macro Setting"));
    text(p, QRect(462, 196, 129, 24), QStringLiteral("Select Macro"));
    text(p, QRect(592, 196, 133, 24), QStringLiteral("Key Sequence"));
    text(p, QRect(733, 196, 123, 24), QStringLiteral("Record Option"));
    p.fillRect(QRect(462, 220, 129, 292), QColor(40, 40, 40));
    p.fillRect(QRect(462, 220, 129, 18), QColor(0x33, 0x66, 0x99));
    text(p, QRect(466, 220, 120, 18), QStringLiteral("Macro1"), Qt::AlignLeft | Qt::AlignVCenter, Qt::white);
    button(p, s, 513, 528, QStringLiteral("New"));
    button(p, s, 617, 528, QStringLiteral("Delete"), true);
    button(p, s, 721, 528, QStringLiteral("Confirm"));
    p.end();
    return img;
}

QImage dialog(const Sheet& s, const char* file, const QString& prompt) {
    QImage img = s.get(file).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p;
    beginPainting(p, img);
    p.setFont(uiFont(13));
    p.drawImage(352, 6, s.get("button-close-normal.png"));
    button(p, s, 166, 253, QStringLiteral("OK"), true);
    button(p, s, 270, 253, QStringLiteral("Cancel"));
    text(p, QRect(14, 40, 372, 20), prompt, Qt::AlignLeft | Qt::AlignVCenter, Qt::white);
    p.end();
    return img;
}

} // namespace

std::vector<PreviewPart> renderPreview(const Palette& pal) {
    const Sheet s(pal);
    const int gap = 20;
    const QColor backdrop(0x3a, 0x3d, 0x42);

    QImage dialogs(4 * 400 + 5 * gap, 2 * 316 + 3 * gap, QImage::Format_ARGB32_Premultiplied);
    dialogs.fill(backdrop);
    QPainter p;
    beginPainting(p, dialogs);
    const std::pair<const char*, const char*> files[] = {
        {"single-key.png", "single-key"}, {"combo-key.png", "combo-key"}, {"fire-key.png", "fire-key"},
        {"delay-time.png", "delay-time"}, {"media-key.png", "media-key"}, {"windows-key.png", "windows-key"},
        {"macro-key.png", "macro-key"},   {"skins.png", "skins"}};
    for (int i = 0; i < 8; ++i) {
        p.drawImage(gap + (i % 4) * (400 + gap), gap + (i / 4) * (316 + gap),
                    dialog(s, files[i].first, QString::fromLatin1(files[i].second)));
    }
    p.end();

    QImage parts(1000, 330, QImage::Format_ARGB32_Premultiplied);
    parts.fill(backdrop);
    beginPainting(p, parts);
    const char* small[] = {"button-normal.png",          "button-over.png",           "DropdownBox-normal.png",
                           "DropdownBox-over.png",       "dropdownbox.png",           "Pane.png",
                           "PaneMakingTick.png",         "slider-dark.png",           "slider-light.png",
                           "slider-RP-dark.png",         "slider-RP-light.png",       "slider-DPI-dark.png",
                           "slider-DPI-light.png",       "button-min-normal.png",     "button-min-over.png",
                           "button-close-normal.png",    "button-close-over.png",     "button-Skins-normal.png",
                           "button-Skins-over.png",      "button-PrePage-normal.png", "button-PrePage-over.png",
                           "button-NextPage-normal.png", "button-NextPage-over.png"};
    int x = gap;
    int y = gap;
    for (const char* name : small) {
        const QImage& img = s.get(name);
        if (x + img.width() * 2 > parts.width() - gap) {
            x = gap;
            y += 90;
        }
        p.drawImage(QRect(x, y, img.width() * 2, img.height() * 2), img);
        x += img.width() * 2 + 16;
    }
    p.end();

    const QImage basicPage = basic(s);
    const QImage advancedPage = advanced(s);
    QImage sheet(2 * 880 + 3 * gap, 650 + dialogs.height() + parts.height() + 2 * gap,
                 QImage::Format_ARGB32_Premultiplied);
    sheet.fill(backdrop);
    beginPainting(p, sheet);
    p.drawImage(gap, gap, basicPage);
    p.drawImage(2 * gap + 880, gap, advancedPage);
    p.drawImage(0, 650 + gap, dialogs);
    p.drawImage(0, 650 + gap + dialogs.height(), parts);
    p.end();
    return {{QStringLiteral("basic"), basicPage},
            {QStringLiteral("advanced"), advancedPage},
            {QStringLiteral("dialogs"), dialogs},
            {QStringLiteral("parts"), parts},
            {QStringLiteral("sheet"), sheet}};
}

} // namespace vexo::skingen
