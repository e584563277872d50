#pragma once
// What every family-window test stands on: a fresh copy of the blank template (or of the
// demonstration database) as the working database, the windows registered inside a main
// window's multi-document area, and the scripted answerer recording every box.
#include "commun/banc_fenetres.h"
#include "records/enregistrement_records.h"
#include "settings/enregistrement_settings.h"
#include <QComboBox>
#include <QTabWidget>

namespace banc {

const QString Famille = QStringLiteral("feuille_famille");
const QString ChoixFamille = QStringLiteral("feuille_choix_famille");
const QString Eleve = QStringLiteral("feuille_élève");
const QString MenuFamilles = QStringLiteral("menuenfantsindex2");

inline void enregistrer_tout();

struct Base : BaseCommune {
    explicit Base(bool exemple = false) {
        fenetre_principale(enregistrer_tout, {1024, 768});
        preparer(exemple);
        Module1::chemin_programme = QStringLiteral(CARNELIS_DOSSIER_PROGRAMME) + QLatin1Char('/');
        Module1::code_appelant = 0;
    }
    // Families numbered 000001 to `n`, guardians named from the list in turn.
    void familles(int n, const QStringList& noms = {}) const {
        for (int i = 1; i <= n; ++i) {
            const QString nom = noms.isEmpty() ? QStringLiteral("Nom%1").arg(i, 3, 10, QLatin1Char('0'))
                                               : noms[(i - 1) % noms.size()];
            auto base = db::BaseDonnees::ouvrir(chemin);
            base->requete("INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\", "
                          "\"prénom_responsable_légal\") VALUES (?, ?, ?)",
                          {QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')), nom, QStringLiteral("P%1").arg(i)});
            base->Close();
        }
    }
};

inline QLineEdit* zone(const QString& nom) { return controle<QLineEdit>(Famille, nom); }
inline QString texte(const QString& nom) { return zone(nom)->text(); }
inline void cliquer(const QString& bouton) { cliquer(Famille, bouton); }
inline forms::ControleDonnees* dat() { return dat(Famille); }
inline db::JeuEnregistrements& jeu() { return jeu(Famille); }
inline QTabWidget* onglets() { return controle<QTabWidget>(Famille, QStringLiteral("SSTab1")); }
// Gives the box the focus as the user's Tab key or click does, then lets queued work run.
// A box on a tab not shown is reached by first showing its tab, as the user does.
inline void entrer(const QString& nom) {
    feuille(Famille).activateWindow();
    if (!zone(nom)->isVisible())
        for (int i = 0; i < onglets()->count(); ++i)
            if (onglets()->widget(i)->isAncestorOf(zone(nom))) onglets()->setCurrentIndex(i);
    zone(nom)->setFocus(Qt::TabFocusReason);
    traiter();
}
inline void quitter_vers(const QString& suivant) { entrer(suivant); }

}  // namespace banc
