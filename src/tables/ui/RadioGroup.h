#pragma once

#include "app/WindowLayer.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace vc {

// A titled group of radio buttons addressed by item number, the first item
// being 0.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    explicit RadioGroup(const QString& name, QWidget* parent = nullptr);

    // Replaces the captions of the items, creating items as needed; the
    // chosen item stays.
    void setItems(const QStringList& captions);
    QStringList items() const;
    // The chosen item, -1 when none.
    int itemIndex() const;
    void setItemIndex(int index);

private:
    QButtonGroup* m_buttons;
};

} // namespace vc
