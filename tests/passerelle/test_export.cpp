// The gateway export file, read back byte for byte.
#include "essais.h"
#include "commun/programme.h"
#include "commun/montage.h"
#include "commun/hors_fenetres.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/pointeur.h"
#include "reports/export_passerelle.h"

namespace {

const QString Invite = QStringLiteral("Entrez le chemin à utiliser pour exporter les fiches :");

// Three pupils out of matricule order: the eldest with its family, one whose family is
// missing, one with no family; two families, the first of them nobody's.
void remplir(const QString& chemin) {
    auto b = db::BaseDonnees::ouvrir(chemin);
    b->requete(QStringLiteral(
        "INSERT INTO familles (\"référence_famille\", \"nom_responsable_légal\", \"prénom_responsable_légal\","
        " \"profession_responsable_légal\", \"csp_responsable_légal\", \"téléphone_professionnel1_responsable_légal\","
        " nom_conjoint, \"prénom_conjoint\", profession_conjoint, csp_conjoint, \"téléphone_professionnel1_conjoint\","
        " \"médecin_traitant\", \"téléphone_médecin_traitant\", \"hôpital_préférentiel\", \"téléphone_hôpital_préférentiel\","
        " \"société_assurance\", police_assurance) VALUES"
        " ('000002', 'Autre', 'Famille', 'x', '10', '1', 'x', 'x', 'x', '10', '1', 'x', '1', 'x', '1', 'x', '1'),"
        " ('000001', 'Dupont', 'Jean', 'Boulanger', '21', '0600000001', 'Durand', 'Marie', 'Infirmière', '43',"
        " '0600000002', 'Dr Lefèvre', '0122222222', 'Hôpital Necker', '0133333333', 'MAE', 'P-123 €')"));
    b->requete(QStringLiteral(
        "INSERT INTO \"élèves\" (matricule, \"nom_élève\", \"prénom_élève\", \"référence_famille\", \"date_inscription_élève\","
        " \"date_naissance_élève\", \"lieu_naissance_élève\", \"sexe_élève\", \"nationalité_élève\", \"numéro_résidence\","
        " \"adresse_résidence\", \"code_postal_résidence\", \"ville_résidence\", \"téléphone1_résidence\", \"ainé\","
        " nom_contact1, \"prénom_contact1\", \"téléphone_contact1\", \"référence_classe_élève\", \"niveau_classe_élève\","
        " \"cycle_classe_élève\", \"cursus_allongé_élève\", restauration_scolaire, \"observations_générales\") VALUES"
        " ('000002', 'Dupont', 'Émile', '000001', '2021-09-02', '2018-03-05', 'Łódź', 'M', 'française', '',"
        " 'rue des Écoles', '75001', 'Paris', '0102030405', 1, 'Martin', 'Paul', '0611111111', 'CP1', 'CP', '2', '',"
        " 'oui', 'Dit \"le petit\"' || char(13, 10) || 'allergique'),"
        " ('000003', 'Sansfamille', 'Léa', '', NULL, NULL, NULL, 'F', NULL, NULL, NULL, NULL, NULL, NULL, 0,"
        " NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),"
        " ('000001', 'Perdu', 'Zoé 😀', '000009', NULL, NULL, NULL, 'F', NULL, '12', NULL, NULL, NULL, NULL, NULL,"
        " NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)"));
    b->Close();
}

// The eldest pupil's record as the gateway receives it.
const QByteArray Dupont =
    "\"Dupont\"\r\n\"\xC9mile\"\r\n\"02/09/2021\"\r\n\"000002\"\r\n\"05/03/2018\"\r\n\"L\xF3" "dz\"\r\n\"M\"\r\n"
    "\"fran\xE7" "aise\"\r\n\" rue des \xC9" "coles\"\r\n\"75001\"\r\n\"Paris\"\r\n\"0102030405\"\r\n"
    "\"Dupont\"\r\n\"Jean\"\r\n\"Boulanger\"\r\n\"21\"\r\n\"0600000001\"\r\n"
    "\"Durand\"\r\n\"Marie\"\r\n\"Infirmi\xE8re\"\r\n\"43\"\r\n\"0600000002\"\r\n"
    "\"1\"\r\n\"1\"\r\n\"1\"\r\n\"Martin Paul\"\r\n\"0611111111\"\r\n"
    "\"Dr Lef\xE8vre\"\r\n\"0122222222\"\r\n\"H\xF4pital Necker\"\r\n\"0133333333\"\r\n"
    "\"CP1\"\r\n\"CP\"\r\n\"2\"\r\n\"\"\r\n\"oui\"\r\n\"MAE\"\r\n\"P-123 \x80\"\r\n\"Dit 'le petit' allergique\"\r\n";

// A pupil without a family found: its own lines, empty family lines, "2" as a younger child.
QByteArray sans_famille(const QByteArray& debut, const QByteArray& numero) {
    QByteArray r = debut + "\"" + numero + " \"\r\n";
    for (int i = 10; i <= 12; ++i) r += "\"\"\r\n";
    for (int i = 13; i <= 22; ++i) r += "\"\"\r\n";
    r += "\"1\"\r\n\"1\"\r\n\"2\"\r\n\" \"\r\n\"\"\r\n";
    for (int i = 28; i <= 39; ++i) r += "\"\"\r\n";
    return r;
}
const QByteArray Perdu = sans_famille("\"Perdu\"\r\n\"Zo\xE9 ?\"\r\n\"\"\r\n\"000001\"\r\n\"\"\r\n\"\"\r\n\"F\"\r\n\"\"\r\n", "12");
const QByteArray Sansfamille =
    sans_famille("\"Sansfamille\"\r\n\"L\xE9" "a\"\r\n\"\"\r\n\"000003\"\r\n\"\"\r\n\"\"\r\n\"F\"\r\n\"\"\r\n", "");

QByteArray lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

class EssaiExport : public QObject {
    Q_OBJECT

