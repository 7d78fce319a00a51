#pragma once

#include <QDialog>
#include <QStringList>

namespace Ui {
class TfSetLanguage;
}

// Splits a "|" list: the text up to each "|" is an element; the rest after the last "|"
// is the last element unless it is empty. An empty text gives no elements.
QStringList SplitBarList(const QString &text);

// The languages the program offers, from SysInfo.Ini: appends their display names (in
// the current language) to displayNames and their language names to languageNames.
void LanguageList(QStringList &displayNames, QStringList &languageNames);

// The Language File Setup dialog. After it closes, Changed tells whether the user chose
// another language; LangName and LangIndex of the session then name it.
class TfSetLanguage : public QDialog
{
    Q_OBJECT

public:
    explicit TfSetLanguage(QWidget *parent = nullptr);
    ~TfSetLanguage() override;

    bool Changed = false;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void btnOkClick();
    void btnCancelClick();

    Ui::TfSetLanguage *ui;
};
