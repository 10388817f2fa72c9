// Draws the launcher's artwork: the bar's glyphs, the splash pictures, the About and Credits logos
// and the program icon, each at its design size and at twice that size for high-density screens
// (name@2x.png).
//
// Everything is drawn in design pixels. At design size the 16-colour pictures are drawn without
// antialiasing in the suite's 16-colour palette, so every edge sits on a pixel; the 256-colour
// ones are reduced to at most 256 colours; the 24-bit ones are stored without alpha. The @2x
// versions keep full colour and smooth edges.
//
// Usage: launcher-artwork OUTPUT-FOLDER [--preview SHEET.png]
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSet>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The suite's 16-colour palette: transparent and fifteen colours.
const QColor Black(0, 0, 0);
const QColor DarkGrey(64, 64, 64);
const QColor Grey(128, 128, 128);
const QColor Silver(192, 192, 192);
const QColor White(255, 255, 255);
const QColor Navy(24, 48, 120);
const QColor Blue(40, 104, 208);
const QColor Sky(140, 192, 240);
const QColor DarkGreen(24, 112, 40);
const QColor Green(72, 184, 72);
const QColor Maroon(128, 24, 24);
const QColor Red(220, 48, 40);
const QColor Gold(240, 192, 32);
const QColor Brown(128, 80, 32);
const QColor Tan(208, 160, 96);

QList<QRgb> suitePalette()
{
    QList<QRgb> palette {qRgba(0, 0, 0, 0)};
    for (const QColor &c : {Black, DarkGrey, Grey, Silver, White, Navy, Blue, Sky, DarkGreen, Green,
                            Maroon, Red, Gold, Brown, Tan})
        palette.append(c.rgb());
    return palette;
}

enum class Depth { Colours16, Colours256, True24 };

struct Picture
{
    QString name;
    QSize size;
    Depth depth;
    std::function<void(QPainter &)> draw;
    // Applied to the drawn image (at either scale) before it is stored.
    std::function<QImage(const QImage &, int scale)> finish = {};
};

// ---- Drawing helpers, in design pixels ------------------------------------------------------

void box(QPainter &p, int x, int y, int w, int h, const QColor &c)
{
    p.fillRect(QRect(x, y, w, h), c);
}

// A filled rectangle with a one-pixel outline.
void framed(QPainter &p, int x, int y, int w, int h, const QColor &outline, const QColor &fill)
{
    box(p, x, y, w, h, outline);
    box(p, x + 1, y + 1, w - 2, h - 2, fill);
}

void disc(QPainter &p, const QRectF &r, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(r);
}

void shape(QPainter &p, const QPainterPath &path, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// Whether the painter draws at design size, where shapes must sit on whole pixels.
bool atDesignSize(const QPainter &p)
{
    return p.transform().m11() < 1.5;
}

// Pixel art: one character per pixel, looked up in `colours`; anything else stays clear.
void pixels(QPainter &p, int x, int y, std::initializer_list<const char *> rows,
            std::initializer_list<std::pair<char, QColor>> colours)
{
    int row = 0;
    for (const char *line : rows) {
        for (int col = 0; line[col]; ++col) {
            for (const auto &[key, colour] : colours) {
                if (line[col] == key)
                    box(p, x + col, y + row, 1, 1, colour);
            }
        }
        ++row;
    }
}

// ---- The glyphs -----------------------------------------------------------------------------

// A desk copier: an original on the glass, the lid, the body with its panel lights and paper
// drawer.
void drawCopier(QPainter &p, int dx, int dy)
{
    p.save();
    p.translate(dx, dy);
    framed(p, 6, 0, 9, 5, Black, White); // the original, lifted from the glass
    box(p, 8, 1, 5, 1, Navy);
    box(p, 8, 3, 4, 1, Grey);
    framed(p, 1, 4, 18, 3, Black, DarkGrey); // lid
    box(p, 2, 5, 16, 1, Grey);
    framed(p, 2, 6, 16, 8, Black, Silver); // body
    box(p, 3, 7, 14, 1, White);
    box(p, 11, 8, 2, 1, Gold); // panel lights
    box(p, 14, 8, 2, 1, Green);
    box(p, 3, 10, 14, 1, Grey); // paper drawer
    box(p, 8, 11, 4, 1, DarkGrey);
    box(p, 3, 14, 14, 1, DarkGrey); // base and feet
    box(p, 3, 15, 2, 1, Black);
    box(p, 15, 15, 2, 1, Black);
    p.restore();
}

void drawDv(QPainter &p)
{
    drawCopier(p, 0, 0);
}

// A gear of outer radius r around (cx, cy), with eight teeth.
QPainterPath gear(qreal cx, qreal cy, qreal r)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    const qreal inner = r * 0.72;
    const int teeth = 8;
    QPolygonF outline;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal angle = (i - 0.5) * (2 * M_PI / (teeth * 4));
        const qreal radius = (i % 4 < 2) ? r : inner;
        outline << QPointF(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
    }
    path.addPolygon(outline);
    path.closeSubpath();
    path.addEllipse(QPointF(cx, cy), r * 0.3, r * 0.3);
    return path;
}

