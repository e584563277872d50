// Documents printed for a pupil from the pupil window: the pupil sheet, a template filled with
// the pupil's, family's and school's data, the template opened for editing; read back from
// the formulas given to the report and from the rich-text file an independent reader sees.
#include "banc_documents.h"
#include "platform/forms/grille_donnees.h"
#include "shell/menus.h"
#include <QDate>
#include <QPrinterInfo>
#include <QProcess>

using namespace banc;

namespace {

const QString Eleve = QStringLiteral("feuille_élève");
const QString Documents = QStringLiteral("feuille_documents");

// The pupil window opened from its menu, on the pupil of that matricule.
void ouvrir_eleve(const QString& matricule) {
    shell::menus::executer(QStringLiteral("menuenfantsindex1"));
    traiter();
    jeu(Eleve).FindFirst(QStringLiteral("matricule = \"") + matricule + '"');
    traiter();
}

forms::GrilleDonnees* grille() { return controle<forms::GrilleDonnees>(Eleve, QStringLiteral("grdDataGrid")); }

// Selects the `rang`-th row of the list of templates whose name is `nom`.
void choisir(const QString& nom, int rang = 0) {
    auto* g = grille();
    for (int r = 0; r < g->model()->rowCount(); ++r) {
        if (g->model()->index(r, 0).data().toString() != nom) continue;
        if (rang-- > 0) continue;
        g->setCurrentIndex(g->model()->index(r, 0));
        traiter();
        return;
    }
    QFAIL("template not in the list");
}

void imprimer() { cliquer(Eleve, QStringLiteral("documents_suite")); }
QLineEdit* zone(const char* nom) { return controle<QLineEdit>(Eleve, QString::fromUtf8(nom)); }

QString aujourdhui() { return Jour.toString(QStringLiteral("dd/MM/yyyy")); }

// Top and bottom (mm) of the first band of the preview's page whose text contains `texte`.
QPair<double, double> bande(const QString& texte) {
    for (const auto& b : report::FenetreApercu::instance().document().pages.value(0).bandes)
        for (const auto& c : b.cellules)
            for (const auto& l : c.lignes)
                if (l.texte.contains(texte)) return {b.y, b.y + b.hauteur};
    return {-1, -1};
}

class EssaiImpressionDocuments : public QObject {
    Q_OBJECT
private slots:
    // A certificate for a demonstration pupil, written to a rich-text file and read back:
    // the school's town and today's date, the guardian, the head teacher, the pupil, the
    // paragraphs in order, accents intact. Switched off, the guardian leaves no gap.
    void certificat_en_rtf() {
        Base b(true);
        b.sql(QStringLiteral("UPDATE documents SET \"affichage_coordonnées_responsable_légal\" = 1 "
                             "WHERE \"intitulé_bouton\" = 'Certificat de scolarité'"));
        const auto e = b.sql(QStringLiteral(
            "SELECT e.\"prénom_élève\", e.\"nom_élève\", e.\"niveau_classe_élève\", e.\"cycle_classe_élève\", "
            "strftime('%d/%m/%Y', e.\"date_naissance_élève\"), e.\"lieu_naissance_élève\", "
            "f.genre_responsable_légal || ' ' || f.\"prénom_responsable_légal\" || ' ' || f.\"nom_responsable_légal\", "
            "f.\"numéro_responsable\" || ', ' || f.adresse_responsable, f.code_postal_responsable || ' ' || f.ville_responsable "
            "FROM \"élèves\" e JOIN familles f USING (\"référence_famille\") WHERE matricule = '000001'")).lignes.value(0);
        QCOMPARE(e.size(), 9);
        ouvrir_eleve(QStringLiteral("000001"));
        choisir(QStringLiteral("Certificat de scolarité"));
        imprimer();
        QVERIFY2(b.boites->vues.isEmpty(), qPrintable(b.boites->derniere().texte));
        QCOMPARE(report::CrystalReport1().Destination(), 0);
        QCOMPARE(report::CrystalReport1().SelectionFormula(),
                 QStringLiteral("{documents.intitulé_bouton} = \"Certificat de scolarité\""));

        const QString rtf = en_rtf(b.dossier.filePath(QStringLiteral("certificat.rtf")));
        const QStringList attendus = {
            e[6].toString(), e[7].toString(), e[8].toString(),
            QStringLiteral("Brignais, ") + aujourdhui(),
            QStringLiteral("CERTIFICAT DE SCOLARITÉ"),
            QStringLiteral("Je soussigné(e), Madame Hélène Garnier, Directrice,"),
            QStringLiteral("certifie que l'élève :"),
            e[0].toString() + ' ' + e[1].toString(),
            QStringLiteral("Inscrit sous le matricule n° 000001 - Fréquentant la classe de ") + e[2].toString() +
                QStringLiteral(" - cycle ") + e[3].toString(),
            QStringLiteral("Date de naissance : ") + e[4].toString() + QStringLiteral(" - Lieu de naissance : ") +
                e[5].toString(),
            QStringLiteral("est inscrit(e) dans notre école"),
            QStringLiteral("Ce certificat est délivré à la demande de la famille"),
            QStringLiteral("Hélène Garnier, Directrice"),
            QStringLiteral("École primaire publique Les Tilleuls - Brignais"),
        };
        const QString plat = rtf.simplified();
        int depuis = 0;
        for (const QString& a : attendus) {
            const int i = plat.indexOf(a, depuis);
            QVERIFY2(i >= 0, qPrintable(a + QStringLiteral("\n---\n") + rtf));
            depuis = i;
        }
        const double avecResponsable = bande(QStringLiteral("CERTIFICAT")).first;

        b.sql(QStringLiteral("UPDATE documents SET \"affichage_coordonnées_responsable_légal\" = 0"));
        imprimer();
        QVERIFY(!en_rtf(b.dossier.filePath(QStringLiteral("sans.rtf"))).contains(e[6].toString()));
        // The date comes right under the letterhead; the title moves up by the whole block.
        const double finEntete = bande(QStringLiteral("Courriel")).second;
        QVERIFY2(bande(QStringLiteral("Brignais, ")).first - finEntete < 11, "a gap where the guardian was");
        QVERIFY(avecResponsable - bande(QStringLiteral("CERTIFICAT")).first > 20);
    }

