#pragma once

#include <QString>

#include <functional>

// The message table: every text the program shows in a message box.
class TLanguage
{
public:
    QString Confirmation;
    QString ExitProgram;
    QString SaveProgram;
    QString Channel;
    QString Info;
    QString OutRange;
    QString Caution;
    QString Close;
    QString Open;
    QString ComError;
    QString ModError;
    QString ClearData;
    QString Modforce;
    QString ErrRange;
    QString ReadOk;
    QString WriteOk;
    QString LPortError;
};

// The language file of a language: AppPath + name + ".Ini", or the installed copy.
QString LanguageFilePath(const QString &langName);

// Fills every entry of myLanguage from the "Language" section of the language file;
// a missing file or key gives the built-in English text.
void LoadMessages(const QString &langName);

enum MsgKind { MsgInformation = 1, MsgQuestion = 2 };
enum MsgAnswer { MsgOk = 1, MsgYes = 6, MsgNo = 7 };

// The one way a message reaches the user. Kind 1: information with OK, returns 1.
// Kind 2: question with Yes and No, returns 6 or 7.
int MsgBox(const QString &caption, const QString &text, int kind);

// Who answers MsgBox: the desktop program installs message boxes, the command-line
// tool prints to stderr, tests record and answer from a script.
using MsgBoxResponder = std::function<int(const QString &caption, const QString &text, int kind)>;
void SetMsgBoxResponder(MsgBoxResponder responder);

// Shows a failure with the Confirmation caption (information box).
void ShowError(const QString &text);
