// Every template of the ready program folder, rendered on the demonstration database.
#include "environnement_reports.h"
#include "essais.h"
#include "reports/elements_traitements.h"
#include "platform/db/base_donnees.h"
#include "platform/report/donnees.h"
#include "platform/report/ecriture_rtf.h"
#include "platform/report/mise_en_page.h"
#include "platform/report/mesure.h"
#include "platform/report/modele.h"

#include <QProcess>
#include <QStandardPaths>

#include <QRegularExpression>

namespace {

class EssaiModeles : public QObject {
    Q_OBJECT
    QTemporaryDir dossier_;

    QString chemin(const QString& nom) const { return QDir(dossier_.path()).filePath(nom); }

    // Renders `modele` to a rich-text file under `selection`; returns the text read back.
    QString rendre(const QString& modele, const QString& selection = {}) {
        auto& cr = report::CrystalReport1();
        cr.setDataFiles(0, Module1::chemin_base);
        cr.setReportFileName(essai::dossier_programme() + modele);
        cr.setSelectionFormula(selection);
        cr.setDestination(report::destination::Fichier);
        cr.setPrintFileType(report::type_fichier::TexteEnrichi);
        const QString sortie = chemin(QFileInfo(modele).completeBaseName() + ".RTF");
        QFile::remove(sortie);
        cr.setPrintFileName(sortie);
        const int resultat = cr.PrintReport();
        cr.setDestination(report::destination::Fenetre);
        if (resultat != 0) {
            qWarning("%s : %s", qPrintable(modele), qPrintable(cr.derniereErreur()));
            return {};
        }
        return essai::texte_rtf(sortie);
    }

    QVector<QVector<QVariant>> lignes(const QString& sql, const QVariantList& p = {}) {
        auto base = db::BaseDonnees::ouvrir(Module1::chemin_base);
        auto r = base->requete(sql, p);
        base->Close();
        return r.lignes;
    }

    // The preview's pages of a template of the program folder, every record.
    static report::DocumentRendu apercu(const QString& modele) {
        const report::Modele m = report::lire_modele(essai::dossier_programme() + modele);
        const report::Donnees d = report::lire_donnees(m, Module1::chemin_base, {}, QDate::currentDate());
        return report::mettre_en_page(m, d, {}, QDate::currentDate());
    }

    // The fields of `table` that the template never names.
    QStringList champs_absents(const QString& modele, const QString& table) {
        QFile f(essai::dossier_programme() + modele);
        if (!f.open(QIODevice::ReadOnly)) return {QStringLiteral("(modèle illisible)")};
        const QString texte = QString::fromUtf8(f.readAll());
        auto base = db::BaseDonnees::ouvrir(Module1::chemin_base);
        QStringList absents;
        for (const auto& c : base->champs(table))
            if (!texte.contains('{' + table + '.' + c.nom + '}')) absents << c.nom;
        base->Close();
        return absents;
    }

private slots:
    void initTestCase() {
        Module1::chemin_programme = essai::dossier_programme();
        Module1::chemin_base = essai::copie_exemple(dossier_);
        QVERIFY(!Module1::chemin_base.isEmpty());
        forms::installer_repondeur_scripte();
    }

    void chaque_modele_se_rend_data() {
        QTest::addColumn<QString>("modele");
        const QStringList modeles = QDir(essai::dossier_programme()).entryList({QStringLiteral("*.rpt")}, QDir::Files);
        for (const QString& m : modeles) QTest::newRow(qPrintable(m)) << m;
    }
    void chaque_modele_se_rend() {
        QFETCH(QString, modele);
        QVERIFY2(!rendre(modele).trimmed().isEmpty(), qPrintable(modele));
    }

    // Every template of the sources reaches the program folder, and every item of the processing
    // window prints one that is there.
    void chaque_traitement_a_son_modele() {
        const QStringList modeles = QDir(essai::dossier_programme()).entryList({QStringLiteral("*.rpt")}, QDir::Files);
        QCOMPARE(modeles, QDir(QStringLiteral(CARNELIS_SOURCES "/rapports")).entryList({QStringLiteral("*.rpt")}, QDir::Files));
        for (const reports::ElementTraitement& e : reports::elements_traitements()) {
            if (e.separateur()) continue;
            QVERIFY2(modeles.contains(e.modele), qPrintable(e.libelle + " : " + e.modele));
            if (!e.modele_si_non.isEmpty()) QVERIFY2(modeles.contains(e.modele_si_non), qPrintable(e.libelle + " : " + e.modele_si_non));
        }
    }

