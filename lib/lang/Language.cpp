#include "Language.h"

#include "app/All.h"
#include "lang/IniFile.h"

#include <QFileInfo>

#include <cstdio>

namespace {

struct Entry
{
    const char *key;
    const char *text;
    QString TLanguage::*field;
};

const Entry entries[] = {
    {"Confirmation", "Confirmation", &TLanguage::Confirmation},
    {"ExitProgram", "Do you wish to exit program?", &TLanguage::ExitProgram},
    {"SaveProgram", "Do you wish to save the changes?", &TLanguage::SaveProgram},
    {"Channel", "Channel", &TLanguage::Channel},
    {"Info", " Information", &TLanguage::Info},
    {"OutRange", "Frequecy is Out of range.", &TLanguage::OutRange},
    {"Caution", "Caution", &TLanguage::Caution},
    {"Close", "Closed", &TLanguage::Close},
    {"Open", "Opened", &TLanguage::Open},
    {"ComError", "Please check all connections and communication port settings.", &TLanguage::ComError},
    {"ModError", "Model Type Wrong.", &TLanguage::ModError},
    {"ClearData", "Do you wish to Clear Data?", &TLanguage::ClearData},
    {"Modforce", "Do you wish to Force write data?", &TLanguage::Modforce},
    {"ErrRange", "The frequecy number come amiss!", &TLanguage::ErrRange},
    {"ReadOk", "Reading Completed.", &TLanguage::ReadOk},
    {"WriteOk", "Writing Completed.", &TLanguage::WriteOk},
    {"LPortError", "Cannot Open Commcmication Port.", &TLanguage::LPortError},
};

int stderrResponder(const QString &caption, const QString &text, int kind)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    return kind == MsgQuestion ? MsgNo : MsgOk;
}

MsgBoxResponder &responder()
{
    static MsgBoxResponder r = stderrResponder;
    return r;
}

} // namespace

QString LanguageFilePath(const QString &langName)
{
    return FindShippedFile(langName + QStringLiteral(".Ini"));
}

void LoadMessages(const QString &langName)
{
    IniFile ini;
    ini.load(LanguageFilePath(langName));
    for (const Entry &e : entries)
        myLanguage->*(e.field) =
            ini.value(QStringLiteral("Language"), QLatin1String(e.key), QString::fromLatin1(e.text));
}

int MsgBox(const QString &caption, const QString &text, int kind)
{
    int answer = responder() ? responder()(caption, text, kind) : MsgOk;
    if (kind != MsgQuestion)
        return MsgOk;
    return answer == MsgYes ? MsgYes : MsgNo;
}

void SetMsgBoxResponder(MsgBoxResponder r)
{
    responder() = r ? std::move(r) : MsgBoxResponder(stderrResponder);
}

void ShowError(const QString &text)
{
    MsgBox(myLanguage->Confirmation, text, MsgInformation);
}
