#include "platform/db/ordre_francais.h"

#include <QChar>
#include <QList>
#include <array>
#include <cstring>
#include <vector>

namespace db::francais {

namespace {

// Each character gives one element: a first-level weight (one or two units), an accent weight
// and a case weight. A number gives one element for its length, then one per digit, so that
// a longer number (leading zeros aside) sorts after a shorter one.
//
// First-level weights, in order:
constexpr quint16 Espace = 0x0010;
constexpr quint16 Ponctuation = 0x0100;  // + the ASCII code
constexpr quint16 Symbole = 0x0200;      // + code point >> 12, then a second unit
constexpr quint16 Nombre = 0x0800;       // + count of significant digits
constexpr quint16 Chiffre = 0x0010;      // + the digit, inside a number
constexpr quint16 Lettre = 0x1000;       // + 0..25, the letters a to z
constexpr quint16 AutreLettre = 0x2000;  // + code point >> 12, then a second unit
// Accent weights: none, then the marks in French dictionary order.
constexpr quint16 SansAccent = 2;
constexpr quint16 Trait = 0x0200;     // ø, đ, ł, ħ
constexpr quint16 Ligature = 0x0201;  // æ, œ, ĳ, ß
// Case weights.
constexpr quint16 Minuscule = 2, Majuscule = 3;

struct Element {
    quint16 p1 = 0, p2 = 0;  // p2: second unit of a symbol or of a letter beyond a to z
    quint16 accent = SansAccent, casse = Minuscule;
};

// What one code point gives: up to two elements (æ gives "a" and "e").
struct Entree {
    enum Genre : quint8 { Ignore, Simple, Double, Marque } genre = Ignore;
    Element e[2];
};

quint16 poids_marque(uint c) {
    switch (c) {
    case 0x0301: return 3;   // acute
    case 0x0300: return 4;   // grave
    case 0x0306: return 5;   // breve
    case 0x0302: return 6;   // circumflex
    case 0x030C: return 7;   // caron
    case 0x030A: return 8;   // ring
    case 0x0308: return 9;   // diaeresis
    case 0x030B: return 10;  // double acute
    case 0x0303: return 11;  // tilde
    case 0x0307: return 12;  // dot above
    case 0x0327: return 13;  // cedilla
    case 0x0328: return 14;  // ogonek
    case 0x0304: return 15;  // macron
    default: return quint16(0x0100 + (c & 0xFF));
    }
}

quint16 ajouter_marque(quint16 accent, uint marque) {
    const quint16 w = poids_marque(marque);
    if (accent == SansAccent) return w;
    const uint combine = uint(accent) * 32u + w;
    return combine > 0xFFFF ? 0xFFFF : quint16(combine);
}

bool est_marque(uint c) {
    if (c < 0x0300) return false;
    const auto cat = QChar::category(char32_t(c));
    return cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining || cat == QChar::Mark_Enclosing;
}

Element deux_unites(quint16 base, uint c) {
    Element e;
    e.p1 = quint16(base + (c >> 12));
    e.p2 = quint16(2 + (c & 0xFFF));
    return e;
}

Entree lettre(char a, quint16 accent, bool majuscule) {
    Entree r;
    r.genre = Entree::Simple;
    r.e[0].p1 = quint16(Lettre + (a - 'a'));
    r.e[0].accent = accent;
    r.e[0].casse = majuscule ? Majuscule : Minuscule;
    return r;
}

Entree paire(char a, char b, quint16 accent, bool majuscule) {
    Entree r = lettre(a, accent, majuscule);
    r.genre = Entree::Double;
    r.e[1] = lettre(b, SansAccent, majuscule).e[0];
    return r;
}

Entree calculer(uint c) {
    if (c < 0x80) {
        Entree r;
        r.genre = Entree::Simple;
        if (c >= 'a' && c <= 'z') return lettre(char(c), SansAccent, false);
        if (c >= 'A' && c <= 'Z') return lettre(char(c - 'A' + 'a'), SansAccent, true);
        if (c == ' ' || (c >= 0x09 && c <= 0x0D)) r.e[0].p1 = Espace;
        else if (c < 0x20 || c == 0x7F) r.genre = Entree::Ignore;
        else r.e[0].p1 = quint16(Ponctuation + c);  // digits never get here
        return r;
    }
    const bool maj = QChar::isUpper(char32_t(c));
    switch (c) {
    case 0x00E6: case 0x00C6: return paire('a', 'e', Ligature, maj);
    case 0x0153: case 0x0152: return paire('o', 'e', Ligature, maj);
    case 0x0133: case 0x0132: return paire('i', 'j', Ligature, maj);
    case 0x00DF: case 0x1E9E: return paire('s', 's', Ligature, maj);
    case 0x00F8: case 0x00D8: return lettre('o', Trait, maj);
    case 0x0111: case 0x0110: return lettre('d', Trait, maj);
    case 0x0142: case 0x0141: return lettre('l', Trait, maj);
    case 0x0127: case 0x0126: return lettre('h', Trait, maj);
    default: break;
    }
    if (est_marque(c)) {
        Entree r;
        r.genre = Entree::Marque;
        return r;
    }
    const auto cat = QChar::category(char32_t(c));
    if (cat == QChar::Other_Format || cat == QChar::Other_Control) return {};
    if (QChar::isSpace(char32_t(c))) {
        Entree r;
        r.genre = Entree::Simple;
        r.e[0].p1 = Espace;
        return r;
    }
    if (QChar::decompositionTag(char32_t(c)) == QChar::Canonical) {
        const QList<uint> d = QString(QChar::decomposition(char32_t(c))).toUcs4();
        if (!d.isEmpty() && d[0] != c) {
            Entree r = calculer(d[0]);
            if (r.genre == Entree::Simple || r.genre == Entree::Double) {
                for (int i = 1; i < d.size(); ++i) r.e[0].accent = ajouter_marque(r.e[0].accent, d[i]);
                for (auto& e : r.e) e.casse = maj ? Majuscule : Minuscule;
                return r;
            }
        }
    }
    Entree r;
    r.genre = Entree::Simple;
    if (QChar::isLetter(char32_t(c))) {
        r.e[0] = deux_unites(AutreLettre, QChar::toLower(char32_t(c)));
        r.e[0].casse = maj ? Majuscule : Minuscule;
    } else {
        r.e[0] = deux_unites(Symbole, c);
    }
    return r;
}

// Code points below this are looked up; the rest (rare in names and towns) computed.
constexpr uint Table = 0x2000;

const std::vector<Entree>& table() {
    static const std::vector<Entree> t = [] {
        std::vector<Entree> v(Table);
        for (uint c = 0; c < Table; ++c) v[c] = calculer(c);
        return v;
    }();
    return t;
}

Entree entree(uint c) { return c < Table ? table()[c] : calculer(c); }

// Code points from UTF-8 bytes; an invalid byte stands for itself as a symbol.
struct Utf8 {
    const unsigned char* p;
    const unsigned char* fin;
    bool fini() const { return p >= fin; }
    bool chiffre() const { return p < fin && *p >= '0' && *p <= '9'; }
    uint premier() const { return *p; }
    uint lire() {
        const uint b = *p++;
        if (b < 0x80) return b;
        int n = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
        if (n < 0 || fin - p < n) return 0xDC00 + b;
        uint c = b & (0x3F >> n);
        for (int i = 0; i < n; ++i) {
            if ((p[i] & 0xC0) != 0x80) return 0xDC00 + b;
            c = (c << 6) | (p[i] & 0x3F);
        }
        p += n;
        return c;
    }
    uint regarder() const { Utf8 copie = *this; return copie.lire(); }
};

struct Utf16 {
    const char16_t* p;
    const char16_t* fin;
    bool fini() const { return p >= fin; }
    bool chiffre() const { return p < fin && *p >= u'0' && *p <= u'9'; }
    uint premier() const { return *p; }
    uint lire() {
        const uint u = *p++;
        if (QChar::isHighSurrogate(u) && p < fin && QChar::isLowSurrogate(*p))
            return QChar::surrogateToUcs4(char16_t(u), *p++);
        return u;
    }
    uint regarder() const { Utf16 copie = *this; return copie.lire(); }
};

template <typename Source>
class Curseur {
public:
    explicit Curseur(Source s) : s_(s), ascii_(table().data()) {}

