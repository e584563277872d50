#include "platform/forms/grille_donnees.h"
#include <QStyle>
#include <QApplication>

#include "platform/forms/controle_donnees.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/limites.h"
#include "platform/forms/modele_grille.h"
#include "platform/forms/pointeur.h"
#include "platform/forms/twips.h"

#include "platform/db/dialecte.h"
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <QTimer>

namespace forms {

namespace {

// A cell's editor takes no more than its field, as a text box does, and puts back into a
// reopened editor the text whose write was refused, so that the user can correct it instead of
// typing it again.
class Delegue : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QPersistentModelIndex indexEnAttente;
    QString texteEnAttente;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QWidget* editeur = QStyledItemDelegate::createEditor(parent, option, index);
        const auto* modele = qobject_cast<const ModeleGrille*>(index.model());
        if (auto* ligne = qobject_cast<QLineEdit*>(editeur); ligne && modele) {
            const QString titre = modele->colonnes().value(index.column()).titre;
            limiter(ligne, modele->longueurMax(index.column()), [titre] { return titre; });
        }
        return editeur;
    }

    void setEditorData(QWidget* editeur, const QModelIndex& index) const override {
        auto* ligne = qobject_cast<QLineEdit*>(editeur);
        if (ligne && indexEnAttente.isValid() && index == indexEnAttente) {
            ligne->setText(texteEnAttente);
            const_cast<Delegue*>(this)->indexEnAttente = QPersistentModelIndex();
            return;
        }
        QStyledItemDelegate::setEditorData(editeur, index);
    }
};

}  // namespace

struct GrilleDonnees::Impl {
    GrilleDonnees* q;
    ModeleGrille* modele;
    Delegue* delegue;
    QMetaObject::Connection repositionnement;
    // Set while the grid itself moves the result set or the current row, so that neither
    // follows the other back.
    bool interne = false;
    bool reouvertureEnAttente = false;  // a refused write will reopen its cell
    // Set while a cell is written: the view may commit the same editor again meanwhile (its
    // current row changes), which must not write twice.
    bool ecriture = false;
    // A picker: typing finds a row (see definirChoix), the letters typed so far in `frappe`.
    bool choix = false;
    QString frappe;
    QElapsedTimer derniereFrappe;

    db::JeuEnregistrements* jeu() const { return modele->jeu(); }

    // Makes row `ligne` the result set's current record; false when the data control
    // refused to leave the record it is on (it has told the user why).
    bool allerALigne(db::JeuEnregistrements& rs, int ligne) {
        if (rs.AbsolutePosition() != ligne) rs.setAbsolutePosition(ligne);
        return rs.AbsolutePosition() == ligne;
    }

    // Past the last record: no current record, as on the new-row line.
    void passerLaFin(db::JeuEnregistrements& rs) {
        if (rs.EditMode() == 2 || rs.RecordCount() == 0) return;
        if (rs.Eof() && rs.AbsolutePosition() < 0) return;
        rs.MoveLast();
        rs.MoveNext();
    }

    // A refused operation: the data control's error event first, then, unless its handler
    // took charge, the engine's text.
    void signaler(const Erreur& e) {
        int reponse = 1;
        if (forms::ControleDonnees* c = modele->controle()) emit c->Error(e.numero, &reponse);
        if (reponse) boite_erreur_controle(e.numero, e.texte);
    }

    // Runs an operation of the grid; failures are reported, never thrown into Qt. The
    // current row follows the result set afterwards (later when a cell is being written,
    // once the view has finished with its editor).
    bool executer(const std::function<void()>& operation, bool suivreApres = true) {
        const bool avant = interne;
        interne = true;
        bool reussi = false;
        try {
            operation();
            reussi = true;
        } catch (const Erreur& e) {
            signaler(e);
        } catch (...) {
            signaler_echec();
        }
        interne = avant;
        // The operation is over: the hourglass that the window's validate event put up
        // must not stay while the user goes on typing in the same row.
        definir_pointeur_souris(PointeurDefaut);
        modele->synchroniser();
        if (suivreApres) suivreEnregistrement();
        else QTimer::singleShot(0, q, [this] { suivreEnregistrement(); });
        return reussi;
    }

