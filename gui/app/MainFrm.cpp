#include "MainFrm.h"

#include "ui_MainFrm.h"

#include "app/All.h"
#include "app/Artwork.h"
#include "app/EditorWindow.h"
#include "app/FileDialog.h"
#include "app/FrmAbout.h"
#include "file/DataFile.h"
#include "lang/Language.h"
#include "lang/SetLanguage.h"
#include "lang/TranslateForm.h"
#include "link/Ports.h"
#include "link/ReadRadio.h"
#include "link/SetPort.h"
#include "link/WriteRadio.h"
#include "model/MacType.h"
#include "model/Model.h"
#include "model/RadioImage.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMdiSubWindow>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QUrl>

TfMainFrm *fMainFrm = nullptr;

namespace {

constexpr int CommandRole = Qt::UserRole;

// Command numbers of the tree's group nodes, in tree order, and of a channel node.
constexpr int TreeGroupCommands[] = {15, 10, 12, 13, 14};
constexpr int ChannelNodeCommand = 11;

// The separator the system puts between the parts of a date or of a time.
QChar separatorIn(const QString &format, QChar fallback)
{
    for (const QChar c : format) {
        if (!c.isLetter() && c != u'\'' && !c.isSpace())
            return c;
    }
    return fallback;
}

QString dateFormat()
{
    const QChar s = separatorIn(QLocale::system().dateFormat(QLocale::ShortFormat), u'/');
    return QStringLiteral("yyyy%1MM%1dd").arg(s);
}

QString timeFormat()
{
    const QChar s = separatorIn(QLocale::system().timeFormat(QLocale::ShortFormat), u':');
    return QStringLiteral("HH%1mm%1ss").arg(s);
}

int commandOf(const QObject *sender)
{
    return sender ? sender->property("tag").toInt() : 0;
}

} // namespace

TfMainFrm::TfMainFrm(QWidget *parent) : QMainWindow(parent), ui(new Ui::TfMainFrm)
{
    ui->setupUi(this);
    setWindowIcon(ApplicationIcon());
    setWindowTitle(myAll->Title + QStringLiteral("[*]"));

    // Status bar panels 0 to 6.
    const int widths[7] = {50, 80, 120, 120, 120, 120, 100};
    for (int i = 0; i < 7; ++i) {
        auto *panel = new QLabel(ui->MainBar);
        panel->setObjectName(QStringLiteral("MainBarPanel%1").arg(i));
        panel->setMinimumWidth(widths[i]);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        if (i < 6)
            ui->MainBar->addWidget(panel);
        else
            ui->MainBar->addWidget(panel, 1);
        Panels[i] = panel;
    }

    ui->Splitter1->setStretchFactor(0, 0);
    ui->Splitter1->setStretchFactor(1, 1);
    ui->Splitter1->setSizes({200, 693});
    ui->cxTQ6105->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui->cxTQ6105->header()->setStretchLastSection(false);
    ui->MdiArea->setBackground(BackgroundPicture());

    const std::pair<QAction *, int> glyphs[] = {
        {ui->tbNew, GlyphNew},     {ui->tbOpen, GlyphOpen},   {ui->tbSave, GlyphSave},
        {ui->tbPrint, GlyphPrint}, {ui->tbWrite, GlyphWrite}, {ui->tbHelp, GlyphHelp},
        {ui->tbRead, GlyphRead},
    };
    for (const auto &[action, glyph] : glyphs)
        action->setIcon(ImageListGlyph(glyph));

    // The tree: the root and its five groups; RebuildTree sets their texts and adds the
    // channel nodes.
    auto *root = new QTreeWidgetItem(ui->cxTQ6105);
    root->setIcon(0, ImageListGlyph(GlyphTreeRoot));
    for (int command : TreeGroupCommands) {
        auto *group = new QTreeWidgetItem(root);
        group->setData(0, CommandRole, command);
        group->setIcon(0, TreeNodeIcon());
    }
    connect(ui->cxTQ6105, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { cxTQ6105DblClick(item); });
    connect(ui->TreeHide, &QToolButton::clicked, this, [this] { TreeHideClick(); });

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(1000);
    connect(Timer, &QTimer::timeout, this, [this] { TimerTimer(); });

    WireCommands();
}

