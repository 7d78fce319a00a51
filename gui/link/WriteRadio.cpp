#include "WriteRadio.h"

#include "ui_WriteRadio.h"

#include "app/All.h"
#include "lang/TranslateForm.h"
#include "link/WriteSession.h"

TfWriteRadio::TfWriteRadio(QWidget *parent, std::unique_ptr<TLinkPort> port)
    : QDialog(parent), ui(std::make_unique<Ui::TfWriteRadio>()),
      m_session(new TWriteSession(std::move(port), this))
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    connect(m_session, &TLinkSession::ProgressChanged, ui->pBar, &QProgressBar::setValue);
    connect(m_session, &TLinkSession::OkEnabledChanged, ui->btnOk, &QPushButton::setEnabled);
    connect(m_session, &TLinkSession::CloseRequested, this, &QDialog::reject);
    connect(ui->btnOk, &QPushButton::clicked, m_session, &TWriteSession::Ok);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TfWriteRadio::~TfWriteRadio() = default;

void TfWriteRadio::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (myAll->LangIndex > 0)
        TranslateForm(this, myAll->LangName, false);
    ui->pBar->setMaximum(TLinkSession::ProgressMax);
    // The port opens once the dialog is on screen, so a failure shows over it.
    QMetaObject::invokeMethod(
        this, [this] { m_session->Show(); }, Qt::QueuedConnection);
}

void TfWriteRadio::done(int result)
{
    // Closing in the middle of a write sends no end byte.
    m_session->Close();
    QDialog::done(result);
}
