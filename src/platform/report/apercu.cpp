#include "platform/report/apercu.h"

#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"
#include "platform/forms/pointeur.h"
#include "platform/report/impression.h"
#include "platform/report/mise_en_page.h"
#include "platform/report/mise_en_page_fond.h"
#include "platform/report/page_compacte.h"
#include "platform/report/peinture.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace report {

namespace {

// How often the window takes the pages laid out meanwhile.
constexpr int IntervalleMs = 15;

// "Page 3 / 12", with "(mise en page en cours…)" while the rest is laid out.
QString texte_page(int page, int pages, bool enCours) {
    const QString t = QStringLiteral("Page %1 / %2").arg(page).arg(pages);
    return enCours ? t + QStringLiteral(" (mise en page en cours…)") : t;
}

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
    // Short captions, the whole words in the tooltips: the bar holds on a 1024-pixel screen.
    premiere_ = bouton(QStringLiteral("<< Première"), QStringLiteral("cmdPremièrePage"));
    precedente_ = bouton(QStringLiteral("< Précédente"), QStringLiteral("cmdPagePrécédente"));
    suivante_ = bouton(QStringLiteral("Suivante >"), QStringLiteral("cmdPageSuivante"));
    derniere_ = bouton(QStringLiteral("Dernière >>"), QStringLiteral("cmdDernièrePage"));
    premiere_->setToolTip(QStringLiteral("Première page (Ctrl+Début)"));
    precedente_->setToolTip(QStringLiteral("Page précédente (Pg préc.)"));
    suivante_->setToolTip(QStringLiteral("Page suivante (Pg suiv.)"));
    derniere_->setToolTip(QStringLiteral("Dernière page (Ctrl+Fin)"));
    numero_ = new QLabel;
    numero_->setObjectName(QStringLiteral("lblPage"));
    // The page number has the room of its longest text from the start: the bar does not widen
    // past the window while the pages of a long list come in, nor do the buttons move.
    numero_->setMinimumWidth(numero_->fontMetrics().horizontalAdvance(texte_page(8888, 8888, true)));
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
    minuterie_->setInterval(IntervalleMs);
    connect(minuterie_, &QTimer::timeout, this, [this] { continuer(); });