    bool ecrire(int ligne, int colonne, const QString& texte) {
        db::JeuEnregistrements* rs = jeu();
        if (!rs || ecriture) return false;
        const QString champ = modele->colonnes().value(colonne).champ;
        const bool nouvelle = ligne == modele->ligneNouvelle();
        // Nothing typed changes nothing: no empty record, no needless write.
        if (nouvelle && texte.isEmpty() && rs->EditMode() != 2) return false;
        if (!nouvelle && texte == modele->data(modele->index(ligne, colonne), Qt::EditRole).toString())
            return false;
        ecriture = true;
        bool ecrit = false;
        const bool reussi = executer([&] {
            try {
                if (nouvelle) {
                    if (rs->EditMode() != 2) rs->AddNew();
                    rs->setValeur(champ, texte);
                    rs->Update();
                    // The grid stays on the record just added.
                    rs->setBookmark(rs->LastModified());
                    ecrit = true;
                } else if (allerALigne(*rs, ligne)) {
                    rs->Edit();
                    rs->setValeur(champ, texte);
                    rs->Update();
                    ecrit = true;
                }
            } catch (Erreur& e) {
                try { if (rs->EditMode() != 0) rs->CancelUpdate(); } catch (...) {}
                // The refusal names the column as its title shows it.
                if (e.champ.compare(champ, Qt::CaseInsensitive) == 0)
                    nommer_champ(e, modele->colonnes().value(colonne).titre);
                throw;
            } catch (...) {
                try { if (rs->EditMode() != 0) rs->CancelUpdate(); } catch (...) {}
                throw;
            }
        }, false);
        ecriture = false;
        if (!reussi) reouvrir(nouvelle ? modele->ligneNouvelle() : ligne, colonne, texte);
        return reussi && ecrit;
    }

    void reouvrir(int ligne, int colonne, const QString& texte) {
        const QPersistentModelIndex index = modele->index(ligne, colonne);
        reouvertureEnAttente = true;
        QTimer::singleShot(0, q, [this, index, texte] {
            if (!reouvertureEnAttente) return;  // the text was given up meanwhile
            reouvertureEnAttente = false;
            if (!index.isValid()) return;
            delegue->indexEnAttente = index;
            delegue->texteEnAttente = texte;
            interne = true;
            q->setCurrentIndex(index);
            interne = false;
            q->edit(index);
        });
    }

    void supprimer() {
        db::JeuEnregistrements* rs = jeu();
        const int ligne = q->currentIndex().row();
        if (!rs || ligne < 0 || ligne >= modele->lignes()) return;
        executer([&] {
            if (!allerALigne(*rs, ligne)) return;
            rs->Delete();
            if (rs->RecordCount() > 0) {
                rs->MoveNext();
                if (rs->Eof()) rs->MoveLast();
            }
        });
    }

    // The current row follows the result set's current record.
    void suivreEnregistrement() {
        if (interne) return;
        db::JeuEnregistrements* rs = jeu();
        int ligne = -1;
        if (rs) {
            try {
                const int pos = rs->AbsolutePosition();
                if (pos >= 0) ligne = pos;
                else if (rs->EditMode() == 2 || rs->Eof()) ligne = modele->ligneNouvelle();
            } catch (...) {
            }
        }
        modele->definirLigneCourante(ligne);
        const QModelIndex actuel = q->currentIndex();
        if (ligne == actuel.row() && (ligne < 0 || actuel.isValid())) return;
        interne = true;
        if (ligne < 0) {
            q->selectionModel()->clearCurrentIndex();
            q->clearSelection();
        } else {
            const QModelIndex index = modele->index(ligne, std::max(actuel.column(), 0));
            q->setCurrentIndex(index);
            q->scrollTo(index);
        }
        interne = false;
    }

    // The user put the grid on another row: the result set goes there.
    void suivreLigne(int ligne) {
        if (interne) return;
        modele->definirLigneCourante(ligne);
        db::JeuEnregistrements* rs = jeu();
        if (!rs || ligne < 0) return;
        executer([&] {
            if (ligne < modele->lignes()) allerALigne(*rs, ligne);
            else passerLaFin(*rs);
        });
    }
};

