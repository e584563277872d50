#include "platform/report/ole2.h"

#include <QtEndian>
#include <QVector>

namespace report {

namespace {

constexpr quint32 Libre = 0xFFFFFFFF, FinChaine = 0xFFFFFFFE, SecteurFat = 0xFFFFFFFD,
                  SecteurDifat = 0xFFFFFFFC, Aucun = 0xFFFFFFFF;
constexpr int Secteur = 512;
constexpr int EntreesParSecteur = Secteur / 4;

void ecrire16(QByteArray& b, int pos, quint16 v) { qToLittleEndian(v, b.data() + pos); }
void ecrire32(QByteArray& b, int pos, quint32 v) { qToLittleEndian(v, b.data() + pos); }

QByteArray entree(const QString& nom, quint8 type, quint32 enfant, quint32 debut, quint32 taille) {
    QByteArray e(128, '\0');
    if (!nom.isEmpty()) {
        for (int i = 0; i < nom.size() && i < 31; ++i) ecrire16(e, 2 * i, nom[i].unicode());
        ecrire16(e, 64, quint16((qMin<int>(nom.size(), 31) + 1) * 2));
    }
    e[66] = char(type);
    e[67] = 1;  // black
    ecrire32(e, 68, Aucun);
    ecrire32(e, 72, Aucun);
    ecrire32(e, 76, enfant);
    ecrire32(e, 116, debut);
    ecrire32(e, 120, taille);
    return e;
}

}  // namespace

QByteArray fichier_compose(const QString& nom, QByteArray contenu) {
    if (contenu.size() < 4096) contenu.append(QByteArray(4096 - contenu.size(), '\0'));
    const quint32 taille = quint32(contenu.size());
    const int nFlux = (contenu.size() + Secteur - 1) / Secteur;
    contenu.append(QByteArray(nFlux * Secteur - contenu.size(), '\0'));

    // Sectors: the stream, one directory sector, the allocation table, its extension.
    int nFat = 1, nDifat = 0;
    for (;;) {
        const int total = nFlux + 1 + nFat + nDifat;
        const int fat = (total + EntreesParSecteur - 1) / EntreesParSecteur;
        const int difat = fat > 109 ? (fat - 109 + 126) / 127 : 0;
        if (fat == nFat && difat == nDifat) break;
        nFat = fat;
        nDifat = difat;
    }
    const quint32 repertoire = quint32(nFlux);
    const quint32 premierFat = repertoire + 1;
    const quint32 premierDifat = premierFat + quint32(nFat);

    QVector<quint32> fat(nFat * EntreesParSecteur, Libre);
    for (int i = 0; i < nFlux; ++i) fat[i] = i + 1 < nFlux ? quint32(i + 1) : FinChaine;
    fat[repertoire] = FinChaine;
    for (int i = 0; i < nFat; ++i) fat[premierFat + i] = SecteurFat;
    for (int i = 0; i < nDifat; ++i) fat[premierDifat + i] = SecteurDifat;

    QByteArray tete(Secteur, '\0');
    const unsigned char signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    for (int i = 0; i < 8; ++i) tete[i] = char(signature[i]);
    ecrire16(tete, 24, 0x003E);
    ecrire16(tete, 26, 0x0003);
    ecrire16(tete, 28, 0xFFFE);
    ecrire16(tete, 30, 9);
    ecrire16(tete, 32, 6);
    ecrire32(tete, 44, quint32(nFat));
    ecrire32(tete, 48, repertoire);
    ecrire32(tete, 56, 4096);
    ecrire32(tete, 60, FinChaine);
    ecrire32(tete, 64, 0);
    ecrire32(tete, 68, nDifat > 0 ? premierDifat : FinChaine);
    ecrire32(tete, 72, quint32(nDifat));
    for (int i = 0; i < 109; ++i) ecrire32(tete, 76 + 4 * i, i < nFat ? premierFat + quint32(i) : Libre);

    QByteArray r = tete + contenu;
    QByteArray rep = entree(QStringLiteral("Root Entry"), 5, 1, FinChaine, 0);
    rep += entree(nom, 2, Aucun, 0, taille);
    rep += entree(QString(), 0, Aucun, 0, 0);
    rep += entree(QString(), 0, Aucun, 0, 0);
    r += rep;
    QByteArray table(nFat * Secteur, '\0');
    for (int i = 0; i < fat.size(); ++i) ecrire32(table, 4 * i, fat[i]);
    r += table;
    for (int d = 0; d < nDifat; ++d) {
        QByteArray s(Secteur, '\0');
        for (int i = 0; i < 127; ++i) {
            const int k = 109 + d * 127 + i;
            ecrire32(s, 4 * i, k < nFat ? premierFat + quint32(k) : Libre);
        }
        ecrire32(s, 508, d + 1 < nDifat ? premierDifat + quint32(d + 1) : FinChaine);
        r += s;
    }
    return r;
}

}  // namespace report
