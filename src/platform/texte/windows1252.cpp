#include "platform/texte/windows1252.h"

namespace codage {

namespace {

// Letters whose accent or stroke is not a separate mark in Unicode: no decomposition gives
// their base letter.
char lettre_sans_decomposition(char32_t c) {
    switch (c) {
    case 0x0110: return 'D';  // Đ
    case 0x0111: return 'd';
    case 0x0126: return 'H';  // Ħ
    case 0x0127: return 'h';
    case 0x0131: return 'i';  // ı
    case 0x0141: return 'L';  // Ł
    case 0x0142: return 'l';
    case 0x0166: return 'T';  // Ŧ
    case 0x0167: return 't';
    case 0x0180: return 'b';  // ƀ
    case 0x0197: return 'I';  // Ɨ
    case 0x01B5: return 'Z';  // Ƶ
    case 0x01B6: return 'z';
    case 0x0237: return 'j';  // ȷ
    default: return 0;
    }
}

// The nearest letter without accents, or '?'.
char approcher(char32_t c) {
    if (const char l = lettre_sans_decomposition(c)) return l;
    const QString decompose = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    if (!decompose.isEmpty()) {
        const QChar base = decompose.front();
        if (base.unicode() < 0x80 && base.isLetter()) return char(base.unicode());
    }
    return '?';
}

}  // namespace

// Windows-1252 for the 0x80-0x9F range; 0xA0-0xFF are those of Latin-1.
int octet_windows1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    static const char16_t haut[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
                                      0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    for (int i = 0; i < 32; ++i)
        if (haut[i] == c) return 0x80 + i;
    return -1;
}

QByteArray vers_windows1252(const QString& texte) {
    QByteArray r;
    r.reserve(texte.size());
    const char16_t* p = reinterpret_cast<const char16_t*>(texte.utf16());
    const qsizetype n = texte.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c < 0x80) {
            r += char(c);
            continue;
        }
        if (const int b = octet_windows1252(c); b >= 0) {
            r += char(b);
            continue;
        }
        char32_t point = c;
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(p[i + 1]))
            point = QChar::surrogateToUcs4(c, p[++i]);
        r += approcher(point);
    }
    return r;
}

}  // namespace codage