TfMainFrm::~TfMainFrm()
{
    if (fMainFrm == this)
        fMainFrm = nullptr;
    delete ui;
}

void TfMainFrm::WireCommands()
{
    // Menu items and toolbar buttons hand their tag to RunCommand; Exit and the three
    // view toggles have handlers of their own.
    const QList<QAction *> own = {ui->nExit, ui->T4, ui->nCool, ui->nBar};
    for (QAction *action : findChildren<QAction *>()) {
        if (own.contains(action) || action->property("tag").toInt() <= 0)
            continue;
        connect(action, &QAction::triggered, this, [this, action] { RunCommand(commandOf(action)); });
    }
    connect(ui->nExit, &QAction::triggered, this, [this] { nExitClick(); });
    connect(ui->T4, &QAction::triggered, this, [this] { T4Click(); });
    connect(ui->nCool, &QAction::triggered, this, [this](bool checked) { nCoolClick(checked); });
    connect(ui->nBar, &QAction::triggered, this, [this](bool checked) { nBarClick(checked); });

    // Commands whose windows are not part of this program yet stay disabled.
    const std::pair<QAction *, Editor> editors[] = {
        {ui->nChInfo, EdChInfo}, {ui->nBInfoEdit, EdBInfoEdit}, {ui->nKeyFun, EdKeyFun},
        {ui->nVoxFun, EdVoxFun}, {ui->nOptFun, EdOptFun},       {ui->nInfoMsg, EdInfoMsg},
    };
    for (const auto &[action, editor] : editors)
        action->setEnabled(EditorAvailable(editor));
    for (QAction *action : {ui->nPrint, ui->nPreview, ui->tbPrint})
        action->setEnabled(false);
}

void TfMainFrm::RunCommand(int command)
{
    if (auto *grid = dynamic_cast<TEditorWindow *>(EditorWindow(EdChInfo)))
        grid->EndCellEditing();

    switch (command) {
    case 1:
        NewFile();
        break;
    case 2:
        OpenFile();
        break;
    case 3:
        SaveFile();
        break;
    case 4:
        SaveFileAs();
        break;
    case 5:
    case 6:
        // Print and Print Preview: the printout plugs in here (preview for command 6).
        break;
    case 10:
        ShowChild(EdChInfo);
        break;
    case 11:
        ShowChild(EdBInfoEdit);
        if (auto *edit = dynamic_cast<TEditorWindow *>(EditorWindow(EdBInfoEdit)))
            edit->LoadFromImage();
        break;
    case 12:
        ShowChild(EdKeyFun);
        break;
    case 13:
        ShowChild(EdVoxFun);
        break;
    case 14:
        ShowChild(EdOptFun);
        break;
    case 15:
        ShowChild(EdInfoMsg);
        break;
    case 20:
        ReadCommand();
        break;
    case 21:
        WriteCommand();
        break;
    case 30:
        ModelCommand();
        break;
    case 31:
        PortCommand();
        break;
    case 32:
        LanguageCommand();
        break;
    case 60:
        HelpCommand();
        break;
    case 61:
        AboutCommand();
        break;
    default:
        break;
    }
    SyncModifiedMarker();
}

bool TfMainFrm::EditorAvailable(Editor editor)
{
    // The editor windows plug in here and in CreateEditor as they are built.
    switch (editor) {
    default:
        return false;
    }
}

QWidget *TfMainFrm::CreateEditor(Editor editor)
{
    switch (editor) {
    default:
        return nullptr;
    }
}

QWidget *TfMainFrm::EditorWindow(Editor editor) const
{
    return Editors[editor].data();
}

void TfMainFrm::ShowChild(Editor editor)
{
    QWidget *window = Editors[editor];
    QMdiSubWindow *sub = nullptr;
    if (window) {
        sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
        if (sub)
            ui->MdiArea->setActiveSubWindow(sub);
        window->setFocus();
    } else {
        window = CreateEditor(editor);
        if (!window)
            return;
        sub = ui->MdiArea->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowIcon(windowIcon());
        Editors[editor] = window;
    }
    if (!sub)
        return;
    sub->show();
    if (sub->isMinimized())
        sub->showNormal();
}