    static void exporter(essai::Programme& p, const QString& reponse) {
        p.boites->effacer();
        p.boites->saisir(reponse);
        p.declencher(QStringLiteral("menuutilitairesindex4"));
    }

private slots:
    // Two runs on one folder, answered without and with the separator: the second run's
    // records follow the first's; the question before it can stop it. The windows keep answering
    // while the records are written.
    void deux_exportations() {
        essai::Programme p;
        QTRY_VERIFY(p.base_ouverte());
        remplir(p.base);
        // The record windows stay where the user left them.
        p.declencher(QStringLiteral("menuenfantsindex1"));
        p.declencher(QStringLiteral("menuenfantsindex2"));
        auto* eleves = forms::Feuilles::charger(QStringLiteral("feuille_élève")).controle<forms::ControleDonnees>("datPrimaryRS");
        auto* familles = forms::Feuilles::charger(QStringLiteral("feuille_famille")).controle<forms::ControleDonnees>("datPrimaryRS");
        eleves->Recordset().MoveNext();
        const QString sourceFamilles = familles->RecordSource();
        const int positionFamilles = familles->Recordset().AbsolutePosition();

        const QString dossier = p.dossier.filePath(QStringLiteral("sortie"));
        QDir().mkpath(dossier);
        const QString fichier = dossier + QStringLiteral("/CARNELIS.EXP");
        {
            // The records are read and written away from the windows, which keep answering.
            test::HorsFenetres horsFenetres;
            exporter(p, dossier);
            QVERIFY(horsFenetres.verifie());
        }
        QCOMPARE(p.boites->vues.size(), 2);
        QVERIFY(p.boites->vues[0].saisie);
        QCOMPARE(p.boites->vues[0].texte, Invite);
        QCOMPARE(p.boites->vues[0].titre, QStringLiteral("Exportation de fiches"));
        QCOMPARE(p.boites->vues[0].defaut, QDir::homePath());
        QCOMPARE(p.boites->vues[1].texte, QStringLiteral("Exportation réussie !\nVous disposez maintenant du fichier (") +
                                              fichier + QStringLiteral(") contenant le résultat de l'exportation"));
        QCOMPARE(p.boites->vues[1].style, forms::styles::Information);
        QCOMPARE(p.boites->vues[1].titre, QStringLiteral("Carnelis v2"));
        const QByteArray une = Perdu + Dupont + Sansfamille;
        QCOMPARE(lire(fichier), une);
        QCOMPARE(une.count("\r\n"), 3 * 39);
        QCOMPARE(eleves->RecordSource(), QStringLiteral("SELECT * FROM élèves ORDER BY matricule ASC"));
        QCOMPARE(eleves->Recordset().AbsolutePosition(), 1);
        QCOMPARE(familles->RecordSource(), sourceFamilles);
        QCOMPARE(familles->Recordset().AbsolutePosition(), positionFamilles);
        QCOMPARE(forms::pointeur_souris(), forms::PointeurDefaut);

        const QString question = QStringLiteral("Attention ! Le fichier d'exportation ") + fichier +
                                 QStringLiteral(" existe déjà...\nLes fiches exportées seront ajoutées à celles existantes. "
                                                "Voulez-vous continuer ?");
        p.boites->repondre(forms::Non);
        exporter(p, dossier + QStringLiteral("/"));
        QCOMPARE(p.boites->vues.size(), 2);
        QCOMPARE(p.boites->vues[1].texte, question);
        QCOMPARE(p.boites->vues[1].style, forms::styles::OuiNon + forms::styles::Question);
        QCOMPARE(lire(fichier), une);

        p.boites->repondre(forms::Oui);
        exporter(p, dossier + QStringLiteral("/"));
        QCOMPARE(p.boites->vues.size(), 3);
        QVERIFY(p.boites->vues[2].texte.contains(QStringLiteral("(") + fichier + QStringLiteral(")")));
        QCOMPARE(lire(fichier), une + une);
    }

