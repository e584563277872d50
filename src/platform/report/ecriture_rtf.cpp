#include "platform/report/ecriture_rtf.h"
#include "platform/db/copie_sure.h"

#include "platform/report/mise_en_page.h"
#include "platform/texte/windows1252.h"

#include <QBuffer>
#include <QSaveFile>

#include <charconv>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace report {

namespace {

// Bytes go to the device in blocks of this size.
constexpr qsizetype Bloc = 1 << 20;
// The room kept for the page count, known once every page is written: the digits are written
// in at the end, the rest of the room stays line ends, which rich text ignores.
constexpr int PlaceNombrePages = 10;
constexpr int Saut = 20;  // twips: the paragraph of a page break, and the one closing the file

int twips(double mm) { return qRound(mm * 1440.0 / 25.4); }

// A word processor measures a line a hair wider than the preview does, and breaks a line that
// fills its cell exactly one character early ("Masculi / n", "25/03/201 / 5"): each line is
// given this much more room than the preview measured it in, on the side where it ends (half
// on each side when centred), so that it starts where the preview draws it.
constexpr double Jeu = 0.5;  // mm

// Heights in twips from positions rounded once, so that the parts add up to the page.
int hauteur_twips(double y, double h) { return twips(y + h) - twips(y); }

void nombre(QByteArray& r, int n) {
    char b[16];
    const auto fin = std::to_chars(b, b + sizeof b, n).ptr;
    r.append(b, fin - b);
}

void mot(QByteArray& r, const char* controle, int n) {
    r.append(controle);
    nombre(r, n);
}

void echapper(QByteArray& r, const QString& texte) {
    const char16_t* c16 = reinterpret_cast<const char16_t*>(texte.constData());
    const qsizetype n = texte.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = c16[i];
        // A run of plain characters, most of a list, is copied at once.
        if (c >= 0x20 && c < 0x80 && c != '\\' && c != '{' && c != '}') {
            qsizetype fin = i + 1;
            while (fin < n && c16[fin] >= 0x20 && c16[fin] < 0x80 && c16[fin] != '\\' && c16[fin] != '{' && c16[fin] != '}') ++fin;
            const qsizetype debut = r.size();
            r.resize(debut + (fin - i));
            char* p = r.data() + debut;
            for (qsizetype k = i; k < fin; ++k) *p++ = char(c16[k]);
            i = fin - 1;
            continue;
        }
        if (c == '\\' || c == '{' || c == '}') { r += '\\'; r += char(c); }
        else if (c == '\n') r += "\\line ";
        else if (c == '\t') r += "\\tab ";
        else if (c == '\r') {}
        else if (c < 0x20) r += ' ';
        else if (const int b = codage::octet_windows1252(c); b >= 0) {
            static const char hex[] = "0123456789abcdef";
            r += "\\'";
            r += hex[b >> 4];
            r += hex[b & 15];
        } else {
            mot(r, "\\u", qint16(c));
            r += '?';
        }
    }
}

// Exact line heights: a word processor puts each line where the preview does.
void interligne(QByteArray& r, int t) {
    mot(r, "\\sl-", qMax(1, t));
    r += "\\slmult0";
}

void style(QByteArray& r, const Style& s) {
    mot(r, "\\fs", qRound(s.taille * 2));
    if (s.gras) r += "\\b";
    if (s.italique) r += "\\i";
    r += ' ';
}

const char* alignement(int a) { return a == 1 ? "\\qc" : (a == 2 ? "\\qr" : "\\ql"); }

