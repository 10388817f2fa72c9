// The configuration button of a running Qx32 opens DvConf32 from the copier's folder: the real
// launcher and the real tool, each from a temporary copy of its built folder, on one Xvfb.
#include "support/files.h"
#include "support/paths.h"
#include "support/xvfb.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>

using namespace testsupport;

namespace {

const QSize DialogClient(560, 313);
const QPoint CancelButton(368 + 60, 206 + 16);
// The bar with only the copier installed: move handle, copier, configuration, Help, About, Exit.
const QSize Bar(1 + 29 * 6, 22);
const QPoint ConfigButton(1 + 29 * 2 + 14, 11);

bool copyFolder(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    for (const QString &name : folderEntries(from)) {
        if (!QFile::copy(from + '/' + name, to + '/' + name))
            return false;
    }
    return true;
}

// Kills a process that was not started by the test when the test ends.
struct Reaper
{
    qint64 pid;
    ~Reaper() { ::kill(pid_t(pid), SIGKILL); }
};

// A process's value of a /proc link (exe, cwd).
QString procLink(qint64 pid, const char *link)
{
    return QFileInfo(QStringLiteral("/proc/%1/%2").arg(pid).arg(link)).symLinkTarget();
}

// Pressing the bar's configuration button starts the copier folder's DvConf32 there; its dialog
// comes up, and its Cancel leaves every settings file as it was.
TEST(ConfigFromLauncher, ConfigButtonOpensTheDialogFromTheCopierFolder)
{
    Xvfb x(QSize(1024, 768));
    ASSERT_TRUE(x.isRunning()) << x.errorString().toStdString();
    TempFolder root;
    const QString launcher = root.filePath("Halvane/Qx");
    const QString copier = root.filePath("Halvane/Dv");
    const QString windows = root.filePath("Windows");
    ASSERT_TRUE(copyFolder(launcherDir(), launcher));
    ASSERT_TRUE(copyFolder(copierDir(), copier));
    ASSERT_TRUE(QDir().mkpath(windows));
    const QByteArray winIni = "[Quixbar]\r\nLanguage=eng\r\nAxis=H\r\nRow=40\r\nCol=30\r\n"
                              "[Dovrane]\r\nAvailable Functions=1\r\nInstall Path="
        + QFile::encodeName(copier) + "\r\nLanguage=eng\r\nBWDpi=300\r\n";
    const QByteArray halvaneIni = "[Dovrane]\r\nUser Name=Ada Byrne\r\n"
                                  "[Organisation]\r\nCompany Name=Nordhavn Prints\r\n";
    ASSERT_TRUE(writeFileBytes(windows + "/Win.Ini", winIni));
    ASSERT_TRUE(writeFileBytes(windows + "/Halvane.Ini", halvaneIni));
    const QByteArray dvLng = readFileBytes(copier + "/Dv.Lng");

    XProgram qx(x);
    ASSERT_TRUE(qx.start(launcher + "/Qx32", {}, root.path(), {{"HALVANE_WINDIR", windows}}))
        << qx.output().toStdString();
    const auto bar = qx.waitForWindow([](const XWindow &w) { return w.geometry.size() == Bar; });
    ASSERT_TRUE(bar) << qx.output().toStdString();
    ASSERT_TRUE(x.click(bar->geometry.topLeft() + ConfigButton));

    // The tool is a process of its own, not one of Qx32's: find its dialog on the screen.
    std::optional<XWindow> dialog;
    ASSERT_TRUE(pollUntil(
        [&] {
            const auto ids = x.runTool("xdotool", {"search", "--name", "^Dovrane Configuration"});
            for (const QByteArray &line : ids ? ids->split('\n') : QList<QByteArray>()) {
                // xwininfo without a window (id 0) would wait for a click on one.
                const quint64 id = line.trimmed().toULongLong();
                if (id == 0)
                    continue;
                const auto info = x.windowInfo(id);
                if (info && info->isViewable() && info->geometry.size() == DialogClient)
                    dialog = info;
            }
            return dialog.has_value();
        },
        15s))
        << qx.output().toStdString();
    const auto pidText = x.windowProperty(dialog->id, "_NET_WM_PID");
    ASSERT_TRUE(pidText);
    const qint64 pid = pidText->toLongLong();
    ASSERT_GT(pid, 0);
    // Whatever happens below, the tool does not outlive the test.
    const Reaper reaper {pid};
    EXPECT_EQ(procLink(pid, "exe"), QFileInfo(copier + "/DvConf32").canonicalFilePath());
    EXPECT_EQ(procLink(pid, "cwd"), QFileInfo(copier).canonicalFilePath());

    ASSERT_TRUE(x.activate(dialog->id));
    ASSERT_TRUE(x.click(dialog->geometry.topLeft() + CancelButton));
    EXPECT_TRUE(pollUntil(
        [&] { return !QFileInfo::exists(QStringLiteral("/proc/%1/exe").arg(pid)); }, 15s));
    EXPECT_TRUE(qx.isRunning());
    EXPECT_EQ(readFileBytes(windows + "/Win.Ini"), winIni);
    EXPECT_EQ(readFileBytes(windows + "/Halvane.Ini"), halvaneIni);
    EXPECT_EQ(readFileBytes(copier + "/Dv.Lng"), dvLng);
}

} // namespace
