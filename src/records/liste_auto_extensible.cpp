#include "records/liste_auto_extensible.h"
#include "platform/forms/controle_donnees.h"
#include "platform/forms/controles_simples.h"
#include "platform/db/dialecte.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/descriptions_fenetres.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/noms_feuilles.h"
#include "platform/forms/grille_donnees.h"
#include "partage/module1.h"
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

using forms::u;

namespace listes_auto {

namespace {

const char* const Adresse = "L'adresse saisie n'existait pas dans la table 'adresses'.";
const char* const Assertion = "L'assertion saisie n'existait pas dans la table 'assertions'.";

Instance i(const QString& fenetre, const char* champ, const QString& liste, const char* premiereLigne) {
    return {fenetre, u(champ), liste, u(premiereLigne)};
}

}  // namespace

const QVector<Instance>& table() {
    static const QVector<Instance> t = {
        i(noms::famille, "Text2", noms::adresses, Adresse),
        i(noms::famille, "Text7", noms::adresses, Adresse),
        i(noms::famille, "Text11", noms::situations_familiales,
          "La situation familiale saisie n'existait pas dans la table 'situations_familiales'."),
        i(noms::famille, "société_assurance", noms::assurances,
          "La société d'assurance saisie n'existait pas dans la table 'assurances'."),
        i(noms::famille, "élection_comité_responsable_légal", noms::assertions, Assertion),
        i(noms::famille, "élection_comité_conjoint", noms::assertions, Assertion),
        i(noms::famille, "communication_données", noms::assertions, Assertion),

        i(noms::eleve, "adresse_résidence", noms::adresses, Adresse),
        i(noms::eleve, "sexe", noms::sexe,
          "Le sexe saisi n'existait pas dans la table 'sexes'."),
        i(noms::eleve, "langue_vivante_élève", noms::langues_vivantes, "La langue vivante saisie n'existait pas dans la table 'langues_vivantes'."),
    };
    return t;
}

QString Instance::table() const { return forms::description(liste).table; }

const Instance* chercher(const QString& fenetre, const QString& champ) {
    for (const Instance& x : table())
        if (x.fenetre == fenetre && x.champ == champ) return &x;
    return nullptr;
}

void completer(const Instance& instance, const QString& texte) {
    if (texte.isEmpty()) return;
    forms::ControleDonnees* liste = nullptr;
    const forms::DescriptionFenetre& description = forms::description(instance.liste);
    const QString complete = QStringLiteral("SELECT * FROM ") + description.table;
    const bool reussi = forms::pieger([&] {
        Module1::ouvrir_table(description.liant);
        forms::Feuille& fenetre = forms::Feuilles::charger(instance.liste);
        liste = fenetre.controle<forms::ControleDonnees>(QStringLiteral("datPrimaryRS"));
        // The text is looked for as typed: a quote cannot end the constant, "#" and "[" stand
        // for themselves, while "*" and "?" keep their meaning of wildcards.
        liste->setRecordSource(complete + QStringLiteral(" WHERE détails LIKE ") +
                               db::dialecte::entre_guillemets(db::dialecte::motif_tape(texte)));
        liste->Refresh();
        auto& rs = liste->Recordset();
        if (rs.Eof() && rs.Bof()) {
            rs.AddNew();
            auto* grille = fenetre.controle<forms::GrilleDonnees>(QStringLiteral("grdDataGrid"));
            grille->setCol(0);
            grille->setText(texte);
            liste->UpdateRecord();
            rs.setBookmark(rs.LastModified());
            forms::boite_message(
                instance.premiereLigne + QStringLiteral("\n\nCette donnée a été ajoutée dans la table connexe..."),
                forms::styles::Information);
        }
        liste->setRecordSource(complete);
        liste->Refresh();
    });
    // After a failure the list is widened all the same, so that a list the user has open
    // does not stay narrowed to the text; a second failure here has been told already.
    if (!reussi && liste) {
        forms::ignorer_erreur([&] {
            if (liste->Recordset().EditMode() != 0) liste->Recordset().CancelUpdate();
            liste->setRecordSource(complete);
            liste->Refresh();
        });
    }
}

namespace {

// Leaving the field runs its instance once control is back in the event loop, so that the
// message never opens in the middle of a focus change.
class Surveillant : public QObject {
public:
    Surveillant(QLineEdit* champ, QWidget* fenetre, const Instance& instance)
        : QObject(champ), champ_(champ), fenetre_(fenetre), instance_(instance) {
        champ->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objet, QEvent* e) override {
        if (objet != champ_ || e->type() != QEvent::FocusOut) return false;
        const auto raison = static_cast<QFocusEvent*>(e)->reason();
        // Another application or a message box taking the focus, or the window going away,
        // is no leaving of the field; turning to another tab is.
        if (raison == Qt::ActiveWindowFocusReason || raison == Qt::PopupFocusReason || !fenetre_->isVisible())
            return false;
        const QString texte = champ_->text();
        if (texte.isEmpty()) return false;
        QPointer<QLineEdit> champ = champ_;
        const Instance instance = instance_;
        QTimer::singleShot(0, [champ, instance, texte] {
            if (champ) completer(instance, texte);
        });
        return false;
    }

private:
    QLineEdit* champ_;
    QWidget* fenetre_;
    Instance instance_;
};

}  // namespace

void installer(forms::Feuille& fenetre) {
    for (const Instance& x : table()) {
        if (x.fenetre != fenetre.nom()) continue;
        if (auto* champ = fenetre.findChild<QLineEdit*>(x.champ)) new Surveillant(champ, &fenetre, x);
    }
}

}  // namespace listes_auto
