#include "platform/report/peinture.h"

#include "platform/report/mesure.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QPainter>
#include <QPrinter>

namespace report {

void dessiner_page(QPainter& p, const Page& page, const DocumentRendu& doc, double pixelsParMm) {
    p.save();
    const double u = mesure::UnitesParMm;
    p.scale(pixelsParMm / u, pixelsParMm / u);
    QPen crayon(Qt::black);
    crayon.setWidthF(0.2 * u);
    p.setPen(crayon);
    for (const BandeRendue& b : page.bandes) {
        if (b.trait) {
            const double y = (b.y + b.hauteur / 2) * u;
            p.drawLine(QPointF(doc.marges[3] * u, y), QPointF((doc.largeur - doc.marges[1]) * u, y));
        }
        for (const CelluleRendue& c : b.cellules) {
            const QRectF cadre(c.x * u, b.y * u, c.largeur * u, b.hauteur * u);
            if (c.cadre) p.drawRect(cadre);
            double y = b.y + (c.cadre ? 0.6 : 0.3);
            if (c.marge > 1) y = b.y + c.marge;
            for (const LigneTexte& l : c.lignes) {
                if (!l.texte.isEmpty()) {
                    p.setFont(mesure::police(l.style));
                    const QRectF r((c.x + c.marge) * u, y * u, (c.largeur - 2 * c.marge) * u, l.hauteur * u);
                    const int h = l.style.alignement == 1 ? Qt::AlignHCenter : (l.style.alignement == 2 ? Qt::AlignRight : Qt::AlignLeft);
                    p.drawText(r, h | Qt::AlignVCenter | Qt::TextSingleLine, l.texte);
                }
                y += l.hauteur;
            }
        }
    }
    p.restore();
}

QImage image_page(const DocumentRendu& doc, int indice, double pixelsParMm) {
    QImage image(qMax(1, qRound(doc.largeur * pixelsParMm)), qMax(1, qRound(doc.hauteur * pixelsParMm)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    if (indice < 0 || indice >= doc.pages.size()) return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    dessiner_page(p, doc.pages[indice], doc, pixelsParMm);
    return image;
}

bool imprimer(const DocumentRendu& doc, QPrinter& imprimante) {
    imprimante.setPageSize(QPageSize(QPageSize::A4));
    imprimante.setPageOrientation(doc.paysage ? QPageLayout::Landscape : QPageLayout::Portrait);
    imprimante.setFullPage(true);
    imprimante.setDocName(doc.titre);
    QPainter p;
    if (!p.begin(&imprimante)) return false;
    const double pixelsParMm = imprimante.resolution() / 25.4;
    for (int i = 0; i < doc.pages.size(); ++i) {
        if (i > 0 && !imprimante.newPage()) return false;
        dessiner_page(p, doc.pages[i], doc, pixelsParMm);
    }
    return p.end();
}

bool imprimer_pdf(const DocumentRendu& doc, QIODevice& sortie) {
    QPdfWriter pdf(&sortie);
    pdf.setTitle(doc.titre);
    pdf.setCreator(QStringLiteral("Carnelis"));
    pdf.setResolution(600);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), doc.paysage ? QPageLayout::Landscape : QPageLayout::Portrait,
                                  QMarginsF(0, 0, 0, 0)));
    QPainter p;
    if (!p.begin(&pdf)) return false;
    const double pixelsParMm = pdf.resolution() / 25.4;
    for (int i = 0; i < doc.pages.size(); ++i) {
        if (i > 0 && !pdf.newPage()) return false;
        dessiner_page(p, doc.pages[i], doc, pixelsParMm);
    }
    return p.end();
}

}  // namespace report