// The copier with a gear in front: its settings.
void drawConfig(QPainter &p)
{
    drawCopier(p, -1, 0);
    if (atDesignSize(p)) {
        pixels(p, 9, 5,
               {"....KKK....", //
                "..K.KGK.K..", //
                ".KGKKGKKGK.", //
                "..KGGGGGK..", //
                "KKKGGKGGKKK", //
                "KGGGKWKGGGK", //
                "KKKGGKGGKKK", //
                "..KGGGGGK..", //
                ".KGKKGKKGK.", //
                "..K.KGK.K..", //
                "....KKK...."},
               {{'K', Black}, {'G', Gold}, {'W', White}});
        return;
    }
    const qreal cx = 14.5, cy = 10.5;
    shape(p, gear(cx, cy, 5.2), Black);
    shape(p, gear(cx, cy, 4.1), Gold);
    disc(p, QRectF(cx - 1.6, cy - 1.6, 3.2, 3.2), Black);
    disc(p, QRectF(cx - 0.8, cy - 0.8, 1.6, 1.6), White);
}

// A printed page under a magnifying glass: text being read.
void drawOcr(QPainter &p)
{
    // The page, with a folded corner.
    shape(p, polygon({{2, 0}, {11, 0}, {14, 3}, {14, 16}, {2, 16}}), Black);
    shape(p, polygon({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}), White);
    shape(p, polygon({{10, 1}, {13, 4}, {10, 4}}), Silver);
    for (int y = 3; y <= 13; y += 2)
        box(p, 5, y, y == 3 ? 4 : 7, 1, y == 3 ? Navy : Grey);
    // The magnifying glass over the lower text, with its handle to the bottom right.
    QPainterPath handle;
    handle.moveTo(14.2, 12.2);
    handle.lineTo(19.6, 15.6);
    QPainterPathStroker stroker;
    stroker.setWidth(2.6);
    stroker.setCapStyle(Qt::RoundCap);
    shape(p, stroker.createStroke(handle), Brown);
    disc(p, QRectF(6.5, 5.5, 10, 10), Black);
    disc(p, QRectF(7.5, 6.5, 8, 8), Sky);
    box(p, 9, 9, 5, 1, Navy); // magnified text
    box(p, 9, 11, 4, 1, Navy);
    box(p, 9, 8, 2, 1, White); // glint
}

// A three-drawer filing cabinet.
void drawCabinet(QPainter &p)
{
    framed(p, 2, 0, 12, 16, Black, Tan);
    box(p, 3, 1, 1, 14, Gold); // lit edge
    for (int drawer = 0; drawer < 3; ++drawer) {
        const int y = drawer * 5;
        if (drawer > 0)
            box(p, 3, y, 10, 1, Brown);
        box(p, 6, y + 1, 4, 2, White); // label holder
        box(p, 6, y + 3, 4, 1, Black); // handle
    }
    box(p, 3, 15, 10, 1, Black);
}

