#include "platform/report/ecriture_xls.h"

#include "platform/erreur.h"
#include "platform/report/ole2.h"

#include <algorithm>
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

// The value of a date cell: days since 30/12/1899, read straight from JJ/MM/AAAA.
std::optional<double> date_serie(const QString& texte) {
    if (texte.size() != 10 || texte[2] != QLatin1Char('/') || texte[5] != QLatin1Char('/')) return std::nullopt;
    const auto chiffres = [&texte](int debut, int fin) {
        int v = 0;
        for (int k = debut; k < fin; ++k) {
            const char16_t c = texte[k].unicode();
            if (c < u'0' || c > u'9') return -1;
            v = v * 10 + (c - u'0');
        }
        return v;
    };
    const int j = chiffres(0, 2), m = chiffres(3, 5), a = chiffres(6, 10);
    if (j < 0 || m < 0 || a < 0) return std::nullopt;
    const QDate d(a, m, j);
    static const qint64 debut = QDate(1899, 12, 30).toJulianDay(), premier = QDate(1900, 3, 1).toJulianDay();
    if (!d.isValid() || d.toJulianDay() < premier) return std::nullopt;
    return double(d.toJulianDay() - debut);
}

// Numbers are printed the French way ("12,5"); a plain "12.5" is read too.
std::optional<double> nombre(const QString& texte) {
    static const QLocale francais(QLocale::French);
    bool ok = false;
    double x = francais.toDouble(texte, &ok);
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

GenresEnFlot::GenresEnFlot(const Modele& m, const Donnees& d) {
    QVector<const Element*> lignes;
    lignes_detail(m.detail, lignes);
    for (const Element* l : lignes)
        for (const Cellule& c : l->cellules) {
            GenreColonne g = GenreColonne::Texte;
            int k = -1;
            if (c.contenu.size() == 1 && c.contenu[0].genre == Morceau::Valeur && c.contenu[0].valeur &&
                c.contenu[0].valeur->genre == formule::Noeud::Champ) {
                const QString cle = formule::canonique(c.contenu[0].valeur);
                if (d.colonnes.contains(cle)) k = d.colonnes.value(cle);
                else g = genre_valeurs(d.constantes.value(cle));
            }
            for (int i = 0; i < qMax(1, c.repetition); ++i) {
                if (k >= 0) {
                    auto it = std::find_if(attendues_.begin(), attendues_.end(), [k](const auto& a) { return a.first == k; });
                    if (it == attendues_.end()) it = attendues_.insert(attendues_.end(), {k, {}});
                    it->second.append(genres_.size());
                }
                genres_.append(g);
            }
        }
}

bool GenresEnFlot::voir(const QVector<QVariant>& ligne) {
    bool trouve = false;
    for (auto it = attendues_.begin(); it != attendues_.end();) {
        const QVariant v = ligne.value(it->first);
        if (v.isNull()) { ++it; continue; }
        for (const int colonne : it->second) genres_[colonne] = genre_valeurs(v);
        it = attendues_.erase(it);
        trouve = true;
    }
    return trouve;
}

QVector<GenreColonne> genres_colonnes(const Modele& m, const Donnees& d) {
    GenresEnFlot genres(m, d);
    for (const auto& ligne : d.lignes) genres.voir(ligne);
    return genres.genres();
}

struct ClasseurExcel::Impl {
    QString titre;
    QVector<GenreColonne> genres;
    int colonnes = 0;
    int rang = 0;  // the next row
    QStringList chaines;
    QHash<QString, int> indices;
    int total = 0;
    QByteArray cellules;

    void cellule(int col, const QString& valeur) {
        if (valeur.isEmpty()) return;
        char d[18];
        qToLittleEndian(quint16(rang), d + 4);
        qToLittleEndian(quint16(col), d + 6);
        if (rang > 0 && col < genres.size() && genres[col] != GenreColonne::Texte) {
            const bool date = genres[col] == GenreColonne::Date;
            if (const auto x = date ? date_serie(valeur) : nombre(valeur)) {
                qToLittleEndian(quint16(0x0203), d);
                qToLittleEndian(quint16(14), d + 2);
                qToLittleEndian(quint16(date ? XfDate : XfTexte), d + 8);
                qToLittleEndian(std::bit_cast<quint64>(*x), d + 10);
                cellules.append(d, 18);
                return;
            }
        }
        const QString texte = valeur.size() > 32767 ? valeur.left(32767) : valeur;
        auto it = indices.find(texte);
        if (it == indices.end()) { it = indices.insert(texte, chaines.size()); chaines.append(texte); }
        ++total;
        qToLittleEndian(quint16(0x00FD), d);
        qToLittleEndian(quint16(10), d + 2);
        qToLittleEndian(quint16(XfTexte), d + 8);
        qToLittleEndian(quint32(*it), d + 10);
        cellules.append(d, 14);
    }
    void ligne(const QStringList& valeurs) {
        if (rang >= LignesMaxClasseur || valeurs.size() > 256)
            throw Erreur(erreurs_execution::AppelIncorrect,
                         QStringLiteral("Trop de lignes ou de colonnes pour un classeur Excel (65 536 lignes et 256 colonnes au plus)."));
        colonnes = qMax(colonnes, int(valeurs.size()));
        for (int c = 0; c < valeurs.size(); ++c) cellule(c, valeurs[c]);
        ++rang;
    }
};

ClasseurExcel::ClasseurExcel(const QString& titre, const QStringList& entetes, QVector<GenreColonne> genres,
                             int lignesPrevues)
    : d(std::make_unique<Impl>()) {
    d->titre = titre;
    d->genres = std::move(genres);
    // Text cells take 14 bytes (number cells 18, empty ones none): room for a sheet of text,
    // reserved once.
    d->cellules.reserve(qsizetype(qMax(0, lignesPrevues) + 1) * qMax(1, int(entetes.size())) * 14);
    // A register's rows differ in their names, addresses, telephones and e-mails: room for about
    // eight new texts a row, so that the table of texts is not rebuilt as it grows.
    d->indices.reserve(qMin(qsizetype(qMax(0, lignesPrevues)) * 8, qsizetype(1) << 20));
    d->ligne(entetes);
}

ClasseurExcel::~ClasseurExcel() = default;

void ClasseurExcel::ajouterLigne(const QStringList& cellules) { d->ligne(cellules); }
void ClasseurExcel::definirGenres(const QVector<GenreColonne>& genres) { d->genres = genres; }

QByteArray ClasseurExcel::terminer() {
    TableChaines sst;
    sst.construire(d->chaines, d->total);
    d->indices.clear();
    d->chaines.clear();

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
    const QString feuille = nom_feuille(d->titre);
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
    sst = TableChaines{};
    g.enregistrement(0x000A, {});
    qToLittleEndian(quint32(g.octets.size()), g.octets.data() + posFeuille);

    // The sheet after the globals, in one buffer sized once.
    Flux f;
    f.octets.reserve(g.octets.size() + 64 + d->cellules.size());
    f.octets += g.octets;
    g.octets.clear();
    g.octets.squeeze();
    f.enregistrement(0x0809, bof(0x0010));
    {
        QByteArray b;
        Flux::u32(b, 0); Flux::u32(b, quint32(d->rang)); Flux::u16(b, 0); Flux::u16(b, quint16(d->colonnes)); Flux::u16(b, 0);
        f.enregistrement(0x0200, b);
    }
    f.octets += d->cellules;
    d->cellules = QByteArray();
    {
        QByteArray b;
        Flux::u16(b, 0x06B6); Flux::u16(b, 0); Flux::u16(b, 0); Flux::u16(b, 0x40); Flux::u16(b, 0);
        Flux::u16(b, 0); Flux::u16(b, 0); Flux::u32(b, 0);
        f.enregistrement(0x023E, b);
    }
    f.enregistrement(0x000A, {});
    return fichier_compose(QStringLiteral("Workbook"), std::move(f.octets));
}

QByteArray classeur_excel(const Tableau& t, const QVector<GenreColonne>& genres) {
    if (t.lignes.size() + 1 > LignesMaxClasseur)
        throw Erreur(erreurs_execution::AppelIncorrect,
                     QStringLiteral("Trop de lignes ou de colonnes pour un classeur Excel (65 536 lignes et 256 colonnes au plus)."));
    ClasseurExcel c(t.titre, t.entetes, genres, int(t.lignes.size()));
    for (const QStringList& l : t.lignes) c.ajouterLigne(l);
    return c.terminer();
}

}  // namespace report
