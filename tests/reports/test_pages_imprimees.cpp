// What lands on the paper, read from the pages themselves: the preview's laid-out pages and
// the PDF that LibreOffice prints from the ".RTF" file, on generated registers whose values
// are as long as their fields allow.
#include "environnement_reports.h"
#include "essais.h"
#include "platform/db/base_donnees.h"
#include "platform/report/donnees.h"
#include "platform/report/ecriture_rtf.h"
#include "platform/report/mesure.h"
#include "platform/report/mise_en_page.h"
#include "platform/report/modele.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace {

using namespace report;

// A value as long as its field holds, made of words; `graine` varies it between records.
QString texte_long(int longueur, int graine) {
    static const QStringList mots = {"Marchand", "Beaulieu", "Castelnau", "Fontaine", "Rochefort", "Valmont"};
    QString t;
    for (int i = graine; t.size() < longueur; ++i) t += (t.isEmpty() ? QString() : QStringLiteral(" ")) + mots[i % mots.size()];
    return t.left(longueur).trimmed();
}

// Every field of a table's row filled: texts of words as long as the field holds, up to
// `plafond` characters (a long remark where the field has no limit), dates, ticks.
QVariantMap plein(db::BaseDonnees& b, const QString& table, int graine, int plafond, int remarques) {
    QVariantMap r;
    for (const auto& c : b.requete(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)).lignes) {
        const QString nom = c.value(1).toString(), genre = c.value(2).toString().toUpper();
        const QRegularExpressionMatch n = QRegularExpression(QStringLiteral("\\((\\d+)\\)")).match(genre);
        if (genre.startsWith(QLatin1String("DATE"))) r[nom] = QDate(2016, 3, 14);
        else if (genre.startsWith(QLatin1String("BOOL"))) r[nom] = true;
        else r[nom] = texte_long(n.hasMatch() ? qMin(plafond, n.captured(1).toInt()) : remarques, graine);
    }
    return r;
}

void inserer(db::BaseDonnees& b, const QString& table, const QVariantMap& valeurs) {
    QStringList champs, places;
    QVariantList v;
    for (auto it = valeurs.cbegin(); it != valeurs.cend(); ++it) {
        champs << '"' + it.key() + '"';
        places << QStringLiteral("?");
        v << it.value();
    }
    b.requete(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)").arg(table, champs.join(','), places.join(',')), v);
}

// A word of LibreOffice's PDF and its box, in millimetres from the page's top-left corner.
struct Mot {
    int page = 0;
    QString texte;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

class EssaiPagesImprimees : public QObject {
    Q_OBJECT
    QTemporaryDir dossier_;
    QString base_;      // 2,000 pupils, one of them filled to every field's length
    QString sorties_;   // the ".RTF" files written, converted together at the end
    QMap<QString, int> pagesDemonstration_;  // the preview's page count of each template
    QMap<QString, QMap<QString, int>> motsApercu_;  // the preview's words of a file, with their counts

    static constexpr int Eleves = 2000;
    static constexpr int Filles = 1023;
    inline static const QString Courriel = QStringLiteral("jeanfrancois.blanchard.durand@wanadoo.fr");  // 40

    QString chemin(const QString& nom) const { return QDir(dossier_.path()).filePath(nom); }

