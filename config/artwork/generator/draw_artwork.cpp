// Draws the Dovrane configuration tool's pictures and the Halvane vendor logo, each at its
// natural size and at twice that size (the "@2x" file), reduced to the colour depth the dialogs
// were designed for: 256 colours for logos, the 16 VGA colours for the icon and the swatches.
//
//   draw_artwork <config artwork folder> <platform resources folder>
#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// The house colours, as the launcher's pictures have them: Halvane's blue, its green and its
// yellow, a dark ink for names, and the copier's light body greys.
const QColor HouseBlue(0x1b, 0x4f, 0xa8);
const QColor HouseBlueLight(0x2f, 0x6f, 0xd6);
const QColor HouseGreen(0x3b, 0xb5, 0x4a);
const QColor Amber(0xf2, 0xc2, 0x30);
const QColor Ink(0x1d, 0x2a, 0x44);
const QColor BodyLight(0xe6, 0xe9, 0xed);
const QColor BodyShade(0xb4, 0xbb, 0xc4);
const QColor Outline(0x2a, 0x30, 0x38);

// The 16 standard VGA colours, in their usual order.
const QList<QRgb> Vga16 = {
    qRgb(0x00, 0x00, 0x00), qRgb(0x00, 0x00, 0xaa), qRgb(0x00, 0xaa, 0x00), qRgb(0x00, 0xaa, 0xaa),
    qRgb(0xaa, 0x00, 0x00), qRgb(0xaa, 0x00, 0xaa), qRgb(0xaa, 0x55, 0x00), qRgb(0xaa, 0xaa, 0xaa),
    qRgb(0x55, 0x55, 0x55), qRgb(0x55, 0x55, 0xff), qRgb(0x55, 0xff, 0x55), qRgb(0x55, 0xff, 0xff),
    qRgb(0xff, 0x55, 0x55), qRgb(0xff, 0x55, 0xff), qRgb(0xff, 0xff, 0x55), qRgb(0xff, 0xff, 0xff),
};
enum Vga {
    Black = 0,
    Blue = 1,
    Cyan = 3,
    Magenta = 5,
    LightGrey = 7,
    DarkGrey = 8,
    LightBlue = 9,
    Yellow = 14,
    White = 15
};

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

int nearest(QRgb colour, const QList<QRgb> &table)
{
    int best = 0;
    for (int i = 1; i < table.size(); ++i)
        if (qAlpha(table[i]) == 255 && distance(colour, table[i]) < distance(colour, table[best]))
            best = i;
    return best;
}

// Maps every pixel to the nearest colour of table; pixels less than half opaque take the
// transparent entry when the table has one.
QImage toTable(const QImage &source, const QList<QRgb> &table)
{
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    QImage out(argb.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    const auto transparent
        = std::find_if(table.begin(), table.end(), [](QRgb c) { return qAlpha(c) == 0; });
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb c = argb.pixel(x, y);
            const int index = (qAlpha(c) < 128 && transparent != table.end())
                ? int(transparent - table.begin())
                : nearest(c, table);
            out.setPixel(x, y, uint(index));
        }
    return out;
}

// Reduces an opaque picture to at most 256 colours: exact when it has no more, otherwise the
// most frequent colours of a 5-bit-per-channel reduction, every pixel taking the nearest.
QImage to256(const QImage &source)
{
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            ++counts[rgb.pixel(x, y) | 0xff000000u];
    QList<QRgb> table;
    if (counts.size() <= 256) {
        table = counts.keys();
    } else {
        QHash<QRgb, int> reduced;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            const QRgb c = it.key();
            ++reduced[qRgb(qRed(c) & 0xf8 | 4, qGreen(c) & 0xf8 | 4, qBlue(c) & 0xf8 | 4)]
                += it.value() - 1;
        }
        QList<std::pair<int, QRgb>> byCount;
        for (auto it = reduced.cbegin(); it != reduced.cend(); ++it)
            byCount.append({it.value(), it.key()});
        std::sort(byCount.begin(), byCount.end(), std::greater<>());
        for (int i = 0; i < std::min<qsizetype>(256, byCount.size()); ++i)
            table.append(byCount[i].second);
    }
    std::sort(table.begin(), table.end());
    return toTable(rgb, table);
}

