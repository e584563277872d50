#include "platform/forms/clavier.h"
#include "platform/forms/feuille.h"
#include "platform/forms/grille_donnees.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSet>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>

namespace forms {

namespace {

QKeySequence sequence(const QKeyEvent* e) {
    return QKeySequence(QKeyCombination(e->modifiers() & ~Qt::KeypadModifier, Qt::Key(e->key())));
}

bool lettre_avec_alt(const QKeyEvent* e) {
    const auto mods = e->modifiers() & ~Qt::KeypadModifier;
    return mods == Qt::AltModifier && ((e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) ||
                                       (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9));
}

bool touche_de_liste(const QKeyEvent* e) {
    const auto mods = e->modifiers() & ~Qt::KeypadModifier;
    return (e->key() == Qt::Key_F4 && mods == Qt::NoModifier) || (e->key() == Qt::Key_Down && mods == Qt::AltModifier);
}

bool meme_lettre(const QString& legende, int touche) {
    return !legende.isEmpty() && QKeySequence::mnemonic(legende) == QKeySequence(Qt::ALT | Qt::Key(touche));
}

bool atteignable(const QWidget* w) { return w->isVisible() && w->isEnabled(); }

// What Alt and a letter reaches in a window: a button (or box), a tab, or a label's field.
struct Cible {
    QAbstractButton* bouton = nullptr;
    QTabWidget* onglets = nullptr;
    int onglet = -1;
    QWidget* champ = nullptr;
    explicit operator bool() const { return bouton || onglets || champ; }
};

class Clavier : public QObject {
public:
    static Clavier& instance() {
        static Clavier* c = [] {
            auto* clavier = new Clavier(qApp);
            qApp->installEventFilter(clavier);
            return clavier;
        }();
        return *c;
    }

    QSet<QKeySequence> reservees;
    QHash<QWidget*, QPointer<QAbstractButton>> choix;

protected:
    bool eventFilter(QObject* objet, QEvent* e) override {
        if (e->type() == QEvent::Polish) marquerLeFocus(objet);
        if (e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress) return false;
        if (!objet->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(objet);
        auto* k = static_cast<QKeyEvent*>(e);
        if (e->type() == QEvent::ShortcutOverride) {
            if (reservees.contains(sequence(k))) {
                k->ignore();
                return true;
            }
            if ((lettre_avec_alt(k) && cible(w, k->key())) || (touche_de_liste(k) && boutonDeChoix(w))) {
                k->accept();
                return true;
            }
            return false;
        }
        if (auto* menu = qobject_cast<QMenu*>(w)) return lettreDeMenu(menu, k);
        if (const bool suivant = k->key() == Qt::Key_Tab; (suivant || k->key() == Qt::Key_Backtab) &&
                                                          (k->modifiers() & Qt::ControlModifier)) {
            if (auto* vue = vueDe(w)) {
                sortir(vue, suivant && !(k->modifiers() & Qt::ShiftModifier));
                return true;
            }
        }
        if (lettre_avec_alt(k)) {
            if (const Cible c = cible(w, k->key())) {
                agir(c);
                return true;
            }
        }
        if (touche_de_liste(k)) {
            if (QAbstractButton* b = boutonDeChoix(w)) {
                b->click();
                return true;
            }
        }
        return false;
    }

private:
    using QObject::QObject;

    // A multi-line box shows that it has the keyboard, as a one-line box does; its frame
    // keeps its width, so that nothing moves.
    static void marquerLeFocus(QObject* objet) {
        auto* zone = qobject_cast<QPlainTextEdit*>(objet);
        if (!zone || !zone->styleSheet().isEmpty()) return;
        zone->setStyleSheet(QStringLiteral("QPlainTextEdit { border: 1px solid palette(mid); padding: 1px; }"
                                           "QPlainTextEdit:focus { border: 2px solid palette(highlight); padding: 0px; }"));
    }

    static Feuille* feuilleDe(QWidget* w) {
        for (; w; w = w->parentWidget())
            if (auto* f = qobject_cast<Feuille*>(w)) return f;
        return nullptr;
    }

    // The first control of the window, in Tab order, whose caption has this letter.
    static Cible cible(QWidget* depuis, int touche) {
        Feuille* f = feuilleDe(depuis);
        if (!f) return {};
        for (QWidget* w = f->nextInFocusChain(); w && w != f; w = w->nextInFocusChain()) {
            if (!f->isAncestorOf(w) || !atteignable(w)) continue;
            if (auto* b = qobject_cast<QAbstractButton*>(w); b && meme_lettre(b->text(), touche)) return {b};
            if (auto* barre = qobject_cast<QTabBar*>(w)) {
                auto* onglets = qobject_cast<QTabWidget*>(barre->parentWidget());
                for (int i = 0; onglets && i < barre->count(); ++i)
                    if (barre->isTabEnabled(i) && meme_lettre(barre->tabText(i), touche)) return {nullptr, onglets, i};
            }
            if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy() && meme_lettre(l->text(), touche))
                return {nullptr, nullptr, -1, l->buddy()};
        }
        return {};
    }

