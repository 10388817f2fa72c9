#include "form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOption>

namespace platform {

namespace {
constexpr const char *HintProperty = "hint";
}

Form::Form(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setBorderStyle(BorderStyle::Dialog);
}

void Form::setBorderStyle(BorderStyle style)
{
    m_borderStyle = style;
    const bool stayOnTop = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    Qt::WindowFlags flags = Qt::Window;
    switch (style) {
    case BorderStyle::None:
        flags |= Qt::FramelessWindowHint;
        break;
    case BorderStyle::Dialog:
        flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        break;
    case BorderStyle::Single:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint;
        break;
    }
    if (stayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
}

void Form::setStayOnTop(bool on)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
}

void Form::setClientSize(int width, int height)
{
    setFixedSize(width, height);
}

void Form::centerOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void Form::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window coming back from being minimised is shown by the window system (spontaneous);
    // the form's show handler is for becoming visible, as show() makes it.
    if (!event->spontaneous())
        Q_EMIT shown();
}

void Form::closeEvent(QCloseEvent *event)
{
    if (!m_closeRequestsAccepted)
        event->ignore();
    else
        QWidget::closeEvent(event);
}

Label::Label(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

Label::Label(const QString &caption, QWidget *parent)
    : Label(parent)
{
    setCaption(caption);
}

void Label::setCaption(const QString &caption)
{
    m_caption = caption;
    setText(stripAccessKeys(caption));
    fitCaption();
}

void Label::setAutoSize(bool on)
{
    m_autoSize = on;
    fitCaption();
}

void Label::fitCaption()
{
    if (!m_autoSize)
        return;
    m_fitPending = !isVisible();
    if (!m_fitPending)
        adjustSize();
}

void Label::showEvent(QShowEvent *event)
{
    QLabel::showEvent(event);
    if (m_fitPending)
        fitCaption();
}

void Label::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitCaption();
}

void Label::paintEvent(QPaintEvent *event)
{
    // Text set through QLabel::setText() rather than setCaption() has no access key: QLabel
    // draws it as the plain text it is.
    if (text() != stripAccessKeys(m_caption)) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    QStyleOption option;
    option.initFrom(this);
    int flags = int(QStyle::visualAlignment(layoutDirection(), alignment())) | Qt::TextShowMnemonic;
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    const int m = margin();
    style()->drawItemText(&painter, contentsRect().adjusted(m, m, -m, -m), flags, option.palette,
                          isEnabled(), m_caption, foregroundRole());
}

void setHint(QWidget *widget, const QString &hint)
{
    widget->setProperty(HintProperty, hint);
    // Rich text that says the plain text: a tooltip that merely looked like markup would
    // otherwise be taken as markup. Pre keeps runs of blanks as they are, as the hint's file has
    // them; a hint is one short line, so it loses no wrapping.
    widget->setToolTip(hint.isEmpty() ? QString()
                                      : Qt::convertFromPlainText(hint, Qt::WhiteSpacePre));
}

QString hint(const QWidget *widget)
{
    return widget->property(HintProperty).toString();
}

void setCaption(QWidget *window, const QString &caption)
{
    // "[*]" is where Qt would put its modified marker; doubled, it shows as itself.
    QString title = caption;
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    window->setWindowTitle(title);
}

QString caption(const QWidget *window)
{
    QString title = window->windowTitle();
    title.replace(QStringLiteral("[*][*]"), QStringLiteral("[*]"));
    return title;
}

QString stripAccessKeys(const QString &caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        shown.append(caption.at(i));
    }
    return shown;
}

QString escapeAccessKeys(const QString &text)
{
    QString caption = text;
    caption.replace(QLatin1Char('&'), QLatin1String("&&"));
    return caption;
}

} // namespace platform