    void creer_base() {
        base_ = test::copie_modele(dossier_, QStringLiteral("registre.mdb"));
        auto b = db::BaseDonnees::ouvrir(base_);
        b->requete(QStringLiteral("BEGIN"));
        for (int i = 1; i <= Eleves; ++i) {
            // Pupil 1 and his family have every field filled, as a careful school fills them;
            // pupil 2's are as long as the fields allow, with remarks of a page.
            QVariantMap e;
            if (i == 1) e = plein(*b, QStringLiteral("élèves"), 0, 25, 160);
            if (i == 2) e = plein(*b, QStringLiteral("élèves"), 1, 100, 1500);
            e["matricule"] = QStringLiteral("%1").arg(i, 6, 10, QChar('0'));
            e["nom_élève"] = QStringLiteral("Nom%1").arg(i, 4, 10, QChar('0'));
            e["prénom_élève"] = QStringLiteral("Prénom");
            e["sexe_élève"] = i <= Filles ? QStringLiteral("F") : QStringLiteral("M");
            e["référence_classe_élève"] = QStringLiteral("C%1").arg(i % 8);
            e["niveau_classe_élève"] = QStringLiteral("CP");
            e["cycle_classe_élève"] = QStringLiteral("2");
            e["référence_famille"] = QStringLiteral("%1").arg(i, 6, 10, QChar('0'));
            e["ainé"] = i <= 30;
            if (i == 1) e["chemin_photo"] = QStringLiteral("/home/ecole/documents/photos_des_eleves/annee_2024_2025/classe_de_cp/portrait_numero_000001.jpg");
            inserer(*b, QStringLiteral("élèves"), e);
            // Pupils 29 and 30 are eldest of a family whose record is gone.
            if (i == 29 || i == 30) continue;
            QVariantMap f;
            if (i == 1) f = plein(*b, QStringLiteral("familles"), 3, 25, 160);
            if (i == 2) f = plein(*b, QStringLiteral("familles"), 4, 100, 1500);
            f["référence_famille"] = e["référence_famille"];
            f["nom_responsable_légal"] = QStringLiteral("Famille%1").arg(i);
            f["code_postal_responsable"] = QStringLiteral("27000");
            f["ville_responsable"] = QStringLiteral("Évreux");
            if (i == 1) f["mail_responsable_légal"] = Courriel;
            inserer(*b, QStringLiteral("familles"), f);
        }
        b->requete(QStringLiteral("COMMIT"));
        b->Close();
    }

    // The preview's pages of a template of the program folder on the register.
    DocumentRendu apercu(const QString& modele, const QString& selection = {}, const Formules& f = {}) {
        const Modele m = lire_modele(essai::dossier_programme() + modele + QStringLiteral(".rpt"));
        const Donnees d = lire_donnees(m, base_, formule::analyser(selection), QDate::currentDate());
        return mettre_en_page(m, d, f, QDate::currentDate());
    }

    // The same written to `nom`.rtf, as the processing window writes it.
    bool rtf(const QString& modele, const QString& nom, const QString& selection = {}, const Formules& f = {}) {
        const Modele m = lire_modele(essai::dossier_programme() + modele + QStringLiteral(".rpt"));
        MiseEnPage mise(m, lire_donnees(m, base_, formule::analyser(selection), QDate::currentDate()), f, QDate::currentDate());
        return ecrire_texte_enrichi(mise, QDir(sorties_).filePath(nom + QStringLiteral(".rtf")));
    }

    // Every word of the PDF that LibreOffice makes of `nom`.rtf.
    static QVector<Mot> mots_pdf(const QString& pdf) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        p.waitForFinished(60000);
        QVector<Mot> r;
        QXmlStreamReader x(p.readAllStandardOutput());
        int page = 0;
        constexpr double mm = 25.4 / 72;
        while (!x.atEnd()) {
            if (x.readNext() != QXmlStreamReader::StartElement) continue;
            if (x.name() == u"page") ++page;
            if (x.name() != u"word") continue;
            const auto a = x.attributes();
            Mot m;
            m.page = page;
            m.x0 = a.value("xMin").toDouble() * mm;
            m.y0 = a.value("yMin").toDouble() * mm;
            m.x1 = a.value("xMax").toDouble() * mm;
            m.y1 = a.value("yMax").toDouble() * mm;
            m.texte = x.readElementText();
            r.append(m);
        }
        return r;
    }

