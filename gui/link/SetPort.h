#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QList>

#include <memory>

class QRadioButton;
namespace Ui {
class TfSetPort;
}

// "Communication Port": the user picks the serial port the radio's cable is on; Ok stores
// it in the session's port text.
//
// With numbered ports (Windows) the choice is among COM1 to COM20, those present being
// enabled. Otherwise every serial device found is offered by name with its description,
// and any device path (a pseudo-terminal, say) can be typed in. In both the configured
// port is checked, also when it is not present.
class TfSetPort : public QDialog
{
    Q_OBJECT

public:
#if defined(Q_OS_WIN)
    static constexpr bool NumberedPortsByDefault = true;
#else
    static constexpr bool NumberedPortsByDefault = false;
#endif

    explicit TfSetPort(QWidget *parent = nullptr, bool numberedPorts = NumberedPortsByDefault);
    ~TfSetPort() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FillNumbered();
    void FillDevices();
    void Ok();
    QRadioButton *PortButton(int number) const;

    std::unique_ptr<Ui::TfSetPort> ui;
    bool m_numbered;
    bool m_shown = false;
    QButtonGroup m_choices;
    QList<QRadioButton *> m_devices;
};
