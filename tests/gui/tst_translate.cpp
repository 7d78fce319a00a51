// TranslateForm over Qt widgets, and the language list of the language dialog.

#include "GuiTestSupport.h"

#include "lang/SetLanguage.h"
#include "lang/TranslateForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A form with one control of every kind the translation knows, all with English texts.
class ProbeForm : public QWidget
{
public:
    ProbeForm()
    {
        setObjectName(QStringLiteral("fProbe"));
        setWindowTitle(QStringLiteral("Probe"));
        auto *layout = new QVBoxLayout(this);
        auto add = [&](QWidget *w, const char *name) {
            w->setObjectName(QLatin1String(name));
            layout->addWidget(w);
            return w;
        };
        label = static_cast<QLabel *>(add(new QLabel(QStringLiteral("Label")), "lbOne"));
        untouched = static_cast<QLabel *>(add(new QLabel(QStringLiteral("Stays")), "lbTwo"));
        button = static_cast<QPushButton *>(add(new QPushButton(QStringLiteral("&Ok")), "btnOk"));
        tool = static_cast<QToolButton *>(add(new QToolButton, "tbGo"));
        tool->setText(QStringLiteral("Go"));
        tool->setToolTip(QStringLiteral("Go tip"));
        check = static_cast<QCheckBox *>(add(new QCheckBox(QStringLiteral("Check")), "chBox"));
        radio = static_cast<QRadioButton *>(add(new QRadioButton(QStringLiteral("Radio")), "rbOne"));
        group = static_cast<QGroupBox *>(add(new QGroupBox(QStringLiteral("Group")), "gbGroup"));
        nested = new QLabel(QStringLiteral("Nested"), group);
        nested->setObjectName(QStringLiteral("lbNested"));

        all = static_cast<QComboBox *>(add(new QComboBox, "cbAll"));
        all->addItems({QStringLiteral("Off"), QStringLiteral("On"), QStringLiteral("Auto")});
        all->setCurrentIndex(2);
        first = static_cast<QComboBox *>(add(new QComboBox, "cbFirst"));
        first->addItems({QStringLiteral("None"), QStringLiteral("67.0")});
        first->setProperty("tag", -3);
        first->setCurrentIndex(0);
        kept = static_cast<QComboBox *>(add(new QComboBox, "cbKept"));
        kept->addItems({QStringLiteral("COM1")});
        kept->setProperty("tag", -2);

        list = static_cast<QListWidget *>(add(new QListWidget, "lbList"));
        list->addItems({QStringLiteral("One"), QStringLiteral("Two")});
        keptList = static_cast<QListWidget *>(add(new QListWidget, "lbKeptList"));
        keptList->addItems({QStringLiteral("English")});
        keptList->setProperty("tag", -2);

        table = static_cast<QTableWidget *>(add(new QTableWidget(2, 2), "gvGrid"));
        table->setHorizontalHeaderLabels({QStringLiteral("Rx"), QStringLiteral("Tx")});

        tabs = static_cast<QTabWidget *>(add(new QTabWidget, "pcPages"));
        auto *page = new QWidget;
        page->setObjectName(QStringLiteral("tsFirst"));
        tabs->addTab(page, QStringLiteral("First"));

        action = new QAction(QStringLiteral("&Do"), this);
        action->setObjectName(QStringLiteral("nDo"));
        action->setToolTip(QStringLiteral("Do"));
        menu = new QMenu(QStringLiteral("&Menu"), this);
        menu->setObjectName(QStringLiteral("mMenu"));
        menu->addAction(action);

        // A dialog of its own that happens to be a child: it has its own section.
        child = new QDialog(this);
        child->setObjectName(QStringLiteral("fChild"));
        childLabel = new QLabel(QStringLiteral("Child"), child);
        childLabel->setObjectName(QStringLiteral("lbOne"));
    }

