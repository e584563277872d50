#include "platform/forms/image_liee.h"
#include "platform/forms/boites.h"

#include <QFile>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

using namespace forms;

namespace {

// A photograph as a camera writes it: `largeur` x `hauteur` pixels, red on its left half and
// blue on its right, with the orientation tag that turns it a quarter clockwise for showing.
void photo(const QString& chemin, int largeur, int hauteur, bool tournee) {
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, largeur / 2, hauteur, Qt::red);
    QImageWriter w(chemin, "jpeg");
    if (tournee) w.setTransformation(QImageIOHandler::TransformationRotate90);
    QVERIFY(w.write(image));
}

}  // namespace

class TestImage : public QObject {
    Q_OBJECT
private slots:
    // A photograph of twelve million pixels is decoded away from the window and fills its box
    // upright, at the box's size; replaced on disk under the same name, the new picture shows,
    // not the one seen before. Moving on before it is decoded never shows it over the next one.
    void photo_a_la_taille_de_sa_place_et_relue_quand_elle_change() {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("élève.jpg"));
        const QString petite = dossier.filePath(QStringLiteral("suivant.jpg"));
        photo(chemin, 4000, 3000, true);
        photo(petite, 40, 30, false);
        QLabel place;
        place.resize(200, 150);
        charger_image(&place, chemin);
        QVERIFY(place.pixmap().isNull());
        charger_image(&place, petite);
        QCOMPARE(place.pixmap().size(), QSize(40, 30));
        QThreadPool::globalInstance()->waitForDone();
        QTest::qWait(20);
        QCOMPARE(place.pixmap().size(), QSize(40, 30));
        // Asked for again, it comes; once decoded it is kept and shown at once.
        charger_image(&place, chemin);
        QTRY_VERIFY(!place.pixmap().isNull());
        charger_image(&place, petite);
        charger_image(&place, chemin);
        QPixmap vue = place.pixmap();
        QCOMPARE(vue.size(), QSize(112, 150));
        // Turned a quarter clockwise: the left half of the file is now the top.
        const QImage i = vue.toImage();
        QVERIFY(qRed(i.pixel(56, 10)) > 200 && qBlue(i.pixel(56, 10)) < 60);
        QVERIFY(qBlue(i.pixel(56, 140)) > 200 && qRed(i.pixel(56, 140)) < 60);

        photo(chemin, 300, 100, false);
        charger_image(&place, chemin);
        QCOMPARE(place.pixmap().size(), QSize(200, 66));
        // A smaller picture is never enlarged.
        photo(chemin, 30, 20, false);
        charger_image(&place, chemin);
        QCOMPARE(place.pixmap().size(), QSize(30, 20));
    }

    // A picture whose header is sound but whose content is damaged is refused with the same box
    // whether it was decoded at once or away from the window, and only while it is still asked for.
    void image_abimee_refusee_comme_une_autre() {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("abîmée.png"));
        QImage grande(2000, 1200, QImage::Format_RGB32);
        grande.fill(Qt::green);
        QVERIFY(grande.save(chemin, "png"));
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray octets = f.readAll();
        const qsizetype donnees = octets.indexOf("IDAT") + 4;
        for (qsizetype i = donnees; i < octets.size() - 12; ++i) octets[i] = char(0xA5);
        f.seek(0);
        f.write(octets);
        f.close();

        RepondeurScripte& r = installer_repondeur_scripte();
        QLabel place;
        place.resize(200, 150);
        charger_image(&place, chemin);
        QTRY_COMPARE(r.vues.size(), 1);
        QVERIFY(r.derniere().texte.startsWith("Le logiciel a rencontré l'erreur : 481\n\nImage incorrecte."));
        QVERIFY(place.pixmap().isNull());

        // Left for another picture before it was decoded: nothing is told.
        const QString autre = dossier.filePath(QStringLiteral("autre.jpg"));
        photo(autre, 40, 30, false);
        charger_image(&place, chemin);
        charger_image(&place, autre);
        QThreadPool::globalInstance()->waitForDone();
        QTest::qWait(20);
        QCOMPARE(r.vues.size(), 1);
        QCOMPARE(place.pixmap().size(), QSize(40, 30));
        installer_repondeur(nullptr);
    }
};

QObject* suite_image() { return new TestImage; }

#include "test_image.moc"
