#include "platform/db/motif.h"
#include "platform/db/ordre_francais.h"

#include <array>

namespace db::motif {

QVector<uint> preparer(const QString& texte) { return francais::lettres(texte); }

static QVector<uint> lettres(uint c) {
    const char32_t u = c;
    return francais::lettres(QString::fromUcs4(&u, 1));
}

// One character of a class's range, as the text is compared.
static uint replier(uint c) { return lettres(c).value(0, c); }

// A character of the pattern that stands for itself: what it gives at the first level (one
// letter, two for a ligature, none for a mark the order passes over).
static void ajouter_caractere(Motif& m, uint c) {
    for (const uint l : lettres(c)) {
        Element e;
        e.c = l;
        m.elements.append(e);
    }
}

Motif compiler_jet(const QString& source) {
    const QVector<uint> s = source.toUcs4();
    Motif m;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const uint c = s[i];
        if (c == uint(u'*')) {
            Element e; e.genre = Element::Tous; m.elements.append(e);
        } else if (c == uint(u'?')) {
            Element e; e.genre = Element::UnQuelconque; m.elements.append(e);
        } else if (c == uint(u'#')) {
            Element e; e.genre = Element::Chiffre; m.elements.append(e);
        } else if (c == uint(u'[')) {
            qsizetype fin = i + 1;
            // "]" right after "[" or "[!" is a member of the class, not its end.
            if (fin < s.size() && s[fin] == uint(u'!')) ++fin;
            if (fin < s.size() && s[fin] == uint(u']')) ++fin;
            while (fin < s.size() && s[fin] != uint(u']')) ++fin;
            if (fin >= s.size()) { ajouter_caractere(m, c); continue; }
            Element e; e.genre = Element::Classe;
            qsizetype j = i + 1;
            if (s[j] == uint(u'!') && j + 1 < fin) { e.negation = true; ++j; }
            for (; j < fin; ++j) {
                uint a = replier(s[j]), b = a;
                if (j + 2 < fin && s[j + 1] == uint(u'-')) { b = replier(s[j + 2]); j += 2; }
                if (b < a) std::swap(a, b);
                e.plages.append({a, b});
            }
            m.elements.append(e);
            i = fin;
        } else {
            ajouter_caractere(m, c);
        }
    }
    return m;
}

Motif compiler_sql(const QString& source, uint echappement) {
    const QVector<uint> s = source.toUcs4();
    Motif m;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const uint c = s[i];
        if (echappement && c == echappement && i + 1 < s.size()) {
            ajouter_caractere(m, s[++i]);
        } else if (c == uint(u'%')) {
            Element e; e.genre = Element::Tous; m.elements.append(e);
        } else if (c == uint(u'_')) {
            Element e; e.genre = Element::UnQuelconque; m.elements.append(e);
        } else {
            ajouter_caractere(m, c);
        }
    }
    return m;
}

static bool accepte(const Element& e, uint c) {
    switch (e.genre) {
    case Element::Caractere: return e.c == c;
    case Element::UnQuelconque: return true;
    case Element::Chiffre: return c >= uint(u'0') && c <= uint(u'9');
    case Element::Classe: {
        bool dedans = false;
        for (const auto& p : e.plages)
            if (c >= p.first && c <= p.second) { dedans = true; break; }
        return dedans != e.negation;
    }
    case Element::Tous: break;
    }
    return false;
}

// Every element but "Tous" takes exactly one character, so the classic backtracking to the
// last star is enough and stays linear in practice.
bool correspond(const Motif& m, const QVector<uint>& t) {
    const auto& p = m.elements;
    qsizetype i = 0, j = 0, etoile = -1, reprise = 0;
    while (i < t.size()) {
        if (j < p.size() && p[j].genre == Element::Tous) {
            etoile = j++;
            reprise = i;
        } else if (j < p.size() && accepte(p[j], t[i])) {
            ++i; ++j;
        } else if (etoile >= 0) {
            j = etoile + 1;
            i = ++reprise;
        } else {
            return false;
        }
    }
    while (j < p.size() && p[j].genre == Element::Tous) ++j;
    return j == p.size();
}

bool exclu_au_premier(const Motif& m, const char* utf8, int octets) {
    if (m.elements.isEmpty() || m.elements.first().genre != Element::Caractere || octets <= 0) return false;
    // Each ASCII character as the first level sees it, when it gives exactly one character.
    static const std::array<int, 128> premiers = [] {
        std::array<int, 128> t{};
        for (uint c = 0; c < 128; ++c) {
            const QVector<uint> l = lettres(c);
            t[c] = l.size() == 1 ? int(l.first()) : -1;
        }
        return t;
    }();
    const auto b = static_cast<unsigned char>(utf8[0]);
    return b < 128 && premiers[b] >= 0 && uint(premiers[b]) != m.elements.first().c;
}

}  // namespace db::motif
