#pragma once

// Shared helpers for the test executables: a message recorder that stands in for the
// user at every MsgBox, a fixed clock, and a fresh session in a scratch program folder.

#include "app/All.h"
#include "lang/Language.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <deque>

struct RecordedMessage
{
    QString caption;
    QString text;
    int kind = 0;
};

// Records every message and answers questions from a script (Yes when the script is
// empty, unless told otherwise). Restores the default responder when destroyed.
class MsgRecorder
{
public:
    MsgRecorder()
    {
        SetMsgBoxResponder([this](const QString &caption, const QString &text, int kind) {
            messages.append({caption, text, kind});
            if (kind != MsgQuestion)
                return int(MsgOk);
            if (answers.empty())
                return defaultAnswer;
            const int a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    ~MsgRecorder() { SetMsgBoxResponder(nullptr); }
    MsgRecorder(const MsgRecorder &) = delete;
    MsgRecorder &operator=(const MsgRecorder &) = delete;

    QStringList texts() const
    {
        QStringList out;
        for (const auto &m : messages)
            out.append(m.text);
        return out;
    }
    void clear() { messages.clear(); }

    QList<RecordedMessage> messages;
    std::deque<int> answers;
    int defaultAnswer = MsgYes;
};

inline QDateTime FixedTestTime()
{
    return QDateTime(QDate(2024, 5, 17), QTime(13, 45, 9));
}

// A scratch program folder with a fresh core session started in it and the clock fixed.
class ScratchSession
{
public:
    ScratchSession()
    {
        SetUserConfigFolder(dir.path() + QStringLiteral("/user-config"));
        SetClock([] { return FixedTestTime(); });
        StartCore(dir.path());
    }
    ~ScratchSession()
    {
        SetClock(nullptr);
        SetUserConfigFolder(QString());
    }
    QString path(const QString &name) const { return dir.path() + u'/' + name; }

    QTemporaryDir dir;
};
