#include "platform/report/ecriture_rtf.h"
#include "platform/texte/windows1252.h"

namespace report {

namespace {

int twips(double mm) { return qRound(mm * 1440.0 / 25.4); }

QByteArray style(const Style& s) {
    QByteArray r = "\\fs" + QByteArray::number(qRound(s.taille * 2));
    if (s.gras) r += "\\b";
    if (s.italique) r += "\\i";
    return r + ' ';
}

QByteArray alignement(int a) { return a == 1 ? "\\qc" : (a == 2 ? "\\qr" : "\\ql"); }

// Heights in twips from positions rounded once, so that the parts add up to the page.
int hauteur_twips(double y, double h) { return twips(y + h) - twips(y); }

// Exact line heights: a word processor puts each line where the preview does.
QByteArray interligne(int t) { return "\\sl-" + QByteArray::number(qMax(1, t)) + "\\slmult0"; }

// The lines of a cell, one paragraph each at its exact height; `premier` goes with the first
// paragraph and `fin` closes the last one.
QByteArray paragraphes(const CelluleRendue& c, const QByteArray& debut, const QByteArray& premier,
                       const QByteArray& fin, double y) {
    if (c.lignes.isEmpty()) return debut + premier + ' ' + fin;
    QByteArray r;
    for (int i = 0; i < c.lignes.size(); ++i) {
        const LigneTexte& l = c.lignes[i];
        r += debut + (i == 0 ? premier : QByteArray()) + alignement(l.style.alignement) +
             interligne(hauteur_twips(y, l.hauteur)) + ' ' + '{' + style(l.style) + rtf_echappe(l.texte) + '}' +
             (i + 1 < c.lignes.size() ? QByteArray("\\par\n") : fin);
        y += l.hauteur;
    }
    return r;
}

}  // namespace

QByteArray rtf_echappe(const QString& texte) {
    QByteArray r;
    r.reserve(texte.size() + 8);
    for (const QChar q : texte) {
        const char16_t c = q.unicode();
        if (c == '\\' || c == '{' || c == '}') { r += '\\'; r += char(c); }
        else if (c == '\n') r += "\\line ";
        else if (c == '\t') r += "\\tab ";
        else if (c == '\r') {}
        else if (c >= 0x20 && c < 0x80) r += char(c);
        else if (c < 0x20) r += ' ';
        else if (const int b = codage::octet_windows1252(c); b >= 0) {
            static const char hex[] = "0123456789abcdef";
            r += "\\'";
            r += hex[b >> 4];
            r += hex[b & 15];
        } else {
            r += "\\u" + QByteArray::number(qint16(c)) + '?';
        }
    }
    return r;
}

QByteArray texte_enrichi(const DocumentRendu& doc) {
    QByteArray r;
    r.reserve(1 << 16);
    // The bottom margin is written 1 mm short, room for the small paragraph that carries each
    // page break; a label sheet's rows fill the paper and flow from page to page by themselves.
    const double reserve = doc.marges[2] >= 1 ? 1 : 0;
    const int basPage = twips(doc.hauteur) - twips(doc.marges[2] - reserve);
    constexpr int Saut = 20;  // twips: the paragraph of a page break, and the one closing the file
    r += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n";
    r += "{\\info{\\title " + rtf_echappe(doc.titre) + "}}\n";
    r += "\\paperw" + QByteArray::number(twips(doc.largeur)) + "\\paperh" + QByteArray::number(twips(doc.hauteur));
    r += "\\margt" + QByteArray::number(twips(doc.marges[0])) + "\\margr" + QByteArray::number(twips(doc.marges[1]));
    r += "\\margb" + QByteArray::number(twips(doc.marges[2] - reserve)) + "\\margl" + QByteArray::number(twips(doc.marges[3]));
    if (doc.paysage) r += "\\landscape";
    r += "\\viewkind1\n";
    const double gauche = doc.marges[3];
    const QByteArray petit = "\\pard\\plain" + interligne(Saut) + "\\fs2 ";
    bool flotte = false;  // the previous page filled the paper: this one starts by itself
    for (int p = 0; p < doc.pages.size(); ++p) {
        if (p > 0 && !flotte) r += petit + "\\page\\par\n";
        const QVector<BandeRendue>& bandes = doc.pages[p].bandes;
        int fin = twips(doc.marges[0]);
        flotte = false;
        for (int i = 0; i < bandes.size(); ++i) {
            const BandeRendue& b = bandes[i];
            const int haut = twips(b.y);
            if (haut - fin >= 10) r += "\\pard\\plain" + interligne(haut - fin) + "\\fs2 \\par\n";
            int h = hauteur_twips(b.y, b.hauteur);
            fin = haut + h;
            // The last band of a full page leaves room for what follows it on that page.
            if (i + 1 == bandes.size() && fin > basPage - Saut) {
                if (p + 1 < doc.pages.size() && fin >= basPage) flotte = true;
                else h -= fin - (basPage - Saut);
            }
            if (b.trait) {
                r += "\\pard\\plain" + interligne(h - 15) + "\\brdrb\\brdrs\\brdrw10\\brsp0\\fs2 \\par\n";
                continue;
            }
            if (b.cellules.isEmpty()) {
                r += "\\pard\\plain" + interligne(h) + "\\fs2 \\par\n";
                continue;
            }
            const CelluleRendue& premiere = b.cellules.first();
            const double vertical = premiere.marge > 1 ? premiere.marge : (premiere.cadre ? 0.6 : 0.3);
            const bool tableau = b.cellules.size() > 1 || premiere.cadre || qAbs(premiere.x - gauche) > 0.5;
            if (!tableau) {
                r += paragraphes(premiere, "\\pard\\plain", "\\sb" + QByteArray::number(twips(vertical)), "\\par\n",
                                 b.y + vertical);
                continue;
            }
            const QByteArray marge = QByteArray::number(twips(premiere.marge));
            r += "\\trowd\\trgaph" + marge + "\\trleft" + QByteArray::number(twips(premiere.x - gauche)) +
                 "\\trrh-" + QByteArray::number(h) + "\\trpaddl" + marge + "\\trpaddr" + marge + "\\trpaddt" +
                 QByteArray::number(twips(vertical)) + "\\trpaddb0\\trpaddfl3\\trpaddfr3\\trpaddft3\\trpaddfb3";
            for (const CelluleRendue& c : b.cellules) {
                if (c.cadre)
                    r += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
                r += "\\cellx" + QByteArray::number(twips(c.x + c.largeur - gauche));
            }
            r += '\n';
            for (const CelluleRendue& c : b.cellules)
                r += paragraphes(c, "\\pard\\plain\\intbl", QByteArray(), "\\cell\n", b.y + vertical);
            r += "\\row\n";
        }
    }
    r += petit + "\\par}\n";
    return r;
}

}  // namespace report
