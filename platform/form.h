#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

namespace platform {

// How a form's frame looks.
enum class BorderStyle {
    None, // no frame and no title bar
    Dialog, // a fixed-size dialog frame with a title bar
    Single // a single fixed frame with a title bar
};

// The base of every window of the suite: a top-level widget whose show event is a signal, so
// that the system's forms bind their show handler like any other event instead of overriding.
class Form : public QWidget
{
    Q_OBJECT
public:
    explicit Form(QWidget *parent = nullptr);

    void setBorderStyle(BorderStyle style);
    BorderStyle borderStyle() const { return m_borderStyle; }
    void setStayOnTop(bool on);

    // Gives the form a fixed client area.
    void setClientSize(int width, int height);
    // Places the form in the middle of the primary screen's available area.
    void centerOnScreen();

    // Whether a request to close the form (the window manager's close box, Alt+F4, close())
    // closes it. A form that holds the program's only way out refuses, and stays open.
    void setCloseRequestsAccepted(bool accepted) { m_closeRequestsAccepted = accepted; }

Q_SIGNALS:
    // Emitted each time the form becomes visible, before it is first painted.
    void shown();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    BorderStyle m_borderStyle = BorderStyle::Dialog;
    bool m_closeRequestsAccepted = true;
};

// A label that shows its caption literally, except that "&" marks the next letter as its access
// key (underlined; "&&" is one "&"), the way a caption of a label or button does. text() holds
// the caption as shown, without the markers.
class Label : public QLabel
{
    Q_OBJECT
public:
    explicit Label(QWidget *parent = nullptr);
    explicit Label(const QString &caption, QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    QString caption() const { return m_caption; }

    // An auto-size label takes the size of its caption, in its font, each time either changes.
    // While hidden it does so when it is next shown: measuring text loads the font system, which
    // a program need not wait for before its first window is on the screen.
    void setAutoSize(bool on);
    bool autoSize() const { return m_autoSize; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitCaption();

    QString m_caption;
    bool m_autoSize = false;
    bool m_fitPending = false;
};

// Sets the hint (tooltip) of a widget, shown as plain text whatever it holds. The plain text
// stays readable as hint(widget).
void setHint(QWidget *widget, const QString &hint);
QString hint(const QWidget *widget);

// Sets a window title shown literally: Qt's "[*]" placeholder gets no special meaning.
void setCaption(QWidget *window, const QString &caption);
// The title as set by setCaption() and shown; windowTitle() holds it escaped for Qt.
QString caption(const QWidget *window);

// A caption as it shows on a control: each "&" that marks an access key removed, "&&" as "&".
QString stripAccessKeys(const QString &caption);
// The caption that shows text exactly as it is, every "&" included ("&" doubled).
QString escapeAccessKeys(const QString &text);

} // namespace platform
