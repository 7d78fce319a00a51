#include "FrmAbout.h"

#include "ui_FrmAbout.h"

#include "app/All.h"
#include "app/Artwork.h"
#include "lang/TranslateForm.h"

#include <QMouseEvent>
#include <QShowEvent>

TfFrmAbout::TfFrmAbout(QWidget *parent) : QDialog(parent), ui(new Ui::TfFrmAbout)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    for (QLabel *label : findChildren<QLabel *>())
        label->installEventFilter(this);
    QFont name = ui->Label1->font();
    name.setBold(true);
    name.setPointSizeF(name.pointSizeF() * 1.25);
    ui->Label1->setFont(name);
}

TfFrmAbout::~TfFrmAbout()
{
    delete ui;
}

void TfFrmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfFrmAbout::FormShow()
{
    ui->ImApp->setPixmap(ApplicationIcon().pixmap(64, 64));
    setWindowTitle(myAll->Title);
    TranslateForm(this, myAll->LangName, false);
    // The version line may carry %1 for the program's own version number.
    if (ui->Label2->text().contains(QStringLiteral("%1")))
        ui->Label2->setText(ui->Label2->text().arg(QStringLiteral(TQ_VERSION)));
    ui->Memo1->clear();
    ui->Memo1->appendPlainText(ui->Label5->text());
    ui->Memo1->appendPlainText(ui->Label6->text());
    ui->Memo1->appendPlainText(QString());
    ui->Memo1->appendPlainText(ui->Label7->text());
    adjustSize();
    setFixedSize(size());
}

void TfFrmAbout::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    close();
}

bool TfFrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && qobject_cast<QLabel *>(watched)) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
