#include "reports/feuille_traitements.h"
#include "platform/forms/controles_simples.h"
#include "platform/forms/noms_feuilles.h"

#include "platform/forms/boites.h"
#include "platform/forms/erreurs_boites.h"
#include "platform/forms/limites.h"
#include "platform/forms/pointeur.h"
#include "platform/report/crystal_report.h"
#include "platform/forms/reactions.h"
#include "reports/elements_traitements.h"
#include "reports/formule_selection.h"
#include "reports/nom_fichier_sortie.h"
#include "partage/module1.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace reports {

namespace {

// A filter box in its captioned frame.
QLineEdit* boite_filtre(QWidget* parent, QGridLayout* grille, int colonne, const char* cadre,
                        const char* nom, const char* texte, const char* bulle) {
    auto* frame = new QGroupBox(QString::fromUtf8(cadre), parent);
    frame->setObjectName(QStringLiteral("Frame%1").arg(colonne + 1));
    auto* boite = new QLineEdit(QString::fromUtf8(texte), frame);
    boite->setObjectName(QString::fromUtf8(nom));
    boite->setToolTip(QString::fromUtf8(bulle));
    (new QVBoxLayout(frame))->addWidget(boite);
    grille->addWidget(frame, 0, colonne);
    return boite;
}

// The leading number of a text: blanks skipped, an optional sign, digits and a decimal point;
// 0 when the text begins with no digit.
double valeur_numerique(const QString& texte) {
    int i = 0;
    while (i < texte.size() && texte[i].isSpace()) ++i;
    QString nombre;
    if (i < texte.size() && (texte[i] == '-' || texte[i] == '+')) nombre += texte[i++];
    bool point = false;
    for (; i < texte.size(); ++i) {
        const QChar c = texte[i];
        if (c >= '0' && c <= '9') nombre += c;
        else if (c == '.' && !point) { point = true; nombre += c; }
        else break;
    }
    bool ok = false;
    const double v = nombre.toDouble(&ok);
    return ok ? v : 0.0;
}

}  // namespace

