// DvConf32 end to end: the real program in a temporary copy of the copier's folder, on a private
// X server, driven by pointer and keyboard; the files it leaves behind are compared byte for byte.
#include "support/files.h"
#include "support/paths.h"
#include "support/xvfb.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace testsupport;

namespace {

// Where the dialog's controls sit in its client area (the parents' offsets added up).
const QSize DialogClient(560, 313);
const QSize MessageClient(369, 72);
const QPoint BWField(224 + 20, 31 + 13);
const QPoint ColourField(224 + 20, 99 + 13);
const QPoint List3(56 + 100, 216 + 12);
const QPoint CancelButton(368 + 60, 206 + 16);
const QString DialogTitle = QStringLiteral("Dovrane Configuration");
const QString CompanyName = QStringLiteral("Nordhavn Prints");

const QByteArray HalvaneIni = "[Dovrane]\r\nUser Name=Ada Byrne\r\nVersion No=3.4\r\n"
                              "[Organisation]\r\nCompany Name=Nordhavn Prints\r\n";

// Replaces key's value inside one section of INI-format bytes, keeping every other byte.
QByteArray withValue(QByteArray bytes, const QByteArray &section, const QByteArray &key,
                     const QByteArray &value)
{
    const qsizetype start = bytes.indexOf("[" + section + "]");
    if (start < 0)
        return {};
    qsizetype end = bytes.indexOf("\n[", start);
    if (end < 0)
        end = bytes.size();
    const qsizetype at = bytes.indexOf("\n" + key + "=", start);
    if (at < 0 || at > end)
        return {};
    const qsizetype valueStart = at + 1 + key.size() + 1;
    qsizetype lineEnd = valueStart;
    while (lineEnd < bytes.size() && bytes[lineEnd] != '\r' && bytes[lineEnd] != '\n')
        ++lineEnd;
    return bytes.replace(valueStart, lineEnd - valueStart, value);
}

// Whether a window carries title, exactly as its caption gives it.
bool titled(const XWindow &w, const QString &title)
{
    return w.name == title;
}

// The program's windows, for the message of a failed wait.
std::string describe(const QList<XWindow> &windows)
{
    QStringList lines;
    for (const XWindow &w : windows)
        lines << QStringLiteral("\"%1\" %2,%3 %4x%5%6")
                     .arg(w.name)
                     .arg(w.geometry.x())
                     .arg(w.geometry.y())
                     .arg(w.geometry.width())
                     .arg(w.geometry.height())
                     .arg(w.overrideRedirect ? " pop-up" : "");
    return lines.join("; ").toStdString();
}

class ConfigEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(x.isRunning()) << x.errorString().toStdString();
        // A private installation: everything of the built copier folder.
        const QDir built(copierDir());
        for (const QString &name : built.entryList(QDir::Files)) {
            ASSERT_TRUE(QFile::copy(built.filePath(name), install.filePath(name)))
                << name.toStdString();
        }
        ASSERT_TRUE(QFile::setPermissions(install.filePath("DvConf32"),
                                          QFile(built.filePath("DvConf32")).permissions()));
        ASSERT_TRUE(writeFileBytes(windows.filePath("Halvane.Ini"), HalvaneIni));
        dvLng = readFileBytes(install.filePath("Dv.Lng"));
        dvConfLng = readFileBytes(install.filePath("DvConf.Lng"));
        ASSERT_FALSE(dvLng.isEmpty());
    }

    bool start(const QByteArray &winIni)
    {
        if (!writeFileBytes(windows.filePath("Win.Ini"), winIni))
            return false;
        return program.start(install.filePath("DvConf32"), {}, install.path(),
                             {{"HALVANE_WINDIR", windows.path()}});
    }

    // The dialog, once it is up with its lists filled: the Welcome window has closed.
    std::optional<XWindow> waitForDialog()
    {
        auto dialog = program.waitForWindow([](const XWindow &w) {
            return titled(w, DialogTitle) && w.geometry.size() == DialogClient;
        });
        const bool welcomeGone = pollUntil(
            [&] {
                for (const XWindow &w : program.visibleWindows())
                    if (titled(w, CompanyName))
                        return false;
                return true;
            },
            15s);
        if (!dialog || !welcomeGone)
            return std::nullopt;
        if (!x.activate(dialog->id))
            return std::nullopt;
        return dialog;
    }

    bool clickAt(const XWindow &window, QPoint point) const
    {
        return x.click(window.geometry.topLeft() + point);
    }

    // Focuses a resolution field and replaces its text by typing.
    bool typeInto(const XWindow &dialog, QPoint field, const QString &text) const
    {
        return clickAt(dialog, field) && x.key("ctrl+a") && x.type(text);
    }

    // Opens a paper list and picks an entry with the keyboard: keys move in the open list.
    bool pickInList(const XWindow &dialog, QPoint list, const QString &keys)
    {
        if (!clickAt(dialog, list))
            return false;
        if (!program.waitForWindow([](const XWindow &w) { return w.overrideRedirect; }))
            return false;
        if (!x.key(keys) || !x.key("Return"))
            return false;
        return pollUntil(
            [&] {
                for (const XWindow &w : program.visibleWindows())
                    if (w.overrideRedirect)
                        return false;
                return true;
            },
            10s);
    }

    void expectFilesUnchanged(const QByteArray &winIni)
    {
        EXPECT_EQ(readFileBytes(windows.filePath("Win.Ini")), winIni);
        EXPECT_EQ(readFileBytes(windows.filePath("Halvane.Ini")), HalvaneIni);
        EXPECT_EQ(readFileBytes(install.filePath("Dv.Lng")), dvLng);
        EXPECT_EQ(readFileBytes(install.filePath("DvConf.Lng")), dvConfLng);
        EXPECT_EQ(folderEntries(windows.path()), QStringList({"Halvane.Ini", "Win.Ini"}));
    }

    Xvfb x {QSize(1024, 768)};
    TempFolder install;
    TempFolder windows;
    XProgram program {x};
    QByteArray dvLng;
    QByteArray dvConfLng;
};

