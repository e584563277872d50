#pragma once
// The data-bound grid: one row per record of a data control's result set, then the new-row
// line. Cells edit in place; a cell changed on a record's row is written at once; typing on
// the new-row line adds a record; Delete removes the selected record; Tab moves along the
// row and leaves the grid past its end, Ctrl+Tab leaves it at once.
// The grid's current row is the result set's current record.
#include <QTableView>
#include <QVector>

namespace forms { class ControleDonnees; }

namespace forms {

struct ColonneGrille {
    QString titre;
    QString champ;
    int largeurTwips = 1500;
};

class GrilleDonnees : public QTableView {
    Q_OBJECT
public:
    explicit GrilleDonnees(QWidget* parent = nullptr);
    ~GrilleDonnees() override;

    void lier(forms::ControleDonnees* controle);
    void definirColonnes(const QVector<ColonneGrille>& colonnes);
    void definirCouleurFond(const QColor& couleur);
    // A list to choose from: no cell edited, no row added or deleted, no new-row line.
    void definirLectureSeule(bool oui);
    bool lectureSeule() const;
    // A list offered to choose from (a picker): typing on a record's row finds the first row,
    // in the list's order, whose first or second column begins with what was typed, instead
    // of editing that row; the new-row line still takes a new entry.
    void definirChoix(bool oui);
    bool enChoix() const;

    // The current column (0-based) and the current cell's text of the current row.
    int Col() const;
    void setCol(int colonne);
    QString Text() const;
    // Writes into the current record's edit buffer (a pending new record included).
    void setText(const QString& texte);

    // A cell being edited is written now (before its window closes); false when the write
    // was refused (told) and the editor stays open, or opens again, with the text typed.
    bool validerCellule();
    // The text of a refused cell is given up: its editor does not open again.
    void abandonnerCellule();

    // The "{down}" key from the last row: the current row becomes the new-row line.
    // In `colonne`, or the current column when negative.
    void allerSurLigneNouvelle(int colonne = -1);
    bool surLigneNouvelle() const;

signals:
    // The relay gesture: a double-click on a record's row.
    void relais();

protected:
    void currentChanged(const QModelIndex& actuel, const QModelIndex& precedent) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool focusNextPrevChild(bool suivant) override;
    void focusInEvent(QFocusEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void closeEditor(QWidget* editeur, QAbstractItemDelegate::EndEditHint indication) override;
    bool edit(const QModelIndex& index, EditTrigger declencheur, QEvent* evenement) override;

public:
    using QTableView::edit;
    void keyboardSearch(const QString& texte) override;

private:
    struct Impl;
    Impl* d;
};

}  // namespace forms
