// The blank template and the demonstration database, read straight from the files.
#include "commun/base_test.h"

#include <QDate>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

namespace {

// A database file opened for the test; every query fails the test on an SQLite error.
class Fichier {
public:
    explicit Fichier(const QString& chemin, bool ecriture = false) {
        ok_ = sqlite3_open_v2(chemin.toUtf8().constData(), &b_,
                              ecriture ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
    }
    ~Fichier() { sqlite3_close(b_); }
    bool ok() const { return ok_; }

    QVector<QVariantList> lignes(const QString& sql) {
        QVector<QVariantList> r;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(b_, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
            erreur_ = QString::fromUtf8(sqlite3_errmsg(b_));
            return r;
        }
        while (sqlite3_step(st) == SQLITE_ROW) {
            QVariantList l;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                switch (sqlite3_column_type(st, i)) {
                case SQLITE_NULL: l << QVariant(); break;
                case SQLITE_INTEGER: l << QVariant(sqlite3_column_int64(st, i)); break;
                default: l << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
                }
            }
            r << l;
        }
        sqlite3_finalize(st);
        return r;
    }
    QVariant valeur(const QString& sql) {
        const auto r = lignes(sql);
        return r.isEmpty() ? QVariant() : r[0].value(0);
    }
    // Runs a write; true when SQLite accepted it.
    bool ecrire(const QString& sql) {
        char* m = nullptr;
        const bool ok = sqlite3_exec(b_, sql.toUtf8().constData(), nullptr, nullptr, &m) == SQLITE_OK;
        erreur_ = m ? QString::fromUtf8(m) : QString();
        sqlite3_free(m);
        return ok;
    }
    QString erreur() const { return erreur_; }

