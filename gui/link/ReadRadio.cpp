#include "ReadRadio.h"

#include "ui_ReadRadio.h"

#include "app/All.h"
#include "lang/TranslateForm.h"
#include "link/ReadSession.h"

TfReadRadio::TfReadRadio(QWidget *parent, std::unique_ptr<TLinkPort> port)
    : QDialog(parent), ui(std::make_unique<Ui::TfReadRadio>()),
      m_session(new TReadSession(std::move(port), this))
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    connect(m_session, &TLinkSession::ProgressChanged, ui->pBar, &QProgressBar::setValue);
    connect(m_session, &TLinkSession::OkEnabledChanged, ui->btnOk, &QPushButton::setEnabled);
    connect(m_session, &TLinkSession::CloseRequested, this,
            [this] { done(m_session->ReadDone ? QDialog::Accepted : QDialog::Rejected); });
    connect(ui->btnOk, &QPushButton::clicked, m_session, &TReadSession::Ok);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TfReadRadio::~TfReadRadio() = default;

bool TfReadRadio::ReadDone() const
{
    return m_session->ReadDone;
}

void TfReadRadio::showEvent(QShowEvent *event)
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

void TfReadRadio::done(int result)
{
    // Closing in the middle of a read sends nothing more and leaves the image alone.
    m_session->Close();
    QDialog::done(result);
}
