#include "platform/forms/clignotement.h"
#include <QAbstractButton>
#include <QTimer>

namespace forms {

QTimer* clignoter(QAbstractButton* controle, const QString& legende, QWidget* fenetre) {
    controle->setMinimumSize(controle->sizeHint());
    auto* minuterie = new QTimer(fenetre);
    minuterie->setObjectName(QStringLiteral("Timer1"));
    minuterie->setInterval(500);
    QObject::connect(minuterie, &QTimer::timeout, controle,
                     [controle, legende] { controle->setText(controle->text() == legende ? QString() : legende); });
    minuterie->start();
    return minuterie;
}

}  // namespace forms