// The lines of a cell, one paragraph each at its exact height; `premier` goes with the first
// paragraph and `fin` closes the last one. `texte` writes each line's text.
template <class Texte>
void paragraphes(QByteArray& r, const CelluleRendue& c, const char* debut, const QByteArray& premier,
                 const char* fin, double y, Texte&& texte) {
    if (c.lignes.isEmpty()) {
        r += debut;
        r += premier;
        r += ' ';
        r += fin;
        return;
    }
    // The cell's inner blank is the paragraph's indents: word processors do not all read a
    // table's cell padding, and a label's text must not touch the paper's edge.
    const int marge = twips(c.marge), reduite = twips(qMax(0.0, c.marge - Jeu)), moitie = twips(qMax(0.0, c.marge - Jeu / 2));
    for (int i = 0; i < c.lignes.size(); ++i) {
        const LigneTexte& l = c.lignes[i];
        r += debut;
        if (i == 0) r += premier;
        const int a = l.style.alignement;
        mot(r, "\\li", a == 1 ? moitie : a == 2 ? reduite : marge);
        mot(r, "\\ri", a == 1 ? moitie : a == 2 ? marge : reduite);
        r += alignement(l.style.alignement);
        interligne(r, hauteur_twips(y, l.hauteur));
        r += " {";
        style(r, l.style);
        texte(r, l.texte);
        r += '}';
        r += i + 1 < c.lignes.size() ? "\\par\n" : fin;
        y += l.hauteur;
    }
}

void petit_paragraphe(QByteArray& r, int hauteur, const char* suite) {
    r += "\\pard\\plain";
    interligne(r, hauteur);
    r += "\\fs2 ";
    r += suite;
}

}  // namespace

QByteArray rtf_echappe(const QString& texte) {
    QByteArray r;
    r.reserve(texte.size() + 8);
    echapper(r, texte);
    return r;
}

EcritureRtf::EcritureRtf(QIODevice& sortie, const DocumentRendu& doc) : sortie_(sortie) {
    doc_.titre = doc.titre;
    doc_.paysage = doc.paysage;
    doc_.largeur = doc.largeur;
    doc_.hauteur = doc.hauteur;
    for (int i = 0; i < 4; ++i) doc_.marges[i] = doc.marges[i];
    tampon_.reserve(Bloc + (Bloc >> 2));
    // The bottom margin is written 1 mm short, room for the small paragraph that carries each
    // page break.
    const double reserve = doc.marges[2] >= 1 ? 1 : 0;
    QByteArray& r = tampon_;
    // The font the pages are measured and drawn in, so that every line breaks where the
    // preview breaks it; Arial, a little narrower, where it is missing.
    r += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss\\fcharset0 DejaVu Sans{\\*\\falt Arial};}}\n";
    r += "{\\info{\\title ";
    echapper(r, doc.titre);
    r += "}}\n";
    mot(r, "\\paperw", twips(doc.largeur));
    mot(r, "\\paperh", twips(doc.hauteur));
    mot(r, "\\margt", twips(doc.marges[0]));
    mot(r, "\\margr", twips(doc.marges[1]));
    mot(r, "\\margb", twips(doc.marges[2] - reserve));
    mot(r, "\\margl", twips(doc.marges[3]));
    if (doc.paysage) r += "\\landscape";
    r += "\\viewkind1\n";
}

void EcritureRtf::ajouter(Page page) {
    if (attente_) ecrire_page(enAttente_, false);
    enAttente_ = std::move(page);
    attente_ = true;
}

bool EcritureRtf::terminer(int pagesTotales) {
    if (attente_) ecrire_page(enAttente_, true);
    attente_ = false;
    petit_paragraphe(tampon_, Saut, "\\par}\n");
    vider(true);
    if (!placesPages_.isEmpty() && ok_) {
        const QByteArray n = QByteArray::number(pagesTotales).left(PlaceNombrePages);
        for (const qint64 place : placesPages_)
            if (!sortie_.seek(place) || sortie_.write(n) != n.size()) ok_ = false;
        ok_ = ok_ && sortie_.seek(ecrits_);
    }
    return ok_;
}

void EcritureRtf::vider(bool tout) {
    if (tampon_.size() < Bloc && !tout) return;
    if (ok_ && sortie_.write(tampon_) != tampon_.size()) ok_ = false;
    ecrits_ += tampon_.size();
    tampon_.resize(0);
}

