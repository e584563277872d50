// The tab follows the focus: by the Tab key across tabs, by a field taking the focus.
#include "platform/forms/onglets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

using namespace forms;

namespace {

// A window with three tabs: a1 a2 | b1 | c1 (editable box), then a button below the tabs.
struct Fenetre {
    QWidget w;
    QTabWidget* onglets = new QTabWidget;
    QLineEdit *a1 = new QLineEdit, *a2 = new QLineEdit, *b1 = new QLineEdit;
    QComboBox* c1 = new QComboBox;
    Fenetre() {
        auto* disposition = new QVBoxLayout(&w);
        disposition->addWidget(onglets);
        QWidget* pages[3];
        for (QWidget*& p : pages) {
            p = new QWidget;
            new QVBoxLayout(p);
        }
        pages[0]->layout()->addWidget(a1);
        pages[0]->layout()->addWidget(a2);
        pages[1]->layout()->addWidget(b1);
        c1->setEditable(true);
        pages[2]->layout()->addWidget(c1);
        onglets->addTab(pages[0], "&Identité");
        onglets->addTab(pages[1], "&Classe");
        onglets->addTab(pages[2], "&Santé");
        onglet_suit_focus(onglets, {{a1, 0}, {a2, 0}, {b1, 1}, {c1, 2}});
    }
};

}  // namespace

class TestOnglets : public QObject {
    Q_OBJECT
private slots:
    void tabulation_a_travers_les_onglets() {
        Fenetre f;
        f.w.show();
        f.w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.w));
        f.a2->setFocus();
        QTRY_VERIFY(f.a2->hasFocus());
        QTest::keyClick(f.a2, Qt::Key_Tab);
        QCOMPARE(f.onglets->currentIndex(), 1);
        QTRY_VERIFY(f.b1->hasFocus());
        QTest::keyClick(f.b1, Qt::Key_Tab);
        QCOMPARE(f.onglets->currentIndex(), 2);
        QTRY_VERIFY(f.c1->hasFocus() || f.c1->lineEdit()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(f.onglets->currentIndex(), 1);
        QTest::keyClick(f.b1, Qt::Key_Backtab);
        QCOMPARE(f.onglets->currentIndex(), 0);
        QTRY_VERIFY(f.a2->hasFocus());
    }

    void focus_recu_par_un_champ_compose_et_plusieurs_fenetres() {
        Fenetre f, g;
        QFocusEvent entree(QEvent::FocusIn, Qt::MouseFocusReason);
        // The inner line of the editable box is part of the field c1.
        QApplication::sendEvent(f.c1->lineEdit(), &entree);
        QCOMPARE(f.onglets->currentIndex(), 2);
        QCOMPARE(g.onglets->currentIndex(), 0);
        QApplication::sendEvent(g.b1, &entree);
        QCOMPARE(g.onglets->currentIndex(), 1);
        QCOMPARE(f.onglets->currentIndex(), 2);
        QApplication::sendEvent(f.a1, &entree);
        QCOMPARE(f.onglets->currentIndex(), 0);
        // A field gone is forgotten, the others keep working.
        delete g.b1;
        QApplication::sendEvent(g.a1, &entree);
        QCOMPARE(g.onglets->currentIndex(), 0);
    }
};

QObject* suite_onglets() { return new TestOnglets; }

#include "test_onglets.moc"
