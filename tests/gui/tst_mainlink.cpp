// Reading and writing a radio from the main window's menu, against the simulated radio
// on a pseudo-terminal, and choosing the port from the menu.

#include "GuiTestSupport.h"

#include "RadioSim.h"

#include "app/MainFrm.h"
#include "link/Backups.h"
#include "link/LinkSession.h"
#include "link/ReadRadio.h"
#include "link/SetPort.h"
#include "link/WriteRadio.h"
#include "link/WriteSession.h"
#include "model/MacType.h"
#include "model/RadioImage.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTreeWidget>

namespace {

QByteArray imageBytes()
{
    return QByteArray(reinterpret_cast<const char *>(myAll->RadioImage.data()), RadioImageSize);
}

void click(QWidget *dialog, const char *name)
{
    QTest::mouseClick(dialog->findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
}

} // namespace

class TestMainLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init()
    {
        session = std::make_unique<GuiSession>();
        SetBackupFolder(session->path(QStringLiteral("backups")));
        // The link's pauses (up to 2.5 s) shrink to a few milliseconds.
        SetPauseFunction([](int ms) { QThread::msleep(ulong(std::min(ms, 2))); });
        messages = std::make_unique<MsgRecorder>();
        files = std::make_unique<FileDialogScript>();

        QString error;
        radio = std::make_unique<RadioSim>();
        radio->SetBaud(0);
        const QString link = session->path(QStringLiteral("radio"));
        QVERIFY2(radio->Open(&error) && radio->SetLink(link, &error), qPrintable(error));
        radio->Start();

        win = new TfMainFrm;
        fMainFrm = win;
        win->SetPortOverride(link);
        win->show();
    }

    void cleanup()
    {
        delete win;
        win = nullptr;
        radio.reset();
        files.reset();
        messages.reset();
        SetPauseFunction(nullptr);
        SetBackupFolder(QString());
        session.reset();
    }

    void readFromTheMenu()
    {
        // A VHF radio with something in its channel memory.
        ApplyModelBand(240, true);
        NewImage();
        myAll->RadioImage[0x000] = 0x25;
        myAll->RadioImage[0x001] = 0x50;
        myAll->RadioImage[0x002] = 0x61;
        myAll->RadioImage[0x003] = 0x01;
        radio->SetModelCode("5105");
        radio->SetMemory(imageBytes());
        const QByteArray inRadio = imageBytes().left(RadioExchangeSize);

        // The program starts over with a UHF image in a file.
        ApplyModelBand(244, true);
        files->answers = {session->path(QStringLiteral("before.dat"))};
        win->RunCommand(1);
        win->RunCommand(3);
        QVERIFY(!win->FileName.isEmpty());
        QCOMPARE(myAll->ModelCode, QStringLiteral("6105"));

        OnModal<TfReadRadio>([](TfReadRadio *d) { click(d, "btnOk"); });
        win->findChild<QAction *>(QStringLiteral("nRead"))->trigger();

        QCOMPARE(messages->texts(), QStringList{QStringLiteral("Reading Completed.")});
        // The channels as the radio holds them (the settings after them are normalised).
        QCOMPARE(imageBytes().left(0x120), inRadio.left(0x120));
        QCOMPARE(myAll->RadioImage[0x145], uint8_t(240));
        QCOMPARE(myAll->ModelCode, QStringLiteral("5105"));
        QVERIFY(myAll->Modified);
        QVERIFY(win->isWindowModified());
        // The views: no file, the radio's model and band, the tree rebuilt.
        QVERIFY(win->FileName.isEmpty());
        QCOMPARE(win->windowTitle(), QStringLiteral("TQ-6105s[*]"));
        QCOMPARE(panel(4), QStringLiteral("TQ-6105s(VHF)"));
        QCOMPARE(panel(5), QStringLiteral("150 - 174MHz"));
        auto *tree = win->findChild<QTreeWidget *>(QStringLiteral("cxTQ6105"));
        QCOMPARE(tree->topLevelItem(0)->child(1)->childCount(), 16);
    }

    void writeFromTheMenu()
    {
        myAll->RadioImage[0x010] = 0x46;
        myAll->RadioImage[0x011] = 0x62;
        myAll->RadioImage[0x012] = 0x45;
        myAll->RadioImage[0x013] = 0x00;
        myAll->Modified = true;

        OnModal<TfWriteRadio>([](TfWriteRadio *d) {
            // The dialog stays open for the next radio; close it once this one is done.
            QObject::connect(d->Session(), &TLinkSession::SessionEnded, d, [d] { click(d, "btnCancel"); });
            click(d, "btnOk");
        });
        win->findChild<QAction *>(QStringLiteral("tbWrite"))->trigger();

        QCOMPARE(messages->texts(), QStringList{QStringLiteral("Writing Completed.")});
        QCOMPARE(radio->Memory().left(RadioExchangeSize), imageBytes().left(RadioExchangeSize));
        QCOMPARE(uint8_t(radio->Memory().at(0x010)), uint8_t(0x46));
        QVERIFY(myAll->Modified);
    }

    void portFromTheMenu()
    {
        const QString typed = session->path(QStringLiteral("other-radio"));
        OnModal<TfSetPort>([typed](TfSetPort *d) {
            auto *path = d->findChild<QLineEdit *>(QStringLiteral("ePath"));
            path->clear();
            QTest::keyClicks(path, typed);
            click(d, "btnOk");
        });
        win->findChild<QAction *>(QStringLiteral("nPort"))->trigger();
        QCOMPARE(myAll->ComPort, typed);
        QCOMPARE(panel(3), QStringLiteral("Port: ") + typed);

        // A port the user chose is kept, unlike one given for this run only.
        QVERIFY(win->close());
        IniFile ini;
        ini.load(session->path(QStringLiteral("SysInfo.Ini")));
        QCOMPARE(ini.value(QStringLiteral("SysInfo"), QStringLiteral("Com"), QString()), typed);
    }

private:
    QString panel(int i) const
    {
        return win->findChild<QLabel *>(QStringLiteral("MainBarPanel%1").arg(i))->text();
    }

    std::unique_ptr<GuiSession> session;
    std::unique_ptr<MsgRecorder> messages;
    std::unique_ptr<FileDialogScript> files;
    std::unique_ptr<RadioSim> radio;
    TfMainFrm *win = nullptr;
};

QTEST_MAIN(TestMainLink)
#include "tst_mainlink.moc"
