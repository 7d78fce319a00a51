#pragma once

#include <QDialog>

namespace Ui {
class TfModel;
}

// The Model Information dialog: the user picks a model of the catalogue and one of its
// bands. The main window looks at Accepted and ChosenBand once the dialog has closed.
class TfModel : public QDialog
{
    Q_OBJECT

public:
    explicit TfModel(QWidget *parent = nullptr);
    ~TfModel() override;

    // The band text chosen in the frequency box.
    QString ChosenBand() const;

    bool Accepted = false;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void cbCopmutChange();
    void btnOkClick();
    void btnCancelClick();

    Ui::TfModel *ui;
};
