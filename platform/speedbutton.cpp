#include "speedbutton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace platform {

SpeedButton::SpeedButton(QWidget *parent)
    : QAbstractButton(parent)
{
    // Moves without a button held are reported too, as a handler may want to track hovering.
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void SpeedButton::setGlyph(const QPixmap &glyph)
{
    m_glyph = glyph;
    update();
}

void SpeedButton::setNumGlyphs(int count)
{
    m_numGlyphs = qMax(1, count);
    update();
}

QPixmap SpeedButton::currentImage() const
{
    if (m_glyph.isNull())
        return {};
    if (m_numGlyphs == 1) {
        if (isEnabled())
            return m_glyph;
        QStyleOption option;
        option.initFrom(this);
        return style()->generatedIconPixmap(QIcon::Disabled, m_glyph, &option);
    }
    // Images side by side, in device pixels; the first is the enabled one, the second the
    // disabled one.
    const int width = m_glyph.width() / m_numGlyphs;
    const int index = isEnabled() ? 0 : 1;
    QPixmap image = m_glyph.copy(index * width, 0, width, m_glyph.height());
    image.setDevicePixelRatio(m_glyph.devicePixelRatio());
    return image;
}

QSize SpeedButton::sizeHint() const
{
    return {23, 22};
}

void SpeedButton::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, palette().button());
    const bool sunken = isDown() || isChecked();
    if (sunken || (m_hovered && isEnabled())) {
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        const QColor topLeft = sunken ? dark : light;
        const QColor bottomRight = sunken ? light : dark;
        painter.setPen(topLeft);
        painter.drawLine(area.topLeft(), area.topRight());
        painter.drawLine(area.topLeft(), area.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(area.bottomLeft(), area.bottomRight());
        painter.drawLine(area.topRight(), area.bottomRight());
    }
    const QPixmap image = currentImage();
    if (image.isNull())
        return;
    const QSize size = image.deviceIndependentSize().toSize();
    QPoint at((area.width() - size.width()) / 2, (area.height() - size.height()) / 2);
    if (sunken)
        at += QPoint(1, 1);
    painter.drawPixmap(at, image);
}

void SpeedButton::mousePressEvent(QMouseEvent *event)
{
    // Only the left button presses the button down and can click it; every button is reported.
    if (event->button() == Qt::LeftButton)
        QAbstractButton::mousePressEvent(event);
    event->accept();
    const QPoint at = event->position().toPoint();
    Q_EMIT mouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void SpeedButton::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        QAbstractButton::mouseMoveEvent(event);
    event->accept();
    const QPoint at = event->position().toPoint();
    Q_EMIT mouseMove(event->modifiers(), at.x(), at.y());
}

void SpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        QAbstractButton::mouseReleaseEvent(event);
    event->accept();
    const QPoint at = event->position().toPoint();
    Q_EMIT mouseUp(event->button(), event->modifiers(), at.x(), at.y());
}

void SpeedButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void SpeedButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

QPixmap loadPicture(const QString &path, const QSize &logicalSize)
{
    return loadPicture(path, logicalSize, qApp ? qApp->devicePixelRatio() : 1.0);
}

QPixmap loadPicture(const QString &path, const QSize &logicalSize, qreal screenRatio)
{
    QPixmap picture;
    qreal ratio = 1.0;
    if (screenRatio > 1.0) {
        const QFileInfo info(path);
        const QString sharp = info.path() + QLatin1Char('/') + info.completeBaseName()
            + QStringLiteral("@2x.") + info.suffix();
        if (picture.load(sharp))
            ratio = 2.0;
    }
    if (picture.isNull() && !picture.load(path))
        return {};
    const QSize deviceSize = logicalSize * ratio;
    if (picture.size() != deviceSize)
        picture = picture.scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

} // namespace platform
