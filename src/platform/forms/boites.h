#pragma once
// The one service that opens message boxes and input boxes. A box's style is a number:
// buttons (0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore,
// 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel) + icon (16 critical, 32 question, 48 warning,
// 64 information) + default button (0 the first, 256 the second, 512 the third); answers 1 OK,
// 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No.
// Tests replace the answerer with a scripted one.
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>
#include <optional>

namespace forms {

constexpr int OK = 1, Annuler = 2, Abandonner = 3, Reessayer = 4, Ignorer = 5, Oui = 6, Non = 7;

// The parts of a style, added together: its buttons, its icon, the button Enter presses.
namespace styles {
constexpr int OKSeul = 0, OKAnnuler = 1, AbandonnerReessayerIgnorer = 2, OuiNonAnnuler = 3, OuiNon = 4,
              ReessayerAnnuler = 5;
constexpr int Critique = 16, Question = 32, Avertissement = 48, Information = 64;
constexpr int DeuxiemeParDefaut = 256, TroisiemeParDefaut = 512;
}  // namespace styles

// "Carnelis v2", the caption of every box.
QString titre_application();
void definir_titre_application(const QString& titre);

// Shows a message box; returns the answer code.
int boite_message(const QString& texte, int style = 0, const QString& titre = titre_application());
// Shows an input box; returns the typed text, "" on Cancel.
QString boite_saisie(const QString& invite, const QString& titre = titre_application(),
                     const QString& defaut = QString());
// Before an output file (a spreadsheet, a .RTF, a PDF) replaces an existing file: true when
// `chemin` names no file, or when the user answers Yes to "Attention, le fichier d'exportation
// existe déjà... Il sera remplacé par le nouveau. Voulez-vous continuer ?" (No by default).
bool remplacement_accepte(const QString& chemin);

class Repondeur {
public:
    virtual ~Repondeur() = default;
    virtual int message(const QString& texte, int style, const QString& titre) = 0;
    // nullopt: cancelled
    virtual std::optional<QString> saisie(const QString& invite, const QString& titre,
                                          const QString& defaut) = 0;
};

// Real boxes (QMessageBox, QInputDialog); the default answerer.
class RepondeurEcran : public Repondeur {
public:
    int message(const QString& texte, int style, const QString& titre) override;
    std::optional<QString> saisie(const QString& invite, const QString& titre,
                                  const QString& defaut) override;
};

// Every box shown, as a user would have seen it.
struct BoiteVue {
    bool saisie = false;  // input box rather than message box
    QString texte;        // message, or the input box's prompt
    int style = 0;
    QString titre;
    QString defaut;
};

// Answers from a script, in order, and records every box. With the script exhausted, a
// message box gets its default button (OK, Yes, Abort, Retry unless the style names another)
// and an input box its default.
class RepondeurScripte : public Repondeur {
public:
    RepondeurScripte& repondre(int code);                 // next message box
    RepondeurScripte& saisir(const QString& texte);       // next input box: typed text
    RepondeurScripte& annulerSaisie();                    // next input box: Cancel
    int message(const QString& texte, int style, const QString& titre) override;
    std::optional<QString> saisie(const QString& invite, const QString& titre,
                                  const QString& defaut) override;
    QVector<BoiteVue> vues;
    void effacer() { vues.clear(); }
    // Shortcut for tests: the last box shown (empty BoiteVue when none).
    BoiteVue derniere() const { return vues.isEmpty() ? BoiteVue{} : vues.last(); }

private:
    struct Reponse { bool saisie; int code; std::optional<QString> texte; };
    QVector<Reponse> script_;
};

// Installs an answerer (the service owns it); returns the previous one's ownership to none.
void installer_repondeur(std::unique_ptr<Repondeur> r);
// Installs a fresh scripted answerer and returns it, for tests.
RepondeurScripte& installer_repondeur_scripte();

}  // namespace forms
