// Times the family window on a generated database of 10,000 pupils and 7,000 families, as
// the user drives it: opening it from the menu, each sort, each search for a family near the
// end of the order, the next and last records, "&Ajouter", saving, "Enfants" for a family
// with children, the family picker opening, and the self-extending lookup on leaving a field
// (a known value, then a new one), each timed until the window is painted. Beside the opening
// and the sorts, as the floor, the sqlite3 tool reading the row ids in the same order.
// Goals, at every size: opening and sorts at most 3 times the tool; the other actions under 50 ms.
//   bench_famille [--fois N] [--eleves N] [--generateur CHEMIN] [--essai]   (7 measures by default)
#include "platform/db/base_donnees.h"
#include "platform/forms/controle_donnees.h"
#include "platform/erreur.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "records/enregistrement_records.h"
#include "records/liste_auto_extensible.h"
#include "settings/enregistrement_settings.h"
#include "shell/menus.h"
#include "partage/module1.h"

#include "outils_bench.h"
#include "programme/demarrage.h"

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

forms::Feuille& famille() { return forms::Feuilles::charger(Famille); }
template <class T> T* controle(const QString& nom) { return famille().controle<T>(nom); }
db::JeuEnregistrements& jeu() { return controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"))->Recordset(); }
void cliquer(const QString& nom) { controle<QPushButton>(nom)->click(); }

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QString modele = QStringLiteral(CARNELIS_MODELE_VIDE);
    const bench::Options o = bench::lire_options(argc, argv, 7, modele);
    const int fois = o.fois;

    QTemporaryDir dossier;
    const QString base = bench::generer_base(o, modele, dossier.path());
    if (base.isEmpty()) return 1;
    std::printf("%d mesures par ligne (médianes)\n\n", fois);
    bench::Objectifs objectifs(o.essai);
    const auto action = [&](const char* libelle, double ms) { objectifs.action(QString::fromUtf8(libelle), ms); };

    try {
        programme::enregistrer_tables();
        enregistrer_feuilles_settings();
        enregistrer_feuilles_records();
        QMainWindow principale;
        auto* zone = new QMdiArea(&principale);
        principale.setCentralWidget(zone);
        principale.resize(1024, 768);
        principale.show();
        forms::Feuilles::definirZone(zone);
        // Until the window is painted.
        const auto peindre = [&] {
            traiter();
            principale.repaint();
        };
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
            [&] { shell::menus::executer(QStringLiteral("menuenfantsindex2")); peindre(); });
        objectifs.rapport(QStringLiteral("Ouverture par le menu / sqlite3"), ouverture,
                          outil(fois, base, QStringLiteral("SELECT rowid FROM familles ORDER BY \"nom_responsable_légal\", "
                                                           "\"prénom_responsable_légal\";")), 3);

        auto* tri = controle<QComboBox>(QStringLiteral("Combo1"));
        const char* const sqlTris[] = {
            "SELECT rowid FROM familles ORDER BY \"nom_responsable_légal\", \"prénom_responsable_légal\";",
            "SELECT rowid FROM familles ORDER BY \"nom_responsable_légal\" DESC, \"prénom_responsable_légal\" DESC;",
            "SELECT rowid FROM familles ORDER BY \"référence_famille\";",
            "SELECT rowid FROM familles ORDER BY \"référence_famille\" DESC;"};
        // The user chooses an entry of the box; each sort from another order.
        const auto choisir = [&](int i) {
            tri->setCurrentIndex(i);
            emit tri->activated(i);
        };
        for (int i = 0; i < 4; ++i) {
            const double t = chronometrer(fois, [&] { choisir((i + 1) % 4); }, [&] { choisir(i); peindre(); });
            objectifs.rapport(QStringLiteral("Tri : %1 / sqlite3").arg(tri->itemText(i)), t,
                              outil(fois, base, QString::fromUtf8(sqlTris[i])), 3);
        }
        choisir(0);

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
                                          [&] { cliquer(QString::fromUtf8(r.bouton)); peindre(); });
            if (boites.vues.size() != 1) std::printf("  (%s : non trouvé)\n", qPrintable(r.texte));
            action(r.libelle, t);
        }

        auto* suivant = controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"))->findChild<QToolButton*>("suivant");
        auto* dernier = controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"))->findChild<QToolButton*>("dernier");
        action("Fiche suivante", chronometrer(fois, [] { jeu().MoveFirst(); }, [&] { suivant->click(); peindre(); }));
        action("Dernière fiche", chronometrer(fois, [] { jeu().MoveFirst(); }, [&] { dernier->click(); peindre(); }));

        const auto abandonner = [] {
            if (jeu().EditMode() != 0) jeu().CancelUpdate();
        };
        action("« Ajouter »", chronometrer(fois, abandonner, [&] { cliquer(QStringLiteral("cmdAjouter")); peindre(); }));
        abandonner();
        jeu().MoveFirst();
        int n = 0;
        action("« Valider » d'une fiche modifiée",
               chronometrer(fois, [&] { controle<QLineEdit>(QStringLiteral("police_assurance"))->setText(QString::number(++n)); },
                            [&] { cliquer(QStringLiteral("cmdMettreàjour")); peindre(); }));

        const auto avecEnfants = requete(QStringLiteral(
            "SELECT \"référence_famille\" FROM \"élèves\" GROUP BY \"référence_famille\" HAVING COUNT(*) >= 2 LIMIT 1"));
        const QString parents = avecEnfants.lignes.value(0).value(0).toString();
        const double enfants = chronometrer(
            fois, [&] { controle<QLineEdit>(QStringLiteral("Text13"))->setText(parents); boites.effacer(); },
            [&] { cliquer(QStringLiteral("Command4")); peindre(); });
        if (!boites.vues.isEmpty()) std::printf("  (« Enfants » : %s)\n", qPrintable(boites.derniere().texte));
        action("« Enfants » d'une famille de plusieurs enfants", enfants);
        jeu().CancelUpdate();

        const double choix = chronometrer(
            fois, [] { forms::Feuilles::decharger(QStringLiteral("feuille_choix_famille")); traiter(); },
            [&] {
                Module1::ouvrir_table_choix_famille();
                forms::Feuilles::charger(QStringLiteral("feuille_choix_famille")).afficher();
                peindre();
            });
        action("Choix de la famille : ouverture sur toutes les familles", choix);

        const listes_auto::Instance* adresse = listes_auto::chercher(Famille, QStringLiteral("Text2"));
        const QString connue = requete(QStringLiteral("SELECT \"détails\" FROM adresses LIMIT 1")).lignes.value(0).value(0).toString();
        action("Liste auto-extensible : valeur connue",
               chronometrer(fois, [] {}, [&] { listes_auto::completer(*adresse, connue); }));
        int m = 0;
        action("Liste auto-extensible : valeur ajoutée",
               chronometrer(fois, [] {}, [&] { listes_auto::completer(*adresse, QStringLiteral("Allée %1").arg(++m)); }));
        forms::Feuilles::toutDecharger();
        traiter();
    } catch (const Erreur& e) {
        std::fprintf(stderr, "Erreur %d : %s\n", e.numero, qPrintable(e.texte));
        return 1;
    }
    return objectifs.fin();
}
