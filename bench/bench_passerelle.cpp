// Times the gateway export of 10,000 pupils and 7,000 families, through the same boxes as the
// user (answered by script), beside the sqlite3 tool reading the same rows with the family
// joined. Prints the medians; the export must stay within 5 times the tool and under 2 s.
//   bench_passerelle [runs] [generer_base]   (runs: 5 by default)
#include "platform/forms/boites.h"
#include "reports/export_passerelle.h"
#include "shell/module1.h"

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
    const int fois = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    const QString modele = QStringLiteral(CARNELIS_MODELE_VIDE);

    QTemporaryDir dossier;
    const QString base = bench::generer_base(bench::generateur(argc, argv, modele), modele, dossier.path());
    if (base.isEmpty()) return 1;
    Module1::chemin_base = base;
    auto& boites = forms::installer_repondeur_scripte();

    const QString fichier = QDir(dossier.path()).filePath(QStringLiteral("CARNELIS.EXP"));
    const double export_ms = chronometrer(fois, [&] { QFile::remove(fichier); }, [&] {
        boites.effacer();
        boites.saisir(dossier.path());
        reports::exporter_passerelle();
        return boites.vues.size() == 2 && boites.vues[1].style == 64;
    });
    const double outil_ms = chronometrer(fois, [] {}, [&] {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(QStringLiteral("sqlite3"), {base, QString::fromUtf8(RequeteOutil)});
        return p.waitForFinished(-1) && p.exitCode() == 0;
    });
    if (export_ms < 0) {
        std::fprintf(stderr, "échec de l'exportation : %s\n", qPrintable(boites.derniere().texte));
        return 1;
    }
    std::printf("Exportation pour la passerelle (10 000 élèves) : médiane %.0f ms sur %d essais (%lld octets)\n",
                export_ms, fois, static_cast<long long>(QFileInfo(fichier).size()));
    if (outil_ms >= 0) std::printf("Outil sqlite3, mêmes lignes avec la famille jointe : médiane %.0f ms (rapport %.1f)\n",
                                   outil_ms, export_ms / outil_ms);
    const bool dans_les_limites = export_ms < 2000 && (outil_ms < 0 || export_ms <= 5 * outil_ms);
    if (!dans_les_limites) std::printf("AU-DELÀ DE LA LIMITE\n");
    return dans_les_limites ? 0 : 1;
}