    // A statistic counts every selected pupil once and totals to 100 %.
    void statistique_totale() {
        const int eleves = lignes(QStringLiteral("SELECT COUNT(*) FROM \"élèves\""))[0][0].toInt();
        const QString texte = rendre(QStringLiteral("stat_sexes.rpt"));
        QVERIFY(texte.contains(QStringLiteral("Répartition des élèves par sexes")));
        const QRegularExpression total(QStringLiteral("Total\\W+(\\d+)\\W+100,0"));
        const auto m = total.match(texte);
        QVERIFY2(m.hasMatch(), qPrintable(texte.right(400)));
        QCOMPARE(m.captured(1).toInt(), eleves);
    }

    // A CSP statistic shows each code's label; a code listed twice in the lookup table
    // still counts each family once.
    void statistique_csp_avec_libelles() {
        const auto code = lignes(QStringLiteral(
            "SELECT f.\"csp_responsable_légal\", c.\"détails\" FROM familles f JOIN csp c ON c.code = f.\"csp_responsable_légal\" LIMIT 1"));
        QVERIFY(!code.isEmpty());
        lignes(QStringLiteral("INSERT INTO csp (code, \"détails\") VALUES (?, 'Libellé en double')"), {code[0][0]});
        const int familles = lignes(QStringLiteral("SELECT COUNT(*) FROM familles"))[0][0].toInt();
        const QString texte = rendre(QStringLiteral("stat_csp1.rpt"));
        lignes(QStringLiteral("DELETE FROM csp WHERE \"détails\" = 'Libellé en double'"));
        QVERIFY2(texte.contains(code[0][1].toString().left(20)), qPrintable(texte.left(600)));
        QVERIFY(!texte.contains(QStringLiteral("Libellé en double")));
        const auto m = QRegularExpression(QStringLiteral("Total\\W+(\\d+)\\W+100,0")).match(texte);
        QVERIFY(m.hasMatch());
        QCOMPARE(m.captured(1).toInt(), familles);
    }

    // A class's "Effectif" never stands alone on a sheet under the class's repeated heading:
    // the class of 29 of the demonstration database, which fills a sheet, takes its last
    // pupil onto the next one with it.
    void effectif_avec_des_eleves() {
        const int classes = lignes(QStringLiteral("SELECT COUNT(DISTINCT \"référence_classe_élève\") FROM \"élèves\""))[0][0].toInt();
        QCOMPARE(lignes(QStringLiteral("SELECT COUNT(*) FROM \"élèves\" GROUP BY \"référence_classe_élève\" HAVING COUNT(*) = 29")).size(), 1);
        for (const char* modele : {"liste_pointages.rpt", "liste_notations.rpt"}) {
            const report::DocumentRendu doc = apercu(QString::fromUtf8(modele));
            int effectifs = 0;
            for (int p = 0; p < doc.pages.size(); ++p) {
                bool effectif = false;
                int eleves = 0;
                for (const auto& b : doc.pages[p].bandes) {
                    const QString premier = b.cellules.value(0).lignes.value(0).texte;
                    effectif = effectif || premier.startsWith(QStringLiteral("Effectif"));
                    if (b.cellules.size() > 3 && report::mesure::est_nombre(premier)) ++eleves;
                }
                if (!effectif) continue;
                ++effectifs;
                QVERIFY2(eleves > 0, qPrintable(QStringLiteral("%1 : page %2").arg(modele).arg(p + 1)));
            }
            QCOMPARE(effectifs, classes);
        }
    }

    // A class heading names every level its pupils are in, in school order, whatever the
    // order of the list.
    void classe_a_plusieurs_niveaux() {
        const auto eleves = lignes(QStringLiteral("SELECT rowid FROM \"élèves\" ORDER BY \"date_naissance_élève\" LIMIT 3"));
        QCOMPARE(eleves.size(), 3);
        const char* niveaux[] = {"PS", "TPS", "PS"};
        for (int i = 0; i < 3; ++i)
            lignes(QStringLiteral("UPDATE \"élèves\" SET \"référence_classe_élève\" = 'MIXTE', \"niveau_classe_élève\" = ? WHERE rowid = ?"),
                   {QString::fromLatin1(niveaux[i]), eleves[i][0]});
        for (const char* modele : {"liste_classes.rpt", "liste_classes2.rpt", "liste_classes3.rpt"}) {
            const QString texte = rendre(QString::fromLatin1(modele), QStringLiteral("{élèves.référence_classe_élève} = \"MIXTE\""));
            QVERIFY2(texte.contains(QStringLiteral("Classe MIXTE - niveaux TPS, PS")), qPrintable(texte.left(500)));
        }
    }

