#pragma once
// What every pupil-window test stands on: a fresh copy of the blank template as the working
// database, the program's windows registered inside a multi-document area (so that focus
// moves as for the user), and the scripted answerer recording every box.
#include "commun/banc_fenetres.h"
#include "records/enregistrement_records.h"
#include "records/feuille_eleve.h"
#include "settings/enregistrement_settings.h"
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace banc {

const QString Eleve = QStringLiteral("feuille_élève");
const QString MenuEleves = QStringLiteral("menuenfantsindex1");

inline void enregistrer_settings_records() {
    enregistrer_feuilles_settings();
    enregistrer_feuilles_records();
}

struct Base : BaseCommune {
    explicit Base(bool exemple = false) {
        fenetre_principale(enregistrer_settings_records, {1024, 768});
        preparer(exemple);
        Module1::code_appelant = 0;
    }
    // Pupils by matricule and name: "000001:Martin".
    void eleves(const QStringList& lignes) const {
        for (const QString& l : lignes) {
            const QStringList p = l.split(':');
            sql("INSERT INTO \"élèves\" (matricule, \"nom_élève\", \"prénom_élève\") VALUES (?, ?, ?)",
                {p.value(0), p.value(1), p.value(2)});
        }
    }
};

inline eleve::FeuilleEleve& fenetre() { return forms::Feuilles::obtenir<eleve::FeuilleEleve>(Eleve); }
template <class T = QWidget> T* controle(const QString& nom) { return fenetre().controle<T>(nom); }
inline QLineEdit* zone(const QString& nom) { return controle<QLineEdit>(nom); }
inline QString texte(const QString& nom) { return zone(nom)->text(); }
inline void cliquer(const QString& nom) { cliquer(Eleve, nom); }
inline db::JeuEnregistrements& jeu() { return controle<forms::ControleDonnees>("datPrimaryRS")->Recordset(); }
inline int onglet() { return controle<QTabWidget>("SSTab1")->currentIndex(); }
// Gives the focus as a click would, then takes it away to another field.
inline void entrer(const QString& nom) {
    controle(nom)->setFocus(Qt::MouseFocusReason);
    traiter();
}

}  // namespace banc
