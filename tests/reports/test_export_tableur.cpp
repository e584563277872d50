// The spreadsheet export: its file name, the replacement question and the pupils it holds.
#include "environnement_reports.h"
#include "essais.h"
#include "platform/db/base_donnees.h"
#include "platform/report/ecriture_xls.h"
#include "reports/export_tableur.h"

namespace {

const QString Existe = QStringLiteral(
    "Attention, le fichier d'exportation existe déjà... Il sera remplacé par le nouveau. Voulez-vous continuer ?");

// Every cell of the first sheet as read back by xlrd: "type|value", dates as JJ/MM/AAAA
// (type 1 text, 2 number, 3 date).
QVector<QStringList> cellules_xls(const QString& fichier) {
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"),
             QStringLiteral("import sys, xlrd\n"
                            "b = xlrd.open_workbook(sys.argv[1])\n"
                            "s = b.sheet_by_index(0)\n"
                            "for r in range(s.nrows):\n"
                            "    l = []\n"
                            "    for c in s.row(r):\n"
                            "        v = c.value\n"
                            "        if c.ctype == xlrd.XL_CELL_DATE:\n"
                            "            t = xlrd.xldate_as_tuple(v, b.datemode)\n"
                            "            v = '%02d/%02d/%04d' % (t[2], t[1], t[0])\n"
                            "        l.append('%d|%s' % (c.ctype, v))\n"
                            "    print('\\t'.join(l))\n"),
             fichier});
    p.waitForFinished(60000);
    QVector<QStringList> r;
    if (p.exitCode() != 0) return {{QStringLiteral("ERREUR xlrd: ") + QString::fromUtf8(p.readAllStandardError())}};
    for (const QString& l : QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        r.append(l.split('\t'));
    return r;
}

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
        QCOMPARE(boites_->vues[1].style, forms::styles::Avertissement);
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

    // Dates are date cells and read back as the database holds them; codes keep their leading
    // zeros as text; yes/no stays "Oui"/"Non".
    void dates_et_codes() {
        boites_->saisir(chemin(QStringLiteral("types")));
        reports::exporter_donnees_excel();
        const auto feuille = cellules_xls(chemin(QStringLiteral("types.XLS")));
        QVERIFY2(feuille.size() > 1, qPrintable(feuille.value(0).join(' ')));
        auto colonne = [&](const QString& titre) { return int(feuille[0].indexOf(QStringLiteral("1|") + titre)); };
        const int matricule = colonne(QStringLiteral("Matricule")), naissance = colonne(QStringLiteral("Date de naissance")),
                  postal = colonne(QStringLiteral("Code postal")), aine = colonne(QStringLiteral("Aîné"));
        QVERIFY(matricule >= 0 && naissance >= 0 && postal >= 0 && aine >= 0);

        auto base = db::BaseDonnees::ouvrir(Module1::chemin_base);
        QHash<QString, QString> naissances;
        for (const auto& l : base->requete(QStringLiteral("SELECT matricule, \"date_naissance_élève\" FROM \"élèves\"")).lignes)
            naissances.insert(l[0].toString(), l[1].toDate().toString(QStringLiteral("dd/MM/yyyy")));
        base->Close();
        int dates = 0;
        for (int r = 1; r < feuille.size(); ++r) {
            const QStringList& l = feuille[r];
            QVERIFY(l.value(matricule).startsWith(QStringLiteral("1|")));
            const QString code = l.value(matricule).mid(2);
            const QString date = l.value(naissance);
            if (!naissances.value(code).isEmpty()) {
                QCOMPARE(date, QStringLiteral("3|") + naissances.value(code));
                ++dates;
            }
            QVERIFY(l.value(postal).isEmpty() || l.value(postal).startsWith(QStringLiteral("1|")) || l.value(postal) == QStringLiteral("0|"));
            QVERIFY(QStringList({QStringLiteral("1|Oui"), QStringLiteral("1|Non"), QStringLiteral("0|"), QString()})
                        .contains(l.value(aine)));
        }
        QVERIFY(dates > 0);
        QVERIFY(feuille[1][matricule].startsWith(QStringLiteral("1|0")));  // "000001", not 1
    }

    // The writer alone: a number column takes numbers, a date column dates, and a value that
    // does not read as its column's kind is kept as text rather than lost.
    void cellules_typees() {
        report::Tableau t;
        t.entetes = {QStringLiteral("Code"), QStringLiteral("Nombre"), QStringLiteral("Date")};
        t.lignes = {{QStringLiteral("01000"), QStringLiteral("12,5"), QStringLiteral("29/02/2016")},
                    {QStringLiteral("75001"), QStringLiteral("-3"), QStringLiteral("01/01/1900")},
                    {QStringLiteral("007"), QStringLiteral("douze"), QString()}};
        QFile f(chemin(QStringLiteral("ecrivain.xls")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(report::classeur_excel(t, {report::GenreColonne::Texte, report::GenreColonne::Nombre,
                                           report::GenreColonne::Date}));
        f.close();
        const auto feuille = cellules_xls(f.fileName());
        QCOMPARE(feuille.size(), 4);
        QCOMPARE(feuille[1], QStringList({"1|01000", "2|12.5", "3|29/02/2016"}));
        QCOMPARE(feuille[2], QStringList({"1|75001", "2|-3.0", "1|01/01/1900"}));
        QCOMPARE(feuille[3].mid(0, 2), QStringList({"1|007", "1|douze"}));
    }

    // More pupils than a sheet holds: said at once with their number, before the file name is
    // asked, and nothing is written.
    void trop_d_eleves() {
        const QString avant = Module1::chemin_base;
        const QString grosse = chemin(QStringLiteral("grosse.mdb"));
        QFile::remove(grosse);
        QVERIFY(QFile::copy(avant, grosse));
        QFile::setPermissions(grosse, QFile::ReadOwner | QFile::WriteOwner);
        auto base = db::BaseDonnees::ouvrir(grosse);
        const int deja = base->requete(QStringLiteral("SELECT COUNT(*) FROM \"élèves\"")).lignes[0][0].toInt();
        base->requete(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
            "INSERT INTO \"élèves\" (matricule, \"nom_élève\") SELECT 'G' || i, 'GROS' FROM n"),
            {report::LignesMaxClasseur - deja});
        base->Close();
        Module1::chemin_base = grosse;
        report::CrystalReport1().setDestination(0);
        reports::exporter_donnees_excel();
        Module1::chemin_base = avant;
        QCOMPARE(boites_->vues.size(), 1);
        QCOMPARE(boites_->vues[0].style, forms::styles::Avertissement);
        QVERIFY2(boites_->vues[0].texte.startsWith(QStringLiteral("L'exportation compte ") +
                                                   QLocale(QLocale::French).toString(report::LignesMaxClasseur) +
                                                   QStringLiteral(" élèves : un fichier .XLS")),
                 qPrintable(boites_->vues[0].texte));
        QCOMPARE(report::CrystalReport1().Destination(), 0);

        // One fewer fits: the sheet is written, headings included, to its very last row.
        base = db::BaseDonnees::ouvrir(grosse);
        base->requete(QStringLiteral("DELETE FROM \"élèves\" WHERE matricule = 'G1'"));
        base->Close();
        Module1::chemin_base = grosse;
        boites_->effacer();
        boites_->saisir(chemin(QStringLiteral("plein")));
        reports::exporter_donnees_excel();
        Module1::chemin_base = avant;
        QCOMPARE(boites_->vues.size(), 2);
        QCOMPARE(boites_->vues[1].texte, QStringLiteral("Le fichier d'exportation ") + chemin(QStringLiteral("plein.XLS")) +
                                             QStringLiteral(" a été créé avec succès."));
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
        QCOMPARE(boites_->vues[1].style,
                 forms::styles::OuiNon + forms::styles::Question + forms::styles::DeuxiemeParDefaut);
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
