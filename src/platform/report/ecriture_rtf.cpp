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

// The lines of a cell: each in its own group, joined by line breaks.
QByteArray lignes(const CelluleRendue& c) {
    QByteArray r;
    for (int i = 0; i < c.lignes.size(); ++i) {
        if (i > 0) r += "\\line ";
        r += '{' + style(c.lignes[i].style) + rtf_echappe(c.lignes[i].texte) + '}';
    }
    return r;
}

int alignement_cellule(const CelluleRendue& c) {
    return c.lignes.isEmpty() ? 0 : c.lignes.first().style.alignement;
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
    r += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n";
    r += "{\\info{\\title " + rtf_echappe(doc.titre) + "}}\n";
    r += "\\paperw" + QByteArray::number(twips(doc.largeur)) + "\\paperh" + QByteArray::number(twips(doc.hauteur));
    r += "\\margt" + QByteArray::number(twips(doc.marges[0])) + "\\margr" + QByteArray::number(twips(doc.marges[1]));
    r += "\\margb" + QByteArray::number(twips(doc.marges[2])) + "\\margl" + QByteArray::number(twips(doc.marges[3]));
    if (doc.paysage) r += "\\landscape";
    r += "\\viewkind1\n";
    const double gauche = doc.marges[3];
    for (int p = 0; p < doc.pages.size(); ++p) {
        if (p > 0) r += "\\pard\\plain\\page\n";
        double fin = doc.marges[0];
        for (const BandeRendue& b : doc.pages[p].bandes) {
            // A blank band, or a gap between bands, becomes an empty paragraph of that height.
            const double blanc = b.cellules.isEmpty() && !b.trait ? b.hauteur : b.y - fin;
            if (blanc > 0.5)
                r += "\\pard\\plain\\sl-" + QByteArray::number(twips(blanc)) + "\\slmult0\\fs2 \\par\n";
            fin = b.y + b.hauteur;
            if (b.trait) {
                r += "\\pard\\plain\\brdrb\\brdrs\\brdrw10\\brsp20\\fs4 \\par\n";
                continue;
            }
            if (b.cellules.isEmpty()) continue;
            const bool tableau = b.cellules.size() > 1 || b.cellules.first().cadre ||
                                 qAbs(b.cellules.first().x - gauche) > 0.5;
            if (!tableau) {
                const CelluleRendue& c = b.cellules.first();
                r += "\\pard\\plain" + alignement(alignement_cellule(c)) + ' ' + lignes(c) + "\\par\n";
                continue;
            }
            r += "\\trowd\\trgaph" + QByteArray::number(twips(1)) + "\\trleft" +
                 QByteArray::number(twips(b.cellules.first().x - gauche)) + "\\trrh" +
                 QByteArray::number(twips(b.hauteur));
            for (const CelluleRendue& c : b.cellules) {
                if (c.cadre)
                    r += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
                r += "\\cellx" + QByteArray::number(twips(c.x + c.largeur - gauche));
            }
            r += '\n';
            for (const CelluleRendue& c : b.cellules)
                r += "\\pard\\plain\\intbl" + alignement(alignement_cellule(c)) + ' ' + lignes(c) + "\\cell\n";
            r += "\\row\n";
        }
    }
    r += "\\pard\\plain\\par}\n";
    return r;
}

}  // namespace report
