#include "SetLanguage.h"

#include "ui_SetLanguage.h"

#include "app/All.h"
#include "lang/IniFile.h"
#include "lang/TranslateForm.h"

#include <QShowEvent>

QStringList SplitBarList(const QString &text)
{
    QStringList items;
    QString remaining = text;
    while (!remaining.isEmpty()) {
        const int bar = remaining.indexOf(u'|');
        if (bar < 0) {
            items.append(remaining);
            break;
        }
        items.append(remaining.left(bar));
        remaining = remaining.mid(bar + 1);
    }
    return items;
}

void LanguageList(QStringList &displayNames, QStringList &languageNames)
{
    const QString section = QStringLiteral("SysInfo");
    IniFile ini;
    ini.load(SysInfoReadPath());
    languageNames.append(
        SplitBarList(ini.value(section, QStringLiteral("Language"), QStringLiteral("Chinese|English"))));
    // Without display names for the current language, the names are given in Chinese.
    displayNames.append(SplitBarList(ini.value(section, myAll->LangName, QStringLiteral("中文|英文"))));
}

TfSetLanguage::TfSetLanguage(QWidget *parent) : QDialog(parent), ui(new Ui::TfSetLanguage)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    connect(ui->btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(ui->btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

TfSetLanguage::~TfSetLanguage()
{
    delete ui;
}

void TfSetLanguage::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfSetLanguage::FormShow()
{
    ui->cbLanguage->clear();
    ui->Language->clear();
    QStringList displayNames;
    QStringList languageNames;
    LanguageList(displayNames, languageNames);
    ui->cbLanguage->addItems(displayNames);
    ui->Language->addItems(languageNames);
    if (myAll->LangIndex > 0)
        TranslateForm(this, myAll->LangName, false);
    ui->cbLanguage->setCurrentIndex(myAll->LangIndex < ui->cbLanguage->count() ? myAll->LangIndex : -1);
    Changed = false;
    setFixedSize(sizeHint());
}

void TfSetLanguage::btnOkClick()
{
    const int selected = ui->cbLanguage->currentIndex();
    if (selected >= 0 && selected != myAll->LangIndex) {
        Changed = true;
        // A display name without a language name behind it gives an empty language
        // name: the program then keeps its built-in texts.
        QListWidgetItem *item = ui->Language->item(selected);
        myAll->LangName = item ? item->text() : QString();
        myAll->LangIndex = selected;
    }
    accept();
}

void TfSetLanguage::btnCancelClick()
{
    reject();
}
