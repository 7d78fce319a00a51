#include "SetPort.h"

#include "ui_SetPort.h"

#include "app/All.h"
#include "lang/TranslateForm.h"
#include "link/Ports.h"

#include <QRadioButton>

namespace {

constexpr int NumberedPorts = 20;

// A port text names a listed device by its name or by its path.
bool SamePort(const QString &comPort, const QString &listed)
{
    return comPort == listed || comPort == QStringLiteral("/dev/") + listed;
}

} // namespace

TfSetPort::TfSetPort(QWidget *parent, bool numberedPorts)
    : QDialog(parent), ui(std::make_unique<Ui::TfSetPort>()), m_numbered(numberedPorts)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    ui->wNumbered->setVisible(m_numbered);
    ui->wDevices->setVisible(!m_numbered);
    for (int n = 1; n <= NumberedPorts; ++n)
        m_choices.addButton(PortButton(n));
    m_choices.addButton(ui->cxPath);
    connect(ui->ePath, &QLineEdit::textEdited, this, [this] { ui->cxPath->setChecked(true); });
    connect(ui->btnOk, &QPushButton::clicked, this, &TfSetPort::Ok);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TfSetPort::~TfSetPort() = default;

QRadioButton *TfSetPort::PortButton(int number) const
{
    return findChild<QRadioButton *>(QStringLiteral("cxPort%1").arg(number));
}

void TfSetPort::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (myAll->LangIndex > 0) {
        TranslateForm(this, myAll->LangName, true);
        for (int n = 1; n <= NumberedPorts; ++n)
            PortButton(n)->setText(ui->lbName->text() + QString::number(n));
    }
    ui->cxPort->setTitle(windowTitle());
    if (m_numbered)
        FillNumbered();
    else
        FillDevices();
}

void TfSetPort::FillNumbered()
{
    ui->cbCom->clear();
    QStringList ports;
    ListPorts(&ports);
    ui->cbCom->addItems(ports);
    for (const QString &port : ports) {
        const int n = PortNumber(port);
        if (n >= 1 && n <= NumberedPorts)
            PortButton(n)->setEnabled(true);
    }
    // The configured port is checked even when it is not present.
    const int current = PortNumber(myAll->ComPort);
    if (current >= 1 && current <= NumberedPorts)
        PortButton(current)->setChecked(true);
}

void TfSetPort::FillDevices()
{
    ui->cbCom->clear();
    const QList<TPortInfo> ports = FindPorts();
    auto *layout = qobject_cast<QVBoxLayout *>(ui->wDevices->layout());
    int row = 0;
    bool currentListed = false;
    const auto addChoice = [&](const QString &port, const QString &text, bool enabled) {
        auto *button = new QRadioButton(text, ui->wDevices);
        button->setObjectName(QStringLiteral("cxDevice%1").arg(m_devices.size() + 1));
        button->setProperty("port", port);
        button->setEnabled(enabled);
        layout->insertWidget(row++, button);
        m_choices.addButton(button);
        m_devices.append(button);
        return button;
    };
    for (const TPortInfo &p : ports) {
        ui->cbCom->addItem(p.Port);
        const QString text =
            p.Description.isEmpty() ? p.Port : QStringLiteral("%1  (%2)").arg(p.Port, p.Description);
        QRadioButton *button = addChoice(p.Port, text, true);
        if (SamePort(myAll->ComPort, p.Port)) {
            button->setChecked(true);
            currentListed = true;
        }
    }
    ui->lbNoPorts->setVisible(ports.isEmpty());
    // The configured port stays visible and checked when it is absent; Ok then keeps it.
    if (!currentListed && !myAll->ComPort.isEmpty())
        addChoice(myAll->ComPort, myAll->ComPort, false)->setChecked(true);
}

void TfSetPort::Ok()
{
    if (m_numbered) {
        for (int n = 1; n <= NumberedPorts; ++n) {
            if (PortButton(n)->isChecked())
                myAll->ComPort = QStringLiteral("COM%1").arg(n);
        }
    } else if (ui->cxPath->isChecked()) {
        const QString path = ui->ePath->text().trimmed();
        if (!path.isEmpty())
            myAll->ComPort = path;
    } else {
        for (const QRadioButton *button : m_devices) {
            if (button->isChecked())
                myAll->ComPort = button->property("port").toString();
        }
    }
    accept();
}
