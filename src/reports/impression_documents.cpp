#include "reports/impression_documents.h"
#include "platform/texte/jour.h"
#include "platform/forms/commandes.h"
#include "platform/forms/fenetre_donnees.h"
#include "platform/forms/noms_feuilles.h"

#include "platform/forms/controle_donnees.h"
#include "platform/db/dialecte.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/grille_donnees.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/pointeur.h"
#include "platform/report/crystal_report.h"
#include "reports/feuille_documents.h"
#include "partage/module1.h"
#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace documents {

namespace {

const QString& Eleve = noms::eleve;
const QString& Famille = noms::famille;
const QString& Ecole = noms::ecole;

forms::Feuille& feuille(const QString& nom) { return forms::Feuilles::charger(nom); }

// The text a control of a window shows, whatever kind of box it is.
QString texte(const QString& fenetre, const QString& nom) {
    QWidget* w = feuille(fenetre).controle<QWidget>(nom);
    if (auto* z = qobject_cast<QLineEdit*>(w)) return z->text();
    if (auto* z = qobject_cast<QPlainTextEdit*>(w)) return z->toPlainText();
    if (auto* z = qobject_cast<QLabel*>(w)) return z->text();
    return w->property("text").toString();
}

forms::GrilleDonnees* grille_documents() {
    return feuille(Eleve).controle<forms::GrilleDonnees>(QStringLiteral("grdDataGrid"));
}

// The row selected in the list of templates, when there is one.
QVariant signet_selectionne() {
    QVariant signet;
    forms::ignorer_erreur([&] {
        signet = feuille(Eleve).controle<forms::ControleDonnees>(QStringLiteral("Data2"))->Recordset().Bookmark();
    });
    return signet;
}

// Binds the template window and puts it on the template selected in the list: the row
// selected itself (two templates may bear one name), else the first bearing its name.
// False when none does.
bool trouver_gabarit(const QString& nom, const QVariant& signet) {
    Module1::ouvrir_table_documents();
    auto& rs = feuille(noms::documents)
                   .controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"))
                   ->Recordset();
    if (signet.isValid()) {
        bool trouve = false;
        forms::ignorer_erreur([&] {
            rs.setBookmark(signet);
            trouve = rs.texte(QStringLiteral("intitulé_bouton")) == nom;
        });
        if (trouve) return true;
    }
    rs.FindFirst(critere_document(nom));
    return !rs.NoMatch();
}

QString aujourdhui() { return jour::aujourdhui().toString(QStringLiteral("dd/MM/yyyy")); }

}  // namespace

void imprimer_fiche_eleve() {
    forms::pieger(
        [] {
            // The sheet is read from the file: what the window shows is saved first, by the rule
            // for leaving a record (a user who goes back to the record prints nothing).
            if (auto* fenetre = qobject_cast<forms::FenetreDonnees*>(&feuille(Eleve)); fenetre && !fenetre->quitterFiche())
                return;
            auto& cr = report::CrystalReport1();
            cr.setReportFileName(Module1::chemin_programme + QStringLiteral("fiche_enfant.rpt"));
            cr.setDataFiles(0, Module1::chemin_base);
            cr.setSelectionFormula(QStringLiteral("{élèves.matricule} = ") +
                                   db::dialecte::entre_guillemets(texte(Eleve, QStringLiteral("matricule"))));
            cr.setDestination(report::destination::Fenetre);
            cr.setWindowState(2);
            cr.setAction(1);
        },
        forms::Prefixe::Donnees);
}

void modifier_document_selectionne() {
    forms::pieger([] {
        const QString nom = grille_documents()->Text();
        if (!trouver_gabarit(nom, signet_selectionne())) {
            auto* fenetre = &feuille(noms::documents);
            fenetre->controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"))->Recordset().AddNew();
        }
        feuille(noms::documents).afficher();
    });
}

