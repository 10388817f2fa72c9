// The real Qx32 in a temporary installation on a private X server, driven with the mouse and the
// keyboard the way a user does, with the settings files it writes read back byte for byte.
#include "support/files.h"
#include "support/paths.h"
#include "support/printers.h"
#include "support/xvfb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using testsupport::XWindow;

const QSize Screen(1024, 768);
// Window names as X has them: each window's own caption exactly, with nothing of the program's
// title appended; the bar, which has no caption of its own, is named by the program's title.
const QString SplashName = QStringLiteral("Halvane Quixbar");
const QString ErrorTitle = QStringLiteral("Quixbar 2.0.1.1");

bool isSplash(const testsupport::XWindow &w)
{
    return w.name == SplashName;
}

// Where a button of the bar sits, relative to the bar, with every product installed.
QPoint rowButton(int index)
{
    return QPoint(1 + 29 * index + 14, 11);
}
QPoint columnButton(int index)
{
    return QPoint(15, 1 + 21 * index + 10);
}
enum ButtonIndex { Handle, Dv, Config, Ocr, Cabinet, Phone, Help, About, Exit };

class LauncherE2E : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_x.isRunning()) << m_x.errorString().toStdString();
        ASSERT_TRUE(m_root.isValid());
        // The launcher's folder as an installation has it, copied from the build.
        m_program = m_root.filePath("Halvane/Qx");
        ASSERT_TRUE(QDir().mkpath(m_program));
        for (const QString &name : testsupport::folderEntries(testsupport::launcherDir())) {
            ASSERT_TRUE(
                QFile::copy(testsupport::launcherDir() + '/' + name, m_program + '/' + name))
                << name.toStdString();
        }
        m_windir = m_root.filePath("Windows");
        m_products = m_root.filePath("Products");
        ASSERT_TRUE(QDir().mkpath(m_windir));
        ASSERT_TRUE(QDir().mkpath(m_products));
        m_log = m_root.filePath("probe.log");
        ASSERT_TRUE(testsupport::writeFileBytes(m_windir + "/Halvane.Ini",
                                                "[Quixbar]\nUser Name=Robin\nVersion No=2.0.1.1\n"
                                                "[Organisation]\nCompany Name=Halvane Test\n"));
    }

    QString winIni() const { return m_windir + "/Win.Ini"; }

    // Win.Ini with the launcher's section as given and every product installed under Products.
    QByteArray winIniBytes(const QByteArray &quixbar) const
    {
        const QByteArray products = QFile::encodeName(m_products);
        return quixbar + "\n[Dovrane]\nAvailable Functions=1\nInstall Path=" + products
            + "/Dv\n\n[Quillex]\nAvailable Functions=0\nInstall Path=" + products
            + "/Quillex\n\n[Kavarn]\nAvailable Functions=-1\nInstall Path=" + products
            + "/Kavarn\n\n[Tazlo]\nAvailable Functions=7\nInstall Path=" + products + "/Tazlo\n";
    }

    void startBar()
    {
        ASSERT_TRUE(m_qx.start(m_program + "/Qx32", {}, m_root.path(),
                               {{"HALVANE_WINDIR", m_windir}, {"HALVANE_PROBE_LOG", m_log}}))
            << m_qx.output().toStdString();
    }

    // The bar: the program's window of the given size that is not the splash.
    std::optional<XWindow> waitForBar(QSize size, std::optional<QPoint> at = std::nullopt)
    {
        return m_qx.waitForWindow([&](const XWindow &w) {
            return !isSplash(w) && w.geometry.size() == size
                && (!at || w.geometry.topLeft() == *at);
        });
    }

    // Waits until the window is off the screen (unmapped or destroyed).
    bool waitUntilGone(quint64 window, std::chrono::milliseconds timeout = 15s) const
    {
        return testsupport::pollUntil(
            [&] {
                const auto info = m_x.windowInfo(window);
                return !info || !info->isViewable();
            },
            timeout);
    }

    bool click(const XWindow &window, QPoint at) const
    {
        return m_x.click(window.geometry.topLeft() + at);
    }

    QString failureContext() const
    {
        const QString shot = m_root.filePath("screen.png");
        m_x.screenshot(shot);
        return "\nprogram output:\n" + m_qx.output() + "\nscreen: " + shot;
    }

    testsupport::Xvfb m_x {Screen};
    testsupport::TempFolder m_root;
    testsupport::XProgram m_qx {m_x};
    QString m_program, m_windir, m_products, m_log;
};

