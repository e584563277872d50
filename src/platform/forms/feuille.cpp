#include "platform/forms/feuille.h"
#include "platform/forms/clavier.h"
#include "platform/db/erreurs_moteur.h"

#include "platform/erreur.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

namespace forms {

namespace {
enum { Haut, Gauche, Largeur, Hauteur };
}

Feuille::Feuille(const QString& nom, bool enfant) : QWidget(nullptr), enfant_(enfant) {
    setObjectName(nom);
    installer_clavier();
}

Feuille::~Feuille() {
    Feuilles::oublier(this);
    // Deleted on its own: its empty sub-window goes too (later, in case the sub-window is
    // itself the one being deleted and is deleting us).
    if (cadre_ && !enDechargement_) cadre_->deleteLater();
}

void Feuille::encadrer(QMdiArea* zone) {
    if (cadre_ || !zone) return;
    cadre_ = zone->addSubWindow(this);
    // Unloading and hiding are ours to decide (see closeEvent), not the sub-window's.
    cadre_->setAttribute(Qt::WA_DeleteOnClose, false);
    cadre_->setWindowTitle(windowTitle());
    cadre_->setObjectName(objectName() + QStringLiteral("_cadre"));
    if (!tailleDessin_.isEmpty()) cadre_->resize(tailleDessin_);
    preparerMenuSysteme(cadre_);
    cadre_->hide();
}

// The window menu in French; Alt+F7 moves the window and Alt+F8 sizes it with the arrow keys
// (Enter ends), from any of its fields.
void Feuille::preparerMenuSysteme(QMdiSubWindow* cadre) {
    QMenu* menu = cadre->systemMenu();
    if (!menu) return;
    const struct { const char* anglais; const char* francais; QKeySequence touche; } entrees[] = {
        {"&Restore", "&Restaurer", {}},
        {"&Move", "&Déplacer", QKeySequence(Qt::ALT | Qt::Key_F7)},
        {"&Size", "&Taille", QKeySequence(Qt::ALT | Qt::Key_F8)},
        {"Mi&nimize", "Réd&uire", {}},
        {"Ma&ximize", "Ag&randir", {}},
        {"Stay on &Top", "T&oujours au premier plan", {}},
        {"&Close", "&Fermer", {}},
    };
    for (QAction* a : menu->actions()) {
        for (const auto& e : entrees) {
            if (a->text() != QLatin1String(e.anglais)) continue;
            a->setText(QString::fromUtf8(e.francais));
            if (!e.touche.isEmpty()) {
                a->setShortcut(e.touche);
                a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
                cadre->addAction(a);
            }
        }
    }
}

void Feuille::detruire() {
    enDechargement_ = true;
    if (cadre_) delete cadre_.data(); else delete this;
}

QWidget* Feuille::cadreOuSoi() const {
    if (cadre_) return cadre_.data();
    return const_cast<Feuille*>(this);
}

void Feuille::afficher() {
    if (enfant_ && !cadre_) encadrer(Feuilles::zone());
    if (QWidget* avant = QApplication::focusWidget(); avant && !aLeFocus()) retour_ = avant;
    show();
    if (cadre_) {
        if (cadre_->isMinimized()) cadre_->showNormal(); else cadre_->show();
        tenirDansLaZone();
        cadre_->raise();
        if (QMdiArea* zone = cadre_->mdiArea()) zone->setActiveSubWindow(cadre_);
    } else {
        if (isMinimized()) showNormal();
        raise();
        activateWindow();
    }
    // The keyboard works at once: the focus goes to the first field in tab order (the tabs
    // themselves are no field), unless a field of the window has it already.
    QWidget* actuel = focusWidget();
    if (actuel && isAncestorOf(actuel) && actuel->isVisibleTo(this) && !qobject_cast<QTabBar*>(actuel)) {
        actuel->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && w->isVisibleTo(this) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            !qobject_cast<QTabBar*>(w) && !qobject_cast<QTabWidget*>(w)) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

// A window opens whole inside the work area, whatever the screen: at least the size its
// controls need (nothing squeezed), at most the area, and moved in where it would stick out.
void Feuille::tenirDansLaZone() {
    QMdiArea* zone = cadre_ ? cadre_->mdiArea() : nullptr;
    // An area not on screen yet has no size worth fitting to.
    if (!zone || !zone->isVisible() || cadre_->isMaximized()) return;
    const QSize dispo = zone->viewport()->size();
    if (dispo.isEmpty()) return;
    const QSize avant = cadre_->size();
    const QSize taille = avant.expandedTo(cadre_->minimumSizeHint()).boundedTo(dispo);
    if (taille != avant) cadre_->resize(taille);
    // Grown or shrunk about its centre, so that a centred window stays centred.
    const QPoint centre = cadre_->pos() + QPoint((avant.width() - taille.width()) / 2,
                                                 (avant.height() - taille.height()) / 2);
    const QPoint p(qBound(0, centre.x(), dispo.width() - taille.width()),
                   qBound(0, centre.y(), dispo.height() - taille.height()));
    if (p != cadre_->pos()) cadre_->move(p);
}

// The keyboard is in this window: in one of its controls, or on its frame (a window without a
// field to take it, such as the wait window, leaves it there).
bool Feuille::aLeFocus() const {
    const QWidget* focus = QApplication::focusWidget();
    const QWidget* cadre = cadreOuSoi();
    return focus && (focus == cadre || cadre->isAncestorOf(focus));
}

void Feuille::masquer() {
    const bool avaitLeFocus = aLeFocus();
    cadreOuSoi()->hide();
    if (avaitLeFocus) rendreLeFocus();
}

void Feuille::rendreLeFocus() {
    QPointer<QWidget> champ = retour_;
    retour_.clear();
    if (champ && !isAncestorOf(champ)) rendre_focus(champ);
}

bool Feuille::estAffichee() const {
    // A sub-window counts as shown when it is not hidden, even while the main window is not
    // on screen yet.
    if (cadre_) return !cadre_->isHidden() && !isHidden();
    return isVisible();
}

void Feuille::decharger() {
    if (enDechargement_) return;
    int annuler = 0;
    Form_Unload(annuler);
    if (annuler) return;
    enDechargement_ = true;
    Feuilles::oublier(this);
    const bool avaitLeFocus = aLeFocus();
    QWidget* cadre = cadreOuSoi();
    cadre->hide();
    if (avaitLeFocus) rendreLeFocus();
    cadre->deleteLater();
}

void Feuille::closeEvent(QCloseEvent* e) {
    if (enDechargement_) {
        e->accept();
        return;
    }
    if (masqueeALaFermeture()) {
        e->ignore();
        masquer();
        return;
    }
    // The unload event has no error handling of its own; nothing may escape into Qt.
    pieger([this] { decharger(); });
    if (enDechargement_) e->accept(); else e->ignore();
}

namespace {
// Clicks the first shown and enabled button of the window that `choisir` picks.
template <class Choix> bool presser(QWidget* fenetre, Choix choisir) {
    for (QPushButton* b : fenetre->findChildren<QPushButton*>())
        if (choisir(b) && b->isVisible() && b->isEnabled()) {
            b->click();
            return true;
        }
    return false;
}
}  // namespace

void Feuille::keyPressEvent(QKeyEvent* e) {
    if ((e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
            presser(this, [](QPushButton* b) { return b->isDefault(); }))
            return;
        if (e->key() == Qt::Key_Escape && echap()) return;
    }
    QWidget::keyPressEvent(e);
}

bool Feuille::echap() {
    return presser(this, [](QPushButton* b) { return b->objectName() == QLatin1String("cmdFermer"); });
}

double Feuille::lireTwips(int indice, int px) const {
    const Memo& m = memo_[indice];
    return (m.valide && m.pixels == px) ? m.twips : twips(px);
}

void Feuille::noterTwips(int indice, double valeur) {
    memo_[indice] = {valeur, pixels(valeur), true};
}

double Feuille::Top() const { return lireTwips(Haut, cadreOuSoi()->pos().y()); }
double Feuille::Left() const { return lireTwips(Gauche, cadreOuSoi()->pos().x()); }
double Feuille::Width() const { return lireTwips(Largeur, cadreOuSoi()->frameGeometry().width()); }
double Feuille::Height() const { return lireTwips(Hauteur, cadreOuSoi()->frameGeometry().height()); }

void Feuille::setTop(double t) {
    QWidget* c = cadreOuSoi();
    c->move(c->pos().x(), pixels(t));
    noterTwips(Haut, t);
}

void Feuille::setLeft(double t) {
    QWidget* c = cadreOuSoi();
    c->move(pixels(t), c->pos().y());
    noterTwips(Gauche, t);
}

void Feuille::definirTaille(double largeurTwips, double hauteurTwips) {
    tailleDessin_ = QSize(pixels(largeurTwips), pixels(hauteurTwips));
    QWidget* c = cadreOuSoi();
    // The size given is the frame's: a top-level window's decorations come out of it.
    const QSize bord = c->frameGeometry().size() - c->geometry().size();
    c->resize(cadre_ ? tailleDessin_ : tailleDessin_ - bord);
    noterTwips(Largeur, largeurTwips);
    noterTwips(Hauteur, hauteurTwips);
}

void Feuille::setCaption(const QString& titre) {
    setWindowTitle(titre);
    if (cadre_) cadre_->setWindowTitle(titre);
}

QString Feuille::Caption() const { return windowTitle(); }

double Feuille::largeurEcran() const {
    QMdiArea* zone = cadre_ ? cadre_->mdiArea() : (enfant_ ? Feuilles::zone() : nullptr);
    if (zone) return twips(zone->viewport()->width());
    QScreen* ecran = QGuiApplication::primaryScreen();
    return ecran ? twips(ecran->availableGeometry().width()) : 0;
}

double Feuille::hauteurEcran() const {
    QMdiArea* zone = cadre_ ? cadre_->mdiArea() : (enfant_ ? Feuilles::zone() : nullptr);
    if (zone) return twips(zone->viewport()->height());
    QScreen* ecran = QGuiApplication::primaryScreen();
    return ecran ? twips(ecran->availableGeometry().height()) : 0;
}

void Feuille::controleIntrouvable(const QString& nom) const {
    db::lever(erreurs_execution::VariableObjet);
}

}  // namespace forms
