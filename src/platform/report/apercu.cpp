#include "platform/report/apercu.h"

#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/pointeur.h"
#include "platform/report/mise_en_page.h"
#include "platform/report/peinture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>

namespace report {

namespace {

// Each turn of the event loop lays out for this long, so that the window answers in between.
constexpr int TrancheMs = 25;

}  // namespace

FenetreApercu& FenetreApercu::instance() {
    if (!forms::Feuilles::estEnregistree(Nom))
        forms::Feuilles::enregistrer(Nom, [] { return new FenetreApercu; });
    return forms::Feuilles::obtenir<FenetreApercu>(Nom);
}

FenetreApercu::FenetreApercu() : forms::Feuille(Nom) {
    setCaption(QStringLiteral("Aperçu avant impression"));
    auto* barre = new QHBoxLayout;
    const auto bouton = [](const QString& texte, const QString& nom) {
        auto* b = new QPushButton(texte);
        b->setObjectName(nom);
        return b;
    };
    premiere_ = bouton(QStringLiteral("<< Première page"), QStringLiteral("cmdPremièrePage"));
    precedente_ = bouton(QStringLiteral("< Page précédente"), QStringLiteral("cmdPagePrécédente"));
    suivante_ = bouton(QStringLiteral("Page suivante >"), QStringLiteral("cmdPageSuivante"));
    derniere_ = bouton(QStringLiteral("Dernière page >>"), QStringLiteral("cmdDernièrePage"));
    premiere_->setToolTip(QStringLiteral("Première page (Ctrl+Début)"));
    precedente_->setToolTip(QStringLiteral("Page précédente (Pg préc.)"));
    suivante_->setToolTip(QStringLiteral("Page suivante (Pg suiv.)"));
    derniere_->setToolTip(QStringLiteral("Dernière page (Ctrl+Fin)"));
    numero_ = new QLabel;
    numero_->setObjectName(QStringLiteral("lblPage"));
    zoom_ = new QComboBox;
    zoom_->setObjectName(QStringLiteral("cboZoom"));
    for (int z : {50, 75, 100, 125, 150, 200}) zoom_->addItem(QStringLiteral("%1 %").arg(z), z);
    zoom_->setCurrentIndex(2);
    auto* imprimer = bouton(QStringLiteral("Imprimer"), QStringLiteral("cmdImprimer"));
    auto* fermer = bouton(QStringLiteral("&Fermer"), QStringLiteral("cmdFermer"));
    barre->addWidget(premiere_);
    barre->addWidget(precedente_);
    barre->addWidget(numero_);
    barre->addWidget(suivante_);
    barre->addWidget(derniere_);
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

    minuterie_ = new QTimer(this);
    minuterie_->setInterval(0);
    connect(minuterie_, &QTimer::timeout, this, [this] { continuer(TrancheMs); });

    const auto derniere = [this] {
        if (mise_) { versLaFin_ = true; redessiner(); }
        else allerA(doc_.pages.size() - 1);
    };
    connect(premiere_, &QPushButton::clicked, this, [this] { allerA(0); });
    connect(precedente_, &QPushButton::clicked, this, [this] { allerA(page_ - 1); });
    connect(suivante_, &QPushButton::clicked, this, [this] { allerA(page_ + 1); });
    connect(derniere_, &QPushButton::clicked, this, derniere);
    // The keys turn the pages while the preview has the focus, never in the other windows.
    const auto touche = [this](QKeyCombination k, auto action) {
        auto* raccourci = new QShortcut(QKeySequence(k), this);
        raccourci->setContext(Qt::WidgetWithChildrenShortcut);
        connect(raccourci, &QShortcut::activated, this, action);
    };
    touche(Qt::CTRL | Qt::Key_Home, [this] { allerA(0); });
    touche(QKeyCombination(Qt::Key_PageUp), [this] { allerA(page_ - 1); });
    touche(QKeyCombination(Qt::Key_PageDown), [this] { allerA(page_ + 1); });
    touche(Qt::CTRL | Qt::Key_End, derniere);
    connect(zoom_, &QComboBox::currentIndexChanged, this, [this] { redessiner(); });
    connect(imprimer, &QPushButton::clicked, this, [this] { imprimerDocument(); });
    connect(fermer, &QPushButton::clicked, this, [this] { masquer(); });
}

FenetreApercu::~FenetreApercu() = default;

void FenetreApercu::montrer(DocumentRendu doc) {
    minuterie_->stop();
    mise_.reset();
    marques_.clear();
    unsetCursor();
    versLaFin_ = false;
    doc_ = std::move(doc);
    setCaption(QStringLiteral("Aperçu avant impression - ") + doc_.titre);
    page_ = 0;
    redessiner();
}

void FenetreApercu::montrer(std::unique_ptr<MiseEnPage> mise) {
    DocumentRendu doc = mise->document();
    doc.pages.clear();
    montrer(std::move(doc));
    mise_ = std::move(mise);
    // The first page, then the rest from the event loop: working on, and still answering,
    // as the pointer over this window says.
    setCursor(Qt::BusyCursor);
    if (continuer(0)) {
        minuterie_->start();
        redessiner();
    }
}

bool FenetreApercu::continuer(int millisecondes) {
    if (!mise_) return false;
    QElapsedTimer t;
    t.start();
    const int avant = doc_.pages.size();
    bool encore = true;
    do encore = mise_->avancer(1);
    while (encore && (millisecondes < 0 || t.elapsed() < millisecondes));
    const bool nombreConnu = !encore;
    for (Page& p : mise_->prendre()) {
        // Where each page shows the page count, noted while it is not known.
        if (!nombreConnu)
            for (int b = 0; b < p.bandes.size(); ++b)
                for (int c = 0; c < p.bandes[b].cellules.size(); ++c)
                    for (int l = 0; l < p.bandes[b].cellules[c].lignes.size(); ++l)
                        if (p.bandes[b].cellules[c].lignes[l].texte.contains(marque_pages()))
                            marques_.append({int(doc_.pages.size()), b, c, l});
        doc_.pages.append(std::move(p));
    }
    if (!encore) {
        // The count is known now: written in the pages shown so far.
        const QString n = QString::number(mise_->pages_totales());
        for (const auto& [p, b, c, l] : marques_) doc_.pages[p].bandes[b].cellules[c].lignes[l].texte.replace(marque_pages(), n);
        marques_.clear();
        doc_.etiquettesRaccourcies = mise_->etiquettes_raccourcies();
        // The records of a long list take a while to free: done away from the window.
        QThreadPool::globalInstance()->start([fini = std::shared_ptr<MiseEnPage>(std::move(mise_))]() mutable { fini.reset(); });
        minuterie_->stop();
        unsetCursor();
        if (versLaFin_) page_ = qMax(0, int(doc_.pages.size()) - 1);
        versLaFin_ = false;
        redessiner();
    } else if (doc_.pages.size() != avant) {
        numero_->setText(QStringLiteral("Page %1 / %2 (mise en page en cours…)").arg(page_ + 1).arg(doc_.pages.size()));
        suivante_->setEnabled(page_ + 1 < doc_.pages.size());
    }
    return encore;
}

void FenetreApercu::terminer() {
    if (!mise_) return;
    const int avant = forms::pointeur_souris();
    forms::definir_pointeur_souris(forms::Sablier);
    continuer(-1);
    forms::definir_pointeur_souris(avant);
}

const DocumentRendu& FenetreApercu::document() {
    terminer();
    return doc_;
}

void FenetreApercu::allerA(int page) {
    if (page < 0 || page >= doc_.pages.size()) return;
    page_ = page;
    versLaFin_ = false;
    redessiner();
}

void FenetreApercu::redessiner() {
    const int n = qMax(1, int(doc_.pages.size()));
    numero_->setText(mise_ ? QStringLiteral("Page %1 / %2 (mise en page en cours…)").arg(page_ + 1).arg(n)
                           : QStringLiteral("Page %1 / %2").arg(page_ + 1).arg(n));
    premiere_->setEnabled(page_ > 0);
    precedente_->setEnabled(page_ > 0);
    suivante_->setEnabled(page_ + 1 < doc_.pages.size());
    derniere_->setEnabled(mise_ ? !versLaFin_ : page_ + 1 < doc_.pages.size());
    // 100 % shows the page at its real size on a 96 dpi screen.
    const double pixelsParMm = 96.0 / 25.4 * zoom_->currentData().toInt() / 100.0;
    QImage image;
    if (mise_ && page_ < doc_.pages.size()) {
        // The page count is not known yet.
        DocumentRendu vue = doc_;
        vue.pages = {doc_.pages[page_]};
        remplacer_marque(vue.pages[0], QStringLiteral("…"));
        image = image_page(vue, 0, pixelsParMm);
    } else {
        image = image_page(doc_, page_, pixelsParMm);
    }
    image_->setPixmap(QPixmap::fromImage(image));
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
    terminer();
    QPrinter imprimante(info, QPrinter::HighResolution);
    const bool ok = report::imprimer(doc_, imprimante);
    forms::definir_pointeur_souris(avant);
    if (!ok) forms::boite_message(QStringLiteral("L'impression n'a pas pu être faite."), 48);
}

}  // namespace report