const QByteArray NormalWinIni = "[Dovrane]\r\nLanguage=eng\r\nBWDpi=300\r\nGreyDpi=150\r\n"
                                "ColourDpi=100\r\nSource=Unknown\r\n[Quixbar]\r\nRow=10\r\n";

// Typing a resolution and picking a paper size, then Exit by its access key while a field that
// holds 700 has the focus: the three resolutions (700 limited to 600) and the paper keys are
// stored, and nothing else in either file changes.
TEST_F(ConfigEndToEnd, ExitStoresTypedResolutionAndPickedPaper)
{
    ASSERT_TRUE(start(NormalWinIni)) << program.output().toStdString();
    const auto dialog = waitForDialog();
    ASSERT_TRUE(dialog) << describe(program.visibleWindows()) << program.output().toStdString();

    ASSERT_TRUE(typeInto(*dialog, BWField, "345"));
    // List 3 holds A5 (position 4); End goes to Tabloid (15), two up is US Letter (13).
    ASSERT_TRUE(pickInList(*dialog, List3, "End Up Up"));
    ASSERT_TRUE(typeInto(*dialog, ColourField, "700"));
    ASSERT_TRUE(x.key("alt+x"));
    ASSERT_TRUE(program.waitForExit()) << program.output().toStdString();
    EXPECT_TRUE(program.exitedNormally());

    EXPECT_EQ(readFileBytes(windows.filePath("Win.Ini")),
              "[Dovrane]\r\nLanguage=eng\r\nBWDpi=345\r\nGreyDpi=150\r\nColourDpi=600\r\n"
              "Source=Unknown\r\n[Quixbar]\r\nRow=10\r\n");
    const QByteArray expectedDvLng = withValue(dvLng, "eng", "Size.3", "Letter");
    ASSERT_FALSE(expectedDvLng.isEmpty());
    EXPECT_EQ(readFileBytes(install.filePath("Dv.Lng")), expectedDvLng);
    EXPECT_EQ(readFileBytes(windows.filePath("Halvane.Ini")), HalvaneIni);
}

// Cancel after changing a resolution and a paper size leaves every file byte for byte as it was.
TEST_F(ConfigEndToEnd, CancelLeavesEveryFileUnchanged)
{
    ASSERT_TRUE(start(NormalWinIni)) << program.output().toStdString();
    const auto dialog = waitForDialog();
    ASSERT_TRUE(dialog) << describe(program.visibleWindows()) << program.output().toStdString();

    ASSERT_TRUE(typeInto(*dialog, BWField, "512"));
    ASSERT_TRUE(pickInList(*dialog, List3, "Home"));
    ASSERT_TRUE(clickAt(*dialog, CancelButton));
    ASSERT_TRUE(program.waitForExit()) << program.output().toStdString();
    EXPECT_TRUE(program.exitedNormally());
    expectFilesUnchanged(NormalWinIni);
}

