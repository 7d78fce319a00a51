#pragma once

#include "link/LinkPort.h"

#include <QDialog>

#include <memory>

class TWriteSession;
namespace Ui {
class TfWriteRadio;
}

// "Write data to radio": writes the radio image into a radio, and into further radios
// with Ok again. The main window shows it modally.
class TfWriteRadio : public QDialog
{
    Q_OBJECT

public:
    // port: the serial port to use; the real one unless given (tests).
    explicit TfWriteRadio(QWidget *parent = nullptr, std::unique_ptr<TLinkPort> port = {});
    ~TfWriteRadio() override;

    TWriteSession *Session() const { return m_session; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TfWriteRadio> ui;
    TWriteSession *m_session;
    bool m_shown = false;
};