void TfMainFrm::CloseEditors()
{
    for (auto &editor : Editors) {
        QWidget *window = editor;
        if (!window)
            continue;
        auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
        // A closed editor frees itself once the event loop runs again. It counts as
        // closed from here on, so a fresh one can be opened at once (and the window that
        // asked for the refresh is not freed under its own feet).
        editor.clear();
        if (sub) {
            sub->close();
            sub->deleteLater();
        } else {
            window->close();
            window->deleteLater();
        }
    }
}

void TfMainFrm::RefreshWindows()
{
    CloseEditors();
    ShowChild(EdChInfo);
}

void TfMainFrm::RefreshViews(int kind)
{
    switch (kind) {
    case 0:
        if (auto *grid = dynamic_cast<TEditorWindow *>(EditorWindow(EdChInfo)))
            grid->ReloadChannel(myAll->CurChannel);
        break;
    case 1:
        RefreshWindows();
        break;
    case 2:
        if (auto *edit = dynamic_cast<TEditorWindow *>(EditorWindow(EdBInfoEdit)))
            edit->LoadFromImage();
        break;
    default:
        break;
    }
    SyncModifiedMarker();
}

void TfMainFrm::SelectChannelNode(bool reload)
{
    QTreeWidgetItem *root = ui->cxTQ6105->topLevelItem(0);
    QTreeWidgetItem *channels = root ? root->child(1) : nullptr;
    if (channels) {
        if (QTreeWidgetItem *node = channels->child(myAll->CurChannel - 1))
            ui->cxTQ6105->setCurrentItem(node);
    }
    if (reload) {
        if (auto *edit = dynamic_cast<TEditorWindow *>(EditorWindow(EdBInfoEdit)))
            edit->LoadFromImage();
    }
}

void TfMainFrm::RebuildTree()
{
    QTreeWidgetItem *root = ui->cxTQ6105->topLevelItem(0);
    root->setText(0, myAll->Title);
    const QAction *hints[] = {ui->nInfoMsg, ui->nChInfo, ui->nKeyFun, ui->nVoxFun, ui->nOptFun};
    for (int i = 0; i < 5; ++i)
        root->child(i)->setText(0, hints[i]->toolTip());

    QTreeWidgetItem *channels = root->child(1);
    qDeleteAll(channels->takeChildren());
    for (int n = 1; n <= myAll->ChannelCount; ++n) {
        auto *node = new QTreeWidgetItem(channels);
        node->setText(0, ui->Label5->text() + u' ' + QString::number(n));
        node->setData(0, CommandRole, ChannelNodeCommand);
        node->setIcon(0, TreeNodeIcon());
    }
}

void TfMainFrm::UpdateStatus()
{
    const QDateTime now = CurrentDateTime();
    Panels[0]->clear();
    Panels[1]->setText(now.toString(dateFormat()));
    Panels[2]->setText(now.toString(timeFormat()));
    Panels[3]->setText(ui->lCom->text() + myAll->ComPort);
    Panels[4]->setText(myAll->ModelName);
    Panels[5]->setText(myAll->BandText);
    Panels[6]->clear();

    QString caption = myAll->Title;
    if (!FileName.isEmpty())
        caption += QStringLiteral(" [") + FileName + u']';
    setWindowTitle(caption + QStringLiteral("[*]"));
    SyncModifiedMarker();
}

void TfMainFrm::SyncModifiedMarker()
{
    setWindowModified(myAll->Modified);
}

void TfMainFrm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!Shown) {
        Shown = true;
        FormShow();
    }
}

void TfMainFrm::FormShow()
{
    ApplyModelBand(0, false);
    NewImage();
    CheckPort();
    const BandLimits limits = ParseBandLimits(myAll->BandText);
    myAll->BandMinFreq = limits.min;
    myAll->BandMaxFreq = limits.max;
    FileName.clear();
    if (myAll->LangIndex > 0)
        TranslateForm(this, myAll->LangName, true);
    RebuildTree();
    UpdateStatus();
    ShowChild(EdChInfo);
    myAll->Modified = false;
    SyncModifiedMarker();
    ui->cxTQ6105->expandAll();
    ui->cxTQ6105->setCurrentItem(ui->cxTQ6105->topLevelItem(0));
    Timer->start();
}