struct PlacementCase
{
    const char *name;
    QByteArray winIni; // whole file
    QPoint at;
    QSize size;
};

// The bar comes up where Win.Ini says, in its stored orientation, sized by the installed
// products, staying on top; the splash is centred below it.
TEST_F(LauncherE2E, BarAppearsWhereWinIniSays)
{
    const PlacementCase cases[] = {
        {"row, everything installed",
         winIniBytes("[Quixbar]\nLanguage=eng\nAxis=H\nRow=100\nCol=50\n"),
         {50, 100},
         {262, 22}},
        {"column, everything installed",
         winIniBytes("[Quixbar]\nAxis=V\nRow=200\nCol=300\n"),
         {300, 200},
         {30, 190}},
        {"no launcher section, nothing installed", "[Other]\nx=1\n", {25, 0}, {117, 22}},
    };
    for (const PlacementCase &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(testsupport::writeFileBytes(winIni(), c.winIni));
        testsupport::XProgram qx(m_x);
        ASSERT_TRUE(
            qx.start(m_program + "/Qx32", {}, m_root.path(), {{"HALVANE_WINDIR", m_windir}}));
        const auto bar = qx.waitForWindow(
            [&](const XWindow &w) { return !isSplash(w) && w.geometry == QRect(c.at, c.size); });
        ASSERT_TRUE(bar) << qx.output().toStdString();
        const auto splash = qx.waitForWindow(isSplash);
        ASSERT_TRUE(splash);
        EXPECT_EQ(splash->geometry.size(), QSize(249, 298));
        const QPoint centred((Screen.width() - 249) / 2, (Screen.height() - 298) / 2);
        EXPECT_LE((splash->geometry.topLeft() - centred).manhattanLength(), 2)
            << splash->geometry.x() << "," << splash->geometry.y();

        // The bar stays on top of other windows, the splash does not; the bar is above it.
        EXPECT_TRUE(m_x.staysOnTop(bar->id));
        EXPECT_FALSE(m_x.staysOnTop(splash->id));
        const QList<XWindow> stack = m_x.windowsOfPid(qx.pid());
        qsizetype barIndex = -1, splashIndex = -1;
        for (qsizetype i = 0; i < stack.size(); ++i) {
            if (stack[i].id == bar->id)
                barIndex = i;
            if (stack[i].id == splash->id)
                splashIndex = i;
        }
        EXPECT_GT(barIndex, splashIndex);
        EXPECT_GE(splashIndex, 0);
    }
}

// Six seconds after start-up the splash goes, and the bar stays.
TEST_F(LauncherE2E, SplashGoesAndBarStays)
{
    ASSERT_TRUE(testsupport::writeFileBytes(winIni(), winIniBytes("[Quixbar]\nRow=10\nCol=10\n")));
    startBar();
    const auto splash = m_qx.waitForWindow(isSplash);
    ASSERT_TRUE(splash) << failureContext().toStdString();
    ASSERT_TRUE(waitUntilGone(splash->id, 20s)) << failureContext().toStdString();
    const auto bar = waitForBar({262, 22}, QPoint(10, 10));
    ASSERT_TRUE(bar) << failureContext().toStdString();
    EXPECT_EQ(m_qx.visibleWindows().size(), 1);
}

struct DockCase
{
    const char *name;
    QByteArray quixbar; // the launcher's section before
    QRect bar; // where the bar starts
    QPoint grip; // where the handle is gripped, relative to the bar
    QPoint drop; // where the pointer lets go, on the screen
    QPoint ghost; // where the ghost is then
    QRect docked; // where the bar ends
    QByteArray stored; // the launcher's section after Exit
};