    // The guardian's lines: empty when the pupil has no family (and no family is looked for),
    // empty too when the family named cannot be found (the question says so), never those
    // of the family the family window happens to show. Then the envelope's window shows
    // nothing: the date stays under its frame.
    void eleve_sans_famille() {
        Base b(true);
        b.sql(QStringLiteral("UPDATE documents SET \"affichage_coordonnées_responsable_légal\" = 1"));
        ouvrir_eleve(QStringLiteral("000001"));
        choisir(QStringLiteral("Lettre aux familles"));
        const auto enveloppe_blanche = [&] {
            QVERIFY(report::FenetreApercu::instance().estAffichee());
            // The window of the envelope (85 x 33 mm, 110 mm from the left, 55 mm from the top).
            for (const auto& x : report::FenetreApercu::instance().document().pages.value(0).bandes)
                for (const auto& c : x.cellules)
                    for (const auto& l : c.lignes)
                        if (!l.texte.isEmpty() && c.x < 195 && c.x + c.largeur > 110)
                            QVERIFY2(x.y >= 88 || x.y + x.hauteur <= 55, qPrintable(l.texte));
            QVERIFY(bande(QStringLiteral("Brignais, ")).first >= 88);
        };

        zone("référence_famille")->clear();
        imprimer();
        QVERIFY(b.boites->vues.isEmpty());
        QVERIFY(!forms::Feuilles::estChargee(QStringLiteral("feuille_famille")));
        QStringList f = formules();
        for (int i = 1; i <= 4; ++i) QVERIFY2(f[i].endsWith(QStringLiteral("=\"\"")), qPrintable(f[i]));
        QVERIFY(f[0].startsWith(QStringLiteral("date_contrôlée= \"Brignais, ")));
        enveloppe_blanche();

        zone("référence_famille")->setText(QStringLiteral("999999"));
        imprimer();
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->derniere().texte, QStringLiteral("La fiche de la famille n'existe pas... Créez-la!"));
        QCOMPARE(b.boites->derniere().style, forms::styles::OuiNon + forms::styles::Question);
        f = formules();
        for (int i = 1; i <= 4; ++i) QVERIFY2(f[i].endsWith(QStringLiteral("=\"\"")), qPrintable(f[i]));
        QVERIFY(f[5].startsWith(QStringLiteral("titre_document= ")));
        // The print went on, to the screen.
        enveloppe_blanche();

        // A reference holding "?" names no family, though it would match one as a pattern.
        zone("référence_famille")->setText(QStringLiteral("00000?"));
        b.boites->effacer();
        imprimer();
        QCOMPARE(b.boites->derniere().texte, QStringLiteral("La fiche de la famille n'existe pas... Créez-la!"));
        f = formules();
        for (int i = 1; i <= 4; ++i) QVERIFY2(f[i].endsWith(QStringLiteral("=\"\"")), qPrintable(f[i]));
    }

