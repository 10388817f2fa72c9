#include "platform/radiogroup.h"

#include <QButtonGroup>
#include <QEvent>
#include <QRadioButton>

namespace platform {

namespace {

// Left margin of the items inside the frame, and the space kept below them.
constexpr int ItemLeft = 8;
constexpr int BottomMargin = 5;

} // namespace

RadioGroup::RadioGroup(QWidget *parent)
    : QGroupBox(parent)
{
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
    connect(m_group, &QButtonGroup::idToggled, this, [this] { updateTabStop(); });
    connect(this, &QObject::objectNameChanged, this, [this](const QString &name) {
        for (qsizetype i = 0; i < m_buttons.size(); ++i)
            m_buttons[i]->setObjectName(name + "Item" + QString::number(i + 1));
    });
}

void RadioGroup::setCaption(const QString &caption)
{
    setTitle(caption);
}

void RadioGroup::setItems(const QStringList &items)
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    m_items = items;
    for (qsizetype i = 0; i < items.size(); ++i) {
        // Item texts are shown as they are: an "&" in them is no access key.
        QString shown = items[i];
        shown.replace(u'&', QLatin1String("&&"));
        auto *button = new QRadioButton(shown, this);
        button->setObjectName(objectName() + "Item" + QString::number(i + 1));
        m_group->addButton(button, int(i));
        m_buttons.append(button);
        button->show();
    }
    updateTabStop();
    layoutItems();
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < m_buttons.size()) {
        m_buttons[index]->setChecked(true);
        return;
    }
    // An exclusive group never lets its checked button go; lift exclusivity for the moment.
    if (QAbstractButton *checked = m_group->checkedButton()) {
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
    updateTabStop();
}

// The group is one stop of the Tab chain, at its selected item (the first when none is); the
// arrow keys move between the items, and a click reaches any of them.
void RadioGroup::updateTabStop()
{
    const int stop = std::max(0, m_group->checkedId());
    for (qsizetype i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setFocusPolicy(i == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

QRadioButton *RadioGroup::button(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons[index] : nullptr;
}

void RadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    layoutItems();
}

void RadioGroup::changeEvent(QEvent *event)
{
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        layoutItems();
}

// The items share the height below the caption in equal rows, each item filling its row, the
// rows' leftover pixels split above and below.
void RadioGroup::layoutItems()
{
    if (m_buttons.isEmpty())
        return;
    const int captionHeight = fontMetrics().height();
    const int count = int(m_buttons.size());
    const int available = std::max(0, height() - captionHeight - BottomMargin);
    const int rowHeight = available / count;
    const int top = captionHeight + 1 + (available % count) / 2;
    // An item is as wide as its text, so that it does not reach under controls placed beside it.
    const int maxWidth = std::max(0, width() - ItemLeft - 2);
    for (int i = 0; i < count; ++i) {
        const int itemWidth = std::min(maxWidth, m_buttons[i]->sizeHint().width());
        m_buttons[i]->setGeometry(ItemLeft, top + i * rowHeight, itemWidth, rowHeight);
    }
}

} // namespace platform