// A desk telephone: the handset resting on the cradle, the body with its dial.
void drawPhone(QPainter &p)
{
    // Body.
    shape(p, polygon({{4, 4}, {12, 4}, {15, 15}, {1, 15}}), Black);
    shape(p, polygon({{4.8, 5}, {11.2, 5}, {13.8, 14}, {2.2, 14}}), Red);
    box(p, 3, 13, 10, 1, Maroon);
    // Dial.
    disc(p, QRectF(4.5, 7.0, 7, 7), Black);
    disc(p, QRectF(5.5, 8.0, 5, 5), White);
    disc(p, QRectF(7.0, 9.5, 2, 2), Black);
    // Handset: a grip with an earpiece and a mouthpiece flaring down at its ends.
    shape(
        p,
        polygon(
            {{0, 1}, {3, 0}, {13, 0}, {16, 1}, {16, 6}, {11, 6}, {11, 3}, {5, 3}, {5, 6}, {0, 6}}),
        Black);
    shape(p,
          polygon({{1, 1.6},
                   {3.4, 1},
                   {12.6, 1},
                   {15, 1.6},
                   {15, 5},
                   {12, 5},
                   {12, 2},
                   {4, 2},
                   {4, 5},
                   {1, 5}}),
          Maroon);
    box(p, 4, 1, 8, 1, Red);
}

// A question mark, 2 pixels thick, with its top-left corner at (x, y): 6 wide, 10 high.
void questionMark(QPainter &p, int x, int y, const QColor &c)
{
    box(p, x + 1, y, 4, 1, c);
    box(p, x, y + 1, 6, 1, c);
    box(p, x, y + 2, 2, 1, c);
    box(p, x + 4, y + 2, 2, 2, c);
    box(p, x + 3, y + 4, 2, 1, c);
    box(p, x + 2, y + 5, 2, 2, c);
    box(p, x + 2, y + 8, 2, 2, c);
}

// Help: a white question mark on a blue disc.
void drawHelp(QPainter &p)
{
    disc(p, QRectF(2, 0, 16, 16), Navy);
    disc(p, QRectF(3, 1, 14, 14), Blue);
    questionMark(p, 7, 3, White);
}

// About: a blue "i" on a white disc.
void drawAbout(QPainter &p)
{
    disc(p, QRectF(2, 0, 16, 16), Navy);
    disc(p, QRectF(3, 1, 14, 14), White);
    box(p, 9, 3, 2, 2, Blue);
    box(p, 8, 6, 3, 1, Blue);
    box(p, 9, 7, 2, 5, Blue);
    box(p, 8, 12, 4, 1, Blue);
}

// Exit: an open door with an arrow leading out through it.
void drawExit(QPainter &p)
{
    framed(p, 1, 0, 10, 16, Black, DarkGrey); // the doorway, dark beyond
    shape(p, polygon({{2, 1}, {7, 3}, {7, 16}, {2, 15}}), Black); // the door, swung in
    shape(p, polygon({{2.8, 2}, {6.2, 3.6}, {6.2, 14.6}, {2.8, 14}}), Tan);
    box(p, 5, 8, 1, 2, Gold); // knob
    // The arrow.
    shape(p, polygon({{6, 7}, {11, 7}, {11, 4}, {16, 8.5}, {11, 13}, {11, 10}, {6, 10}}), Black);
    shape(p, polygon({{7, 8}, {12, 8}, {12, 6.4}, {14.5, 8.5}, {12, 10.6}, {12, 9}, {7, 9}}),
          Green);
}

// The disabled state beside the normal one: the left half again, in faded greys.
QImage withDisabledHalf(const QImage &image, int /*scale*/)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const int half = result.width() / 2;
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < half; ++x) {
            const QRgb c = result.pixel(x, y);
            const int alpha = qAlpha(c);
            const int level = 128 + qGray(c) / 2;
            result.setPixel(x + half, y, qRgba(level, level, level, alpha));
        }
    }
    return result;
}

