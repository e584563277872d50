#include "platform/report/impression.h"
#include "platform/db/copie_sure.h"

#include "platform/forms/boites.h"
#include "platform/forms/pointeur.h"
#include "platform/report/peinture.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace report {

namespace {

// The proposed PDF name: the document's title in the user's home folder, without the
// characters a file name cannot hold.
QString proposition(const QString& titre) {
    QString nom = titre.trimmed();
    nom.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    if (nom.isEmpty()) nom = QStringLiteral("document");
    return QDir::home().filePath(nom + QStringLiteral(".pdf"));
}

struct Sablier {
    int avant = forms::pointeur_souris();
    Sablier() { forms::definir_pointeur_souris(forms::Sablier); }
    ~Sablier() { forms::definir_pointeur_souris(avant); }
};

}  // namespace

Impression imprimer_ou_pdf(const DocumentRendu& doc, int copies, QString* raison) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        Sablier sablier;
        QPrinter imprimante(info, QPrinter::HighResolution);
        imprimante.setCopyCount(qMax(1, copies));
        if (imprimer(doc, imprimante)) return Impression::Imprimee;
        if (raison) *raison = QStringLiteral("L'impression n'a pas pu être faite.");
        return Impression::Echec;
    }
    QString chemin = forms::boite_saisie(
        QStringLiteral("Aucune imprimante n'est installée sur cet ordinateur : le document peut être enregistré "
                       "au format PDF, pour être imprimé sur un autre poste ou envoyé.\n\n"
                       "Entrez le chemin et le nom du fichier PDF à créer :"),
        QStringLiteral("Impression en PDF"), QDir::toNativeSeparators(proposition(doc.titre)));
    chemin = chemin.trimmed();
    if (chemin.isEmpty()) return Impression::Abandonnee;
    if (!chemin.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) chemin += QStringLiteral(".pdf");
    chemin = QDir::fromNativeSeparators(chemin);
    if (!forms::remplacement_accepte(chemin)) return Impression::Abandonnee;
    {
        Sablier sablier;
        QSaveFile fichier(chemin);
        if (!fichier.open(QIODevice::WriteOnly) || !imprimer_pdf(doc, fichier) || !fichier.commit()) {
            if (raison) *raison = db::copie_sure::erreur_ecriture(fichier, chemin).texte;
            return Impression::Echec;
        }
    }
    forms::boite_message(
        QStringLiteral("Le document a été enregistré dans le fichier « %1 ».").arg(QDir::toNativeSeparators(chemin)),
        forms::styles::Information);
    return Impression::EnregistreePdf;
}

}  // namespace report
