// Times the family window on a generated database of 10,000 pupils and 7,000 families, as
// the user drives it: opening it from the menu, each sort, each search for a family near the
// end of the order, the next and last records, "&Ajouter", saving, "Enfants" for a family
// with children, the family picker opening, and the self-extending lookup on leaving a field
// (a known value, then a new one). Beside the window's figures, the sqlite3 tool's time for
// the same query. Prints the median of each.
//   bench_famille [runs] [generer_base]   (runs: 7 by default)
#include "platform/db/base_donnees.h"
#include "platform/db/controle_donnees.h"
#include "platform/erreur.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "records/enregistrement_records.h"
#include "records/liste_auto_extensible.h"
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
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstdio>
#include <functional>

namespace {

using bench::chronometrer;

const QString Famille = QStringLiteral("feuille_famille");

void traiter() {
    for (int i = 0; i < 2; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

double outil(int fois, const QString& base, const QString& sql) {
    return chronometrer(fois, [] {}, [&] {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(QStringLiteral("sqlite3"), {base, sql});
        p.waitForFinished(-1);
    });
}

void afficher(const char* libelle, double ms, double plancher = -1, double limite = 100) {
    std::printf("%-52s %8.1f ms", libelle, ms);
    if (plancher >= 0) std::printf("   (sqlite3 : %6.1f ms)", plancher);
    std::printf("%s\n", ms < limite ? "" : "   AU-DELÀ DE LA LIMITE");
}

forms::Feuille& famille() { return forms::Feuilles::charger(Famille); }
template <class T> T* controle(const QString& nom) { return famille().controle<T>(nom); }
db::JeuEnregistrements& jeu() { return controle<db::ControleDonnees>(QStringLiteral("datPrimaryRS"))->Recordset(); }
void cliquer(const QString& nom) { controle<QPushButton>(nom)->click(); }

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

    try {
        enregistrer_feuilles_settings();
        enregistrer_feuilles_records();
        QMainWindow principale;
        auto* zone = new QMdiArea(&principale);
        principale.setCentralWidget(zone);
        principale.resize(1024, 768);
        principale.show();
        forms::Feuilles::definirZone(zone);
        Module1::chemin_base = base;
        auto& boites = forms::installer_repondeur_scripte();

        const auto requete = [&](const QString& sql) {
            auto b = db::BaseDonnees::ouvrir(base);
            auto r = b->requete(sql);
            b->Close();
            return r;
        };

        const double ouverture = chronometrer(
            fois, [] { forms::Feuilles::decharger(Famille); traiter(); },
            [] { shell::menus::executer(QStringLiteral("menuenfantsindex2")); });
        afficher("Ouverture par le menu", ouverture,
                 outil(fois, base, QStringLiteral("SELECT * FROM familles ORDER BY \"nom_responsable_légal\", "
                                                  "\"prénom_responsable_légal\";")));

        auto* tri = controle<QComboBox>(QStringLiteral("Combo1"));
        const char* const sqlTris[] = {
            "SELECT * FROM familles ORDER BY \"nom_responsable_légal\", \"prénom_responsable_légal\";",
            "SELECT * FROM familles ORDER BY \"nom_responsable_légal\" DESC, \"prénom_responsable_légal\" DESC;",
            "SELECT * FROM familles ORDER BY \"référence_famille\";",
            "SELECT * FROM familles ORDER BY \"référence_famille\" DESC;"};
        for (int i = 0; i < 4; ++i) {
            const double t = chronometrer(fois, [&] { tri->setCurrentIndex((i + 1) % 4); },
                                          [&] { tri->setCurrentIndex(i); });
            const QByteArray libelle = ("Tri : " + tri->itemText(i)).toUtf8();
            afficher(libelle.constData(), t, outil(fois, base, QString::fromUtf8(sqlTris[i])));
        }
        tri->setCurrentIndex(0);

        // Families near the end of the alphabetical order, and the fields the searches read.
        jeu().MoveLast();
        for (int i = 0; i < 5; ++i) jeu().MovePrevious();
        const QString reference = jeu().texte(QStringLiteral("référence_famille"));
        const QString nom = jeu().texte(QStringLiteral("nom_responsable_légal"));
        const auto conjoints = requete(QStringLiteral(
            "SELECT \"nom_conjoint\" FROM familles WHERE \"nom_conjoint\" <> '' ORDER BY \"nom_responsable_légal\" "
            "DESC LIMIT 1"));
        const QString conjoint = conjoints.lignes.value(0).value(0).toString();
        struct Recherche { const char* libelle; const char* bouton; QString texte; QString sql; };
        const Recherche recherches[] = {
            {"Recherche par référence (fin de l'ordre)", "Command1", reference,
             "SELECT * FROM familles WHERE \"référence_famille\" LIKE '" + reference + "' LIMIT 1;"},
            {"Recherche du responsable légal (fin de l'ordre)", "Command23", nom,
             "SELECT * FROM familles WHERE \"nom_responsable_légal\" LIKE '" + nom + "%' LIMIT 1;"},
            {"Recherche du conjoint", "Command22", conjoint,
             "SELECT * FROM familles WHERE \"nom_conjoint\" LIKE '" + conjoint + "%' LIMIT 1;"},
        };
        for (const Recherche& r : recherches) {
            const double t = chronometrer(fois, [&] { boites.effacer(); boites.saisir(r.texte); },
                                          [&] { cliquer(QString::fromUtf8(r.bouton)); });
            if (boites.vues.size() != 1) std::printf("  (%s : non trouvé)\n", qPrintable(r.texte));
            afficher(r.libelle, t, outil(fois, base, r.sql));
        }

        auto* suivant = controle<db::ControleDonnees>(QStringLiteral("datPrimaryRS"))->findChild<QToolButton*>("suivant");
        auto* dernier = controle<db::ControleDonnees>(QStringLiteral("datPrimaryRS"))->findChild<QToolButton*>("dernier");
        afficher("Fiche suivante", chronometrer(fois, [] { jeu().MoveFirst(); }, [&] { suivant->click(); }));
        afficher("Dernière fiche", chronometrer(fois, [] { jeu().MoveFirst(); }, [&] { dernier->click(); }));

        const auto abandonner = [] {
            if (jeu().EditMode() != 0) jeu().CancelUpdate();
        };
        afficher("« Ajouter »", chronometrer(fois, abandonner, [] { cliquer(QStringLiteral("cmdAjouter")); }),
                 outil(fois, base, QStringLiteral("SELECT * FROM familles ORDER BY \"référence_famille\";")));
        abandonner();
        jeu().MoveFirst();
        int n = 0;
        afficher("« Valider » d'une fiche modifiée",
                 chronometrer(fois, [&] { controle<QLineEdit>(QStringLiteral("police_assurance"))->setText(QString::number(++n)); },
                              [] { cliquer(QStringLiteral("cmdMettreàjour")); }));

        const auto avecEnfants = requete(QStringLiteral(
            "SELECT \"référence_famille\" FROM \"élèves\" GROUP BY \"référence_famille\" HAVING COUNT(*) >= 2 LIMIT 1"));
        const QString parents = avecEnfants.lignes.value(0).value(0).toString();
        const double enfants = chronometrer(
            fois, [&] { controle<QLineEdit>(QStringLiteral("Text13"))->setText(parents); boites.effacer(); },
            [] { cliquer(QStringLiteral("Command4")); traiter(); });
        if (!boites.vues.isEmpty()) std::printf("  (« Enfants » : %s)\n", qPrintable(boites.derniere().texte));
        afficher("« Enfants » d'une famille de plusieurs enfants", enfants,
                 outil(fois, base, "SELECT * FROM \"élèves\" WHERE \"référence_famille\" LIKE '" + parents + "';"));
        jeu().CancelUpdate();

        const double choix = chronometrer(
            fois, [] { forms::Feuilles::decharger(QStringLiteral("feuille_choix_famille")); traiter(); },
            [] {
                Module1::ouvrir_table_choix_famille();
                forms::Feuilles::charger(QStringLiteral("feuille_choix_famille")).afficher();
                traiter();
            });
        afficher("Choix de la famille : ouverture sur 7 000 familles", choix,
                 outil(fois, base, QStringLiteral("SELECT * FROM familles;")));

        const listes_auto::Instance* adresse = listes_auto::chercher(Famille, QStringLiteral("Text2"));
        const QString connue = requete(QStringLiteral("SELECT \"détails\" FROM adresses LIMIT 1")).lignes.value(0).value(0).toString();
        afficher("Liste auto-extensible : valeur connue",
                 chronometrer(fois, [] {}, [&] { listes_auto::completer(*adresse, connue); }),
                 outil(fois, base, "SELECT * FROM adresses WHERE \"détails\" LIKE '" + connue + "';"), 50);
        int m = 0;
        afficher("Liste auto-extensible : valeur ajoutée",
                 chronometrer(fois, [] {}, [&] { listes_auto::completer(*adresse, QStringLiteral("Allée %1").arg(++m)); }),
                 -1, 50);
        forms::Feuilles::toutDecharger();
        traiter();
    } catch (const Erreur& e) {
        std::fprintf(stderr, "Erreur %d : %s\n", e.numero, qPrintable(e.texte));
        return 1;
    }
    return 0;
}
