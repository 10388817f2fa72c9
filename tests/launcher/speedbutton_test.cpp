// The speed button: which image it draws, the mouse events it reports, and pictures loaded at
// a fixed logical size.
#include "platform/speedbutton.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Two 16x16 images side by side: red then blue.
QPixmap TwoImages()
{
    QImage Image(32, 16, QImage::Format_RGB32);
    Image.fill(Qt::red);
    for (int Y = 0; Y < 16; ++Y)
        for (int X = 16; X < 32; ++X)
            Image.setPixelColor(X, Y, Qt::blue);
    return QPixmap::fromImage(Image);
}

void Send(QWidget *To, QEvent::Type Type, QPoint At, Qt::MouseButton Button, Qt::MouseButtons Held,
          Qt::KeyboardModifiers Modifiers = Qt::NoModifier)
{
    QMouseEvent Event(Type, QPointF(At), QPointF(To->mapToGlobal(At)), Button, Held, Modifiers);
    QApplication::sendEvent(To, &Event);
}

} // namespace

// With two images the first shows while enabled and the second while disabled; with one the
// disabled look is derived from it.
TEST(SpeedButton, ImageForState)
{
    platform::SpeedButton Button;
    Button.setGlyph(TwoImages());
    Button.setNumGlyphs(2);
    EXPECT_EQ(Button.currentImage().size(), QSize(16, 16));
    EXPECT_EQ(Button.currentImage().toImage().pixelColor(3, 3), QColor(Qt::red));
    Button.setEnabled(false);
    EXPECT_EQ(Button.currentImage().size(), QSize(16, 16));
    EXPECT_EQ(Button.currentImage().toImage().pixelColor(3, 3), QColor(Qt::blue));

    Button.setNumGlyphs(1);
    EXPECT_EQ(Button.currentImage().size(), QSize(32, 16));
    EXPECT_NE(Button.currentImage().toImage().pixelColor(3, 3), QColor(Qt::red));
    Button.setEnabled(true);
    EXPECT_EQ(Button.currentImage().toImage().pixelColor(3, 3), QColor(Qt::red));
}

// Every mouse button is reported with its modifiers and the position relative to the button,
// moves and the release too when they happen outside it; only a left press and release inside
// is a click.
TEST(SpeedButton, ReportsMouseEvents)
{
    platform::SpeedButton Button;
    Button.setGeometry(0, 0, 29, 21);
    QSignalSpy Downs(&Button, &platform::SpeedButton::mouseDown);
    QSignalSpy Moves(&Button, &platform::SpeedButton::mouseMove);
    QSignalSpy Ups(&Button, &platform::SpeedButton::mouseUp);
    QSignalSpy Clicks(&Button, &QAbstractButton::clicked);

    Send(&Button, QEvent::MouseButtonPress, {3, 4}, Qt::RightButton, Qt::RightButton,
         Qt::ShiftModifier);
    Send(&Button, QEvent::MouseMove, {-40, 300}, Qt::NoButton, Qt::RightButton);
    Send(&Button, QEvent::MouseButtonRelease, {-40, 300}, Qt::RightButton, Qt::NoButton);
    ASSERT_EQ(Downs.size(), 1);
    EXPECT_EQ(Downs[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(Downs[0][1].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(Downs[0][2].toInt(), 3);
    EXPECT_EQ(Downs[0][3].toInt(), 4);
    ASSERT_EQ(Moves.size(), 1);
    EXPECT_EQ(Moves[0][1].toInt(), -40);
    EXPECT_EQ(Moves[0][2].toInt(), 300);
    ASSERT_EQ(Ups.size(), 1);
    EXPECT_EQ(Ups[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(Clicks.size(), 0);

    Send(&Button, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    Send(&Button, QEvent::MouseButtonRelease, {100, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Clicks.size(), 0); // released outside
    Send(&Button, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    Send(&Button, QEvent::MouseButtonRelease, {6, 6}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Clicks.size(), 1);
    EXPECT_EQ(Downs.size(), 3);
    EXPECT_EQ(Ups.size(), 3);
}

// A picture always has the logical size asked for, whatever size the file has; a missing file
// gives nothing.
TEST(SpeedButton, PicturesHaveTheirLogicalSize)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    QImage Right(20, 16, QImage::Format_ARGB32);
    Right.fill(Qt::green);
    ASSERT_TRUE(Right.save(Dir.filePath("right.png")));
    QImage Wrong(7, 9, QImage::Format_ARGB32);
    Wrong.fill(Qt::green);
    ASSERT_TRUE(Wrong.save(Dir.filePath("wrong.png")));
    const struct
    {
        const char *File;
        QSize Logical;
    } Cases[] = {{"right.png", {20, 16}}, {"wrong.png", {20, 16}}, {"right.png", {32, 16}}};
    for (const auto &C : Cases) {
        const QPixmap Picture = platform::loadPicture(Dir.filePath(C.File), C.Logical);
        EXPECT_EQ(Picture.deviceIndependentSize().toSize(), C.Logical) << C.File;
    }
    EXPECT_TRUE(platform::loadPicture(Dir.filePath("missing.png"), {20, 16}).isNull());
}

// On a high-resolution screen the "@2x" file is drawn, at twice the pixels for the same logical
// size; elsewhere, or without such a file, the plain one.
TEST(SpeedButton, SharpPictureOnHighResolutionScreens)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    QImage Plain(20, 16, QImage::Format_ARGB32);
    Plain.fill(Qt::green);
    ASSERT_TRUE(Plain.save(Dir.filePath("glyph.png")));
    ASSERT_TRUE(Plain.save(Dir.filePath("lone.png")));
    QImage Sharp(40, 32, QImage::Format_ARGB32);
    Sharp.fill(Qt::blue);
    ASSERT_TRUE(Sharp.save(Dir.filePath("glyph@2x.png")));
    const struct
    {
        const char *File;
        qreal Screen;
        QColor Drawn;
        qreal Ratio;
    } Cases[] = {
        {"glyph.png", 1.0, Qt::green, 1.0},
        {"glyph.png", 2.0, Qt::blue, 2.0},
        {"glyph.png", 1.5, Qt::blue, 2.0},
        {"lone.png", 2.0, Qt::green, 1.0},
    };
    for (const auto &C : Cases) {
        SCOPED_TRACE(std::string(C.File) + " at " + std::to_string(C.Screen));
        const QPixmap Picture = platform::loadPicture(Dir.filePath(C.File), {20, 16}, C.Screen);
        EXPECT_EQ(Picture.deviceIndependentSize().toSize(), QSize(20, 16));
        EXPECT_EQ(Picture.devicePixelRatio(), C.Ratio);
        EXPECT_EQ(Picture.toImage().pixelColor(1, 1), C.Drawn);
    }
}