    // Refusals: nothing is written, the user is told why.
    void refus_data() {
        QTest::addColumn<QString>("reponse");  // relative to the program folder; "*annuler" cancels
        QTest::addColumn<QString>("message");  // its start
        QTest::newRow("vide") << "" << "Chemin vide... Exportation impossible !";
        QTest::newRow("annuler") << "*annuler" << "Chemin vide... Exportation impossible !";
        QTest::newRow("dossier absent") << "absent" << "Le dossier ";
        QTest::newRow("sous un fichier") << "fichier/sous" << "Le dossier ";
        QTest::newRow("un fichier") << "fichier" << "Le fichier ";
        QTest::newRow("fichier en dossier") << "pris" << "Le fichier ";
    }
    void refus() {
        QFETCH(QString, reponse);
        QFETCH(QString, message);
        essai::Programme p;
        QTRY_VERIFY(p.base_ouverte());
        remplir(p.base);
        QFile(p.dossier.filePath(QStringLiteral("fichier"))).open(QIODevice::WriteOnly);
        QDir().mkpath(p.dossier.filePath(QStringLiteral("pris/CARNELIS.EXP")));
        const QStringList avant = QDir(p.dossier.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        p.boites->effacer();
        if (reponse == QLatin1String("*annuler")) p.boites->annulerSaisie();
        else p.boites->saisir(reponse.isEmpty() ? reponse : p.dossier.filePath(reponse));
        p.declencher(QStringLiteral("menuutilitairesindex4"));
        QCOMPARE(p.boites->vues.size(), 2);
        QVERIFY2(p.boites->vues[1].texte.startsWith(message), qPrintable(p.boites->vues[1].texte));
        QVERIFY(p.boites->vues[1].texte.endsWith(QStringLiteral("Exportation impossible !")));
        QCOMPARE(p.boites->vues[1].style, forms::styles::Critique);
        QCOMPARE(QDir(p.dossier.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), avant);
        QCOMPARE(lire(p.dossier.filePath(QStringLiteral("fichier"))), QByteArray());
    }

    // A disk that fills up while the records are written: told in French, naming the file;
    // the file keeps exactly what it held and nothing is left beside it.
    void disque_plein() {
        essai::Programme p;
        QTRY_VERIFY(p.base_ouverte());
        remplir(p.base);
        test::Montage plein(p.dossier.filePath(QStringLiteral("plein")), QStringLiteral("size=1m"));
        if (!plein.monte) QSKIP("no tmpfs can be mounted here");
        const QString fichier = plein.point + QStringLiteral("/CARNELIS.EXP");
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(Dupont);
        f.close();
        test::remplir(plein.point, Dupont.size() + 100);
        p.boites->repondre(forms::Oui);
        exporter(p, plein.point);
        QCOMPARE(p.boites->vues.size(), 3);
        const QString texte = p.boites->vues[2].texte;
        QVERIFY2(texte.startsWith(QStringLiteral("Le logiciel a rencontré l'erreur : 61\n\nDisque plein : ")), qPrintable(texte));
        QVERIFY(texte.contains(QStringLiteral("CARNELIS.EXP")));
        QCOMPARE(p.boites->vues[2].style, forms::styles::Avertissement);
        QCOMPARE(forms::pointeur_souris(), forms::PointeurDefaut);
        QCOMPARE(lire(fichier), Dupont);
        QCOMPARE(QDir(plein.point).entryList(QDir::Files | QDir::Hidden),
                 QStringList({QStringLiteral("CARNELIS.EXP"), QStringLiteral("remplissage")}));
    }

    // A file that does not end on a whole record (an export cut off by an older version, an
    // edit by hand) is refused before anything is appended: what follows would be read one
    // field off. Not a file at all (a device) is refused too, in French.
    void fichier_sans_fiche_entiere_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::newRow("fiche coupée") << Dupont + Dupont.left(Dupont.indexOf("Martin"));
        QTest::newRow("sans fin de ligne") << Dupont.chopped(2);
        QTest::newRow("39 lignes puis un reste") << Dupont + QByteArray("\"Dup");
    }
    void fichier_sans_fiche_entiere() {
        QFETCH(QByteArray, contenu);
        essai::Programme p;
        QTRY_VERIFY(p.base_ouverte());
        remplir(p.base);
        const QString fichier = p.dossier.filePath(QStringLiteral("CARNELIS.EXP"));
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenu);
        f.close();
        exporter(p, p.dossier.path());
        QCOMPARE(p.boites->vues.size(), 2);
        QVERIFY2(p.boites->vues[1].texte.startsWith(QStringLiteral("Le fichier d'exportation ") + fichier +
                                                    QStringLiteral(" ne se termine pas sur une fiche entière")),
                 qPrintable(p.boites->vues[1].texte));
        QVERIFY(p.boites->vues[1].texte.endsWith(QStringLiteral("Exportation impossible !")));
        QCOMPARE(p.boites->vues[1].style, forms::styles::Critique);
        QCOMPARE(lire(fichier), contenu);

