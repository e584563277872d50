#pragma once
// The table model behind the data-bound grid: it reads the data control's result set row by
// row as the view asks (no copy of the rows), with one more line at the end for a new record.
#include "platform/forms/grille_donnees.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <functional>

#include "platform/forms/controle_donnees.h"

namespace forms {

class ModeleGrille : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeleGrille(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void lier(forms::ControleDonnees* controle);
    void definirColonnes(const QVector<ColonneGrille>& colonnes);
    const QVector<ColonneGrille>& colonnes() const { return colonnes_; }
    void definirLectureSeule(bool oui);

    // The open result set, or nullptr.
    db::JeuEnregistrements* jeu() const;
    forms::ControleDonnees* controle() const { return controle_; }
    // Records shown (the new-row line comes after them).
    int lignes() const { return lignes_; }
    int ligneNouvelle() const { return lectureSeule_ ? -1 : lignes_; }
    // The result set's column of a grid column, -1 when the field is absent.
    int indiceChamp(int colonne) const;
    // The most characters the field of a grid column takes (0: no limit).
    int longueurMax(int colonne) const;

    // Takes in what changed in the result set: rows added or removed, another query,
    // values written by code.
    void synchroniser();
    void definirLigneCourante(int ligne);

    // The write of a cell, done by the grid (it moves the result set and reports errors).
    std::function<bool(int ligne, int colonne, const QString& texte)> ecrire;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& valeur, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A value as the data control's text boxes show it (JeuEnregistrements::texte): dates
    // JJ/MM/AAAA, booleans Vrai/Faux, decimal comma, empty for null.
    static QString texte(const QVariant& v);

private:
    QPointer<forms::ControleDonnees> controle_;
    QVector<ColonneGrille> colonnes_;
    QVector<int> indices_;
    const void* jeuVu_ = nullptr;  // which result set the rows were counted on
    int lignes_ = 0;
    int ligneCourante_ = -1;
    bool ouvert_ = false;
    bool lectureSeule_ = false;
};

}  // namespace forms
