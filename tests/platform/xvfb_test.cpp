// The Xvfb harness on a program of our own: where its windows are, clicks and keys reaching it,
// its exit seen, and nothing of it left running.
#include "support/paths.h"
#include "support/xvfb.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <csignal>

using namespace testsupport;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class XvfbProbeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(x.isRunning()) << x.errorString().toStdString();
        ASSERT_TRUE(records.isValid());
        ASSERT_TRUE(probe.start(buildBinDir() + QStringLiteral("/xvfb_probe"),
                                {QStringLiteral("120"), QStringLiteral("80"), records.path()}))
            << probe.output().toStdString();
        ASSERT_TRUE(probe.waitForWindow(QStringLiteral("Probe"))) << probe.output().toStdString();
    }

    QString record(const char *name) const { return records.filePath(QLatin1String(name)); }

    Xvfb x {QSize(800, 600)};
    QTemporaryDir records;
    XProgram probe {x};
};

} // namespace

// The server runs with the screen size asked for.
TEST(XvfbTest, ScreenHasTheGivenSize)
{
    Xvfb x(QSize(640, 480));
    ASSERT_TRUE(x.isRunning()) << x.errorString().toStdString();
    EXPECT_TRUE(x.display().startsWith(QLatin1Char(':')));
    const auto root = x.runTool(QStringLiteral("xwininfo"), {QStringLiteral("-root")});
    ASSERT_TRUE(root);
    EXPECT_TRUE(root->contains("Width: 640")) << root->constData();
    EXPECT_TRUE(root->contains("Height: 480")) << root->constData();
}

// Two servers at once get displays of their own.
TEST(XvfbTest, ServersDoNotShareADisplay)
{
    Xvfb first;
    Xvfb second;
    ASSERT_TRUE(first.isRunning());
    ASSERT_TRUE(second.isRunning());
    EXPECT_NE(first.display(), second.display());
}