    // French texts: "Parents d'Inaya" and "Parents de Paul"; the register separates the two
    // parents; an empty address line leaves no double blank.
    void textes_en_francais() {
        const auto famille = lignes(QStringLiteral(
            "SELECT e.rowid, e.\"nom_élève\", f.rowid FROM \"élèves\" e JOIN familles f USING (\"référence_famille\") "
            "WHERE f.nom_conjoint <> '' AND e.\"ainé\" LIMIT 1"));
        QVERIFY(!famille.isEmpty());
        const QVariant eleve = famille[0][0];
        lignes(QStringLiteral("UPDATE familles SET nom_responsable_légal = 'DURAND', \"prénom_responsable_légal\" = 'Léa', "
                              "nom_conjoint = 'MARTIN', \"prénom_conjoint\" = 'Hugo' WHERE rowid = ?"), {famille[0][2]});
        lignes(QStringLiteral("UPDATE \"élèves\" SET \"prénom_élève\" = 'Inaya', \"numéro_résidence\" = '12', "
                              "\"adresse_résidence\" = 'rue des Lilas', \"adresse2_résidence\" = '', \"code_postal_résidence\" = '75011' WHERE rowid = ?"), {eleve});
        const QString selection = QStringLiteral("{élèves.prénom_élève} = \"Inaya\"");
        QString texte = rendre(QStringLiteral("étiquet_adresse2.rpt"), selection);
        QVERIFY2(texte.contains(QStringLiteral("Parents d'Inaya ")), qPrintable(texte.left(400)));
        lignes(QStringLiteral("UPDATE \"élèves\" SET \"prénom_élève\" = 'Paul' WHERE rowid = ?"), {eleve});
        texte = rendre(QStringLiteral("étiquet_adresse2.rpt"), QStringLiteral("{élèves.prénom_élève} = \"Paul\""));
        QVERIFY(texte.contains(QStringLiteral("Parents de Paul ")));
        texte = rendre(QStringLiteral("registre1.rpt"), QStringLiteral("{élèves.prénom_élève} = \"Paul\""));
        QVERIFY2(texte.contains(QStringLiteral("DURAND Léa / MARTIN")), qPrintable(texte.right(800)));
        QVERIFY2(texte.contains(QStringLiteral("12 rue des Lilas 75011")), qPrintable(texte.right(800)));
    }

    // Forms filled in by hand: the blank sheet on one page with boxes at least 8 mm high,
    // the electoral lists' signing boxes at least 10 mm high.
    void cases_a_remplir() {
        struct Cas { const char* modele; int pages; double minimum; };
        for (const Cas& c : {Cas{"fiche_vierge.rpt", 1, 8}, Cas{"liste_électorale.rpt", 0, 10}, Cas{"liste_électorale2.rpt", 0, 10}}) {
            const report::DocumentRendu doc = apercu(QString::fromUtf8(c.modele));
            if (c.pages) QCOMPARE(doc.pages.size(), c.pages);
            int cases = 0;
            for (const auto& page : doc.pages)
                for (const auto& b : page.bandes)
                    for (const auto& ce : b.cellules)
                        if (ce.cadre && ce.lignes.size() == 1 && ce.lignes[0].texte.isEmpty()) {
                            ++cases;
                            QVERIFY2(b.hauteur >= c.minimum, c.modele);
                        }
            QVERIFY2(cases > 0, c.modele);
        }
    }

