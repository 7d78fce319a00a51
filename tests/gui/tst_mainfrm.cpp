// The main window driven as a user drives it: start-up, file commands, exit, model
// dialog, language change, About box and help.

#include "GuiTestSupport.h"

#include "app/FrmAbout.h"
#include "app/MainFrm.h"
#include "file/DataFile.h"
#include "lang/SetLanguage.h"
#include "model/MacType.h"
#include "model/Model.h"
#include "model/RadioImage.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>

namespace {

// Receives the URLs the help command asks the desktop to open.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

// The caption without Qt's modified marker.
QString caption(const QWidget *w)
{
    return w->windowTitle().remove(QStringLiteral("[*]"));
}

} // namespace

class TestMainFrm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() { start(0); }
    void cleanup()
    {
        delete win;
        win = nullptr;
        files.reset();
        messages.reset();
        session.reset();
    }

    void startUpState()
    {
        QCOMPARE(caption(win), QStringLiteral("TQ-6105s"));
        QVERIFY(!win->isWindowModified());
        QVERIFY(!myAll->Modified);
        QVERIFY(win->FileName.isEmpty());
        QCOMPARE(myAll->CurChannel, 1);
        QCOMPARE(myAll->ModelCode, QStringLiteral("6105"));
        QCOMPARE(myAll->BandText, QStringLiteral("450 - 470MHz"));
        QCOMPARE(myAll->BandMinFreq, 450.0);
        QCOMPARE(myAll->BandMaxFreq, 470.0);
        QCOMPARE(myAll->RadioImage[0x145], uint8_t(244));

        // The tree: root, five groups, sixteen channel nodes under the second group.
        auto *tree = win->findChild<QTreeWidget *>(QStringLiteral("cxTQ6105"));
        QTreeWidgetItem *root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("TQ-6105s"));
        QCOMPARE(tree->currentItem(), root);
        QStringList groups;
        for (int i = 0; i < root->childCount(); ++i)
            groups << root->child(i)->text(0);
        QCOMPARE(groups, (QStringList{"Radio Information", "Channel Information", "Key Function",
                                      "Vox Function", "Optional Function"}));
        QTreeWidgetItem *channels = root->child(1);
        QCOMPARE(channels->childCount(), 16);
        QCOMPARE(channels->child(0)->text(0), QStringLiteral("No. -  1"));
        QCOMPARE(channels->child(15)->text(0), QStringLiteral("No. -  16"));
        QVERIFY(channels->isExpanded());

        // Status bar: empty, date, time, port, model, band, empty.
        QCOMPARE(panel(0), QString());
        QCOMPARE(panel(1), QStringLiteral("2024/05/17"));
        QCOMPARE(panel(2), QStringLiteral("13:45:09"));
        QCOMPARE(panel(3), QStringLiteral("Port: ") + myAll->ComPort);
        QCOMPARE(panel(4), QStringLiteral("TQ-6105s(UHF)"));
        QCOMPARE(panel(5), QStringLiteral("450 - 470MHz"));
        QCOMPARE(panel(6), QString());
    }

    void portCheckAtStartUp_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("used");
        const QStringList two = {QStringLiteral("ttyUSB3"), QStringLiteral("ttyUSB4")};
        QTest::newRow("missing: the first present") << "ttyUSB9" << two << "ttyUSB3";
        QTest::newRow("present") << "ttyUSB4" << two << "ttyUSB4";
        QTest::newRow("present, as a path") << "/dev/ttyUSB4" << two << "/dev/ttyUSB4";
        QTest::newRow("none present: kept") << "ttyUSB9" << QStringList() << "ttyUSB9";
    }
    void portCheckAtStartUp()
    {
        QFETCH(QString, configured);
        QFETCH(QStringList, present);
        QFETCH(QString, used);
        cleanup();
        start(0, configured, present);
        QCOMPARE(myAll->ComPort, used);
        QCOMPARE(panel(3), QStringLiteral("Port: ") + used);
    }

    void menusAsDesigned()
    {
        auto *bar = win->findChild<QMenuBar *>(QStringLiteral("MainMenu"));
        QStringList titles;
        for (QAction *a : bar->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Program", "&Setup", "&View", "&Help"}));

        // Captions, shortcuts and separators ("-") of every menu.
        const QList<QStringList> expected = {
            {"&New Ctrl+N", "&Open Ctrl+O", "&Save Ctrl+S", "Save &As Ctrl+A", "-", "&Print Ctrl+P",
             "Print Pre&view Ctrl+V", "-", "&Exit Ctrl+X"},
            {"C&hannel Information", "&Channel Edit", "-", "&Key Function", "&Vox Function",
             "&Optional Function", "Radio &Information"},
            {"&Read From Radio Ctrl+R", "&Write To Radio Ctrl+W"},
            {"&Model Information", "-", "&Communication Port", "Language File Setup"},
            {"Tree &View", "-", "&Toolbar", "&Status bar"},
            {"&Help Topics", "-", "About..."},
        };
        for (int m = 0; m < expected.size(); ++m) {
            QStringList items;
            for (QAction *a : bar->actions().at(m)->menu()->actions()) {
                if (a->isSeparator())
                    items << QStringLiteral("-");
                else
                    items << (a->text() + u' ' + a->shortcut().toString()).trimmed();
            }
            QCOMPARE(items, expected.at(m));
        }
        QVERIFY(action("nCool")->isChecked());
        QVERIFY(action("nBar")->isChecked());

        QStringList hints;
        for (QAction *a : win->findChild<QToolBar *>(QStringLiteral("tbar"))->actions())
            hints << (a->isSeparator() ? QStringLiteral("-") : a->toolTip());
        QCOMPARE(hints,
                 (QStringList{"New", "Open", "Save", "-", "Print", "-", "Read", "Write", "-", "Help"}));
    }

    void viewToggles()
    {
        auto *toolbar = win->findChild<QToolBar *>(QStringLiteral("tbar"));
        action("nCool")->trigger();
        QVERIFY(toolbar->isHidden());
        QVERIFY(!action("nCool")->isChecked());
        action("nCool")->trigger();
        QVERIFY(!toolbar->isHidden());
        QVERIFY(action("nCool")->isChecked());

        action("nBar")->trigger();
        QVERIFY(win->findChild<QStatusBar *>(QStringLiteral("MainBar"))->isHidden());

        auto *tree = win->findChild<QWidget *>(QStringLiteral("pTree"));
        action("T4")->trigger();
        QVERIFY(tree->isHidden());
        action("T4")->trigger();
        QVERIFY(!tree->isHidden());
        QTest::mouseClick(win->findChild<QWidget *>(QStringLiteral("TreeHide")), Qt::LeftButton);
        QVERIFY(tree->isHidden());
    }

    void treeDoubleClick()
    {
        auto *tree = win->findChild<QTreeWidget *>(QStringLiteral("cxTQ6105"));
        QTreeWidgetItem *root = tree->topLevelItem(0);
        QTreeWidgetItem *third = root->child(1)->child(2);

        // The root runs nothing.
        Q_EMIT tree->itemDoubleClicked(root, 0);
        QCOMPARE(myAll->CurChannel, 1);
        QVERIFY(messages->messages.isEmpty());
        // A node that is not the selected one does nothing.
        Q_EMIT tree->itemDoubleClicked(third, 0);
        QCOMPARE(myAll->CurChannel, 1);
        // The selected channel node makes its channel current.
        tree->setCurrentItem(third);
        Q_EMIT tree->itemDoubleClicked(third, 0);
        QCOMPARE(myAll->CurChannel, 3);
    }

    // --- file commands ---------------------------------------------------------------

    void saveAsksForANameAndAddsTheExtension()
    {
        myAll->Modified = true;
        files->answers = {session->path(QStringLiteral("radio"))};
        action("nSave")->trigger();
        const QString saved = session->path(QStringLiteral("radio.dat"));
        QCOMPARE(files->asked, std::vector<FileDialogKind>{FileDialogKind::Save});
        QCOMPARE(QFileInfo(saved).size(), qint64(448));
        QCOMPARE(win->FileName, saved);
        QCOMPARE(caption(win), QStringLiteral("TQ-6105s [%1]").arg(saved));
        QVERIFY(!myAll->Modified);
        QVERIFY(!win->isWindowModified());

        // With a file name, Save writes without asking.
        myAll->Modified = true;
        win->RunCommand(3);
        QCOMPARE(files->asked.size(), size_t(1));
        QVERIFY(!myAll->Modified);
        QVERIFY(messages->messages.isEmpty());
    }

    void saveCancelledWritesNothing()
    {
        myAll->Modified = true;
        win->RunCommand(3);
        QCOMPARE(files->asked.size(), size_t(1));
        QVERIFY(win->FileName.isEmpty());
        QVERIFY(myAll->Modified);
        QVERIFY(win->isWindowModified());
        QCOMPARE(caption(win), QStringLiteral("TQ-6105s"));
    }

    void saveAsCancelledForgetsTheFileName()
    {
        files->answers = {session->path(QStringLiteral("a.dat"))};
        win->RunCommand(3);
        QCOMPARE(win->FileName, session->path(QStringLiteral("a.dat")));
        win->RunCommand(4);
        QCOMPARE(files->asked.size(), size_t(2));
        QVERIFY(win->FileName.isEmpty());
        QCOMPARE(caption(win), QStringLiteral("TQ-6105s"));
    }

    void saveThatFailsShowsWhyAndKeepsTheChanges()
    {
        myAll->Modified = true;
        files->answers = {session->path(QStringLiteral("no/such/folder/x.dat"))};
        win->RunCommand(3);
        QCOMPARE(messages->messages.size(), 1);
        QVERIFY(messages->messages[0].text.contains(QStringLiteral("x.dat")));
        QVERIFY(win->FileName.isEmpty());
        QVERIFY(myAll->Modified);
        QCOMPARE(caption(win), QStringLiteral("TQ-6105s"));
    }

    void openReadsTheFileAfterTheSaveQuestion()
    {
        const QString vhf = session->path(QStringLiteral("vhf.dat"));
        QVERIFY(WriteBytes(vhf, DataFileWithCode("5105", 242)));
        myAll->Modified = true;
        messages->answers = {MsgNo};
        files->answers = {vhf};
        action("tbOpen")->trigger();
        QCOMPARE(messages->texts(), QStringList{QStringLiteral("Do you wish to save the changes?")});
        QCOMPARE(files->asked, std::vector<FileDialogKind>{FileDialogKind::Open});
        QCOMPARE(win->FileName, vhf);
        QCOMPARE(caption(win), QStringLiteral("TQ-6105s [%1]").arg(vhf));
        QVERIFY(!myAll->Modified);
        QVERIFY(!win->isWindowModified());
        QCOMPARE(myAll->ModelCode, QStringLiteral("5105"));
        QCOMPARE(panel(4), QStringLiteral("TQ-6105s(VHF)"));
        QCOMPARE(panel(5), QStringLiteral("136 - 174MHz"));
    }

    void openCancelledChangesNothing()
    {
        const auto image = myAll->RadioImage;
        myAll->Modified = true;
        messages->answers = {MsgNo};
        win->RunCommand(2);
        QCOMPARE(files->asked.size(), size_t(1));
        QVERIFY(myAll->RadioImage == image);
        QVERIFY(myAll->Modified);
    }

    void openRefusesAWrongModelAndForgetsTheFileName()
    {
        files->answers = {session->path(QStringLiteral("mine.dat"))};
        win->RunCommand(3);
        myAll->RadioImage[0x10] = 0x42;
        const auto image = myAll->RadioImage;

        const QString foreign = session->path(QStringLiteral("foreign.dat"));
        QVERIFY(WriteBytes(foreign, DataFileWithCode("9999", 244)));
        files->answers = {foreign};
        win->RunCommand(2);
        QCOMPARE(messages->texts(), QStringList{QStringLiteral("Model Type Wrong.")});
        QCOMPARE(messages->messages[0].caption, QStringLiteral("Confirmation"));
        QVERIFY(myAll->RadioImage == image);
        QVERIFY(win->FileName.isEmpty());
        QCOMPARE(caption(win), QStringLiteral("TQ-6105s"));
    }

    void openOfABrokenFileShowsWhyAndKeepsEverything()
    {
        const QString mine = session->path(QStringLiteral("mine.dat"));
        files->answers = {mine};
        win->RunCommand(3);
        const auto image = myAll->RadioImage;
        const QString shortFile = session->path(QStringLiteral("short.dat"));
        QVERIFY(WriteBytes(shortFile, QByteArray(100, 'P')));
        for (const QString &path : {shortFile, session->path(QStringLiteral("missing.dat"))}) {
            messages->clear();
            files->answers = {path};
            win->RunCommand(2);
            QCOMPARE(messages->messages.size(), 1);
            QVERIFY2(messages->messages[0].text.contains(QFileInfo(path).fileName()),
                     qPrintable(messages->messages[0].text));
            QVERIFY(myAll->RadioImage == image);
            QCOMPARE(win->FileName, mine);
        }
    }

    void newAsksToSaveThenStartsAFreshImage()
    {
        myAll->RadioImage[0x10] = 0x42;
        myAll->Modified = true;
        messages->answers = {MsgYes};
        files->answers = {session->path(QStringLiteral("kept.dat"))};
        action("nNew")->trigger();
        QCOMPARE(messages->texts(), QStringList{QStringLiteral("Do you wish to save the changes?")});
        QFile kept(session->path(QStringLiteral("kept.dat")));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(uint8_t(kept.readAll().at(16 + 0x10)), uint8_t(0x42));
        QCOMPARE(myAll->RadioImage[0x10], uint8_t(0xFF));
        QVERIFY(win->FileName.isEmpty());
        QCOMPARE(caption(win), QStringLiteral("TQ-6105s"));
        QVERIFY(!myAll->Modified);

        // Unmodified: no question.
        messages->clear();
        win->RunCommand(1);
        QVERIFY(messages->messages.isEmpty());
    }

    void newStopsWhenTheSaveItAskedForFails()
    {
        myAll->RadioImage[0x10] = 0x42;
        myAll->Modified = true;
        messages->answers = {MsgYes};
        files->answers = {session->path(QStringLiteral("no/such/folder/x.dat"))};
        win->RunCommand(1);
        QCOMPARE(messages->messages.size(), 2);
        QCOMPARE(myAll->RadioImage[0x10], uint8_t(0x42));
        QVERIFY(myAll->Modified);
    }

    // --- exit ------------------------------------------------------------------------

    void exitQuestion_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("saveTo");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        const QString none;
        const QString good = QStringLiteral("exit.dat");
        const QString bad = QStringLiteral("no/such/folder/exit.dat");
        QTest::newRow("no") << false << QList<int>{MsgNo} << none << 1 << false << false;
        QTest::newRow("yes, unmodified") << false << QList<int>{MsgYes} << none << 1 << true << false;
        QTest::newRow("yes, don't save") << true << QList<int>{MsgYes, MsgNo} << none << 2 << true << false;
        QTest::newRow("yes, save") << true << QList<int>{MsgYes, MsgYes} << good << 2 << true << true;
        QTest::newRow("yes, save, cancel dialog")
            << true << QList<int>{MsgYes, MsgYes} << none << 2 << true << false;
        QTest::newRow("yes, save fails") << true << QList<int>{MsgYes, MsgYes} << bad << 3 << false << false;
    }
    void exitQuestion()
    {
        QFETCH(bool, modified);
        QFETCH(QList<int>, answers);
        QFETCH(QString, saveTo);
        QFETCH(int, questions);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        myAll->Modified = modified;
        messages->answers.assign(answers.begin(), answers.end());
        if (!saveTo.isEmpty())
            files->answers = {session->path(saveTo)};
        const QString sysInfo = session->path(QStringLiteral("SysInfo.Ini"));
        QFile::remove(sysInfo);

        QCOMPARE(win->close(), closes);
        QCOMPARE(messages->messages.size(), questions);
        QCOMPARE(messages->messages[0].text, QStringLiteral("Do you wish to exit program?"));
        QCOMPARE(messages->messages[0].kind, int(MsgQuestion));
        QCOMPARE(QFileInfo::exists(session->path(QStringLiteral("exit.dat"))), saved);
        // SysInfo.Ini is written when the window closes, and only then.
        QCOMPARE(QFileInfo::exists(sysInfo), closes);
    }

    void exitWritesTheSettingsButNotAPortGivenForThisRun()
    {
        const QString configured = myAll->ComPort;
        win->SetPortOverride(QStringLiteral("/dev/pts/77"));
        QCOMPARE(myAll->ComPort, QStringLiteral("/dev/pts/77"));
        QCOMPARE(panel(3), QStringLiteral("Port: /dev/pts/77"));
        QVERIFY(win->close());
        IniFile ini;
        ini.load(session->path(QStringLiteral("SysInfo.Ini")));
        QCOMPARE(ini.value(QStringLiteral("SysInfo"), QStringLiteral("Com"), QString()), configured);
        QCOMPARE(ini.value(QStringLiteral("SysInfo"), QStringLiteral("DefaultLanguage"), QString()),
                 QStringLiteral("0"));
        QCOMPARE(ini.value(QStringLiteral("SysInfo"), QStringLiteral("Language"), QString()),
                 QStringLiteral("English|Chinese"));
    }

    // --- model dialog ----------------------------------------------------------------

    void modelDialogShowsTheCurrentModelAndBand()
    {
        ApplyModelBand(241, true); // VHF, 136 - 150MHz
        OnModal<TfModel>([](TfModel *d) {
            QCOMPARE(d->findChild<QComboBox *>(QStringLiteral("cbCopmut"))->currentText(),
                     QStringLiteral("TQ-6105s(VHF)"));
            QCOMPARE(d->findChild<QComboBox *>(QStringLiteral("cbPd"))->currentText(),
                     QStringLiteral("136 - 150MHz"));
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnCancel")), Qt::LeftButton);
        });
        const auto image = myAll->RadioImage;
        win->RunCommand(30);
        QCOMPARE(myAll->BandText, QStringLiteral("136 - 150MHz"));
        QVERIFY(myAll->RadioImage == image);
    }

    void modelDialogMakesAFreshImageForTheChosenBand_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("changes");
        QTest::newRow("unmodified") << false << QList<int>{} << true;
        QTest::newRow("clear data yes, don't save") << true << QList<int>{MsgYes, MsgNo} << true;
        QTest::newRow("clear data no") << true << QList<int>{MsgNo} << false;
    }
    void modelDialogMakesAFreshImageForTheChosenBand()
    {
        QFETCH(bool, modified);
        QFETCH(QList<int>, answers);
        QFETCH(bool, changes);
        myAll->RadioImage[0x10] = 0x42;
        myAll->Modified = modified;
        messages->answers.assign(answers.begin(), answers.end());
        const auto image = myAll->RadioImage;

        OnModal<TfModel>([](TfModel *d) {
            auto *models = d->findChild<QComboBox *>(QStringLiteral("cbCopmut"));
            auto *bands = d->findChild<QComboBox *>(QStringLiteral("cbPd"));
            QCOMPARE(models->currentText(), QStringLiteral("TQ-6105s(UHF)"));
            models->setCurrentIndex(1);
            Q_EMIT models->activated(1);
            QCOMPARE(bands->count(), 4);
            QCOMPARE(bands->currentText(), QStringLiteral("150 - 174MHz"));
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
        });
        win->RunCommand(30);

        if (modified)
            QCOMPARE(messages->messages.at(0).text, QStringLiteral("Do you wish to Clear Data?"));
        if (changes) {
            QCOMPARE(myAll->RadioImage[0x145], uint8_t(240));
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(&myAll->RadioImage[0x141]), 4),
                     QByteArray("5105"));
            QCOMPARE(myAll->RadioImage[0x10], uint8_t(0xFF));
            QCOMPARE(panel(4), QStringLiteral("TQ-6105s(VHF)"));
            QCOMPARE(panel(5), QStringLiteral("150 - 174MHz"));
            QVERIFY(!myAll->Modified);
        } else {
            QVERIFY(myAll->RadioImage == image);
            QCOMPARE(myAll->ModelCode, QStringLiteral("6105"));
            QCOMPARE(myAll->BandText, QStringLiteral("450 - 470MHz"));
            QVERIFY(myAll->Modified);
        }
    }

    // --- languages -------------------------------------------------------------------

    void languageSwitchToChineseAndBack()
    {
        myAll->Modified = true;
        chooseLanguage(1);
        QCOMPARE(myAll->LangName, QStringLiteral("Chinese"));
        QCOMPARE(myAll->LangIndex, 1);
        auto *bar = win->findChild<QMenuBar *>(QStringLiteral("MainMenu"));
        QCOMPARE(bar->actions().at(0)->text(), QStringLiteral("文件(&F)"));
        QCOMPARE(action("nSaveAs")->text(), QStringLiteral("另存为(&A)"));
        QCOMPARE(action("tbRead")->toolTip(), QStringLiteral("从对讲机读取"));
        auto *tree = win->findChild<QTreeWidget *>(QStringLiteral("cxTQ6105"));
        QCOMPARE(tree->topLevelItem(0)->child(1)->text(0), QStringLiteral("信道信息"));
        QCOMPARE(tree->topLevelItem(0)->child(1)->child(2)->text(0), QStringLiteral("信道 3"));
        QCOMPARE(panel(3), QStringLiteral("端口：") + myAll->ComPort);
        // The image did not change, so the unsaved changes are still offered for saving.
        QVERIFY(myAll->Modified);

        messages->answers = {MsgNo};
        QVERIFY(!win->close());
        QCOMPARE(messages->messages.at(0).caption, QStringLiteral("确认"));
        QCOMPARE(messages->messages.at(0).text, QStringLiteral("确定要退出程序吗？"));

        chooseLanguage(0);
        QCOMPARE(myAll->LangName, QStringLiteral("English"));
        QCOMPARE(bar->actions().at(0)->text(), QStringLiteral("&File"));
        QCOMPARE(tree->topLevelItem(0)->child(1)->child(2)->text(0), QStringLiteral("No. -  3"));
        QCOMPARE(panel(3), QStringLiteral("Port: ") + myAll->ComPort);
        messages->clear();
        messages->answers = {MsgNo};
        QVERIFY(!win->close());
        QCOMPARE(messages->messages.at(0).text, QStringLiteral("Do you wish to exit program?"));
    }

    void choosingTheCurrentLanguageChangesNothing()
    {
        OnModal<TfSetLanguage>([](TfSetLanguage *d) {
            auto *box = d->findChild<QComboBox *>(QStringLiteral("cbLanguage"));
            QCOMPARE(box->count(), 2);
            QCOMPARE(box->currentIndex(), 0);
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
        });
        win->RunCommand(32);
        QCOMPARE(myAll->LangIndex, 0);
        QCOMPARE(myAll->LangName, QStringLiteral("English"));
    }

    void startsInChineseWhenConfigured()
    {
        cleanup();
        start(1);
        QCOMPARE(action("nOpen")->text(), QStringLiteral("打开(&O)"));
        QCOMPARE(
            win->findChild<QTreeWidget *>(QStringLiteral("cxTQ6105"))->topLevelItem(0)->child(0)->text(0),
            QStringLiteral("对讲机信息"));
        OnModal<TfModel>([](TfModel *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("机型信息"));
            QCOMPARE(d->findChild<QPushButton *>(QStringLiteral("btnOk"))->text(),
                     QStringLiteral("确定(&O)"));
            d->reject();
        });
        win->RunCommand(30);
    }

    // --- About box and help ----------------------------------------------------------

    void aboutBoxTexts_data()
    {
        QTest::addColumn<int>("langIndex");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("version");
        QTest::newRow("English") << 0 << QStringLiteral("TQ-6105s Programming Software")
                                 << QStringLiteral("Version ") + QStringLiteral(TQ_VERSION);
        QTest::newRow("Chinese") << 1 << QStringLiteral("TQ-6105s 写频软件")
                                 << QStringLiteral("版本 ") + QStringLiteral(TQ_VERSION);
    }
    void aboutBoxTexts()
    {
        QFETCH(int, langIndex);
        QFETCH(QString, name);
        QFETCH(QString, version);
        cleanup();
        start(langIndex);
        QStringList labels;
        QString memo;
        QString title;
        OnModal<TfFrmAbout>([&](TfFrmAbout *d) {
            title = d->windowTitle();
            for (int i = 1; i <= 9; ++i)
                labels << d->findChild<QLabel *>(QStringLiteral("Label%1").arg(i))->text();
            memo = d->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->toPlainText();
            // A click on a label closes the box.
            QTest::mouseClick(d->findChild<QLabel *>(QStringLiteral("Label3")), Qt::LeftButton);
        });
        win->RunCommand(61);
        QCOMPARE(title, QStringLiteral("TQ-6105s"));
        QCOMPARE(labels.at(0), name);
        QCOMPARE(labels.at(1), version);
        for (int i = 0; i < 9; ++i)
            QVERIFY2(labels.at(i).size() > 3, qPrintable(labels.at(i)));
        QCOMPARE(memo, labels.at(4) + u'\n' + labels.at(5) + QStringLiteral("\n\n") + labels.at(6));
    }

    void helpOpensTheGuideOfTheLanguage()
    {
        UrlCatcher catcher;
        win->RunCommand(60);
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls[0].toLocalFile(), session->path(QStringLiteral("QM_English.html")));

        // A compiled help file of the same name comes first.
        QVERIFY(WriteBytes(session->path(QStringLiteral("QM_English.chm")), QByteArray("x")));
        action("tbHelp")->trigger();
        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls[1].toLocalFile(), session->path(QStringLiteral("QM_English.chm")));
    }

