#include "platform/forms/progression.h"
#include "platform/forms/boites.h"
#include "platform/forms/feuilles.h"

#include <QApplication>
#include <QMdiArea>
#include <QProgressDialog>

namespace forms {

namespace {
// The scale of the bar: a total beyond what an int holds is counted in thousandths.
constexpr int Echelle = 1000;
}

Progression::Progression(const QString& texte) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    QWidget* parent = Feuilles::zone() ? Feuilles::zone()->window() : nullptr;
    fenetre_ = std::make_unique<QProgressDialog>(texte, QString(), 0, Echelle, parent);
    fenetre_->setObjectName(QStringLiteral("progression"));
    fenetre_->setWindowTitle(titre_application());
    fenetre_->setWindowModality(Qt::ApplicationModal);
    fenetre_->setMinimumDuration(500);
    fenetre_->setAutoClose(false);
    fenetre_->setAutoReset(false);
    fenetre_->setValue(0);
}

Progression::~Progression() = default;

void Progression::avancer(qint64 fait, qint64 total) {
    // A step of the bar at most every thousandth of the work: the bar's own cost stays nothing.
    if (!fenetre_ || fait < prochain_) return;
    total = qMax<qint64>(1, total);
    const int valeur = int(qMin<qint64>(Echelle, fait * Echelle / total));
    prochain_ = (qint64(valeur) + 1) * total / Echelle;
    fenetre_->setValue(valeur);
}

}  // namespace forms
