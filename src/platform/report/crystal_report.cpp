#include "platform/report/crystal_report.h"
#include "platform/texte/jour.h"
#include "platform/db/copie_sure.h"

#include "platform/erreur.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/progression.h"
#include "platform/report/apercu.h"
#include "platform/report/donnees.h"
#include "platform/report/ecriture_rtf.h"
#include "platform/report/ecriture_xls.h"
#include "platform/report/impression.h"
#include "platform/report/mise_en_page.h"
#include "platform/report/modele.h"
#include "platform/report/peinture.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QMdiSubWindow>
#include <QSaveFile>

namespace report {

namespace {

struct Reglages {
    QMap<int, QString> donnees;
    QString modele;
    QMap<int, QString> formules;
    QString selection;
    int destination = destination::Fenetre;
    int etatFenetre = 0;
    int copies = 1;
    int typeFichier = type_fichier::TexteEnrichi;
    QString fichier;
    QString erreur;
    int raccourcies = 0;
    int sansFamille = 0;
};

Reglages& r() {
    static Reglages reglages;
    return reglages;
}

// The hourglass while a report runs, whatever way it ends.
struct Sablier {
    int avant = forms::pointeur_souris();
    Sablier() { forms::definir_pointeur_souris(forms::Sablier); }
    ~Sablier() { forms::definir_pointeur_souris(avant); }
};

// "nom= \"valeur\"" -> (nom, valeur). The value runs from the first to the last double quote;
// inside it a doubled double quote stands for one, as in every text constant of a formula.
// Without quotes the rest of the text is the value.
std::pair<QString, QString> formule_nommee(const QString& texte) {
    const int egal = texte.indexOf('=');
    if (egal <= 0) return {};
    const QString nom = texte.left(egal).trimmed();
    const QString reste = texte.mid(egal + 1).trimmed();
    const int debut = reste.indexOf('"'), fin = reste.lastIndexOf('"');
    if (debut == 0 && fin > debut) return {nom, reste.mid(1, fin - 1).replace(QLatin1String("\"\""), QLatin1String("\""))};
    return {nom, reste};
}

void ecrire(const QString& chemin, const QByteArray& octets) {
    QSaveFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size() || !f.commit())
        throw db::copie_sure::erreur_ecriture(f, chemin);
}

// A formula's error names the template it comes from.
formule::PNoeud selection_analysee(const QString& texte) {
    try {
        return formule::analyser(texte);
    } catch (const Erreur& e) {
        throw Erreur(e.numero, QStringLiteral("Formule de sélection « %1 » incorrecte : %2").arg(texte, e.texte));
    }
}

// What `lire` returns; a formula's error in it names the template `modele` it comes from.
template <class Lire>
auto au_nom_du_modele(const QString& modele, Lire&& lire) {
    try {
        return lire();
    } catch (const Erreur& e) {
        if (e.numero != 3075) throw;
        throw Erreur(e.numero, QStringLiteral("Modèle d'édition « %1 » : %2").arg(QFileInfo(modele).fileName(), e.texte));
    }
}

// `modele`: the template's file, named in a formula's error (the one set, by default).
Donnees donnees(const Modele& m, const QString& base, const formule::PNoeud& selection, const QDate& jour,
                bool verifier = false, const QString& modele = r().modele, const std::atomic<bool>* arret = nullptr) {
    return au_nom_du_modele(modele, [&] { return lire_donnees(m, base, selection, jour, verifier, arret); });
}

Modele modele_et_base(formule::PNoeud& selection, QString& base) {
    Reglages& s = r();
    const Modele m = lire_modele(s.modele);
    selection = selection_analysee(s.selection);
    base = s.donnees.value(0);
    if (m.source != Source::Aucune && !QFileInfo(base).isFile())
        throw Erreur(3024, QStringLiteral("Le fichier de données « %1 » est introuvable.").arg(base));
    return m;
}

// A workbook whose rows are written as the records are read, none held. `total`: the records
// counted beforehand, which its formulas may show.
QByteArray classeur_en_flot(const Modele& m, const QString& base, const formule::PNoeud& selection, const QDate& jour,
                            const Formules& formules, qint64 total) {
    std::unique_ptr<LignesTableau> table;
    std::unique_ptr<GenresEnFlot> genres;
    std::unique_ptr<ClasseurExcel> classeur;
    const auto commencer = [&](const Donnees& d) {
        table = std::make_unique<LignesTableau>(m, d, formules, jour, total);
        genres = std::make_unique<GenresEnFlot>(m, d);
        classeur = std::make_unique<ClasseurExcel>(m.titre, table->entetes(), genres->genres(), int(total));
    };
    qint64 rang = 0;
    const Donnees d = au_nom_du_modele(r().modele, [&] {
        return parcourir_donnees(m, base, selection, jour, [&](const Donnees& d) {
            if (!classeur) commencer(d);
            if (genres->voir(d.lignes[0])) classeur->definirGenres(genres->genres());
            classeur->ajouterLigne(table->cellules(0, ++rang));
        });
    });
    r().sansFamille = d.sansFamille;
    if (!classeur) commencer(d);
    return classeur->terminer();
}

// The report to the file set, rich text or workbook; `n`: the records counted for a workbook.
void ecrire_fichier(const Modele& m, const QString& base, const formule::PNoeud& selection, const QDate& jour,
                    const Formules& formules, qint64 n) {
    Reglages& s = r();
    if (s.typeFichier == type_fichier::Tableur && se_lit_en_flot(m)) {
        ecrire(s.fichier, classeur_en_flot(m, base, selection, jour, formules, n));
        return;
    }
    Donnees d = donnees(m, base, selection, jour);
    s.sansFamille = d.sansFamille;
    if (s.typeFichier == type_fichier::TexteEnrichi) {
        MiseEnPage mise(m, std::move(d), formules, jour);
        QString raison;
        if (!ecrire_texte_enrichi(mise, s.fichier, &raison)) throw Erreur(erreurs_execution::AccesFichier, raison);
        s.raccourcies = mise.etiquettes_raccourcies();
    } else {
        // Each record's row goes into the workbook as it is formatted.
        std::unique_ptr<ClasseurExcel> classeur;
        QString titre;
        QStringList entetes;
        bool premiere = true;
        parcourir_tableau(m, d, formules, jour, titre, entetes, [&](const QStringList& cellules) {
            if (premiere) classeur = std::make_unique<ClasseurExcel>(titre, entetes, genres_colonnes(m, d), int(d.lignes.size()));
            premiere = false;
            classeur->ajouterLigne(cellules);
        });
        if (!classeur) classeur = std::make_unique<ClasseurExcel>(titre, entetes, genres_colonnes(m, d), 0);
        d = Donnees{};
        ecrire(s.fichier, classeur->terminer());
    }
}

void executer() {
    Reglages& s = r();
    formule::PNoeud selection;
    QString base;
    const Modele m = modele_et_base(selection, base);
    Formules formules;
    for (const QString& f : s.formules) {
        const auto [nom, valeur] = formule_nommee(f);
        if (!nom.isEmpty()) formules.insert(nom, valeur);
    }
    const QDate jour = jour::aujourdhui();

    switch (s.destination) {
    case destination::Fenetre: {
        FenetreApercu::Preparation preparer;
        if (m.etiquettesColonnes > 0) {
            // A label sheet is laid out whole before it is shown, so that the labels shortened
            // to fit are counted.
            Donnees d = donnees(m, base, selection, jour);
            s.sansFamille = d.sansFamille;
            auto mise = std::make_shared<std::unique_ptr<MiseEnPage>>(
                std::make_unique<MiseEnPage>(m, std::move(d), formules, jour));
            while ((*mise)->avancer(1 << 20)) {}
            s.raccourcies = (*mise)->etiquettes_raccourcies();
            preparer = [mise](const std::atomic<bool>&) { return std::move(*mise); };
        } else {
            // A list is read and laid out away from the window, which shows its pages as they
            // come; what would refuse it (a field or formula the data do not offer) is found now.
            s.sansFamille = donnees(m, base, selection, jour, true).sansFamille;
            preparer = [m, base, selection, jour, formules, nom = s.modele](const std::atomic<bool>& arret) {
                return std::make_unique<MiseEnPage>(m, donnees(m, base, selection, jour, false, nom, &arret), formules, jour);
            };
        }
        FenetreApercu& f = FenetreApercu::instance();
        f.montrer(m.titre, std::move(preparer));
        f.afficher();
        if (QMdiSubWindow* cadre = f.sousFenetre()) {
            if (s.etatFenetre == 2) cadre->showMaximized();
        } else if (s.etatFenetre == 2) {
            f.showMaximized();
        }
        return;
    }
    case destination::Imprimante: {
        const Donnees d = donnees(m, base, selection, jour);
        s.sansFamille = d.sansFamille;
        const DocumentRendu doc = mettre_en_page(m, d, formules, jour);
        s.raccourcies = doc.etiquettesRaccourcies;
        // With no printer installed the user may name a PDF file instead; Cancel prints nothing.
        QString raison;
        if (imprimer_ou_pdf(doc, s.copies, &raison) == Impression::Echec)
            throw Erreur(erreurs_execution::ImprimanteAbsente, raison);
        return;
    }
    case destination::Fichier: {
        if (s.fichier.trimmed().isEmpty())
            throw Erreur(erreurs_execution::NomFichierIncorrect, QStringLiteral("Aucun nom de fichier n'est donné pour l'exportation."));
        if (s.typeFichier != type_fichier::TexteEnrichi && s.typeFichier != type_fichier::Tableur)
            throw Erreur(erreurs_execution::AppelIncorrect, QStringLiteral("Type de fichier d'exportation inconnu (%1).").arg(s.typeFichier));
        // A workbook holds 65,536 rows, the headings' included: known before any record is read.
        qint64 n = 0;
        if (s.typeFichier == type_fichier::Tableur) {
            n = donnees(m, base, selection, jour, true).compte;
            if (n + 1 > 65536)
                throw Erreur(erreurs_execution::AppelIncorrect,
                             QStringLiteral("Un classeur .XLS contient au plus 65 536 lignes : cette exportation en "
                                            "demanderait %1 (%2 enregistrements et la ligne des intitulés). "
                                            "Choisissez moins d'enregistrements avec le filtre.")
                                 .arg(QLocale(QLocale::French).toString(n + 1), QLocale(QLocale::French).toString(n)));
        }
        // The records are read and the file written away from the windows, which stay painted.
        forms::travailler_a_part(QStringLiteral("Écriture du fichier ") + QDir::toNativeSeparators(s.fichier) +
                                     QStringLiteral(" en cours..."),
                                 [&] { ecrire_fichier(m, base, selection, jour, formules, n); });
        return;
    }
    default:
        throw Erreur(erreurs_execution::AppelIncorrect, QStringLiteral("Destination d'édition inconnue (%1).").arg(s.destination));
    }
}

}  // namespace