void TfMainFrm::CheckPort()
{
    // The ports present; a configured port that is missing gives way to the first of them.
    QStringList ports;
    ListPorts(&ports);
    ui->cbCom->clear();
    ui->cbCom->addItems(ports);
#ifdef Q_OS_WIN
    // "Com1" and "COM1" are the same port there; device names elsewhere keep their case.
    myAll->ComPort = myAll->ComPort.toUpper();
#endif
    const auto same = [](const QString &a, const QString &b) {
        const auto device = [](QString name) {
            name = PortSystemName(name);
            if (name.startsWith(QStringLiteral("/dev/")))
                name.remove(0, 5);
            return name;
        };
        return !device(a).isEmpty() && device(a) == device(b);
    };
    int present = -1;
    for (int i = 0; i < ports.size() && present < 0; ++i) {
        if (same(ports.at(i), myAll->ComPort))
            present = i;
    }
    if (present >= 0)
        ui->cbCom->setCurrentIndex(present);
    else if (!ports.isEmpty())
        myAll->ComPort = ports.constFirst();
    ConfiguredPort = myAll->ComPort;
    if (!PortOverride.isEmpty())
        myAll->ComPort = PortOverride;
}

void TfMainFrm::SetPortOverride(const QString &port)
{
    PortOverride = port;
    if (Shown && !port.isEmpty()) {
        myAll->ComPort = port;
        UpdateStatus();
    }
}

void TfMainFrm::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TfMainFrm::FormCloseQuery()
{
    if (MsgBox(myLanguage->Confirmation, myLanguage->ExitProgram, MsgQuestion) == MsgNo)
        return false;
    if (myAll->Modified && MsgBox(myLanguage->Confirmation, myLanguage->SaveProgram, MsgQuestion) == MsgYes) {
        // A save that failed keeps the window open: closing now would lose the changes
        // the user just asked to keep.
        if (SaveFile() == SaveResult::Failed)
            return false;
    }
    return true;
}

void TfMainFrm::FormClose()
{
    Timer->stop();
    // A port given for this run only is not written back.
    if (!PortOverride.isEmpty() && myAll->ComPort == PortOverride)
        myAll->ComPort = ConfiguredPort;
    SaveSysInfo();
}

void TfMainFrm::TimerTimer()
{
    Panels[2]->setText(CurrentDateTime().toString(timeFormat()));
    SyncModifiedMarker();
}

void TfMainFrm::cxTQ6105DblClick(QTreeWidgetItem *item)
{
    if (!item || item != ui->cxTQ6105->currentItem())
        return;
    const int command = item->data(0, CommandRole).toInt();
    if (command == ChannelNodeCommand && item->parent())
        myAll->CurChannel = item->parent()->indexOfChild(item) + 1;
    RunCommand(command);
}

void TfMainFrm::TreeHideClick()
{
    ui->pTree->hide();
}

void TfMainFrm::nExitClick()
{
    close();
}

void TfMainFrm::T4Click()
{
    ui->pTree->setHidden(!ui->pTree->isHidden());
}

void TfMainFrm::nCoolClick(bool checked)
{
    ui->tbar->setVisible(checked);
}

void TfMainFrm::nBarClick(bool checked)
{
    ui->MainBar->setVisible(checked);
}

// File commands ------------------------------------------------------------------------

TfMainFrm::SaveResult TfMainFrm::SaveFile()
{
    SaveResult result = SaveResult::Saved;
    if (!FileName.isEmpty()) {
        if (!WriteDataFile(FileName))
            result = SaveResult::Failed;
    } else {
        const QString path = AskDataFileName(this, FileDialogKind::Save);
        if (path.isEmpty()) {
            result = SaveResult::Cancelled;
        } else if (WriteDataFile(path)) {
            FileName = path;
        } else {
            result = SaveResult::Failed;
        }
    }
    UpdateStatus();
    return result;
}