void EcritureRtf::ecrire_page(const Page& page, bool derniere) {
    QByteArray& r = tampon_;
    // A text showing the page count gets its room, noted for terminer().
    const auto texte = [this](QByteArray& r, const QString& t) {
        if (!t.contains(marque_pages())) return echapper(r, t);
        const QStringList parties = t.split(marque_pages());
        for (int i = 0; i < parties.size(); ++i) {
            if (i > 0) {
                placesPages_.append(ecrits_ + r.size());
                r.append(PlaceNombrePages, '\n');
            }
            echapper(r, parties[i]);
        }
    };
    const double reserve = doc_.marges[2] >= 1 ? 1 : 0;
    const int basPage = twips(doc_.hauteur) - twips(doc_.marges[2] - reserve);
    const double gauche = doc_.marges[3];
    // After a page that filled the paper (a label sheet), this one starts by itself.
    if (pagesEcrites_ > 0 && !flotte_) petit_paragraphe(r, Saut, "\\page\\par\n");
    ++pagesEcrites_;
    const QVector<BandeRendue>& bandes = page.bandes;
    // A band at its own place (an envelope's address) is a frame fixed on the page, written
    // first so that it belongs to this page; the flow does not count it.
    for (const BandeRendue& b : bandes) {
        if (!b.fixe || b.cellules.isEmpty()) continue;
        const CelluleRendue& c = b.cellules.first();
        QByteArray cadre = "\\pard\\plain\\phpg\\pvpg\\wraparound";
        mot(cadre, "\\posx", twips(c.x));
        mot(cadre, "\\posy", twips(b.y));
        // What the frame's inner blank cannot give of that room, the frame gives.
        mot(cadre, "\\absw", twips(c.largeur + Jeu - (c.marge - qMax(0.0, c.marge - Jeu))));
        mot(cadre, "\\absh-", twips(b.hauteur));
        paragraphes(r, c, cadre.constData(), QByteArray("\\sb") + QByteArray::number(twips(0.3)), "\\par\n", b.y + 0.3, texte);
    }
    int fin = twips(doc_.marges[0]);
    flotte_ = false;
    for (int i = 0; i < bandes.size(); ++i) {
        const BandeRendue& b = bandes[i];
        if (b.fixe) continue;
        const int haut = twips(b.y);
        if (haut - fin >= 10) petit_paragraphe(r, haut - fin, "\\par\n");
        int h = hauteur_twips(b.y, b.hauteur);
        fin = haut + h;
        // The last band of a full page leaves room for what follows it on that page.
        if (i + 1 == bandes.size() && fin > basPage - Saut) {
            if (!derniere && fin >= basPage) flotte_ = true;
            else h -= fin - (basPage - Saut);
        }
        if (b.trait) {
            r += "\\pard\\plain";
            interligne(r, h - 15);
            r += "\\brdrb\\brdrs\\brdrw10\\brsp0\\fs2 \\par\n";
            continue;
        }
        if (b.cellules.isEmpty()) {
            petit_paragraphe(r, h, "\\par\n");
            continue;
        }
        const CelluleRendue& premiere = b.cellules.first();
        const double vertical = premiere.marge > 1 ? premiere.marge : (premiere.cadre ? 0.6 : 0.3);
        const bool tableau = b.cellules.size() > 1 || premiere.cadre || qAbs(premiere.x - gauche) > 0.5;
        if (!tableau) {
            QByteArray avant = "\\sb";
            nombre(avant, twips(vertical));
            paragraphes(r, premiere, "\\pard\\plain", avant, "\\par\n", b.y + vertical, texte);
            continue;
        }
        // A list repeats one row shape on every line: its definition is written once and copied.
        QVector<int>& cle = cle_;
        cle.clear();
        cle << h << twips(premiere.marge) << twips(premiere.x - gauche) << twips(vertical);
        for (const CelluleRendue& c : b.cellules) cle << twips(c.x + c.largeur - gauche) << int(c.cadre);
        if (cle != cleRangee_) {
            cleRangee_ = cle;
            QByteArray& d = definition_;
            d.resize(0);
            // No side padding: the paragraphs carry the cells' inner blank.
            d += "\\trowd\\trgaph0";
            mot(d, "\\trleft", cle[2]);
            mot(d, "\\trrh-", h);
            d += "\\trpaddl0\\trpaddr0";
            mot(d, "\\trpaddt", cle[3]);
            d += "\\trpaddb0\\trpaddfl3\\trpaddfr3\\trpaddft3\\trpaddfb3";
            for (const CelluleRendue& c : b.cellules) {
                if (c.cadre)
                    d += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
                mot(d, "\\cellx", twips(c.x + c.largeur - gauche));
            }
            d += '\n';
        }
        r += definition_;
        for (const CelluleRendue& c : b.cellules)
            paragraphes(r, c, "\\pard\\plain\\intbl", QByteArray(), "\\cell\n", b.y + vertical, texte);
        r += "\\row\n";
    }
    vider();
}

