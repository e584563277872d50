// Times the gateway export of a generated register, through the same boxes as the user
// (answered by script), beside the sqlite3 tool reading the same rows with the family joined.
// Goals: at most 3 times the tool, the windows never over 100 ms without answering meanwhile, and
// a peak memory under 150 MB (measured in a process of its own).
//   bench_passerelle [--fois N] [--eleves N] [--generateur CHEMIN] [--essai]   (5 measures by default)
#include "platform/forms/boites.h"
#include "reports/export_passerelle.h"
#include "partage/module1.h"

#include "outils_bench.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double chronometrer(int fois, const std::function<void()>& avant, const std::function<bool()>& etape) {
    QVector<double> durees;
    for (int i = 0; i < fois; ++i) {
        avant();
        QElapsedTimer t;
        t.start();
        if (!etape()) return -1;
        durees << t.nsecsElapsed() / 1e6;
    }
    return bench::mediane(durees);
}

// The rows of the export, as the tool reads them: pupils in matricule order, family joined.
const char* const RequeteOutil =
    "SELECT e.\"nom_élève\", e.\"prénom_élève\", e.\"date_inscription_élève\", e.matricule, e.\"date_naissance_élève\","
    " e.\"lieu_naissance_élève\", e.\"sexe_élève\", e.\"nationalité_élève\", e.\"numéro_résidence\", e.\"adresse_résidence\","
    " e.\"code_postal_résidence\", e.\"ville_résidence\", e.\"téléphone1_résidence\", f.\"nom_responsable_légal\","
    " f.\"prénom_responsable_légal\", f.\"profession_responsable_légal\", f.\"csp_responsable_légal\","
    " f.\"téléphone_professionnel1_responsable_légal\", f.nom_conjoint, f.\"prénom_conjoint\", f.profession_conjoint,"
    " f.csp_conjoint, f.\"téléphone_professionnel1_conjoint\", e.\"ainé\", e.nom_contact1, e.\"prénom_contact1\","
    " e.\"téléphone_contact1\", f.\"médecin_traitant\", f.\"téléphone_médecin_traitant\", f.\"hôpital_préférentiel\","
    " f.\"téléphone_hôpital_préférentiel\", e.\"référence_classe_élève\", e.\"niveau_classe_élève\", e.\"cycle_classe_élève\","
    " e.\"cursus_allongé_élève\", e.restauration_scolaire, f.\"société_assurance\", f.police_assurance,"
    " e.\"observations_générales\" FROM \"élèves\" e LEFT JOIN familles f"
    " ON f.\"référence_famille\" = e.\"référence_famille\" AND f.\"référence_famille\" <> ''"
    " ORDER BY e.matricule";

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QString modele = QStringLiteral(CARNELIS_MODELE_VIDE);
    const bench::Options o = bench::lire_options(argc, argv, 5, modele);

    QTemporaryDir dossier;
    const QString base = o.memoire.isEmpty() ? bench::generer_base(o, modele, dossier.path()) : o.base;
    if (base.isEmpty()) return 1;
    Module1::chemin_base = base;
    auto& boites = forms::installer_repondeur_scripte();

    const QString fichier = QDir(dossier.path()).filePath(QStringLiteral("CARNELIS.EXP"));
    const auto exporter = [&] {
        boites.effacer();
        boites.saisir(dossier.path());
        reports::exporter_passerelle();
        return boites.vues.size() == 2 && boites.vues[1].style == 64;
    };
    if (!o.memoire.isEmpty()) {
        if (!exporter()) return 1;
        std::printf("%.1f\n", bench::memoire_max_mo());
        return 0;
    }
    bool exporte = true;
    const bench::Duree exportation =
        bench::chronometrer_gel(o.fois, [&] { QFile::remove(fichier); }, [&] { exporte = exporter() && exporte; });
    const double export_ms = exporte ? exportation.ms : -1;
    const double outil_ms = chronometrer(o.fois, [] {}, [&] {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(QStringLiteral("sqlite3"), {base, QString::fromUtf8(RequeteOutil)});
        return p.waitForFinished(-1) && p.exitCode() == 0;
    });
    if (export_ms < 0) {
        std::fprintf(stderr, "échec de l'exportation : %s\n", qPrintable(boites.derniere().texte));
        return 1;
    }
    if (outil_ms < 0) {
        std::fprintf(stderr, "outil sqlite3 absent\n");
        return 1;
    }
    std::printf("Exportation pour la passerelle, %d élèves (%.1f Mo), médianes sur %d mesures :\n", o.eleves,
                QFileInfo(fichier).size() / 1048576.0, o.fois);
    bench::Objectifs objectifs(o.essai);
    objectifs.rapport(QStringLiteral("exportation / sqlite3 lisant les mêmes lignes, famille jointe"), export_ms, outil_ms, 3);
    objectifs.gel(QStringLiteral("exportation : fenêtres sans réponse au plus"), exportation.gel);
    QFile::remove(fichier);
    objectifs.plafond(QStringLiteral("exportation : mémoire maximale"),
                      bench::memoire_dans_un_processus(QStringLiteral("passerelle"), base), 150, QStringLiteral("Mo"));
    return objectifs.fin();
}
