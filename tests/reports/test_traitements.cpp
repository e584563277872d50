// The processing window: its lists and the print sequence of its "OK" buttons.
#include "environnement_reports.h"
#include "commun/montage.h"
#include "essais.h"
#include "platform/db/base_donnees.h"
#include "platform/report/apercu.h"
#include "reports/elements_traitements.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinterInfo>
#include <QScrollBar>

namespace {

const QString Interrompue = QStringLiteral("Demande d'édition interrompue...");
const QString Aine = QStringLiteral("{élèves.ainé} = True");

// Notes the copies the report control holds when a message box shows: the refusal box comes
// between the print and the reset of the copies.
class RepondeurCopies : public forms::RepondeurScripte {
public:
    int message(const QString& texte, int style, const QString& titre) override {
        copies << report::CrystalReport1().CopiesToPrinter();
        return forms::RepondeurScripte::message(texte, style, titre);
    }
    std::optional<QString> saisie(const QString& invite, const QString& titre, const QString& defaut) override {
        copies << report::CrystalReport1().CopiesToPrinter();
        return forms::RepondeurScripte::saisie(invite, titre, defaut);
    }
    QVector<int> copies;
};

class EssaiTraitements : public QObject {
    Q_OBJECT
    QTemporaryDir dossier_;
    forms::RepondeurScripte* boites_ = nullptr;

    QString chemin(const QString& nom) const { return QDir(dossier_.path()).filePath(nom); }

    // Prints item `libelle` of list `liste` to a rich-text file; returns the file written.
    QString vers_fichier(int liste, const QString& libelle, const QString& nom) {
        essai::choisir(liste, libelle);
        essai::sortie(2);
        boites_->saisir(chemin(nom));
        essai::imprimer(liste);
        return report::CrystalReport1().PrintFileName();
    }

private slots:
    void initTestCase() {
        QVERIFY(essai::preparer(dossier_));
    }
    void init() {
        Module1::chemin_programme = essai::dossier_programme();
        forms::Feuilles::toutDecharger();
        boites_ = &forms::installer_repondeur_scripte();
    }

    void listes_remplies_au_chargement() {
        const int attendus[4] = {11, 14, 4, 4};
        for (int liste = 1; liste <= 4; ++liste) {
            auto* c = essai::controle<QComboBox>(QStringLiteral("Combo%1").arg(liste).toUtf8().constData());
            QCOMPARE(c->count(), attendus[liste - 1]);
            QCOMPARE(c->currentIndex(), -1);
            QCOMPARE(c->currentText(), QString());
        }
        auto* listes = essai::controle<QComboBox>("Combo2");
        QCOMPARE(listes->itemText(0), QStringLiteral("Liste de classes (alphabétique)"));
        QCOMPARE(listes->itemText(6), reports::Separateur);
        QCOMPARE(listes->itemText(12), reports::Separateur);
        QCOMPARE(listes->itemText(13), QStringLiteral("Registre matricule"));
        QCOMPARE(essai::controle<QLineEdit>("Text4")->text(), QStringLiteral("1"));
        QVERIFY(essai::controle<QRadioButton>("Option1_0")->isChecked());
    }

    // Every item names a template that the ready program folder holds.
    void modeles_presents() {
        for (const auto& e : reports::elements_traitements()) {
            if (e.separateur()) continue;
            QVERIFY2(QFile::exists(essai::dossier_programme() + e.modele), qPrintable(e.modele));
            if (!e.modele_si_non.isEmpty())
                QVERIFY2(QFile::exists(essai::dossier_programme() + e.modele_si_non), qPrintable(e.modele_si_non));
        }
    }

