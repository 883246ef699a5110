#include "accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace levelwise {
namespace {

// A combo box named by its label (or, unnamed, by its text); its value, list and text field
// stay reachable.
class AccessibleComboBox : public QAccessibleWidget {
public:
    explicit AccessibleComboBox(QComboBox *combo) : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return combo()->currentText();
        const QString text = QAccessibleWidget::text(kind);
        return kind == QAccessible::Name && text.isEmpty() ? combo()->currentText() : text;
    }

    int childCount() const override { return int(Children().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QObject *> children = Children();
        if (index < 0 || index >= children.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(children[index]);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(Children().indexOf(child->object())) : -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction()) {
            if (combo()->view()->isVisible())
                combo()->hidePopup();
            else
                combo()->showPopup();
        }
    }

private:
    QComboBox *combo() const { return static_cast<QComboBox *>(widget()); }

    // The drop-down list, then the text field, as Qt's own combo box reports them.
    QList<QObject *> Children() const
    {
        QList<QObject *> children{combo()->view()};
        if (QLineEdit *field = combo()->lineEdit())
            children << field;
        return children;
    }
};

QAccessibleInterface *AccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("levelwise::Form1"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String("QComboBox")) {
        // Asked for as the box is made, before it has a name.
        return new AccessibleComboBox(static_cast<QComboBox *>(object));
    }
    return nullptr;
}

}  // namespace

void InstallAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(AccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace levelwise
