#include "platform/forms/image_liee.h"
#include "platform/erreur.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/reactions.h"
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QImageIOHandler>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPromise>
#include <QThreadPool>

#include <memory>

namespace forms {

namespace {

// The pictures shown last, by path, file date and size, and display size: moving back and
// forth between pupils shows them again without reading the files.
struct ImageGardee {
    QString chemin;
    QDateTime modifiee;
    qint64 octets = 0;
    QSize place;
    QPixmap image;
};
constexpr int ImagesGardees = 8;
// A picture of more pixels than this is decoded away from the window, which meanwhile shows
// no picture: moving onto a pupil never waits for a camera's photograph.
constexpr qint64 PixelsLusSurPlace = 2'000'000;
// The label's property numbering its requests: a picture decoded meanwhile shows only if it
// is still the one asked for last.
constexpr char Demande[] = "carnelis_demande_image";

QList<ImageGardee>& gardees() {
    static QList<ImageGardee> liste;
    return liste;
}

// A photograph of several million pixels is decoded straight at the size it is shown at,
// never larger than the file holds.
QImage lire_a_la_taille(const QString& chemin, const QSize& place) {
    QImageReader lecteur(chemin);
    lecteur.setAutoTransform(true);
    const QSize taille = lecteur.size();
    if (taille.isValid() && !place.isEmpty()) {
        // The file's orientation tag turns the picture after decoding.
        const bool tournee = lecteur.transformation() & QImageIOHandler::TransformationRotate90;
        const QSize affichee = tournee ? taille.transposed() : taille;
        if (affichee.width() > place.width() || affichee.height() > place.height()) {
            const QSize reduite = affichee.scaled(place, Qt::KeepAspectRatio);
            lecteur.setScaledSize((tournee ? reduite.transposed() : reduite).expandedTo(QSize(1, 1)));
        }
    }
    return lecteur.read();
}

[[noreturn]] void refuser(const QString& chemin) {
    db::lever(erreurs_execution::ImageIncorrecte, QStringLiteral(" (%1)").arg(QDir::toNativeSeparators(chemin)));
}

void montrer(QLabel* image, const ImageGardee& g) {
    QPixmap p = g.image;
    if (!g.place.isEmpty() && (p.width() > g.place.width() || p.height() > g.place.height()))
        p = p.scaled(g.place, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    image->setPixmap(p);
    QList<ImageGardee>& liste = gardees();
    liste.prepend({g.chemin, g.modifiee, g.octets, g.place, p});
    while (liste.size() > ImagesGardees) liste.removeLast();
}

// Decodes on a thread of the pool; the label shows the picture when it comes, unless another
// one was asked for meanwhile. A file whose content turns out not to be a picture is told as
// one refused at once would be, if it is still the one asked for. A label deleted meanwhile
// takes its watcher with it.
void lire_a_part(QLabel* image, const ImageGardee& cle, quint64 demande) {
    auto promesse = std::make_shared<QPromise<QImage>>();
    auto* veilleur = new QFutureWatcher<QImage>(image);
    relier(veilleur, &QFutureWatcher<QImage>::finished, image, [image, veilleur, cle, demande] {
        veilleur->deleteLater();
        const QImage lue = veilleur->future().resultCount() > 0 ? veilleur->future().result() : QImage();
        if (image->property(Demande).toULongLong() != demande) return;
        if (lue.isNull()) refuser(cle.chemin);
        ImageGardee g = cle;
        g.image = QPixmap::fromImage(lue);
        montrer(image, g);
    });
    veilleur->setFuture(promesse->future());
    promesse->start();
    QThreadPool::globalInstance()->start([promesse, chemin = cle.chemin, place = cle.place] {
        promesse->addResult(lire_a_la_taille(chemin, place));
        promesse->finish();
    });
}

}  // namespace

void charger_image(QLabel* image, const QString& chemin) {
    const quint64 demande = image->property(Demande).toULongLong() + 1;
    image->setProperty(Demande, demande);
    image->clear();
    if (chemin.isEmpty()) return;
    const QFileInfo info(chemin);
    if (!info.exists() || !info.isFile() || info.isHidden()) return;
    const QSize place = image->size();
    QList<ImageGardee>& liste = gardees();
    for (int i = 0; i < liste.size(); ++i) {
        const ImageGardee& g = liste[i];
        if (g.chemin == chemin && g.modifiee == info.lastModified() && g.octets == info.size() && g.place == place) {
            image->setPixmap(g.image);
            liste.move(i, 0);
            return;
        }
    }
    const ImageGardee cle{chemin, info.lastModified(), info.size(), place, {}};
    // What is not a picture is known from its first bytes, and told at once.
    QImageReader entete(chemin);
    if (!entete.canRead()) refuser(chemin);
    const QSize taille = entete.size();
    if (taille.isValid() && qint64(taille.width()) * taille.height() > PixelsLusSurPlace) {
        lire_a_part(image, cle, demande);
        return;
    }
    const QImage lue = lire_a_la_taille(chemin, place);
    if (lue.isNull()) refuser(chemin);
    ImageGardee g = cle;
    g.image = QPixmap::fromImage(lue);
    montrer(image, g);
}

void lier_image(QLabel* image, QLineEdit* chemin) {
    image->setAlignment(Qt::AlignCenter);
    relier(chemin, &QLineEdit::textChanged, image, [image](const QString& texte) { charger_image(image, texte); });
}

}  // namespace forms