    static void agir(const Cible& c) {
        if (c.bouton) {
            // The keyboard stays in the field it was typing in.
            c.bouton->click();
        } else if (c.onglets) {
            c.onglets->setCurrentIndex(c.onglet);
            if (QWidget* premier = premier_champ(c.onglets->widget(c.onglet))) premier->setFocus(Qt::ShortcutFocusReason);
        } else if (c.champ) {
            c.champ->setFocus(Qt::ShortcutFocusReason);
        }
    }

    // Ctrl+Tab leaves a grid or list, where Tab moves between its cells.
    static QAbstractItemView* vueDe(QWidget* w) {
        for (; w && !w->isWindow(); w = w->parentWidget())
            if (auto* vue = qobject_cast<QAbstractItemView*>(w))
                return (vue->tabKeyNavigation() || qobject_cast<GrilleDonnees*>(vue)) ? vue : nullptr;
        return nullptr;
    }

    static void sortir(QWidget* depuis, bool suivant) {
        for (QWidget* w = suivant ? depuis->nextInFocusChain() : depuis->previousInFocusChain(); w && w != depuis;
             w = suivant ? w->nextInFocusChain() : w->previousInFocusChain()) {
            if (w->window() == depuis->window() && !depuis->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) &&
                atteignable(w)) {
                w->setFocus(suivant ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return;
            }
        }
    }

    QAbstractButton* boutonDeChoix(QWidget* w) const {
        for (; w && !w->isWindow(); w = w->parentWidget()) {
            auto it = choix.constFind(w);
            if (it != choix.constEnd()) return (*it && atteignable(*it)) ? it->data() : nullptr;
        }
        return nullptr;
    }

    // A letter that two items of one menu share chooses the first, instead of only moving
    // between them.
    static bool lettreDeMenu(QMenu* menu, QKeyEvent* k) {
        if ((k->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) != Qt::NoModifier) return false;
        if (k->key() < Qt::Key_A || k->key() > Qt::Key_Z) return false;
        QList<QAction*> memes;
        for (QAction* a : menu->actions())
            if (a->isVisible() && !a->isSeparator() && meme_lettre(a->text(), k->key())) memes << a;
        if (memes.size() < 2 || !memes.first()->isEnabled()) return false;
        menu->setActiveAction(memes.first());
        QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &entree);
        return true;
    }
};

}  // namespace

QWidget* premier_champ(QWidget* conteneur) {
    if (!conteneur) return nullptr;
    for (QWidget* w = conteneur->nextInFocusChain(); w && w != conteneur; w = w->nextInFocusChain()) {
        const bool bouton = qobject_cast<QAbstractButton*>(w) && !qobject_cast<QCheckBox*>(w);
        if (conteneur->isAncestorOf(w) && w->isVisibleTo(conteneur) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            !qobject_cast<QTabBar*>(w) && !bouton)
            return w;
    }
    return nullptr;
}

void rendre_focus(QWidget* champ) {
    if (!champ || !champ->isVisible() || !champ->isEnabled() || QApplication::focusWidget() == champ) return;
    for (QWidget* w = champ; w; w = w->parentWidget()) {
        if (auto* f = qobject_cast<Feuille*>(w)) {
            if (QMdiSubWindow* cadre = f->sousFenetre())
                if (QMdiArea* zone = cadre->mdiArea()) zone->setActiveSubWindow(cadre);
            break;
        }
    }
    champ->activateWindow();
    champ->setFocus(Qt::OtherFocusReason);
}

void installer_clavier() { Clavier::instance(); }

void reserver_raccourci(const QKeySequence& touche) {
    if (!touche.isEmpty()) Clavier::instance().reservees.insert(touche);
}

void touches_de_fiche(QWidget* fenetre, QWidget* controle) {
    struct Touche { const char* bouton; QKeyCombination touche; const char* infobulle; };
    const Touche touches[] = {
        {"premier", Qt::CTRL | Qt::Key_Home, "Première fiche (Ctrl+Début)"},
        {"precedent", Qt::CTRL | Qt::Key_PageUp, "Fiche précédente (Ctrl+Pg préc.)"},
        {"suivant", Qt::CTRL | Qt::Key_PageDown, "Fiche suivante (Ctrl+Pg suiv.)"},
        {"dernier", Qt::CTRL | Qt::Key_End, "Dernière fiche (Ctrl+Fin)"},
    };
    for (const Touche& t : touches) {
        auto* bouton = controle->findChild<QAbstractButton*>(QLatin1String(t.bouton));
        if (!bouton) continue;
        bouton->setToolTip(QString::fromUtf8(t.infobulle));
        auto* raccourci = new QShortcut(QKeySequence(t.touche), fenetre);
        raccourci->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(raccourci, &QShortcut::activated, bouton, [bouton] {
            if (bouton->isEnabled()) bouton->click();
        });
        reserver_raccourci(QKeySequence(t.touche));
    }
}

void touche_de_choix(QWidget* champ, QAbstractButton* bouton) {
    Clavier& c = Clavier::instance();
    c.choix.insert(champ, bouton);
    QObject::connect(champ, &QObject::destroyed, &c, [champ] { Clavier::instance().choix.remove(champ); });
    bouton->setFocusPolicy(Qt::NoFocus);
    const QString infobulle = bouton->toolTip();
    if (!infobulle.endsWith(QLatin1String("(F4)")))
        bouton->setToolTip(infobulle.isEmpty() ? QStringLiteral("(F4)") : infobulle + QStringLiteral(" (F4)"));
}

}  // namespace forms