// The move handle: a grip of two raised ridges and the bar's emblem.
void drawEmblem(QPainter &p, const QRectF &r, bool smooth);

void drawGrip(QPainter &p)
{
    for (int x : {2, 6}) {
        box(p, x, 2, 1, 13, White);
        box(p, x + 1, 2, 1, 13, Grey);
        box(p, x + 1, 2, 1, 1, Silver);
        box(p, x, 14, 1, 1, Silver);
    }
    drawEmblem(p, QRectF(10, 2, 13, 13), true);
}

// The Quixbar emblem: a bold white "Q" on a blue tile, the tail a gold bar (the tool bar) leaving
// the ring.
void drawEmblem(QPainter &p, const QRectF &r, bool smooth)
{
    const qreal u = r.width() / 16.0;
    QPainterPath tile;
    tile.addRoundedRect(r, 3 * u, 3 * u);
    if (smooth) {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(70, 140, 230));
        g.setColorAt(1, QColor(20, 60, 150));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(tile);
    } else {
        shape(p, tile, Navy);
        QPainterPath inner;
        inner.addRoundedRect(r.adjusted(u, u, -u, -u), 2 * u, 2 * u);
        shape(p, inner, Blue);
    }
    const QPointF c = r.topLeft() + QPointF(7.6 * u, 7.4 * u);
    QPainterPath ring;
    ring.setFillRule(Qt::OddEvenFill);
    ring.addEllipse(c, 5.6 * u, 5.6 * u);
    ring.addEllipse(c, 3.0 * u, 3.0 * u);
    shape(p, ring, White);
    QPainterPath tail = polygon(
        {r.topLeft() + QPointF(8.6 * u, 9.8 * u), r.topLeft() + QPointF(10.8 * u, 8.0 * u),
         r.topLeft() + QPointF(15.0 * u, 13.0 * u), r.topLeft() + QPointF(12.6 * u, 14.8 * u)});
    shape(p, tail, Gold);
}

// The program icon: the emblem, drawn crisp in the 16-colour palette.
void drawIcon(QPainter &p)
{
    drawEmblem(p, QRectF(0, 0, 32, 32), false);
}

// ---- The larger pictures --------------------------------------------------------------------

QFont font(int pixels, QFont::Weight weight, bool italic = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setWeight(weight);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// A glyph drawn larger, smooth, at (x, y) scaled by `scale`.
void drawGlyphAt(QPainter &p, const std::function<void(QPainter &)> &glyph, qreal x, qreal y,
                 qreal scale)
{
    p.save();
    p.translate(x, y);
    p.scale(scale, scale);
    glyph(p);
    p.restore();
}

// A raised white tile holding one of the product glyphs.
void productTile(QPainter &p, const QRectF &r, const std::function<void(QPainter &)> &glyph,
                 const QSizeF &glyphSize)
{
    QPainterPath shadow;
    shadow.addRoundedRect(r.translated(1.5, 2), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 30, 80, 70));
    p.drawPath(shadow);
    QPainterPath tile;
    tile.addRoundedRect(r, 6, 6);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(222, 230, 240));
    p.setBrush(g);
    p.setPen(QPen(QColor(150, 170, 200), 1));
    p.drawPath(tile);
    const qreal scale = 2;
    drawGlyphAt(p, glyph, r.center().x() - glyphSize.width() * scale / 2,
                r.center().y() - glyphSize.height() * scale / 2, scale);
}

