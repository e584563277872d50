#pragma once
// Sends a laid-out document to the default printer; with no printer installed, offers to
// write it to a PDF file instead, so that a letter or a list can always be produced.
#include "platform/report/page.h"

#include <QString>

namespace report {

enum class Impression { Imprimee, EnregistreePdf, Abandonnee, Echec };

// `copies` go to the printer (a PDF file holds one). The PDF file is asked for with an input
// box (Cancel: Abandonnee, nothing written), written whole or not at all, and its place is told.
// `raison` receives the reason of an Echec.
Impression imprimer_ou_pdf(const DocumentRendu& doc, int copies, QString* raison = nullptr);

}  // namespace report
