#include "MessageBoxes.h"

#include "app/All.h"
#include "lang/IniFile.h"
#include "lang/Language.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

int showMessageBox(const QString &caption, const QString &text, int kind)
{
    IniFile ini;
    ini.load(LanguageFilePath(myAll->LangName));
    const QString section = QStringLiteral("MsgBox");

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    if (kind == MsgQuestion) {
        box.setIcon(QMessageBox::Question);
        QPushButton *yes = box.addButton(QMessageBox::Yes);
        QPushButton *no = box.addButton(QMessageBox::No);
        yes->setText(ini.value(section, QStringLiteral("Yes"), QStringLiteral("&Yes")));
        no->setText(ini.value(section, QStringLiteral("No"), QStringLiteral("&No")));
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? MsgYes : MsgNo;
    }
    box.setIcon(QMessageBox::Information);
    QPushButton *ok = box.addButton(QMessageBox::Ok);
    ok->setText(ini.value(section, QStringLiteral("Ok"), QStringLiteral("OK")));
    box.exec();
    return MsgOk;
}

} // namespace

void InstallMessageBoxes()
{
    SetMsgBoxResponder(showMessageBox);
}