    // Two templates of one name: the row selected is printed and edited. Values typed for the
    // pupil, double quotes included, print as shown.
    void modele_choisi_et_valeurs_saisies() {
        Base b(true);
        b.sql(QStringLiteral("INSERT INTO documents (\"intitulé_bouton\", titre_document) VALUES "
                             "('Autorisation', 'Premier'), ('Autorisation', 'Second \"bis\"')"));
        ouvrir_eleve(QStringLiteral("000001"));
        zone("prénom_enfant")->setText(QStringLiteral("Jean \"Jeannot\""));
        choisir(QStringLiteral("Autorisation"), 1);
        imprimer();
        const QStringList f = formules();
        QCOMPARE(f[5], QStringLiteral("titre_document= \"Second \"\"bis\"\"\""));
        QVERIFY(lignes_apercu().contains(QStringLiteral("Second \"bis\"")));
        b.sql(QStringLiteral("UPDATE documents SET \"affichage_coordonnées_élève\" = 1"));
        imprimer();
        QVERIFY(formules()[10].startsWith(QStringLiteral("élève_contrôlé= \"Jean \"\"Jeannot\"\" ")));
        QVERIFY(lignes_apercu().join('\n').contains(QStringLiteral("Jean \"Jeannot\" ")));

        cliquer(Eleve, QStringLiteral("Command6"));
        QVERIFY(feuille(Documents).estAffichee());
        QCOMPARE(controle<QLineEdit>(Documents, QStringLiteral("titre"))->text(), QStringLiteral("Second \"bis\""));
        choisir(QStringLiteral("Autorisation"), 0);
        cliquer(Eleve, QStringLiteral("Command6"));
        QCOMPARE(controle<QLineEdit>(Documents, QStringLiteral("titre"))->text(), QStringLiteral("Premier"));
    }

    // Printing a document reads the school, the family and the templates again through their
    // windows: what was typed there and not validated is saved first, never dropped.
    void impression_garde_les_saisies_des_autres_fenetres() {
        Base b(true);
        shell::menus::executer(QStringLiteral("menuenfantsindex2"));
        traiter();
        const QString famille = controle<QLineEdit>(QStringLiteral("feuille_famille"), QStringLiteral("Text13"))->text();
        controle<QLineEdit>(QStringLiteral("feuille_famille"), QStringLiteral("employeur_responsable_légal"))
            ->setText(QStringLiteral("Boulangerie Martin"));
        shell::menus::executer(QStringLiteral("menuparamètresindex2"));
        traiter();
        controle<QLineEdit>(QStringLiteral("feuille_école"), QStringLiteral("nom_école"))->setText(QStringLiteral("Jules Ferry"));
        shell::menus::executer(QStringLiteral("menuparamètresindex4"));
        traiter();
        controle<QLineEdit>(Documents, QStringLiteral("titre"))->setText(QStringLiteral("Titre saisi"));
        ouvrir_eleve(QStringLiteral("000001"));
        choisir(QStringLiteral("Certificat de scolarité"));
        imprimer();
        QVERIFY2(b.boites->vues.isEmpty(), qPrintable(b.boites->derniere().texte));
        QCOMPARE(b.valeur(QStringLiteral("SELECT \"employeur_responsable_légal\" FROM familles WHERE \"référence_famille\" = ?"),
                          {famille}),
                 QStringLiteral("Boulangerie Martin"));
        QCOMPARE(b.valeur(QStringLiteral("SELECT \"nom_école\" FROM \"école\"")), QStringLiteral("Jules Ferry"));
        QCOMPARE(b.compte(QStringLiteral("documents"), QStringLiteral("titre_document = 'Titre saisi'")), 1);

        // The template window put on another template from the pupil window ("Modifier").
        controle<QLineEdit>(Documents, QStringLiteral("titre"))->setText(QStringLiteral("Autre titre"));
        cliquer(Eleve, QStringLiteral("Command6"));
        QCOMPARE(b.compte(QStringLiteral("documents"), QStringLiteral("titre_document = 'Autre titre'")), 1);
        QVERIFY2(b.boites->vues.isEmpty(), qPrintable(b.boites->derniere().texte));
    }

