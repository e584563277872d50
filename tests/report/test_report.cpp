// The report engine: formulas, templates on a small database, statistics, labels, the two
// file writers read back by independent readers, refusals and the control's settings.
#include "commun/base_test.h"
#include "commun/hors_fenetres.h"
#include "platform/db/base_donnees.h"
#include "platform/db/jeu_enregistrements.h"
#include "platform/db/dialecte.h"
#include "platform/erreur.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "platform/report/apercu.h"
#include "platform/report/crystal_report.h"
#include "platform/report/donnees.h"
#include "platform/texte/jour.h"
#include "platform/report/ecriture_rtf.h"
#include "platform/report/mesure.h"
#include "platform/report/mise_en_page.h"
#include "platform/report/modele.h"

#include <QDir>
#include <QFile>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSet>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>
#include <sys/resource.h>

using namespace report;

namespace {

struct Eleve {
    QString matricule, nom, prenom, sexe, classe, niveau, cycle, famille;
    QDate naissance;
    bool aine = false;
};

// A fresh copy of the blank template with a few pupils and families.
class Base {
public:
    explicit Base(const QVector<Eleve>& eleves) {
        chemin = test::copie_modele(dossier);
        auto b = db::BaseDonnees::ouvrir(chemin);
        b->requete(QStringLiteral("BEGIN"));
        for (const Eleve& e : eleves)
            b->requete(QStringLiteral("INSERT INTO \"élèves\" (matricule, \"nom_élève\", \"prénom_élève\", \"sexe_élève\", "
                                      "\"référence_classe_élève\", \"niveau_classe_élève\", \"cycle_classe_élève\", "
                                      "\"référence_famille\", \"date_naissance_élève\", \"ainé\") VALUES (?,?,?,?,?,?,?,?,?,?)"),
                       {e.matricule, e.nom, e.prenom, e.sexe, e.classe, e.niveau, e.cycle, e.famille,
                        e.naissance.isValid() ? QVariant(e.naissance) : QVariant(), e.aine});
        b->requete(QStringLiteral("COMMIT"));
        b->requete(QStringLiteral("INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\", "
                                  "\"ville_responsable\", \"communication_données\") VALUES ('000001','Dupré','Évreux','oui')"));
        b->requete(QStringLiteral("INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\", "
                                  "\"ville_responsable\", \"communication_données\") VALUES ('000002','Martin','Lyon','non')"));
    }
    QString fichier(const QString& nom, const QString& texte) const {
        const QString p = QDir(dossier.path()).filePath(nom);
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(texte.toUtf8());
        return p;
    }
    QTemporaryDir dossier;
    QString chemin;
};

// The day the engine counts ages from in these tests (fixed for the whole program).
const QDate Jour(2024, 3, 5);

QDate ne_il_y_a(int ans, int jours = 0) { return Jour.addYears(-ans).addDays(-jours); }

QVector<Eleve> classe_type() {
    return {
        {"000001", "Dupré", "Élodie", "F", "C1", "CP", "2", "000001", ne_il_y_a(6, 10), true},
        {"000002", "Martin", "Léa", "F", "C1", "CP", "2", "000002", ne_il_y_a(7, 3), true},
        {"000003", "D\"Artagnan", "Noé", "M", "C2", "CM2", "3", "", ne_il_y_a(12, 1), false},
        {"000004", "Émile", "Zoé", "F", "C2", "CM1", "3", "000001", ne_il_y_a(12, -5), false},
    };
}

// The texts of a laid-out page, one string per band: its cells joined by " | ".
QStringList textes(const Page& p) {
    QStringList r;
    for (const BandeRendue& b : p.bandes) {
        QStringList cellules;
        for (const CelluleRendue& c : b.cellules) {
            QStringList l;
            for (const LigneTexte& t : c.lignes) l << t.texte;
            cellules << l.join(' ');
        }
        if (!cellules.isEmpty()) r << cellules.join(QStringLiteral(" | "));
    }
    return r;
}

DocumentRendu rendre(const QString& texteModele, const Base& base, const QString& selection = {},
                     const Formules& f = {}) {
    const Modele m = analyser_modele(texteModele, QStringLiteral("essai.rpt"));
    const Donnees d = lire_donnees(m, base.chemin, formule::analyser(selection), Jour);
    return mettre_en_page(m, d, f, Jour);
}

int nombre(const QString& selection, const Base& base, const QString& source = QStringLiteral("élèves")) {
    const Modele m = analyser_modele(QStringLiteral("[rapport]\nsource = %1\n").arg(source), QStringLiteral("n.rpt"));
    return lire_donnees(m, base.chemin, formule::analyser(selection), Jour).lignes.size();
}

// The output of another program; unrtf writes the document's own single-byte code page.
QString lancer(const QString& programme, const QStringList& arguments, bool latin1 = false) {
    QProcess p;
    p.start(programme, arguments);
    p.waitForFinished(30000);
    const QByteArray sortie = p.readAllStandardOutput() + p.readAllStandardError();
    return latin1 ? QString::fromLatin1(sortie) : QString::fromUtf8(sortie);
}

void reinitialiser(CrystalReport& cr) {
    cr.setSelectionFormula({});
    for (int i = 0; i <= 20; ++i) cr.setFormulas(i, {});
    cr.setDestination(destination::Fenetre);
    cr.setCopiesToPrinter(1);
    cr.setWindowState(0);
}

}  // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        forms::installer_repondeur_scripte();
        jour::fixer(Jour);
    }
    void cleanupTestCase() { jour::fixer(QDate()); }

    void formules_choisissent_les_bons_enregistrements_data() {
        QTest::addColumn<QString>("formule");
        QTest::addColumn<int>("attendus");
        QTest::newRow("vide") << "" << 4;
        QTest::newRow("texte") << "{élèves.niveau_classe_élève} = \"CP\"" << 2;
        QTest::newRow("guillemet doublé") << "{élèves.nom_élève} = \"D\"\"Artagnan\"" << 1;
        QTest::newRow("apostrophe et tentative") << "{élèves.nom_élève} = \"x' OR 1=1 --\"" << 0;
        QTest::newRow("True") << "{élèves.ainé} = True" << 2;
        QTest::newRow("False") << "{élèves.ainé} = False" << 2;
        QTest::newRow("différent") << "{élèves.niveau_classe_élève} <> \"CP\"" << 2;
        QTest::newRow("AND") << "{élèves.cycle_classe_élève} = \"3\" AND {élèves.sexe_élève} = \"F\"" << 1;
        QTest::newRow("OR") << "{élèves.niveau_classe_élève} = \"CM1\" OR {élèves.niveau_classe_élève} = \"CM2\"" << 2;
        QTest::newRow("NOT et parenthèses") << "NOT ({élèves.cycle_classe_élève} = \"2\" OR {élèves.sexe_élève} = \"M\")" << 1;
        QTest::newRow("mots en minuscules") << "{élèves.ainé} = true and not {élèves.sexe_élève} = \"M\"" << 2;
        QTest::newRow("champ vide égal au texte vide") << "{élèves.référence_famille} = \"\"" << 1;
        QTest::newRow("âge au jour près") << "âge({élèves.date_naissance_élève}) >= 12" << 1;
        QTest::newRow("liste B") << "âge({élèves.date_naissance_élève}) >= 12 AND {élèves.niveau_classe_élève} <> \"CM2\"" << 0;
    }
    void formules_choisissent_les_bons_enregistrements() {
        QFETCH(QString, formule);
        QFETCH(int, attendus);
        Base base(classe_type());
        QCOMPARE(nombre(formule, base), attendus);
    }

    void formules_mal_ecrites_refusees_data() {
        QTest::addColumn<QString>("formule");
        QTest::newRow("guillemet non fermé") << "{élèves.nom_élève} = \"Dupré";
        QTest::newRow("parenthèse non fermée") << "({élèves.nom_élève} = \"a\"";
        QTest::newRow("parenthèse en trop") << "{élèves.nom_élève} = \"a\")";
        QTest::newRow("AND final") << "{élèves.nom_élève} = \"a\" AND";
        QTest::newRow("mot inconnu") << "{élèves.nom_élève} LIKE \"a\"";
        QTest::newRow("accolade") << "{élèves.nom_élève = \"a\"";
        QTest::newRow("champ sans table") << "{nom_élève} = \"a\"";
        QTest::newRow("True comparé par <") << "{élèves.ainé} < True";
        // Typed into a filter box, such texts once overflowed the stack.
        QTest::newRow("imbrication sans fin") << QString(100000, '(') + "True" + QString(100000, ')');
        QTest::newRow("NOT sans fin") << QStringLiteral("NOT ").repeated(100000) + "True";
        QStringList chaine;
        for (int i = 0; i < 100000; ++i) chaine << QStringLiteral("{élèves.nom_élève} = \"a\"");
        QTest::newRow("chaîne de AND sans fin") << chaine.join(QStringLiteral(" AND "));
    }
    void formules_mal_ecrites_refusees() {
        QFETCH(QString, formule);
        try {
            formule::analyser(formule);
            Base base(classe_type());
            nombre(formule, base);
            QFAIL("formule acceptée");
        } catch (const Erreur& e) {
            QCOMPARE(e.numero, 3075);
            QVERIFY(!e.texte.isEmpty());
        }
    }

    // "3,5" typed in a formula is three and a half, as a French user writes it; in the statement
    // dialect, where commas separate the items of lists, it is refused rather than read as 3.
    // Between quotes it is a text in both.
    void virgule_decimale() {
        Base base(classe_type());
        const QString age = QStringLiteral("âge({élèves.date_naissance_élève}) >= ");
        QCOMPARE(nombre(age + "11,5", base), 1);  // the pupil of 12, not the one of 11
        QCOMPARE(nombre(age + "11", base), 2);
        QCOMPARE(formule::canonique(formule::analyser("{élèves.nom_élève} = \"3,5\"")),
                 QString("({élèves.nom_élève} = \"3,5\")"));
        QCOMPARE(db::dialecte::critere("nom_élève = \"3,5\""), QString("\"nom_élève\" = '3,5'"));
        try {
            db::dialecte::critere("note = 3,5");
            QFAIL("critère accepté");
        } catch (const Erreur& e) {
            QCOMPARE(e.numero, 3077);
        }
    }

    void champs_et_tables_inconnus_refuses() {
        Base base(classe_type());
        for (const QString& f : {QStringLiteral("{élèves.inexistant} = \"a\""),
                                 QStringLiteral("{familles.nom_responsable_légal} = \"a\""),
                                 QStringLiteral("{\"élèves\".nom} = \"a\"")}) {
            bool refuse = false;
            try { nombre(f, base); } catch (const Erreur& e) { refuse = e.numero == 3075; }
            QVERIFY2(refuse, qPrintable(f));
        }
    }

    void familles_choisies_par_leurs_enfants() {
        Base base(classe_type());
        QCOMPARE(nombre({}, base, QStringLiteral("familles")), 2);
        // Only family 000001 has a pupil in cycle 3; joining must not repeat it for two pupils.
        QCOMPARE(nombre(QStringLiteral("{élèves.cycle_classe_élève} = \"3\""), base, QStringLiteral("familles")), 1);
        QCOMPARE(nombre(QStringLiteral("{élèves.ainé} = True AND {familles.communication_données} = \"oui\""), base,
                        QStringLiteral("élèves_familles")), 1);
        // A pupil without a family stays in the joined source.
        QCOMPARE(nombre(QStringLiteral("{élèves.cycle_classe_élève} = \"3\""), base, QStringLiteral("élèves_familles")), 2);
    }

    void statistique_compte_et_pourcentages() {
        Base base(classe_type());
        const DocumentRendu doc = rendre(QStringLiteral(
            "[rapport]\ngroupe = {élèves.sexe_élève}\n"
            "[entête_colonnes]\nligne = [60 cadre] Sexe | [30 cadre] Nombre | [30 cadre] %\n"
            "[pied_groupe]\nligne = [60 cadre] {=groupe} | [30 cadre] {=nombre} | [30 cadre] {=pourcentage} %\n"
            "[fin_rapport]\nligne = [60 cadre] Total | [30 cadre] {=nombre} | [30 cadre] {=pourcentage} %\n"), base);
        QCOMPARE(doc.pages.size(), 1);
        QCOMPARE(textes(doc.pages[0]), (QStringList{"Sexe | Nombre | %", "F | 3 | 75,0 %", "M | 1 | 25,0 %",
                                                    "Total | 4 | 100,0 %"}));
        // The same under a selection: the shares are of the selected pupils.
        const DocumentRendu cp = rendre(QStringLiteral("[rapport]\ngroupe = {élèves.cycle_classe_élève}\n"
                                                       "[pied_groupe]\nligne = {=groupe} {=nombre} {=pourcentage}\n"),
                                        base, QStringLiteral("{élèves.sexe_élève} = \"F\""));
        QCOMPARE(textes(cp.pages[0]), (QStringList{"2 2 66,7", "3 1 33,3"}));
    }

    void groupes_tries_en_francais_avec_saut_de_page() {
        Base base(classe_type());
        const DocumentRendu doc = rendre(QStringLiteral(
            "[rapport]\ngroupe = {élèves.référence_classe_élève} décroissant\ntri = {élèves.nom_élève}\nsaut_page = groupe\n"
            "[entête_page]\nligne = Classes\n"
            "[entête_groupe]\nligne = Classe {=groupe}\n"
            "[entête_colonnes]\nligne = [10] N° | Nom\n"
            "[détail]\nligne = [10] {=n} | {élèves.nom_élève}\n"
            "[pied_groupe]\nligne = Effectif {=nombre}\n"
            "[pied_page]\nligne = Page {=page} / {=pages}\n"), base);
        QCOMPARE(doc.pages.size(), 2);
        // "Émile" sorts with the E's, after "D..."; the numbering restarts in each group.
        QCOMPARE(textes(doc.pages[0]), (QStringList{"Classes", "Classe C2", "N° | Nom", "1 | D\"Artagnan", "2 | Émile",
                                                    "Effectif 2", "Page 1 / 2"}));
        QCOMPARE(textes(doc.pages[1]), (QStringList{"Classes", "Classe C1", "N° | Nom", "1 | Dupré", "2 | Martin",
                                                    "Effectif 2", "Page 2 / 2"}));
    }

    // A class typed three ways is one class: one heading in its most frequent spelling, one
    // count, its pupils in one alphabetical run; the list sorts as the window does.
    void saisies_differentes_d_une_valeur_forment_un_groupe() {
        QVector<Eleve> eleves;
        const QVector<std::pair<QString, QString>> saisies = {
            {"Zola", "CL05"}, {"Martin", "cl05"}, {"Abel", "CL05"}, {"Petit", "CL04"}, {"Bernard", "cl05"},
            {"Durand", "CL05"}, {"de la Tour", "Cl05"}, {"Delacroix", "CL05"}, {"DUPONT", "CL05"},
            {"dupont", "CL05"}, {"Émile", "CL05"}, {"Eric", "CL05"}};
        for (int i = 0; i < saisies.size(); ++i)
            eleves.append({QString::asprintf("%06d", i + 1), saisies[i].first, "P", "F", saisies[i].second, "CP", "2", "", {}, false});
        Base base(eleves);
        const DocumentRendu doc = rendre(QStringLiteral(
            "[rapport]\ngroupe = {élèves.référence_classe_élève}\ntri = {élèves.nom_élève}\n"
            "[entête_groupe]\nligne = Classe {=groupe}\n[détail]\nligne = {=n} {élèves.nom_élève}\n"
            "[pied_groupe]\nligne = Effectif {=nombre}\n"), base);
        QCOMPARE(textes(doc.pages[0]), (QStringList{
            "Classe CL04", "1 Petit", "Effectif 1", "Classe CL05", "1 Abel", "2 Bernard", "3 de la Tour", "4 Delacroix",
            "5 dupont", "6 DUPONT", "7 Durand", "8 Émile", "9 Eric", "10 Martin", "11 Zola", "Effectif 11"}));

        auto b = db::BaseDonnees::ouvrir(base.chemin);
        db::JeuEnregistrements fenetre(b, "SELECT nom_élève FROM élèves ORDER BY nom_élève");
        QStringList ordreFenetre;
        for (int i = 0; i < fenetre.RecordCount(); ++i) ordreFenetre << fenetre.valeurLigne(i, 0).toString();
        const DocumentRendu liste = rendre(QStringLiteral("[rapport]\ntri = {élèves.nom_élève}\n[détail]\nligne = {élèves.nom_élève}\n"), base);
        QCOMPARE(textes(liste.pages[0]), ordreFenetre);
    }

    // Levels come in school order, whatever their case, others after them; an empty value is
    // counted as "non renseigné".
    void niveaux_dans_l_ordre_de_l_ecole() {
        QVector<Eleve> eleves;
        const QStringList niveaux = {"CM2", "PS", "ULIS", "TPS", "cp", "GS", "", "CE1", "MS", "CE2", "CM1", "ps", "PS"};
        for (int i = 0; i < niveaux.size(); ++i)
            eleves.append({QString::asprintf("%06d", i + 1), "N", "P", "F", "C1", niveaux[i], "2", "", {}, false});
        Base base(eleves);
        const DocumentRendu doc = rendre(QStringLiteral(
            "[rapport]\ngroupe = {élèves.niveau_classe_élève}\n[pied_groupe]\nligne = {=groupe} {=nombre}\n"), base);
        QCOMPARE(textes(doc.pages[0]), (QStringList{"non renseigné 1", "TPS 1", "PS 3", "MS 1", "GS 1", "cp 1", "CE1 1",
                                                    "CE2 1", "CM1 1", "CM2 1", "ULIS 1"}));
    }

    // Lines break between words or after a hyphen, never inside a word or a number.
    void coupure_entre_les_mots() {
        const Style s;
        QCOMPARE(mesure::couper(QStringLiteral("100"), s, 2), QStringList{QStringLiteral("100")});
        const QStringList ville = mesure::couper(QStringLiteral("Villefranche-sur-Saône"), s, 25);
        QVERIFY(ville.size() > 1);
        QCOMPARE(ville.join(QString()), QStringLiteral("Villefranche-sur-Saône"));
        for (const QString& l : ville.mid(0, ville.size() - 1)) QVERIFY2(l.endsWith('-'), qPrintable(l));
        const QStringList nom = mesure::couper(QStringLiteral("Marie-Claire de la Fontaine"), s, 30);
        QCOMPARE(nom.join(' ').replace(QStringLiteral("- "), QStringLiteral("-")), QStringLiteral("Marie-Claire de la Fontaine"));
        for (const QString& l : nom) QVERIFY2(mesure::largeur(l, s) <= 30 || !l.contains(' '), qPrintable(l));
    }

    void longue_liste_repete_les_intitules_et_ne_deborde_pas() {
        QVector<Eleve> eleves;
        for (int i = 0; i < 150; ++i)
            eleves.append({QString::asprintf("%06d", i + 1), QStringLiteral("Nom%1").arg(i, 3, 10, QChar('0')), "P", "F", "C1", "CP", "2", "", {}, false});
        Base base(eleves);
        const DocumentRendu doc = rendre(QStringLiteral(
            "[rapport]\ntri = {élèves.nom_élève}\n[entête_colonnes]\nligne = [cadre] Nom\n"
            "[détail]\nligne = [cadre] {élèves.nom_élève}\n[pied_page]\nligne = Page {=page}\n"), base);
        QVERIFY(doc.pages.size() > 2);
        int lignes = 0;
        for (const Page& p : doc.pages) {
            const QStringList t = textes(p);
            QCOMPARE(t.first(), QStringLiteral("Nom"));
            lignes += t.size() - 2;
            for (const BandeRendue& b : p.bandes) QVERIFY(b.y + b.hauteur <= doc.hauteur - doc.marges[2] + 0.01);
        }
        QCOMPARE(lignes, 150);
    }

    // A class running onto a second page is named again there, marked as continued, above
    // its column headings; in the preview and in the rich-text file alike.
    void classe_longue_reprise_en_haut_de_page() {
        QVector<Eleve> eleves;
        for (int i = 0; i < 70; ++i)
            eleves.append({QString::asprintf("%06d", i + 1), QStringLiteral("Nom%1").arg(i, 3, 10, QChar('0')), "P", "F",
                           i < 3 ? "CL03" : "CL04", "CP", "2", "", {}, false});
        Base base(eleves);
        const QString modele = QStringLiteral(
            "[rapport]\ngroupe = {élèves.référence_classe_élève}\ntri = {élèves.nom_élève}\n"
            "[entête_page]\nligne = Liste des classes\n[entête_groupe]\nespace = 3\nligne = [gras 13pt] Classe {=groupe}\n"
            "[entête_colonnes]\nligne = [40 cadre] Nom | [40 cadre] Prénom\n"
            "[détail]\nligne = [40 cadre] {élèves.nom_élève} | [40 cadre] {élèves.prénom_élève}\n"
            "[pied_groupe]\nligne = Effectif : {=nombre}\n");
        const DocumentRendu doc = rendre(modele, base);
        QCOMPARE(doc.pages.size(), 2);
        const QStringList p1 = textes(doc.pages[0]), p2 = textes(doc.pages[1]);
        QCOMPARE(p2.mid(0, 3), (QStringList{"Liste des classes", "Classe CL04 (suite)", "Nom | Prénom"}));
        QCOMPARE(p1.count(QStringLiteral("Classe CL04")), 1);
        QVERIFY(!p1.join('\n').contains(QStringLiteral("suite")));
        QCOMPARE(p2.last(), QStringLiteral("Effectif : 67"));
        const QRegularExpression eleve(QStringLiteral("^Nom\\d+ \\| P$"));
        QCOMPARE(p1.filter(eleve).size() + p2.filter(eleve).size(), 70);

        auto& cr = CrystalReport1();
        reinitialiser(cr);
        cr.setDataFiles(0, base.chemin);
        cr.setReportFileName(base.fichier(QStringLiteral("classes.rpt"), modele));
        cr.setDestination(destination::Fichier);
        cr.setPrintFileType(type_fichier::TexteEnrichi);
        const QString sortie = QDir(base.dossier.path()).filePath(QStringLiteral("classes.RTF"));
        cr.setPrintFileName(sortie);
        QCOMPARE(cr.PrintReport(), 0);
        reinitialiser(cr);
        const QString texte = lancer(QStringLiteral("unrtf"), {QStringLiteral("--text"), sortie}, true);
        const int suite = texte.indexOf(QStringLiteral("Classe CL04 (suite)"));
        QVERIFY2(suite > texte.indexOf(QStringLiteral("Classe CL04")), qPrintable(texte));
        const int colonnes = texte.indexOf(QStringLiteral("Prénom"), suite);
        QVERIFY(colonnes > suite && colonnes < texte.indexOf(QRegularExpression(QStringLiteral("Nom\\d")), suite));
        QCOMPARE(texte.count(QStringLiteral("Prénom")), 3);
    }

    // A heading wider than its column goes onto two lines between its words, set smaller when
    // a word alone is wider than the column; the rows below keep their size.
    void intitules_sur_deux_lignes_entre_les_mots() {
        Base base(classe_type());
        const QStringList intitules{QStringLiteral("Établissement d'accueil"), QStringLiteral("Téléphone portable"),
                                    QStringLiteral("E-mail responsable"), QStringLiteral("Nom")};
        const DocumentRendu doc = rendre(QStringLiteral(
            "[rapport]\n[entête_colonnes]\nligne = [22 cadre gras] %1 | [22 cadre gras] %2 | [22 cadre gras] %3 | [40 cadre gras] %4\n"
            "[détail]\nligne = [22 cadre] {élèves.nom_élève} | [22 cadre] x | [22 cadre] y | [40 cadre] {élèves.prénom_élève}\n")
                                             .arg(intitules[0], intitules[1], intitules[2], intitules[3]), base);
        const BandeRendue& tete = doc.pages[0].bandes[0];
        for (int i = 0; i < intitules.size(); ++i) {
            const CelluleRendue& c = tete.cellules[i];
            QStringList lignes;
            for (const LigneTexte& l : c.lignes) {
                lignes << l.texte;
                QVERIFY2(mesure::largeur(l.texte, l.style) <= c.largeur - 2 * c.marge + 1e-6, qPrintable(l.texte));
                QVERIFY(l.style.taille >= 7);
            }
            QVERIFY2(lignes.size() <= 2, qPrintable(lignes.join('/')));
            QCOMPARE(lignes.join(' '), intitules[i]);
        }
        QCOMPARE(tete.cellules[0].lignes.size(), 2);
        QCOMPARE(tete.cellules[3].lignes.first().style.taille, 10.0);
        QCOMPARE(doc.pages[0].bandes[1].cellules[0].lignes.first().style.taille, 10.0);
        QVERIFY(tete.hauteur > doc.pages[0].bandes[1].hauteur * 1.5);
    }

    // Room a column does not use goes to a column whose values are wider than it; the headings
    // stay over their values, the total width is kept and an empty grid column keeps its width.
    void colonnes_a_la_mesure_de_leurs_valeurs() {
        QVector<Eleve> eleves = classe_type();
        eleves[0].nom = QStringLiteral("de La Tour d'Auvergne-Lauraguais");
        Base base(eleves);
        const DocumentRendu doc = rendre(QStringLiteral(
            "[rapport]\n[entête_colonnes]\nligne = [60 cadre] Matricule | [30 cadre] Nom | [20 cadre] Visa\n"
            "[détail]\nligne = [60 cadre] {élèves.matricule} | [30 cadre] {élèves.nom_élève} | [20 cadre] {élèves.lieu_naissance_élève}\n"), base);
        const auto& bandes = doc.pages[0].bandes;
        QCOMPARE(bandes.size(), 5);
        for (const BandeRendue& b : bandes) {
            QCOMPARE(b.cellules.size(), 3);
            for (int j = 0; j < 3; ++j) {
                QCOMPARE(b.cellules[j].x, bandes[0].cellules[j].x);
                QCOMPARE(b.cellules[j].largeur, bandes[0].cellules[j].largeur);
                QCOMPARE(b.cellules[j].lignes.size(), 1);
            }
        }
        const auto& c = bandes[0].cellules;
        QVERIFY(qAbs(c[0].largeur + c[1].largeur + c[2].largeur - 110) < 1e-6);
        QVERIFY(c[0].largeur < 60 && c[0].largeur > mesure::largeur(QStringLiteral("Matricule"), Style{}));
        QVERIFY(c[1].largeur > 30);
        QCOMPARE(c[2].largeur, 20.0);
    }

    void document_blocs_et_formules() {
        Base base(classe_type());
        auto b = db::BaseDonnees::ouvrir(base.chemin);
        b->requete(QStringLiteral("INSERT INTO documents (\"intitulé_bouton\") VALUES ('Certificat')"));
        const QString modele = QStringLiteral(
            "[rapport]\nsource = documents\n[détail]\n"
            "si {@date_contrôlée}\nligne = [droite] {@date_contrôlée}\nfinsi\n"
            "ligne = [gras] {@titre_document}\nligne = {@paragraphe1}\nligne = {@paragraphe2}\nligne = Fin\n");
        const Formules f{{"date_contrôlée", ""}, {"titre_document", "Certificat de scolarité"},
                         {"paragraphe1", "Première ligne\nDeuxième ligne"}};
        const DocumentRendu doc = rendre(modele, base, QStringLiteral("{documents.intitulé_bouton} = \"Certificat\""), f);
        // The switched-off date and the empty paragraph take no line; line breaks are kept.
        QCOMPARE(textes(doc.pages[0]), (QStringList{"Certificat de scolarité", "Première ligne Deuxième ligne", "Fin"}));
        QCOMPARE(doc.pages[0].bandes[1].cellules[0].lignes.size(), 2);
        const DocumentRendu avecDate = rendre(modele, base, QStringLiteral("{documents.intitulé_bouton} = \"Certificat\""),
                                              {{"date_contrôlée", "VILLE, 01/09/2025"}});
        QCOMPARE(textes(avecDate.pages[0]).first(), QStringLiteral("VILLE, 01/09/2025"));
        QVERIFY(rendre(modele, base, QStringLiteral("{documents.intitulé_bouton} = \"Autre\""), f).pages[0].bandes.isEmpty());
    }

    void planche_etiquettes_3x8() {
        QVector<Eleve> eleves;
        for (int i = 0; i < 25; ++i)
            eleves.append({QString::asprintf("%06d", i + 1), QStringLiteral("N%1").arg(i, 2, 10, QChar('0')), "Prénom", "F", "C1", "CP", "2", "", {}, false});
        Base base(eleves);
        const DocumentRendu doc = rendre(QStringLiteral(
            "[rapport]\nétiquettes = 3 x 8\nmarges = 0\ntri = {élèves.nom_élève}\n"
            "[détail]\nligne = [gras] {élèves.nom_élève} | {élèves.prénom_élève}\nligne = Classe {élèves.référence_classe_élève}\n"), base);
        QCOMPARE(doc.pages.size(), 2);
        QCOMPARE(doc.pages[0].bandes.size(), 8);
        const BandeRendue& rang2 = doc.pages[0].bandes[1];
        QCOMPARE(rang2.cellules.size(), 3);
        // Label 5 (N04) is the second of the second row: 70 mm across, 297/8 mm down.
        QVERIFY(qAbs(rang2.cellules[1].x - 70.0) < 0.01);
        QVERIFY(qAbs(rang2.y - 297.0 / 8) < 0.01);
        QCOMPARE(rang2.cellules[1].lignes[0].texte, QStringLiteral("N04 Prénom"));
        QVERIFY(rang2.cellules[1].lignes[0].style.gras);
        QCOMPARE(rang2.cellules[1].lignes[1].texte, QStringLiteral("Classe C1"));
        QCOMPARE(doc.pages[1].bandes.size(), 1);
        // A partly filled row keeps its empty places, each where a label would be.
        const BandeRendue& derniere = doc.pages[1].bandes[0];
        QCOMPARE(derniere.cellules.size(), 3);
        QCOMPARE(derniere.cellules[0].lignes[0].texte, QStringLiteral("N24 Prénom"));
        QVERIFY(derniere.cellules[1].lignes.isEmpty() && derniere.cellules[2].lignes.isEmpty());
        QVERIFY(qAbs(derniere.cellules[2].x - 140.0) < 0.01);
    }

    // An address too long for its label is set smaller, then cut, never losing its last line
    // (postcode and town); the labels so shortened are counted. Empty values leave no double blank.
    void etiquette_trop_longue_garde_sa_derniere_ligne() {
        const QString longue = QStringLiteral("Résidence des Mille Étangs bâtiment C escalier 4 porte 12 ").repeated(3);
        QVector<Eleve> eleves = {
            {"000001", "Court", "Rue Haute", "F", "69530", "", "2", "", {}, false},
            {"000002", "Moyen", "Allée des Tilleuls prolongée au-delà du rond-point de la gare", "F", "69530", "", "2", "", {}, false},
            {"000003", "Long", longue, "F", "69530", "", "2", "", {}, false},
            {"000004", "Déraisonnable", longue.repeated(6), "F", "69530", "", "2", "", {}, false}};
        Base base(eleves);
        const DocumentRendu doc = rendre(QStringLiteral(
            "[rapport]\nétiquettes = 3 x 8\nmarges = 0\ntri = {élèves.matricule}\n"
            "[détail]\nligne = [gras] {élèves.nom_élève} {élèves.niveau_classe_élève} {élèves.sexe_élève}\n"
            "ligne = {élèves.prénom_élève}\nligne = {élèves.prénom_élève}\n"
            "ligne = [gras] {élèves.référence_classe_élève} BRIGNAIS\n"), base);
        QCOMPARE(doc.etiquettesRaccourcies, 2);
        const double place = 297.0 / 8 - 6;
        const QVector<CelluleRendue>& cellules = doc.pages[0].bandes[0].cellules;
        QCOMPARE(cellules.size(), 3);
        QCOMPARE(cellules[0].lignes.first().texte, QStringLiteral("Court F"));
        int etiquettes = 0;
        for (const CelluleRendue& c : cellules + doc.pages[0].bandes[1].cellules) {
            if (c.lignes.isEmpty()) continue;  // the empty places of the last row
            ++etiquettes;
            double h = 0;
            for (const LigneTexte& l : c.lignes) { h += l.hauteur; QVERIFY(l.style.taille >= 7); }
            QVERIFY2(h <= place + 1e-6, qPrintable(c.lignes.first().texte));
            QCOMPARE(c.lignes.last().texte, QStringLiteral("69530 BRIGNAIS"));
        }
        QCOMPARE(etiquettes, 4);
        QCOMPARE(cellules[2].lignes.first().style.taille < 10, true);
        QVERIFY(doc.pages[0].bandes[1].cellules[0].lignes[1].texte.endsWith(QChar(0x2026)));
    }

    void modeles_mal_ecrits_refuses_avec_la_ligne_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("ligne");
        QTest::newRow("sans [rapport]") << "[détail]\nligne = a\n" << "ligne 1";
        QTest::newRow("section inconnue") << "[rapport]\n[corps]\n" << "ligne 2";
        QTest::newRow("réglage inconnu") << "[rapport]\ncouleur = rouge\n" << "ligne 2";
        QTest::newRow("source inconnue") << "[rapport]\nsource = classes\n" << "ligne 2";
        QTest::newRow("si sans finsi") << "[rapport]\n[détail]\nsi {@a}\nligne = x\n" << "ligne 3";
        QTest::newRow("finsi seul") << "[rapport]\n[détail]\nfinsi\n" << "ligne 3";
        QTest::newRow("attribut inconnu") << "[rapport]\n[détail]\nligne = [souligné] x\n" << "ligne 3";
        QTest::newRow("condition") << "[rapport]\ncondition = {élèves.a} = \"x\n" << "ligne 2";
        QTest::newRow("étiquettes") << "[rapport]\nétiquettes = 3 par 8\n" << "ligne 2";
    }
    void modeles_mal_ecrits_refuses_avec_la_ligne() {
        QFETCH(QString, texte);
        QFETCH(QString, ligne);
        try {
            analyser_modele(texte, QStringLiteral("x.rpt"));
            QFAIL("modèle accepté");
        } catch (const Erreur& e) {
            QVERIFY2(e.texte.contains(ligne), qPrintable(e.texte));
        }
    }

    void rtf_relu_par_unrtf() {
        Base base(classe_type());
        auto& cr = CrystalReport1();
        reinitialiser(cr);
        cr.setDataFiles(0, base.chemin);
        cr.setReportFileName(base.fichier(QStringLiteral("liste.rpt"), QStringLiteral(
            "[rapport]\ntri = {élèves.nom_élève}\n[entête_page]\nligne = Liste des élèves\n"
            "[détail]\nligne = [40 cadre] {élèves.nom_élève} | [40 cadre] {élèves.prénom_élève} | [30] {élèves.matricule}\n")));
        cr.setDestination(destination::Fichier);
        cr.setPrintFileType(type_fichier::TexteEnrichi);
        const QString sortie = QDir(base.dossier.path()).filePath(QStringLiteral("liste.RTF"));
        cr.setPrintFileName(sortie);
        QCOMPARE(cr.PrintReport(), 0);
        const QByteArray brut = [&] { QFile f(sortie); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        QVERIFY(brut.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        QVERIFY(brut.contains("Dupr\\'e9"));
        const QString texte = lancer(QStringLiteral("unrtf"), {QStringLiteral("--text"), sortie}, true);
        for (const char* attendu : {"Dupré", "Élodie", "Émile", "Zoé", "Noé", "D\"Artagnan", "000004", "Liste des élèves"})
            QVERIFY2(texte.contains(QString::fromUtf8(attendu)), qPrintable(texte));
        QVERIFY(texte.indexOf(QStringLiteral("Dupré")) < texte.indexOf(QStringLiteral("Émile")));
        QCOMPARE(rtf_echappe(QStringLiteral("{a\\b} œ € Ω")), QByteArray("\\{a\\\\b\\} \\'9c \\'80 \\u937?"));
    }

    // Read back by another program; a date column whose first record has no date still holds
    // date cells, the records being written as they are read.
    void xls_relu_par_xlrd() {
        QVector<Eleve> eleves = classe_type();
        eleves.prepend({"000000", "Sansdate", "Léo", "M", "C1", "CP", "2", "", {}, false});
        Base base(eleves);
        auto& cr = CrystalReport1();
        reinitialiser(cr);
        cr.setDataFiles(0, base.chemin);
        cr.setReportFileName(base.fichier(QStringLiteral("export.rpt"), QStringLiteral(
            "[rapport]\ntitre = Élèves\ntri = {élèves.matricule}\n"
            "[entête_colonnes]\nligne = Matricule | Nom | Prénom | Né(e) le\n"
            "[détail]\nligne = {élèves.matricule} | {élèves.nom_élève} | {élèves.prénom_élève} | {élèves.date_naissance_élève}\n")));
        cr.setDestination(destination::Fichier);
        cr.setPrintFileType(type_fichier::Tableur);
        const QString sortie = QDir(base.dossier.path()).filePath(QStringLiteral("export.XLS"));
        cr.setPrintFileName(sortie);
        QCOMPARE(cr.PrintReport(), 0);
        const QString script = QStringLiteral(
            "import sys, xlrd\n"
            "b = xlrd.open_workbook(sys.argv[1])\n"
            "s = b.sheet_by_index(0)\n"
            "print(s.name)\n"
            "def texte(c):\n"
            "    if c.ctype != xlrd.XL_CELL_DATE: return str(c.value)\n"
            "    t = xlrd.xldate_as_tuple(c.value, b.datemode)\n"
            "    return 'date %02d/%02d/%04d' % (t[2], t[1], t[0])\n"
            "for r in range(s.nrows):\n"
            "    print('|'.join(texte(s.cell(r, c)) for c in range(s.ncols)))\n");
        const QString sortieLue = lancer(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, sortie});
        const QStringList lignes = sortieLue.trimmed().split('\n');
        QCOMPARE(lignes.size(), 7);
        QCOMPARE(lignes[0], QStringLiteral("Élèves"));
        QCOMPARE(lignes[1], QStringLiteral("Matricule|Nom|Prénom|Né(e) le"));
        QCOMPARE(lignes[2], QStringLiteral("000000|Sansdate|Léo|"));
        QCOMPARE(lignes[3], QStringLiteral("000001|Dupré|Élodie|date ") + ne_il_y_a(6, 10).toString(QStringLiteral("dd/MM/yyyy")));
        QCOMPARE(lignes[5].section('|', 0, 2), QStringLiteral("000003|D\"Artagnan|Noé"));
    }

    // More records than a workbook holds is refused before any record is read, with the count.
    // A report written to a file is read, laid out and written away from the windows, which
    // keep answering meanwhile; the file is byte for byte the one laid out on the windows' thread.
    void fichier_ecrit_hors_des_fenetres() {
        QVector<Eleve> eleves;
        for (int i = 1; i <= 300; ++i)
            eleves.append({QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')), QStringLiteral("Élève %1").arg(i % 97),
                           QStringLiteral("Zoé"), "F", QStringLiteral("C%1").arg(i % 7), "CP", "2", "000001", ne_il_y_a(7, i), false});
        Base base(eleves);
        const QString modele = base.fichier(QStringLiteral("liste.rpt"), QStringLiteral(
            "[rapport]\ntri = {élèves.référence_classe_élève}, {élèves.nom_élève}\n[entête_page]\nligne = Liste des élèves\n"
            "[détail]\nligne = [40 cadre] {élèves.nom_élève} | [40 cadre] {élèves.prénom_élève} | [30] {élèves.date_naissance_élève}\n"));
        const QDir dossier(base.dossier.path());
        test::HorsFenetres horsFenetres;
        auto& cr = CrystalReport1();
        for (int type : {type_fichier::TexteEnrichi, type_fichier::Tableur}) {
            reinitialiser(cr);
            cr.setDataFiles(0, base.chemin);
            cr.setReportFileName(modele);
            cr.setDestination(destination::Fichier);
            cr.setPrintFileType(type);
            const QString sortie = dossier.filePath(QStringLiteral("liste%1").arg(type));
            cr.setPrintFileName(sortie);
            QCOMPARE(cr.PrintReport(), 0);
            QVERIFY2(horsFenetres.verifie(), "fenêtres figées pendant l'écriture");
            if (type != type_fichier::TexteEnrichi) continue;
            const QString ici = dossier.filePath(QStringLiteral("ici.RTF"));
            const Modele m = lire_modele(modele);
            MiseEnPage mise(m, lire_donnees(m, base.chemin, {}, Jour), {}, Jour);
            QVERIFY(ecrire_texte_enrichi(mise, ici));
            QFile a(sortie), b(ici);
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QVERIFY(a.size() > 0);
            QVERIFY(a.readAll() == b.readAll());
        }
    }

    void xls_trop_de_lignes_refuse_avec_le_compte() {
        Base base({});
        {
            auto b = db::BaseDonnees::ouvrir(base.chemin);
            b->requete(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 65536) "
                                      "INSERT INTO \"élèves\" (matricule, \"nom_élève\") SELECT printf('%06d', i), 'Nom' FROM n"));
        }
        auto& cr = CrystalReport1();
        reinitialiser(cr);
        cr.setDataFiles(0, base.chemin);
        cr.setReportFileName(base.fichier(QStringLiteral("x.rpt"), QStringLiteral("[rapport]\n[détail]\nligne = {élèves.matricule}\n")));
        cr.setDestination(destination::Fichier);
        cr.setPrintFileType(type_fichier::Tableur);
        const QString sortie = QDir(base.dossier.path()).filePath(QStringLiteral("x.XLS"));
        cr.setPrintFileName(sortie);
        QVERIFY(cr.PrintReport() != 0);
        QVERIFY2(cr.derniereErreur().contains(QStringLiteral("65 536 lignes")), qPrintable(cr.derniereErreur()));
        QVERIFY2(cr.derniereErreur().contains(QLocale(QLocale::French).toString(65537)), qPrintable(cr.derniereErreur()));
        QVERIFY(!QFileInfo::exists(sortie));
        // One record fewer fits.
        db::BaseDonnees::ouvrir(base.chemin)->requete(QStringLiteral("DELETE FROM \"élèves\" WHERE matricule = '000001'"));
        QCOMPARE(cr.PrintReport(), 0);
    }

    void xls_grand_classeur_relu() {
        // Enough distinct strings for several continuation records and a multi-sector table.
        QVector<Eleve> eleves;
        for (int i = 0; i < 3000; ++i)
            eleves.append({QString::asprintf("%06d", i + 1), QStringLiteral("Nom é %1 ").arg(i) + QString(60, QChar(0x00E8)),
                           QStringLiteral("Prénom%1").arg(i), "F", "C1", "CP", "2", "", {}, false});
        Base base(eleves);
        auto& cr = CrystalReport1();
        reinitialiser(cr);
        cr.setDataFiles(0, base.chemin);
        cr.setReportFileName(base.fichier(QStringLiteral("gros.rpt"), QStringLiteral(
            "[rapport]\ntri = {élèves.matricule}\n[détail]\nligne = {élèves.matricule} | {élèves.nom_élève} | {élèves.prénom_élève}\n")));
        cr.setDestination(destination::Fichier);
        cr.setPrintFileType(type_fichier::Tableur);
        const QString sortie = QDir(base.dossier.path()).filePath(QStringLiteral("gros.XLS"));
        cr.setPrintFileName(sortie);
        QCOMPARE(cr.PrintReport(), 0);
        const QString script = QStringLiteral(
            "import sys, xlrd\n"
            "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
            "print(s.nrows, s.ncols)\n"
            "print('|'.join(s.row_values(0)))\n"
            "print('|'.join(s.row_values(2999)))\n"
            "print('|'.join(s.row_values(3000)))\n");
        const QStringList l = lancer(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, sortie}).trimmed().split('\n');
        QCOMPARE(l.value(0), QStringLiteral("3001 3"));
        // Without column headings, the field names head the columns.
        QCOMPARE(l.value(1), QStringLiteral("matricule|nom_élève|prénom_élève"));
        QCOMPARE(l.value(2), QStringLiteral("002999|Nom é 2998 ") + QString(60, QChar(0x00E8)) + QStringLiteral("|Prénom2998"));
        QCOMPARE(l.value(3), QStringLiteral("003000|Nom é 2999 ") + QString(60, QChar(0x00E8)) + QStringLiteral("|Prénom2999"));
    }

    void refus_sans_plantage() {
        Base base(classe_type());
        auto& cr = CrystalReport1();
        reinitialiser(cr);
        const QString modele = base.fichier(QStringLiteral("ok.rpt"), QStringLiteral("[rapport]\n[détail]\nligne = {élèves.nom_élève}\n"));
        const QString sortie = QDir(base.dossier.path()).filePath(QStringLiteral("sortie.RTF"));
        cr.setDataFiles(0, base.chemin);
        cr.setDestination(destination::Fichier);
        cr.setPrintFileType(type_fichier::TexteEnrichi);
        cr.setPrintFileName(sortie);

        cr.setReportFileName(QDir(base.dossier.path()).filePath(QStringLiteral("absent.rpt")));
        QCOMPARE(cr.PrintReport(), 53);
        QVERIFY(cr.derniereErreur().contains(QStringLiteral("absent.rpt")));

        cr.setReportFileName(modele);
        cr.setSelectionFormula(QStringLiteral("{élèves.nom_élève} = \"Dupré"));
        QVERIFY(cr.PrintReport() != 0);
        QVERIFY(!QFile::exists(sortie));

        cr.setSelectionFormula({});
        cr.setDataFiles(0, QDir(base.dossier.path()).filePath(QStringLiteral("absente.mdb")));
        QVERIFY(cr.PrintReport() != 0);
        cr.setDataFiles(0, base.chemin);

        cr.setPrintFileName(QDir(base.dossier.path()).filePath(QStringLiteral("pas/de/dossier/sortie.RTF")));
        QCOMPARE(cr.PrintReport(), 75);
        cr.setPrintFileName({});
        QVERIFY(cr.PrintReport() != 0);
        cr.setPrintFileName(sortie);
        cr.setPrintFileType(3);
        QVERIFY(cr.PrintReport() != 0);
        cr.setPrintFileType(type_fichier::TexteEnrichi);
        QCOMPARE(cr.PrintReport(), 0);
        QVERIFY(QFile::exists(sortie));

        // Run by action, a refusal reaches the caller's handler as an error.
        cr.setReportFileName(QDir(base.dossier.path()).filePath(QStringLiteral("absent.rpt")));
        bool leve = false;
        try { cr.setAction(1); } catch (const Erreur& e) { leve = e.numero == 53; }
        QVERIFY(leve);

        // With no printer, a PDF file is offered instead: Cancel prints nothing and is no
        // refusal; with one, the report really goes to it.
        cr.setReportFileName(modele);
        cr.setDestination(destination::Imprimante);
        cr.setCopiesToPrinter(1);
        if (QPrinterInfo::defaultPrinter().isNull()) {
            auto& boites = forms::installer_repondeur_scripte();
            boites.annulerSaisie();
            QCOMPARE(cr.PrintReport(), 0);
            QCOMPARE(boites.vues.size(), 1);
            QVERIFY(boites.derniere().saisie);
        } else {
            QCOMPARE(cr.PrintReport(), 0);
        }
    }

    void reglages_gardes_entre_deux_editions() {
        Base base(classe_type());
        auto& cr = CrystalReport1();
        reinitialiser(cr);
        const QString sortie = QDir(base.dossier.path()).filePath(QStringLiteral("a.RTF"));
        cr.setDataFiles(0, base.chemin);
        cr.setReportFileName(base.fichier(QStringLiteral("l.rpt"), QStringLiteral("[rapport]\n[détail]\nligne = {élèves.nom_élève}\n")));
        cr.setSelectionFormula(QStringLiteral("{élèves.sexe_élève} = \"M\""));
        cr.setFormulas(3, QStringLiteral("nom=\"valeur\""));
        cr.setDestination(destination::Fichier);
        cr.setPrintFileType(type_fichier::TexteEnrichi);
        cr.setPrintFileName(sortie);
        cr.setCopiesToPrinter(4);
        QCOMPARE(cr.PrintReport(), 0);
        QCOMPARE(cr.DataFiles(0), base.chemin);
        QCOMPARE(cr.SelectionFormula(), QStringLiteral("{élèves.sexe_élève} = \"M\""));
        QCOMPARE(cr.Formulas(3), QStringLiteral("nom=\"valeur\""));
        QCOMPARE(cr.Destination(), destination::Fichier);
        QCOMPARE(cr.PrintFileName(), sortie);
        QCOMPARE(cr.CopiesToPrinter(), 4);
        // A second run with nothing set again prints the same selection.
        QFile::remove(sortie);
        QCOMPARE(cr.PrintReport(), 0);
        const QString texte = lancer(QStringLiteral("unrtf"), {QStringLiteral("--text"), sortie}, true);
        QVERIFY(texte.contains(QStringLiteral("D\"Artagnan")));
        QVERIFY(!texte.contains(QStringLiteral("Dupré")));
    }

    void formules_nommees_du_document() {
        Base base(classe_type());
        auto b = db::BaseDonnees::ouvrir(base.chemin);
        b->requete(QStringLiteral("INSERT INTO documents (\"intitulé_bouton\") VALUES ('Lettre')"));
        auto& cr = CrystalReport1();
        reinitialiser(cr);
        cr.setDataFiles(0, base.chemin);
        cr.setReportFileName(base.fichier(QStringLiteral("d.rpt"), QStringLiteral(
            "[rapport]\nsource = documents\n[détail]\nligne = <{@nom_responsable_contrôlé}>\nligne = <{@titre_document}>\n")));
        // Both spellings the callers use: with and without a blank after "=", quotes inside kept.
        cr.setFormulas(1, QStringLiteral("nom_responsable_contrôlé=\"Madame Lea \"Dupré\"\""));
        cr.setFormulas(5, QStringLiteral("titre_document= \"Certificat\""));
        cr.setSelectionFormula(QStringLiteral("{documents.intitulé_bouton} = \"Lettre\""));
        cr.setDestination(destination::Fenetre);
        cr.setWindowState(2);
        QCOMPARE(cr.PrintReport(), 0);
        auto* f = qobject_cast<FenetreApercu*>(forms::Feuilles::siChargee(FenetreApercu::Nom));
        QVERIFY(f);
        QCOMPARE(textes(f->document().pages[0]), (QStringList{"<Madame Lea \"Dupré\">", "<Certificat>"}));
        QVERIFY(!f->findChild<QLabel*>(QStringLiteral("imagePage"))->pixmap().isNull());
    }

    // Closing a preview while its records are still read stops the reading at once: the thread
    // is told, ends and is waited for, no late error box comes from it, and unloading the window
    // during the work frees it the same way. The reading of the records itself gives up when told.
    void apercu_ferme_pendant_la_lecture_arrete_le_travail() {
        auto& boites = forms::installer_repondeur_scripte();
        boites.effacer();
        std::atomic<int> arretsVus = 0;
        const auto lecture_sans_fin = [&](const std::atomic<bool>& arret) -> std::unique_ptr<MiseEnPage> {
            while (!arret) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ++arretsVus;
            throw Erreur(3146, QStringLiteral("lecture abandonnée"));
        };
        auto& f = FenetreApercu::instance();
        f.montrer(QStringLiteral("Longue liste"), lecture_sans_fin);
        f.afficher();
        QTest::qWait(30);
        QVERIFY(f.enMiseEnPage());
        QElapsedTimer t;
        t.start();
        f.findChild<QPushButton*>(QStringLiteral("cmdFermer"))->click();
        QVERIFY2(t.elapsed() < 500, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(arretsVus.load(), 1);
        QVERIFY(!f.enMiseEnPage());
        QVERIFY(!f.estAffichee());
        QCOMPARE(f.cursor().shape(), Qt::ArrowCursor);
        QTest::qWait(50);
        QVERIFY(boites.vues.isEmpty());

        f.montrer(QStringLiteral("Longue liste"), lecture_sans_fin);
        f.afficher();
        f.decharger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!forms::Feuilles::estChargee(FenetreApercu::Nom));
        QCOMPARE(arretsVus.load(), 2);
        QTest::qWait(50);
        QVERIFY(boites.vues.isEmpty());

        QVector<Eleve> eleves;
        for (int i = 0; i < 50; ++i) eleves.append({QString::asprintf("%06d", i + 1), QStringLiteral("Nom%1").arg(i), "P", "F", "C1", "CP", "2", "", {}, false});
        Base base(eleves);
        const Modele m = analyser_modele(QStringLiteral("[rapport]\ntri = {élèves.nom_élève}\n[détail]\nligne = {élèves.nom_élève}\n"),
                                         QStringLiteral("l.rpt"));
        const std::atomic<bool> arret = true;
        QVERIFY_THROWS_EXCEPTION(Erreur, lire_donnees(m, base.chemin, {}, Jour, false, &arret));
        QCOMPARE(lire_donnees(m, base.chemin, {}, Jour).lignes.size(), 50);
    }

    // A long list is read and laid out while the window answers, its pages shown as they come;
    // the last page waits for the layout's end, and every page then tells
    // the page count. The same list written to ".RTF" page after page reads as it does whole.
    void longue_liste_apercue_puis_ecrite_page_apres_page() {
        QVector<Eleve> eleves;
        for (int i = 0; i < 400; ++i)
            eleves.append({QString::asprintf("%06d", i + 1), QStringLiteral("Nom%1").arg(i, 3, 10, QLatin1Char('0')), "P", "F",
                           "C1", "CP", "2", "", {}, false});
        Base base(eleves);
        const QString modele = QStringLiteral(
            "[rapport]\ntri = {élèves.nom_élève}\n[détail]\nligne = [10 cadre] {=n} | [60 cadre] {élèves.nom_élève}\n"
            "[pied_page]\nligne = Page {=page} / {=pages}\n");
        auto& cr = CrystalReport1();
        reinitialiser(cr);
        cr.setDataFiles(0, base.chemin);
        cr.setReportFileName(base.fichier(QStringLiteral("l.rpt"), modele));
        QCOMPARE(cr.PrintReport(), 0);
        auto& f = FenetreApercu::instance();
        auto* numero = f.findChild<QLabel*>(QStringLiteral("lblPage"));
        auto* derniere = f.findChild<QPushButton*>(QStringLiteral("cmdDernièrePage"));
        auto* premiere = f.findChild<QPushButton*>(QStringLiteral("cmdPremièrePage"));
        auto* suivante = f.findChild<QPushButton*>(QStringLiteral("cmdPageSuivante"));
        QVERIFY(f.enMiseEnPage());
        QCOMPARE(f.cursor().shape(), Qt::BusyCursor);
        QVERIFY2(numero->text() == QStringLiteral("Lecture des enregistrements…") ||
                     (numero->text().startsWith(QStringLiteral("Page 1 / ")) && numero->text().contains(QStringLiteral("en cours"))),
                 qPrintable(numero->text()));
        QVERIFY(!premiere->isEnabled());
        QTRY_VERIFY(suivante->isEnabled());
        suivante->click();
        QCOMPARE(f.pageCourante(), 1);
        derniere->click();
        QVERIFY(!derniere->isEnabled());
        for (int i = 0; i < 1000 && f.enMiseEnPage(); ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QVERIFY(!f.enMiseEnPage());
        const int n = f.document().pages.size();
        QVERIFY(n >= 8);
        QCOMPARE(f.pageCourante(), n - 1);
        QCOMPARE(numero->text(), QStringLiteral("Page %1 / %1").arg(n));
        QCOMPARE(f.cursor().shape(), Qt::ArrowCursor);
        QVERIFY(textes(f.document().pages[0]).contains(QStringLiteral("Page 1 / %1").arg(n)));
        QVERIFY(textes(f.document().pages[n - 1]).contains(QStringLiteral("Page %1 / %1").arg(n)));
        QVERIFY(!suivante->isEnabled());
        premiere->click();
        QCOMPARE(f.pageCourante(), 0);
        QCOMPARE(numero->text(), QStringLiteral("Page 1 / %1").arg(n));
        // The same with the keyboard, the focus in the preview.
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        suivante->setFocus();
        QTest::keyClick(suivante, Qt::Key_PageDown);
        QTest::keyClick(suivante, Qt::Key_PageDown);
        QCOMPARE(f.pageCourante(), 2);
        QTest::keyClick(suivante, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(f.pageCourante(), n - 1);
        QTest::keyClick(suivante, Qt::Key_PageUp);
        QCOMPARE(f.pageCourante(), n - 2);
        QTest::keyClick(suivante, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(f.pageCourante(), 0);

        // A new report while the previous one is still laid out replaces it.
        QCOMPARE(cr.PrintReport(), 0);
        QVERIFY(f.enMiseEnPage());
        QCOMPARE(cr.PrintReport(), 0);
        QCOMPARE(f.document().pages.size(), n);
        QVERIFY(!f.enMiseEnPage());

        cr.setDestination(destination::Fichier);
        cr.setPrintFileType(type_fichier::TexteEnrichi);
        const QString sortie = QDir(base.dossier.path()).filePath(QStringLiteral("liste.RTF"));
        cr.setPrintFileName(sortie);
        QCOMPARE(cr.PrintReport(), 0);
        QFile entier(QDir(base.dossier.path()).filePath(QStringLiteral("entier.rtf")));
        QVERIFY(entier.open(QIODevice::WriteOnly));
        entier.write(texte_enrichi(rendre(modele, base)));
        entier.close();
        const QString lu = lancer(QStringLiteral("unrtf"), {QStringLiteral("--text"), sortie}, true);
        QCOMPARE(lu.count(QStringLiteral(" / %1").arg(n)), n);
        const auto sansEntete = [](QString t) { return t.mid(t.indexOf(QStringLiteral("-----------------"))); };
        QCOMPARE(sansEntete(lu), sansEntete(lancer(QStringLiteral("unrtf"), {QStringLiteral("--text"), entier.fileName()}, true)));

        // The disk fills up halfway through the file: refused aloud, the file written before
        // kept whole, nothing left beside it.
        const QByteArray avant = [&] { QFile f(sortie); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        QVERIFY(avant.size() > 100000);
        const QStringList fichiers = QDir(base.dossier.path()).entryList(QDir::Files);
        struct rlimit limite;
        getrlimit(RLIMIT_FSIZE, &limite);
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit plein = limite;
        plein.rlim_cur = avant.size() / 2;
        setrlimit(RLIMIT_FSIZE, &plein);
        const int refus = cr.PrintReport();
        setrlimit(RLIMIT_FSIZE, &limite);
        QCOMPARE(refus, 75);
        QVERIFY(cr.derniereErreur().contains(QStringLiteral("liste.RTF")));
        QCOMPARE([&] { QFile f(sortie); f.open(QIODevice::ReadOnly); return f.readAll(); }(), avant);
        QCOMPARE(QDir(base.dossier.path()).entryList(QDir::Files), fichiers);
    }

    // The preview keeps its pages packed and unpacks the one it shows: every placed line, frame,
    // rule, style and alignment comes back as the layout made it, page count included.
    void apercu_rend_les_pages_telles_que_mises_en_page() {
        QVector<Eleve> eleves = classe_type();
        for (int i = 0; i < 120; ++i)
            eleves.append({QString::asprintf("%06d", i + 100), QStringLiteral("Nom%1 très long à couper").arg(i), "Prénom", "M",
                           i % 3 ? "CL02" : "CL01", "CE1", "2", "", {}, false});
        Base base(eleves);
        const QString modele = QStringLiteral(
            "[rapport]\ngroupe = {élèves.référence_classe_élève}\ntri = {élèves.nom_élève}\n"
            "[entête_page]\nligne = [italique] Liste | [droite italique] {=date}\ntrait\n"
            "[entête_groupe]\nespace = 3\nligne = [centre gras 13pt] Classe {=groupe}\n"
            "[entête_colonnes]\nligne = [15 cadre gras] N° | [30 cadre] Nom | [40 cadre droite] Prénom\n"
            "[détail]\nligne = [15 cadre] {=n} | [30 cadre] {élèves.nom_élève} | [40 cadre droite] {élèves.prénom_élève}\n"
            "[pied_page]\nligne = [centre] Page {=page} / {=pages}\n");
        auto& cr = CrystalReport1();
        reinitialiser(cr);
        cr.setDataFiles(0, base.chemin);
        cr.setReportFileName(base.fichier(QStringLiteral("p.rpt"), modele));
        QCOMPARE(cr.PrintReport(), 0);
        DocumentRendu vu = FenetreApercu::instance().document();
        const DocumentRendu fait = rendre(modele, base);
        QCOMPARE(vu.titre, QStringLiteral("p"));  // a template's title is its file's name
        vu.titre = fait.titre;
        QVERIFY(fait.pages.size() >= 3);
        QCOMPARE(vu.pages.size(), fait.pages.size());
        QCOMPARE(texte_enrichi(vu), texte_enrichi(fait));
    }

    // Window state 2 maximises the preview inside the main window's area; the zoom redraws
    // the page at its scale; printing from the preview without a printer is refused aloud.
    void apercu_maximise_dans_la_fenetre_principale() {
        forms::Feuilles::toutDecharger();
        QMainWindow principale;
        auto* zone = new QMdiArea;
        principale.setCentralWidget(zone);
        principale.resize(1000, 700);
        forms::Feuilles::definirZone(zone);
        principale.show();
        Base base(classe_type());
        auto& cr = CrystalReport1();
        reinitialiser(cr);
        cr.setDataFiles(0, base.chemin);
        cr.setReportFileName(base.fichier(QStringLiteral("m.rpt"), QStringLiteral("[rapport]\n[détail]\nligne = {élèves.nom_élève}\n")));
        cr.setDestination(destination::Fenetre);
        cr.setWindowState(2);
        QCOMPARE(cr.PrintReport(), 0);
        auto& f = FenetreApercu::instance();
        QVERIFY(f.sousFenetre());
        QCOMPARE(f.sousFenetre()->mdiArea(), zone);
        QVERIFY(f.sousFenetre()->isMaximized());
        QVERIFY(f.estAffichee());

        auto* zoom = f.findChild<QComboBox*>(QStringLiteral("cboZoom"));
        auto* image = f.findChild<QLabel*>(QStringLiteral("imagePage"));
        zoom->setCurrentIndex(zoom->findData(100));
        const int a100 = image->pixmap().width();
        zoom->setCurrentIndex(zoom->findData(200));
        QVERIFY(qAbs(image->pixmap().width() - 2 * a100) <= 2);

        // With no printer, "Imprimer" writes the pages to the PDF file the user names.
        if (QPrinterInfo::defaultPrinter().isNull()) {
            auto& boites = forms::installer_repondeur_scripte();
            QTemporaryDir dossier;
            boites.saisir(dossier.filePath(QStringLiteral("liste")));
            f.findChild<QPushButton*>(QStringLiteral("cmdImprimer"))->click();
            QCOMPARE(boites.vues.size(), 2);
            QVERIFY(boites.vues[0].saisie);
            QCOMPARE(boites.vues[0].titre, QStringLiteral("Impression en PDF"));
            QVERIFY(boites.vues[0].texte.startsWith(QStringLiteral("Aucune imprimante n'est installée")));
            const QString pdf = dossier.filePath(QStringLiteral("liste.pdf"));
            QCOMPARE(boites.vues[1].texte, QStringLiteral("Le document a été enregistré dans le fichier « %1 ».").arg(pdf));
            QCOMPARE(boites.vues[1].style, forms::styles::Information);
            QFile fichier(pdf);
            QVERIFY(fichier.open(QIODevice::ReadOnly));
            QVERIFY(fichier.read(5) == "%PDF-");
            if (!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
                QVERIFY(lancer(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(f.nombrePages()))));
        }
        forms::Feuilles::toutDecharger();
        forms::Feuilles::definirZone(nullptr);
    }

    void modeles_du_programme_sur_la_base_exemple() {
        // Every template shipped with the program runs on the demonstration database.
        const QDir dossier(QStringLiteral(CARNELIS_SOURCES) + QStringLiteral("/rapports"));
        const QStringList modeles = dossier.entryList({QStringLiteral("*.rpt")});
        QVERIFY(modeles.size() >= 32);
        QTemporaryDir sorties;
        auto& cr = CrystalReport1();
        for (const QString& nom : modeles) {
            reinitialiser(cr);
            cr.setDataFiles(0, test::chemin_exemple());
            cr.setReportFileName(dossier.filePath(nom));
            cr.setDestination(destination::Fichier);
            cr.setPrintFileType(nom == QStringLiteral("fiche_export.rpt") ? type_fichier::Tableur : type_fichier::TexteEnrichi);
            cr.setPrintFileName(QDir(sorties.path()).filePath(nom + QStringLiteral(".sortie")));
            QVERIFY2(cr.PrintReport() == 0, qPrintable(nom + " : " + cr.derniereErreur()));
        }
    }

    // A list of 10,000 pupils in the real class-list template reaches its ".RTF" whole: another
    // program reads every pupil in it, each once. (How fast is for the report benchmark.)
    void liste_de_10000_eleves_entiere() {
        QVector<Eleve> eleves;
        for (int i = 0; i < 10000; ++i)
            eleves.append({QString::asprintf("%06d", i + 1), QStringLiteral("Élève%1").arg((i * 7919) % 10000),
                           QStringLiteral("Prénom"), i % 2 ? "F" : "M", QStringLiteral("C%1").arg(i % 20), "CP", "2", "",
                           ne_il_y_a(6 + i % 5, i % 300), false});
        Base base(eleves);
        auto& cr = CrystalReport1();
        reinitialiser(cr);
        cr.setDataFiles(0, base.chemin);
        cr.setReportFileName(QStringLiteral(CARNELIS_SOURCES) + QStringLiteral("/rapports/liste_classes.rpt"));
        cr.setDestination(destination::Fichier);
        cr.setPrintFileType(type_fichier::TexteEnrichi);
        const QString sortie = QDir(base.dossier.path()).filePath(QStringLiteral("classes.RTF"));
        cr.setPrintFileName(sortie);
        QCOMPARE(cr.PrintReport(), 0);
        const QString texte = lancer(QStringLiteral("unrtf"), {QStringLiteral("--text"), sortie}, true);
        QSet<QString> lus;
        int fois = 0;
        for (auto it = QRegularExpression(QStringLiteral("Élève(\\d+)")).globalMatch(texte); it.hasNext(); ++fois)
            lus.insert(it.next().captured(1));
        QCOMPARE(lus.size(), 10000);
        QCOMPARE(fois, 10000);
    }
};

QTEST_MAIN(TestReport)
#include "test_report.moc"