bool save(const QImage &image, const QString &path)
{
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d, %lld colours\n", qPrintable(path), image.width(), image.height(),
                static_cast<long long>(image.colorCount()));
    return true;
}

QFont wordFont(qreal pixels, bool bold = true)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(std::max(1, qRound(pixels)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// The colours the copier is drawn in: the house colours for the logos, plain VGA colours for the
// 16-colour icon.
struct CopierColours
{
    QColor body, shade, lid, light, print, outline;
};
const CopierColours HouseCopier {BodyLight, BodyShade, HouseBlue, Amber, HouseBlueLight, Outline};
const CopierColours VgaCopier {QColor(Vga16[LightGrey]), QColor(Vga16[DarkGrey]),
                               QColor(Vga16[Blue]),      QColor(Vga16[Yellow]),
                               QColor(Vga16[LightBlue]), QColor(Vga16[Black])};

// Draws text left-aligned and vertically centred in r, in a font of at most the given pixel size
// and small enough for the text to fit the width.
void drawFitted(QPainter &p, const QRectF &r, const QString &text, qreal pixels, bool bold = true)
{
    QFont font = wordFont(pixels, bold);
    while (font.pixelSize() > 6 && QFontMetricsF(font).horizontalAdvance(text) > r.width())
        font.setPixelSize(font.pixelSize() - 1);
    p.setFont(font);
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, text);
}

// The copier: a flatbed body with its lid, a control strip with an amber light, and a sheet
// leaving the output tray. Drawn into a square of side s at (x, y).
void drawCopier(QPainter &p, qreal x, qreal y, qreal s, bool crisp,
                const CopierColours &c = HouseCopier)
{
    p.save();
    p.translate(x, y);
    p.scale(s / 32.0, s / 32.0);
    const QPen outline(c.outline, crisp ? 0 : 1.0);
    p.setPen(outline);
    // Body.
    p.setBrush(c.body);
    p.drawRect(QRectF(4.5, 12.5, 23, 15));
    p.setBrush(c.shade);
    p.drawRect(QRectF(4.5, 22.5, 23, 5));
    // Lid, in the house blue.
    p.setBrush(c.lid);
    p.drawRect(QRectF(3.5, 8.5, 25, 4));
    // Control strip with its ready light.
    p.setBrush(c.light);
    p.drawRect(QRectF(20.5, 14.5, 4, 2));
    // The sheet coming out of the tray, with two lines of print.
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8.5, 17.5, 12, 9));
    p.setPen(QPen(c.print, crisp ? 0 : 1.0));
    p.drawLine(QPointF(10.5, 20.5), QPointF(18.5, 20.5));
    p.drawLine(QPointF(10.5, 23.5), QPointF(16.5, 23.5));
    // Feet.
    p.setPen(outline);
    p.setBrush(c.outline);
    p.drawRect(QRectF(6.5, 27.5, 3, 1));
    p.drawRect(QRectF(22.5, 27.5, 3, 1));
    p.restore();
}

// The vendor's emblem: three rising bars in blue, green and yellow, drawn into r.
void drawEmblem(QPainter &p, const QRectF &r)
{
    p.save();
    p.setPen(Qt::NoPen);
    const QColor colours[] = {HouseBlueLight, HouseGreen, Amber};
    const qreal bar = r.width() / 4;
    for (int i = 0; i < 3; ++i) {
        const qreal height = r.height() * (0.5 + 0.25 * i);
        p.setBrush(colours[i]);
        p.drawRoundedRect(QRectF(r.left() + i * bar * 1.5, r.bottom() - height, bar, height),
                          bar * 0.2, bar * 0.2);
    }
    p.restore();
}

// A picture drawn with a painter scaled to the given factor, on an opaque background.
QImage paint(int w, int h, int scale, const std::function<void(QPainter &)> &draw,
             QColor background = Qt::white, bool antialias = true)
{
    QImage image(w * scale, h * scale, QImage::Format_ARGB32);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, antialias);
    p.setRenderHint(QPainter::TextAntialiasing, antialias);
    p.scale(scale, scale);
    draw(p);
    return image;
}