    void rien_a_imprimer_data() {
        QTest::addColumn<int>("liste");
        QTest::addColumn<QString>("libelle");
        QTest::newRow("aucun élément") << 2 << QString();
        QTest::newRow("séparateur des listes") << 2 << reports::Separateur;
        QTest::newRow("séparateur des étiquettes") << 3 << reports::Separateur;
        QTest::newRow("séparateur des documents") << 4 << reports::Separateur;
    }
    void rien_a_imprimer() {
        QFETCH(int, liste);
        QFETCH(QString, libelle);
        auto& cr = report::CrystalReport1();
        cr.setReportFileName(QStringLiteral("témoin.rpt"));
        cr.setSelectionFormula(QStringLiteral("témoin"));
        essai::choisir(liste, libelle);
        essai::sortie(2);
        essai::imprimer(liste);
        QVERIFY(boites_->vues.isEmpty());
        QCOMPARE(cr.ReportFileName(), QStringLiteral("témoin.rpt"));
        QCOMPARE(cr.SelectionFormula(), QStringLiteral("témoin"));
        QCOMPARE(cr.DataFiles(0), Module1::chemin_base);
    }

    void liste_electorale_data() {
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QString>("modele");
        QTest::newRow("sans adresses") << int(forms::Oui) << "liste_électorale.rpt";
        QTest::newRow("avec adresses") << int(forms::Non) << "liste_électorale2.rpt";
    }
    void liste_electorale() {
        QFETCH(int, reponse);
        QFETCH(QString, modele);
        essai::filtre("2", "CE1", "3");
        boites_->repondre(reponse);
        // A file of each row's own: writing over the other's would ask first.
        const QString fichier = vers_fichier(2, QStringLiteral("Liste électorale"), QStringLiteral("electorale_%1").arg(reponse));
        QCOMPARE(boites_->vues.size(), 2);
        QCOMPARE(boites_->vues[0].texte,
                 QStringLiteral("Voulez-vous éditer une liste électorale sans l'indication des adresses?"));
        QCOMPARE(boites_->vues[0].style, forms::styles::OuiNon + forms::styles::Avertissement);
        QCOMPARE(report::CrystalReport1().ReportFileName(), essai::dossier_programme() + modele);
        QCOMPARE(report::CrystalReport1().SelectionFormula(), Aine);
        QVERIFY(QFileInfo(fichier).size() > 0);
    }

    // Items with a selection of their own ignore the boxes; the others follow them.
    void selections_data() {
        QTest::addColumn<int>("liste");
        QTest::addColumn<QString>("libelle");
        QTest::addColumn<QString>("formule");
        QTest::addColumn<QString>("message");
        const QString filtre = QStringLiteral("{élèves.niveau_classe_élève} = \"CM1\"");
        QTest::newRow("association") << 2 << "Liste Association"
                                     << Aine + " AND {familles.communication_données} = \"oui\""
                                     << "Seules les familles ayant accordé l'autorisation de communiquer "
                                        "leurs données personnelles non-confidentielles sont concernées par cette liste.";
        QTest::newRow("liste A") << 2 << "Liste A" << "{élèves.niveau_classe_élève} = \"CM2\""
                                 << "Seules les classes de CM2 sont concernées par la LISTE A.";
        QTest::newRow("liste B") << 2 << "Liste B" << filtre
                                 << "Seuls les élèves de 12 ans (et +), scolarisés dans des classes "
                                    "inférieures au CM2, sont concernés par la LISTE B.";
        QTest::newRow("étiquettes électorales") << 3 << "Etiquettes électorales" << Aine << "";
        QTest::newRow("fiche vierge") << 4 << "Fiche vierge" << "" << "";
        QTest::newRow("registre") << 2 << "Registre matricule" << filtre << "";
        QTest::newRow("statistique") << 1 << "Répartition par âges" << filtre << "";
    }
    void selections() {
        QFETCH(int, liste);
        QFETCH(QString, libelle);
        QFETCH(QString, formule);
        QFETCH(QString, message);
        essai::filtre("TOUS", "CM1", "TOUTES");
        report::CrystalReport1().setSelectionFormula(QStringLiteral("témoin"));
        const QString fichier = vers_fichier(liste, libelle, QStringLiteral("sortie"));
        QCOMPARE(report::CrystalReport1().SelectionFormula(), formule);
        if (!message.isEmpty()) {
            QCOMPARE(boites_->vues.first().texte, message);
            QCOMPARE(boites_->vues.first().style, forms::styles::Information);
        }
        QVERIFY2(QFileInfo(fichier).size() > 0, qPrintable(report::CrystalReport1().derniereErreur()));
        QCOMPARE(boites_->derniere().texte == Interrompue, false);
    }

