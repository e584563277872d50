#pragma once
// The program started in a folder with its chooser up, as a head teacher finds it, and the
// gestures of the file buttons: selecting a file, clicking a button, picking a folder.
#include "commun/base_test.h"
#include "programme/demarrage.h"
#include "shell/feuille_chemin.h"
#include "shell/mdiform1.h"
#include "shell/module1.h"
#include "platform/db/base_donnees.h"
#include "platform/db/copie_sure.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/listes_fichiers.h"
#include "platform/forms/pointeur.h"
#include "platform/erreur.h"
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace poste {

inline forms::Feuille& choix() { return forms::Feuilles::charger(QStringLiteral("feuille_choix_base")); }
inline forms::Feuille& fenetre_chemin() { return forms::Feuilles::charger(QStringLiteral("feuille_chemin")); }
inline QLabel* label4() { return choix().controle<QLabel>(QStringLiteral("Label4")); }
inline forms::ListeFichiers* liste() { return choix().controle<forms::ListeFichiers>(QStringLiteral("File1")); }

// Starts the program in the current folder; the splash is dismissed by a key.
inline bool demarrer() {
    programme::preparer_demarrage();
    forms::Feuille* accueil = forms::Feuilles::siChargee(QStringLiteral("feuille_accueil"));
    if (!accueil) return false;
    QTest::keyClick(accueil, Qt::Key_A);
    return QTest::qWaitFor([] { return shell::fenetre_principale()->isVisible(); });
}

inline void cliquer(const char* bouton) {
    choix().controle<QPushButton>(QString::fromUtf8(bouton))->click();
}

// Selects a file of the chooser's list as a click does; false when the list lacks it.
inline bool selectionner(const QString& nom) {
    forms::ListeFichiers* l = liste();
    l->Refresh();
    const auto trouves = l->findItems(nom, Qt::MatchExactly);
    if (trouves.isEmpty()) return false;
    l->setListIndex(l->row(trouves.first()));
    return true;
}

// Picks `dossier` in the folder window and accepts it.
inline void accepter_dans(const QString& dossier) {
    fenetre_chemin().controle<forms::ListeDossiers>(QStringLiteral("Dir1"))->setPath(dossier);
    fenetre_chemin().controle<QPushButton>(QStringLiteral("cmdUpdate"))->click();
}

// Number of rows of a table of a database file.
inline int lignes(const QString& base, const QString& table = QStringLiteral("élèves")) {
    auto b = db::BaseDonnees::ouvrir(base);
    return b->requete(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)).lignes[0][0].toInt();
}

inline void ajouter_eleves(const QString& base, int nombre, int premier = 1) {
    auto b = db::BaseDonnees::ouvrir(base);
    b->requete(QStringLiteral("BEGIN"));
    for (int i = premier; i < premier + nombre; ++i)
        b->requete(QStringLiteral("INSERT INTO \"élèves\" (matricule, \"nom_élève\") VALUES (?, ?)"),
                   {QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')), QStringLiteral("Élève %1").arg(i)});
    b->requete(QStringLiteral("COMMIT"));
}

inline QString integrite(const QString& base) {
    auto b = db::BaseDonnees::ouvrir(base);
    return b->requete(QStringLiteral("PRAGMA integrity_check")).lignes[0][0].toString();
}

// Temporary files of copies left in a folder.
inline QStringList restes(const QString& dossier) {
    return QDir(dossier).entryList({QStringLiteral("*~carnelis.*")}, QDir::Files | QDir::Hidden);
}

}  // namespace poste
