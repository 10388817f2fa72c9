#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QKeyEvent;
class QLineEdit;
class QToolButton;

namespace platform {

// A whole-number field with up and down arrows. Unlike QSpinBox it lets the text hold anything
// that was pasted and only settles the number when asked for it, when the program sets it, or
// when the field loses the keyboard focus:
// - the arrows and the Up and Down keys change the value by one, never beyond the range;
// - typed characters other than digits, "+", "-" and the locale's decimal separator are refused
//   with a beep (Enter included); editing and clipboard keys work as in any line edit; pasted
//   text is taken as it is;
// - leaving the field replaces a whole number outside the range by the nearer limit; any other
//   text (blank, "12a") stays as it is;
// - value() is the text read as a whole number and limited to the range, or the minimum when the
//   text is no whole number.
// The inner line edit carries the same objectName as the field, so tests can find either.
class SpinEdit : public QWidget
{
    Q_OBJECT
public:
    explicit SpinEdit(QWidget *parent = nullptr);

    // The range is kept ordered: a max below min is taken as min.
    void setRange(int min, int max);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }

    int value() const;
    // Shows value limited to the range.
    void setValue(int value);

    // The text as it stands, without any limiting.
    QString text() const;
    void setText(const QString &text);

    // Changes the value by steps (the arrows and Up/Down use +1 and -1), limited to the range.
    void stepBy(int steps);

    QLineEdit *lineEdit() const { return m_edit; }
    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

    // Called when a key is refused. Defaults to QApplication::beep; tests replace it to count.
    static std::function<void()> &beepHook();

Q_SIGNALS:
    // The text changed, by typing, pasting, the arrows or the program.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Whether a key press with this text may reach the line edit.
    bool acceptsKey(const QKeyEvent *event) const;
    // Replaces a whole number outside the range in the text by the nearer limit.
    void limitText();
    void layoutParts();

    QLineEdit *m_edit = nullptr;
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
    int m_min = 0;
    int m_max = 100;
};

} // namespace platform