    static bool convertir(const QString& dossier) {
        QStringList fichiers;
        for (const QString& f : QDir(dossier).entryList({QStringLiteral("*.rtf")})) fichiers << QDir(dossier).filePath(f);
        // With no file, the office would start and wait for a user.
        if (fichiers.isEmpty()) return false;
        QProcess soffice;
        auto e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("HOME"), dossier);  // its own profile, whatever runs beside
        soffice.setProcessEnvironment(e);
        soffice.start(QStringLiteral("soffice"),
                      QStringList{"--headless", "--convert-to", "pdf", "--outdir", dossier} + fichiers);
        if (soffice.waitForFinished(300000)) return true;
        soffice.kill();
        soffice.waitForFinished(10000);
        return false;
    }

    // Every word the preview prints, with the number of times it does.
    static QMap<QString, int> mots(const DocumentRendu& doc) {
        QMap<QString, int> r;
        for (const Page& p : doc.pages)
            for (const BandeRendue& b : p.bandes)
                for (const CelluleRendue& c : b.cellules)
                    for (const LigneTexte& l : c.lignes)
                        for (const QString& m : l.texte.split(' ', Qt::SkipEmptyParts)) ++r[m];
        return r;
    }

    // The texts of a laid-out cell and of its lines.
    static QString texte(const CelluleRendue& c) {
        QString t;
        for (const LigneTexte& l : c.lignes) t += l.texte;
        return t;
    }

