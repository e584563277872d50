#pragma once
// Draws a laid-out page with a painter: the preview, its pictures and the printer share it.
#include "platform/report/page.h"

#include <QImage>

class QIODevice;
class QPainter;
class QPrinter;

namespace report {

// Draws `page` with `pixelsParMm` device pixels per millimetre, the page's top-left corner
// at the painter's origin.
void dessiner_page(QPainter& p, const Page& page, const DocumentRendu& doc, double pixelsParMm);

// A picture of one page (white paper), for the preview.
QImage image_page(const DocumentRendu& doc, int indice, double pixelsParMm);

// Sends every page to the printer, already set up for its copies.
bool imprimer(const DocumentRendu& doc, QPrinter& imprimante);

// Writes every page as a PDF file of A4 pages into `sortie`.
bool imprimer_pdf(const DocumentRendu& doc, QIODevice& sortie);

}  // namespace report
