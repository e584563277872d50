#include "platform/forms/image_liee.h"
#include "platform/erreur.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/erreurs_boites.h"
#include <QDateTime>
#include <QDir>
#include <QImageIOHandler>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

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

QList<ImageGardee>& gardees() {
    static QList<ImageGardee> liste;
    return liste;
}

// A photograph of several million pixels is decoded straight at the size it is shown at,
// never larger than the file holds.
QImage lire_a_la_taille(const QString& chemin, const QSize& place) {
    QImageReader lecteur(chemin);
    lecteur.setAutoTransform(true);
    QSize taille = lecteur.size();
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

}  // namespace

void charger_image(QLabel* image, const QString& chemin) {
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
    const QImage lue = lire_a_la_taille(chemin, place);
    if (lue.isNull())
        db::lever(erreurs_execution::ImageIncorrecte,
                                 QStringLiteral(" (%1)").arg(QDir::toNativeSeparators(chemin)));
    QPixmap p = QPixmap::fromImage(lue);
    if (!place.isEmpty() && (p.width() > place.width() || p.height() > place.height()))
        p = p.scaled(place, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    image->setPixmap(p);
    liste.prepend({chemin, info.lastModified(), info.size(), place, p});
    while (liste.size() > ImagesGardees) liste.removeLast();
}

void lier_image(QLabel* image, QLineEdit* chemin) {
    image->setAlignment(Qt::AlignCenter);
    QObject::connect(chemin, &QLineEdit::textChanged, image,
                     [image](const QString& texte) { pieger([&] { charger_image(image, texte); }); });
}

}  // namespace forms
