#pragma once
// The data control: the small navigation bar of a record window that ties the window's
// bound fields to one query on the working database. Its three events are Qt signals;
// their handlers set the response through the pointer.
#include "platform/db/jeu_enregistrements.h"
#include "platform/forms/limites.h"
#include <QWidget>
#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QCheckBox;
class QLabel;
class QToolButton;

namespace forms {

using db::BaseDonnees;
using db::JeuEnregistrements;

class ControleDonnees : public QWidget {
    Q_OBJECT
public:
    explicit ControleDonnees(QWidget* parent = nullptr);
    ~ControleDonnees() override;

    QString DatabaseName() const;
    void setDatabaseName(const QString& chemin);
    QString RecordSource() const;
    void setRecordSource(const QString& source);
    QString Caption() const;
    void setCaption(const QString& texte);

    // Opens the file (if not open, another one, or replaced since) and runs the record
    // source; the first row becomes current and the bound fields show it. Raises the
    // engine's error, and OperationAbandonnee when the user chose to stay on the record shown.
    void Refresh();
    // The open result set; 91 when none is open.
    JeuEnregistrements& Recordset();
    bool aUnRecordset() const;
    // The open database; 91 when none.
    BaseDonnees& Database();
    // Writes the bound fields into the current (or new) record and saves it: the fields changed
    // since shown, those whose earlier value the buffer still holds from a refused write, and
    // the values that the program proposed for a new record.
    void UpdateRecord();
    // The texts now in the bound fields were put there by the program, not typed (the number
    // given to a new record): they count as shown, so that the record is pending only once the
    // user types, and they are written with the record.
    void noterValeursProposees();
    // Gives up what was typed: the pending edit or new record is cancelled and the fields show
    // the current record as stored.
    void abandonnerSaisie();

    // The owner's rule for leaving the record on screen, asked before every operation that
    // leaves it (a move, a find, a new record, a refresh, closing): true to go on (the record
    // saved, or its change given up), false to stay on it. Without one, the control saves a
    // changed record itself and stays on it when the save is refused.
    std::function<bool()> reglesDepart;
    // Asks that rule (true when there is none, or no result set): the binders ask it before
    // pointing the control at another source.
    bool quitterEnregistrement();
    // Releases the file: the result set and the database are closed.
    void fermer();

    // Bindings. A text box shows the field's text and takes at most longueurMax characters
    // (0: the field's declared width, if any), as limites.h tells. A label only shows.
    void lier(QLineEdit* zone, const QString& champ, int longueurMax = 0);
    // Several lines with a vertical scroll bar, at most longueurMax characters as above.
    void lier(QPlainTextEdit* zone, const QString& champ, int longueurMax = 0);
    // A yes/no field: checked for yes.
    void lier(QCheckBox* caseACocher, const QString& champ);
    void lier(QLabel* etiquette, const QString& champ);
    // Any other widget: how to show a value and how to read it back.
    void lier(QWidget* controle, const QString& champ,
              std::function<void(const QVariant&)> afficher,
              std::function<QVariant()> lire);
    // Have the bound fields been changed since they last showed the record?
    bool DataChanged() const;
    // The full text of the error last passed to the Error event.
    QString texteDerniereErreur() const;
    // The caption on screen of the box bound to `champ` ("" when none names it); a refused
    // save names the field by it.
    QString libelleChamp(const QString& champ) const;

    // Shows an engine error that an Error handler left at response 1. The forms layer sets it
    // (this layer opens no box); by default nothing is shown.
    static std::function<void(int numero, const QString& texte)> afficheurErreur;

signals:
    // A data error of an operation the control ran itself (a move's automatic save...).
    // Set *reponse to 0 to show nothing; left at 1 the control shows the engine's text.
    void Error(int numero, int* reponse);
    // Another record became current (or none).
    void Reposition();
    // Before every operation; *enregistrer (1) may be set to 0 to skip the automatic save.
    void Validate(int action, int* enregistrer);

private:
    // Fills the bound fields from the current record (empty when there is none).
    void afficherEnregistrement();
    // The bound fields that UpdateRecord writes, into the edit buffer.
    void ecrireChamps(JeuEnregistrements& j);
    struct Impl;
    Impl* d;
};

}  // namespace forms