        QVERIFY(QFile::remove(fichier));
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), fichier));
        exporter(p, p.dossier.path());
        QCOMPARE(p.boites->vues.size(), 2);
        QVERIFY2(p.boites->vues[1].texte.startsWith(QStringLiteral("Le fichier ") + fichier +
                                                    QStringLiteral(" ne peut pas être écrit")),
                 qPrintable(p.boites->vues[1].texte));
        QVERIFY(QFileInfo(fichier).isSymLink());
    }

    // With no pupil the file is created empty, or left as it was, and the export succeeds.
    void aucun_eleve() {
        essai::Programme p;
        QTRY_VERIFY(p.base_ouverte());
        const QString fichier = p.dossier.filePath(QStringLiteral("CARNELIS.EXP"));
        exporter(p, p.dossier.path());
        QCOMPARE(p.boites->vues.size(), 2);
        QCOMPARE(p.boites->vues[1].style, forms::styles::Information);
        QCOMPARE(lire(fichier), QByteArray());
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(Dupont);
        f.close();
        exporter(p, p.dossier.path());
        QCOMPARE(p.boites->vues.size(), 3);
        QCOMPARE(p.boites->vues[2].style, forms::styles::Information);
        QCOMPARE(lire(fichier), Dupont);
    }
};

}  // namespace

QObject* essai_export() { return new EssaiExport; }

#include "test_export.moc"
