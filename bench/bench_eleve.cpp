// Times the pupil window on a generated database of 10,000 pupils and 7,000 families, as the
// user drives it: opening it from the menu, each of the 13 sort orders, a search by name and
// by matricule that finds a pupil near the end of the order, the next and the last record,
// "&Ajouter" up to the new record shown, and saving one record. Beside them, as the floor, the
// same query run by the sqlite3 command-line tool. Prints the median of each.
//   bench_eleve [runs] [generer_base]   (runs: 7 by default)
#include "platform/db/controle_donnees.h"
#include "platform/erreur.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "records/enregistrement_records.h"
#include "records/feuille_eleve.h"
#include "settings/enregistrement_settings.h"
#include "shell/menus.h"
#include "shell/module1.h"

#include "outils_bench.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

using bench::chronometrer;
using bench::executer;

void traiter() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void afficher(const QString& libelle, double ms, double plancher = 0) {
    if (plancher > 0)
        std::printf("%-52s %8.1f ms   (plancher sqlite3 %6.1f ms)\n", qPrintable(libelle), ms, plancher);
    else
        std::printf("%-52s %8.1f ms\n", qPrintable(libelle), ms);
}

// The query of a record source as the sqlite3 tool takes it: every name quoted.
QString natif(const QString& requete) {
    QString r = requete;
    r.replace(QRegularExpression(QStringLiteral("(?<=FROM |BY |, )([\\w]+)"), QRegularExpression::UseUnicodePropertiesOption),
              QStringLiteral("\"\\1\""));
    return r + ';';
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int fois = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 7;
    const QString modele = QStringLiteral(CARNELIS_MODELE_VIDE);

    QTemporaryDir dossier;
    const QString base = bench::generer_base(bench::generateur(argc, argv, modele), modele, dossier.path());
    if (base.isEmpty()) return 1;
    std::printf("%d mesures par ligne (médianes)\n\n", fois);

    enregistrer_feuilles_settings();
    enregistrer_feuilles_records();
    QMainWindow principale;
    auto* zone = new QMdiArea(&principale);
    principale.setCentralWidget(zone);
    principale.resize(1024, 768);
    principale.show();
    forms::Feuilles::definirZone(zone);
    Module1::chemin_base = base;
    forms::RepondeurScripte& boites = forms::installer_repondeur_scripte();
    const QString menu = QStringLiteral("menuenfantsindex1");
    const QString nom = QStringLiteral("feuille_élève");
    auto fenetre = [&]() -> eleve::FeuilleEleve& { return forms::Feuilles::obtenir<eleve::FeuilleEleve>(nom); };
    auto jeu = [&]() -> db::JeuEnregistrements& { return fenetre().datPrimaryRS()->Recordset(); };
    // Every message box is a failure of the step measured, but the searches' input boxes and
    // the question of "&Ajouter".
    const QString question = QStringLiteral("Voulez-vous ajouter une fiche dans la fratrie en cours");
    auto verifier_silence = [&](const char* etape) {
        for (const forms::BoiteVue& v : boites.vues) {
            if (v.saisie || v.texte.startsWith(question)) continue;
            std::fprintf(stderr, "%s : message inattendu « %s »\n", etape, qPrintable(v.texte));
            return false;
        }
        boites.effacer();
        return true;
    };

    // The tool has not the program's French collation: an order on a text column that uses it
    // fails there, and has no floor.
    auto outil = [&](const QString& requete) {
        bool reussi = true;
        const double t = chronometrer(fois, [] {}, [&] {
            reussi = executer(QStringLiteral("sqlite3"), {base, natif(requete)}) && reussi;
        });
        return reussi ? t : 0.0;
    };

    const double ouverture = chronometrer(
        fois, [&] { forms::Feuilles::toutDecharger(); traiter(); },
        [&] { shell::menus::executer(menu); });
    if (!verifier_silence("ouverture")) return 1;
    const int lignes = jeu().RecordCount();
    std::printf("Élèves : %d\n", lignes);
    afficher(QStringLiteral("Ouverture de la fenêtre par le menu"), ouverture,
             outil(QStringLiteral("SELECT * FROM élèves ORDER BY matricule ASC")));

    QComboBox* combo = fenetre().Combo1();
    for (int i = 0; i < combo->count(); ++i) {
        const double tri = chronometrer(fois, [] {}, [&] {
            combo->setCurrentIndex(i);
            emit combo->activated(i);
        });
        afficher(QStringLiteral("Tri « %1 »").arg(combo->itemText(i)), tri, outil(eleve::tris()[i].requete));
    }
    fenetre().choisirTri(0);

    // A pupil five rows from the end of the alphabetical order.
    const auto& rs = jeu();
    const QString matricule = rs.valeurLigne(lignes - 5, rs.indexChamp(QStringLiteral("matricule"))).toString();
    const QString nomCherche = rs.valeurLigne(lignes - 5, rs.indexChamp(QStringLiteral("nom_élève"))).toString();
    for (const eleve::Recherche& r : eleve::recherches()) {
        const QString reponse = QString::fromUtf8(r.champ) == QLatin1String("matricule") ? matricule : nomCherche;
        const double recherche = chronometrer(fois, [&] { jeu().MoveFirst(); boites.saisir(reponse); },
                                              [&] { fenetre().rechercher(r); });
        if (!verifier_silence("recherche")) return 1;
        afficher(QStringLiteral("Recherche par %1 près de la fin").arg(QString::fromUtf8(r.colonne)), recherche);
    }

    const double suivant = chronometrer(fois, [&] { jeu().MoveFirst(); }, [&] { jeu().MoveNext(); traiter(); });
    afficher(QStringLiteral("Fiche suivante"), suivant);
    const double dernier = chronometrer(fois, [&] { jeu().MoveFirst(); }, [&] { jeu().MoveLast(); traiter(); });
    afficher(QStringLiteral("Dernière fiche"), dernier);

    const double ajout = chronometrer(fois, [&] { boites.repondre(forms::Non); }, [&] {
        fenetre().cmdAjouter_Click();
        traiter();
    });
    if (!verifier_silence("ajout")) return 1;
    afficher(QStringLiteral("« Ajouter » jusqu'à la nouvelle fiche affichée"), ajout);
    int n = 0;
    const double enregistrement = chronometrer(
        fois, [&] { fenetre().zone(QStringLiteral("lieu_naissance"))->setText(QStringLiteral("Lyon %1").arg(++n)); },
        [&] { fenetre().cmdMettreajour_Click(); });
    if (!verifier_silence("enregistrement")) return 1;
    afficher(QStringLiteral("Enregistrement d'une fiche (« Valider »)"), enregistrement);
    forms::Feuilles::toutDecharger();
    traiter();
    return 0;
}
