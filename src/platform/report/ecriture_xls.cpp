#include "platform/report/ecriture_xls.h"

#include "platform/erreur.h"
#include "platform/report/ole2.h"

#include <bit>
#include <cmath>
#include <optional>

#include <QHash>
#include <QLocale>
#include <QtEndian>

namespace report {

namespace {

constexpr int MaxDonnees = 8224;  // the most bytes a record holds

class Flux {
public:
    QByteArray octets;
    void enregistrement(quint16 type, const QByteArray& donnees) {
        u16(octets, type);
        u16(octets, quint16(donnees.size()));
        octets += donnees;
    }
    static void u8(QByteArray& b, quint8 v) { b += char(v); }
    static void u16(QByteArray& b, quint16 v) { char t[2]; qToLittleEndian(v, t); b.append(t, 2); }
    static void u32(QByteArray& b, quint32 v) { char t[4]; qToLittleEndian(v, t); b.append(t, 4); }
    static void utf16(QByteArray& b, const QString& s) {
        for (const QChar c : s) u16(b, c.unicode());
    }
};

QByteArray bof(quint16 genre) {
    QByteArray b;
    Flux::u16(b, 0x0600);
    Flux::u16(b, genre);
    Flux::u16(b, 0x0DBB);
    Flux::u16(b, 0x07CC);
    Flux::u32(b, 0);
    Flux::u32(b, 6);
    return b;
}

QByteArray police() {
    QByteArray b;
    Flux::u16(b, 200);     // 10 points
    Flux::u16(b, 0);
    Flux::u16(b, 0x7FFF);
    Flux::u16(b, 400);
    Flux::u16(b, 0);
    Flux::u8(b, 0); Flux::u8(b, 0); Flux::u8(b, 0); Flux::u8(b, 0);
    Flux::u8(b, 5); Flux::u8(b, 0);
    b += "Arial";
    return b;
}

constexpr quint16 FormatDate = 164;  // the first number format a workbook may define
constexpr quint16 XfTexte = 15, XfDate = 16;

QByteArray format_cellule(bool style, quint16 format = 0) {
    QByteArray b;
    Flux::u16(b, 0);                         // font
    Flux::u16(b, format);                    // number format, 0: General
    Flux::u16(b, style ? 0xFFF5 : 0x0001);   // style XF / cell XF on style 0, locked
    Flux::u8(b, 0x20);                       // bottom aligned
    Flux::u8(b, 0);
    Flux::u8(b, 0);
    Flux::u8(b, style ? 0 : (format ? 0xFC : 0xF8));  // a cell's own number format is marked used
    Flux::u32(b, 0);
    Flux::u32(b, 0);
    Flux::u16(b, 0x20C0);
    return b;
}

// "Feuil1" when the title is empty; the characters a sheet name refuses become blanks.
QString nom_feuille(QString t) {
    for (QChar& c : t)
        if (QStringLiteral(":\\/?*[]").contains(c)) c = ' ';
    t = t.trimmed().left(31);
    return t.isEmpty() ? QStringLiteral("Feuil1") : t;
}

// The shared string table, cut into CONTINUE records; a string split across records resumes
// with its option byte. Also gives the EXTSST index (every eighth string's position).
struct TableChaines {
    QList<QByteArray> enregistrements;   // SST then CONTINUEs, data only
    QVector<std::pair<int, int>> reperes;  // (record, offset in its data) of every `pas`-th string
    int pas = 8;

