#pragma once
// What every settings test stands on: a fresh copy of the blank template as the working
// database, the windows registered inside a main window's multi-document area (so that focus
// moves as for the user), and the scripted answerer recording every box.
#include "commun/banc_fenetres.h"
#include "platform/forms/grille_donnees.h"
#include "settings/enregistrement_settings.h"

namespace banc {

struct Base : BaseCommune {
    Base() {
        fenetre_principale(enregistrer_feuilles_settings, {1200, 900});
        preparer(false);
        Module1::code_appelant = 0;
    }
};

inline QString texte(const QString& fenetre, const QString& zone) { return controle<QLineEdit>(fenetre, zone)->text(); }
inline bool chargee(const QString& fenetre) { return forms::Feuilles::estChargee(fenetre); }
inline bool accepter_visible(const QString& selecteur) {
    return !controle<QPushButton>(selecteur, QStringLiteral("bouton_accepter"))->isHidden();
}

}  // namespace banc