// The splash picture: the emblem in a glow, with the suite's products lined up below it the way
// the bar carries them.
void drawSplashPicture(QPainter &p)
{
    const QRectF all(0, 0, 213, 180);
    // The splash's own white, so that the picture has no edge of its own; a warm glow behind the
    // emblem fades into it.
    p.fillRect(all, Qt::white);
    QRadialGradient glow(QPointF(106.5, 56), 74);
    glow.setColorAt(0, QColor(255, 240, 190));
    glow.setColorAt(0.6, QColor(228, 240, 253, 160));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(all, glow);
    drawEmblem(p, QRectF(66.5, 14, 80, 80), true);
    // The bar itself: a dark strip carrying the products.
    const QRectF bar(8, 110, 197, 56);
    QPainterPath strip;
    strip.addRoundedRect(bar, 9, 9);
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    g.setColorAt(0, QColor(60, 70, 90));
    g.setColorAt(1, QColor(25, 30, 42));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(strip);
    const std::vector<std::pair<std::function<void(QPainter &)>, QSizeF>> products {
        {drawDv, {20, 16}},
        {drawOcr, {20, 16}},
        {drawCabinet, {16, 16}},
        {drawPhone, {16, 16}},
    };
    const qreal tile = 42, gap = 6;
    qreal x = bar.left() + (bar.width() - 4 * tile - 3 * gap) / 2;
    for (const auto &[glyph, size] : products) {
        productTile(p, QRectF(x, bar.top() + 7, tile, tile), glyph, size);
        x += tile + gap;
    }
}

