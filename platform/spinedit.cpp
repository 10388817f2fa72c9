#include "platform/spinedit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>

#include <algorithm>
#include <optional>

namespace platform {

namespace {

// Width of the arrow column at the right of the field.
constexpr int ArrowWidth = 15;

// The text as a whole number: optional blanks around an optional sign and decimal digits. A
// number too long for an int saturates, so that it is limited like any other out-of-range
// number instead of counting as no number at all.
std::optional<qint64> wholeNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    qint64 number = 0;
    constexpr qint64 saturation = qint64(1) << 40;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        number = std::min(saturation, number * 10 + (c.unicode() - u'0'));
    }
    return negative ? -number : number;
}

} // namespace

SpinEdit::SpinEdit(QWidget *parent)
    : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_edit->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    m_edit->installEventFilter(this);
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    for (QToolButton *button : {m_up, m_down}) {
        button->setArrowType(button == m_up ? Qt::UpArrow : Qt::DownArrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIconSize(QSize(7, 5));
    }
    setFocusPolicy(m_edit->focusPolicy());
    setFocusProxy(m_edit);
    setAttribute(Qt::WA_InputMethodEnabled);

    connect(m_up, &QToolButton::clicked, this, [this] {
        m_edit->setFocus(Qt::MouseFocusReason);
        stepBy(1);
    });
    connect(m_down, &QToolButton::clicked, this, [this] {
        m_edit->setFocus(Qt::MouseFocusReason);
        stepBy(-1);
    });
    connect(m_edit, &QLineEdit::textChanged, this, &SpinEdit::changed);
    connect(this, &QObject::objectNameChanged, m_edit,
            [this](const QString &name) { m_edit->setObjectName(name); });
    layoutParts();
}

void SpinEdit::setRange(int min, int max)
{
    m_min = min;
    m_max = std::max(min, max);
}

int SpinEdit::value() const
{
    const std::optional<qint64> number = wholeNumber(m_edit->text());
    if (!number)
        return m_min;
    return int(std::clamp<qint64>(*number, m_min, m_max));
}

void SpinEdit::setValue(int value)
{
    m_edit->setText(QString::number(std::clamp(value, m_min, m_max)));
}

QString SpinEdit::text() const
{
    return m_edit->text();
}

void SpinEdit::setText(const QString &text)
{
    m_edit->setText(text);
}

void SpinEdit::stepBy(int steps)
{
    setValue(int(std::clamp<qint64>(qint64(value()) + steps, m_min, m_max)));
}

std::function<void()> &SpinEdit::beepHook()
{
    static std::function<void()> hook = [] { QApplication::beep(); };
    return hook;
}

bool SpinEdit::acceptsKey(const QKeyEvent *event) const
{
    const QString text = event->text();
    // Keys without a character (arrows, Home, End, Delete, function keys) edit or move.
    if (text.isEmpty())
        return true;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return false;
    // Ctrl combinations are the clipboard, selection and undo shortcuts.
    if (event->modifiers() & Qt::ControlModifier)
        return true;
    // Other control characters: Backspace, Tab, Escape.
    if (text.size() == 1 && text[0] < u' ')
        return true;
    const QString decimal = locale().decimalPoint();
    return std::all_of(text.begin(), text.end(), [&](QChar c) {
        return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || decimal.contains(c);
    });
}

bool SpinEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            stepBy(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
        if (!acceptsKey(key)) {
            beepHook()();
            return true;
        }
        break;
    }
    case QEvent::InputMethod: {
        // Text composed by an input method is typed text too.
        auto *im = static_cast<QInputMethodEvent *>(event);
        const QString committed = im->commitString();
        if (!committed.isEmpty()) {
            QKeyEvent asKey(QEvent::KeyPress, 0, Qt::NoModifier, committed);
            if (!acceptsKey(&asKey)) {
                beepHook()();
                return true;
            }
        }
        break;
    }
    case QEvent::FocusOut:
        // A context menu or other pop-up of the field itself is no leaving.
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            limitText();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void SpinEdit::limitText()
{
    const std::optional<qint64> number = wholeNumber(m_edit->text());
    if (number && (*number < m_min || *number > m_max))
        setValue(int(std::clamp<qint64>(*number, m_min, m_max)));
}

void SpinEdit::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutParts();
}

void SpinEdit::layoutParts()
{
    const int arrows = std::min(ArrowWidth, width() / 2);
    const int upHeight = height() / 2;
    m_edit->setGeometry(0, 0, width() - arrows, height());
    m_up->setGeometry(width() - arrows, 0, arrows, upHeight);
    m_down->setGeometry(width() - arrows, upHeight, arrows, height() - upHeight);
}

} // namespace platform
