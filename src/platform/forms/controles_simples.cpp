#include "platform/forms/controles_simples.h"
#include <QAbstractButton>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace forms {

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte) {
    auto* l = new QLabel(texte, parent);
    l->setObjectName(nom);
    return l;
}

QPushButton* bouton(QWidget* parent, const QString& nom, const QString& legende, const QString& infobulle) {
    auto* b = new QPushButton(legende, parent);
    b->setObjectName(nom);
    b->setToolTip(infobulle);
    b->setAutoDefault(false);
    return b;
}

namespace {
constexpr const char* Voisin = "voisin";

QString sans_marques(QString t) {
    // "&&" shows one "&"; a single "&" marks the Alt letter.
    const QChar garde(1);
    t.replace(QStringLiteral("&&"), QString(garde)).remove(QLatin1Char('&')).replace(garde, QLatin1Char('&'));
    t = t.simplified();
    while (t.endsWith(QLatin1Char(':'))) t = t.chopped(1).trimmed();
    return t;
}

QString texte_de(const QObject* o) {
    if (const auto* l = qobject_cast<const QLabel*>(o)) return l->text();
    if (const auto* b = qobject_cast<const QAbstractButton*>(o)) return b->text();
    return {};
}
}  // namespace

void nommer(QWidget* controle, QWidget* voisin) {
    controle->setProperty(Voisin, QVariant::fromValue(QPointer<QObject>(voisin)));
}

QString libelle_de(const QWidget* controle) {
    if (!controle) return {};
    if (!controle->accessibleName().isEmpty()) return sans_marques(controle->accessibleName());
    const QPointer<QObject> voisin = controle->property(Voisin).value<QPointer<QObject>>();
    return sans_marques(texte_de(voisin ? voisin.data() : controle));
}

}  // namespace forms