    // The electoral list without addresses shows none; the other one shows them.
    void listes_electorales_et_adresses() {
        const auto aines = lignes(QStringLiteral(
            "SELECT f.adresse_responsable FROM \"élèves\" e JOIN familles f USING (\"référence_famille\") "
            "WHERE e.\"ainé\" AND f.adresse_responsable <> '' LIMIT 1"));
        QVERIFY(!aines.isEmpty());
        const QString adresse = aines[0][0].toString();
        const QString selection = QStringLiteral("{élèves.ainé} = True");
        QVERIFY(!rendre(QStringLiteral("liste_électorale.rpt"), selection).contains(adresse));
        QVERIFY(rendre(QStringLiteral("liste_électorale2.rpt"), selection).contains(adresse));
    }

    // The record sheets forget no field of their table.
    void fiches_completes() {
        QCOMPARE(champs_absents(QStringLiteral("fiche_enfant.rpt"), QStringLiteral("élèves")), QStringList());
        QCOMPARE(champs_absents(QStringLiteral("fiche_famille.rpt"), QStringLiteral("familles")), QStringList());
    }

    // The document shows the texts it is given and leaves out the blocks given empty.
    void document_et_formules() {
        auto base = db::BaseDonnees::ouvrir(Module1::chemin_base);
        base->requete(QStringLiteral("INSERT INTO documents (\"intitulé_bouton\") VALUES (?)"),
                      {QStringLiteral("Essai de document")});
        base->Close();
        const char* noms[21] = {"date_contrôlée", "nom_responsable_contrôlé", "adresse_responsable_contrôlée",
                                "adresse2_responsable_contrôlée", "ville_responsable_contrôlée", "titre_document",
                                "destinataire_document", "paragraphe1", "nom_directeur_contrôlé", "paragraphe2",
                                "élève_contrôlé", "élève_contrôlé2", "élève_contrôlé3", "paragraphe3",
                                "paragraphe4", "paragraphe5", "paragraphe6", "politesse", "signature_contrôlée",
                                "cachet_contrôlé", "postscriptum"};
        auto& cr = report::CrystalReport1();
        for (int i = 0; i < 21; ++i) {
            const QString nom = QString::fromUtf8(noms[i]);
            // Slot 18 left empty: the signature block disappears, the stamp line with it.
            const QString valeur = QStringLiteral("valeur%1fin").arg(i);
            cr.setFormulas(i, i == 18 ? QString()
                                      : nom + (i >= 1 && i <= 4 ? "=" : "= ") + '"' + valeur + '"');
        }
        const QString texte = rendre(QStringLiteral("document.rpt"),
                                     QStringLiteral("{documents.intitulé_bouton} = \"Essai de document\""));
        for (int i = 0; i < 21; ++i) {
            if (i == 18 || i == 19) continue;
            QVERIFY2(texte.contains(QStringLiteral("valeur%1fin").arg(i)), qPrintable(QString::number(i)));
        }
        QVERIFY(!texte.contains(QStringLiteral("valeur19fin")));
        for (int i = 0; i < 21; ++i) cr.setFormulas(i, QString());
    }

