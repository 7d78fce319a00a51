#pragma once

// Helpers of the link tests: a port that lives in memory, a recorder for the sessions'
// pauses, the wire bytes a read or write sends, and a simulated radio on a
// pseudo-terminal.

#include "TestSupport.h"

#include "link/Backups.h"
#include "link/LinkPort.h"
#include "link/LinkSession.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <utility>

#ifdef TQ_HAVE_SIM
#include "RadioSim.h"
#endif

// A serial port in memory: records what is written and delivers what the test feeds.
class FakePort : public TLinkPort
{
public:
    bool Open(const QString &, QString *reason) override
    {
        ++opens;
        if (failOpen) {
            if (reason)
                *reason = QStringLiteral("No such device.");
            return false;
        }
        open = true;
        return true;
    }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    bool Write(const QByteArray &bytes) override
    {
        if (!open)
            return false;
        written += bytes;
        return true;
    }
    QByteArray ReadAll() override { return std::exchange(input, QByteArray()); }
    int OutputCount() override { return stuckOutput ? 1 : 0; }
    bool Clear() override
    {
        if (failClear || !open)
            return false;
        input.clear();
        return true;
    }
    QString ErrorText() const override { return QStringLiteral("Input/output error"); }

    // Bytes from the radio, as one data event.
    void Feed(const QByteArray &bytes)
    {
        input += bytes;
        Q_EMIT DataAvailable();
    }
    // The cable is pulled.
    void Fail()
    {
        open = false;
        Q_EMIT LineError();
    }

    bool open = false;
    bool failOpen = false;
    bool failClear = false;
    bool stuckOutput = false;
    int opens = 0;
    QByteArray written;
    QByteArray input;
};

// Records every pause a session makes and keeps it short.
class PauseRecorder
{
public:
    explicit PauseRecorder(int longestMs = 2)
    {
        SetPauseFunction([this, longestMs](int ms) {
            pauses.append(ms);
            if (longestMs > 0)
                QThread::msleep(ulong(std::min(ms, longestMs)));
        });
    }
    ~PauseRecorder() { SetPauseFunction(nullptr); }
    PauseRecorder(const PauseRecorder &) = delete;
    PauseRecorder &operator=(const PauseRecorder &) = delete;

    int count(int ms) const { return int(std::count(pauses.begin(), pauses.end(), ms)); }

    QList<int> pauses;
};

// Waits in a real event loop, so serial data is handled the moment it arrives (QTRY_*
// would look only every few milliseconds and slow every exchange down).
inline bool WaitForCount(QSignalSpy &spy, int count, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (spy.count() < count) {
        const int left = timeoutMs - int(timer.elapsed());
        if (left <= 0)
            return false;
        spy.wait(left);
    }
    return true;
}

inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// What the program sends for a read that got through `blocks` blocks (each data reply
// acknowledged), with or without the end byte.
inline QByteArray ReadWire(int blocks, bool end)
{
    QByteArray out = QByteArrayLiteral("PROGRAM") + Bytes({0x02, 0x06});
    for (int b = 0; b < blocks; ++b)
        out += Bytes({0x52, (b * 8) >> 8, (b * 8) & 0xFF, 0x08, 0x06});
    if (end)
        out += Bytes({0x45});
    return out;
}

// What the program sends for a write of `blocks` blocks of the image, with or without
// the end byte.
inline QByteArray WriteWire(const QByteArray &image, int blocks, bool end)
{
    QByteArray out = QByteArrayLiteral("PROGRAM") + Bytes({0x02, 0x06});
    for (int b = 0; b < blocks; ++b)
        out += Bytes({0x57, (b * 8) >> 8, (b * 8) & 0xFF, 0x08}) + image.mid(b * 8, 8);
    if (end)
        out += Bytes({0x45});
    return out;
}

inline QByteArray ImageBytes()
{
    return QByteArray(reinterpret_cast<const char *>(myAll->RadioImage.data()), RadioImageSize);
}

// A session in a scratch program folder with every message recorded, short pauses and
// backups kept in the scratch folder.
struct LinkScratch
{
    LinkScratch() { SetBackupFolder(session.path(QStringLiteral("backups"))); }
    ~LinkScratch() { SetBackupFolder(QString()); }

    ScratchSession session;
    MsgRecorder messages;
    PauseRecorder pauses;
};

#ifdef TQ_HAVE_SIM
// A simulated radio at full speed on a pseudo-terminal, reached through a link in the
// scratch folder that the session state names as its port.
struct SimRadio
{
    explicit SimRadio(const LinkScratch &scratch) : link(scratch.session.path(QStringLiteral("radio"))) {}
    ~SimRadio() { radio.Stop(); }

    bool start()
    {
        QString error;
        radio.SetBaud(0);
        if (!radio.Open(&error) || !radio.SetLink(link, &error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        radio.Start();
        myAll->ComPort = link;
        return true;
    }

    RadioSim radio;
    QString link;
};
#endif
