#include "Model.h"

#include "ui_Model.h"

#include "app/All.h"
#include "lang/TranslateForm.h"
#include "model/MacType.h"

#include <QShowEvent>

namespace {

// Puts a text in a fixed-list box: selects the item with that text, or the first item
// when no item has it.
void putText(QComboBox *box, const QString &text)
{
    const int i = box->findText(text, Qt::MatchExactly);
    box->setCurrentIndex(i >= 0 ? i : (box->count() > 0 ? 0 : -1));
}

} // namespace

TfModel::TfModel(QWidget *parent) : QDialog(parent), ui(new Ui::TfModel)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    connect(ui->cbCopmut, &QComboBox::activated, this, [this] { cbCopmutChange(); });
    connect(ui->btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(ui->btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

TfModel::~TfModel()
{
    delete ui;
}

void TfModel::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfModel::FormShow()
{
    if (myAll->LangIndex > 0)
        TranslateForm(this, myAll->LangName, false);
    QStringList names;
    myMacList->FillNames(names);
    ui->cbCopmut->clear();
    ui->cbCopmut->addItems(names);
    putText(ui->cbCopmut, myAll->ModelName);
    cbCopmutChange();
    putText(ui->cbPd, myAll->BandText);
    Accepted = false;
    setFixedSize(sizeHint());
}

void TfModel::cbCopmutChange()
{
    ui->cbPd->clear();
    const TMacType *model = myMacList->FindByName(ui->cbCopmut->currentText());
    if (!model)
        return;
    ui->cbPd->addItems(model->Bands);
    putText(ui->cbPd, model->DefaultBand);
}

QString TfModel::ChosenBand() const
{
    return ui->cbPd->currentText();
}

void TfModel::btnOkClick()
{
    Accepted = true;
    accept();
}

void TfModel::btnCancelClick()
{
    reject();
}