void TfMainFrm::SaveFileAs()
{
    FileName.clear();
    SaveFile();
}

bool TfMainFrm::NewFile()
{
    if (myAll->Modified && MsgBox(myLanguage->Confirmation, myLanguage->SaveProgram, MsgQuestion) == MsgYes) {
        if (SaveFile() == SaveResult::Failed)
            return false; // the changes stay, and so does the file they belong to
    }
    NewImage();
    FileName.clear();
    UpdateStatus();
    RefreshWindows();
    myAll->Modified = false;
    SyncModifiedMarker();
    return true;
}

void TfMainFrm::OpenFile()
{
    if (myAll->Modified && MsgBox(myLanguage->Confirmation, myLanguage->SaveProgram, MsgQuestion) == MsgYes) {
        if (SaveFile() == SaveResult::Failed)
            return;
    }
    const QString path = AskDataFileName(this, FileDialogKind::Open);
    if (path.isEmpty())
        return;
    OpenDataFile(path);
}

void TfMainFrm::OpenDataFile(const QString &path)
{
    switch (ReadDataFile(path)) {
    case ReadResult::Ok:
        FileName = path;
        RebuildTree();
        UpdateStatus();
        RefreshWindows();
        myAll->Modified = false;
        break;
    case ReadResult::ModelWrong:
        FileName.clear();
        break;
    case ReadResult::Failed:
        // The reason was shown; the image, the session and the file name stay.
        break;
    }
    UpdateStatus();
}

// Dialog commands ----------------------------------------------------------------------

void TfMainFrm::ReadCommand()
{
    bool done = false;
    {
        TfReadRadio dialog(this);
        dialog.exec();
        done = dialog.ReadDone();
    }
    if (!done)
        return;
    // The image now holds what the radio holds: it has no file yet.
    FileName.clear();
    RebuildTree();
    UpdateStatus();
    RefreshWindows();
}

void TfMainFrm::WriteCommand()
{
    TfWriteRadio dialog(this);
    dialog.exec();
}

void TfMainFrm::PortCommand()
{
    {
        TfSetPort dialog(this);
        dialog.exec();
    }
    UpdateStatus();
}

void TfMainFrm::ModelCommand()
{
    bool accepted = false;
    QString band;
    {
        TfModel dialog(this);
        dialog.exec();
        accepted = dialog.Accepted;
        band = dialog.ChosenBand();
    }
    if (!accepted)
        return;
    if (myAll->Modified && MsgBox(myLanguage->Confirmation, myLanguage->ClearData, MsgQuestion) == MsgNo)
        return;
    const QString oldBand = myAll->BandText;
    ApplyModelBand(myFrqList->CodeOf(band), true);
    if (!NewFile()) {
        // The save before the fresh image failed: the image keeps its changes, so it
        // keeps the model and band it was made for as well.
        ApplyModelBand(myFrqList->CodeOf(oldBand), true);
    }
    RebuildTree();
    UpdateStatus();
}

void TfMainFrm::LanguageCommand()
{
    bool changed = false;
    {
        TfSetLanguage dialog(this);
        dialog.exec();
        changed = dialog.Changed;
    }
    if (!changed)
        return;
    LoadMessages(myAll->LangName);
    TranslateForm(this, myAll->LangName, true);
    UpdateStatus();
    CloseEditors();
    RebuildTree();
    ShowChild(EdChInfo);
    // The modified flag stays as it was: the image did not change, and clearing the flag
    // would let the program end without offering to save the user's edits.
    SyncModifiedMarker();
}

void TfMainFrm::HelpCommand()
{
    const QString base = myAll->HelpPrefix + u'_' + myAll->LangName;
    QString path = FindShippedFile(base + QStringLiteral(".chm"));
    if (!QFileInfo::exists(path)) {
        const QString html = FindShippedFile(base + QStringLiteral(".html"));
        if (QFileInfo::exists(html))
            path = html;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void TfMainFrm::AboutCommand()
{
    TfFrmAbout dialog(this);
    dialog.exec();
}
