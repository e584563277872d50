#include "platform/forms/boites.h"

#include <algorithm>

#include "platform/forms/erreurs_boites.h"
#include "platform/forms/clavier.h"
#include <QPointer>

#include <QApplication>
#include <QFileInfo>
#include <algorithm>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace forms {

namespace {

QString& titre_courant() {
    static QString titre = QStringLiteral("Carnelis v2");
    return titre;
}

std::unique_ptr<Repondeur>& repondeur() {
    static std::unique_ptr<Repondeur> r;
    if (!r) {
        r = std::make_unique<RepondeurEcran>();
        installer_affichage_erreurs_controles();
    }
    return r;
}

// The button sets a style can ask for, in the order they appear, first one the default.
struct Bouton { QMessageBox::StandardButton qt; int code; const char* texte; };

QVector<Bouton> boutons_du_style(int style) {
    const Bouton ok{QMessageBox::Ok, OK, "OK"};
    const Bouton annuler{QMessageBox::Cancel, Annuler, "Annuler"};
    const Bouton abandonner{QMessageBox::Abort, Abandonner, "Abandonner"};
    const Bouton reessayer{QMessageBox::Retry, Reessayer, "Réessayer"};
    const Bouton ignorer{QMessageBox::Ignore, Ignorer, "Ignorer"};
    // O and N answer Yes and No, with or without Alt.
    const Bouton oui{QMessageBox::Yes, Oui, "&Oui"};
    const Bouton non{QMessageBox::No, Non, "&Non"};
    switch (style & 0x0F) {
        case styles::OKAnnuler:
            return {ok, annuler};
        case styles::AbandonnerReessayerIgnorer:
            return {abandonner, reessayer, ignorer};
        case styles::OuiNonAnnuler:
            return {oui, non, annuler};
        case styles::OuiNon:
            return {oui, non};
        case styles::ReessayerAnnuler:
            return {reessayer, annuler};
        default:
            return {ok};
    }
}

QMessageBox::Icon icone_du_style(int style) {
    switch (style & 0x70) {
        case styles::Critique:
            return QMessageBox::Critical;
        case styles::Question:
            return QMessageBox::Question;
        case styles::Avertissement:
            return QMessageBox::Warning;
        case styles::Information:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// The button that Enter presses: the first, or the second or third when the style adds 256
// or 512.
int indice_par_defaut(int style) {
    const int n = int(boutons_du_style(style).size());
    return std::min((style >> 8) & 3, n - 1);
}

// What a box answers when nobody chooses: its default button.
int bouton_par_defaut(int style) { return boutons_du_style(style).at(indice_par_defaut(style)).code; }

QString ou_titre_application(const QString& titre) {
    return titre.isEmpty() ? titre_application() : titre;
}

}  // namespace

QString titre_application() { return titre_courant(); }
void definir_titre_application(const QString& titre) { titre_courant() = titre; }

int boite_message(const QString& texte, int style, const QString& titre) {
    // The box over, the keyboard is where it was.
    const QPointer<QWidget> avant = QApplication::focusWidget();
    const int reponse = repondeur()->message(texte, style, ou_titre_application(titre));
    rendre_focus(avant);
    return reponse;
}

bool remplacement_accepte(const QString& chemin) {
    if (!QFileInfo::exists(chemin)) return true;
    return boite_message(QStringLiteral("Attention, le fichier d'exportation existe déjà... "
                                        "Il sera remplacé par le nouveau. Voulez-vous continuer ?"),
                         styles::OuiNon + styles::Question + styles::DeuxiemeParDefaut) == Oui;
}

QString boite_saisie(const QString& invite, const QString& titre, const QString& defaut) {
    const QPointer<QWidget> avant = QApplication::focusWidget();
    const QString reponse = repondeur()->saisie(invite, ou_titre_application(titre), defaut).value_or(QString());
    rendre_focus(avant);
    // An answer is one line of text: a control character (a NUL, a line break pasted with it)
    // cannot be looked for, stored or given to a file name, and is refused, told, as a cancel.
    const bool controle = std::any_of(reponse.begin(), reponse.end(),
                                      [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
    if (!controle) return reponse;
    boite_message(
        QStringLiteral("Le texte saisi contient un caractère de contrôle invisible (caractère nul, tabulation "
                       "ou saut de ligne, souvent venu d'un copier-coller) : il ne peut pas être pris en "
                       "compte.\n\nSaisie refusée : retapez le texte."),
        styles::Avertissement);
    return QString();
}

int RepondeurEcran::message(const QString& texte, int style, const QString& titre) {
    QMessageBox boite(QApplication::activeWindow());
    boite.setWindowTitle(titre);
    // Plain text: a typed "<" never turns the message into markup; line feeds break lines.
    boite.setTextFormat(Qt::PlainText);
    boite.setText(texte);
    boite.setIcon(icone_du_style(style));
    const QVector<Bouton> boutons = boutons_du_style(style);
    for (const Bouton& b : boutons) {
        QAbstractButton* bouton = boite.addButton(b.qt);
        bouton->setText(QString::fromUtf8(b.texte));
    }
    boite.setDefaultButton(boutons.at(indice_par_defaut(style)).qt);
    boite.exec();
    const QAbstractButton* clique = boite.clickedButton();
    for (const Bouton& b : boutons)
        if (clique && clique == boite.button(b.qt)) return b.code;
    // Closed without a button: the escape answer, or the only button.
    for (int echappe : {Annuler, Non})
        for (const Bouton& b : boutons)
            if (b.code == echappe) return b.code;
    return boutons.first().code;
}

std::optional<QString> RepondeurEcran::saisie(const QString& invite, const QString& titre,
                                              const QString& defaut) {
    QInputDialog boite(QApplication::activeWindow());
    boite.setInputMode(QInputDialog::TextInput);
    boite.setWindowTitle(titre);
    boite.setLabelText(invite);
    boite.setTextValue(defaut);
    boite.setOkButtonText(QStringLiteral("OK"));
    boite.setCancelButtonText(QStringLiteral("Annuler"));
    if (boite.exec() != QDialog::Accepted) return std::nullopt;
    return boite.textValue();
}

RepondeurScripte& RepondeurScripte::repondre(int code) {
    script_.append({false, code, std::nullopt});
    return *this;
}

RepondeurScripte& RepondeurScripte::saisir(const QString& texte) {
    script_.append({true, 0, texte});
    return *this;
}

RepondeurScripte& RepondeurScripte::annulerSaisie() {
    script_.append({true, 0, std::nullopt});
    return *this;
}

// Message answers and input answers are taken each in their own order, so that a script
// can be written as the test reads, whatever the interleaving of the two kinds of box.
int RepondeurScripte::message(const QString& texte, int style, const QString& titre) {
    vues.append({false, texte, style, titre, QString()});
    for (int i = 0; i < script_.size(); ++i) {
        if (!script_[i].saisie) {
            const int code = script_[i].code;
            script_.removeAt(i);
            return code;
        }
    }
    return bouton_par_defaut(style);
}

std::optional<QString> RepondeurScripte::saisie(const QString& invite, const QString& titre,
                                                const QString& defaut) {
    vues.append({true, invite, 0, titre, defaut});
    for (int i = 0; i < script_.size(); ++i) {
        if (script_[i].saisie) {
            const std::optional<QString> texte = script_[i].texte;
            script_.removeAt(i);
            return texte;
        }
    }
    return defaut;
}

void installer_repondeur(std::unique_ptr<Repondeur> r) {
    repondeur() = r ? std::move(r) : std::make_unique<RepondeurEcran>();
    installer_affichage_erreurs_controles();
}

RepondeurScripte& installer_repondeur_scripte() {
    auto r = std::make_unique<RepondeurScripte>();
    RepondeurScripte& ref = *r;
    installer_repondeur(std::move(r));
    return ref;
}

}  // namespace forms