    // No template in the list: printing says it is not found, editing opens a blank one.
    // Printing directly goes to the printer; with none installed, the certificate is saved as
    // the PDF file the user names.
    void liste_vide_et_impression_directe() {
        Base b(true);
        ouvrir_eleve(QStringLiteral("000001"));
        controle<QCheckBox>(Eleve, QStringLiteral("Check1"))->setChecked(true);
        choisir(QStringLiteral("Certificat de scolarité"));
        QTemporaryDir pdf;
        const bool sansImprimante = QPrinterInfo::defaultPrinter().isNull();
        if (sansImprimante) b.boites->saisir(pdf.filePath(QStringLiteral("certificat")));
        imprimer();
        QCOMPARE(report::CrystalReport1().Destination(), 1);
        if (sansImprimante) {
            QCOMPARE(b.boites->vues.size(), 2);
            QCOMPARE(b.boites->vues[0].titre, QStringLiteral("Impression en PDF"));
            const QString fichier = pdf.filePath(QStringLiteral("certificat.pdf"));
            QCOMPARE(b.boites->vues[1].texte, QStringLiteral("Le document a été enregistré dans le fichier « %1 ».").arg(fichier));
            QProcess texte;
            texte.start(QStringLiteral("pdftotext"), {fichier, QStringLiteral("-")});
            if (texte.waitForFinished(30000) && texte.exitCode() == 0) {
                const QString lu = QString::fromUtf8(texte.readAllStandardOutput());
                QVERIFY2(lu.contains(controle<QLineEdit>(Eleve, QStringLiteral("nom_enfant"))->text()), qPrintable(lu));
            } else {
                QVERIFY(QFileInfo(fichier).size() > 1000);
            }
        }
        report::CrystalReport1().setDestination(0);
        b.boites->effacer();

        b.sql(QStringLiteral("DELETE FROM documents"));
        auto* data2 = controle<forms::ControleDonnees>(Eleve, QStringLiteral("Data2"));
        data2->Refresh();
        traiter();
        imprimer();
        QCOMPARE(b.boites->vues.size(), 1);
        QCOMPARE(b.boites->derniere().texte,
                 QStringLiteral("Le document \"\" n'a pas été trouvé dans la table des documents... Opération impossible!"));
        QCOMPARE(b.boites->derniere().style, forms::styles::Avertissement);

        cliquer(Eleve, QStringLiteral("Command6"));
        QVERIFY(feuille(Documents).estAffichee());
        QCOMPARE(jeu(Documents).EditMode(), 2);
    }

    // "&Imprimer" prints the pupil as the window shows it: an edit not yet saved is saved first
    // and is what the sheet shows.
    void fiche_eleve_comme_a_l_ecran() {
        Base b(true);
        ouvrir_eleve(QStringLiteral("000001"));
        zone("ville_résidence")->setText(QStringLiteral("Oullins-Pierre-Bénite"));
        cliquer(Eleve, QStringLiteral("Command3"));
        QVERIFY2(b.boites->vues.isEmpty(), qPrintable(b.boites->derniere().texte));
        QCOMPARE(b.valeur(QStringLiteral("SELECT ville_résidence FROM \"élèves\" WHERE matricule = '000001'")),
                 QStringLiteral("Oullins-Pierre-Bénite"));
        const QString page = lignes_apercu().join('\n');
        QVERIFY2(page.contains(QStringLiteral("Oullins-Pierre-Bénite")), qPrintable(page));
    }

    // The pupil sheet of a demonstration pupil, written to a file and read back: its filled
    // fields, the configurable ones under the captions the school gave them.
    void fiche_eleve_en_rtf() {
        Base b(true);
        ouvrir_eleve(QStringLiteral("000001"));
        cliquer(Eleve, QStringLiteral("Command3"));
        QVERIFY(b.boites->vues.isEmpty());
        QCOMPARE(report::CrystalReport1().SelectionFormula(), QStringLiteral("{élèves.matricule} = \"000001\""));
        const QString plat = en_rtf(b.dossier.filePath(QStringLiteral("fiche.rtf"))).simplified();

        // Every filled text field of the pupil and of the family's main lines.
        const auto ligne = b.sql(QStringLiteral("SELECT * FROM \"élèves\" WHERE matricule = '000001'"));
        QStringList absents;
        for (int c = 0; c < ligne.champs.size(); ++c) {
            const QVariant v = ligne.lignes.value(0).value(c);
            QString t = v.typeId() == QMetaType::QDate ? v.toDate().toString(QStringLiteral("dd/MM/yyyy")) : v.toString();
            // Yes/no boxes print as "Oui"/"Non"; the photo's path wraps in its narrow cell.
            if (v.typeId() == QMetaType::Bool || ligne.champs[c] == QStringLiteral("chemin_photo")) continue;
            if (!t.trimmed().isEmpty() && !plat.contains(t.simplified())) absents << ligne.champs[c] + '=' + t;
        }
        QVERIFY2(absents.isEmpty(), qPrintable(absents.join('\n')));
        for (int k = 1; k <= 5; ++k) {
            const QString intitule =
                b.valeur(QStringLiteral("SELECT \"intitulé_champ_paramétrable%1\" FROM \"paramètres\"").arg(k));
            QVERIFY2(plat.contains(intitule), qPrintable(intitule));
        }
        QVERIFY(!plat.contains(QStringLiteral("Champ paramétrable")));
        QVERIFY(plat.contains(b.valeur(QStringLiteral("SELECT société_assurance FROM familles WHERE \"référence_famille\" = "
                                                      "(SELECT \"référence_famille\" FROM \"élèves\" WHERE matricule = '000001')"))));
    }
};

}  // namespace

QObject* essai_impression_documents() { return new EssaiImpressionDocuments; }

#include "test_impression_documents.moc"