Valeurs valeurs_eleve() {
    Valeurs v;
    Module1::ouvrir_table_ecole();
    const auto e = [](const char* nom) { return texte(Ecole, QString::fromUtf8(nom)); };
    v[0] = e("ville_école") + QStringLiteral(", ") + aujourdhui();

    // A pupil without a family, or whose family cannot be found, has a letter whose guardian
    // lines are given empty: the envelope's window stays blank instead of showing the date.
    for (int i = 1; i <= 4; ++i) v[i] = QString();
    const QString reference = texte(Eleve, QStringLiteral("référence_famille"));
    if (!reference.isEmpty()) {
        Module1::ouvrir_table_familles();
        auto* data = feuille(Famille).controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"));
        data->setRecordSource(QStringLiteral("SELECT * FROM familles"));
        data->Refresh();
        auto& rs = data->Recordset();
        rs.FindFirst(db::dialecte::critere_cle(QStringLiteral("référence_famille"), reference));
        if (rs.NoMatch()) {
            // Whatever the answer, the document goes on without a guardian: the family window
            // shows another family, whose name must not go out on this pupil's letter.
            forms::boite_message(QStringLiteral("La fiche de la famille n'existe pas... Créez-la!"),
                                 forms::styles::OuiNon + forms::styles::Question);
        } else {
            const auto f = [](const char* nom) { return texte(Famille, QString::fromUtf8(nom)); };
            v[1] = f("genre_responsable_légal") + ' ' + f("prénom_responsable_légal") + ' ' + f("nom_responsable_légal");
            v[2] = f("Text3") + QStringLiteral(", ") + f("Text2");
            v[3] = f("Text1");
            v[4] = f("Text5") + ' ' + f("Text4");
        }
    }

    v[8] = e("genre_directeur") + ' ' + e("prénom_directeur") + ' ' + e("nom_directeur") + QStringLiteral(", ") + e("Text2");
    const auto p = [](const char* nom) { return texte(Eleve, QString::fromUtf8(nom)); };
    v[10] = p("prénom_enfant") + ' ' + p("nom_enfant");
    v[11] = QStringLiteral("Inscrit sous le matricule n° ") + p("matricule") +
            QStringLiteral(" - Fréquentant la classe de ") + p("niveau_classe_élève") + QStringLiteral(" - cycle ") +
            p("cycle_classe_élève");
    v[12] = QStringLiteral("Date de naissance : ") + p("date_naissance") + QStringLiteral(" - Lieu de naissance : ") +
            p("lieu_naissance");
    v[18] = e("prénom_directeur") + ' ' + e("nom_directeur") + QStringLiteral(", ") + e("Text2");
    v[19] = e("nom_école") + QStringLiteral(" - ") + e("ville_école");
    return v;
}

void imprimer_document_selectionne() {
    forms::pieger(
        [] {
            const QString nom = grille_documents()->Text();
            if (!trouver_gabarit(nom, signet_selectionne())) {
                forms::boite_message(
                    QStringLiteral("Le document \"") + nom +
                        QStringLiteral("\" n'a pas été trouvé dans la table des documents... Opération impossible!"),
                    forms::styles::Avertissement);
                return;
            }
            const Valeurs v = valeurs_eleve();
            const Gabarit g = forms::Feuilles::obtenir<reports::FeuilleDocuments>(
                                  noms::documents)
                                  .gabarit();
            const bool directe =
                feuille(Eleve).controle<QCheckBox>(QStringLiteral("Check1"))->checkState() != Qt::Unchecked;
            imprimer_document(formules(g, v), selection_document(nom), directe);
        },
        forms::Prefixe::Donnees);
}

void enregistrer_commandes_eleve() {
    const auto definir = [](const char* bouton, void (*commande)()) {
        forms::definir_commande(forms::commande_du_bouton(noms::eleve, QString::fromUtf8(bouton)), commande);
    };
    definir("Command3", imprimer_fiche_eleve);
    definir("Command6", modifier_document_selectionne);
    definir("documents_suite", imprimer_document_selectionne);
}

}  // namespace documents
