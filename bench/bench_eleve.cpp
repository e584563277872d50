// Times the pupil window on a generated database of 10,000 pupils and 7,000 families, as the
// user drives it: opening it from the menu, each of the 13 sort orders, a search by name and
// by matricule that finds a pupil near the end of the order, the next and the last record,
// "&Ajouter" up to the new record shown, saving one record, and moving onto a pupil whose photo
// has twelve million pixels. Each is timed until the window is painted. Beside the openings (from
// the menu in matricule order, at start-up through its sort box in alphabetical order) and the
// sorts, as the floor, the sqlite3 command-line tool reading the row ids in the same order.
// Goals, at every size: openings and sorts at most 3 times the tool; the photo and the other
// actions under 50 ms.
//   bench_eleve [--fois N] [--eleves N] [--generateur CHEMIN] [--essai]   (7 measures by default)
#include "platform/forms/controle_donnees.h"
#include "platform/erreur.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "records/enregistrement_records.h"
#include "records/feuille_eleve.h"
#include "settings/enregistrement_settings.h"
#include "shell/menus.h"
#include "partage/module1.h"

#include "outils_bench.h"
#include "programme/demarrage.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
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

// The row ids of a record source in its order, as the sqlite3 tool takes it: every name quoted.
QString natif(const QString& requete) {
    QString r = requete;
    r.replace(QRegularExpression(QStringLiteral("^SELECT \\* ")), QStringLiteral("SELECT rowid "));
    r.replace(QRegularExpression(QStringLiteral("(?<=FROM |BY |, )([\\w]+)"), QRegularExpression::UseUnicodePropertiesOption),
              QStringLiteral("\"\\1\""));
    return r + ';';
}

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

    // The floor: the tool reading the row ids in the same order (it compares texts by their bytes,
    // through the table's indexes where there are).
    auto outil = [&](const QString& requete) {
        bool reussi = true;
        const double t = chronometrer(fois, [] {}, [&] {
            reussi = executer(QStringLiteral("sqlite3"), {base, natif(requete)}) && reussi;
        });
        return reussi ? t : 0.0;
    };

    // At start-up the window opens through its sort box, in alphabetical order.
    const double demarrage = chronometrer(
        fois, [&] { forms::Feuilles::toutDecharger(); traiter(); },
        [&] { forms::Feuilles::charger(nom).afficher(); peindre(); });
    if (!verifier_silence("ouverture au démarrage")) return 1;
    objectifs.rapport(QStringLiteral("Ouverture au démarrage (ordre alphabétique) / sqlite3"), demarrage,
                      outil(QString::fromUtf8(eleve::tris()[0].requete)), 3);
    // From the menu it opens in matricule order, read once.
    const double ouverture = chronometrer(
        fois, [&] { forms::Feuilles::toutDecharger(); traiter(); },
        [&] { shell::menus::executer(menu); peindre(); });
    if (!verifier_silence("ouverture")) return 1;
    const int lignes = jeu().RecordCount();
    std::printf("Élèves : %d\n", lignes);
    objectifs.rapport(QStringLiteral("Ouverture de la fenêtre par le menu (ordre des matricules) / sqlite3"), ouverture,
                      outil(QStringLiteral("SELECT * FROM élèves ORDER BY matricule ASC")), 3);

    // Each sort from another order (the window sorts nothing again when asked for the order it shows).
    QComboBox* combo = fenetre().Combo1();
    for (int i = 0; i < combo->count(); ++i) {
        const double tri = chronometrer(fois, [&] { fenetre().choisirTri((i + 1) % combo->count()); }, [&] {
            combo->setCurrentIndex(i);
            emit combo->activated(i);
            peindre();
        });
        objectifs.rapport(QStringLiteral("Tri « %1 » / sqlite3").arg(combo->itemText(i)), tri, outil(eleve::tris()[i].requete), 3);
    }
    fenetre().choisirTri(0);

    // A pupil five rows from the end of the alphabetical order.
    const auto& rs = jeu();
    const QString matricule = rs.valeurLigne(lignes - 5, rs.indexChamp(QStringLiteral("matricule"))).toString();
    const QString nomCherche = rs.valeurLigne(lignes - 5, rs.indexChamp(QStringLiteral("nom_élève"))).toString();
    for (const eleve::Recherche& r : eleve::recherches()) {
        const QString reponse = QString::fromUtf8(r.champ) == QLatin1String("matricule") ? matricule : nomCherche;
        const double recherche = chronometrer(fois, [&] { jeu().MoveFirst(); boites.saisir(reponse); },
                                              [&] { fenetre().rechercher(r); peindre(); });
        if (!verifier_silence("recherche")) return 1;
        objectifs.action(QStringLiteral("Recherche par %1 près de la fin").arg(QString::fromUtf8(r.colonne)), recherche);
    }

    const double suivant = chronometrer(fois, [&] { jeu().MoveFirst(); }, [&] { jeu().MoveNext(); peindre(); });
    objectifs.action(QStringLiteral("Fiche suivante"), suivant);
    const double dernier = chronometrer(fois, [&] { jeu().MoveFirst(); }, [&] { jeu().MoveLast(); peindre(); });
    objectifs.action(QStringLiteral("Dernière fiche"), dernier);

    // Pupils 2 to fois + 1 of the order each get a photograph of 4,000 x 3,000 pixels of their
    // own (never seen before, so decoded each time).
    {
        // Smooth shades with a camera's grain: a file of a few megabytes, as a camera writes.
        QImage image(4000, 3000, QImage::Format_RGB32);
        quint32 grain = 12345;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                grain = grain * 1103515245u + 12345u;
                const int g = int(grain >> 27);
                image.setPixel(x, y, qRgb((x / 16 + g) % 256, (y / 12 + g) % 256, ((x + y) / 28 + g) % 256));
            }
        const QString photo = dossier.filePath(QStringLiteral("photo.jpg"));
        image.save(photo, "jpeg", 90);
        const double megaOctets = QFileInfo(photo).size() / 1048576.0;
        QStringList miseAJour;
        for (int i = 1; i <= fois && i < lignes; ++i) {
            const QString copie = dossier.filePath(QStringLiteral("photo%1.jpg").arg(i));
            QFile::copy(photo, copie);
            miseAJour << QStringLiteral("UPDATE \"élèves\" SET chemin_photo = '%1' WHERE matricule = '%2';")
                             .arg(copie, jeu().valeurLigne(i, jeu().indexChamp(QStringLiteral("matricule"))).toString());
        }
        if (!executer(QStringLiteral("sqlite3"), {base, miseAJour.join(' ')})) return 1;
        fenetre().datPrimaryRS()->Refresh();
        // The move itself, then until the photograph, decoded away from the window, shows.
        auto* cadrePhoto = fenetre().controle<QLabel>(QStringLiteral("photo"));
        QVector<double> deplacements, affichages;
        for (int i = 0; i < fois && i + 1 < lignes; ++i) {
            jeu().setAbsolutePosition(i);
            peindre();
            QElapsedTimer t;
            t.start();
            jeu().MoveNext();
            peindre();
            deplacements << t.nsecsElapsed() / 1e6;
            while (cadrePhoto->pixmap().isNull() && t.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            peindre();
            affichages << t.nsecsElapsed() / 1e6;
        }
        if (!verifier_silence("photo") || cadrePhoto->pixmap().isNull()) return 1;
        objectifs.plafond(QStringLiteral("Fiche suivante, photo de 12 mégapixels (%1 Mo)").arg(megaOctets, 0, 'f', 1),
                          bench::mediane(deplacements), 50, QStringLiteral("ms"));
        objectifs.mesure(QStringLiteral("  jusqu'à la photo affichée"), bench::mediane(affichages));
    }

    const double ajout = chronometrer(fois, [&] { boites.repondre(forms::Non); }, [&] {
        fenetre().cmdAjouter_Click();
        peindre();
    });
    if (!verifier_silence("ajout")) return 1;
    objectifs.action(QStringLiteral("« Ajouter » jusqu'à la nouvelle fiche affichée"), ajout);
    int n = 0;
    const double enregistrement = chronometrer(
        fois, [&] { fenetre().zone(QStringLiteral("lieu_naissance"))->setText(QStringLiteral("Lyon %1").arg(++n)); },
        [&] { fenetre().cmdMettreajour_Click(); peindre(); });
    if (!verifier_silence("enregistrement")) return 1;
    objectifs.action(QStringLiteral("Enregistrement d'une fiche (« Valider »)"), enregistrement);
    forms::Feuilles::toutDecharger();
    traiter();
    return objectifs.fin();
}