void CrystalReport::setDataFiles(int index, const QString& chemin) { r().donnees[index] = chemin; }
QString CrystalReport::DataFiles(int index) const { return r().donnees.value(index); }
void CrystalReport::setReportFileName(const QString& chemin) { r().modele = chemin; }
QString CrystalReport::ReportFileName() const { return r().modele; }
void CrystalReport::setFormulas(int index, const QString& formule) { r().formules[index] = formule; }
QString CrystalReport::Formulas(int index) const { return r().formules.value(index); }
void CrystalReport::setSelectionFormula(const QString& formule) { r().selection = formule; }
QString CrystalReport::SelectionFormula() const { return r().selection; }
void CrystalReport::setDestination(int d) { r().destination = d; }
int CrystalReport::Destination() const { return r().destination; }
void CrystalReport::setWindowState(int etat) { r().etatFenetre = etat; }
int CrystalReport::WindowState() const { return r().etatFenetre; }
void CrystalReport::setCopiesToPrinter(int copies) { r().copies = copies; }
int CrystalReport::CopiesToPrinter() const { return r().copies; }
void CrystalReport::setPrintFileType(int type) { r().typeFichier = type; }
int CrystalReport::PrintFileType() const { return r().typeFichier; }
void CrystalReport::setPrintFileName(const QString& chemin) { r().fichier = chemin; }
QString CrystalReport::PrintFileName() const { return r().fichier; }
QString CrystalReport::derniereErreur() const { return r().erreur; }