    void noms_de_fichier_data() {
        QTest::addColumn<QString>("reponse");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("dossier terminé par \\") << "C:\\Listes\\" << "C:\\Listes.RTF";
        QTest::newRow("dossier terminé par /") << "Listes/" << "Listes.RTF";
        QTest::newRow("suffixe en minuscules") << "  bilan.rtf  " << "bilan.rtf";
        QTest::newRow("sans suffixe") << "bilan" << "bilan.RTF";
        QTest::newRow("autre suffixe") << "bilan.txt" << "bilan.txt.RTF";
    }
    void noms_de_fichier() {
        QFETCH(QString, reponse);
        QFETCH(QString, attendu);
        essai::choisir(2, QStringLiteral("Liste de pointage"));
        essai::sortie(2);
        const bool blancs = reponse.startsWith(' ');
        boites_->saisir(blancs ? "  " + chemin(reponse.trimmed()) + "  " : chemin(reponse));
        essai::imprimer(2);
        const forms::BoiteVue saisie = boites_->vues.first();
        QVERIFY(saisie.saisie);
        QCOMPARE(saisie.texte, QStringLiteral("Entrez le chemin et le nom du fichier que vous souhaitez créer :"));
        QCOMPARE(saisie.titre, QStringLiteral("Exportation du traitement vers un fichier"));
        QCOMPARE(saisie.defaut, QDir::home().filePath(QStringLiteral("export_carnelis.rtf")));
        QCOMPARE(report::CrystalReport1().PrintFileName(), chemin(attendu));
        QVERIFY(QFileInfo(chemin(attendu)).size() > 0);
        QCOMPARE(boites_->vues.size(), 1);
        QCOMPARE(report::CrystalReport1().Destination(), 0);
    }

    // Cancel writes nothing (no file named only ".RTF"), yet leaves the control reset.
    void saisie_annulee() {
        auto& cr = report::CrystalReport1();
        cr.setPrintFileName(QStringLiteral("témoin.RTF"));
        essai::choisir(1, QStringLiteral("Répartition par sexes"));
        essai::sortie(2);
        boites_->annulerSaisie();
        essai::imprimer(1);
        QCOMPARE(boites_->vues.size(), 1);
        QCOMPARE(cr.PrintFileName(), QStringLiteral("témoin.RTF"));
        QVERIFY(!QFile::exists(QStringLiteral(".RTF")));
        QCOMPARE(cr.Destination(), 0);
        QCOMPARE(cr.CopiesToPrinter(), 1);
    }

    // A template that cannot run is told with its file, line and fault, before any file name
    // is asked and without writing a file.
    void modele_incorrect_explique() {
        QTemporaryDir programme;
        for (const QString& nom : QDir(essai::dossier_programme()).entryList({QStringLiteral("*.rpt")}))
            QFile::copy(essai::dossier_programme() + nom, programme.filePath(nom));
        const auto ecrire = [&](const QByteArray& texte) {
            QFile f(programme.filePath(QStringLiteral("liste_classes.rpt")));
            QFile::remove(f.fileName());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(texte);
        };
        Module1::chemin_programme = programme.path() + '/';
        essai::choisir(2, QStringLiteral("Liste de classes (alphabétique)"));
        essai::sortie(2);
        ecrire("[rapport]\ntri = {élèves.nom_élève}\n[détail]\nligne = [gras 12] {élèves.nom_élève\n");
        essai::imprimer(2);
        QCOMPARE(boites_->vues.size(), 1);
        QCOMPARE(boites_->derniere().texte,
                 Interrompue + QStringLiteral("\n\nModèle d'édition « liste_classes.rpt » incorrect, ligne 4 : accolade non fermée"));
        QCOMPARE(boites_->derniere().style, forms::styles::Avertissement);

        ecrire("[rapport]\n[détail]\nligne = {élèves.classe_inconnue}\n");
        essai::imprimer(2);
        QCOMPARE(boites_->vues.size(), 2);
        QVERIFY(boites_->derniere().texte.contains(QStringLiteral("liste_classes.rpt")));
        QVERIFY(boites_->derniere().texte.contains(QStringLiteral("{élèves.classe_inconnue}")));
        QCOMPARE(QDir(programme.path()).entryList({QStringLiteral("*.RTF")}), QStringList());
    }