private slots:
    void initTestCase() {
        QVERIFY(dossier_.isValid());
        // CARNELIS_GARDER_PAGES=1 keeps the files and PDFs, to look at the pages by eye.
        if (qEnvironmentVariableIsSet("CARNELIS_GARDER_PAGES")) {
            dossier_.setAutoRemove(false);
            qInfo("Pages gardées dans %s", qPrintable(dossier_.path()));
        }
        creer_base();
        sorties_ = chemin(QStringLiteral("rtf"));
        QDir().mkpath(sorties_);
    }

    // No line of any cell runs past its cell: a value without blanks (an e-mail address, a
    // file path) is set smaller, then broken between characters, and read whole across its lines.
    void valeurs_longues_dans_leur_cellule() {
        const QString eleve = QStringLiteral("{élèves.matricule} = \"000001\"");
        const DocumentRendu fiche = apercu(QStringLiteral("fiche_enfant"), eleve);
        QStringList cellules;
        for (const Page& p : fiche.pages)
            for (const BandeRendue& b : p.bandes)
                for (const CelluleRendue& c : b.cellules) {
                    cellules << texte(c);
                    for (const LigneTexte& l : c.lignes)
                        QVERIFY2(mesure::largeur(l.texte, l.style) <= c.largeur - 2 * c.marge + 0.01, qPrintable(l.texte));
                }
        QVERIFY(cellules.contains(Courriel));
        QVERIFY(cellules.contains(QStringLiteral("/home/ecole/documents/photos_des_eleves/annee_2024_2025/classe_de_cp/portrait_numero_000001.jpg")));
        QVERIFY(rtf(QStringLiteral("fiche_enfant"), QStringLiteral("fiche"), eleve));
    }

    // A fully filled pupil's sheet holds on one page; a sheet whose remarks run onto another
    // page names the pupil and the matricule there too.
    void fiche_pleine_sur_une_page() {
        const DocumentRendu fiche = apercu(QStringLiteral("fiche_enfant"), QStringLiteral("{élèves.matricule} = \"000001\""));
        QCOMPARE(fiche.pages.size(), 1);
        const DocumentRendu longue = apercu(QStringLiteral("fiche_enfant"), QStringLiteral("{élèves.matricule} = \"000002\""));
        QVERIFY(longue.pages.size() > 1);
        for (const Page& p : longue.pages)
            QVERIFY(texte(p.bandes.value(0).cellules.value(0)).contains(QStringLiteral("Prénom Nom0002, matricule 000002")));
        // Every pupil of the demonstration database on a page of his own.
        const QString registre = base_;
        base_ = essai::copie_exemple(dossier_);
        const DocumentRendu exemple = apercu(QStringLiteral("fiche_enfant"));
        auto b = db::BaseDonnees::ouvrir(base_);
        const int eleves = b->requete(QStringLiteral("SELECT COUNT(*) FROM \"élèves\"")).lignes.value(0).value(0).toInt();
        b->Close();
        base_ = registre;
        QCOMPARE(exemple.pages.size(), eleves);
    }

    // Row numbers from 1 to 2,000 are printed whole inside the "N°" column, in one size.
    void numeros_a_quatre_chiffres_entiers() {
        const DocumentRendu liste = apercu(QStringLiteral("liste_mairie"));
        QMap<QString, double> tailles;
        int lignes = 0;
        for (const Page& p : liste.pages)
            for (const BandeRendue& b : p.bandes) {
                if (b.cellules.size() != 10) continue;
                const CelluleRendue& n = b.cellules[0];
                for (const LigneTexte& l : n.lignes)
                    QVERIFY2(mesure::largeur(l.texte, l.style) <= n.largeur - 2 * n.marge + 0.01, qPrintable(l.texte));
                if (n.lignes.size() != 1 || !mesure::est_nombre(n.lignes[0].texte)) continue;
                ++lignes;
                tailles[n.lignes[0].texte] = n.lignes[0].style.taille;
            }
        QCOMPARE(lignes, Eleves);
        QCOMPARE(tailles.value(QStringLiteral("999")), tailles.value(QStringLiteral("2000")));
        QCOMPARE(tailles.value(QStringLiteral("1")), tailles.value(QStringLiteral("1000")));
        // The list's narrow columns (sex, level) lend the room: the numbers keep a readable size.
        QVERIFY2(tailles.value(QStringLiteral("2000")) >= 8, qPrintable(QString::number(tailles.value(QStringLiteral("2000")))));
        QVERIFY(rtf(QStringLiteral("liste_mairie"), QStringLiteral("mairie")));
    }

    // Shares are rounded half up on their exact value: 1,023 of 2,000 is 51.15 %.
    void pourcentages_arrondis_comme_a_la_main() {
        const DocumentRendu stat = apercu(QStringLiteral("stat_sexes"));
        QStringList lignes;
        for (const BandeRendue& b : stat.pages.value(0).bandes) {
            QStringList c;
            for (const CelluleRendue& x : b.cellules) c << texte(x).trimmed();
            lignes << c.join('|');
        }
        QVERIFY2(lignes.contains(QStringLiteral("F|1023|51,2 %")), qPrintable(lignes.join('\n')));
        QVERIFY2(lignes.contains(QStringLiteral("M|977|48,9 %")), qPrintable(lignes.join('\n')));
    }

    // Two eldest pupils whose family record is gone: no blank label, no blank row, families
    // counted right, and the processing window says how many pupils were left out.
    void familles_absentes_ni_blanc_ni_compte() {
        const QString aines = QStringLiteral("{élèves.ainé} = True");
        const DocumentRendu etiquettes = apercu(QStringLiteral("étiquet_adresse1"), aines);
        int pleines = 0;
        for (const Page& p : etiquettes.pages)
            for (const BandeRendue& b : p.bandes)
                for (const CelluleRendue& c : b.cellules) {
                    if (c.lignes.isEmpty()) continue;
                    ++pleines;
                    QVERIFY2(texte(c).contains(QStringLiteral("Famille")) && c.lignes.last().texte == u"27000 Évreux",
                             qPrintable(texte(c)));
                }
        QCOMPARE(pleines, 28);
        for (const QString modele : {"liste_électorale", "liste_électorale2"}) {
            QStringList lignes;
            for (const Page& p : apercu(modele, aines).pages)
                for (const BandeRendue& b : p.bandes)
                    if (!b.cellules.isEmpty()) lignes << texte(b.cellules.first());
            QVERIFY2(lignes.contains(QStringLiteral("Nombre de familles inscrites : 28")), qPrintable(lignes.join('\n')));
        }

        Module1::chemin_programme = essai::dossier_programme();
        Module1::chemin_base = base_;
        if (!forms::Feuilles::estEnregistree(noms::traitements)) enregistrer_feuilles_reports();
        forms::RepondeurScripte& boites = forms::installer_repondeur_scripte();
        essai::choisir(3, QStringLiteral("Etiquettes électorales"));
        essai::sortie(2);
        boites.saisir(chemin(QStringLiteral("electorales.rtf")));
        essai::imprimer(3);
        QCOMPARE(boites.vues.size(), 2);
        QCOMPARE(boites.derniere().texte,
                 QStringLiteral("2 élèves n'ont pas été imprimés : leur fiche famille est introuvable dans la base. "
                                "Rattachez-les à leur famille depuis leur fiche élève.\n\n"
                                "2 étiquettes trop longues ont été imprimées plus petit ou coupées pour tenir à leur place ; "
                                "leur code postal et leur ville sont imprimés."));
        QCOMPARE(boites.derniere().style, forms::styles::Information);
        QCOMPARE(boites.derniere().titre, forms::titre_application());
        QCOMPARE(essai::texte_rtf(chemin(QStringLiteral("electorales.rtf"))).count(QStringLiteral("27000 Évreux")), 28);
        forms::Feuilles::toutDecharger();
    }

    // The guardian's address sits in a window envelope's frame (85 x 33 mm, 110 mm from the
    // left, 55 mm from the top) whatever the letterhead's length; nothing else enters it, and
    // an address too long for it keeps its postcode and town.
    void adresse_de_la_lettre_a_sa_place() {
        auto b = db::BaseDonnees::ouvrir(base_);
        b->requete(QStringLiteral("DELETE FROM \"école\""));
        b->requete(QStringLiteral("INSERT INTO \"école\" (\"nom_école\", \"ville_école\") VALUES ('École Jean Moulin', 'Évreux')"));
        b->requete(QStringLiteral("INSERT INTO documents (\"intitulé_bouton\", titre_document) VALUES ('Certificat', 'Certificat de scolarité')"));
        b->Close();
        Formules f{{QStringLiteral("date_contrôlée"), QStringLiteral("Évreux, le 09/12/2026")},
                   {QStringLiteral("nom_responsable_contrôlé"), QStringLiteral("Madame Claire Durand")},
                   {QStringLiteral("adresse_responsable_contrôlée"), QStringLiteral("12, rue des Lilas")},
                   {QStringLiteral("ville_responsable_contrôlée"), QStringLiteral("27000 Évreux")},
                   {QStringLiteral("titre_document"), QStringLiteral("Certificat de scolarité")}};
        const QString certificat = QStringLiteral("{documents.intitulé_bouton} = \"Certificat\"");
        const auto verifier = [&](const DocumentRendu& lettre, QVector<LigneTexte>& lignes) {
            QCOMPARE(lettre.pages.size(), 1);
            const BandeRendue* adresse = nullptr;
            for (const BandeRendue& x : lettre.pages[0].bandes) {
                if (x.fixe) { adresse = &x; continue; }
                for (const CelluleRendue& c : x.cellules)
                    if (!texte(c).isEmpty() && c.x < 195 && c.x + c.largeur > 110)
                        QVERIFY2(x.y >= 88 - 1e-6, qPrintable(texte(c)));
            }
            QVERIFY(adresse);
            QCOMPARE(adresse->y, 55.0);
            QCOMPARE(adresse->cellules.first().x, 110.0);
            double h = 0;
            for (const LigneTexte& l : adresse->cellules.first().lignes) {
                h += l.hauteur;
                QVERIFY(!l.texte.isEmpty());
                QVERIFY2(mesure::largeur(l.texte, l.style) <= 85 + 0.01, qPrintable(l.texte));
            }
            QVERIFY(h <= 33);
            QVERIFY(adresse->cellules.first().lignes.size() <= 6);
            QCOMPARE(adresse->cellules.first().lignes.last().texte, QStringLiteral("27000 Évreux"));
            const auto& lues = adresse->cellules.first().lignes;
            lignes = QVector<LigneTexte>(lues.begin(), lues.end());
        };
        const DocumentRendu courte = apercu(QStringLiteral("document"), certificat, f);
        QVector<LigneTexte> lignesCourte, lignesLongue, lignesTrop;
        verifier(courte, lignesCourte);
        if (QTest::currentTestFailed()) return;
        QCOMPARE(lignesCourte.first().texte, QStringLiteral("Madame Claire Durand"));
        QCOMPARE(lignesCourte.size(), 3);  // no blank line for the empty second address line
        QVERIFY(rtf(QStringLiteral("document"), QStringLiteral("lettre_courte"), certificat, f));

        b = db::BaseDonnees::ouvrir(base_);
        b->requete(QStringLiteral("UPDATE \"école\" SET \"nom_école\" = 'Groupe scolaire élémentaire et maternelle Jean Moulin', "
                                  "\"numéro_école\" = '12 bis', \"adresse_école\" = 'avenue du Maréchal de Lattre de Tassigny', "
                                  "\"adresse2_école\" = 'Quartier de la Madeleine - Bâtiment B', \"code_postal_école\" = '27000', "
                                  "\"téléphone_école\" = '02 32 00 00 00', \"mail_école\" = 'ce.0270000x@ac-normandie.fr'"));
        b->Close();
        const DocumentRendu longue = apercu(QStringLiteral("document"), certificat, f);
        verifier(longue, lignesLongue);
        if (QTest::currentTestFailed()) return;
        QCOMPARE(lignesLongue.size(), lignesCourte.size());
        for (int i = 0; i < lignesCourte.size(); ++i) QCOMPARE(lignesLongue[i].texte, lignesCourte[i].texte);
        QVERIFY(rtf(QStringLiteral("document"), QStringLiteral("lettre_longue"), certificat, f));

        // An address of seven long lines is shortened within the frame.
        Formules g = f;
        g[QStringLiteral("nom_responsable_contrôlé")] = QStringLiteral("Monsieur et Madame Jean-Christophe de La Rochefoucauld-Montbrison");
        g[QStringLiteral("adresse_responsable_contrôlée")] = QStringLiteral("Résidence des Mille Étangs, bâtiment C, escalier 4, porte 12, 1245 chemin des Hauts de la Vallée de l'Iton");
        g[QStringLiteral("adresse2_responsable_contrôlée")] = QStringLiteral("Lieu-dit la Grande Fontaine aux Moines, hameau de Saint-Michel-des-Bois, "
                                                                            "au bout du chemin après le lavoir, maison aux volets bleus");
        verifier(apercu(QStringLiteral("document"), certificat, g), lignesTrop);
    }

    // Exercise-book labels of a class of 250 pupils: 10 full sheets and a last row of 1.
    void planche_d_etiquettes() {
        const DocumentRendu doc = apercu(QStringLiteral("étiquet_cahiers"), QStringLiteral("{élèves.référence_classe_élève} = \"C1\""));
        QVERIFY(doc.pages.size() > 1);
        QVERIFY(rtf(QStringLiteral("étiquet_cahiers"), QStringLiteral("cahiers"), QStringLiteral("{élèves.référence_classe_élève} = \"C1\"")));
        QVERIFY(rtf(QStringLiteral("étiquet_adresse2"), QStringLiteral("adresses"), QStringLiteral("{élèves.référence_classe_élève} = \"C1\"")));
    }

    // Templates of every kind on the demonstration database (a sheet per pupil, wide lists,
    // a grid, a register, a statistic, a blank form), written to ".RTF" for LibreOffice: their
    // page counts are compared with the preview's below.
    void modeles_de_la_base_de_demonstration() {
        const QString registre = base_;
        base_ = essai::copie_exemple(dossier_);
        for (const QString nom : {"liste_mairie", "liste_électorale2", "liste_présences", "registre1",
                                  "stat_ages", "fiche_vierge", "liste_ape"}) {
            const DocumentRendu doc = apercu(nom);
            pagesDemonstration_[nom] = doc.pages.size();
            motsApercu_[QStringLiteral("demo_") + nom] = mots(doc);
            QVERIFY2(rtf(nom, QStringLiteral("demo_") + nom), qPrintable(nom));
        }
        base_ = registre;
    }

    // A class of 250 in "Liste A": its row numbers from 100 are as wide as its widest.
    void liste_a_d_une_grande_classe() {
        const QString classe = QStringLiteral("{élèves.référence_classe_élève} = \"C1\"");
        motsApercu_[QStringLiteral("listea")] = mots(apercu(QStringLiteral("liste_listea"), classe));
        QVERIFY(rtf(QStringLiteral("liste_listea"), QStringLiteral("listea"), classe));
    }

    // What LibreOffice prints of the files written above: the same values whole, in the same
    // places as the preview's (within 1 mm).
    void pdf_de_libreoffice() {
        if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("LibreOffice (soffice) ou pdftotext absent : les fichiers .RTF ne peuvent être convertis en PDF");
        QVERIFY(convertir(sorties_));
        const auto pdf = [&](const QString& nom) { return mots_pdf(QDir(sorties_).filePath(nom + QStringLiteral(".pdf"))); };

        // As many pages as the preview, for every template.
        for (auto it = pagesDemonstration_.cbegin(); it != pagesDemonstration_.cend(); ++it) {
            int pages = 0;
            for (const Mot& m : pdf(QStringLiteral("demo_") + it.key())) pages = qMax(pages, m.page);
            QVERIFY2(pages == it.value(), qPrintable(QStringLiteral("%1 : %2 pages dans LibreOffice, %3 dans l'aperçu")
                                                         .arg(it.key()).arg(pages).arg(it.value())));
        }

        // Every word the preview prints whole, LibreOffice prints whole as often: none is cut
        // where the preview's line filled its cell (a date, "Masculin", a row number from 100).
        for (auto it = motsApercu_.cbegin(); it != motsApercu_.cend(); ++it) {
            QMap<QString, int> lus;
            for (const Mot& m : pdf(it.key())) ++lus[m.texte];
            QStringList manquants;
            for (auto mot = it.value().cbegin(); mot != it.value().cend(); ++mot)
                if (lus.value(mot.key()) < mot.value())
                    manquants << QStringLiteral("%1 (%2 sur %3)").arg(mot.key()).arg(lus.value(mot.key())).arg(mot.value());
            QVERIFY2(manquants.isEmpty(), qPrintable(it.key() + QStringLiteral(" : ") + manquants.mid(0, 12).join(QStringLiteral(", "))));
        }

        // The e-mail address whole, read across its lines; no word outside the paper's margins.
        const QVector<Mot> fiche = pdf(QStringLiteral("fiche"));
        QString tout;
        for (const Mot& m : fiche) {
            QVERIFY2(m.page == 1, qPrintable(m.texte));
            QVERIFY2(m.x0 >= 9.5 && m.x1 <= 200.5, qPrintable(m.texte));
            tout += m.texte;
        }
        QVERIFY2(tout.contains(Courriel), qPrintable(tout));

        // Every row number whole inside the N° column, where the preview draws that column.
        double gauche = 0, droite = 0;
        for (const BandeRendue& b : apercu(QStringLiteral("liste_mairie")).pages.value(0).bandes)
            if (b.cellules.size() == 10) { gauche = b.cellules[0].x; droite = gauche + b.cellules[0].largeur; break; }
        QVERIFY(droite > gauche);
        QSet<QString> numeros;
        for (const Mot& m : pdf(QStringLiteral("mairie")))
            if (m.x1 < droite + 1 && mesure::est_nombre(m.texte)) {
                QVERIFY2(m.x0 >= gauche && m.x1 <= droite, qPrintable(m.texte));
                numeros.insert(m.texte);
            }
        for (const QString n : {"1", "999", "1000", "2000"}) QVERIFY2(numeros.contains(n), qPrintable(n));
        QCOMPARE(numeros.size(), Eleves);

        // The letter's address at its frame's place, with a short or a long letterhead; the
        // date under the frame.
        for (const QString nom : {"lettre_courte", "lettre_longue"}) {
            const QVector<Mot> mots = pdf(nom);
            const auto mot = [&](const QString& t) {
                // On the page's right half: the letterhead has its own postcode.
                const auto it = std::find_if(mots.begin(), mots.end(), [&](const Mot& m) { return m.texte == t && m.x0 > 100; });
                return it == mots.end() ? Mot{} : *it;
            };
            const Mot madame = mot(QStringLiteral("Madame")), ville = mot(QStringLiteral("27000")), date = mot(QStringLiteral("09/12/2026"));
            QVERIFY2(qAbs(madame.x0 - 110) <= 1 && madame.y0 >= 55 - 0.5 && madame.y0 <= 57, qPrintable(QStringLiteral("%1 : %2 ; %3").arg(nom).arg(madame.x0).arg(madame.y0)));
            QVERIFY2(qAbs(ville.x0 - 110) <= 1 && ville.y1 <= 88, qPrintable(QStringLiteral("%1 : %2 ; %3").arg(nom).arg(ville.x0).arg(ville.y1)));
            QVERIFY2(date.y0 >= 88, qPrintable(QStringLiteral("%1 : %2").arg(nom).arg(date.y0)));
            QCOMPARE(date.page, 1);
        }

        // Each label's lines where the preview draws them, on full rows and on the last one.
        for (const QString& nom : {QStringLiteral("cahiers"), QStringLiteral("adresses")}) {
            const QString modele = nom == u"cahiers" ? QStringLiteral("étiquet_cahiers") : QStringLiteral("étiquet_adresse2");
            const DocumentRendu doc = apercu(modele, QStringLiteral("{élèves.référence_classe_élève} = \"C1\""));
            const QVector<Mot> mots = pdf(nom);
            int vus = 0;
            for (int p = 0; p < doc.pages.size(); p += doc.pages.size() - 1)
                for (const BandeRendue& b : doc.pages[p].bandes)
                    for (const CelluleRendue& c : b.cellules) {
                        double y = b.y + c.marge;
                        for (const LigneTexte& l : c.lignes) {
                            const QString premier = l.texte.section(' ', 0, 0);
                            const double w = mesure::largeur(l.texte, l.style), place = c.largeur - 2 * c.marge;
                            const double x = c.x + c.marge + (l.style.alignement == 1 ? (place - w) / 2 : l.style.alignement == 2 ? place - w : 0);
                            const auto trouve = std::find_if(mots.begin(), mots.end(), [&](const Mot& m) {
                                return m.page == p + 1 && m.texte == premier && qAbs(m.x0 - x) <= 1 &&
                                       qAbs((m.y0 + m.y1) / 2 - (y + l.hauteur / 2)) <= 1;
                            });
                            QVERIFY2(trouve != mots.end(), qPrintable(QStringLiteral("%1 : « %2 » attendu à %3 ; %4 mm")
                                                                          .arg(nom, l.texte).arg(x).arg(y)));
                            ++vus;
                            y += l.hauteur;
                        }
                    }
            QVERIFY(vus > 24);
        }
    }
};

}  // namespace

QObject* essai_pages_imprimees() { return new EssaiPagesImprimees; }

#include "test_pages_imprimees.moc"
