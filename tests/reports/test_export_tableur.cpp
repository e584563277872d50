// The spreadsheet export: its file name, the replacement question and the pupils it holds.
#include "environnement_reports.h"
#include "essais.h"
#include "platform/db/base_donnees.h"
#include "reports/export_tableur.h"

namespace {

const QString Existe = QStringLiteral(
    "Attention, le fichier d'exportation existe déjà... Il sera remplacé par le nouveau. Voulez-vous continuer ?");

class EssaiExportTableur : public QObject {
    Q_OBJECT
    QTemporaryDir dossier_;
    forms::RepondeurScripte* boites_ = nullptr;

    QString chemin(const QString& nom) const { return QDir(dossier_.path()).filePath(nom); }
    int eleves(const QString& classe = {}) {
        auto base = db::BaseDonnees::ouvrir(Module1::chemin_base);
        const auto r = classe.isEmpty()
            ? base->requete(QStringLiteral("SELECT COUNT(*) FROM \"élèves\""))
            : base->requete(QStringLiteral("SELECT COUNT(*) FROM \"élèves\" WHERE \"référence_classe_élève\" = ?"),
                            {classe});
        base->Close();
        return r.lignes[0][0].toInt();
    }

private slots:
    void initTestCase() {
        QVERIFY(essai::preparer(dossier_));
    }
    void init() {
        forms::Feuilles::toutDecharger();
        boites_ = &forms::installer_repondeur_scripte();
    }

    // With the processing window never opened every pupil is exported, one row each under a
    // row of column headings, and the success message names the file.
    void tous_les_eleves() {
        boites_->saisir(chemin(QStringLiteral("tous")));
        reports::exporter_donnees_excel();
        const QString fichier = chemin(QStringLiteral("tous.XLS"));
        QCOMPARE(boites_->vues.size(), 2);
        const forms::BoiteVue saisie = boites_->vues[0];
        QCOMPARE(saisie.texte, QStringLiteral("Entrez le chemin et le nom du fichier d'exportation au format .XLS "
                                              "(Microsoft Excel) que vous souhaitez créer:"));
        QCOMPARE(saisie.titre, QStringLiteral("Exportation des données vers un fichier Excel"));
        QCOMPARE(saisie.defaut, QDir::home().filePath(QStringLiteral("export_carnelis.XLS")));
        QCOMPARE(boites_->vues[1].texte,
                 QStringLiteral("Le fichier d'exportation ") + fichier + QStringLiteral(" a été créé avec succès."));
        QCOMPARE(boites_->vues[1].style, 48);
        const QStringList lignes = essai::lignes_xls(fichier);
        QCOMPARE(lignes.size(), eleves() + 1);
        QVERIFY(lignes[0].contains(QStringLiteral("Matricule"), Qt::CaseInsensitive));
        QCOMPARE(report::CrystalReport1().Destination(), 0);
        QCOMPARE(report::CrystalReport1().CopiesToPrinter(), 1);
    }

    // The processing window's class box changes the export even while that window is hidden.
    void filtre_de_la_fenetre() {
        auto base = db::BaseDonnees::ouvrir(Module1::chemin_base);
        const QString classe = base->requete(QStringLiteral(
            "SELECT \"référence_classe_élève\" FROM \"élèves\" WHERE \"référence_classe_élève\" <> '' LIMIT 1"))
                                   .lignes[0][0].toString();
        base->Close();
        essai::filtre("TOUS", "TOUS", classe);
        QVERIFY(!essai::traitements().estAffichee());
        boites_->saisir(chemin(QStringLiteral("classe.xls")));
        reports::exporter_donnees_excel();
        const QStringList lignes = essai::lignes_xls(chemin(QStringLiteral("classe.xls")));
        QVERIFY(eleves(classe) < eleves());
        QCOMPARE(lignes.size(), eleves(classe) + 1);
    }

    void noms_de_fichier_data() {
        QTest::addColumn<QString>("reponse");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("dossier terminé par \\") << "C:\\Exports\\" << "C:\\Exports.XLS";
        QTest::newRow("minuscules") << " eleves.xls " << "eleves.xls";
        QTest::newRow("autre suffixe") << "eleves.csv" << "eleves.csv.XLS";
    }
    void noms_de_fichier() {
        QFETCH(QString, reponse);
        QFETCH(QString, attendu);
        boites_->saisir(reponse.startsWith(' ') ? ' ' + chemin(reponse.trimmed()) + ' ' : chemin(reponse));
        reports::exporter_donnees_excel();
        QCOMPARE(report::CrystalReport1().PrintFileName(), chemin(attendu));
        QVERIFY(QFileInfo(chemin(attendu)).size() > 0);
    }

    void fichier_existant_data() {
        QTest::addColumn<int>("reponse");
        QTest::newRow("non") << int(forms::Non);
        QTest::newRow("oui") << int(forms::Oui);
    }
    void fichier_existant() {
        QFETCH(int, reponse);
        const QString fichier = chemin(QStringLiteral("existant.XLS"));
        {
            QFile f(fichier);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("ancien contenu");
        }
        boites_->saisir(fichier).repondre(reponse);
        reports::exporter_donnees_excel();
        QCOMPARE(boites_->vues[1].texte, Existe);
        QCOMPARE(boites_->vues[1].style, 36);
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::ReadOnly));
        if (reponse == forms::Non) {
            QCOMPARE(f.readAll(), QByteArray("ancien contenu"));
            QCOMPARE(boites_->vues.size(), 2);
        } else {
            QVERIFY(f.readAll() != QByteArray("ancien contenu"));
            QCOMPARE(essai::lignes_xls(fichier).size(), eleves() + 1);
        }
    }

    // Cancel or a blank answer: no ".XLS" file, no message, the control untouched.
    void saisie_vide() {
        for (const QString& reponse : {QString(), QStringLiteral("   "), QStringLiteral("\\")}) {
            boites_->effacer();
            report::CrystalReport1().setDestination(0);
            if (reponse.isNull()) boites_->annulerSaisie();
            else boites_->saisir(reponse);
            reports::exporter_donnees_excel();
            QCOMPARE(boites_->vues.size(), 1);
            QVERIFY(!QFile::exists(QStringLiteral(".XLS")));
            QCOMPARE(report::CrystalReport1().Destination(), 0);
        }
    }
};

}  // namespace

QObject* essai_export_tableur() { return new EssaiExportTableur; }

#include "test_export_tableur.moc"