    // An existing file is replaced only on Yes (No by default), for the .RTF as for the PDF
    // offered when no printer is installed; a file that cannot be written is told with why.
    void fichier_existant_ou_impossible_a_ecrire() {
        const QString question = QStringLiteral("Attention, le fichier d'exportation existe déjà... "
                                                "Il sera remplacé par le nouveau. Voulez-vous continuer ?");
        const auto lire = [](const QString& f) {
            QFile fichier(f);
            return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
        };
        const auto garder = [](const QString& f) {
            QFile fichier(f);
            QVERIFY(fichier.open(QIODevice::WriteOnly));
            fichier.write("à garder");
        };
        essai::choisir(2, QStringLiteral("Liste de pointage"));
        essai::sortie(2);
        const QString rtf = chemin(QStringLiteral("pointage.RTF"));
        garder(rtf);
        boites_->saisir(rtf).repondre(forms::Non);
        essai::imprimer(2);
        QCOMPARE(boites_->vues.size(), 2);
        QCOMPARE(boites_->vues[1].texte, question);
        QCOMPARE(boites_->vues[1].style, forms::styles::OuiNon + forms::styles::Question + forms::styles::DeuxiemeParDefaut);
        QCOMPARE(lire(rtf), QByteArray("à garder"));
        boites_->effacer();
        boites_->saisir(rtf).repondre(forms::Oui);
        essai::imprimer(2);
        QCOMPARE(boites_->vues.size(), 2);
        QVERIFY(lire(rtf).startsWith("{\\rtf"));

        boites_->effacer();
        const QString long_ = chemin(QString(300, QLatin1Char('n')) + QStringLiteral(".RTF"));
        boites_->saisir(long_);
        essai::imprimer(2);
        QCOMPARE(boites_->derniere().texte, Interrompue + QStringLiteral("\n\nNom de fichier incorrect : « %1 » est trop long.").arg(long_));
        test::Montage plein(chemin(QStringLiteral("plein")), QStringLiteral("size=64k"));
        if (plein.monte) {
            test::remplir(plein.point, 0);
            boites_->effacer();
            boites_->saisir(plein.point + QStringLiteral("/pointage.RTF"));
            essai::imprimer(2);
            QVERIFY2(boites_->derniere().texte.startsWith(Interrompue + QStringLiteral("\n\nDisque plein : ")),
                     qPrintable(boites_->derniere().texte));
            QVERIFY(!QFile::exists(plein.point + QStringLiteral("/pointage.RTF")));
        }

        if (!QPrinterInfo::defaultPrinter().isNull()) return;
        essai::sortie(1);
        const QString pdf = chemin(QStringLiteral("pointage.pdf"));
        garder(pdf);
        boites_->effacer();
        boites_->saisir(pdf).repondre(forms::Non);
        essai::imprimer(2);
        QCOMPARE(boites_->vues.size(), 2);
        QCOMPARE(boites_->vues[1].texte, question);
        QCOMPARE(lire(pdf), QByteArray("à garder"));
    }

    void impression_refusee() {
        QTemporaryDir vide;
        Module1::chemin_programme = vide.path() + '/';
        essai::choisir(2, QStringLiteral("Liste Mairie"));
        essai::sortie(1);
        essai::controle<QLineEdit>("Text4")->setText(QStringLiteral("5"));
        essai::imprimer(2);
        QCOMPARE(boites_->vues.size(), 1);
        QVERIFY(boites_->derniere().texte.startsWith(Interrompue));
        QVERIFY(boites_->derniere().texte.contains(QStringLiteral("liste_mairie.rpt")));
        QCOMPARE(boites_->derniere().style, forms::styles::Avertissement);
        QCOMPARE(boites_->derniere().titre, forms::titre_application());
        QCOMPARE(report::CrystalReport1().CopiesToPrinter(), 1);
        QCOMPARE(report::CrystalReport1().Destination(), 0);
    }