private:
    void start(int langIndex, const QString &comPort = QString(), const QStringList &present = {})
    {
        session = std::make_unique<GuiSession>(langIndex, comPort);
        if (!present.isEmpty()) {
            SetPortFinder([present] {
                QList<TPortInfo> ports;
                for (const QString &p : present)
                    ports.append({p, QStringLiteral("USB serial")});
                return ports;
            });
        }
        messages = std::make_unique<MsgRecorder>();
        files = std::make_unique<FileDialogScript>();
        win = new TfMainFrm;
        fMainFrm = win;
        win->show();
    }

    void chooseLanguage(int index)
    {
        OnModal<TfSetLanguage>([index](TfSetLanguage *d) {
            auto *box = d->findChild<QComboBox *>(QStringLiteral("cbLanguage"));
            QCOMPARE(box->itemText(1), QStringLiteral("中文"));
            box->setCurrentIndex(index);
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
        });
        win->RunCommand(32);
    }

    QAction *action(const char *name) const
    {
        auto *a = win->findChild<QAction *>(QLatin1String(name));
        if (!a)
            qFatal("no action %s", name);
        return a;
    }

    QString panel(int i) const
    {
        return win->findChild<QLabel *>(QStringLiteral("MainBarPanel%1").arg(i))->text();
    }

    std::unique_ptr<GuiSession> session;
    std::unique_ptr<MsgRecorder> messages;
    std::unique_ptr<FileDialogScript> files;
    TfMainFrm *win = nullptr;
};

QTEST_MAIN(TestMainFrm)
#include "tst_mainfrm.moc"