// Dragging the move handle past the left edge docks the bar there as a column, past the top
// edge as a row; a ghost of the bar's shape follows the mouse meanwhile while the bar stays.
// Exit then stores exactly that place and orientation, and the program ends.
TEST_F(LauncherE2E, DragPastAnEdgeDocksAndExitStoresIt)
{
    // The pointer cannot leave the screen: gripping the handle near its far corner lets the bar
    // pass the edge while the pointer stays on it.
    const DockCase cases[] = {
        {"row past the left edge", "[Quixbar]\nLanguage=eng\nAxis=H\nRow=300\nCol=200\n",
         QRect(200, 300, 262, 22), QPoint(25, 10), QPoint(20, 350), QPoint(-5, 340),
         QRect(0, 340, 30, 190), "[Quixbar]\nLanguage=eng\nAxis=V\nRow=340\nCol=0\n"},
        {"column past the top edge", "[Quixbar]\nLanguage=eng\nAxis=V\nRow=200\nCol=300\n",
         QRect(300, 200, 30, 190), QPoint(10, 19), QPoint(500, 2), QPoint(490, -17),
         QRect(490, 0, 262, 22), "[Quixbar]\nLanguage=eng\nAxis=H\nRow=0\nCol=490\n"},
    };
    for (const DockCase &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(testsupport::writeFileBytes(winIni(), winIniBytes(c.quixbar)));
        testsupport::XProgram qx(m_x);
        ASSERT_TRUE(
            qx.start(m_program + "/Qx32", {}, m_root.path(), {{"HALVANE_WINDIR", m_windir}}));
        const auto bar = qx.waitForWindow(
            [&](const XWindow &w) { return !isSplash(w) && w.geometry == c.bar; });
        ASSERT_TRUE(bar) << qx.output().toStdString();

        const QPoint grip = bar->geometry.topLeft() + c.grip;
        ASSERT_TRUE(m_x.mouseMove(grip));
        ASSERT_TRUE(m_x.mouseDown());
        for (int step = 1; step <= 8; ++step)
            ASSERT_TRUE(m_x.mouseMove(grip + (c.drop - grip) * step / 8));
        const auto ghost = qx.waitForWindow([&](const XWindow &w) {
            return w.id != bar->id && w.geometry == QRect(c.ghost, c.bar.size());
        });
        EXPECT_TRUE(ghost) << failureContext().toStdString();
        EXPECT_EQ(m_x.windowInfo(bar->id)->geometry, bar->geometry);
        ASSERT_TRUE(m_x.mouseUp());

        const auto docked = qx.waitForWindow(
            [&](const XWindow &w) { return w.id == bar->id && w.geometry == c.docked; });
        ASSERT_TRUE(docked) << failureContext().toStdString();
        if (ghost) {
            EXPECT_TRUE(waitUntilGone(ghost->id));
        }

        const QPoint exit
            = c.docked.width() > c.docked.height() ? rowButton(Exit) : columnButton(Exit);
        ASSERT_TRUE(click(*docked, exit));
        ASSERT_TRUE(qx.waitForExit()) << failureContext().toStdString();
        EXPECT_TRUE(qx.exitedNormally());
        EXPECT_EQ(qx.exitCode(), 0) << qx.output().toStdString();
        EXPECT_EQ(testsupport::readFileBytes(winIni()), winIniBytes(c.stored));
    }
}

// A Win.Ini that cannot be written makes Exit report "Unable to write to Win.Ini." in a box
// titled with the program's title; the bar goes on running, and a later Exit succeeds.
TEST_F(LauncherE2E, ExitReportsAWinIniThatCannotBeWritten)
{
    const QByteArray before = winIniBytes("[Quixbar]\nAxis=H\nRow=50\nCol=60\n");
    ASSERT_TRUE(testsupport::writeFileBytes(winIni(), before));
    startBar();
    const auto bar = waitForBar({262, 22}, QPoint(60, 50));
    ASSERT_TRUE(bar) << failureContext().toStdString();
    {
        testsupport::ReadOnlyGuard readOnly(winIni());
        ASSERT_TRUE(readOnly.ok()) << readOnly.description().toStdString();

        ASSERT_TRUE(click(*bar, rowButton(Exit)));
        const auto box = m_qx.waitForWindow(
            [&](const XWindow &w) { return w.id != bar->id && w.name == ErrorTitle; });
        ASSERT_TRUE(box) << failureContext().toStdString();
        EXPECT_TRUE(m_qx.isRunning());
        EXPECT_EQ(testsupport::readFileBytes(winIni()), before);

        ASSERT_TRUE(m_x.activate(box->id));
        ASSERT_TRUE(m_x.key("Return"));
        ASSERT_TRUE(waitUntilGone(box->id)) << failureContext().toStdString();
        EXPECT_TRUE(m_qx.isRunning());
        EXPECT_TRUE(waitForBar({262, 22}, QPoint(60, 50)));
    }
    ASSERT_TRUE(click(*bar, rowButton(Exit)));
    ASSERT_TRUE(m_qx.waitForExit()) << failureContext().toStdString();
    EXPECT_EQ(testsupport::readFileBytes(winIni()),
              winIniBytes("[Quixbar]\nAxis=H\nRow=50\nCol=60\n"));
}