QByteArray texte_enrichi(const DocumentRendu& doc) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    EcritureRtf ecriture(tampon, doc);
    for (const Page& p : doc.pages) ecriture.ajouter(p);
    ecriture.terminer();
    return octets;
}

bool ecrire_texte_enrichi(MiseEnPage& mise, const QString& chemin, QString* raison) {
    QSaveFile fichier(chemin);
    const auto refus = [&] {
        if (raison) *raison = db::copie_sure::erreur_ecriture(fichier, chemin).texte;
        return false;
    };
    if (!fichier.open(QIODevice::WriteOnly)) return refus();
    // A list of a whole register makes a file of a hundred megabytes: it goes to the disk as it
    // is written, so that its commit, which forces it there, waits little.
    std::optional<db::copie_sure::Ecoulement> ecoulement(std::in_place, fichier.handle());
    EcritureRtf ecriture(fichier, mise.document());
    // The pages are written on a thread of their own while the next ones are laid out; a few
    // dozen wait at most, so that memory does not grow with the list.
    constexpr int PagesEnAttente = 64;
    std::mutex verrou;
    std::condition_variable signal;
    QVector<Page> file;
    // Pages written, handed back to be freed where they were made: freeing another thread's
    // memory makes the two threads wait on each other's allocator.
    QVector<Page> ecrites;
    bool fin = false;
    std::thread ecrivain([&] {
        QVector<Page> lot;
        for (;;) {
            {
                std::unique_lock<std::mutex> g(verrou);
                ecrites += std::move(lot);
                lot.clear();
                signal.wait(g, [&] { return fin || !file.isEmpty(); });
                if (file.isEmpty()) return;
                lot.swap(file);
            }
            signal.notify_all();
            for (Page& p : lot) ecriture.ajouter(p);
        }
    });
    // However the layout ends, the writer is told and waited for.
    struct Attente {
        std::function<void()> finir;
        ~Attente() { finir(); }
    } attente{[&] {
        if (!ecrivain.joinable()) return;
        {
            std::lock_guard<std::mutex> g(verrou);
            fin = true;
        }
        signal.notify_all();
        ecrivain.join();
    }};
    for (bool encore = true; encore;) {
        encore = mise.avancer(16);
        QVector<Page> pages = mise.prendre();
        QVector<Page> aLiberer;
        std::unique_lock<std::mutex> g(verrou);
        signal.wait(g, [&] { return file.size() < PagesEnAttente; });
        file += std::move(pages);
        aLiberer.swap(ecrites);
        g.unlock();
        signal.notify_all();
    }
    attente.finir();
    ecoulement.reset();
    if (!ecriture.terminer(mise.pages_totales()) || !fichier.commit()) return refus();
    return true;
}

}  // namespace report
