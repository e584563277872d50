// Every window of the program opened in a main window of 1024 x 768, as a small laptop or an
// old school computer shows it: each opens wholly inside the main window's work area, and no
// caption (label, button, tab, column heading) is cut.
//
// With CAPTURES_ECRAN set to a folder, a picture of the screen is left there for each window
// (run under a virtual display of 1024 x 768 to see what the user sees).
#include "essais.h"
#include "programme.h"
#include "platform/report/apercu.h"
#include <QAbstractButton>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using forms::Feuilles;

namespace {

using programme::principale;
using programme::traiter;

QString sans_mnemonique(QString texte) {
    texte.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    texte.remove(QLatin1Char('&'));
    texte.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return texte;
}

int largeur_texte(const QWidget* w, const QString& texte) {
    int plus = 0;
    for (const QString& ligne : sans_mnemonique(texte).split(QLatin1Char('\n')))
        plus = qMax(plus, w->fontMetrics().horizontalAdvance(ligne));
    return plus;
}

// What is cut in the window as it shows now: "control: text (needs N, has M)".
QStringList legendes_coupees(QWidget* fenetre) {
    QStringList coupees;
    const auto noter = [&](QWidget* w, const QString& texte, int besoin, int dispo) {
        if (besoin > dispo)
            coupees << QStringLiteral("%1 \"%2\" (%3 px pour %4)").arg(w->objectName(), texte).arg(dispo).arg(besoin);
    };
    for (QLabel* l : fenetre->findChildren<QLabel*>()) {
        if (!l->isVisible() || l->text().isEmpty() || Qt::mightBeRichText(l->text())) continue;
        const QRect r = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
        noter(l, l->text(), l->minimumSizeHint().width(), l->width());  // squeezed by its neighbours
        if (l->wordWrap())
            noter(l, l->text(), l->heightForWidth(l->width()), l->height());
        else
            noter(l, l->text(), largeur_texte(l, l->text()), r.width() - qMax(0, l->indent()));
    }
    for (QAbstractButton* b : fenetre->findChildren<QAbstractButton*>()) {
        if (!b->isVisible() || b->text().isEmpty()) continue;
        int cadre = 2 * b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) / 2;
        if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b))
            cadre = b->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, b) +
                    b->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, b);
        noter(b, b->text(), largeur_texte(b, b->text()) + cadre, b->width());
    }
    for (QHeaderView* h : fenetre->findChildren<QHeaderView*>()) {
        if (!h->isVisible() || h->orientation() != Qt::Horizontal || !h->model()) continue;
        const int marge = 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
        QFont gras = h->font();  // the current column's heading is bold
        gras.setBold(true);
        for (int i = 0; i < h->count(); ++i) {
            if (h->isSectionHidden(i)) continue;
            const QString texte = h->model()->headerData(i, Qt::Horizontal).toString();
            noter(h, texte, QFontMetrics(gras).horizontalAdvance(texte) + marge, h->sectionSize(i));
        }
    }
    return coupees;
}

class EssaiEcran : public QObject {
    Q_OBJECT
    programme::Programme prog;
    int capture = 0;

    QRect zone_travail() const {
        return QRect(QPoint(0, 0), principale().zone()->viewport()->size());
    }

    void capturer(const QString& nom) {
        const QString dossierCaptures = qEnvironmentVariable("CAPTURES_ECRAN");
        if (dossierCaptures.isEmpty()) return;
        traiter();
        QTest::qWait(50);
        QPixmap image = QGuiApplication::platformName() == QLatin1String("xcb")
                            ? QGuiApplication::primaryScreen()->grabWindow(0)
                            : principale().grab();
        image.save(QDir(dossierCaptures).filePath(QStringLiteral("%1-%2.png").arg(++capture, 2, 10, QLatin1Char('0')).arg(nom)));
    }

