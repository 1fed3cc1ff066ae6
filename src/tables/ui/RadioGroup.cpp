#include "tables/ui/RadioGroup.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace vc {

RadioGroup::RadioGroup(const QString& name, QWidget* parent)
    : QGroupBox(parent), m_buttons(new QButtonGroup(this)) {
    setObjectName(name);
    new QVBoxLayout(this);
}

void RadioGroup::setItems(const QStringList& captions) {
    for (int i = 0; i < captions.size(); ++i) {
        QAbstractButton* button = m_buttons->button(i);
        if (!button) {
            button = new QRadioButton(this);
            button->setObjectName(objectName() + QStringLiteral("_Item") + QString::number(i));
            m_buttons->addButton(button, i);
            layout()->addWidget(button);
        }
        button->setText(captions[i]);
    }
}

QStringList RadioGroup::items() const {
    QStringList captions;
    for (QAbstractButton* button : m_buttons->buttons())
        captions.append(button->text());
    return captions;
}

int RadioGroup::itemIndex() const {
    return m_buttons->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* button = m_buttons->button(index))
        button->setChecked(true);
}

} // namespace vc
