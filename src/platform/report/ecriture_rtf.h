#pragma once
// Rich text (".RTF") from the laid-out pages: a paragraph for a single free cell, a table row
// for several cells or framed cells, a page break between pages. French characters are
// written in the Windows Western code page, others as Unicode escapes.
#include "platform/report/page.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace report {

class MiseEnPage;

// Writes pages to a device as they come. A page is written once the next one is given or the
// writing ends, because the last page is written differently.
class EcritureRtf {
public:
    // `doc`: the document's title, paper and margins; its pages are not read.
    EcritureRtf(QIODevice& sortie, const DocumentRendu& doc);
    void ajouter(Page page);
    // Writes what is held back and closes the document; false when the device refused bytes.
    // `pagesTotales`: the page count, written where pages given before it was known show it
    // (the device is then sought back to those places).
    bool terminer(int pagesTotales = -1);

private:
    void ecrire_page(const Page& page, bool derniere);
    void vider(bool tout = false);
    QIODevice& sortie_;
    DocumentRendu doc_;
    QByteArray tampon_;
    Page enAttente_;
    bool attente_ = false, flotte_ = false, ok_ = true;
    int pagesEcrites_ = 0;
    qint64 ecrits_ = 0;           // bytes given to the device
    QVector<qint64> placesPages_;  // where the page count goes
    QVector<int> cleRangee_;   // the table row whose definition is in definition_
    QVector<int> cle_;         // the row under way's, its room kept from row to row
    QByteArray definition_;
};

QByteArray texte_enrichi(const DocumentRendu& doc);

// Lays the rest of `mise` out and writes it to `chemin` page after page, so that a long list
// is never held whole in memory. The file appears whole or not at all. False when it cannot
// be written, `raison` then telling why (full disk, name too long...).
bool ecrire_texte_enrichi(MiseEnPage& mise, const QString& chemin, QString* raison = nullptr);

// One text as RTF characters (escapes included), for the tests and the writer.
QByteArray rtf_echappe(const QString& texte);

}  // namespace report