    // The window as the user sees it: its frame in the work area, then each tab in turn
    // with nothing cut.
    void verifier(const QString& nom) {
        traiter();
        forms::Feuille* f = Feuilles::siChargee(nom);
        QVERIFY2(f && f->estAffichee(), qPrintable(nom));
        if (QMdiSubWindow* cadre = f->sousFenetre()) {
            QVERIFY2(zone_travail().contains(cadre->geometry()),
                     qPrintable(QStringLiteral("%1 : cadre %2,%3 %4x%5 hors de la zone %6x%7")
                                    .arg(nom).arg(cadre->x()).arg(cadre->y()).arg(cadre->width())
                                    .arg(cadre->height()).arg(zone_travail().width()).arg(zone_travail().height())));
        }
        QStringList coupees;
        const auto onglets = f->findChildren<QTabWidget*>();
        if (onglets.isEmpty()) {
            coupees += legendes_coupees(f);
            capturer(nom);
        }
        for (QTabWidget* t : onglets) {
            const int avant = t->currentIndex();
            for (int i = 0; i < t->count(); ++i) {
                t->setCurrentIndex(i);
                traiter();
                coupees += legendes_coupees(f);
                if (i == 0) capturer(nom);
            }
            t->setCurrentIndex(avant);
        }
        coupees.removeDuplicates();
        QVERIFY2(coupees.isEmpty(), qPrintable(nom + QStringLiteral(" : ") + coupees.join(QStringLiteral(" ; "))));
    }

private slots:
    void initTestCase() { QVERIFY(prog.demarrer()); }
    void cleanupTestCase() { prog.arreter(); }

    void selecteur_de_base() { verifier(QStringLiteral("feuille_choix_base")); }

