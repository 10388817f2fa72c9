#pragma once

#include <QMainWindow>
#include <QUrl>

class QAction;
class QTextBrowser;

namespace platform {

// The help viewer's window: the contents page of an HTML help file, with the links between its
// pages. Links that lead outside the help (web addresses, mail) are not followed; the status bar
// names them instead. The window title is the shown page's <title>, or its file name.
//
// Controls: "ContentsBrowser" (the page), actions "BackAction" and "ContentsAction".
class HelpViewer : public QMainWindow
{
    Q_OBJECT
public:
    explicit HelpViewer(QWidget *parent = nullptr);

    // Shows the first page of file. When it cannot be read, the window says so, naming the file,
    // and this returns false.
    bool openContents(const QString &file);

    // Follows a link of the shown page as a click on it does: a page of the help (a relative or
    // local link to a file that exists, or an anchor) is shown; anything else only named in the
    // status bar.
    void followLink(const QUrl &link);

    QTextBrowser *browser() const { return m_browser; }
    // What the status bar shows now.
    QString statusText() const;

private:
    void showMissing(const QString &message);
    void updateTitle();

    QTextBrowser *m_browser;
    QAction *m_back;
    QAction *m_contents;
    QUrl m_start;
};

} // namespace platform
