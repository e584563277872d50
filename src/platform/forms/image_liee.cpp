#include "platform/forms/image_liee.h"
#include "platform/erreur.h"
#include "platform/db/erreurs_moteur.h"
#include "platform/forms/erreurs_boites.h"
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

namespace forms {

void charger_image(QLabel* image, const QString& chemin) {
    image->clear();
    if (chemin.isEmpty()) return;
    const QFileInfo info(chemin);
    if (!info.exists() || !info.isFile() || info.isHidden()) return;
    QImageReader lecteur(chemin);
    lecteur.setAutoTransform(true);
    const QImage lue = lecteur.read();
    if (lue.isNull())
        db::lever(erreurs_execution::ImageIncorrecte,
                                 QStringLiteral(" (%1)").arg(QDir::toNativeSeparators(chemin)));
    QPixmap p = QPixmap::fromImage(lue);
    if (!image->size().isEmpty() && (p.width() > image->width() || p.height() > image->height()))
        p = p.scaled(image->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    image->setPixmap(p);
}

void lier_image(QLabel* image, QLineEdit* chemin) {
    image->setAlignment(Qt::AlignCenter);
    QObject::connect(chemin, &QLineEdit::textChanged, image,
                     [image](const QString& texte) { pieger([&] { charger_image(image, texte); }); });
}

}  // namespace forms
