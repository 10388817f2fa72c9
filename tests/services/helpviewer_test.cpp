// The help viewer's window, in-process on the offscreen platform, and the launcher's help file.
#include "platform/helpviewer/helpviewer.h"
#include "support/paths.h"
#include "support/printers.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class HelpViewerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QString shownFile() const { return m_viewer.browser()->source().toLocalFile(); }

    // The title as the window shows it: "[*][*]" is how a literal "[*]" is kept.
    std::string shownTitle() const
    {
        return m_viewer.windowTitle().replace("[*][*]", "[*]").toStdString();
    }

    QTemporaryDir m_dir;
    platform::HelpViewer m_viewer;
};

// The window title comes from the document's <title>, shown literally, else the file name; the
// file is read as HTML whatever its name.
TEST_F(HelpViewerTest, TitlesTheWindowAfterTheDocument)
{
    const struct
    {
        const char *name;
        const char *file;
        const char *html;
        const char *title;
    } cases[] = {
        {"title", "QX.HLP", "<html><head><title>Quixbar Help</title></head><body>x</body></html>",
         "Quixbar Help"},
        {"entities and placeholder", "A.HLP",
         "<html><head><title>Row &amp; Col [*]</title></head><body>x</body></html>",
         "Row & Col [*]"},
        {"no title", "Kv.Hlp", "<html><body><p>Filing</p></body></html>", "Kv.Hlp"},
        {"blank title", "Tz.Hlp", "<html><head><title>  </title></head><body>x</body></html>",
         "Tz.Hlp"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = write(QString::fromUtf8(c.file), c.html);
        ASSERT_TRUE(m_viewer.openContents(path));
        EXPECT_EQ(shownTitle(), c.title);
        EXPECT_EQ(shownFile(), path);
        EXPECT_FALSE(m_viewer.browser()->toHtml().contains("&lt;html"));
    }
}

// A missing file (or a folder in its place) is named in a plain message in the window.
TEST_F(HelpViewerTest, SaysWhenItCannotFindTheFile)
{
    const QString page = write("page.html", "<html><head><title>Old</title></head></html>");
    const QString other = write("other.html", "<html><head><title>Other</title></head></html>");
    ASSERT_TRUE(m_viewer.openContents(page));
    m_viewer.followLink(QUrl("other.html"));
    ASSERT_TRUE(m_viewer.findChild<QAction *>("BackAction")->isEnabled());
    for (const QString &missing : {m_dir.filePath("QX.HLP"), m_dir.path()}) {
        SCOPED_TRACE(missing.toStdString());
        EXPECT_FALSE(m_viewer.openContents(missing));
        EXPECT_EQ(m_viewer.browser()->toPlainText().toStdString(),
                  ("Cannot find the help file " + missing + ".").toStdString());
        EXPECT_EQ(shownTitle(), "Help");
        EXPECT_FALSE(m_viewer.findChild<QAction *>("ContentsAction")->isEnabled());
        EXPECT_FALSE(m_viewer.findChild<QAction *>("BackAction")->isEnabled());
    }
}

// Links to pages of the help open inside the viewer, anchors included, and Back returns; links
// that lead elsewhere are only named, and the page stays.
TEST_F(HelpViewerTest, FollowsOnlyLinksWithinTheHelp)
{
    const QString start = write("QX.HLP",
                                "<html><head><title>Start</title></head><body>"
                                "<a href=\"more.html\">more</a></body></html>");
    const QString more = write("more.html",
                               "<html><head><title>More</title></head><body>"
                               "<a name=\"end\"></a>end</body></html>");
    ASSERT_TRUE(m_viewer.openContents(start));

    m_viewer.followLink(QUrl("more.html"));
    EXPECT_EQ(shownFile(), more);
    EXPECT_EQ(shownTitle(), "More");
    m_viewer.followLink(QUrl("#end"));
    EXPECT_EQ(shownFile(), more);
    EXPECT_EQ(m_viewer.browser()->source().fragment().toStdString(), "end");

    const struct
    {
        const char *link;
        const char *status;
    } elsewhere[] = {
        {"https://halvane.example/quixbar", "Not opened here: https://halvane.example/quixbar"},
        {"mailto:support@halvane.example", "Not opened here: mailto:support@halvane.example"},
        {"missing.html", "Cannot find {dir}/missing.html"},
    };
    for (const auto &e : elsewhere) {
        SCOPED_TRACE(e.link);
        m_viewer.followLink(QUrl(QString::fromUtf8(e.link)));
        EXPECT_EQ(shownFile(), more);
        EXPECT_EQ(m_viewer.statusText().toStdString(),
                  QString::fromUtf8(e.status).replace("{dir}", m_dir.path()).toStdString());
    }

    // A click on a link goes the same way as following it.
    emit m_viewer.browser()->anchorClicked(QUrl("QX.HLP"));
    EXPECT_EQ(shownFile(), start);
    m_viewer.browser()->backward();
    EXPECT_EQ(shownFile(), more);
}

// The launcher's help file: it opens, every link inside it leads to a place in it, and it names
// what Exit stores.
TEST(LauncherHelpFile, IsCompleteAndConsistent)
{
    const QString path = testsupport::sourceDir() + "/suite/launcher/QX.HLP";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());

    platform::HelpViewer viewer;
    ASSERT_TRUE(viewer.openContents(path));
    EXPECT_EQ(viewer.windowTitle().toStdString(), "Quixbar Help");

    const QRegularExpression href("href=\"([^\"]*)\"");
    int links = 0;
    for (const auto &m : href.globalMatch(html)) {
        const QString target = m.captured(1);
        SCOPED_TRACE(target.toStdString());
        ASSERT_TRUE(target.startsWith('#'));
        EXPECT_TRUE(html.contains("<a name=\"" + target.mid(1) + "\">"));
        ++links;
    }
    EXPECT_GE(links, 7);

    const QString text = viewer.browser()->toPlainText();
    for (const char *needed :
         {"[Quixbar]", "Win.Ini", "Row", "Col", "Axis", "Exit", "Help", "About", "Dovrane",
          "Quillex", "Kavarn", "Tazlo", "top edge", "left edge", "Unable to write to Win.Ini."}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(needed))) << needed;
    }
}

} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
