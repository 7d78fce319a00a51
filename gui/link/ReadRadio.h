#pragma once

#include "link/LinkPort.h"

#include <QDialog>

#include <memory>

class TReadSession;
namespace Ui {
class TfReadRadio;
}

// "Read data From radio": reads the radio's memory into the radio image. The main window
// shows it modally and refreshes its views afterwards when ReadDone is set.
class TfReadRadio : public QDialog
{
    Q_OBJECT

public:
    // port: the serial port to use; the real one unless given (tests).
    explicit TfReadRadio(QWidget *parent = nullptr, std::unique_ptr<TLinkPort> port = {});
    ~TfReadRadio() override;

    // A read has completed and reached the image.
    bool ReadDone() const;
    TReadSession *Session() const { return m_session; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TfReadRadio> ui;
    TReadSession *m_session;
    bool m_shown = false;
};
