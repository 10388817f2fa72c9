#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace platform {

// A framed group of radio items in one column, spread evenly over the frame's height below its
// caption. The caption may carry an "&" access key that moves the focus to the group. The group
// is one stop of the Tab chain, at its selected item; the arrow keys move between the items. No
// item is selected until the user or the program picks one; the user can pick an item but cannot
// clear the selection, the program can (setItemIndex(-1)).
class RadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    explicit RadioGroup(QWidget *parent = nullptr);

    // Sets the caption; "&" marks the access key, "&&" is one "&".
    void setCaption(const QString &caption);

    // Replaces the items; the selection is cleared.
    void setItems(const QStringList &items);
    QStringList items() const { return m_items; }

    // The selected item, 0 for the first, or -1 when none is selected.
    int itemIndex() const;
    // Selects item index; -1, or any index outside the items, clears the selection.
    void setItemIndex(int index);

    // The radio button of item index, or nullptr outside the items. Each is named
    // objectName() + "Item" + its number from 1 (e.g. "SizeGroupItem1") when it is created.
    QRadioButton *button(int index) const;

Q_SIGNALS:
    // The user picked an item (not emitted for setItemIndex).
    void clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void layoutItems();
    void updateTabStop();

    QButtonGroup *m_group = nullptr;
    QList<QRadioButton *> m_buttons;
    QStringList m_items;
};

} // namespace platform