    const auto derniere = [this] {
        if (enCours_) { versLaFin_ = true; redessiner(); }
        else allerA(nombrePages() - 1);
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
    connect(fermer, &QPushButton::clicked, this, [this] {
        abandonner();
        masquer();
    });
}

// Closed or unloaded while still at work: the thread stops and is waited for here, so that
// nothing of it outlives the window.
FenetreApercu::~FenetreApercu() { abandonner(); }

void FenetreApercu::abandonner() {
    if (!enCours_) return;
    minuterie_->stop();
    fond_.reset();
    enCours_ = false;
    unsetCursor();
    pages_.clear();
    entier_ = DocumentRendu{};
    total_ = -1;
    page_ = 0;
    versLaFin_ = false;
    redessiner();
}

void FenetreApercu::montrer(const QString& titre, Preparation preparer) {
    abandonner();
    fond_.reset();
    entete_ = DocumentRendu{};
    entete_.titre = titre;
    pages_.clear();
    entier_ = DocumentRendu{};
    total_ = -1;
    versLaFin_ = false;
    page_ = 0;
    setCaption(QStringLiteral("Aperçu avant impression - ") + titre);
    fond_ = std::make_unique<MiseEnPageFond>(std::move(preparer));
    enCours_ = true;
    // Working on, and still answering, as the pointer over this window says.
    setCursor(Qt::BusyCursor);
    minuterie_->start();
    redessiner();
}

void FenetreApercu::montrer(const DocumentRendu& doc) {
    minuterie_->stop();
    fond_.reset();
    enCours_ = false;
    unsetCursor();
    entete_ = doc;
    entete_.pages.clear();
    pages_.clear();
    for (const Page& p : doc.pages) pages_.append(compacter(p));
    entier_ = DocumentRendu{};
    total_ = nombrePages();
    versLaFin_ = false;
    page_ = 0;
    setCaption(QStringLiteral("Aperçu avant impression - ") + doc.titre);
    redessiner();
}

void FenetreApercu::continuer() {
    if (!enCours_) return;
    MiseEnPageFond::Lot lot = fond_->prendre();
    if (lot.avecEntete) {
        lot.entete.titre = entete_.titre;
        entete_ = lot.entete;
    }
    const bool premiere = pages_.isEmpty() && !lot.pages.isEmpty();
    pages_ += lot.pages;
    if (lot.erreur != 0) {
        enCours_ = false;
        minuterie_->stop();
        unsetCursor();
        pages_.clear();
        redessiner();
        masquer();
        forms::boite_message(QStringLiteral("Demande d'édition interrompue...\n\n") + lot.texteErreur,
                             forms::styles::Avertissement);
        return;
    }
    if (lot.fini) {
        enCours_ = false;
        total_ = lot.pagesTotales >= 0 ? lot.pagesTotales : nombrePages();
        entete_.etiquettesRaccourcies = lot.etiquettesRaccourcies;
        minuterie_->stop();
        unsetCursor();
        if (versLaFin_) page_ = qMax(0, nombrePages() - 1);
        versLaFin_ = false;
        redessiner();
    } else if (premiere) {
        redessiner();
    } else if (!lot.pages.isEmpty()) {
        numero_->setText(texte_page(page_ + 1, nombrePages(), true));
        suivante_->setEnabled(page_ + 1 < nombrePages());
    }
}

void FenetreApercu::terminer() {
    if (!enCours_) return;
    const int avant = forms::pointeur_souris();
    forms::definir_pointeur_souris(forms::Sablier);
    fond_->attendre_fin();
    continuer();
    forms::definir_pointeur_souris(avant);
}

const DocumentRendu& FenetreApercu::document() {
    terminer();
    if (entier_.pages.size() != pages_.size()) {
        entier_ = entete_;
        entier_.pages.reserve(pages_.size());
        for (const QByteArray& octets : pages_) {
            entier_.pages.append(deplier(octets));
            remplacer_marque(entier_.pages.last(), QString::number(total_));
        }
    }
    return entier_;
}

void FenetreApercu::allerA(int page) {
    if (page < 0 || page >= nombrePages()) return;
    page_ = page;
    versLaFin_ = false;
    redessiner();
}

void FenetreApercu::redessiner() {
    const int n = qMax(1, nombrePages());
    if (pages_.isEmpty() && enCours_) numero_->setText(QStringLiteral("Lecture des enregistrements…"));
    else numero_->setText(texte_page(page_ + 1, n, enCours_));
    premiere_->setEnabled(page_ > 0);
    precedente_->setEnabled(page_ > 0);
    suivante_->setEnabled(page_ + 1 < nombrePages());
    derniere_->setEnabled(enCours_ ? !versLaFin_ : page_ + 1 < nombrePages());
    if (pages_.isEmpty()) {
        image_->clear();
        image_->adjustSize();
        return;
    }
    // 100 % shows the page at its real size on a 96 dpi screen.
    const double pixelsParMm = 96.0 / 25.4 * zoom_->currentData().toInt() / 100.0;
    DocumentRendu vue = entete_;
    vue.pages = {deplier(pages_[page_])};
    remplacer_marque(vue.pages[0], total_ >= 0 ? QString::number(total_) : QStringLiteral("…"));
    image_->setPixmap(QPixmap::fromImage(image_page(vue, 0, pixelsParMm)));
    image_->adjustSize();
}

void FenetreApercu::imprimerDocument() {
    QString raison;
    if (imprimer_ou_pdf(document(), 1, &raison) == Impression::Echec)
        forms::boite_message(raison, forms::styles::Avertissement);
}

}  // namespace report
