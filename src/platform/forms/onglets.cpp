#include "platform/forms/onglets.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStackedWidget>
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
            if ((suivant || precedent) && objet->isWidgetType() && dansDesOnglets(static_cast<QWidget*>(objet)))
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

    // The tabbed control and its page that hold `w`, the nearest first (nullptr when none).
    static QTabWidget* ongletsDe(QWidget* w, QWidget** page) {
        for (; w && !w->isWindow(); w = w->parentWidget()) {
            QWidget* pile = w->parentWidget();
            if (pile && qobject_cast<QStackedWidget*>(pile))
                if (auto* onglets = qobject_cast<QTabWidget*>(pile->parentWidget())) {
                    *page = w;
                    return onglets;
                }
        }
        return nullptr;
    }

    // Does the window of `w` hold a tabbed control whose pages are tracked here?
    bool dansDesOnglets(QWidget* w) const {
        QWidget* fenetre = w->window();
        for (auto it = champs_.cbegin(); it != champs_.cend(); ++it)
            if (it->onglets && it->onglets->window() == fenetre) return true;
        return false;
    }

    // Hidden only because its tab is not the one shown (not hidden by the window itself)?
    static bool seulementSurUnOngletCache(QWidget* w, QWidget* fenetre) {
        for (; w && w != fenetre; w = w->parentWidget())
            if (w->isHidden() && !qobject_cast<QStackedWidget*>(w->parentWidget())) return false;
        return true;
    }

    // The Tab key skips widgets of the tabs not shown. When the next field in the window's
    // tab order is on such a tab, its tab is turned and the field takes the focus, as if
    // every tab's fields were one sequence, round the whole window.
    bool tabulerVersOngletCache(QWidget* depuis, bool suivant) {
        QWidget* fenetre = depuis->window();
        QWidget* w = depuis;
        for (;;) {
            w = suivant ? w->nextInFocusChain() : w->previousInFocusChain();
            if (!w || w == depuis) return false;
            if (w->window() != fenetre || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled())
                continue;
            if (w->isVisible()) return false;  // an ordinary next widget: Qt's own tabbing
            if (!seulementSurUnOngletCache(w, fenetre)) continue;
            QWidget* page = nullptr;
            QTabWidget* onglets = ongletsDe(w, &page);
            if (!onglets) continue;
            onglets->setCurrentWidget(page);
            if (!w->isVisible()) continue;  // on a tab inside a tab still hidden
            // Turning the tab may have put the focus on the field already, without selecting its
            // text: typing replaces it, as after any Tab.
            const bool dejaLa = w->hasFocus();
            w->setFocus(Qt::TabFocusReason);
            if (auto* zone = qobject_cast<QLineEdit*>(w); zone && dejaLa) zone->selectAll();
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
