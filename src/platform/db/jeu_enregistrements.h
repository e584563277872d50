#pragma once
// A result set over one record source ("SELECT * FROM table [WHERE ...] [ORDER BY ...]"):
// the rows' identities are read at opening in the query's order and a row's fields when it
// is visited (a row changed by another workstation meanwhile shows its new fields, a row
// deleted meanwhile empty ones). The current record, the edit buffer and the moves follow.
#include "platform/db/base_donnees.h"
#include <functional>
#include <optional>

namespace db {

// Action codes given to the validate event before an operation.
namespace action {
constexpr int Annuler = 0, MoveFirst = 1, MovePrevious = 2, MoveNext = 3, MoveLast = 4,
              AddNew = 5, Update = 6, Delete = 7, Find = 8, Bookmark = 9, Close = 10,
              Unload = 11;
}

class JeuEnregistrements {
public:
    JeuEnregistrements(std::shared_ptr<BaseDonnees> base, const QString& source);

    const QVector<DescriptionChamp>& champs() const;
    int indexChamp(const QString& nom) const;  // -1 when absent
    QString table() const;

    // Both true: empty result. EOF after moving past the last row, BOF before the first.
    bool Eof() const;
    bool Bof() const;
    int RecordCount() const;
    // Zero-based position of the current record; -1 with no current record (empty result,
    // past either end, or a new record pending).
    int AbsolutePosition() const;
    // Makes the row at that position current (a grid's click); 3001 outside the rows.
    void setAbsolutePosition(int position);

    // Moves leave a pending edit to the owner (see avantOperation); with no owner a pending
    // edit is abandoned. MoveNext at EOF and MovePrevious at BOF raise 3021; MoveFirst and
    // MoveLast on an empty result raise 3021.
    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();

    void AddNew();        // a new, empty current record (AbsolutePosition -1) until Update
    void Edit();          // 3021 without a current record
    void Update();        // writes the buffer in its own transaction; 3020 without AddNew/Edit
    void CancelUpdate();
    // Removes the current record (the rows that carry its key keep it no more: cles_portees.h);
    // the position stays between rows.
    void Delete();
    int EditMode() const;  // 0 none, 1 edit, 2 new record
    // Has anything been put into the edit buffer since AddNew or Edit?
    bool tamponModifie() const;
    // Has this field been put into the edit buffer since AddNew or Edit?
    bool champModifie(const QString& champ) const;

    // The first record, in the current order, that meets the criterion (the statements' dialect);
    // NoMatch when none, and the current record is then unchanged.
    void FindFirst(const QString& critere);
    bool NoMatch() const;

    // Bookmarks are the rows' identities; LastModified is that of the record last written.
    QVariant Bookmark() const;
    void setBookmark(const QVariant& signet);
    QVariant LastModified() const;

    // Values of the current record (the edit buffer while editing or adding). Dates are
    // QDate, booleans bool, empty fields a null QVariant. 3021 without a current record,
    // 3265 for an unknown field.
    QVariant valeur(const QString& champ) const;
    QVariant valeur(int colonne) const;
    // Text as shown in a text box: dates JJ/MM/AAAA, booleans "Vrai"/"Faux", null "".
    QString texte(const QString& champ) const;
    // Into the edit buffer (starts Edit when none is under way). A text for a date field is
    // kept as typed and checked by Update: an invalid date raises 3421 and nothing is written.
    void setValeur(const QString& champ, const QVariant& valeur);
    void setValeur(int colonne, const QVariant& valeur);

    // Direct row access for grids and reports (no move, no event).
    QVariant valeurLigne(int ligne, int colonne) const;

    // Runs the query again; the first row becomes current.
    void relire();
    void Close();

    // The owner (a data control) is told before every operation and after every change of
    // the current record. avantOperation returns false to cancel the operation.
    std::function<bool(int action)> avantOperation;
    std::function<void()> apresDeplacement;

private:
    struct Impl;
    std::shared_ptr<Impl> d;
};

}  // namespace db
