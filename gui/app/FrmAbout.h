#pragma once

#include <QDialog>

namespace Ui {
class TfFrmAbout;
}

// The About box: product name, version, description, copyright and contact lines from
// the language file, with a short note in its memo. A click anywhere closes it.
class TfFrmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TfFrmAbout(QWidget *parent = nullptr);
    ~TfFrmAbout() override;

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();

    Ui::TfFrmAbout *ui;
};