GrilleDonnees::GrilleDonnees(QWidget* parent) : QTableView(parent), d(new Impl) {
    d->q = this;
    installer_affichage_erreurs_controles();
    d->modele = new ModeleGrille(this);
    d->delegue = new Delegue(this);
    d->modele->ecrire = [this](int l, int c, const QString& t) { return d->ecrire(l, c, t); };
    setModel(d->modele);
    setItemDelegate(d->delegue);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    // Tab goes to the window's next control; the arrow keys move between cells.
    setTabKeyNavigation(false);
    setWordWrap(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setTextElideMode(Qt::ElideRight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    definirCouleurFond(Qt::white);
}

GrilleDonnees::~GrilleDonnees() { delete d; }

void GrilleDonnees::lier(forms::ControleDonnees* controle) {
    QObject::disconnect(d->repositionnement);
    d->modele->lier(controle);
    if (controle) {
        d->repositionnement = connect(controle, &forms::ControleDonnees::Reposition, this, [this] {
            d->modele->synchroniser();
            d->suivreEnregistrement();
        });
    }
    d->suivreEnregistrement();
}

void GrilleDonnees::definirColonnes(const QVector<ColonneGrille>& colonnes) {
    d->modele->definirColonnes(colonnes);
    // A column is never narrower than its heading, bold as the current column's heading shows.
    QFont gras = horizontalHeader()->font();
    gras.setBold(true);
    const int marges = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader());
    for (int i = 0; i < colonnes.size(); ++i)
        setColumnWidth(i, qMax(pixels(colonnes[i].largeurTwips),
                               QFontMetrics(gras).horizontalAdvance(colonnes[i].titre) + marges));
    d->suivreEnregistrement();
}

void GrilleDonnees::definirCouleurFond(const QColor& couleur) {
    QPalette p = palette();
    p.setColor(QPalette::Base, couleur);
    setPalette(p);
}

void GrilleDonnees::definirLectureSeule(bool oui) {
    d->modele->definirLectureSeule(oui);
    d->suivreEnregistrement();
}

bool GrilleDonnees::lectureSeule() const { return d->modele->ligneNouvelle() < 0; }

void GrilleDonnees::definirChoix(bool oui) {
    d->choix = oui;
    d->frappe.clear();
}

bool GrilleDonnees::enChoix() const { return d->choix; }

bool GrilleDonnees::edit(const QModelIndex& index, EditTrigger declencheur, QEvent* evenement) {
    // In a picker the letters typed on a record's row look for a row (keyboardSearch).
    if (d->choix && declencheur == QAbstractItemView::AnyKeyPressed && index.row() != d->modele->ligneNouvelle())
        return false;
    return QTableView::edit(index, declencheur, evenement);
}

void GrilleDonnees::keyboardSearch(const QString& texte) {
    if (!d->choix) {
        QTableView::keyboardSearch(texte);
        return;
    }
    db::JeuEnregistrements* rs = d->jeu();
    const QVector<ColonneGrille>& colonnes = d->modele->colonnes();
    if (!rs || colonnes.isEmpty() || texte.isEmpty()) return;
    // Letters typed in quick succession make one word, as in any list.
    if (!d->derniereFrappe.isValid() || d->derniereFrappe.elapsed() > QApplication::keyboardInputInterval())
        d->frappe.clear();
    d->derniereFrappe.restart();
    d->frappe += texte;
    // What is typed is the beginning of a row, every character as itself ("#", "*"...).
    QStringList conditions;
    for (int c = 0; c < std::min<int>(2, int(colonnes.size())); ++c)
        conditions << colonnes[c].champ + QStringLiteral(" LIKE ") + db::dialecte::entre_apostrophes(db::dialecte::motif_litteral(d->frappe) + '*');
    const int colonne = std::max(currentIndex().column(), 0);
    d->executer([&] {
        // Nothing begins so: the list stays where it was.
        if (rs->RecordCount() > 0) rs->FindFirst(conditions.join(QStringLiteral(" OR ")));
    });
    if (currentIndex().isValid() && currentIndex().column() != colonne) setCol(colonne);
}

int GrilleDonnees::Col() const { return std::max(currentIndex().column(), 0); }

void GrilleDonnees::setCol(int colonne) {
    if (colonne < 0 || colonne >= d->modele->columnCount()) {
        db::lever(erreurs_execution::AppelIncorrect);
    }
    d->suivreEnregistrement();
    const int ligne = currentIndex().row();
    if (ligne < 0) return;
    d->interne = true;
    setCurrentIndex(d->modele->index(ligne, colonne));
    d->interne = false;
}

QString GrilleDonnees::Text() const {
    d->modele->synchroniser();
    d->suivreEnregistrement();
    const QModelIndex index = currentIndex();
    if (!index.isValid()) return QString();
    return d->modele->data(d->modele->index(index.row(), Col()), Qt::DisplayRole).toString();
}

void GrilleDonnees::setText(const QString& texte) {
    db::JeuEnregistrements* rs = d->jeu();
    if (!rs) db::lever(db::erreurs::ObjetInvalide);
    rs->setValeur(d->modele->colonnes().value(Col()).champ, texte);
    d->modele->synchroniser();
    d->suivreEnregistrement();
}

void GrilleDonnees::allerSurLigneNouvelle(int colonne) {
    const int nouvelle = d->modele->ligneNouvelle();
    if (nouvelle < 0) return;
    if (db::JeuEnregistrements* rs = d->jeu()) d->executer([&] { d->passerLaFin(*rs); });
    d->interne = true;
    const QModelIndex index = d->modele->index(nouvelle, colonne < 0 ? Col() : colonne);
    setCurrentIndex(index);
    scrollTo(index);
    d->interne = false;
    d->modele->definirLigneCourante(nouvelle);
}

bool GrilleDonnees::surLigneNouvelle() const {
    const int nouvelle = d->modele->ligneNouvelle();
    return nouvelle >= 0 && currentIndex().row() == nouvelle;
}

void GrilleDonnees::currentChanged(const QModelIndex& actuel, const QModelIndex& precedent) {
    // The base class first: it writes a cell being edited on the row being left.
    QTableView::currentChanged(actuel, precedent);
    if (actuel.row() != precedent.row()) d->suivreLigne(actuel.row());
}

// Tab and Shift+Tab move along the row being typed, so that a row is filled whole; past its
// first or last cell they leave the grid. Ctrl+Tab leaves it from any cell (see clavier.h).
bool GrilleDonnees::focusNextPrevChild(bool suivant) {
    const QModelIndex ici = currentIndex();
    if (hasFocus() && ici.isValid()) {
        for (int c = ici.column() + (suivant ? 1 : -1); c >= 0 && c < model()->columnCount(); c += suivant ? 1 : -1) {
            if (isColumnHidden(c)) continue;
            setCurrentIndex(model()->index(ici.row(), c));
            return true;
        }
    }
    return QTableView::focusNextPrevChild(suivant);
}

void GrilleDonnees::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState &&
        !lectureSeule()) {
        d->supprimer();
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

void GrilleDonnees::mouseDoubleClickEvent(QMouseEvent* e) {
    // The relay comes before the cell's editor opens (a double-click also edits), and only
    // from a record's row.
    const QModelIndex index = indexAt(e->position().toPoint());
    const QPointer<GrilleDonnees> vivante(this);
    if (e->button() == Qt::LeftButton && index.isValid() && index.row() < d->modele->lignes())
        emit relais();
    if (vivante) QTableView::mouseDoubleClickEvent(e);
}

void GrilleDonnees::closeEditor(QWidget* editeur, QAbstractItemDelegate::EndEditHint indication) {
    // Tab in a cell's editor writes the cell and moves as Tab does outside editing: to the
    // row's next cell, or out of the grid past the row's end.
    const bool sortir = indication == QAbstractItemDelegate::EditNextItem ||
                        indication == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editeur, sortir ? QAbstractItemDelegate::NoHint : indication);
    // A refused write keeps the user in the cell to correct it.
    if (sortir && !d->reouvertureEnAttente && state() != QAbstractItemView::EditingState)
        focusNextPrevChild(indication == QAbstractItemDelegate::EditNextItem);
}

bool GrilleDonnees::validerCellule() {
    if (state() != QAbstractItemView::EditingState) return !d->reouvertureEnAttente;
    QWidget* editeur = indexWidget(currentIndex());
    if (!editeur) {
        QWidget* w = QApplication::focusWidget();
        if (w && viewport()->isAncestorOf(w)) editeur = w;
    }
    if (!editeur) return true;
    commitData(editeur);
    closeEditor(editeur, QAbstractItemDelegate::NoHint);
    return state() != QAbstractItemView::EditingState && !d->reouvertureEnAttente;
}

void GrilleDonnees::abandonnerCellule() { d->reouvertureEnAttente = false; }

void GrilleDonnees::focusInEvent(QFocusEvent* e) {
    // Rows added or removed elsewhere (a refresh, a lookup adding a value) are taken in.
    d->modele->synchroniser();
    d->suivreEnregistrement();
    QTableView::focusInEvent(e);
}

}  // namespace forms
