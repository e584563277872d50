#include "platform/report/page_compacte.h"

#include <QDataStream>
#include <QIODevice>

namespace report {

namespace {

// Pages only ever travel inside one run of the program: the format is the program's own.
constexpr int Compression = 1;  // the fastest: pages are packed as fast as they are laid out

QDataStream& operator<<(QDataStream& s, const Style& x) {
    return s << x.gras << x.italique << x.taille << qint8(x.alignement);
}
QDataStream& operator>>(QDataStream& s, Style& x) {
    qint8 a = 0;
    s >> x.gras >> x.italique >> x.taille >> a;
    x.alignement = a;
    return s;
}

}  // namespace

QByteArray compacter(const Page& page) {
    QByteArray octets;
    {
        QDataStream s(&octets, QIODevice::WriteOnly);
        s << qint32(page.bandes.size());
        for (const BandeRendue& b : page.bandes) {
            s << b.y << b.hauteur << b.trait << qint32(b.cellules.size());
            for (const CelluleRendue& c : b.cellules) {
                s << c.x << c.largeur << c.cadre << c.marge << qint32(c.lignes.size());
                for (const LigneTexte& l : c.lignes) s << l.texte << l.style << l.hauteur;
            }
        }
    }
    return qCompress(octets, Compression);
}

Page deplier(const QByteArray& octets) {
    Page page;
    const QByteArray brut = qUncompress(octets);
    QDataStream s(brut);
    qint32 nb = 0;
    s >> nb;
    page.bandes.resize(nb);
    for (BandeRendue& b : page.bandes) {
        qint32 nc = 0;
        s >> b.y >> b.hauteur >> b.trait >> nc;
        b.cellules.resize(nc);
        for (CelluleRendue& c : b.cellules) {
            qint32 nl = 0;
            s >> c.x >> c.largeur >> c.cadre >> c.marge >> nl;
            c.lignes.resize(nl);
            for (LigneTexte& l : c.lignes) s >> l.texte >> l.style >> l.hauteur;
        }
    }
    return page;
}

}  // namespace report