    bool suivant(Element& e) {
        if (enAttente_) {
            e = attente_;
            enAttente_ = false;
            return true;
        }
        if (chiffres_ > 0) {
            --chiffres_;
            e = Element{};
            e.p1 = quint16(Chiffre + (s_.premier() - '0'));
            s_.lire();
            return true;
        }
        for (;;) {
            if (s_.fini()) return false;
            if (s_.chiffre()) return nombre(e);
            const uint c = s_.lire();
            const Entree x = c < 0x80 ? ascii_[c] : entree(c);
            if (x.genre == Entree::Ignore || x.genre == Entree::Marque) continue;
            e = x.e[0];
            // Marks that follow (decomposed accents) belong to this element's accent.
            while (!s_.fini() && s_.premier() >= 0x80) {
                const uint m = s_.regarder();
                if (!est_marque(m)) break;
                s_.lire();
                e.accent = ajouter_marque(e.accent, m);
            }
            if (x.genre == Entree::Double) {
                attente_ = x.e[1];
                enAttente_ = true;
            }
            return true;
        }
    }

private:
    bool nombre(Element& e) {
        int zeros = 0;
        Source apres = s_;
        while (apres.premier() == '0') {
            apres.lire();
            if (!apres.chiffre()) break;
            ++zeros;
            s_ = apres;
        }
        int n = 0;
        for (Source t = s_; t.chiffre(); t.lire()) ++n;
        e = Element{};
        e.p1 = quint16(Nombre + std::min(n, 0x7FF));
        e.accent = quint16(SansAccent + std::min(zeros, 0xFF00));
        chiffres_ = n;
        return true;
    }