QString CrystalReport::verifier() {
    r().erreur.clear();
    try {
        formule::PNoeud selection;
        QString base;
        const Modele m = modele_et_base(selection, base);
        donnees(m, base, selection, jour::aujourdhui(), true);
    } catch (const Erreur& e) {
        r().erreur = e.texte;
    } catch (const std::exception& e) {
        r().erreur = QString::fromLocal8Bit(e.what());
    }
    return r().erreur;
}

int CrystalReport::etiquettesRaccourcies() const { return r().raccourcies; }
int CrystalReport::elevesSansFamille() const { return r().sansFamille; }

int CrystalReport::PrintReport() {
    r().erreur.clear();
    r().raccourcies = 0;
    r().sansFamille = 0;
    Sablier sablier;
    try {
        executer();
        return 0;
    } catch (const Erreur& e) {
        r().erreur = e.texte;
        return e.numero != 0 ? e.numero : -1;
    } catch (const std::exception& e) {
        r().erreur = QString::fromLocal8Bit(e.what());
        return -1;
    }
}

void CrystalReport::setAction(int action) {
    if (action != 1) return;
    const int resultat = PrintReport();
    if (resultat != 0) throw Erreur(resultat, derniereErreur());
}

CrystalReport& CrystalReport1() {
    static CrystalReport controle;
    return controle;
}

}  // namespace report
