#include "platform/forms/modele_grille.h"

#include "platform/forms/controle_donnees.h"

#include <QDate>
#include <QDateTime>

namespace forms {

void ModeleGrille::lier(forms::ControleDonnees* controle) {
    beginResetModel();
    controle_ = controle;
    jeuVu_ = nullptr;
    lignes_ = 0;
    ouvert_ = false;
    endResetModel();
    synchroniser();
}

void ModeleGrille::definirColonnes(const QVector<ColonneGrille>& colonnes) {
    beginResetModel();
    colonnes_ = colonnes;
    indices_.clear();
    jeuVu_ = nullptr;
    endResetModel();
    synchroniser();
}

void ModeleGrille::definirLectureSeule(bool oui) {
    if (oui == lectureSeule_) return;
    beginResetModel();
    lectureSeule_ = oui;
    endResetModel();
}

db::JeuEnregistrements* ModeleGrille::jeu() const {
    if (!controle_ || !controle_->aUnRecordset()) return nullptr;
    return &controle_->Recordset();
}

int ModeleGrille::indiceChamp(int colonne) const {
    return (colonne >= 0 && colonne < indices_.size()) ? indices_[colonne] : -1;
}

int ModeleGrille::longueurMax(int colonne) const {
    db::JeuEnregistrements* rs = jeu();
    const int c = indiceChamp(colonne);
    return rs && c >= 0 && c < rs->champs().size() ? rs->champs()[c].longueurMax : 0;
}

void ModeleGrille::synchroniser() {
    db::JeuEnregistrements* rs = jeu();
    const int lignes = rs ? rs->RecordCount() : 0;
    // A refresh may have run another query on the same result set object: its fields too.
    QVector<int> indices;
    for (const ColonneGrille& c : colonnes_) indices.append(rs ? rs->indexChamp(c.champ) : -1);
    const bool memeJeu = rs == jeuVu_ && bool(rs) == ouvert_ && indices == indices_;
    if (memeJeu && lignes > lignes_) {
        // Records added join the end of the rows, before the new-row line: an insertion keeps
        // an editor open on the grid where it is.
        beginInsertRows(QModelIndex(), lignes_, lignes - 1);
        lignes_ = lignes;
        endInsertRows();
    } else if (!memeJeu || lignes != lignes_) {
        beginResetModel();
        jeuVu_ = rs;
        ouvert_ = rs != nullptr;
        lignes_ = lignes;
        indices_ = indices;
        endResetModel();
        return;
    }
    // Values may have changed (a refresh, a write by code): the view repaints what it shows.
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    if (rowCount() > 0) emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

void ModeleGrille::definirLigneCourante(int ligne) {
    if (ligne == ligneCourante_) return;
    const int avant = ligneCourante_;
    ligneCourante_ = ligne;
    if (avant >= 0 && avant < rowCount()) emit headerDataChanged(Qt::Vertical, avant, avant);
    if (ligne >= 0 && ligne < rowCount()) emit headerDataChanged(Qt::Vertical, ligne, ligne);
}

int ModeleGrille::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !ouvert_) return 0;
    return lignes_ + (lectureSeule_ ? 0 : 1);
}

int ModeleGrille::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : colonnes_.size();
}

QString ModeleGrille::texte(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return {};
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QDateTime: return v.toDateTime().date().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("Vrai") : QStringLiteral("Faux");
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
    default: return v.toString();
    }
}

QVariant ModeleGrille::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    db::JeuEnregistrements* rs = jeu();
    const int col = indiceChamp(index.column());
    if (!rs || col < 0) return QString();
    try {
        if (index.row() < lignes_) {
            // The rows may have gone since the last synchronisation: show nothing for them.
            if (index.row() >= rs->RecordCount()) return QString();
            return texte(rs->valeurLigne(index.row(), col));
        }
        // The new-row line shows a record being added by code, empty otherwise.
        if (rs->EditMode() == 2) return texte(rs->valeur(col));
    } catch (...) {
    }
    return QString();
}

bool ModeleGrille::setData(const QModelIndex& index, const QVariant& valeur, int role) {
    if (!index.isValid() || role != Qt::EditRole || lectureSeule_ || !ecrire) return false;
    if (!ecrire(index.row(), index.column(), valeur.toString())) return false;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

Qt::ItemFlags ModeleGrille::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!lectureSeule_) f |= Qt::ItemIsEditable;
    return f;
}

QVariant ModeleGrille::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return (section >= 0 && section < colonnes_.size()) ? colonnes_[section].titre : QString();
    // Record selectors: the current row's marker, and the new-row line's star.
    if (section == ligneNouvelle()) return QStringLiteral("*");
    if (section == ligneCourante_) return QStringLiteral("\u25B6");
    return QString();
}

}  // namespace forms
