#pragma once
// The modal window that asks for a database's access code. What is typed goes into the
// chooser's hidden `accès_tentavive`, where the opening compares it with the stored code.
#include <QDialog>

class QLineEdit;
class QLabel;
class QTimer;

namespace shell {

class FeuilleLogin : public QDialog {
    Q_OBJECT
public:
    explicit FeuilleLogin(QWidget* parent = nullptr);

private:
    void accepter();
    void annuler();
    void clignoter();
    QLineEdit* saisie_;
    QLabel* image1_;
    QLabel* image2_;
};

}  // namespace shell
