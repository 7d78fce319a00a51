#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

class TMacType;
class TMacList;
class TFrqList;
class TLanguage;

// Radio memory from address 0x000 to 0x1AF.
constexpr int RadioImageSize = 0x1B0;
// The part of the memory the radio exchanges over the cable: 0x000 to 0x16F.
constexpr int RadioExchangeSize = 0x170;

// The session state that every window, dialog and command works on in place.
class TALL
{
public:
    QString LangName;
    int LangIndex = 0;
    int CurChannel = 0;
    QString ComPort;
    QString AppPath; // folder of the program, with a trailing separator
    QString Title;
    int ChannelCount = 0;
    QString ModelName;
    QString BandText;
    double ModelMaxFreq = 0;
    double ModelMinFreq = 0;
    double BandMaxFreq = 0;
    double BandMinFreq = 0;
    QString ModelCode;
    int PicIDValue = 0;
    bool Modified = false;
    QString HelpPrefix;
    bool SerialEditable = false;
    const TMacType *CurMacType = nullptr;
    std::array<uint8_t, RadioImageSize> RadioImage{};
};

extern TMacList *myMacList;
extern TALL *myAll;
extern TFrqList *myFrqList;
extern TLanguage *myLanguage;

// The start-up steps that need no window: creates the four global objects (once),
// resets the session state, fills the band table and the catalogue, reads SysInfo.Ini
// and loads the message table. appPath is the program folder.
void StartCore(const QString &appPath);

// Reads SysInfo.Ini into the session state.
void LoadSysInfo();
// Writes "Com", "DefaultLanguage" and "PicID" to SysInfo.Ini, keeping every other line.
// Reports "Unable to write to %s" through MsgBox and returns false when that fails.
bool SaveSysInfo();
// The SysInfo.Ini that LoadSysInfo reads and SaveSysInfo writes.
QString SysInfoReadPath();
QString SysInfoWritePath();

// Finds a shipped file (language file, help, defaults): the program folder first,
// then the installed data folder. Returns the program folder's path when neither has it.
QString FindShippedFile(const QString &name);
// The installed data folder (share/tq6105 next to the program's bin folder, or the
// configured install prefix).
QString DataFolder();
// Overrides the per-user configuration folder (tests).
void SetUserConfigFolder(const QString &folder);
QString UserConfigFolder();

// The one clock of the program: the write stamp, the file save time and the status bar
// read it. Tests fix it.
QDateTime CurrentDateTime();
void SetClock(std::function<QDateTime()> clock);