    // "Imprimante" sends the leading number of the copies box to the printer; with no printer
    // a PDF file is offered instead, and the copies go back to 1 after it.
    void exemplaires_a_l_imprimante_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("copies");
        QTest::newRow("nombre") << "5" << 5;
        QTest::newRow("blanc devant") << " 3" << 3;
        QTest::newRow("lettre après") << "7a" << 7;
        QTest::newRow("sans chiffre") << "ab" << 0;
    }
    void exemplaires_a_l_imprimante() {
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("une imprimante est installée : aucun fichier PDF n'est proposé");
        QFETCH(QString, texte);
        QFETCH(int, copies);
        auto repondeur = std::make_unique<RepondeurCopies>();
        RepondeurCopies& boites = *repondeur;
        forms::installer_repondeur(std::move(repondeur));
        essai::choisir(2, QStringLiteral("Liste de pointage"));
        essai::sortie(1);
        essai::controle<QLineEdit>("Text4")->setText(texte);
        boites.annulerSaisie();
        essai::imprimer(2);
        QCOMPARE(boites.vues.size(), 1);
        QVERIFY(boites.derniere().saisie);
        QCOMPARE(boites.derniere().titre, QStringLiteral("Impression en PDF"));
        QCOMPARE(boites.copies, QVector<int>{copies});
        QCOMPARE(report::CrystalReport1().CopiesToPrinter(), 1);
        QCOMPARE(report::CrystalReport1().Destination(), 0);
    }

    // A class list under a class filter, the class typed in small letters, holds that class's
    // pupils and no others (names that are also a first name in the class are left out of the
    // second check).
    void filtre_applique_aux_eleves() {
        auto base = db::BaseDonnees::ouvrir(Module1::chemin_base);
        const auto classes = base->requete(QStringLiteral(
            "SELECT \"référence_classe_élève\" FROM \"élèves\" WHERE \"référence_classe_élève\" <> '' "
            "GROUP BY 1 ORDER BY COUNT(*) DESC LIMIT 1"));
        QVERIFY(!classes.lignes.isEmpty());
        const QString classe = classes.lignes[0][0].toString();
        const auto dedans = base->requete(QStringLiteral(
            "SELECT \"nom_élève\" FROM \"élèves\" WHERE \"référence_classe_élève\" = ?"), {classe});
        const auto dehors = base->requete(QStringLiteral(
            "SELECT \"nom_élève\" FROM \"élèves\" WHERE \"référence_classe_élève\" <> ? AND \"nom_élève\" NOT IN "
            "(SELECT \"nom_élève\" FROM \"élèves\" WHERE \"référence_classe_élève\" = ? "
            "UNION SELECT \"prénom_élève\" FROM \"élèves\" WHERE \"référence_classe_élève\" = ?)"),
            {classe, classe, classe});
        base->Close();

        essai::filtre("TOUS", "TOUS", classe.toLower());
        const QString texte = essai::texte_rtf(
            vers_fichier(2, QStringLiteral("Liste de classes (alphabétique)"), QStringLiteral("classe.rtf")));
        for (const auto& l : dedans.lignes) QVERIFY2(texte.contains(l[0].toString()), qPrintable(l[0].toString()));
        for (const auto& l : dehors.lignes) QVERIFY2(!texte.contains(l[0].toString()), qPrintable(l[0].toString()));
    }

