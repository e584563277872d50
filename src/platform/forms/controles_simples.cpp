#include "platform/forms/controles_simples.h"
#include <QLabel>
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

}  // namespace forms
