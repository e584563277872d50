#include "platform/forms/onglets.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QTabWidget>

namespace forms {

namespace {

struct Place {
    QPointer<QTabWidget> onglets;
    int onglet;
};

// One filter on the application serves every window's table of fields and tabs.
class SuiviOnglets : public QObject {
public:
    static SuiviOnglets& instance() {
        static SuiviOnglets* s = [] {
            auto* suivi = new SuiviOnglets(qApp);
            qApp->installEventFilter(suivi);
            return suivi;
        }();
        return *s;
    }

    void ajouter(QTabWidget* onglets, QWidget* champ, int onglet) {
        if (!champs_.contains(champ))
            connect(champ, &QObject::destroyed, this, [this, champ] { champs_.remove(champ); });
        champs_.insert(champ, {onglets, onglet});
    }

protected:
    bool eventFilter(QObject* objet, QEvent* e) override {
        if (e->type() == QEvent::FocusIn) {
            if (const Place* p = placeDe(objet)) tourner(*p);
        } else if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            const bool suivant = k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ControlModifier);
            const bool precedent = k->key() == Qt::Key_Backtab;
            if ((suivant || precedent) && placeDe(objet))
                return tabulerVersOngletCache(static_cast<QWidget*>(objet), suivant);
        }
        return false;
    }

private:
    // The field this widget is, or is part of (an editable box's inner line, ...).
    QWidget* champDe(QObject* objet) const {
        if (!objet->isWidgetType()) return nullptr;
        for (auto* w = static_cast<QWidget*>(objet); w; w = w->parentWidget()) {
            if (champs_.contains(w)) return w;
            if (w->isWindow()) break;
        }
        return nullptr;
    }

    const Place* placeDe(QObject* objet) const {
        QWidget* champ = champDe(objet);
        if (!champ) return nullptr;
        auto it = champs_.constFind(champ);
        return (it != champs_.constEnd() && it->onglets) ? &*it : nullptr;
    }

    static void tourner(const Place& p) {
        if (p.onglets->currentIndex() != p.onglet) p.onglets->setCurrentIndex(p.onglet);
    }

    // The Tab key skips widgets of the tabs not shown. When the next field in the window's
    // tab order is one of ours on such a tab, its tab is turned and the field takes the focus,
    // as if every tab's fields were one sequence.
    bool tabulerVersOngletCache(QWidget* depuis, bool suivant) {
        QWidget* fenetre = depuis->window();
        QWidget* w = depuis;
        for (;;) {
            w = suivant ? w->nextInFocusChain() : w->previousInFocusChain();
            if (!w || w == depuis) return false;
            if (w->window() != fenetre || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled())
                continue;
            if (w->isVisible()) return false;  // an ordinary next widget: Qt's own tabbing
            const Place* p = placeDe(w);
            if (!p || !w->isVisibleTo(p->onglets->widget(p->onglet))) continue;
            tourner(*p);
            w->setFocus(Qt::TabFocusReason);
            return true;
        }
    }

    using QObject::QObject;
    QHash<QWidget*, Place> champs_;
};

}  // namespace

void onglet_suit_focus(QTabWidget* onglets, const QVector<QPair<QWidget*, int>>& champs) {
    SuiviOnglets& suivi = SuiviOnglets::instance();
    for (const auto& [champ, onglet] : champs)
        if (champ) suivi.ajouter(onglets, champ, onglet);
}

}  // namespace forms