    // A statistics page names the school and the filter it was printed under; a later print
    // under another filter shows the new one.
    void statistique_nomme_ecole_et_filtre() {
        auto base = db::BaseDonnees::ouvrir(Module1::chemin_base);
        const QString ecole = base->requete(QStringLiteral("SELECT \"nom_école\" FROM \"école\"")).lignes.value(0).value(0).toString();
        base->Close();
        QVERIFY(!ecole.isEmpty());
        essai::filtre("2", "CE1", "TOUTES");
        QString texte = essai::texte_rtf(vers_fichier(1, QStringLiteral("Répartition par CSP des responsables légaux"), QStringLiteral("s1.rtf")));
        QVERIFY2(texte.contains(ecole), qPrintable(texte.left(400)));
        QVERIFY2(texte.contains(QStringLiteral("Cycle : 2 - Niveau : CE1 - Classe : TOUTES")), qPrintable(texte.left(400)));
        essai::filtre("TOUS", "TOUS", "TOUTES");
        texte = essai::texte_rtf(vers_fichier(1, QStringLiteral("Répartition par sexes"), QStringLiteral("s2.rtf")));
        QVERIFY(texte.contains(QStringLiteral("Cycle : TOUS - Niveau : TOUS - Classe : TOUTES")));
    }

    // What is typed in a filter box is looked for as typed: a quote cannot widen the selection.
    void filtre_tape_avec_guillemets() {
        essai::filtre("TOUS", "TOUS", QStringLiteral("x\" OR \"1\"=\"1"));
        const QString fichier = vers_fichier(2, QStringLiteral("Liste de classes (alphabétique)"), QStringLiteral("g.rtf"));
        QCOMPARE(boites_->vues.size(), 1);
        const QString texte = essai::texte_rtf(fichier);
        QVERIFY2(texte.contains(QStringLiteral("Effectif total : 0 élève(s)")), qPrintable(texte.left(400)));
    }

    void nombre_exemplaires_et_fermeture() {
        auto* barre = essai::controle<QScrollBar>("HScroll1");
        QCOMPARE(barre->minimum(), 1);
        QCOMPARE(barre->maximum(), 99);
        barre->setValue(42);
        QCOMPARE(essai::controle<QLineEdit>("Text4")->text(), QStringLiteral("42"));
        essai::controle<QLineEdit>("Text4")->setText(QStringLiteral("7"));
        QCOMPARE(barre->value(), 42);

        essai::traitements().afficher();
        essai::filtre("2", "TOUS", "TOUTES");
        QTest::mouseClick(essai::controle<QWidget>("cmdFermer"), Qt::LeftButton);
        QVERIFY(!essai::traitements().estAffichee());
        QVERIFY(forms::Feuilles::estChargee(noms::traitements));
        QCOMPARE(essai::controle<QLineEdit>("Text1")->text(), QStringLiteral("2"));
    }

    // In the main window, after a maximised preview, the window opens at its own size, both
    // shown again after "&Fermer" and loaded afresh.
    void taille_propre_apres_un_apercu_maximise() {
        QMainWindow principale;
        auto* zone = new QMdiArea;
        principale.setCentralWidget(zone);
        principale.resize(1400, 1000);
        forms::Feuilles::definirZone(zone);
        principale.show();
        essai::traitements().afficher();
        QCoreApplication::processEvents();
        QMdiSubWindow* cadre = essai::traitements().sousFenetre();
        QVERIFY(cadre && !cadre->isMaximized());
        const QSize taille = cadre->size();
        QVERIFY(taille.width() < zone->viewport()->width());

        for (bool recharger : {false, true}) {
            essai::choisir(2, QStringLiteral("Liste de classes (alphabétique)"));
            essai::sortie(0);
            essai::imprimer(2);
            QCOMPARE(boites_->vues.size(), 0);
            QMdiSubWindow* apercu = report::FenetreApercu::instance().sousFenetre();
            QVERIFY(apercu && apercu->isMaximized());
            if (recharger) {
                essai::traitements().decharger();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            } else {
                QTest::mouseClick(essai::controle<QWidget>("cmdFermer"), Qt::LeftButton);
            }
            essai::traitements().afficher();
            QCoreApplication::processEvents();
            cadre = essai::traitements().sousFenetre();
            QVERIFY(cadre && cadre->isVisible());
            QVERIFY(!cadre->isMaximized());
            QCOMPARE(cadre->size(), taille);
            QCOMPARE(zone->activeSubWindow(), cadre);
        }
        forms::Feuilles::toutDecharger();
        forms::Feuilles::definirZone(nullptr);
    }
};

}  // namespace

QObject* essai_traitements() { return new EssaiTraitements; }

#include "test_traitements.moc"