void drawWordmark(QPainter &p, const QRectF &r, int titlePixels, int bylinePixels)
{
    p.setFont(font(titlePixels, QFont::Bold));
    const QFontMetricsF metrics(p.font());
    const QString title = QStringLiteral("Quixbar");
    const qreal baseline = r.top() + metrics.ascent();
    const qreal x = r.left() + (r.width() - metrics.horizontalAdvance(title)) / 2;
    QPainterPath text;
    text.addText(QPointF(x, baseline), p.font(), title);
    QLinearGradient g(0, r.top(), 0, baseline);
    g.setColorAt(0, QColor(40, 104, 208));
    g.setColorAt(1, QColor(16, 40, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(text);
    // The gold underline echoes the emblem's tail.
    const qreal lineY = baseline + metrics.descent() * 0.35;
    p.fillRect(QRectF(x + 2, lineY, metrics.horizontalAdvance(title) - 4, titlePixels / 14.0),
               QColor(240, 192, 32));
    p.setFont(font(bylinePixels, QFont::Normal, true));
    p.setPen(QColor(70, 70, 80));
    p.drawText(QRectF(r.left(), lineY + 4, r.width(), bylinePixels * 1.5), Qt::AlignHCenter,
               QStringLiteral("by Halvane"));
}

// The splash title: the product's name and its maker, on the splash's white.
void drawSplashTitle(QPainter &p)
{
    p.fillRect(QRect(0, 0, 224, 90), Qt::white);
    drawWordmark(p, QRectF(0, 4, 224, 86), 50, 17);
}

// The About box's logo: the emblem and the name on a white card.
void drawLogo(QPainter &p)
{
    p.fillRect(QRect(0, 0, 140, 81), Qt::white);
    drawEmblem(p, QRectF(6, 17, 46, 46), true);
    p.setFont(font(18, QFont::Bold));
    p.setPen(QColor(16, 40, 110));
    p.drawText(QRectF(56, 21, 84, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quixbar"));
    p.fillRect(QRectF(57, 48, 78, 2), QColor(240, 192, 32));
    p.setFont(font(11, QFont::Normal, true));
    p.setPen(QColor(70, 70, 80));
    p.drawText(QRectF(57, 51, 84, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("by Halvane"));
}

// The vendor's logo in the Credits box.
void drawVendor(QPainter &p)
{
    p.fillRect(QRect(0, 0, 126, 51), Qt::white);
    // Three rising bars: the maker's mark.
    const QColor colours[] = {QColor(40, 104, 208), QColor(72, 184, 72), QColor(240, 192, 32)};
    for (int i = 0; i < 3; ++i) {
        QPainterPath bar;
        bar.addRoundedRect(QRectF(6 + i * 8, 30 - i * 7, 6, 14 + i * 7), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i]);
        p.drawPath(bar);
    }
    p.setFont(font(19, QFont::Bold));
    p.setPen(QColor(30, 40, 60));
    p.drawText(QRectF(33, 8, 92, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Halvane"));
    p.setFont(font(9, QFont::Normal));
    p.setPen(QColor(90, 90, 100));
    p.drawText(QRectF(35, 33, 92, 12), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("office software"));
}

// ---- Rendering and colour reduction ---------------------------------------------------------

QImage render(const Picture &picture, int scale)
{
    QImage image(picture.size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const bool crisp = scale == 1 && picture.depth == Depth::Colours16;
    p.setRenderHint(QPainter::Antialiasing, !crisp);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.scale(scale, scale);
    picture.draw(p);
    p.end();
    image = image.convertToFormat(QImage::Format_ARGB32);
    return picture.finish ? picture.finish(image, scale) : image;
}

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    const int da = qAlpha(a) - qAlpha(b);
    return dr * dr + dg * dg + db * db + 2 * da * da;
}

QImage toPalette(const QImage &image, const QList<QRgb> &palette)
{
    QImage result(image.size(), QImage::Format_Indexed8);
    result.setColorTable(palette);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QRgb c = image.pixel(x, y);
            if (qAlpha(c) < 128)
                c = qRgba(0, 0, 0, 0);
            int best = 0;
            for (int i = 1; i < palette.size(); ++i) {
                if (distance(c, palette[i]) < distance(c, palette[best]))
                    best = i;
            }
            result.setPixel(x, y, static_cast<uint>(best));
        }
    }
    return result;
}

// At most `limit` colours: the image's own when it has no more, else a median cut.
QList<QRgb> reducedPalette(const QImage &image, int limit)
{
    std::vector<QRgb> pixels;
    pixels.reserve(static_cast<size_t>(image.width() * image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            pixels.push_back(image.pixel(x, y));
    QSet<QRgb> distinct(pixels.begin(), pixels.end());
    if (distinct.size() <= limit)
        return QList<QRgb>(distinct.begin(), distinct.end());

    using Box = std::vector<QRgb>;
    auto channel = [](QRgb c, int ch) {
        return ch == 0 ? qRed(c) : ch == 1 ? qGreen(c) : ch == 2 ? qBlue(c) : qAlpha(c);
    };
    auto widest = [&](const Box &b, int &range) {
        int bestChannel = 0;
        range = -1;
        for (int ch = 0; ch < 4; ++ch) {
            const auto [lo, hi] = std::minmax_element(b.begin(), b.end(), [&](QRgb a, QRgb c) {
                return channel(a, ch) < channel(c, ch);
            });
            const int r = channel(*hi, ch) - channel(*lo, ch);
            if (r > range) {
                range = r;
                bestChannel = ch;
            }
        }
        return bestChannel;
    };
    std::vector<Box> boxes {std::move(pixels)};
    while (static_cast<int>(boxes.size()) < limit) {
        // Split the box with the widest spread, weighted by its pixel count.
        size_t pick = 0;
        long long pickScore = -1;
        int pickChannel = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            int range = 0;
            const int ch = widest(boxes[i], range);
            const long long score = static_cast<long long>(range) * (long long)boxes[i].size();
            if (boxes[i].size() > 1 && range > 0 && score > pickScore) {
                pickScore = score;
                pick = i;
                pickChannel = ch;
            }
        }
        if (pickScore < 0)
            break;
        Box &b = boxes[pick];
        std::sort(b.begin(), b.end(), [&](QRgb a, QRgb c) {
            return channel(a, pickChannel) < channel(c, pickChannel);
        });
        Box upper(b.begin() + static_cast<long>(b.size() / 2), b.end());
        b.resize(b.size() / 2);
        boxes.push_back(std::move(upper));
    }
    QList<QRgb> palette;
    for (const Box &b : boxes) {
        long long sum[4] = {0, 0, 0, 0};
        for (QRgb c : b)
            for (int ch = 0; ch < 4; ++ch)
                sum[ch] += channel(c, ch);
        const auto n = static_cast<long long>(b.size());
        palette.append(qRgba(int(sum[0] / n), int(sum[1] / n), int(sum[2] / n), int(sum[3] / n)));
    }
    return palette;
}

QImage store(const Picture &picture, const QImage &image, int scale)
{
    if (picture.depth == Depth::True24)
        return image.convertToFormat(QImage::Format_RGB888);
    if (scale > 1)
        return image;
    if (picture.depth == Depth::Colours16)
        return toPalette(image, suitePalette());
    return toPalette(image, reducedPalette(image, 256));
}

int colourCount(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: launcher-artwork OUTPUT-FOLDER [--preview SHEET.png]\n");
        return 2;
    }
    const QString out = args.at(1);
    const QString preview
        = args.size() >= 4 && args.at(2) == QLatin1String("--preview") ? args.at(3) : QString();

    const std::vector<Picture> pictures {
        {"dv", {20, 16}, Depth::Colours16, drawDv},
        {"config", {20, 16}, Depth::Colours16, drawConfig},
        {"ocr", {20, 16}, Depth::Colours16, drawOcr},
        {"cabinet", {16, 16}, Depth::Colours16, drawCabinet},
        {"phone", {16, 16}, Depth::Colours16, drawPhone},
        {"help", {20, 16}, Depth::Colours16, drawHelp},
        {"about", {20, 16}, Depth::Colours16, drawAbout},
        {"exit", {32, 16}, Depth::Colours16, drawExit, withDisabledHalf},
        {"qbar", {23, 17}, Depth::Colours256, drawGrip},
        {"splash-picture", {213, 180}, Depth::True24, drawSplashPicture},
        {"splash-title", {224, 90}, Depth::Colours256, drawSplashTitle},
        {"logo", {140, 81}, Depth::True24, drawLogo},
        {"vendor", {126, 51}, Depth::Colours256, drawVendor},
        {"icon", {32, 32}, Depth::Colours16, drawIcon},
    };

    QTextStream report(stdout);
    std::vector<QImage> sheet;
    for (const Picture &picture : pictures) {
        for (int scale : {1, 2}) {
            const QImage image = store(picture, render(picture, scale), scale);
            const QString name = picture.name + (scale == 1 ? QString() : QStringLiteral("@2x"))
                + QStringLiteral(".png");
            if (!image.save(out + QLatin1Char('/') + name)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
                return 1;
            }
            report << name << ' ' << image.width() << 'x' << image.height() << ' '
                   << colourCount(image) << " colours\n";
            if (!preview.isEmpty())
                sheet.push_back(image.convertToFormat(QImage::Format_ARGB32));
        }
    }

    if (!preview.isEmpty()) {
        // Each picture at 1x and 2x side by side at the same size, the small ones magnified
        // without smoothing, on a button-face grey.
        auto zoomOf = [](const QImage &image) { return image.width() < 64 ? 6 : 1; };
        int width = 0, height = 8;
        for (size_t i = 0; i < sheet.size(); i += 2) {
            const int zoom = zoomOf(sheet[i]);
            width = std::max(width, sheet[i].width() * zoom * 2 + 24);
            height += sheet[i].height() * zoom + 8;
        }
        QImage page(width, height, QImage::Format_ARGB32);
        page.fill(QColor(212, 208, 200));
        QPainter p(&page);
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        int y = 8;
        for (size_t i = 0; i < sheet.size(); i += 2) {
            const int zoom = zoomOf(sheet[i]);
            const QSize shown = sheet[i].size() * zoom;
            p.drawImage(QRect(QPoint(8, y), shown), sheet[i]);
            p.drawImage(QRect(QPoint(16 + shown.width(), y), shown), sheet[i + 1]);
            y += shown.height() + 8;
        }
        p.end();
        page.save(preview);
    }
    return 0;
}