// The window a window belongs to (WM_TRANSIENT_FOR), or 0.
quint64 ownerOf(const Xvfb &x, quint64 window)
{
    // "WM_TRANSIENT_FOR: window id # 0x400006"
    const auto out
        = x.runTool("xprop", {"-notype", "-id", QString::number(window), "WM_TRANSIENT_FOR"});
    if (!out || !out->contains("window id #"))
        return 0;
    return QString::fromLatin1(*out).trimmed().section(' ', -1).toULongLong(nullptr, 16);
}

// Select Source by its access key opens the scanner selection (or, without SANE, its error box)
// owned by the dialog; closing it returns to the dialog, and nothing is stored anywhere.
TEST_F(ConfigEndToEnd, SelectSourceIsOwnedByTheDialogAndStoresNothingOnEscape)
{
    TempFolder sane;
    ASSERT_TRUE(writeFileBytes(sane.filePath("dll.conf"), "test\n"));
    ASSERT_TRUE(writeFileBytes(sane.filePath("test.conf"), "number_of_devices 2\n"));
    const QList<QMap<QString, QString>> setups = {
        {{"SANE_CONFIG_DIR", sane.path()}},
        {{"HALVANE_SANE_LIBRARY", "libsane-missing-for-tests.so.1"}},
    };
    for (const auto &setup : setups) {
        SCOPED_TRACE(setup.firstKey().toStdString());
        XProgram tool(x);
        ASSERT_TRUE(writeFileBytes(windows.filePath("Win.Ini"), NormalWinIni));
        QMap<QString, QString> environment = setup;
        environment.insert("HALVANE_WINDIR", windows.path());
        ASSERT_TRUE(tool.start(install.filePath("DvConf32"), {}, install.path(), environment));
        const auto dialog = tool.waitForWindow([](const XWindow &w) {
            return titled(w, DialogTitle) && w.geometry.size() == DialogClient;
        });
        ASSERT_TRUE(dialog) << tool.output().toStdString();
        ASSERT_TRUE(x.activate(dialog->id));
        ASSERT_TRUE(x.key("alt+s"));
        const auto selection
            = tool.waitForWindow([](const XWindow &w) { return titled(w, "Select Source"); });
        ASSERT_TRUE(selection) << describe(tool.visibleWindows()) << tool.output().toStdString();
        EXPECT_EQ(ownerOf(x, selection->id), dialog->id);
        // The selection dialog where SANE works, the smaller error box where it is missing.
        EXPECT_EQ(selection->geometry.size() == QSize(460, 280), setup.contains("SANE_CONFIG_DIR"))
            << selection->geometry.width() << "x" << selection->geometry.height();
        ASSERT_TRUE(x.activate(selection->id));
        ASSERT_TRUE(x.key("Escape"));
        ASSERT_TRUE(pollUntil(
            [&] {
                const auto info = x.windowInfo(selection->id);
                return !info || !info->isViewable();
            },
            15s));
        EXPECT_TRUE(tool.isRunning());
        ASSERT_TRUE(x.activate(dialog->id));
        ASSERT_TRUE(x.click(dialog->geometry.topLeft() + CancelButton));
        ASSERT_TRUE(tool.waitForExit()) << tool.output().toStdString();
        expectFilesUnchanged(NormalWinIni);
    }
}

// Without a language for the copier, message 20 is the only window that waits; after its OK the
// tool ends with every file unchanged.
TEST_F(ConfigEndToEnd, MissingLanguageShowsOnlyMessage20)
{
    const QByteArray winIni = "[Dovrane]\r\nBWDpi=300\r\n";
    ASSERT_TRUE(start(winIni)) << program.output().toStdString();
    const auto message = program.waitForWindow([](const XWindow &w) {
        return titled(w, DialogTitle) && w.geometry.size() == MessageClient;
    });
    ASSERT_TRUE(message) << program.output().toStdString();
    const QList<XWindow> shown = program.visibleWindows();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front().id, message->id);
    ASSERT_TRUE(x.activate(message->id));
    ASSERT_TRUE(x.key("Return"));
    ASSERT_TRUE(program.waitForExit()) << program.output().toStdString();
    EXPECT_TRUE(program.exitedNormally());
    expectFilesUnchanged(winIni);
}

} // namespace
