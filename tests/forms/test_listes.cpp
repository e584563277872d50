// Drive, folder and file lists on a temporary folder tree.
#include "platform/erreur.h"
#include "platform/forms/listes_fichiers.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace forms;

class TestListes : public QObject {
    Q_OBJECT
    QTemporaryDir arbre;
    QString racine;

    static QStringList noms(const QListWidget& l) {
        QStringList n;
        for (int i = 0; i < l.count(); ++i) n << l.item(i)->text().trimmed();
        return n;
    }

private slots:
    void initTestCase() {
        racine = QDir::cleanPath(arbre.path());
        QDir d(racine);
        for (const char* s : {"b", "A", ".cache", "A/profond"}) QVERIFY(d.mkpath(s));
        for (const char* f : {"x.MDB", "a.mdb", "notes.txt", "photo.JPG", "p.gif", "i.jpeg", ".cachee.mdb", "b.mdb.bak"}) {
            QFile fichier(d.filePath(f));
            QVERIFY(fichier.open(QIODevice::WriteOnly));
        }
    }

    void fichiers_filtres_et_tries() {
        ListeFichiers f;
        f.setPath(racine);
        f.setPattern("*.mdb");
        QCOMPARE(noms(f), (QStringList{"a.mdb", "x.MDB"}));
        f.setPattern("*.jpg ; *.gif ; *.bmp");
        QCOMPARE(noms(f), (QStringList{"p.gif", "photo.JPG"}));
        QCOMPARE(f.ListIndex(), -1);
        QCOMPARE(f.FileName(), QString());
        QCOMPARE(f.Path(), racine);
        QVERIFY_THROWS_EXCEPTION(Erreur, f.setPath(racine + "/absent"));
        QCOMPARE(f.Path(), racine);
    }

    void clic_et_double_clic_de_fichier() {
        ListeFichiers f;
        f.setPath(racine);
        f.setPattern("*.mdb");
        f.resize(200, 200);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QSignalSpy clic(&f, &ListeFichiers::Click), double_clic(&f, &ListeFichiers::DblClick);
        // What the Click handler reads: the entry just chosen, already selected.
        QStringList lus;
        connect(&f, &ListeFichiers::Click, &f, [&] { lus << f.FileName(); });
        f.setListIndex(1);
        QCOMPARE(clic.count(), 1);
        QCOMPARE(f.FileName(), QString("x.MDB"));
        const QPoint p = f.visualItemRect(f.item(0)).center();
        QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, p);
        QCOMPARE(clic.count(), 2);
        QCOMPARE(f.FileName(), QString("a.mdb"));
        QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, p);  // the same entry again
        QCOMPARE(clic.count(), 3);
        f.setFocus();
        QTest::keyClick(&f, Qt::Key_Down);
        QCOMPARE(clic.count(), 4);
        QCOMPARE(lus, (QStringList{"x.MDB", "a.mdb", "a.mdb", "x.MDB"}));
        QTest::mouseDClick(f.viewport(), Qt::LeftButton, {}, p);
        QCOMPARE(double_clic.count(), 1);
        f.Refresh();
        QCOMPARE(f.ListIndex(), -1);
    }

    void dossiers_chaine_et_sous_dossiers() {
        ListeDossiers d;
        QSignalSpy change(&d, &ListeDossiers::Change);
        d.setPath(racine + "/");
        QCOMPARE(change.count(), 1);
        QCOMPARE(d.Path(), racine);
        d.setPath(racine);
        QCOMPARE(change.count(), 1);
        const QStringList n = noms(d);
        const int profondeur = racine.count('/');
        QCOMPARE(n.first(), QString("/"));
        QCOMPARE(n.size(), profondeur + 1 + 2);  // ancestors, the folder, "A" and "b"
        QCOMPARE(n[profondeur], QDir(racine).dirName());
        QCOMPARE(n.mid(profondeur + 1), (QStringList{"A", "b"}));
        QVERIFY_THROWS_EXCEPTION(Erreur, d.setPath(racine + "/absent"));

        d.resize(300, 400);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        // The list's double-click, as the view reports it.
        emit d.itemDoubleClicked(d.item(profondeur + 2));
        QTRY_COMPARE(d.Path(), racine + "/b");
        QCOMPARE(change.count(), 2);
        // Back up by the chain, then down into "A" with single clicks.
        QTest::mouseClick(d.viewport(), Qt::LeftButton, {}, d.visualItemRect(d.item(profondeur)).center());
        QTRY_COMPARE(d.Path(), racine);
        QTest::mouseClick(d.viewport(), Qt::LeftButton, {}, d.visualItemRect(d.item(profondeur + 1)).center());
        QTRY_COMPARE(d.Path(), racine + "/A");
        QCOMPARE(change.count(), 4);
        QCOMPARE(noms(d).last(), QString("profond"));
    }

    void lecteurs() {
        ListeLecteurs l;
        QVERIFY(l.count() >= 1);
        l.setDrive("/");
        QCOMPARE(l.Drive(), QString("/"));
        l.setDrive(racine);
        QVERIFY(racine == l.Drive() || l.Drive() == "/" || racine.startsWith(l.Drive() + "/"));
        for (int i = 0; i < l.count(); ++i) QVERIFY(!l.itemData(i).toString().startsWith("/proc"));
    }
};

QObject* suite_listes() { return new TestListes; }

#include "test_listes.moc"