// The About box's logo: the copier on a blue card with the product name and the vendor line.
void aboutLogo(QPainter &p)
{
    QLinearGradient card(0, 0, 0, 96);
    card.setColorAt(0, HouseBlueLight);
    card.setColorAt(1, HouseBlue);
    p.fillRect(QRectF(0, 0, 166, 96), card);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(QRectF(-22, 8, 92, 92));
    drawCopier(p, 4, 18, 62, false);
    p.setPen(Qt::white);
    drawFitted(p, QRectF(66, 18, 98, 30), "Dovrane", 22);
    p.fillRect(QRectF(68, 50, 88, 2), Amber);
    drawFitted(p, QRectF(68, 55, 96, 16), "Configuration", 11, false);
    p.setPen(QColor(0xd8, 0xe4, 0xf2));
    drawFitted(p, QRectF(68, 74, 96, 14), "by Halvane", 9, false);
}

// The Welcome window's logo: the copier beside the product name on white.
void welcomeLogo(QPainter &p)
{
    drawCopier(p, 1, 2, 33, false);
    p.setPen(HouseBlue);
    drawFitted(p, QRectF(34, 3, 58, 22), "Dovrane", 15);
    p.fillRect(QRectF(35, 26, 54, 2), Amber);
}

// The vendor logo: the emblem beside the name and the line under it, on white.
void vendorLogo(QPainter &p)
{
    drawEmblem(p, QRectF(5, 12, 24, 27));
    p.setPen(Ink);
    drawFitted(p, QRectF(34, 6, 90, 26), "Halvane", 22);
    p.setPen(QColor(0x55, 0x5b, 0x66));
    drawFitted(p, QRectF(35, 31, 89, 14), "office software", 10, false);
}

// The program icon: the copier alone, on a transparent background, in VGA colours.
QImage icon(int scale)
{
    QImage image(32 * scale, 32 * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(scale, scale);
    drawCopier(p, 0, 0, 32, true, VgaCopier);
    p.end();
    QList<QRgb> table = Vga16;
    // The icon keeps 16 entries: transparency takes the place of magenta, which it never uses.
    table[Magenta] = qRgba(0, 0, 0, 0);
    return toTable(image, table);
}

// The swatches beside the resolution fields, 32 x 16, made of whole VGA pixels; at a larger
// scale each pixel becomes a square block, so that the dither patterns keep their look.
QImage swatch(int scale, const std::function<int(int x, int y)> &colourAt)
{
    QImage image(32 * scale, 16 * scale, QImage::Format_Indexed8);
    image.setColorTable(Vga16);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, uint(colourAt(x / scale, y / scale)));
    return image;
}

int blackAndWhite(int x, int)
{
    return x < 16 ? Black : White;
}

// Eight bands of four pixels from black to white: the four VGA greys and the checkerboards
// between neighbours.
int greys(int x, int y)
{
    const int band = x / 4;
    const bool odd = (x + y) % 2 != 0;
    switch (band) {
    case 0:
        return Black;
    case 1:
        return odd ? DarkGrey : Black;
    case 2:
        return DarkGrey;
    case 3:
        return odd ? LightGrey : DarkGrey;
    case 4:
        return LightGrey;
    case 5:
        return odd ? White : LightGrey;
    case 6:
        return odd ? White : Black;
    default:
        return White;
    }
}

// The 16 VGA colours as bars two pixels wide, in palette order.
int colourBars(int x, int)
{
    return x / 2;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: draw_artwork <config artwork folder> <platform resources>\n");
        return 2;
    }
    const QDir config(QString::fromLocal8Bit(argv[1]));
    const QDir platform(QString::fromLocal8Bit(argv[2]));
    bool ok = true;
    for (int scale : {1, 2}) {
        const QString suffix = scale == 1 ? ".png" : "@2x.png";
        ok &= save(to256(paint(166, 96, scale, aboutLogo)), config.filePath("about-logo" + suffix));
        ok &= save(to256(paint(92, 37, scale, welcomeLogo)),
                   config.filePath("welcome-logo" + suffix));
        ok &= save(icon(scale), config.filePath("icon" + suffix));
        ok &= save(swatch(scale, blackAndWhite), config.filePath("bw" + suffix));
        ok &= save(swatch(scale, greys), config.filePath("grey" + suffix));
        ok &= save(swatch(scale, colourBars), config.filePath("colour" + suffix));
        ok &= save(to256(paint(126, 51, scale, vendorLogo)), platform.filePath("vendor" + suffix));
    }
    return ok ? 0 : 1;
}