    // A word processor prints the ".RTF" files as the preview shows them: the same number of
    // pages (no blank page at the end) and 24 labels on each full sheet.
    void fichiers_rtf_imprimes_comme_l_apercu() {
        if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("LibreOffice (soffice) ou pdfinfo absent : conversion en PDF impossible");
        QTemporaryDir sorties;
        QStringList fichiers;
        QMap<QString, int> pagesApercu;
        for (const QString& nom : {QStringLiteral("liste_classes"), QStringLiteral("stat_villes"), QStringLiteral("étiquet_adresse1")}) {
            const report::Modele m = report::lire_modele(essai::dossier_programme() + nom + ".rpt");
            const report::Donnees d = report::lire_donnees(m, Module1::chemin_base, nullptr, QDate::currentDate());
            const report::DocumentRendu doc = report::mettre_en_page(m, d, {}, QDate::currentDate());
            pagesApercu[nom] = doc.pages.size();
            // Written page after page, as the processing window writes it.
            report::MiseEnPage mise(m, d, {}, QDate::currentDate());
            fichiers << sorties.filePath(nom + ".rtf");
            QVERIFY(report::ecrire_texte_enrichi(mise, fichiers.last()));
        }
        QProcess soffice;
        soffice.setProcessEnvironment([&] {
            auto e = QProcessEnvironment::systemEnvironment();
            e.insert(QStringLiteral("HOME"), sorties.path());  // its own profile, whatever runs beside
            return e;
        }());
        soffice.start(QStringLiteral("soffice"), QStringList{"--headless", "--convert-to", "pdf", "--outdir", sorties.path()} + fichiers);
        QVERIFY(soffice.waitForFinished(180000));
        const auto pdfinfo = [&](const QString& nom) {
            QProcess p;
            p.start(QStringLiteral("pdfinfo"), {sorties.filePath(nom + ".pdf")});
            p.waitForFinished(30000);
            const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(p.readAllStandardOutput()));
            return m.hasMatch() ? m.captured(1).toInt() : -1;
        };
        for (auto it = pagesApercu.cbegin(); it != pagesApercu.cend(); ++it)
            QCOMPARE(pdfinfo(it.key()), it.value());
        const auto pdftotext = [&](const QString& nom) {
            QProcess p;
            p.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                                  sorties.filePath(nom + ".pdf"), QStringLiteral("-")});
            p.waitForFinished(30000);
            return QString::fromUtf8(p.readAllStandardOutput());
        };
        QCOMPARE(pdftotext(QStringLiteral("étiquet_adresse1")).count(QRegularExpression(QStringLiteral("(^|\\n)\\d{5} "))), 24);
        // The page count, written in once the last page was laid out, reads in the word processor.
        const QString premiere = pdftotext(QStringLiteral("liste_classes"));
        QVERIFY2(premiere.contains(QStringLiteral("Page 1 / %1").arg(pagesApercu.value(QStringLiteral("liste_classes")))),
                 qPrintable(premiere));
    }

    // Words the preview prints whole and French that agrees: the register's headings whole,
    // each label of the blank form on one line beside its box, an empty CSP on one line of its
    // code column (the headings of the CSP statistic on one line too), an empty class
    // "non renseignée".
    void intitules_libelles_et_accords() {
        const auto page = [](const QString& modele) { return apercu(modele).pages.value(0); };
        const QStringList intitules = {"Matricule", "Nom", "Prénom(s)", "Sexe", "Né(e) le", "à", "Nationalité",
                                       "Responsables légaux", "Adresse", "Inscrit(e) le", "Classe", "Radié(e) le",
                                       "Établissement d'accueil"};
        QStringList lus;
        for (const report::CelluleRendue& c : page(QStringLiteral("registre1.rpt")).bandes.value(2).cellules) {
            QStringList l;
            for (const report::LigneTexte& x : c.lignes) l << x.texte;
            lus << l.join(' ');
        }
        QCOMPARE(lus, intitules);

        int libelles = 0;
        for (const report::BandeRendue& b : page(QStringLiteral("fiche_vierge.rpt")).bandes) {
            if (b.cellules.size() < 2) continue;
            for (const report::CelluleRendue& c : b.cellules) {
                if (c.cadre || c.lignes.value(0).texte.isEmpty()) continue;
                ++libelles;
                QVERIFY2(c.lignes.size() == 1, qPrintable(c.lignes[0].texte + ' ' + c.lignes.value(1).texte));
            }
        }
        QCOMPARE(libelles, 36);

        lignes(QStringLiteral("UPDATE familles SET \"csp_responsable_légal\" = '' WHERE rowid = (SELECT MIN(rowid) FROM familles)"));
        bool vide = false;
        for (const report::BandeRendue& b : page(QStringLiteral("stat_csp1.rpt")).bandes) {
            if (b.cellules.size() == 4 && b.cellules[0].lignes.value(0).texte == u"Code")
                for (const report::CelluleRendue& c : b.cellules) QCOMPARE(c.lignes.size(), 1);
            if (b.cellules.size() == 4 && b.cellules[0].lignes.value(0).texte.startsWith(QStringLiteral("non"))) {
                vide = true;
                QCOMPARE(b.cellules[0].lignes.size(), 1);
                QCOMPARE(b.cellules[0].lignes[0].texte, QStringLiteral("non renseigné"));
            }
        }
        QVERIFY(vide);

        lignes(QStringLiteral("UPDATE \"élèves\" SET \"référence_classe_élève\" = '' WHERE rowid = (SELECT MIN(rowid) FROM \"élèves\")"));
        QVERIFY(rendre(QStringLiteral("liste_classes.rpt"), QStringLiteral("{élèves.référence_classe_élève} = \"\""))
                    .contains(QStringLiteral("Classe non renseignée - niveaux")));
    }
};

}  // namespace

QObject* essai_modeles() { return new EssaiModeles; }

#include "test_modeles.moc"
