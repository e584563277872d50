// The reports of a large register, through the same windows and boxes as the user (the boxes
// answered by script), on a generated database:
// - the alphabetical class list in the preview: how long the window goes without answering,
//   from the click to the last page laid out (goal: never over 100 ms), until its first page
//   shows, until it is laid out whole, and its peak memory (goal: under 150 MB);
// - the same list written to ".RTF", beside a floor doing like work: the sqlite3 tool writing
//   the same rows to a file, plus a file of the .RTF's size written and forced to disk (goal: at
//   most 3 times the floor), how long the windows go without answering meanwhile (goal: never
//   over 100 ms), and its peak memory;
// - the spreadsheet export, beside the sqlite3 tool writing the same 30 columns with the family
//   joined plus a file of the workbook's size written and forced to disk (goal: at most 3 times),
//   the windows' longest wait (under 100 ms), and its peak memory. A workbook holds 65,536 rows:
//   above 60,000 pupils it is measured on a register of 60,000.
// Each peak memory is measured in a process of its own.
//   bench_rapports [--fois N] [--eleves N] [--generateur CHEMIN] [--essai]   (3 measures by default)
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "platform/report/apercu.h"
#include "platform/report/crystal_report.h"
#include "reports/enregistrement_reports.h"
#include "reports/export_tableur.h"
#include "reports/feuille_traitements.h"
#include "partage/module1.h"

#include "outils_bench.h"
#include "programme/demarrage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// The rows of the class list, as the sqlite3 tool reads them in their order and writes them.
constexpr const char* RequeteListe =
    "SELECT \"nom_élève\", \"prénom_élève\", \"date_naissance_élève\", \"sexe_élève\", \"niveau_classe_élève\","
    " \"référence_classe_élève\", \"cycle_classe_élève\" FROM \"élèves\""
    " ORDER BY \"référence_classe_élève\", \"nom_élève\", \"prénom_élève\"";