// Each product button starts its program in the product's install folder (found regardless of
// case, from a Windows-style path, as the native program for a ".Exe" name), once per click.
TEST_F(LauncherE2E, ProductButtonsStartTheirPrograms)
{
    // The install paths as a Windows installer would have written them for the copier.
    QString copierPath = m_products + "/DV";
    copierPath.replace('/', '\\');
    QByteArray bytes = winIniBytes("[Quixbar]\nRow=100\nCol=100\n");
    bytes.replace(QFile::encodeName(m_products + "/Dv\n"), QFile::encodeName(copierPath + "\n"));
    ASSERT_TRUE(testsupport::writeFileBytes(winIni(), bytes));

    const struct
    {
        ButtonIndex button;
        const char *installed; // below Products
    } cases[] = {
        {Dv, "Dv/Dv32"},       {Config, "Dv/DvConf32.Exe"},
        {Ocr, "Quillex/Qx32"}, {Cabinet, "Kavarn/KV32.EXE"},
        {Phone, "Tazlo/tz32"}, {Phone, "Tazlo/tz32"},
    };
    for (const auto &c : cases) {
        const QString target = m_products + '/' + c.installed;
        if (QFileInfo::exists(target))
            continue;
        ASSERT_TRUE(QDir().mkpath(QFileInfo(target).absolutePath()));
        ASSERT_TRUE(QFile::copy(testsupport::buildBinDir() + "/shell_probe", target));
    }
    startBar();
    const auto bar = waitForBar({262, 22}, QPoint(100, 100));
    ASSERT_TRUE(bar) << failureContext().toStdString();

    qsizetype expected = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.installed);
        ASSERT_TRUE(click(*bar, rowButton(c.button)));
        ++expected;
        QList<QByteArray> lines;
        testsupport::pollUntil(
            [&] {
                lines = testsupport::pathExists(m_log)
                    ? testsupport::readFileBytes(m_log).split('\n')
                    : QList<QByteArray>();
                lines.removeAll(QByteArray());
                return lines.size() >= expected;
            },
            15s);
        ASSERT_EQ(lines.size(), expected) << failureContext().toStdString();
        const QString program = m_products + '/' + c.installed;
        const QByteArray line = lines.last();
        EXPECT_TRUE(line.startsWith("cwd=" + QFile::encodeName(QFileInfo(program).absolutePath())
                                    + "\targv0=" + QFile::encodeName(program) + "\targc=1\t"))
            << line.toStdString();
    }
    EXPECT_TRUE(m_qx.isRunning());
}

// Help opens the launcher's help file in the help viewer beside the program.
TEST_F(LauncherE2E, HelpOpensTheHelpViewer)
{
    ASSERT_TRUE(testsupport::writeFileBytes(winIni(), winIniBytes("[Quixbar]\nRow=0\nCol=0\n")));
    startBar();
    const auto bar = waitForBar({262, 22}, QPoint(0, 0));
    ASSERT_TRUE(bar) << failureContext().toStdString();
    ASSERT_TRUE(click(*bar, rowButton(Help)));
    std::optional<QByteArray> found;
    testsupport::pollUntil(
        [&] {
            found = m_x.runTool("xdotool", {"search", "--onlyvisible", "--name", "^Quixbar Help$"});
            return found && !found->trimmed().isEmpty();
        },
        15s);
    ASSERT_TRUE(found && !found->trimmed().isEmpty()) << failureContext().toStdString();
    EXPECT_TRUE(m_qx.isRunning());
}

} // namespace
