// The link dialogs, offscreen: the port choice, and the read and write dialogs over the
// simulated radio.

#include "LinkTestSupport.h"

#include "link/Ports.h"
#include "link/ReadRadio.h"
#include "link/ReadSession.h"
#include "link/SetPort.h"
#include "link/WriteRadio.h"
#include "link/WriteSession.h"
#include "model/MacType.h"
#include "model/RadioImage.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <class T> T *Child(QWidget *parent, const QString &name)
{
    T *child = parent->findChild<T *>(name);
    if (!child)
        qWarning("no %s", qPrintable(name));
    return child;
}

QRadioButton *Radio(QWidget *parent, const QString &name)
{
    return Child<QRadioButton>(parent, name);
}

// Clicks near the left edge: a radio button takes clicks on its circle and text only.
void Click(QWidget *parent, const QString &name)
{
    QAbstractButton *button = Child<QAbstractButton>(parent, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Shows the dialog and lets it open its port.
void ShowAndSettle(QDialog &dialog)
{
    dialog.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void WriteLanguageFile(const LinkScratch &scratch, const QByteArray &text)
{
    QFile f(scratch.session.path(QStringLiteral("English.Ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
    myAll->LangIndex = 1;
    myAll->LangName = QStringLiteral("English");
}

struct FakePorts
{
    explicit FakePorts(const QList<TPortInfo> &ports)
    {
        SetPortFinder([ports] { return ports; });
    }
    ~FakePorts() { SetPortFinder(nullptr); }
};

} // namespace

class TestLinkDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setPortDevices_data();
    void setPortDevices();
    void setPortNumbered_data();
    void setPortNumbered();
    void readDialog();
    void readDialogPortMissingTranslated();
    void writeDialog();
};

void TestLinkDialogs::setPortDevices_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("after");
    QTest::newRow("an absent port stays checked and is kept")
        << QStringLiteral("ttyACM3") << QStringLiteral("ok") << QStringLiteral("ttyACM3");
    QTest::newRow("a listed device is chosen")
        << QStringLiteral("/dev/ttyUSB0") << QStringLiteral("cxDevice2") << QStringLiteral("ttyS0");
    QTest::newRow("a typed path is chosen")
        << QStringLiteral("ttyUSB0") << QStringLiteral("type") << QStringLiteral("/dev/pts/7");
    QTest::newRow("cancel changes nothing")
        << QStringLiteral("ttyUSB0") << QStringLiteral("cancel") << QStringLiteral("ttyUSB0");
}

void TestLinkDialogs::setPortDevices()
{
    QFETCH(QString, before);
    QFETCH(QString, action);
    QFETCH(QString, after);
    LinkScratch scratch;
    FakePorts ports(
        {{QStringLiteral("ttyUSB0"), QStringLiteral("USB Serial")}, {QStringLiteral("ttyS0"), QString()}});
    myAll->ComPort = before;

    TfSetPort dialog(nullptr, false);
    ShowAndSettle(dialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Communication Port"));
    QCOMPARE(Radio(&dialog, QStringLiteral("cxDevice1"))->text(), QStringLiteral("ttyUSB0  (USB Serial)"));
    QCOMPARE(Radio(&dialog, QStringLiteral("cxDevice2"))->text(), QStringLiteral("ttyS0"));
    QVERIFY(!Radio(&dialog, QStringLiteral("cxPort1"))->isVisible());
    if (before == QStringLiteral("ttyACM3")) {
        QRadioButton *absent = Radio(&dialog, QStringLiteral("cxDevice3"));
        QCOMPARE(absent->text(), before);
        QVERIFY(absent->isChecked());
        QVERIFY(!absent->isEnabled());
    } else {
        QVERIFY(Radio(&dialog, QStringLiteral("cxDevice1"))->isChecked());
        QVERIFY(!dialog.findChild<QRadioButton *>(QStringLiteral("cxDevice3")));
    }

    if (action == QStringLiteral("type")) {
        QTest::keyClicks(Child<QLineEdit>(&dialog, QStringLiteral("ePath")), after);
        QVERIFY(Radio(&dialog, QStringLiteral("cxPath"))->isChecked());
    } else if (action != QStringLiteral("ok")) {
        Click(&dialog, QStringLiteral("cxDevice2"));
    }
    Click(&dialog,
          action == QStringLiteral("cancel") ? QStringLiteral("btnCancel") : QStringLiteral("btnOk"));
    QCOMPARE(dialog.result(),
             action == QStringLiteral("cancel") ? int(QDialog::Rejected) : int(QDialog::Accepted));
    QCOMPARE(myAll->ComPort, after);
}

void TestLinkDialogs::setPortNumbered_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("click");
    QTest::addColumn<QString>("after");
    QTest::newRow("an absent COM7 is checked, greyed and kept")
        << QStringLiteral("COM7") << 0 << QStringLiteral("COM7");
    QTest::newRow("a present port is chosen") << QStringLiteral("com7") << 3 << QStringLiteral("COM3");
    QTest::newRow("a port text without a number is kept")
        << QStringLiteral("ttyUSB0") << 0 << QStringLiteral("ttyUSB0");
}

void TestLinkDialogs::setPortNumbered()
{
    QFETCH(QString, before);
    QFETCH(int, click);
    QFETCH(QString, after);
    LinkScratch scratch;
    WriteLanguageFile(scratch, "[fSetPort]\nfSetPort.Caption=Schnittstelle\nlbName.Caption=\"Port \"\n");
    // COM3 is present, COM25 too but beyond the twenty; a port in use is not listed at all.
    FakePorts ports({{QStringLiteral("COM3"), QString()}, {QStringLiteral("COM25"), QString()}});
    myAll->ComPort = before;

    TfSetPort dialog(nullptr, true);
    ShowAndSettle(dialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Schnittstelle"));
    QCOMPARE(Child<QGroupBox>(&dialog, QStringLiteral("cxPort"))->title(), QStringLiteral("Schnittstelle"));
    QCOMPARE(Radio(&dialog, QStringLiteral("cxPort12"))->text(), QStringLiteral("Port 12"));
    for (int n = 1; n <= 20; ++n) {
        QRadioButton *button = Radio(&dialog, QStringLiteral("cxPort%1").arg(n));
        QCOMPARE(button->isEnabled(), n == 3);
        QCOMPARE(button->isChecked(),
                 n == 7 && before.startsWith(QStringLiteral("com"), Qt::CaseInsensitive));
    }
    if (click > 0)
        Click(&dialog, QStringLiteral("cxPort%1").arg(click));
    Click(&dialog, QStringLiteral("btnOk"));
    QCOMPARE(myAll->ComPort, after);
}

void TestLinkDialogs::readDialog()
{
    LinkScratch scratch;
    SimRadio sim(scratch);
    QByteArray memory(RadioSim::MemorySize, char(0x42));
    memory[0x145] = char(0xF4);
    sim.radio.SetMemory(memory);
    QVERIFY(sim.start());
    myAll->Modified = false;

    TfReadRadio dialog;
    QSignalSpy finished(&dialog, &QDialog::finished);
    ShowAndSettle(dialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Read data From radio"));
    auto *bar = Child<QProgressBar>(&dialog, QStringLiteral("pBar"));
    QCOMPARE(bar->maximum(), 44);
    QVERIFY(dialog.Session()->Port()->IsOpen());

    Click(&dialog, QStringLiteral("btnOk"));
    QVERIFY(WaitForCount(finished, 1, 5000)); // closes itself after a completed read
    QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
    QVERIFY(dialog.ReadDone());
    QCOMPARE(bar->value(), 44);
    QCOMPARE(scratch.messages.texts(), QStringList{QStringLiteral("Reading Completed.")});
    QCOMPARE(int(myAll->RadioImage[0x100]), 0x42);
    QVERIFY(myAll->Modified);
    QVERIFY(!dialog.Session()->Port()->IsOpen());
}

void TestLinkDialogs::readDialogPortMissingTranslated()
{
    LinkScratch scratch;
    WriteLanguageFile(scratch, "[fReadRadio]\nfReadRadio.Caption=Lesen\nbtnOk.Caption=&Los\n");
    myAll->ComPort = scratch.session.path(QStringLiteral("no-such-port"));

    TfReadRadio dialog;
    QSignalSpy finished(&dialog, &QDialog::finished);
    ShowAndSettle(dialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Lesen"));
    QCOMPARE(Child<QPushButton>(&dialog, QStringLiteral("btnOk"))->text(), QStringLiteral("&Los"));
    QCOMPARE(scratch.messages.texts().size(), 1);
    QVERIFY(scratch.messages.texts().first().startsWith(QStringLiteral("Cannot Open Commcmication Port.\n")));
    QVERIFY(WaitForCount(finished, 1, 1000)); // closes 300 ms later
    QVERIFY(!dialog.ReadDone());
}

void TestLinkDialogs::writeDialog()
{
    LinkScratch scratch;
    SimRadio sim(scratch);
    QVERIFY(sim.start());
    ApplyModelBand(0xF4, true);
    NewImage();

    TfWriteRadio dialog;
    QSignalSpy finished(&dialog, &QDialog::finished);
    QSignalSpy ended(dialog.Session(), &TLinkSession::SessionEnded);
    ShowAndSettle(dialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Write data to radio"));
    auto *ok = Child<QPushButton>(&dialog, QStringLiteral("btnOk"));
    Click(&dialog, QStringLiteral("btnOk"));
    QVERIFY(WaitForCount(ended, 1, 5000));
    QCOMPARE(scratch.messages.texts(), QStringList{QStringLiteral("Writing Completed.")});
    // Ready for the next radio.
    QVERIFY(ok->isEnabled());
    QCOMPARE(Child<QProgressBar>(&dialog, QStringLiteral("pBar"))->value(), 0);
    QVERIFY(dialog.isVisible());
    QCOMPARE(sim.radio.Memory().left(RadioExchangeSize), ImageBytes().left(RadioExchangeSize));

    Click(&dialog, QStringLiteral("btnCancel"));
    QCOMPARE(finished.count(), 1);
    QVERIFY(!dialog.Session()->Port()->IsOpen());
}

QTEST_MAIN(TestLinkDialogs)
#include "tst_linkdialogs.moc"
