#include "platform/report/apercu.h"

#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/pointeur.h"
#include "platform/report/peinture.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace report {

FenetreApercu& FenetreApercu::instance() {
    if (!forms::Feuilles::estEnregistree(Nom))
        forms::Feuilles::enregistrer(Nom, [] { return new FenetreApercu; });
    return forms::Feuilles::obtenir<FenetreApercu>(Nom);
}

FenetreApercu::FenetreApercu() : forms::Feuille(Nom) {
    setCaption(QStringLiteral("Aperçu avant impression"));
    auto* barre = new QHBoxLayout;
    precedente_ = new QPushButton(QStringLiteral("< Page précédente"));
    precedente_->setObjectName(QStringLiteral("cmdPagePrécédente"));
    suivante_ = new QPushButton(QStringLiteral("Page suivante >"));
    suivante_->setObjectName(QStringLiteral("cmdPageSuivante"));
    numero_ = new QLabel;
    numero_->setObjectName(QStringLiteral("lblPage"));
    zoom_ = new QComboBox;
    zoom_->setObjectName(QStringLiteral("cboZoom"));
    for (int z : {50, 75, 100, 125, 150, 200}) zoom_->addItem(QStringLiteral("%1 %").arg(z), z);
    zoom_->setCurrentIndex(2);
    auto* imprimer = new QPushButton(QStringLiteral("Imprimer"));
    imprimer->setObjectName(QStringLiteral("cmdImprimer"));
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"));
    fermer->setObjectName(QStringLiteral("cmdFermer"));
    barre->addWidget(precedente_);
    barre->addWidget(numero_);
    barre->addWidget(suivante_);
    barre->addWidget(new QLabel(QStringLiteral("Zoom :")));
    barre->addWidget(zoom_);
    barre->addStretch();
    barre->addWidget(imprimer);
    barre->addWidget(fermer);

    auto* zone = new QScrollArea;
    zone->setObjectName(QStringLiteral("zonePage"));
    zone->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    zone->setBackgroundRole(QPalette::Dark);
    image_ = new QLabel;
    image_->setObjectName(QStringLiteral("imagePage"));
    zone->setWidget(image_);
    zone->setWidgetResizable(false);

    auto* l = new QVBoxLayout(this);
    l->addLayout(barre);
    l->addWidget(zone, 1);
    definirTaille(12000, 9000);

    connect(precedente_, &QPushButton::clicked, this, [this] { allerA(page_ - 1); });
    connect(suivante_, &QPushButton::clicked, this, [this] { allerA(page_ + 1); });
    connect(zoom_, &QComboBox::currentIndexChanged, this, [this] { redessiner(); });
    connect(imprimer, &QPushButton::clicked, this, [this] { imprimerDocument(); });
    connect(fermer, &QPushButton::clicked, this, [this] { masquer(); });
}

void FenetreApercu::montrer(DocumentRendu doc) {
    doc_ = std::move(doc);
    setCaption(QStringLiteral("Aperçu avant impression - ") + doc_.titre);
    page_ = 0;
    redessiner();
}

void FenetreApercu::allerA(int page) {
    if (page < 0 || page >= doc_.pages.size()) return;
    page_ = page;
    redessiner();
}

void FenetreApercu::redessiner() {
    const int n = qMax(1, int(doc_.pages.size()));
    numero_->setText(QStringLiteral("Page %1 / %2").arg(page_ + 1).arg(n));
    precedente_->setEnabled(page_ > 0);
    suivante_->setEnabled(page_ + 1 < doc_.pages.size());
    // 100 % shows the page at its real size on a 96 dpi screen.
    const double pixelsParMm = 96.0 / 25.4 * zoom_->currentData().toInt() / 100.0;
    image_->setPixmap(QPixmap::fromImage(image_page(doc_, page_, pixelsParMm)));
    image_->adjustSize();
}

void FenetreApercu::imprimerDocument() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        forms::boite_message(QStringLiteral("Aucune imprimante n'est disponible : impression impossible."), 48);
        return;
    }
    const int avant = forms::pointeur_souris();
    forms::definir_pointeur_souris(forms::Sablier);
    QPrinter imprimante(info, QPrinter::HighResolution);
    const bool ok = report::imprimer(doc_, imprimante);
    forms::definir_pointeur_souris(avant);
    if (!ok) forms::boite_message(QStringLiteral("L'impression n'a pas pu être faite."), 48);
}

}  // namespace report