// Each window is found by name (not only ASCII) among the program's windows, with its absolute
// place, size, map state, whether it bypasses the window manager and whether it stays on top.
TEST_F(XvfbProbeTest, WindowsAreWhereTheProgramPutThem)
{
    const struct
    {
        const char *name;
        QRect geometry;
        bool overrideRedirect;
        bool onTop;
    } cases[] = {
        {"Probe", QRect(120, 80, 200, 100), false, true},
        {"Probe Zweite \u00dcbersicht", QRect(400, 300, 160, 80), false, false},
        {"Probe Ghost", QRect(600, 50, 50, 20), true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto window = probe.waitForWindow(QString::fromUtf8(c.name));
        ASSERT_TRUE(window);
        EXPECT_EQ(window->geometry, c.geometry);
        EXPECT_TRUE(window->isViewable());
        EXPECT_EQ(window->overrideRedirect, c.overrideRedirect);
        EXPECT_EQ(x.staysOnTop(window->id), c.onTop);
        const auto again = x.windowInfo(window->id);
        ASSERT_TRUE(again);
        EXPECT_EQ(again->name, QString::fromUtf8(c.name));
    }
    EXPECT_EQ(probe.visibleWindows().size(), 3);
}

// A click on the button reaches it: the file it writes holds one line per click.
TEST_F(XvfbProbeTest, ClicksReachTheButton)
{
    const QPoint button(120 + 10 + 50, 80 + 10 + 15);
    ASSERT_TRUE(x.click(button));
    ASSERT_TRUE(pollUntil([&] { return readAll(record("clicks.txt")) == "clicked\n"; }, 10s))
        << readAll(record("clicks.txt")).constData();
    ASSERT_TRUE(x.mouseDown());
    ASSERT_TRUE(x.mouseUp());
    ASSERT_TRUE(
        pollUntil([&] { return readAll(record("clicks.txt")) == "clicked\nclicked\n"; }, 10s));
    // A click beside the button writes nothing.
    ASSERT_TRUE(x.click(QPoint(120 + 150, 80 + 80)));
    ASSERT_TRUE(x.click(button));
    ASSERT_TRUE(pollUntil(
        [&] { return readAll(record("clicks.txt")) == "clicked\nclicked\nclicked\n"; }, 10s))
        << readAll(record("clicks.txt")).constData();
    const auto where = x.pointer();
    ASSERT_TRUE(where);
    EXPECT_EQ(*where, button);
}

// Typed text and keys go to the window that was given the focus.
TEST_F(XvfbProbeTest, KeysReachTheActivatedWindow)
{
    const auto second = probe.waitForWindow(QStringLiteral("Probe Zweite \u00dcbersicht"));
    ASSERT_TRUE(second);
    ASSERT_TRUE(x.activate(second->id));
    EXPECT_EQ(x.focusedWindow(), second->id);
    ASSERT_TRUE(x.type(QStringLiteral("Ab 1")));
    ASSERT_TRUE(x.key(QStringLiteral("Return")));
    ASSERT_TRUE(pollUntil([&] { return readAll(record("typed.txt")) == "Ab 1\n"; }, 10s))
        << readAll(record("typed.txt")).constData();
}

// The program's own exit is seen with its exit code, and its windows are gone.
TEST_F(XvfbProbeTest, ExitIsSeenWithItsCode)
{
    const auto main = probe.waitForWindow(QStringLiteral("Probe"));
    ASSERT_TRUE(main);
    ASSERT_TRUE(x.activate(main->id));
    ASSERT_TRUE(x.key(QStringLiteral("ctrl+q")));
    ASSERT_TRUE(probe.waitForExit(10s));
    EXPECT_TRUE(probe.exitedNormally());
    EXPECT_EQ(probe.exitCode(), 3);
    EXPECT_FALSE(probe.isRunning());
    EXPECT_TRUE(x.windowsOfPid(probe.pid()).isEmpty());
    EXPECT_FALSE(probe.waitForWindow(QStringLiteral("Probe"), 1s));
}

// A program still running when its test ends is killed, not left behind.
TEST(XProgramTest, KilledWhenTheTestEnds)
{
    Xvfb x;
    ASSERT_TRUE(x.isRunning());
    QTemporaryDir records;
    qint64 pid = 0;
    {
        XProgram probe(x);
        ASSERT_TRUE(probe.start(buildBinDir() + QStringLiteral("/xvfb_probe"),
                                {QStringLiteral("0"), QStringLiteral("0"), records.path()}));
        ASSERT_TRUE(probe.waitForWindow(QStringLiteral("Probe")));
        pid = probe.pid();
        ASSERT_EQ(::kill(pid_t(pid), 0), 0);
    }
    EXPECT_NE(::kill(pid_t(pid), 0), 0);
    EXPECT_TRUE(x.windowsOfPid(pid).isEmpty());
}

// A program that cannot be started says so instead of being waited for.
TEST(XProgramTest, MissingProgramDoesNotStart)
{
    Xvfb x;
    XProgram missing(x);
    EXPECT_FALSE(missing.start(buildBinDir() + QStringLiteral("/no-such-program")));
    EXPECT_TRUE(missing.output().contains(QLatin1String("no-such-program")));
    EXPECT_FALSE(missing.isRunning());
}

// What is on the screen can be looked at: the probe's window is where it says it is, in its
// own colour, on the server's black root window, with its button drawn on it.
TEST_F(XvfbProbeTest, ScreenShowsTheWindows)
{
    std::optional<QImage> screen;
    const QPoint inPlainArea(120 + 190, 80 + 90);
    // Drawn some time after it is mapped.
    ASSERT_TRUE(pollUntil(
        [&] {
            screen = x.grabScreen();
            return screen && screen->size() == QSize(800, 600)
                && screen->pixel(inPlainArea) != qRgb(0, 0, 0);
        },
        10s));
    const QRgb inside = screen->pixel(inPlainArea);
    EXPECT_EQ(screen->pixel(120 + 190, 80 + 95), inside);
    EXPECT_EQ(screen->pixel(119, 80), qRgb(0, 0, 0));
    EXPECT_EQ(screen->pixel(120, 79), qRgb(0, 0, 0));
    EXPECT_EQ(screen->pixel(120 + 200, 80 + 50), qRgb(0, 0, 0));
    const QImage button = screen->copy(120 + 10, 80 + 10, 100, 30);
    bool differs = false;
    for (int row = 0; row < button.height() && !differs; ++row)
        for (int column = 0; column < button.width() && !differs; ++column)
            differs = button.pixel(column, row) != inside;
    EXPECT_TRUE(differs) << "no button drawn";
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("screen.png"));
    ASSERT_TRUE(x.screenshot(png));
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), *screen);
}