// The columns of the spreadsheet export, as its template names them, read by the tool with the
// family joined, in the export's order.
QString requete_tableur(const QString& dossierProgramme) {
    QFile f(dossierProgramme + QStringLiteral("fiche_export.rpt"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QString texte = QString::fromUtf8(f.readAll());
    const QString detail = texte.mid(texte.indexOf(QStringLiteral("[détail]")));
    QStringList colonnes;
    const QRegularExpression place(QStringLiteral("\\{(élèves|familles)\\.([^}]+)\\}"));
    for (auto it = place.globalMatch(detail); it.hasNext();) {
        const auto m = it.next();
        colonnes << QStringLiteral("%1.\"%2\"").arg(m.captured(1) == u"élèves" ? "e" : "f", m.captured(2));
    }
    return QStringLiteral("SELECT %1 FROM \"élèves\" e LEFT JOIN familles f ON f.\"référence_famille\" = e.\"référence_famille\""
                          " AND f.\"référence_famille\" <> '' ORDER BY e.\"nom_élève\", e.\"prénom_élève\"")
        .arg(colonnes.join(QStringLiteral(", ")));
}

struct Banc {
    forms::RepondeurScripte& boites;
    forms::Feuille& fenetre;
    QPushButton* ok;
    QString dossier;

    void choisir_destination(const char* option) {
        fenetre.controle<QRadioButton>(QString::fromUtf8(option))->setChecked(true);
    }
    // The list to ".RTF": true when written with no box but the file name's.
    bool vers_rtf(const QString& rtf) {
        QFile::remove(rtf);
        boites.effacer();
        boites.saisir(rtf);
        ok->click();
        return boites.vues.size() == 1 && QFileInfo(rtf).size() > 0;
    }
    bool vers_tableur(const QString& xls) {
        QFile::remove(xls);
        boites.effacer();
        boites.saisir(xls);
        reports::exporter_donnees_excel();
        return boites.vues.size() == 2 && QFileInfo(xls).size() > 0;
    }
};

struct Apercu {
    double gel = 0;          // the longest the window went without answering, from the click
    double premiere = 0;     // from the click until the first page is shown
    double entiere = 0;      // until the last page is laid out
    int pages = 0;
};

// The preview from the click: a 5 ms ticker started before it measures each wait of the event
// loop, the click's own included.
Apercu apercu(Banc& b) {
    auto& fenetre = report::FenetreApercu::instance();
    Apercu r;
    QElapsedTimer t;
    double dernier = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const double maintenant = t.nsecsElapsed() / 1e6;
        r.gel = std::max(r.gel, maintenant - dernier);
        dernier = maintenant;
        if (r.premiere == 0 && fenetre.nombrePages() > 0) r.premiere = maintenant;
    });
    b.boites.effacer();
    ticker.start();
    t.start();
    b.ok->click();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    while (fenetre.enMiseEnPage()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    r.entiere = t.nsecsElapsed() / 1e6;
    r.gel = std::max(r.gel, r.entiere - dernier);
    if (r.premiere == 0) r.premiere = r.entiere;
    r.pages = fenetre.nombrePages();
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QString modele = QStringLiteral(CARNELIS_MODELE_VIDE);
    const bench::Options o = bench::lire_options(argc, argv, 3, modele);
    const QString dossierProgramme = QFileInfo(modele).absolutePath() + '/';

    QTemporaryDir dossier;
    const QString base = o.memoire.isEmpty() ? bench::generer_base(o, modele, dossier.path()) : o.base;
    if (base.isEmpty()) return 1;

    Module1::chemin_base = base;
    Module1::chemin_programme = dossierProgramme;
    programme::enregistrer_tables();
    enregistrer_feuilles_reports();
    auto& boites = forms::installer_repondeur_scripte();
    auto& fenetre = forms::Feuilles::charger(noms::traitements);
    auto* listes = fenetre.controle<QComboBox>(QStringLiteral("Combo2"));
    listes->setCurrentIndex(listes->findText(QStringLiteral("Liste de classes (alphabétique)")));
    Banc banc{boites, fenetre, fenetre.controle<QPushButton>(QStringLiteral("Command2")), dossier.path()};
    const QString rtf = QDir(dossier.path()).filePath(QStringLiteral("classes.RTF"));
    const QString xls = QDir(dossier.path()).filePath(QStringLiteral("eleves.XLS"));

    // A part alone, for its peak memory.
    if (!o.memoire.isEmpty()) {
        bool ok = false;
        if (o.memoire == u"apercu") {
            banc.choisir_destination("Option1_0");
            ok = apercu(banc).pages > 0 && boites.vues.isEmpty();
        } else if (o.memoire == u"rtf") {
            banc.choisir_destination("Option1_2");
            ok = banc.vers_rtf(rtf);
        } else if (o.memoire == u"tableur") {
            ok = banc.vers_tableur(xls);
        }
        if (!ok) return 1;
        std::printf("%.1f\n", bench::memoire_max_mo());
        return 0;
    }

    bench::Objectifs objectifs(o.essai);
    const auto outil = [&](const QString& b, const QString& requete, const QString& sortie) {
        bool reussi = true;
        const double ms = bench::chronometrer(o.fois, [] {}, [&] {
            QProcess p;
            p.setStandardOutputFile(sortie);
            p.start(QStringLiteral("sqlite3"), {b, requete});
            reussi = p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && reussi;
        });
        return reussi ? ms : -1;
    };
    const auto echec = [&](const char* quoi) {
        std::fprintf(stderr, "échec (%s) : %s %s\n", quoi, qPrintable(report::CrystalReport1().derniereErreur()),
                     boites.vues.isEmpty() ? "" : qPrintable(boites.derniere().texte));
        return 1;
    };
    std::printf("Liste de classes (alphabétique), %d élèves, médianes sur %d mesures :\n", o.eleves, o.fois);

    banc.choisir_destination("Option1_0");
    QVector<double> gels, premieres, entieres;
    int pages = 0;
    for (int i = 0; i < o.fois; ++i) {
        const Apercu a = apercu(banc);
        if (a.pages == 0 || !boites.vues.isEmpty()) return echec("aperçu");
        gels << a.gel;
        premieres << a.premiere;
        entieres << a.entiere;
        pages = a.pages;
    }
    report::FenetreApercu::instance().masquer();
    objectifs.plafond(QStringLiteral("aperçu : fenêtre sans réponse au plus (depuis le clic)"), bench::mediane(gels), 100,
                      QStringLiteral("ms"));
    objectifs.mesure(QStringLiteral("aperçu : première page affichée"), bench::mediane(premieres));
    objectifs.mesure(QStringLiteral("aperçu : %1 pages mises en page").arg(pages), bench::mediane(entieres));
    objectifs.plafond(QStringLiteral("aperçu : mémoire maximale"), bench::memoire_dans_un_processus(QStringLiteral("apercu"), base),
                      150, QStringLiteral("Mo"));

    banc.choisir_destination("Option1_2");
    bool reussi = true;
    const bench::Duree liste = bench::chronometrer_gel(o.fois, [] {}, [&] { reussi = banc.vers_rtf(rtf) && reussi; });
    if (!reussi) return echec(".RTF");
    // The floor does the like work: the same rows read in their order and written, then a file of
    // the .RTF's size written and forced to disk.
    const double plancher = outil(base, QString::fromUtf8(RequeteListe), QDir(dossier.path()).filePath(QStringLiteral("outil.txt")));
    if (plancher < 0) return echec("outil sqlite3");
    const double disque = bench::ecrire_et_synchroniser(o.fois, dossier.path(), QFileInfo(rtf).size());
    objectifs.mesure(QStringLiteral("plancher : sqlite3 écrivant les mêmes lignes"), plancher);
    objectifs.mesure(QStringLiteral("plancher : écriture synchronisée de %1 Mo").arg(QFileInfo(rtf).size() / 1048576.0, 0, 'f', 1), disque);
    objectifs.rapport(QStringLiteral("vers .RTF (%1 Mo) / les deux planchers").arg(QFileInfo(rtf).size() / 1048576.0, 0, 'f', 1),
                      liste.ms, plancher + disque, 3);
    objectifs.gel(QStringLiteral("vers .RTF : fenêtres sans réponse au plus"), liste.gel);
    objectifs.plafond(QStringLiteral("vers .RTF : mémoire maximale"), bench::memoire_dans_un_processus(QStringLiteral("rtf"), base),
                      150, QStringLiteral("Mo"));

    // The spreadsheet export, on a register a workbook holds.
    constexpr int ElevesClasseur = 60000;
    QString baseClasseur = base;
    if (o.eleves > ElevesClasseur) {
        const QString sousDossier = QDir(dossier.path()).filePath(QStringLiteral("classeur"));
        QDir().mkpath(sousDossier);
        baseClasseur = bench::generer_base(o, modele, sousDossier, ElevesClasseur);
        if (baseClasseur.isEmpty()) return 1;
        Module1::chemin_base = baseClasseur;
    }
    const int elevesClasseur = std::min(o.eleves, ElevesClasseur);
    const bench::Duree tableur = bench::chronometrer_gel(o.fois, [] {}, [&] { reussi = banc.vers_tableur(xls) && reussi; });
    if (!reussi) return echec(".XLS");
    const double plancherTableur =
        outil(baseClasseur, requete_tableur(dossierProgramme), QDir(dossier.path()).filePath(QStringLiteral("outil_tableur.txt")));
    if (plancherTableur < 0) return echec("outil sqlite3, tableur");
    const double disqueTableur = bench::ecrire_et_synchroniser(o.fois, dossier.path(), QFileInfo(xls).size());
    objectifs.mesure(QStringLiteral("plancher : sqlite3 écrivant les 30 colonnes"), plancherTableur);
    objectifs.mesure(QStringLiteral("plancher : écriture synchronisée de %1 Mo").arg(QFileInfo(xls).size() / 1048576.0, 0, 'f', 1),
                     disqueTableur);
    objectifs.rapport(QStringLiteral("vers .XLS, %1 élèves / les deux planchers").arg(elevesClasseur), tableur.ms,
                      plancherTableur + disqueTableur, 3);
    objectifs.gel(QStringLiteral("vers .XLS : fenêtres sans réponse au plus"), tableur.gel);
    objectifs.plafond(QStringLiteral("vers .XLS, %1 élèves : mémoire maximale").arg(elevesClasseur),
                      bench::memoire_dans_un_processus(QStringLiteral("tableur"), baseClasseur), 150, QStringLiteral("Mo"));
    return objectifs.fin();
}
