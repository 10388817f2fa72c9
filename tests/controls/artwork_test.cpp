// The configuration tool's pictures and the vendor logo: the sizes and colour depths the dialogs
// are laid out for, the @2x twins, and the content of the three swatches.
#include "platform/resources.h"
#include "support/paths.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

struct Picture
{
    const char *path; // in the source tree
    int width;
    int height;
    int maxColours;
};

const Picture Pictures[] = {
    {"config/artwork/about-logo", 166, 96, 256}, {"config/artwork/welcome-logo", 92, 37, 256},
    {"config/artwork/icon", 32, 32, 16},         {"config/artwork/bw", 32, 16, 16},
    {"config/artwork/grey", 32, 16, 16},         {"config/artwork/colour", 32, 16, 16},
    {"platform/resources/vendor", 126, 51, 256},
};

QImage load(const QString &path)
{
    QImage image(path);
    EXPECT_FALSE(image.isNull()) << path.toStdString();
    return image;
}

// Every picture and its @2x twin have their size and at most their number of colours.
TEST(Artwork, SizesAndColourDepths)
{
    for (const Picture &picture : Pictures) {
        for (int scale : {1, 2}) {
            const QString path
                = testsupport::sourceDir() + "/" + picture.path + (scale == 1 ? ".png" : "@2x.png");
            SCOPED_TRACE(path.toStdString());
            const QImage image = load(path);
            EXPECT_EQ(image.size(), QSize(picture.width * scale, picture.height * scale));
            EXPECT_EQ(image.format(), QImage::Format_Indexed8);
            EXPECT_LE(image.colorCount(), picture.maxColours);
            EXPECT_GT(image.colorCount(), 1);
        }
    }
}

// The black-and-white swatch is black on its left half and white on its right half.
TEST(Artwork, BlackAndWhiteHalves)
{
    const QImage image = load(testsupport::sourceDir() + "/config/artwork/bw.png");
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(image.pixel(x, y), x < 16 ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
                << x << "," << y;
}

// The colour swatch shows the 16 VGA colours as vertical bars, in palette order.
TEST(Artwork, ColourBarsAreTheVgaColours)
{
    const QRgb vga[16]
        = {0x000000, 0x0000aa, 0x00aa00, 0x00aaaa, 0xaa0000, 0xaa00aa, 0xaa5500, 0xaaaaaa,
           0x555555, 0x5555ff, 0x55ff55, 0x55ffff, 0xff5555, 0xff55ff, 0xffff55, 0xffffff};
    const QImage image = load(testsupport::sourceDir() + "/config/artwork/colour.png");
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(image.pixel(x, y) & 0xffffff, vga[x * 16 / 32]) << x << "," << y;
}

// The grey swatch holds only greys, and both solid bands and dithered bands.
TEST(Artwork, GreyBandsAndDither)
{
    const QImage image = load(testsupport::sourceDir() + "/config/artwork/grey.png");
    int solidColumns = 0;
    int ditheredColumns = 0;
    for (int x = 0; x < 32; ++x) {
        QList<QRgb> column;
        for (int y = 0; y < 16; ++y) {
            const QRgb c = image.pixel(x, y);
            ASSERT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << x << "," << y;
            if (!column.contains(c))
                column.append(c);
        }
        (column.size() == 1 ? solidColumns : ditheredColumns) += 1;
    }
    EXPECT_GE(solidColumns, 8);
    EXPECT_GE(ditheredColumns, 8);
    // From black on the left to white on the right.
    EXPECT_EQ(image.pixel(0, 0) & 0xffffff, 0x000000u);
    EXPECT_EQ(image.pixel(31, 0) & 0xffffff, 0xffffffu);
}

// The vendor logo is reachable from the platform's resources once they are registered.
TEST(Artwork, VendorLogoInPlatformResources)
{
    platform::initResources();
    const QImage image = load(":/platform/vendor.png");
    EXPECT_EQ(image.size(), QSize(126, 51));
}

} // namespace
