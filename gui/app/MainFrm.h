#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <array>

class QLabel;
class QTimer;
class QTreeWidgetItem;

namespace Ui {
class TfMainFrm;
}

// The program's main window: menus, toolbar, the tree of the radio's function groups,
// the status bar with its clock, and the editor windows as documents of its MDI area.
// Every user command is a number carried by the "tag" of a menu item, toolbar button or
// tree node, and RunCommand runs it.
class TfMainFrm : public QMainWindow
{
    Q_OBJECT

public:
    // The editor windows, in the order of their commands 10 to 15.
    enum Editor { EdChInfo, EdBInfoEdit, EdKeyFun, EdVoxFun, EdOptFun, EdInfoMsg, EditorCount };
    enum class SaveResult { Saved, Cancelled, Failed };

    explicit TfMainFrm(QWidget *parent = nullptr);
    ~TfMainFrm() override;

    void RunCommand(int command);
    void ShowChild(Editor editor);
    void UpdateStatus();
    void RebuildTree();
    void CloseEditors();
    void RefreshWindows();
    void RefreshViews(int kind);
    void SelectChannelNode(bool reload);
    // The open editor window of that kind, or nullptr.
    QWidget *EditorWindow(Editor editor) const;

    // The file commands 1 to 4. NewFile returns false when it stopped because the save
    // the user asked for failed.
    bool NewFile();
    void OpenFile();
    SaveResult SaveFile();
    void SaveFileAs();
    // Opens a data file as the Open command does once its dialog is answered.
    void OpenDataFile(const QString &path);

    // Uses this serial port for this run only: it is shown and used, but SysInfo.Ini
    // keeps the configured port unless the user chooses another one.
    void SetPortOverride(const QString &port);

    // The path of the current data file; empty when the image has no file.
    QString FileName;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void TimerTimer();
    void cxTQ6105DblClick(QTreeWidgetItem *item);
    void TreeHideClick();
    void nExitClick();
    void T4Click();
    void nCoolClick(bool checked);
    void nBarClick(bool checked);

    void ReadCommand();
    void WriteCommand();
    void ModelCommand();
    void PortCommand();
    void LanguageCommand();
    void HelpCommand();
    void AboutCommand();

    QWidget *CreateEditor(Editor editor);
    static bool EditorAvailable(Editor editor);
    void CheckPort();
    void SyncModifiedMarker();
    void WireCommands();

    Ui::TfMainFrm *ui;
    std::array<QLabel *, 7> Panels{};
    std::array<QPointer<QWidget>, EditorCount> Editors;
    QTimer *Timer = nullptr;
    bool Shown = false;
    QString PortOverride;
    QString ConfiguredPort;
};

extern TfMainFrm *fMainFrm;
