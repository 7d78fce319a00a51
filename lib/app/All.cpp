#include "All.h"

#include "lang/IniFile.h"
#include "lang/Language.h"
#include "model/MacType.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

TMacList *myMacList = nullptr;
TALL *myAll = nullptr;
TFrqList *myFrqList = nullptr;
TLanguage *myLanguage = nullptr;

namespace {

const QString sysInfoName = QStringLiteral("SysInfo.Ini");
const QString sysSection = QStringLiteral("SysInfo");

QString &userConfigOverride()
{
    static QString folder;
    return folder;
}

std::function<QDateTime()> &clockOverride()
{
    static std::function<QDateTime()> c;
    return c;
}

int toIntOrZero(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    return ok ? v : 0;
}

bool programFolderWritable()
{
    const QFileInfo file(myAll->AppPath + sysInfoName);
    if (file.exists())
        return file.isWritable() && QFileInfo(myAll->AppPath).isWritable();
    return QFileInfo(myAll->AppPath).isWritable();
}

} // namespace

void StartCore(const QString &appPath)
{
    if (!myMacList)
        myMacList = new TMacList;
    if (!myAll)
        myAll = new TALL;
    if (!myFrqList)
        myFrqList = new TFrqList;
    if (!myLanguage)
        myLanguage = new TLanguage;
    *myAll = TALL();
    QString path = QDir::fromNativeSeparators(appPath);
    if (!path.endsWith(u'/'))
        path += u'/';
    myAll->AppPath = path;
    myAll->CurChannel = 1;
    FillBandTable();
    FillModelCatalogue();
    LoadSysInfo();
    LoadMessages(myAll->LangName);
}

QString DataFolder()
{
    const QString beside = QDir::cleanPath(myAll->AppPath + QStringLiteral("../share/tq6105"));
    if (QFileInfo(beside).isDir())
        return beside + u'/';
    return QStringLiteral(TQ_DATADIR "/");
}

QString FindShippedFile(const QString &name)
{
    const QString local = myAll->AppPath + name;
    if (QFileInfo::exists(local))
        return local;
    const QString shared = DataFolder() + name;
    if (QFileInfo::exists(shared))
        return shared;
    return local;
}

void SetUserConfigFolder(const QString &folder)
{
    userConfigOverride() = folder;
}

QString UserConfigFolder()
{
    if (!userConfigOverride().isEmpty())
        return userConfigOverride();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tq6105");
}

QString SysInfoWritePath()
{
    if (programFolderWritable())
        return myAll->AppPath + sysInfoName;
    return UserConfigFolder() + u'/' + sysInfoName;
}

QString SysInfoReadPath()
{
    const QString write = SysInfoWritePath();
    if (QFileInfo::exists(write))
        return write;
    const QString program = myAll->AppPath + sysInfoName;
    if (QFileInfo::exists(program))
        return program;
    return DataFolder() + sysInfoName;
}

void LoadSysInfo()
{
    IniFile ini;
    ini.load(SysInfoReadPath());
    myAll->ComPort = ini.value(sysSection, QStringLiteral("Com"), QStringLiteral("Com1"));
    const QString defaultLanguage =
        ini.value(sysSection, QStringLiteral("DefaultLanguage"), QStringLiteral("0"));
    myAll->HelpPrefix = ini.value(sysSection, QStringLiteral("Help"), QStringLiteral("QM"));
    myAll->LangIndex = toIntOrZero(defaultLanguage);
    myAll->PicIDValue = toIntOrZero(ini.value(sysSection, QStringLiteral("PicID"), QStringLiteral("0")));

    QString remaining = ini.value(sysSection, QStringLiteral("Language"), QStringLiteral("Chinese|English"));
    QString item;
    for (int i = 0; i <= myAll->LangIndex; ++i) {
        const int bar = remaining.indexOf(u'|');
        if (bar >= 0) {
            item = remaining.left(bar);
            remaining = remaining.mid(bar + 1);
        } else {
            item = remaining;
            remaining.clear();
        }
    }
    myAll->LangName = item;
}

bool SaveSysInfo()
{
    const QString target = SysInfoWritePath();
    IniFile ini;
    // An installed copy starts its per-user file from the settings it was read from,
    // so the language list and help prefix carry over.
    ini.load(QFileInfo::exists(target) ? target : SysInfoReadPath());
    ini.setValue(sysSection, QStringLiteral("Com"), myAll->ComPort);
    ini.setValue(sysSection, QStringLiteral("DefaultLanguage"), QString::number(myAll->LangIndex));
    ini.setValue(sysSection, QStringLiteral("PicID"), QString::number(myAll->PicIDValue));
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!ini.save(target)) {
        ShowError(QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(target)));
        return false;
    }
    return true;
}

QDateTime CurrentDateTime()
{
    return clockOverride() ? clockOverride()() : QDateTime::currentDateTime();
}

void SetClock(std::function<QDateTime()> c)
{
    clockOverride() = std::move(c);
}
