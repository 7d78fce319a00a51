#pragma once

// A core session for the fuzz targets: a scratch program folder, a fixed clock and
// silent message boxes, started once per process.

#include "app/All.h"
#include "lang/Language.h"
#include "model/MacType.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

class FuzzSession
{
public:
    static FuzzSession &get()
    {
        static FuzzSession s;
        return s;
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Makes a band current, as opening a file or a read would.
    static void useBand(const char *band)
    {
        ApplyModelBand(myFrqList->CodeOf(QString::fromLatin1(band)), true);
    }

private:
    FuzzSession()
    {
        SetMsgBoxResponder([](const QString &, const QString &, int) { return int(MsgOk); });
        SetClock([] { return QDateTime(QDate(2024, 5, 17), QTime(13, 45, 9)); });
        StartCore(m_dir.path());
    }
    // A memory-backed folder where there is one: the data file target writes and reads
    // a file per input.
    QTemporaryDir m_dir{QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                            ? QStringLiteral("/dev/shm/tq6105-fuzz-XXXXXX")
                            : QDir::tempPath() + QStringLiteral("/tq6105-fuzz-XXXXXX")};
};

// Stops the run when a property that must hold for every input does not.
#define FUZZ_CHECK(cond)                                                                                     \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__);                   \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)