    void fenetres_des_menus_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("fenetre");
        const auto ligne = [](const char* menu, const QString& fenetre) {
            QTest::newRow(qPrintable(fenetre)) << QString::fromUtf8(menu) << fenetre;
        };
        ligne("menuenfantsindex1", QStringLiteral("feuille_élève"));
        ligne("menuenfantsindex2", QStringLiteral("feuille_famille"));
        ligne("menuexploitationindex3", QStringLiteral("feuille_traitements"));
        ligne("menuparamètresindex1", QStringLiteral("feuille_inspection"));
        ligne("menuparamètresindex2", QStringLiteral("feuille_école"));
        ligne("menuparamètresindex3", QStringLiteral("feuille_équipe"));
        ligne("menuparamètresindex4", QStringLiteral("feuille_documents"));
        ligne("menuparamètresindex5", QStringLiteral("feuille_paramètres"));
        ligne("menuparamètresindex22", QStringLiteral("feuille_accès"));
        ligne("menuparamètresindex6", QStringLiteral("feuille_adresses"));
        ligne("menuparamètresindex7", QStringLiteral("feuille_assurances"));
        ligne("menuparamètresindex23", QStringLiteral("feuille_assertions"));
        ligne("menuparamètresindex8", QStringLiteral("feuille_csp"));
        ligne("menuparamètresindex19", QStringLiteral("feuille_genres"));
        ligne("menuparamètresindex9", QStringLiteral("feuille_hôpitaux"));
        ligne("menuparamètresindex13", QStringLiteral("feuille_langues_vivantes"));
        ligne("menuparamètresindex12", QStringLiteral("feuille_médecins"));
        ligne("menuparamètresindex15", QStringLiteral("feuille_nationalités"));
        ligne("menuparamètresindex18", QStringLiteral("feuille_niveaux"));
        ligne("menuparamètresindex14", QStringLiteral("feuille_sexe"));
        ligne("menuparamètresindex17", QStringLiteral("feuille_situations_familiales"));
        ligne("menuparamètresindex16", QStringLiteral("feuille_villes"));
        ligne("menuoptionsindex1", QStringLiteral("feuille_options"));
        ligne("menuaideindex1", QStringLiteral("feuille_copyright"));
    }

    void fenetres_des_menus() {
        QFETCH(QString, menu);
        QFETCH(QString, fenetre);
        Feuilles::toutDecharger();
        traiter();
        prog.ouvrirBase();
        programme::menu(menu);
        verifier(fenetre);
    }

    // The eldest's caption blinks with nothing around it moving.
    void clignotement_sans_saut() {
        Feuilles::toutDecharger();
        traiter();
        prog.ouvrirBase();
        programme::menu(QStringLiteral("menuenfantsindex1"));
        forms::Feuille* f = Feuilles::siChargee(QStringLiteral("feuille_élève"));
        QVERIFY(f);
        const auto places = [f] {
            QStringList p;
            for (QWidget* w : f->findChildren<QWidget*>())
                if (w->isVisible()) p << QStringLiteral("%1 %2,%3 %4x%5").arg(w->objectName()).arg(w->mapTo(f, QPoint()).x())
                                          .arg(w->mapTo(f, QPoint()).y()).arg(w->width()).arg(w->height());
            return p;
        };
        auto* caseAine = f->findChild<QAbstractButton*>(QStringLiteral("Check2"));
        const QString avant = caseAine->text();
        const QStringList placesAvant = places();
        QTRY_VERIFY_WITH_TIMEOUT(caseAine->text() != avant, 2000);
        traiter();
        QCOMPARE(places(), placesAvant);
    }

    // Alt+F7 then the arrow keys move a window, Enter puts it down; its window menu is French.
    void deplacer_au_clavier() {
        Feuilles::toutDecharger();
        traiter();
        prog.ouvrirBase();
        programme::menu(QStringLiteral("menuparamètresindex2"));
        forms::Feuille* f = Feuilles::siChargee(QStringLiteral("feuille_école"));
        QVERIFY(f && f->isAncestorOf(QApplication::focusWidget()));
        QMdiSubWindow* cadre = f->sousFenetre();
        QStringList textes;
        for (QAction* a : cadre->systemMenu()->actions())
            if (!a->isSeparator()) textes << a->text();
        QCOMPARE(textes.join(','), QString("&Restaurer,&Déplacer,&Taille,Réd&uire,Ag&randir,T&oujours au premier plan,&Fermer"));
        const QPoint avant = cadre->pos();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F7, Qt::AltModifier);
        for (int i = 0; i < 5; ++i) QTest::keyClick(cadre, Qt::Key_Right);
        QTest::keyClick(cadre, Qt::Key_Return);
        traiter();
        QVERIFY2(cadre->pos().x() > avant.x(), qPrintable(QString::number(cadre->pos().x())));
        QCOMPARE(cadre->pos().y(), avant.y());
    }

    void selecteurs_data() {
        QTest::addColumn<QString>("fenetre");
        QTest::newRow("famille") << QStringLiteral("feuille_choix_famille");
        QTest::newRow("photo") << QStringLiteral("feuille_choix_photo");
        QTest::newRow("dossier") << QStringLiteral("feuille_chemin");
    }

    void selecteurs() {
        QFETCH(QString, fenetre);
        Feuilles::toutDecharger();
        traiter();
        Feuilles::charger(fenetre).afficher();
        verifier(fenetre);
    }

    // The preview at its own size; then maximised, as a report shows it, while the pages of a
    // long list come in: every button, "Fermer" last, whole inside the window; restored again,
    // the window still fits.
    void apercu() {
        Feuilles::toutDecharger();
        traiter();
        report::DocumentRendu doc;
        doc.titre = QStringLiteral("Liste de classe");
        doc.pages.resize(2);
        auto& f = report::FenetreApercu::instance();
        f.montrer(doc);
        f.afficher();
        verifier(report::FenetreApercu::Nom);
        f.sousFenetre()->showMaximized();
        // What the page number says meanwhile on a register of thousands of pages.
        f.findChild<QLabel*>(QStringLiteral("lblPage"))->setText(QStringLiteral("Page 1 / 3245 (mise en page en cours…)"));
        verifier(report::FenetreApercu::Nom);
        for (QPushButton* b : f.findChildren<QPushButton*>())
            QVERIFY2(f.rect().contains(QRect(b->mapTo(&f, QPoint()), b->size())),
                     qPrintable(QStringLiteral("%1 : %2 px de large, fenêtre de %3").arg(b->text())
                                    .arg(b->mapTo(&f, QPoint()).x() + b->width()).arg(f.width())));
        f.sousFenetre()->showNormal();
        verifier(report::FenetreApercu::Nom);
    }
};

}  // namespace

QObject* essai_ecran() { return new EssaiEcran; }

#include "test_ecran.moc"
