#include "TranslateForm.h"

#include "lang/IniFile.h"
#include "lang/Language.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QWidget>

namespace {

constexpr int LeaveItems = -2;
constexpr int FirstItemOnly = -3;

class Translator
{
public:
    Translator(const QString &section, bool withItems) : m_section(section), m_withItems(withItems) {}
    bool load(const QString &path) { return m_ini.load(path); }

    QString text(const QString &key, const QString &current) const
    {
        return m_ini.value(m_section, key, current);
    }

    void visit(QObject *object);
    void walk(QObject *parent);

private:
    void translateAction(QAction *action);
    void translateCombo(QComboBox *combo, int tag);
    void translateTable(QTableWidget *table);
    void translateList(QListWidget *list);
    void translateTabs(QTabWidget *tabs);

    IniFile m_ini;
    QString m_section;
    bool m_withItems;
};

int tagOf(const QObject *object)
{
    return object->property("tag").toInt();
}

// A child that is a window of its own (a dialog or a document window) has its own section;
// pop-up menus are windows too, but they belong to the form that designed them.
bool isOtherForm(const QObject *object)
{
    if (qobject_cast<const QMenu *>(object))
        return false;
    if (qobject_cast<const QDialog *>(object) || qobject_cast<const QMdiSubWindow *>(object) ||
        qobject_cast<const QMainWindow *>(object))
        return true;
    const auto *w = qobject_cast<const QWidget *>(object);
    return w && w->isWindow();
}

void Translator::walk(QObject *parent)
{
    for (QObject *child : parent->children()) {
        if (isOtherForm(child))
            continue;
        visit(child);
        walk(child);
    }
}

void Translator::translateAction(QAction *action)
{
    const QString name = action->objectName();
    if (name.isEmpty() || action->isSeparator())
        return;
    action->setText(text(name + QStringLiteral(".Caption"), action->text()));
    action->setToolTip(text(name + QStringLiteral(".Hint"), action->toolTip()));
}

void Translator::translateCombo(QComboBox *combo, int tag)
{
    const QString name = combo->objectName();
    const int selected = combo->currentIndex();
    const int count = tag == FirstItemOnly ? qMin(1, combo->count()) : combo->count();
    for (int i = 0; i < count; ++i)
        combo->setItemText(i, text(name + u'.' + QString::number(i), combo->itemText(i)));
    combo->setCurrentIndex(selected);
}

void Translator::translateTable(QTableWidget *table)
{
    const QString name = table->objectName();
    for (int c = 0; c < table->columnCount(); ++c) {
        QTableWidgetItem *head = table->horizontalHeaderItem(c);
        const QString current = head ? head->text() : QString();
        const QString key = name + u'.' + QString::number(c + 1);
        if (!m_ini.contains(m_section, key))
            continue;
        if (!head) {
            head = new QTableWidgetItem;
            table->setHorizontalHeaderItem(c, head);
        }
        head->setText(text(key, current));
    }
}

void Translator::translateList(QListWidget *list)
{
    const QString name = list->objectName();
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setText(text(name + u'.' + QString::number(i), list->item(i)->text()));
}

void Translator::translateTabs(QTabWidget *tabs)
{
    for (int i = 0; i < tabs->count(); ++i) {
        const QString name = tabs->widget(i)->objectName();
        if (!name.isEmpty())
            tabs->setTabText(i, text(name + QStringLiteral(".Caption"), tabs->tabText(i)));
    }
}

void Translator::visit(QObject *object)
{
    const QString name = object->objectName();
    if (name.isEmpty() || name.startsWith(QStringLiteral("qt_")))
        return;
    const QString caption = name + QStringLiteral(".Caption");
    const int tag = tagOf(object);

    if (auto *label = qobject_cast<QLabel *>(object)) {
        label->setText(text(caption, label->text()));
    } else if (auto *action = qobject_cast<QAction *>(object)) {
        translateAction(action);
    } else if (auto *menu = qobject_cast<QMenu *>(object)) {
        menu->setTitle(text(caption, menu->title()));
        menu->menuAction()->setToolTip(text(name + QStringLiteral(".Hint"), menu->menuAction()->toolTip()));
    } else if (auto *push = qobject_cast<QPushButton *>(object)) {
        push->setText(text(caption, push->text()));
    } else if (auto *tool = qobject_cast<QToolButton *>(object)) {
        tool->setText(text(caption, tool->text()));
        tool->setToolTip(text(name + QStringLiteral(".Hint"), tool->toolTip()));
    } else if (auto *table = qobject_cast<QTableWidget *>(object)) {
        if (tag != LeaveItems)
            translateTable(table);
    } else if (auto *combo = qobject_cast<QComboBox *>(object)) {
        if (m_withItems && tag != LeaveItems)
            translateCombo(combo, tag);
    } else if (auto *button = qobject_cast<QAbstractButton *>(object)) {
        // check boxes and radio buttons
        button->setText(text(caption, button->text()));
    } else if (auto *group = qobject_cast<QGroupBox *>(object)) {
        group->setTitle(text(caption, group->title()));
    } else if (auto *tabs = qobject_cast<QTabWidget *>(object)) {
        translateTabs(tabs);
    } else if (auto *list = qobject_cast<QListWidget *>(object)) {
        if (tag != LeaveItems)
            translateList(list);
    }
}

} // namespace

QString FormSectionName(const QWidget *form)
{
    QString name = QString::fromLatin1(form->metaObject()->className());
    if (!name.startsWith(QStringLiteral("Tf")))
        name = form->objectName();
    if (name.startsWith(QStringLiteral("Tf")))
        name.remove(0, 1);
    return name;
}

void TranslateForm(QWidget *form, const QString &langName, bool withItems)
{
    if (!form)
        return;
    const QString section = FormSectionName(form);
    Translator t(section, withItems);
    t.load(LanguageFilePath(langName));
    form->setWindowTitle(t.text(section + QStringLiteral(".Caption"), form->windowTitle()));
    t.walk(form);
}