FeuilleTraitements::FeuilleTraitements() : forms::Feuille(noms::traitements) {
    setCaption(QStringLiteral("Exploitation de la base"));
    definirTaille(9000, 6600);

    auto* principal = new QVBoxLayout(this);
    auto* filtres = new QGridLayout;
    principal->addLayout(filtres);
    boite_filtre(this, filtres, 0, "Choix du cycle", "Text1", "TOUS",
                 "Indiquez le cycle choisi : 1, 2, 3 ou TOUS");
    boite_filtre(this, filtres, 1, "Choix du niveau", "Text2", "TOUS",
                 "Indiquez le niveau choisi (en fonction des niveaux définis dans la table des "
                 "niveaux) : TPS, PS, MS, GS, CP, CE1, .... ou TOUS");
    boite_filtre(this, filtres, 2, "Choix de la classe", "Text3", "TOUTES",
                 "Indiquez le numéro de la classe choisie ou TOUTES");

    auto* sortie = new QHBoxLayout;
    principal->addLayout(sortie);
    auto* frame4 = new QGroupBox(QStringLiteral("Edition"), this);
    frame4->setObjectName(QStringLiteral("Frame4"));
    auto* choixSortie = new QHBoxLayout(frame4);
    const char* options[3][2] = {
        {"Ecran", "Cliquez pour obtenir le traitement sur l'écran de l'ordinateur"},
        {"Imprimante", "Cliquez pour imprmer le traitement"},
        {"Fichier", "Cliquez pour exporter le traitement sous un format de fichier compatible"},
    };
    for (int i = 0; i < 3; ++i) {
        // The three buttons of one option group, named by their index in the group.
        options_[i] = new QRadioButton(QString::fromUtf8(options[i][0]), frame4);
        options_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        options_[i]->setToolTip(QString::fromUtf8(options[i][1]));
        choixSortie->addWidget(options_[i]);
    }
    options_[0]->setChecked(true);
    sortie->addWidget(frame4);

    auto* frame5 = new QGroupBox(QStringLiteral("Nb d'exemplaires"), this);
    frame5->setObjectName(QStringLiteral("Frame5"));
    auto* copies = new QHBoxLayout(frame5);
    HScroll1_ = new QScrollBar(Qt::Horizontal, frame5);
    HScroll1_->setObjectName(QStringLiteral("HScroll1"));
    HScroll1_->setRange(1, 99);
    HScroll1_->setValue(1);
    HScroll1_->setSingleStep(1);
    HScroll1_->setPageStep(10);
    copies->addWidget(HScroll1_, 1);
    Text4_ = new QLineEdit(QStringLiteral("1"), frame5);
    Text4_->setObjectName(QStringLiteral("Text4"));
    forms::limiter(Text4_, 2, [] { return QStringLiteral("Nb d'exemplaires"); });
    Text4_->setMaximumWidth(40);
    Text4_->setToolTip(QStringLiteral("Indiquez le nombre d'exemplaires que vous souhaitez imprimer"));
    copies->addWidget(Text4_);
    sortie->addWidget(frame5);
    connect(HScroll1_, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });

    auto* listes = new QGridLayout;
    principal->addLayout(listes);
    const char* intitules[4] = {"Statistiques", "Listes", "Etiquettes", "Documents"};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromUtf8(intitules[i]), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        combos_[i] = new QComboBox(this);
        combos_[i]->setObjectName(QStringLiteral("Combo%1").arg(i + 1));
        combos_[i]->setMinimumWidth(320);
        auto* ok = forms::bouton(this, QStringLiteral("Command%1").arg(i + 1), QStringLiteral("OK"));
        listes->addWidget(label, i, 0);
        listes->addWidget(combos_[i], i, 1);
        listes->addWidget(ok, i, 2);
        forms::relier(ok, &QPushButton::clicked, this, [this, i] { sequence_impression(i + 1); });
    }

    auto* fermer = forms::bouton(this, QStringLiteral("cmdFermer"), QStringLiteral("&Fermer"),
                                 QStringLiteral("Cliquez pour fermer cette fenêtre"));
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(fermer);
    principal->addLayout(bas);
    forms::relier(fermer, &QPushButton::clicked, this, &FeuilleTraitements::cmdFermer_Click);
}

void FeuilleTraitements::showEvent(QShowEvent* e) {
    forms::Feuille::showEvent(e);
    QMdiSubWindow* cadre = sousFenetre();
    if (!cadre) return;
    // The main window's area maximises the window it shows when another one (a preview) is
    // maximised; once that showing is over, this window, laid out at a fixed size, goes back
    // to its own size.
    QTimer::singleShot(0, cadre, [cadre] {
        if (cadre->isMaximized()) cadre->showNormal();
    });
}

void FeuilleTraitements::Form_Load() {
    forms::pieger([this] {
        Module1::centrer_feuille(*this);
        for (int liste = 1; liste <= 4; ++liste) {
            QComboBox* c = combo(liste);
            c->clear();
            for (const auto& e : elements_de_liste(liste)) c->addItem(e.libelle);
            c->setCurrentIndex(-1);
        }
    });
}

QComboBox* FeuilleTraitements::combo(int liste) const { return combos_[liste - 1]; }

void FeuilleTraitements::HScroll1_Change() {
    Text4_->setText(QString::number(HScroll1_->value()));
}

void FeuilleTraitements::cmdFermer_Click() {
    forms::definir_pointeur_souris(forms::PointeurDefaut);
    masquer();
}

QString message_interruption(const QString& raison) {
    const QString texte = QStringLiteral("Demande d'édition interrompue...");
    return raison.isEmpty() ? texte : texte + QStringLiteral("\n\n") + raison;
}

