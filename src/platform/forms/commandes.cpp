#include "platform/forms/commandes.h"
#include <QAbstractButton>
#include <QHash>

namespace forms {

namespace {
QHash<QString, std::function<void()>>& table() {
    static QHash<QString, std::function<void()>> t;
    return t;
}
}  // namespace

void definir_commande(const QString& nom, std::function<void()> commande) { table().insert(nom, std::move(commande)); }

std::function<void()> commande(const QString& nom) { return table().value(nom); }

QString commande_du_bouton(const QString& fenetre, const QString& bouton) { return fenetre + u'.' + bouton; }

void brancher_bouton(QAbstractButton* bouton, const QString& fenetre) {
    const QString nom = commande_du_bouton(fenetre, bouton->objectName());
    QObject::connect(bouton, &QAbstractButton::clicked, bouton, [nom] {
        if (auto c = commande(nom)) c();
    });
}

}  // namespace forms