    QLabel *label, *untouched, *nested, *childLabel;
    QPushButton *button;
    QToolButton *tool;
    QCheckBox *check;
    QRadioButton *radio;
    QGroupBox *group;
    QComboBox *all, *first, *kept;
    QListWidget *list, *keptList;
    QTableWidget *table;
    QTabWidget *tabs;
    QAction *action;
    QMenu *menu;
    QDialog *child;
};

const char *const probeSection = R"([fProbe]
fProbe.Caption=探针
lbOne.Caption=标签
btnOk.Caption=确定(&O)
tbGo.Caption=走
tbGo.Hint=走吧
chBox.Caption=复选
rbOne.Caption=单选
gbGroup.Caption=分组
lbNested.Caption=嵌套
cbAll.0=关
cbAll.1=开
cbAll.2=自动
cbFirst.0=无
cbFirst.1=should stay
cbKept.0=should stay
lbList.0=一
lbList.1=二
lbKeptList.0=should stay
gvGrid.1=接收
gvGrid.2=发射
tsFirst.Caption=第一页
nDo.Caption=执行(&D)
nDo.Hint=执行
mMenu.Caption=菜单(&M)
; lbTwo has no key: it keeps its text
)";

} // namespace

class TestTranslate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        session = std::make_unique<ScratchSession>();
        QVERIFY(WriteBytes(session->path(QStringLiteral("Probe.Ini")), QByteArray(probeSection)));
    }
    void cleanup() { session.reset(); }

    void everyKindWithItems()
    {
        ProbeForm f;
        TranslateForm(&f, QStringLiteral("Probe"), true);
        QCOMPARE(f.windowTitle(), QStringLiteral("探针"));
        QCOMPARE(f.label->text(), QStringLiteral("标签"));
        QCOMPARE(f.untouched->text(), QStringLiteral("Stays"));
        QCOMPARE(f.button->text(), QStringLiteral("确定(&O)"));
        QCOMPARE(f.tool->text(), QStringLiteral("走"));
        QCOMPARE(f.tool->toolTip(), QStringLiteral("走吧"));
        QCOMPARE(f.check->text(), QStringLiteral("复选"));
        QCOMPARE(f.radio->text(), QStringLiteral("单选"));
        QCOMPARE(f.group->title(), QStringLiteral("分组"));
        QCOMPARE(f.nested->text(), QStringLiteral("嵌套"));
        QCOMPARE(f.action->text(), QStringLiteral("执行(&D)"));
        QCOMPARE(f.action->toolTip(), QStringLiteral("执行"));
        QCOMPARE(f.menu->title(), QStringLiteral("菜单(&M)"));
        QCOMPARE(f.tabs->tabText(0), QStringLiteral("第一页"));
        QCOMPARE(f.table->horizontalHeaderItem(0)->text(), QStringLiteral("接收"));
        QCOMPARE(f.table->horizontalHeaderItem(1)->text(), QStringLiteral("发射"));

        // Every item, and the selection stays where it was.
        QCOMPARE(f.all->itemText(0), QStringLiteral("关"));
        QCOMPARE(f.all->itemText(1), QStringLiteral("开"));
        QCOMPARE(f.all->currentIndex(), 2);
        QCOMPARE(f.all->currentText(), QStringLiteral("自动"));
        // Tag -3: only item 0.
        QCOMPARE(f.first->itemText(0), QStringLiteral("无"));
        QCOMPARE(f.first->itemText(1), QStringLiteral("67.0"));
        QCOMPARE(f.first->currentText(), QStringLiteral("无"));
        // Tag -2: left alone.
        QCOMPARE(f.kept->itemText(0), QStringLiteral("COM1"));
        QCOMPARE(f.keptList->item(0)->text(), QStringLiteral("English"));
        QCOMPARE(f.list->item(1)->text(), QStringLiteral("二"));

        // A dialog owned by the form has its own section and is not walked into.
        QCOMPARE(f.childLabel->text(), QStringLiteral("Child"));

        // A second pass reads the same keys.
        TranslateForm(&f, QStringLiteral("Probe"), true);
        QCOMPARE(f.label->text(), QStringLiteral("标签"));
        QCOMPARE(f.all->currentText(), QStringLiteral("自动"));
    }

    void withoutItemsLeavesCombosButNotLists()
    {
        ProbeForm f;
        TranslateForm(&f, QStringLiteral("Probe"), false);
        QCOMPARE(f.label->text(), QStringLiteral("标签"));
        QCOMPARE(f.all->itemText(0), QStringLiteral("Off"));
        QCOMPARE(f.first->itemText(0), QStringLiteral("None"));
        QCOMPARE(f.list->item(0)->text(), QStringLiteral("一"));
    }

    void missingFileSectionOrKeyChangesNothing_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("no file") << QStringLiteral("Nowhere") << QByteArray();
        QTest::newRow("no section") << QStringLiteral("Other") << QByteArray("[fOther]\nlbOne.Caption=X\n");
        QTest::newRow("no keys") << QStringLiteral("Empty") << QByteArray("[fProbe]\n; nothing\n");
    }
    void missingFileSectionOrKeyChangesNothing()
    {
        QFETCH(QString, language);
        QFETCH(QByteArray, content);
        if (!content.isEmpty())
            QVERIFY(WriteBytes(session->path(language + QStringLiteral(".Ini")), content));
        ProbeForm f;
        TranslateForm(&f, language, true);
        QCOMPARE(f.windowTitle(), QStringLiteral("Probe"));
        QCOMPARE(f.label->text(), QStringLiteral("Label"));
        QCOMPARE(f.tool->toolTip(), QStringLiteral("Go tip"));
        QCOMPARE(f.all->itemText(2), QStringLiteral("Auto"));
        QCOMPARE(f.all->currentIndex(), 2);
        QCOMPARE(f.table->horizontalHeaderItem(0)->text(), QStringLiteral("Rx"));
        QCOMPARE(f.action->text(), QStringLiteral("&Do"));
    }

    void gbkLanguageFile()
    {
        const QByteArray gbk =
            QStringEncoder("GBK").encode(QStringLiteral("[fProbe]\nlbOne.Caption=中文标签\n"));
        QVERIFY(WriteBytes(session->path(QStringLiteral("Gbk.Ini")), gbk));
        ProbeForm f;
        TranslateForm(&f, QStringLiteral("Gbk"), true);
        QCOMPARE(f.label->text(), QStringLiteral("中文标签"));
    }

    void sectionIsTheClassNameWithoutT()
    {
        QWidget plain;
        plain.setObjectName(QStringLiteral("fPlain"));
        QCOMPARE(FormSectionName(&plain), QStringLiteral("fPlain"));
    }

    void splitBarList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("one") << QStringLiteral("English") << QStringList{QStringLiteral("English")};
        QTest::newRow("two") << QStringLiteral("Chinese|English")
                             << QStringList{QStringLiteral("Chinese"), QStringLiteral("English")};
        QTest::newRow("empty element")
            << QStringLiteral("a||b") << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
        QTest::newRow("trailing bar")
            << QStringLiteral("a|b|") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    }
    void splitBarList()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        QCOMPARE(SplitBarList(text), items);
    }

    void languageListDefaultsAndShippedFile()
    {
        QStringList names, languages;
        LanguageList(names, languages);
        QCOMPARE(languages, (QStringList{QStringLiteral("Chinese"), QStringLiteral("English")}));
        QCOMPARE(names, (QStringList{QStringLiteral("中文"), QStringLiteral("英文")}));

        GuiSession shipped;
        names.clear();
        languages.clear();
        LanguageList(names, languages);
        QCOMPARE(languages, (QStringList{QStringLiteral("English"), QStringLiteral("Chinese")}));
        QCOMPARE(names, (QStringList{QStringLiteral("English"), QStringLiteral("中文")}));
    }

private:
    std::unique_ptr<ScratchSession> session;
};

QTEST_MAIN(TestTranslate)
#include "tst_translate.moc"