void FeuilleTraitements::sequence_impression(int liste) {
    auto& cr = report::CrystalReport1();
    cr.setDataFiles(0, Module1::chemin_base);

    const QString choisi = combo(liste)->currentText();
    const ElementTraitement* element = nullptr;
    for (const auto& e : elements_traitements())
        if (e.liste == liste && e.libelle == choisi) { element = &e; break; }
    if (!element || element->separateur()) return;

    QString modele = element->modele;
    if (!element->message.isEmpty()) {
        const int reponse = forms::boite_message(element->message, element->style_message);
        if (!element->modele_si_non.isEmpty() && reponse != forms::Oui) modele = element->modele_si_non;
    }

    cr.setReportFileName(Module1::chemin_programme + modele);
    if (element->formule) {
        // A print with its own selection ignores the filter boxes: its pages show no filter.
        cr.setSelectionFormula(*element->formule);
        cr.setFormulas(FormuleFiltre, QString());
    } else {
        Module1::construire_formule_selection();
    }

    // A template that cannot run is told with its reason before any file name is asked.
    const QString raison = cr.verifier();
    bool imprimer = raison.isEmpty();
    if (!imprimer)
        forms::boite_message(message_interruption(raison), forms::styles::Avertissement);
    else if (options_[0]->isChecked()) {
        cr.setDestination(report::destination::Fenetre);
        cr.setWindowState(2);
        cr.setCopiesToPrinter(1);
    } else if (options_[1]->isChecked()) {
        cr.setDestination(report::destination::Imprimante);
        cr.setCopiesToPrinter(static_cast<int>(std::lround(valeur_numerique(Text4_->text()))));
    } else if (options_[2]->isChecked()) {
        cr.setDestination(report::destination::Fichier);
        cr.setPrintFileType(report::type_fichier::TexteEnrichi);
        const QString reponse = forms::boite_saisie(
            QStringLiteral("Entrez le chemin et le nom du fichier que vous souhaitez créer :"),
            QStringLiteral("Exportation du traitement vers un fichier"),
            proposition_fichier(QStringLiteral("export_carnelis.rtf")));
        const QString nom = nom_fichier_sortie(reponse, QStringLiteral(".RTF"));
        // Cancel (or an empty name), or No to replacing an existing file, abandons this print;
        // the control is reset below all the same.
        imprimer = !nom.isEmpty() && forms::remplacement_accepte(nom);
        if (imprimer) {
            cr.setPrintFileName(nom);
            cr.setCopiesToPrinter(1);
        }
    }

    if (imprimer) {
        if (cr.PrintReport() != 0) {
            forms::boite_message(message_interruption(cr.derniereErreur()), forms::styles::Avertissement);
        } else {
            // What the pages could not show as it stands, told in one box.
            QStringList avis;
            if (const int n = cr.elevesSansFamille(); n > 0)
                avis << (n == 1 ? QStringLiteral("1 élève n'a pas été imprimé : sa fiche famille est introuvable dans la base. "
                                                 "Rattachez-le à sa famille depuis sa fiche élève.")
                                : QStringLiteral("%1 élèves n'ont pas été imprimés : leur fiche famille est introuvable dans la base. "
                                                 "Rattachez-les à leur famille depuis leur fiche élève.").arg(n));
            if (const int n = cr.etiquettesRaccourcies(); n > 0)
                avis << (n == 1 ? QStringLiteral("1 étiquette trop longue a été imprimée plus petit ou coupée "
                                                 "pour tenir à sa place ; son code postal et sa ville sont imprimés.")
                                : QStringLiteral("%1 étiquettes trop longues ont été imprimées plus petit ou coupées "
                                                 "pour tenir à leur place ; leur code postal et leur ville sont imprimés.").arg(n));
            if (!avis.isEmpty()) forms::boite_message(avis.join(QStringLiteral("\n\n")), forms::styles::Information);
        }
    }

    cr.setCopiesToPrinter(1);
    cr.setDestination(report::destination::Fenetre);
}

}  // namespace reports