    void construire(const QStringList& chaines, int total) {
        pas = qMax(8, int((chaines.size() + 127) / 128));  // at most 128 index entries
        QByteArray courant;
        Flux::u32(courant, quint32(total));
        Flux::u32(courant, quint32(chaines.size()));
        for (int i = 0; i < chaines.size(); ++i) {
            const QString& s = chaines[i];
            if (courant.size() + 5 > MaxDonnees) { enregistrements.append(courant); courant.clear(); }
            if (i % pas == 0) reperes.append({int(enregistrements.size()), int(courant.size())});
            Flux::u16(courant, quint16(s.size()));
            Flux::u8(courant, 1);
            int fait = 0;
            while (fait < s.size()) {
                const int place = (MaxDonnees - courant.size()) / 2;
                if (place <= 0) {
                    enregistrements.append(courant);
                    courant.clear();
                    Flux::u8(courant, 1);
                    continue;
                }
                const int n = qMin(place, int(s.size()) - fait);
                Flux::utf16(courant, s.mid(fait, n));
                fait += n;
            }
        }
        enregistrements.append(courant);
    }
};

// The value of a date cell: days since 30/12/1899.
std::optional<double> date_serie(const QString& texte) {
    const QDate d = QDate::fromString(texte, QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid() || d < QDate(1900, 3, 1)) return std::nullopt;
    return double(QDate(1899, 12, 30).daysTo(d));
}

// Numbers are printed the French way ("12,5"); a plain "12.5" is read too.
std::optional<double> nombre(const QString& texte) {
    bool ok = false;
    double x = QLocale(QLocale::French).toDouble(texte, &ok);
    if (!ok) x = QLocale::c().toDouble(texte, &ok);
    if (!ok || !std::isfinite(x)) return std::nullopt;
    return x;
}

GenreColonne genre_valeurs(const QVariant& premier) {
    switch (premier.typeId()) {
    case QMetaType::QDate: case QMetaType::QDateTime: return GenreColonne::Date;
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: return GenreColonne::Nombre;
    default: return GenreColonne::Texte;
    }
}

void lignes_detail(const Bande& b, QVector<const Element*>& r) {
    for (const Element& e : b) {
        if (e.genre == Element::Ligne) r.append(&e);
        if (e.genre == Element::Bloc) lignes_detail(e.enfants, r);
    }
}

}  // namespace

QVector<GenreColonne> genres_colonnes(const Modele& m, const Donnees& d) {
    QVector<const Element*> lignes;
    lignes_detail(m.detail, lignes);
    QVector<GenreColonne> r;
    for (const Element* l : lignes)
        for (const Cellule& c : l->cellules) {
            GenreColonne g = GenreColonne::Texte;
            if (c.contenu.size() == 1 && c.contenu[0].genre == Morceau::Valeur && c.contenu[0].valeur &&
                c.contenu[0].valeur->genre == formule::Noeud::Champ) {
                const QString cle = formule::canonique(c.contenu[0].valeur);
                QVariant premier;
                if (d.colonnes.contains(cle)) {
                    const int k = d.colonnes.value(cle);
                    for (const auto& ligne : d.lignes)
                        if (!ligne.value(k).isNull()) { premier = ligne.value(k); break; }
                } else {
                    premier = d.constantes.value(cle);
                }
                g = genre_valeurs(premier);
            }
            for (int i = 0; i < qMax(1, c.repetition); ++i) r.append(g);
        }
    return r;
}

QByteArray classeur_excel(const Tableau& t, const QVector<GenreColonne>& genres) {
    const int lignes = t.lignes.size() + 1;
    int colonnes = t.entetes.size();
    for (const QStringList& l : t.lignes) colonnes = qMax(colonnes, int(l.size()));
    if (lignes > LignesMaxClasseur || colonnes > 256)
        throw Erreur(erreurs_execution::AppelIncorrect,
                     QStringLiteral("Trop de lignes ou de colonnes pour un classeur Excel (65 536 lignes et 256 colonnes au plus)."));

    // Cells and their strings.
    QStringList chaines;
    QHash<QString, int> indices;
    int total = 0;
    QByteArray cellules;
    auto cellule = [&](int rang, int col, QString texte) {
        if (texte.isEmpty()) return;
        if (rang > 0 && col < genres.size() && genres[col] != GenreColonne::Texte) {
            const bool date = genres[col] == GenreColonne::Date;
            if (const auto x = date ? date_serie(texte) : nombre(texte)) {
                QByteArray d;
                Flux::u16(d, quint16(rang));
                Flux::u16(d, quint16(col));
                Flux::u16(d, date ? XfDate : XfTexte);
                const quint64 bits = std::bit_cast<quint64>(*x);
                Flux::u32(d, quint32(bits));
                Flux::u32(d, quint32(bits >> 32));
                Flux::u16(cellules, 0x0203);
                Flux::u16(cellules, quint16(d.size()));
                cellules += d;
                return;
            }
        }
        if (texte.size() > 32767) texte.truncate(32767);
        auto it = indices.find(texte);
        if (it == indices.end()) { it = indices.insert(texte, chaines.size()); chaines.append(texte); }
        ++total;
        QByteArray d;
        Flux::u16(d, quint16(rang));
        Flux::u16(d, quint16(col));
        Flux::u16(d, XfTexte);
        Flux::u32(d, quint32(*it));
        Flux::u16(cellules, 0x00FD);
        Flux::u16(cellules, quint16(d.size()));
        cellules += d;
    };
    for (int c = 0; c < t.entetes.size(); ++c) cellule(0, c, t.entetes[c]);
    for (int r = 0; r < t.lignes.size(); ++r)
        for (int c = 0; c < t.lignes[r].size(); ++c) cellule(r + 1, c, t.lignes[r][c]);

    TableChaines sst;
    sst.construire(chaines, total);

    // Workbook globals; the sheet's position is known once they are complete.
    Flux g;
    g.enregistrement(0x0809, bof(0x0005));
    { QByteArray b; Flux::u16(b, 1200); g.enregistrement(0x0042, b); }  // UTF-16 code page
    {
        QByteArray b;
        Flux::u16(b, 0); Flux::u16(b, 0); Flux::u16(b, 0x4000); Flux::u16(b, 0x2000);
        Flux::u16(b, 0x0038); Flux::u16(b, 0); Flux::u16(b, 0); Flux::u16(b, 1); Flux::u16(b, 0x0258);
        g.enregistrement(0x003D, b);
    }
    for (int i = 0; i < 4; ++i) g.enregistrement(0x0031, police());
    {
        const QString jjmmaaaa = QStringLiteral("dd/mm/yyyy");
        QByteArray b;
        Flux::u16(b, FormatDate);
        Flux::u16(b, quint16(jjmmaaaa.size()));
        Flux::u8(b, 1);
        Flux::utf16(b, jjmmaaaa);
        g.enregistrement(0x041E, b);
    }
    for (int i = 0; i < 15; ++i) g.enregistrement(0x00E0, format_cellule(true));
    g.enregistrement(0x00E0, format_cellule(false));
    g.enregistrement(0x00E0, format_cellule(false, FormatDate));
    { QByteArray b; Flux::u16(b, 0x8000); Flux::u8(b, 0); Flux::u8(b, 0xFF); g.enregistrement(0x0293, b); }
    const QString feuille = nom_feuille(t.titre);
    const int posFeuille = g.octets.size() + 4;  // the BOUNDSHEET's position field
    {
        QByteArray b;
        Flux::u32(b, 0);
        Flux::u16(b, 0);
        Flux::u8(b, quint8(feuille.size()));
        Flux::u8(b, 1);
        Flux::utf16(b, feuille);
        g.enregistrement(0x0085, b);
    }
    QVector<int> debutsSst;
    for (int i = 0; i < sst.enregistrements.size(); ++i) {
        debutsSst.append(g.octets.size());
        g.enregistrement(i == 0 ? 0x00FC : 0x003C, sst.enregistrements[i]);
    }
    {
        QByteArray b;
        Flux::u16(b, quint16(sst.pas));
        for (const auto& [rec, off] : sst.reperes) {
            Flux::u32(b, quint32(debutsSst[rec] + 4 + off));
            Flux::u16(b, quint16(4 + off));
            Flux::u16(b, 0);
        }
        g.enregistrement(0x00FF, b);
    }
    g.enregistrement(0x000A, {});
    qToLittleEndian(quint32(g.octets.size()), g.octets.data() + posFeuille);

    Flux f;
    f.enregistrement(0x0809, bof(0x0010));
    {
        QByteArray b;
        Flux::u32(b, 0); Flux::u32(b, quint32(lignes)); Flux::u16(b, 0); Flux::u16(b, quint16(colonnes)); Flux::u16(b, 0);
        f.enregistrement(0x0200, b);
    }
    f.octets += cellules;
    {
        QByteArray b;
        Flux::u16(b, 0x06B6); Flux::u16(b, 0); Flux::u16(b, 0); Flux::u16(b, 0x40); Flux::u16(b, 0);
        Flux::u16(b, 0); Flux::u16(b, 0); Flux::u32(b, 0);
        f.enregistrement(0x023E, b);
    }
    f.enregistrement(0x000A, {});

    return fichier_compose(QStringLiteral("Workbook"), g.octets + f.octets);
}

}  // namespace report
