#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace platform {

// A tool-bar button that shows a picture and no text, drawn flat: it shows a raised edge while
// the mouse is over it and a sunken one while it is held down.
//
// The glyph may hold several images of equal width side by side (numGlyphs): the first is
// drawn while the button is enabled, the second while it is disabled. With one image, the
// disabled look is made from it.
//
// Besides clicked(), the button reports the raw mouse events of any mouse button, with the
// modifier keys held and the position relative to the button's top-left corner. While a mouse
// button is held, moves keep arriving here even when the mouse leaves the button or its window,
// and the release arrives here too.
class SpeedButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit SpeedButton(QWidget *parent = nullptr);

    void setGlyph(const QPixmap &glyph);
    QPixmap glyph() const { return m_glyph; }
    void setNumGlyphs(int count);
    int numGlyphs() const { return m_numGlyphs; }

    // The image the button draws in its present state (enabled or disabled).
    QPixmap currentImage() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPixmap m_glyph;
    int m_numGlyphs = 1;
    bool m_hovered = false;
};

// Loads a picture that must show at logicalSize (in device-independent pixels) whatever the
// file holds. On a high-resolution screen the file's "@2x" companion ("exit@2x.png" beside
// "exit.png") is used when it exists, for sharpness. A missing or unreadable file gives a null
// pixmap. screenRatio is the device pixel ratio to draw for; the first form takes the
// application's (the highest of its screens).
QPixmap loadPicture(const QString &path, const QSize &logicalSize);
QPixmap loadPicture(const QString &path, const QSize &logicalSize, qreal screenRatio);

} // namespace platform