    Source s_;
    const Entree* ascii_;
    int chiffres_ = 0;
    bool enAttente_ = false;
    Element attente_;
};

template <typename Source>
int comparer_sources(Source a, Source b, bool lettres_seules) {
    Curseur<Source> ca(a), cb(b);
    int accent = 0, casse = 0;
    Element x, y;
    for (;;) {
        const bool hx = ca.suivant(x), hy = cb.suivant(y);
        if (!hx || !hy) {
            if (hx != hy) return hx ? 1 : -1;
            break;
        }
        if (x.p1 != y.p1) return x.p1 < y.p1 ? -1 : 1;
        if (x.p2 != y.p2) return x.p2 < y.p2 ? -1 : 1;
        if (!accent && x.accent != y.accent) accent = x.accent < y.accent ? -1 : 1;
        if (!casse && x.casse != y.casse) casse = x.casse < y.casse ? -1 : 1;
    }
    if (lettres_seules) return 0;
    return accent ? accent : casse;
}

// Where two texts can be compared from, their identical start skipped: at a plain ASCII
// character that is no digit, not followed by a mark, so that no number or accented letter
// is entered halfway.
template <typename Unite>
int depart_commun(const Unite* a, int na, const Unite* b, int nb) {
    const int n = std::min(na, nb);
    int p = 0;
    while (p < n && a[p] == b[p]) ++p;
    const auto simple = [](Unite u) { return u < 0x80 && !(u >= '0' && u <= '9'); };
    while (p > 0 && !simple(a[p - 1])) --p;
    if (p > 0 && ((p < na && !(a[p] < 0x80)) || (p < nb && !(b[p] < 0x80)))) --p;
    while (p > 0 && !simple(a[p - 1])) --p;
    return p;
}

template <typename Unite, typename Source>
int comparer_unites(const Unite* a, int na, const Unite* b, int nb, bool lettres_seules) {
    // A sort compares equal keys again and again (the pupils of one class): the same text is
    // equal at once.
    if (na == nb && std::equal(a, a + na, b)) return 0;
    const int p = depart_commun(a, na, b, nb);
    return comparer_sources(Source{a + p, a + na}, Source{b + p, b + nb}, lettres_seules);
}

int comparer_u8(const char* a, int na, const char* b, int nb, bool lettres_seules) {
    return comparer_unites<unsigned char, Utf8>(reinterpret_cast<const unsigned char*>(a), na,
                                                reinterpret_cast<const unsigned char*>(b), nb, lettres_seules);
}

int comparer_u16(const QString& a, const QString& b, bool lettres_seules) {
    return comparer_unites<char16_t, Utf16>(reinterpret_cast<const char16_t*>(a.constData()), int(a.size()),
                                            reinterpret_cast<const char16_t*>(b.constData()), int(b.size()),
                                            lettres_seules);
}

Utf16 utf16(const QString& s) {
    const auto* p = reinterpret_cast<const char16_t*>(s.constData());
    return Utf16{p, p + s.size()};
}

}  // namespace

int comparer_utf8(const char* a, int na, const char* b, int nb) {
    const int r = comparer_u8(a, na, b, nb, false);
    if (r != 0) return r;
    const int binaire = std::memcmp(a, b, size_t(std::min(na, nb)));
    if (binaire != 0) return binaire < 0 ? -1 : 1;
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

int comparer_lettres_utf8(const char* a, int na, const char* b, int nb) {
    return comparer_u8(a, na, b, nb, true);
}

int comparer(const QString& a, const QString& b) {
    const int r = comparer_u16(a, b, false);
    if (r != 0) return r;
    const int binaire = QString::compare(a, b, Qt::CaseSensitive);
    return binaire == 0 ? 0 : (binaire < 0 ? -1 : 1);
}

int comparer_lettres(const QString& a, const QString& b) {
    return comparer_u16(a, b, true);
}

namespace {
// The character that a first-level element stands for (0: none, the second unit of a pair).
uint caractere_du_poids(const Element& e) {
    if (e.p1 == Espace) return ' ';
    if (e.p1 >= Lettre && e.p1 < Lettre + 26) return uint('a' + (e.p1 - Lettre));
    if (e.p1 >= AutreLettre) return (uint(e.p1 - AutreLettre) << 12) | uint(e.p2 - 2);
    if (e.p1 >= Symbole && e.p1 < Nombre) return (uint(e.p1 - Symbole) << 12) | uint(e.p2 - 2);
    if (e.p1 >= Ponctuation && e.p1 < Ponctuation + 0x80) return uint(e.p1 - Ponctuation);  // digits too
    return 0;
}
}  // namespace

QVector<uint> lettres(const QString& texte) {
    QVector<uint> r;
    r.reserve(texte.size());
    Utf16 s = utf16(texte);
    while (!s.fini()) {
        const Entree x = entree(s.lire());
        if (x.genre != Entree::Simple && x.genre != Entree::Double) continue;
        for (int i = 0; i < (x.genre == Entree::Double ? 2 : 1); ++i)
            if (const uint c = caractere_du_poids(x.e[i])) r.append(c);
    }
    return r;
}

QByteArray cle_lettres(const QString& texte) {
    QByteArray k;
    k.reserve(texte.size() * 2);
    Curseur<Utf16> c(utf16(texte));
    Element e;
    while (c.suivant(e)) {
        for (quint16 u : {e.p1, e.p2}) {
            if (!u) continue;
            k.append(char(u >> 8));
            k.append(char(u & 0xFF));
        }
    }
    return k;
}

}  // namespace db::francais