    struct Colonne {
        QString nom, type;
    };
    QVector<Colonne> colonnes(const QString& table) {
        QVector<Colonne> r;
        for (const auto& l : lignes(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
            r.push_back({l[1].toString(), l[2].toString().toUpper()});
        return r;
    }

private:
    sqlite3* b_ = nullptr;
    bool ok_ = false;
    QString erreur_;
};

// The tables and their fields as the windows use them, in the order of the windows.
// After each name: its limit in the window (n), or D a date, B a yes/no tick, M a multi-line
// text without limit, T a text whose width the windows leave open, <n a reference-list column
// whose values are copied into fields of at most n characters.
const QList<QPair<QString, QString>> tables_attendues = {
    {"élèves",
     "matricule:10 nom_élève:30 prénom_élève:30 référence_famille:T date_naissance_élève:D "
     "lieu_naissance_élève:50 sexe_élève:8 nationalité_élève:30 code_nationalité_élève:5 "
     "date_inscription_élève:D ainé:B chemin_photo:254 date_radiation_élève:D "
     "établissement_accueil:50 référence_classe_élève:5 niveau_classe_élève:10 "
     "cycle_classe_élève:1 cursus_allongé_élève:50 saisine_ccpe_élève:50 langue_vivante_élève:30 "
     "nom_contact1:30 prénom_contact1:30 téléphone_contact1:20 nom_contact2:30 prénom_contact2:30 "
     "téléphone_contact2:20 nom_contact3:30 prénom_contact3:30 téléphone_contact3:20 "
     "nom_contact4:30 prénom_contact4:30 téléphone_contact4:20 nom_contact5:30 prénom_contact5:30 "
     "téléphone_contact5:20 numéro_résidence:10 adresse_résidence:50 adresse2_résidence:50 "
     "code_postal_résidence:8 ville_résidence:50 téléphone1_résidence:20 téléphone2_résidence:20 "
     "vaccinations:50 allergies:50 contre_indications:50 observations_médicales:M "
     "participation_usep:20 restauration_scolaire:30 coopérative_scolaire:30 "
     "observations_générales:M champ_paramétable1:50 champ_paramétable2:50 champ_paramétable3:50 "
     "champ_paramétable4:50 champ_paramétable5:M champ_paramétable6:50 champ_paramétable7:50 "
     "champ_paramétable8:50 champ_paramétable9:M champ_paramétable10:M"},
    {"familles",
     "référence_famille:10 genre_responsable_légal:20 nom_responsable_légal:30 "
     "prénom_responsable_légal:30 profession_responsable_légal:50 csp_responsable_légal:2 "
     "employeur_responsable_légal:50 téléphone_professionnel1_responsable_légal:20 "
     "téléphone_professionnel2_responsable_légal:20 mail_responsable_légal:50 "
     "élection_comité_responsable_légal:3 numéro_responsable:10 adresse_responsable:50 "
     "adresse2_responsable:50 code_postal_responsable:8 ville_responsable:50 situation_familiale:50 "
     "genre_conjoint:20 nom_conjoint:30 prénom_conjoint:30 profession_conjoint:50 csp_conjoint:2 "
     "employeur_conjoint:50 téléphone_professionnel1_conjoint:20 téléphone_professionnel2_conjoint:20 "
     "mail_conjoint:50 élection_comité_conjoint:3 numéro_conjoint:10 adresse_conjoint:50 "
     "adresse2_conjoint:50 code_postal_conjoint:8 ville_conjoint:50 communication_données:3 "
     "société_assurance:50 police_assurance:30 observations_assurance:M médecin_traitant:50 "
     "adresse_médecin_traitant:50 ville_médecin_traitant:30 téléphone_médecin_traitant:20 "
     "hôpital_préférentiel:50 adresse_hôpital_préférentiel:50 ville_hôpital_préférentiel:30 "
     "téléphone_hôpital_préférentiel:20"},
    {"documents",
     "intitulé_bouton:30 affichage_date:B affichage_coordonnées_responsable_légal:B titre_document:50 "
     "destinataire_document:50 paragraphe1_document:254 affichage_coordonnées_directeur:B "
     "paragraphe2_document:254 affichage_coordonnées_élève:B paragraphe3_document:254 "
     "paragraphe4_document:254 paragraphe5_document:254 paragraphe6_document:254 "
     "politesse_document:254 affichage_signature_directeur:B post_scriptum:254"},
    {"paramètres",
     "intitulé_champ_paramétrable1:20 intitulé_champ_paramétrable2:20 intitulé_champ_paramétrable3:20 "
     "intitulé_champ_paramétrable4:20 intitulé_champ_paramétrable5:20 intitulé_champ_paramétrable6:20 "
     "intitulé_champ_paramétrable7:20 intitulé_champ_paramétrable8:20 intitulé_champ_paramétrable9:20 "
     "intitulé_champ_paramétrable10:20 infobulle_champ_paramétrable1:50 infobulle_champ_paramétrable2:50 "
     "infobulle_champ_paramétrable3:50 infobulle_champ_paramétrable4:50 infobulle_champ_paramétrable5:50 "
     "infobulle_champ_paramétrable6:50 infobulle_champ_paramétrable7:50 infobulle_champ_paramétrable8:50 "
     "infobulle_champ_paramétrable9:50 infobulle_champ_paramétrable10:50"},
    {"passe", "passe:10"},
    {"école",
     "nom_école:50 adresse_école:50 adresse2_école:50 numéro_école:10 code_postal_école:8 "
     "ville_école:50 téléphone_école:20 télécopie_école:20 mail_école:50 rne_école:20 "
     "genre_directeur_école:20 nom_directeur_école:30 prénom_directeur_école:30 "
     "politesse_directeur:30 titre_directeur:30"},
    {"inspection",
     "nom_inspection:50 adresse_inspection:50 adresse2_inspection:50 numéro_inspection:10 "
     "code_postal_inspection:8 ville_inspection:50 téléphone_inspection:20 télécopie_inspection:20 "
     "mail_inspection:50 rne_inspection:20 genre_inpecteur:20 nom_inspecteur:30 prénom_inspecteur:30 "
     "politesse_inspecteur:50 titre_inspecteur:50"},
    {"équipe",
     "genre_enseignant:20 nom_enseignant:30 prénom_enseignant:30 numéro_enseignant:10 "
     "adresse1_enseignant:50 adresse2_enseignant:50 code_postal_enseignant:8 ville_enseignant:50 "
     "téléphone1_enseignant:20 téléphone2_enseignant:20 mail_enseignant:50 "
     "référence_classe_enseignant:5 niveau_classe_enseignant:10 cycle_classe_enseignant:1"},
    {"adresses", "détails:<50"},
    {"assurances", "détails:<50"},
    {"csp", "code:<2 détails:T"},
    {"hôpitaux", "nom:<50 téléphone:<20 adresse:<50 ville:<30"},
    {"médecins", "nom:<50 téléphone:<20 adresse:<50 ville:<30"},
    {"langues_vivantes", "détails:<30"},
    {"nationalités", "détails:<30 code:<5"},
    {"sexe", "détails:<8"},
    {"villes", "code_postal:<8 détails:<50"},
    {"situations_familiales", "détails:<50"},
    {"niveaux", "code:<10 détails:T cycle:<1"},
    {"genres", "détails:<20"},
    {"assertions", "détails:<3"},
};

// The width a declared type allows: VARCHAR(n) gives n, TEXT no limit (-1), others 0.
int largeur(const QString& type) {
    static const QRegularExpression varchar(R"(^(VAR)?CHAR\((\d+)\)$)");
    const auto m = varchar.match(type);
    if (m.hasMatch()) return m.captured(2).toInt();
    return type == "TEXT" || type == "MEMO" || type == "LONGTEXT" ? -1 : 0;
}

// Every value of every table fits its column: texts within their width, dates real
// 'YYYY-MM-DD' dates, ticks 0 or 1. Returns the faults found, one per line.
QStringList valeurs_hors_type(Fichier& f) {
    QStringList fautes;
    for (const auto& [table, _] : tables_attendues) {
        const auto cols = f.colonnes(table);
        for (const auto& l : f.lignes(QStringLiteral("SELECT * FROM \"%1\"").arg(table))) {
            for (int i = 0; i < cols.size(); ++i) {
                const QVariant& v = l[i];
                if (v.isNull()) continue;
                const QString t = v.toString();
                const QString ou = table + "." + cols[i].nom + " = '" + t + "'";
                if (cols[i].type == "DATE") {
                    if (!QDate::fromString(t, Qt::ISODate).isValid() || t.size() != 10) fautes << ou;
                } else if (cols[i].type == "BOOLEAN") {
                    if (t != "0" && t != "1") fautes << ou;
                } else if (largeur(cols[i].type) > 0 && t.size() > largeur(cols[i].type)) {
                    fautes << ou + " trop long";
                }
            }
        }
    }
    return fautes;
}

QString programme_generateur() {
    return QFileInfo(QStringLiteral(CARNELIS_DOSSIER_PROGRAMME) + "/../schema/generer_base").absoluteFilePath();
}

int generer(const QStringList& args) {
    QProcess p;
    p.start(programme_generateur(), args);
    if (!p.waitForFinished(120000)) return -1;
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// The whole content of a database as text, to compare two files.
QString contenu(const QString& chemin) {
    Fichier f(chemin);
    QString r;
    for (const auto& [table, _] : tables_attendues)
        for (const auto& l : f.lignes(QStringLiteral("SELECT * FROM \"%1\"").arg(table))) {
            for (const QVariant& v : l) r += (v.isNull() ? "∅" : v.toString()) + "|";
            r += "\n";
        }
    return r;
}

}  // namespace

class TestSchema : public QObject {
    Q_OBJECT

private slots:
    // The command-line tool reads the template as a sound SQLite file with its 21 tables,
    // in rollback-journal mode (file format bytes 18 and 19 are 2 in WAL mode).
    void modele_ouvert_par_l_outil_sqlite3() {
        QProcess p;
        p.start("sqlite3", {QStringLiteral(CARNELIS_MODELE_VIDE),
                            "PRAGMA integrity_check; SELECT count(*) FROM sqlite_master WHERE type='table';"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
                 QStringList({"ok", "21"}));
        QFile modele(QStringLiteral(CARNELIS_MODELE_VIDE));
        QVERIFY(modele.open(QIODevice::ReadOnly));
        const QByteArray entete = modele.read(20);
        QCOMPARE(entete.left(15), QByteArray("SQLite format 3"));
        QCOMPARE(int(entete[18]), 1);
        QCOMPARE(int(entete[19]), 1);
    }

    void tables_et_champs_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("champs");
        for (const auto& [table, champs] : tables_attendues) QTest::newRow(table.toUtf8()) << table << champs;
    }
    // Each table holds exactly the fields the windows use, in their order, each wide enough
    // for what the window lets the user type and typed as the windows expect.
    void tables_et_champs() {
        QFETCH(QString, table);
        QFETCH(QString, champs);
        Fichier f(QStringLiteral(CARNELIS_MODELE_VIDE));
        QVERIFY(f.ok());
        const auto cols = f.colonnes(table);
        QStringList noms, attendus;
        for (const auto& c : cols) noms << c.nom;
        for (const QString& c : champs.split(' ')) attendus << c.section(':', 0, 0);
        QCOMPARE(noms, attendus);
        for (const QString& c : champs.split(' ')) {
            const QString nom = c.section(':', 0, 0), regle = c.section(':', 1);
            const QString type = cols[attendus.indexOf(nom)].type;
            const int l = largeur(type);
            if (regle == "D") QVERIFY2(type == "DATE", qPrintable(nom + " " + type));
            else if (regle == "B") QVERIFY2(type == "BOOLEAN", qPrintable(nom + " " + type));
            else if (regle == "M") QVERIFY2(l == -1, qPrintable(nom + " " + type));
            else if (regle == "T") QVERIFY2(l != 0, qPrintable(nom + " " + type));
            else if (regle.startsWith('<')) QVERIFY2(l > 0 && l <= regle.mid(1).toInt(), qPrintable(nom + " " + type));
            else QVERIFY2(l == -1 || l >= regle.toInt(), qPrintable(nom + " " + type));
        }
    }

    // One record in the one-record tables the program reads without adding, the others empty,
    // and the blank access code that lets a new database open without a prompt.
    void enregistrements_du_modele() {
        Fichier f(QStringLiteral(CARNELIS_MODELE_VIDE));
        QCOMPARE(f.valeur("SELECT count(*) FROM passe").toInt(), 1);
        QCOMPARE(f.valeur("SELECT coalesce(passe, '') FROM passe").toString(), QString());
        QCOMPARE(f.valeur("SELECT count(*) FROM \"paramètres\"").toInt(), 1);
        const auto p = f.lignes("SELECT * FROM \"paramètres\"");
        for (const QVariant& v : p[0]) QVERIFY(v.isNull() || v.toString().isEmpty());
        for (const char* t : {"élèves", "familles", "documents", "école", "inspection", "équipe",
                              "adresses", "assurances", "hôpitaux", "médecins", "villes"})
            QVERIFY2(f.valeur(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(t)).toInt() == 0, t);
        QVERIFY(valeurs_hors_type(f).isEmpty());
    }

    // The lists a French school expects, fitting the fields that receive their values.
    void listes_de_reference() {
        Fichier f(QStringLiteral(CARNELIS_MODELE_VIDE));
        QStringList niveaux;
        for (const auto& l : f.lignes("SELECT code, cycle FROM niveaux")) niveaux << l[0].toString() + "/" + l[1].toString();
        QCOMPARE(niveaux, QStringList({"TPS/1", "PS/1", "MS/1", "GS/1", "CP/2", "CE1/2", "CE2/2", "CM1/3", "CM2/3"}));
        QCOMPARE(f.valeur("SELECT count(*) FROM niveaux WHERE trim(coalesce(\"détails\", '')) = ''").toInt(), 0);

        QStringList sexes, assertions;
        for (const auto& l : f.lignes("SELECT \"détails\" FROM sexe")) sexes << l[0].toString();
        for (const auto& l : f.lignes("SELECT \"détails\" FROM assertions")) assertions << l[0].toString();
        QCOMPARE(sexes, QStringList({"Masculin", "Féminin"}));
        QVERIFY(assertions.contains("oui") && assertions.contains("non"));

        QCOMPARE(f.valeur("SELECT code FROM \"nationalités\" WHERE \"détails\" = 'Française'").toString(), QString("100"));
        QCOMPARE(f.valeur("SELECT count(DISTINCT code) = count(*) FROM \"nationalités\"").toInt(), 1);
        QVERIFY(f.valeur("SELECT count(*) FROM genres").toInt() >= 3);
        QVERIFY(f.valeur("SELECT count(*) FROM langues_vivantes WHERE \"détails\" = 'Anglais'").toInt() == 1);
        QVERIFY(f.valeur("SELECT count(*) FROM situations_familiales").toInt() >= 6);

        const auto csp = f.lignes("SELECT code, \"détails\" FROM csp");
        QVERIFY(csp.size() >= 24);
        QSet<QString> codes;
        for (const auto& l : csp) {
            QVERIFY2(QRegularExpression("^\\d\\d$").match(l[0].toString()).hasMatch(), qPrintable(l[0].toString()));
            QVERIFY(!l[1].toString().isEmpty());
            codes << l[0].toString();
        }
        QCOMPARE(codes.size(), csp.size());
        QVERIFY(codes.contains("10") && codes.contains("42"));
    }

    // A record is added before its key is typed, so empty keys must be accepted, however
    // many; a key given twice is refused. Document names may repeat.
    void cles_des_eleves_et_des_familles() {
        QTemporaryDir dossier;
        Fichier f(test::copie_modele(dossier), true);
        QVERIFY(f.ok());
        QVERIFY2(f.ecrire("INSERT INTO \"élèves\" (\"nom_élève\") VALUES ('A'), ('B')"), qPrintable(f.erreur()));
        QVERIFY(f.ecrire("INSERT INTO \"élèves\" (matricule) VALUES (''), ('')"));
        QVERIFY(f.ecrire("INSERT INTO familles (\"nom_responsable_légal\") VALUES ('A'), ('B')"));
        QVERIFY(f.ecrire("INSERT INTO familles (\"référence_famille\") VALUES (''), ('')"));
        QVERIFY(f.ecrire("INSERT INTO \"élèves\" (matricule) VALUES ('000001')"));
        QVERIFY(!f.ecrire("INSERT INTO \"élèves\" (matricule) VALUES ('000001')"));
        QVERIFY(f.ecrire("INSERT INTO familles (\"référence_famille\") VALUES ('000001')"));
        QVERIFY(!f.ecrire("INSERT INTO familles (\"référence_famille\") VALUES ('000001')"));
        QVERIFY(f.ecrire("INSERT INTO documents (\"intitulé_bouton\") VALUES ('Lettre'), ('Lettre'), (NULL), (NULL)"));
        // A pupil without family, without class: nothing ties the tables together.
        QVERIFY(f.ecrire("INSERT INTO \"élèves\" (matricule, \"référence_famille\") VALUES ('000002', '999999')"));
        QVERIFY(f.ecrire("DELETE FROM familles"));
        QCOMPARE(f.valeur("SELECT count(*) FROM \"élèves\"").toInt(), 6);
    }

    // The demonstration database holds a coherent register.
    void base_de_demonstration() {
        Fichier f(test::chemin_exemple());
        QVERIFY(f.ok());
        QCOMPARE(f.valeur("SELECT count(*) FROM \"école\"").toInt(), 1);
        QCOMPARE(f.valeur("SELECT count(*) FROM inspection").toInt(), 1);
        QCOMPARE(f.valeur("SELECT count(*) FROM passe").toInt(), 1);
        QCOMPARE(f.valeur("SELECT count(*) FROM \"paramètres\"").toInt(), 1);
        QVERIFY(f.valeur("SELECT count(*) FROM documents WHERE \"intitulé_bouton\" <> ''").toInt() >= 2);
        QCOMPARE(f.valeur("SELECT count(*) FROM \"équipe\"").toInt(), 8);
        const int eleves = f.valeur("SELECT count(*) FROM \"élèves\"").toInt();
        QVERIFY(eleves > 0);

        const QRegularExpression six_chiffres("^\\d{6}$");
        QStringList matricules;
        for (const auto& l : f.lignes("SELECT matricule FROM \"élèves\" ORDER BY matricule")) matricules << l[0].toString();
        QCOMPARE(matricules.size(), eleves);
        for (int i = 0; i < matricules.size(); ++i)  // 000001, 000002, ... without gaps or repeats
            QCOMPARE(matricules[i], QStringLiteral("%1").arg(i + 1, 6, 10, QChar('0')));
        for (const auto& l : f.lignes("SELECT \"référence_famille\" FROM familles"))
            QVERIFY(six_chiffres.match(l[0].toString()).hasMatch());

        // Every pupil belongs to an existing family of one to four children, of which
        // exactly one, the eldest, is ticked as eldest in the school.
        QCOMPARE(f.valeur("SELECT count(*) FROM \"élèves\" e WHERE NOT EXISTS (SELECT 1 FROM familles f "
                          "WHERE f.\"référence_famille\" = e.\"référence_famille\")").toInt(), 0);
        QCOMPARE(f.valeur("SELECT count(*) FROM familles f WHERE (SELECT count(*) FROM \"élèves\" e "
                          "WHERE e.\"référence_famille\" = f.\"référence_famille\") NOT BETWEEN 1 AND 4").toInt(), 0);
        QCOMPARE(f.valeur("SELECT count(*) FROM familles f WHERE (SELECT count(*) FROM \"élèves\" e WHERE "
                          "e.\"référence_famille\" = f.\"référence_famille\" AND e.\"ainé\" = 1) <> 1").toInt(), 0);
        QCOMPARE(f.valeur("SELECT count(*) FROM \"élèves\" a JOIN \"élèves\" b ON a.\"référence_famille\" = "
                          "b.\"référence_famille\" WHERE a.\"ainé\" = 1 AND b.\"date_naissance_élève\" < "
                          "a.\"date_naissance_élève\"").toInt(), 0);

        // Ages fit the levels: a CP pupil turns 6 in the year the school year starts, a pupil
        // kept back a year is a year older; the class is one of the team's and of that level.
        const QDate jour = QFileInfo(test::chemin_exemple()).lastModified().date();
        const int an = jour.month() >= 9 ? jour.year() : jour.year() - 1;
        const QStringList ordre = {"TPS", "PS", "MS", "GS", "CP", "CE1", "CE2", "CM1", "CM2"};
        for (const auto& l : f.lignes("SELECT e.\"niveau_classe_élève\", e.\"date_naissance_élève\", "
                                      "e.\"cursus_allongé_élève\", e.\"cycle_classe_élève\", q.niveau_classe_enseignant, "
                                      "e.\"date_inscription_élève\", e.\"nom_élève\" FROM \"élèves\" e LEFT JOIN "
                                      "\"équipe\" q ON q.\"référence_classe_enseignant\" = e.\"référence_classe_élève\"")) {
            const int niveau = ordre.indexOf(l[0].toString());
            QVERIFY2(niveau >= 0, qPrintable(l[0].toString()));
            const int annee = QDate::fromString(l[1].toString(), Qt::ISODate).year();
            const int attendue = an - 2 - niveau - (l[2].isNull() ? 0 : 1);
            QVERIFY2(annee == attendue, qPrintable(l[0].toString() + " " + l[1].toString()));
            QCOMPARE(l[3].toString(), QString(niveau < 4 ? "1" : niveau < 7 ? "2" : "3"));
            QVERIFY2(l[4].toString().split('-').contains(l[0].toString()), qPrintable(l[0].toString() + " " + l[4].toString()));
            QVERIFY(l[5].toString() > l[1].toString() && QDate::fromString(l[5].toString(), Qt::ISODate) <= jour);
            QVERIFY(!l[6].toString().isEmpty());
        }
        QCOMPARE(f.valeur("SELECT count(*) FROM \"élèves\" WHERE \"sexe_élève\" NOT IN (SELECT \"détails\" FROM sexe)").toInt(), 0);
        QCOMPARE(f.valeur("SELECT count(*) FROM familles WHERE \"communication_données\" NOT IN ('oui', 'non')").toInt(), 0);
        QVERIFY(f.valeur("SELECT count(*) FROM familles WHERE \"communication_données\" = 'oui'").toInt() > 0);
        QVERIFY(f.valeur("SELECT count(*) FROM familles WHERE nom_conjoint IS NOT NULL").toInt() > 0);
        QVERIFY(f.valeur("SELECT count(*) FROM \"élèves\" WHERE \"nom_élève\" LIKE '%''%' OR \"prénom_élève\" GLOB '*[éèëïôœüÉ]*'").toInt() > 0
                || eleves < 50);
        const QStringList fautes = valeurs_hors_type(f);
        QVERIFY2(fautes.isEmpty(), qPrintable(fautes.mid(0, 5).join('\n')));
    }

    // The generator: counts as asked, the same database from the same seed, another from
    // another seed, bad counts and an existing target refused without touching any file.
    void generateur() {
        QTemporaryDir dossier;
        const QString modele = QStringLiteral(CARNELIS_MODELE_VIDE);
        const QString a = dossier.filePath("a.mdb"), b = dossier.filePath("b.mdb"), c = dossier.filePath("c.mdb");
        QCOMPARE(generer({"exemple", modele, a, "--eleves", "400", "--familles", "100", "--graine", "7"}), 0);
        QCOMPARE(generer({"exemple", modele, b, "--eleves", "400", "--familles", "100", "--graine", "7"}), 0);
        QCOMPARE(generer({"exemple", modele, c, "--eleves", "400", "--familles", "100", "--graine", "8"}), 0);
        {
            Fichier f(a);
            QCOMPARE(f.valeur("SELECT count(*) FROM \"élèves\"").toInt(), 400);
            QCOMPARE(f.valeur("SELECT count(*) FROM familles").toInt(), 100);  // every family has four children
            QCOMPARE(f.valeur("SELECT count(*) FROM \"élèves\" WHERE \"ainé\" = 1").toInt(), 100);
            QVERIFY(valeurs_hors_type(f).isEmpty());
        }
        QCOMPARE(contenu(a), contenu(b));
        QVERIFY(contenu(a) != contenu(c));

        QCOMPARE(generer({"exemple", modele, a, "--eleves", "10"}), 1);  // target exists
        QCOMPARE(contenu(a), contenu(b));
        const QString d = dossier.filePath("d.mdb");
        QCOMPARE(generer({"exemple", modele, d, "--eleves", "10", "--familles", "11"}), 1);
        QCOMPARE(generer({"exemple", modele, d, "--eleves", "41", "--familles", "10"}), 1);
        QCOMPARE(generer({"exemple", modele, d, "--eleves", "dix"}), 1);
        QVERIFY(!QFile::exists(d));
        QCOMPARE(generer({"modele", CARNELIS_SOURCES "/schema/basevide.sql", a}), 1);
        QCOMPARE(contenu(a), contenu(b));
        QCOMPARE(generer({"modele", dossier.filePath("absent.sql"), d}), 1);
        QVERIFY(!QFile::exists(d));

        // The size the benchmarks use.
        QCOMPARE(generer({"exemple", modele, d, "--eleves", "10000", "--familles", "7000", "--graine", "1"}), 0);
        Fichier f(d);
        QCOMPARE(f.valeur("SELECT count(*) FROM \"élèves\"").toInt(), 10000);
        QCOMPARE(f.valeur("SELECT count(DISTINCT \"référence_famille\") FROM \"élèves\"").toInt(), 7000);
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
