#include "helpviewer.h"

#include "platform/form.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>

namespace platform {

HelpViewer::HelpViewer(QWidget *parent)
    : QMainWindow(parent)
    , m_browser(new QTextBrowser(this))
    , m_back(new QAction(tr("&Back"), this))
    , m_contents(new QAction(tr("&Contents"), this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    m_browser->setObjectName(QStringLiteral("ContentsBrowser"));
    // Every link goes through followLink(), so that nothing outside the help opens by itself.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    setCentralWidget(m_browser);

    m_back->setObjectName(QStringLiteral("BackAction"));
    m_back->setShortcut(QKeySequence::Back);
    m_back->setEnabled(false);
    m_contents->setObjectName(QStringLiteral("ContentsAction"));
    m_contents->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    m_contents->setEnabled(false);
    auto *tools = addToolBar(tr("Navigation"));
    tools->setObjectName(QStringLiteral("NavigationBar"));
    tools->setMovable(false);
    tools->addAction(m_contents);
    tools->addAction(m_back);
    auto *close = new QAction(tr("Close"), this);
    close->setShortcuts({QKeySequence::Close, QKeySequence(Qt::Key_Escape)});
    addAction(close);

    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        statusBar()->clearMessage();
        updateTitle();
    });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_contents, &QAction::triggered, this, [this] { m_browser->setSource(m_start); });
    connect(close, &QAction::triggered, this, &QWidget::close);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    resize(600, 520);
    setCaption(this, tr("Help"));
}

bool HelpViewer::openContents(const QString &file)
{
    const QFileInfo info(file);
    if (!info.isFile()) {
        showMissing(tr("Cannot find the help file %1.").arg(file));
        return false;
    }
    QFile probe(file);
    if (!probe.open(QIODevice::ReadOnly)) {
        showMissing(tr("Cannot read the help file %1.").arg(file));
        return false;
    }
    m_start = QUrl::fromLocalFile(info.absoluteFilePath());
    // The help file's name says nothing of its kind: it is HTML.
    m_browser->setSource(m_start, QTextDocument::HtmlResource);
    m_browser->clearHistory();
    m_contents->setEnabled(true);
    updateTitle();
    return true;
}

void HelpViewer::followLink(const QUrl &link)
{
    const QUrl target = m_browser->source().resolved(link);
    if (!target.isLocalFile()) {
        statusBar()->showMessage(tr("Not opened here: %1").arg(link.toDisplayString()));
        return;
    }
    if (!QFileInfo(target.toLocalFile()).isFile()) {
        statusBar()->showMessage(tr("Cannot find %1").arg(target.toLocalFile()));
        return;
    }
    m_browser->setSource(target);
    updateTitle();
}

QString HelpViewer::statusText() const
{
    return statusBar()->currentMessage();
}

void HelpViewer::showMissing(const QString &message)
{
    m_start.clear();
    m_browser->clear();
    m_browser->setPlainText(message);
    m_browser->clearHistory();
    m_contents->setEnabled(false);
    setCaption(this, tr("Help"));
}

void HelpViewer::updateTitle()
{
    QString title = m_browser->documentTitle().trimmed();
    if (title.isEmpty())
        title = QFileInfo(m_browser->source().toLocalFile()).fileName();
    setCaption(this, title.isEmpty() ? tr("Help") : title);
}

} // namespace platform
