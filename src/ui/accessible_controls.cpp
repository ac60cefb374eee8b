// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_controls.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace quillet
{

namespace
{

// A combo box named by its accessible name (else as any widget: by its buddy label); its
// children are the list of its items and,
// when editable, its text field, as in Qt's own interface.
class NamedComboBox : public QAccessibleWidget
{
public:
    explicit NamedComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return box()->lineEdit() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->lineEdit())
            return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        if (child->object() == box()->view())
            return 0;
        if (box()->lineEdit() && child->object() == box()->lineEdit())
            return 1;
        return -1;
    }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& actionName) override
    {
        if (actionName == showMenuAction() || actionName == pressAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

// The label whose buddy label is, if any.
const QLabel* CaptionOf(const QLabel* label)
{
    if (!label->parentWidget())
        return nullptr;
    for (const QLabel* other :
         label->parentWidget()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (other != label && other->buddy() == label)
            return other;
    }
    return nullptr;
}

// A value beside its caption, named by both. QLabel announces each new text as a change
// of its name as long as it has no accessible name of its own.
class CaptionedValue : public QAccessibleWidget
{
public:
    explicit CaptionedValue(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<const QLabel*>(widget());
        if (t == QAccessible::Name) {
            const QLabel* caption = CaptionOf(label);
            return caption ? caption->text() + u' ' + label->text() : label->text();
        }
        if (t == QAccessible::Value)
            return label->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* Factory(const QString&, QObject* object)
{
    if (auto* box = qobject_cast<QComboBox*>(object))
        return new NamedComboBox(box);
    if (auto* label = qobject_cast<ValueLabel*>(object))
        return new CaptionedValue(label);
    return nullptr;
}

} // namespace

void InstallAccessibleControls()
{
    static const bool bInstalled = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(bInstalled);
}

} // namespace quillet
